#pragma once
// Runs xdotool on the X display of the Wine world with arguments such as "mousemove 10 20" or
// "click 1", through the relay that runs beside the program (scripts/xinput-relay.sh): a program
// under Wine cannot start it itself. The relay's folder comes in VELLORAN_XINPUT_RELAY.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace velloran::xinput {

inline bool HasXinputRelay() { return std::getenv("VELLORAN_XINPUT_RELAY") != nullptr; }

// False without a relay, when xdotool failed, or after 10 s without an answer.
inline bool Xdotool(const std::string& arguments) {
    const char* relay = std::getenv("VELLORAN_XINPUT_RELAY");
    if (!relay) return false;
    static int serial = 0;
    const std::string base = std::string(relay) + "\\" + std::to_string(++serial);
    {
        std::ofstream request(base + ".part");
        request << arguments;
        if (!request) return false;
    }
    // Whole or not at all: the relay must never read half a request.
    if (!MoveFileA((base + ".part").c_str(), (base + ".req").c_str())) return false;
    const std::string answer = base + ".done";
    for (int waited = 0; waited < 10000; waited += 10) {
        std::ifstream done(answer);
        int code = -1;
        if (done >> code) {
            done.close();
            DeleteFileA(answer.c_str());
            return code == 0;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace velloran::xinput
