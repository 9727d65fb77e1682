// Stands in for Winamp: a window of Winamp's class whose title and play position tests control.
#include "CommandLineOptions.h"
#include "SubstituteProtocol.h"

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

struct DemoSong {
    const char* title;
    int lengthSeconds;
};

constexpr std::array<DemoSong, 4> kDemoSongs{{
    {"1. Marlow Finch - Paper Lanterns - Winamp", 19},
    {"2. The Quiet Orchard - Northbound - Winamp", 21},
    {"3. Ida Verne - Salt and Cedar - Winamp", 20},
    {"4. Copperline - Late Ferry - Winamp", 22},
}};

constexpr UINT_PTR kDemoTimer = 1;
constexpr UINT kDemoTimerMs = 200;

struct PlayerState {
    int positionMs = -1;
    int lengthSeconds = 0;
    std::chrono::steady_clock::time_point demoStart;
    std::size_t demoSong = kDemoSongs.size();
};

int demoCycleMs()
{
    int total = 0;
    for (const DemoSong& song : kDemoSongs)
        total += song.lengthSeconds * 1000;
    return total;
}

// Places the demo at the song and position that the time since its start falls on.
void advanceDemo(HWND window, PlayerState& state)
{
    const auto elapsed = std::chrono::steady_clock::now() - state.demoStart;
    int intoCycle = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() % demoCycleMs());
    std::size_t song = 0;
    while (intoCycle >= kDemoSongs[song].lengthSeconds * 1000) {
        intoCycle -= kDemoSongs[song].lengthSeconds * 1000;
        ++song;
    }
    state.positionMs = intoCycle;
    state.lengthSeconds = kDemoSongs[song].lengthSeconds;
    if (song != state.demoSong) {
        state.demoSong = song;
        SetWindowTextA(window, kDemoSongs[song].title);
    }
}

LRESULT CALLBACK playerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<PlayerState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_USER:
        if (lParam != substitute::kIpcGetOutputTime)
            return 0;
        if (wParam == substitute::kOutputTimePosition)
            return state->positionMs;
        if (wParam == substitute::kOutputTimeLength)
            return state->lengthSeconds;
        return -1;
    case substitute::kSetPositionMessage:
        state->positionMs = static_cast<std::int32_t>(wParam);
        return 0;
    case substitute::kSetLengthMessage:
        state->lengthSeconds = static_cast<std::int32_t>(wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kDemoTimer)
            advanceDemo(window, *state);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    PlayerState state;
    std::string title = "Winamp 2.91";
    bool demo = false;
    try {
        const substitute::CommandLineOptions options(argc, argv, {"--title", "--position", "--length"},
                                                     {"--demo"});
        title = options.value("--title").value_or(title);
        state.positionMs = options.integer("--position", state.positionMs);
        state.lengthSeconds = options.integer("--length", state.lengthSeconds);
        demo = options.has("--demo");
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "SubstitutePlayer: %s\n"
                             "usage: SubstitutePlayer [--title TEXT] [--position MS] [--length S] | --demo\n",
                     error.what());
        return 2;
    }

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = playerWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = substitute::kPlayerWindowClass;
    if (!RegisterClassExA(&windowClass))
        return 1;
    const HWND window = CreateWindowExA(0, substitute::kPlayerWindowClass, title.c_str(),
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 275, 116,
                                        nullptr, nullptr, instance, &state);
    if (!window)
        return 1;
    if (demo) {
        state.demoStart = std::chrono::steady_clock::now();
        advanceDemo(window, state);
        SetTimer(window, kDemoTimer, kDemoTimerMs, nullptr);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
