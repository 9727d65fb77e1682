#pragma once
// One hook on a window's message handling, owned: installed with the platform's subclass chain,
// so that code hooking the same window before or after is never cut out, and removed when the
// owner goes or the window is destroyed, whichever comes first.
#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace velloran {

class TWindowSubclass {
public:
    // Sees every message first; calls CallNext for what the window would have done without it.
    using TProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    TWindowSubclass(HWND wnd, TProc proc);
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    bool Attached() const { return attached_; }
    // Leaves the chain now; the window keeps every other hook.
    void Detach();

    static LRESULT CallNext(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(wnd, msg, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Thunk(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    HWND wnd_;
    TProc proc_;
    bool attached_ = false;
};

}  // namespace velloran
