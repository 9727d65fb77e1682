// Stands in for Yahoo! Messenger: on the "status changed" command it reports what the
// Custom Msgs key of its Yahoo! ID holds at that moment.
#include "CommandLineOptions.h"
#include "LogFile.h"
#include "RegistryValues.h"
#include "SubstituteProtocol.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The demo's one line per publication: the status is taken when the command arrives, and the
// plug-in's log is read a moment later, since Velloran calls the plug-in after posting.
struct PendingSummary {
    std::optional<std::string> status;
    std::string busy;
};

struct MessengerState {
    std::string yahooId;
    std::optional<std::string> logPath;
    std::optional<std::string> summaryPluginLog;
    std::optional<PendingSummary> pending;
    size_t pluginCallsSeen = 0;
};

constexpr UINT_PTR kSummaryTimer = 1;
constexpr UINT kSummaryDelayMs = 600;

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

// The texts of the plug-in's "call" lines, in order.
std::vector<std::string> pluginCalls(const std::string& pluginLog)
{
    std::vector<std::string> calls;
    std::ifstream log(pluginLog);
    std::string line;
    static constexpr std::string_view kCall = "call \"";
    while (std::getline(log, line)) {
        if (!line.starts_with(kCall))
            continue;
        const size_t end = line.rfind("\" ");
        calls.push_back(end > kCall.size() ? line.substr(kCall.size(), end - kCall.size()) : std::string());
    }
    return calls;
}

std::string clockTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return text;
}

void report(const MessengerState& state, const std::string& line);

// Prints the pending publication with what the plug-in received since the last one.
void reportSummary(MessengerState& state)
{
    if (!state.pending)
        return;
    const std::vector<std::string> calls = pluginCalls(*state.summaryPluginLog);
    std::string plugin = "plug-in not called";
    if (calls.size() > state.pluginCallsSeen)
        plugin = calls.back() == state.pending->status ? "plug-in got the same text"
                                                       : "plug-in got \"" + calls.back() + "\"";
    state.pluginCallsSeen = calls.size();
    report(state, clockTime() + "  " + quotedOrNone(state.pending->status) + "  busy=" + state.pending->busy + "  " +
                      plugin);
    state.pending.reset();
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
    auto* state = reinterpret_cast<MessengerState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (wParam == substitute::kStatusChangedCommand && lParam == substitute::kStatusChangedLParam &&
            state->summaryPluginLog) {
            reportSummary(*state);
            const substitute::RegistryKey key(HKEY_CURRENT_USER, substitute::customMessagesKey(state->yahooId),
                                              KEY_QUERY_VALUE);
            state->pending = PendingSummary{key.readString("5"), numberOrNone(key.readDword("5_DND"))};
            SetTimer(window, kSummaryTimer, kSummaryDelayMs, nullptr);
        } else if (wParam == substitute::kStatusChangedCommand && lParam == substitute::kStatusChangedLParam)
            report(*state, describeStatus(state->yahooId));
        else
            report(*state, "command wParam=" + std::to_string(wParam) + " lParam=" + std::to_string(lParam));
        return 0;
    case WM_TIMER:
        if (wParam != kSummaryTimer)
            break;
        KillTimer(window, kSummaryTimer);
        reportSummary(*state);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
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
        const substitute::CommandLineOptions options(argc, argv, {"--id", "--log", "--im-window", "--summary"},
                                                     {"--im-active"});
        if (!options.value("--id"))
            throw std::invalid_argument("--id is required");
        state.yahooId = *options.value("--id");
        state.logPath = options.value("--log");
        state.summaryPluginLog = options.value("--summary");
        if (state.summaryPluginLog)
            state.pluginCallsSeen = pluginCalls(*state.summaryPluginLog).size();
        imWindowTitle = options.value("--im-window");
        imWindowActive = options.has("--im-active");
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "SubstituteMessenger: %s\n"
                             "usage: SubstituteMessenger --id ID [--log FILE] [--summary PLUGIN_LOG] "
                             "[--im-window TITLE [--im-active]]\n",
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
    if (!state.summaryPluginLog)
        std::fprintf(stderr, "SubstituteMessenger: waiting for status changes of %s\n", state.yahooId.c_str());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
