// Stands in for Yahoo! Messenger: on the "status changed" command it reports what the
// Custom Msgs key of its Yahoo! ID holds at that moment.
#include "CommandLineOptions.h"
#include "LogFile.h"
#include "RegistryValues.h"
#include "SubstituteProtocol.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct MessengerState {
    std::string yahooId;
    std::optional<std::string> logPath;
};

std::string quotedOrNone(const std::optional<std::string>& text)
{
    return text ? "\"" + *text + "\"" : "none";
}

std::string numberOrNone(const std::optional<DWORD>& number)
{
    return number ? std::to_string(*number) : "none";
}

std::string hexOrNone(const std::optional<std::vector<unsigned char>>& bytes)
{
    if (!bytes)
        return "none";
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : *bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0f];
    }
    return hex;
}

std::string describeStatus(const std::string& yahooId)
{
    const substitute::RegistryKey key(HKEY_CURRENT_USER, substitute::customMessagesKey(yahooId),
                                      KEY_QUERY_VALUE);
    return "status " + quotedOrNone(key.readString("5")) + " busy=" + numberOrNone(key.readDword("5_DND")) +
           " bin=" + hexOrNone(key.readBinary("5_bin")) + " w=" + quotedOrNone(key.readString("1_W")) +
           " dnd1=" + numberOrNone(key.readDword("1_DND"));
}

void report(const MessengerState& state, const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
    if (state.logPath && !substitute::appendLine(*state.logPath, line))
        std::fprintf(stderr, "SubstituteMessenger: cannot write %s\n", state.logPath->c_str());
}

LRESULT CALLBACK messengerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* state = reinterpret_cast<const MessengerState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (wParam == substitute::kStatusChangedCommand && lParam == substitute::kStatusChangedLParam)
            report(*state, describeStatus(state->yahooId));
        else
            report(*state, "command wParam=" + std::to_string(wParam) + " lParam=" + std::to_string(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The instant-message window: its caption is drawn active or inactive on request, as when the
// user switches to it or away.
LRESULT CALLBACK imWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCACTIVATE:
        SetPropA(window, "CaptionActive", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(wParam ? 1 : 0)));
        break;
    case substitute::kSetImCaptionMessage:
        SendMessageA(window, WM_NCACTIVATE, wParam ? TRUE : FALSE, 0);
        return 0;
    case substitute::kImCaptionActiveMessage:
        return reinterpret_cast<INT_PTR>(GetPropA(window, "CaptionActive"));
    case WM_DESTROY:
        RemovePropA(window, "CaptionActive");
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerClass(const char* name, WNDPROC procedure, HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    MessengerState state;
    std::optional<std::string> imWindowTitle;
    bool imWindowActive = false;
    try {
        const substitute::CommandLineOptions options(argc, argv, {"--id", "--log", "--im-window"}, {"--im-active"});
        if (!options.value("--id"))
            throw std::invalid_argument("--id is required");
        state.yahooId = *options.value("--id");
        state.logPath = options.value("--log");
        imWindowTitle = options.value("--im-window");
        imWindowActive = options.has("--im-active");
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "SubstituteMessenger: %s\n"
                             "usage: SubstituteMessenger --id ID [--log FILE] [--im-window TITLE [--im-active]]\n",
                     error.what());
        return 2;
    }

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerClass(substitute::kMessengerWindowClass, messengerWindowProc, instance))
        return 1;
    if (!CreateWindowExA(0, substitute::kMessengerWindowClass, "Yahoo! Messenger", WS_OVERLAPPEDWINDOW,
                         CW_USEDEFAULT, CW_USEDEFAULT, 240, 480, nullptr, nullptr, instance, &state))
        return 1;
    if (imWindowTitle) {
        if (!registerClass(substitute::kImWindowClass, imWindowProc, instance))
            return 1;
        const HWND imWindow = CreateWindowExA(0, substitute::kImWindowClass, imWindowTitle->c_str(),
                                              WS_OVERLAPPEDWINDOW, 320, 200, 360, 280, nullptr, nullptr,
                                              instance, nullptr);
        if (!imWindow)
            return 1;
        ShowWindow(imWindow, SW_SHOWNOACTIVATE);
        SendMessageA(imWindow, substitute::kSetImCaptionMessage, imWindowActive ? 1 : 0, 0);
    }
    std::fprintf(stderr, "SubstituteMessenger: waiting for status changes of %s\n", state.yahooId.c_str());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
