#include "framework/UtilWindow.h"

#include <stdexcept>

namespace velloran {

namespace {
constexpr char kUtilClass[] = "TPUtilWindow";
}  // namespace

bool RegisterPlainWindowClass(const char* name, HCURSOR cursor) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

TUtilWindow::TUtilWindow(TUtilMethod method) : method_(std::move(method)) {
    static const bool registered = RegisterPlainWindowClass(kUtilClass);
    if (!registered) throw std::runtime_error("Cannot register the helper window class");
    wnd_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kUtilClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr));
    if (!wnd_) throw std::runtime_error("Cannot create the helper window");
    SetWindowLongPtrA(wnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(wnd_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TUtilWindow::Proc));
}

TUtilWindow::~TUtilWindow() {
    if (wnd_) SetWindowLongPtrA(wnd_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
}

LRESULT CALLBACK TUtilWindow::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self || !self->method_) return DefWindowProcA(wnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        if (!self->method_(m)) return DefWindowProcA(wnd, msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
    }
    return m.Result;
}

}  // namespace velloran
