#pragma once
// Observers of the notification area and of popup menus, shared by the Windows tests.
#include <windows.h>
#include <shellapi.h>

namespace velloran::traytest {

// Only an icon the shell holds can be modified.
inline bool InShell(HWND wnd) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = wnd;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

// Reads the popup menu open on this thread from within its modal loop, then closes it.
class TMenuSpy {
public:
    TMenuSpy() : timer_(SetTimer(nullptr, 0, 20, &Tick)) { spy_ = this; }
    ~TMenuSpy() {
        KillTimer(nullptr, timer_);
        spy_ = nullptr;
    }
    HMENU Menu = nullptr;
    RECT Rect{};

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND wnd = FindWindowA("#32768", nullptr);
        if (!spy_) return;
        if (wnd && IsWindowVisible(wnd) && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
            spy_->Menu = reinterpret_cast<HMENU>(SendMessageA(wnd, MN_GETHMENU, 0, 0));
            GetWindowRect(wnd, &spy_->Rect);
            EndMenu();
        } else if (++spy_->ticks_ > 250) {
            EndMenu();  // a menu the spy cannot see must not hold the run
        }
    }
    static inline TMenuSpy* spy_ = nullptr;
    UINT_PTR timer_;
    int ticks_ = 0;
};

}  // namespace velloran::traytest
