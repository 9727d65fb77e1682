#include "tools/screenshots/FocusSink.h"

#include <stdexcept>

namespace velloran {

namespace {
constexpr char kClassName[] = "VelloranFocusSink";
constexpr int kWidth = 80, kHeight = 40, kCornerGap = 10;
}  // namespace

TFocusSink::TFocusSink() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    const int x = GetSystemMetrics(SM_CXSCREEN) - kWidth - kCornerGap;
    const int y = GetSystemMetrics(SM_CYSCREEN) - kHeight - kCornerGap;
    window_.reset(CreateWindowExA(0, kClassName, "", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, kWidth, kHeight, nullptr,
                                  nullptr, windowClass.hInstance, nullptr));
    if (!window_) throw std::runtime_error("Cannot create the focus sink window");
}

void TFocusSink::Activate() const {
    EnableWindow(window_.get(), TRUE);
    SetForegroundWindow(window_.get());
    SetActiveWindow(window_.get());
}

}  // namespace velloran
