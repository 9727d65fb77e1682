// Start-up timings of the program itself under Wine: from its process start to its icon in the
// notification area, and from a real double click on that icon to the status window painted
// whole; beside them what Wine needs to start a small program of the tree (the stand-in player)
// up to its window, the part of the start that is not Velloran's. Velloran.exe runs from a folder of its own with a settings file; the double click comes
// from xdotool through the relay beside this program (scripts/xinput-relay.sh), and its moment is
// the second press as a low-level mouse hook of this process sees it.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "framework/Handles.h"
#include "tests/tools/ChildProcess.h"
#include "tests/tools/XinputRelay.h"
#include "tests/tray/TrayTestSupport.h"
#include "tools/substitutes/SubstituteProtocol.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRuns = 5;
constexpr auto kStepTimeout = std::chrono::seconds(10);
// The system's double-click time is 500 ms; the presses come well within it.
constexpr char kDoubleClick[] = "click --repeat 2 --delay 80 1";

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The moment of each left-button press anywhere on the display. The hook lives on a thread of its
// own that does nothing but pump, so the presses are never held up by the measuring thread.
class TPressWatch {
public:
    TPressWatch() : thread_([this] { Run(); }) {
        while (!ready_) std::this_thread::yield();
    }
    ~TPressWatch() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Hooked() const { return hooked_; }
    int Presses() const { return presses_; }
    Clock::time_point LastPress() const { return Clock::time_point(Clock::duration(lastPress_.load())); }

private:
    void Run() {
        threadId_ = GetCurrentThreadId();
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
        current_ = this;
        velloran::THookHandle hook(SetWindowsHookExA(WH_MOUSE_LL, &Hook, GetModuleHandleA(nullptr), 0));
        hooked_ = static_cast<bool>(hook);
        ready_ = true;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && wParam == WM_LBUTTONDOWN) {
            current_->lastPress_ = Clock::now().time_since_epoch().count();
            ++current_->presses_;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TPressWatch* current_ = nullptr;
    std::atomic<bool> ready_{false}, hooked_{false};
    std::atomic<int> presses_{0};
    std::atomic<Clock::rep> lastPress_{0};
    DWORD threadId_ = 0;
    std::thread thread_;
};

template <class F>
bool WaitFor(F&& condition) {
    const auto end = Clock::now() + kStepTimeout;
    while (!condition()) {
        if (Clock::now() > end) return false;
        Sleep(1);
    }
    return true;
}

bool NothingToPaint(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && !NothingToPaint(child)) return false;
    return true;
}

// Shown, and nothing left to paint once its thread has answered: the paint messages come only
// when its queue is empty, and a window shown but not yet reached by them still has its update
// region.
bool PaintedWhole(HWND window) {
    if (!IsWindowVisible(window) || !NothingToPaint(window)) return false;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &ignored)) return false;
    return NothingToPaint(window);
}

// The centre of the program's icon in Wine's notification area window: each icon is a window of
// its own there.
std::optional<POINT> IconCentre() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    if (!tray) return std::nullopt;
    const HWND icon = GetWindow(tray, GW_CHILD);
    RECT rect{};
    if (!icon || !GetWindowRect(icon, &rect)) return std::nullopt;
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string Quoted(const fs::path& path) {
    std::string quoted = "\"";
    quoted += path.string();
    quoted += '"';
    return quoted;
}

struct TRun {
    double ToTrayIcon = 0;
    double ToStatusWindow = 0;
};

TRun MeasureOnce(const fs::path& program, const TPressWatch& presses) {
    TRun run;
    const auto start = Clock::now();
    velloran::testing::ChildProcess velloran(Quoted(program));
    const auto iconAdded = [&] {
        for (HWND wnd : velloran.windows("TPUtilWindow"))
            if (velloran::traytest::InShell(wnd)) return true;
        return false;
    };
    if (!WaitFor(iconAdded)) throw std::runtime_error("the program's icon never reached the notification area");
    run.ToTrayIcon = Milliseconds(Clock::now() - start);

    const HWND status = velloran.waitForWindow("TMainForm", kStepTimeout);
    if (!status) throw std::runtime_error("the program has no status window");
    std::optional<POINT> icon;
    if (!WaitFor([&] { return (icon = IconCentre()).has_value(); }))
        throw std::runtime_error("no icon window in the notification area");
    using velloran::xinput::Xdotool;
    if (!Xdotool("mousemove " + std::to_string(icon->x) + " " + std::to_string(icon->y)))
        throw std::runtime_error("xdotool could not move the pointer");
    const int pressesBefore = presses.Presses();
    if (!Xdotool(kDoubleClick)) throw std::runtime_error("xdotool could not double-click");
    if (!WaitFor([&] { return PaintedWhole(status); }))
        throw std::runtime_error("the status window did not open on a double click on the icon");
    const auto painted = Clock::now();
    if (presses.Presses() - pressesBefore != 2) throw std::runtime_error("the mouse hook did not see both presses");
    run.ToStatusWindow = Milliseconds(painted - presses.LastPress());

    PostMessageA(status, WM_CLOSE, 0, 0);
    if (!velloran.waitForExit(kStepTimeout)) throw std::runtime_error("the program did not end on closing its window");
    return run;
}

double SmallProgramStart(const fs::path& player) {
    const auto start = Clock::now();
    velloran::testing::ChildProcess program(Quoted(player));
    if (!program.waitForWindow(substitute::kPlayerWindowClass, kStepTimeout))
        throw std::runtime_error("the stand-in player never opened its window");
    const double elapsed = Milliseconds(Clock::now() - start);
    program.close();
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (!velloran::xinput::HasXinputRelay())
            throw std::runtime_error("run beside scripts/xinput-relay.sh: the double click is real input");
        const fs::path built = fs::path(argv[0]).parent_path() / "Velloran.exe";
        const fs::path folder = fs::temp_directory_path() / ("velloran_startup_" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder);
        const fs::path program = folder / "Velloran.exe";
        fs::copy_file(built, program, fs::copy_options::overwrite_existing);
        std::ofstream(folder / "Velloran.ini") << "[General]\r\nMsg=%song%\r\n[Yahoo!]\r\nID=startup_timing\r\n";

        TPressWatch presses;
        if (!presses.Hooked()) throw std::runtime_error("no low-level mouse hook");
        std::vector<double> toTray, toStatus, smallProgram;
        for (int i = 0; i < kRuns; ++i) {
            smallProgram.push_back(SmallProgramStart(fs::path(argv[0]).parent_path() / "SubstitutePlayer.exe"));
            const TRun run = MeasureOnce(program, presses);
            toTray.push_back(run.ToTrayIcon);
            toStatus.push_back(run.ToStatusWindow);
        }
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        const auto print = [](const char* what, const std::vector<double>& values) {
            std::printf("  %-52s %7.1f ms (%.1f)\n", what, Median(values), *std::min_element(values.begin(), values.end()));
        };
        std::printf("Start-up of Velloran.exe, median of %d runs (fastest): tray icon / small program = %.2f\n", kRuns,
                    Median(toTray) / Median(smallProgram));
        print("process start to tray icon added", toTray);
        print("double click on the icon to status window painted", toStatus);
        print("a small program's start to its window (Wine's part)", smallProgram);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_timing: %s\n", error.what());
        return 1;
    }
}
