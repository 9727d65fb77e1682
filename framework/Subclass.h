#pragma once
// One hook on a window's message handling, owned: a link in the window's chain of hooks, so that
// code hooking the same window before or after is never cut out, and removed when the owner goes
// or the window is destroyed, whichever comes first.
//
// The chain works as the platform's SetWindowSubclass does (the newest link sees a message first
// and passes it on with CallNext; links leave in any order, also while a message runs through
// them), but finds a window's chain in the process's own table: the platform's keeps it in a
// window property, which some platforms (Wine among them) fetch from their server for every link
// of every message.
#include <windows.h>

#include <functional>

namespace velloran {

class TWindowSubclass {
public:
    // Sees every message first; calls CallNext for what the window would have done without it.
    using TProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    // Hooks a window of the calling thread; throws when the window cannot be hooked.
    TWindowSubclass(HWND wnd, TProc proc);
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    bool Attached() const { return attached_; }
    // Leaves the chain now; the window keeps every other hook.
    void Detach();

    // From inside a link: passes the message to the links below it, then to the window's own
    // procedure.
    static LRESULT CallNext(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    friend class TSubclassChain;
    LRESULT Run(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND wnd_;
    TProc proc_;
    bool attached_ = false;
};

}  // namespace velloran
