#pragma once
// What a long run must give back: the process's GDI and USER objects and its private bytes,
// taken after a warm-up cycle and again at the end, printed, and compared.
#include <windows.h>

#include <chrono>
#include <string>

namespace velloran::soak {

struct TProcessFigures {
    int Gdi = 0;
    int User = 0;
    SIZE_T PrivateBytes = 0;
};

TProcessFigures TakeProcessFigures();

// The number of cycles of a run: the environment variable `make soak` sets, else the short count
// that ctest runs.
int SoakCount(const char* variable, int shortCount);

// Private bytes may end above their start by this much without a leak: the heap keeps the pages it
// once committed and grows in whole blocks, so one more block committed for fragmentation's sake
// shows up here however small the rest of the run was. A leak of a few dozen bytes per cycle over
// the soak counts exceeds it.
inline constexpr SIZE_T kPrivateBytesSlack = 512 * 1024;

// Starts the clock and takes the start figures; Finish takes the end figures, prints both with the
// time per cycle, and fails the running test unless they came back to the start.
class TSoakRun {
public:
    TSoakRun(std::string name, int cycles);
    void Finish() const;

private:
    std::string name_;
    int cycles_;
    TProcessFigures start_;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace velloran::soak
