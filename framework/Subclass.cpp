#include "framework/Subclass.h"

#include <commctrl.h>

#include <stdexcept>

#include "framework/UtilWindow.h"

namespace velloran {

TWindowSubclass::TWindowSubclass(HWND wnd, TProc proc) : wnd_(wnd), proc_(std::move(proc)) {
    if (!SetWindowSubclass(wnd_, &TWindowSubclass::Thunk, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("Cannot hook the window's messages");
    attached_ = true;
}

TWindowSubclass::~TWindowSubclass() { Detach(); }

void TWindowSubclass::Detach() {
    if (!attached_) return;
    attached_ = false;
    RemoveWindowSubclass(wnd_, &TWindowSubclass::Thunk, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK TWindowSubclass::Thunk(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<TWindowSubclass*>(ref);
    // The window goes: leave the chain before the message passes on, as the platform asks; the
    // owner still sees the message.
    if (msg == WM_NCDESTROY) self->Detach();
    try {
        return self->proc_(wnd, msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}

}  // namespace velloran
