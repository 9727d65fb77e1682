#pragma once
// A hidden helper window whose messages go to a function: timers, popup menus and the tray icon
// need a window of their own without being controls. It is a hidden top-level window rather
// than a message-only one, so that it also hears broadcasts such as the shell's restart.
#include <functional>

#include "framework/Handles.h"
#include "framework/Messages.h"

namespace velloran {

// Registers a window class whose windows draw nothing of their own (DefWindowProcA; their owner
// subclasses or paints them). A class already registered counts; false when the platform refuses.
bool RegisterPlainWindowClass(const char* name, HCURSOR cursor = nullptr);

// Returns true when it handled the message; the rest goes to DefWindowProc.
using TUtilMethod = std::function<bool(TMessage&)>;

class TUtilWindow {
public:
    explicit TUtilWindow(TUtilMethod method);
    TUtilWindow(const TUtilWindow&) = delete;
    TUtilWindow& operator=(const TUtilWindow&) = delete;
    ~TUtilWindow();
    HWND Handle() const { return wnd_.get(); }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    TUtilMethod method_;
    TWindowHandle wnd_;
};

// Reports an exception caught at the edge of a Win32 callback through the application's error
// box; no C++ exception may unwind into the system's code.
void HandleCallbackException() noexcept;

}  // namespace velloran
