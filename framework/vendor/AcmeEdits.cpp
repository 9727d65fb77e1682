#include "framework/vendor/AcmeEdits.h"

#include <windowsx.h>

#include <algorithm>

namespace velloran {

const TClassInfo& TDCEdit::StaticClassInfo() {
    using C = TDCEdit;
    static const TClassInfo info = DefineClass<C>("TDCEdit", &TWinControl::StaticClassInfo(),
                                                  {props::Int("NumButtons", &C::NumButtons, &C::SetNumButtons)});
    return info;
}

TDCEdit::TDCEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 121;
    height_ = 22;
}

void TDCEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "EDIT";
    p.Style |= ES_AUTOHSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDCEdit::InitializeWnd() {
    TWinControl::InitializeWnd();
    ReserveButtonRoom();
}

void TDCEdit::SetNumButtons(int count) {
    numButtons_ = std::max(count, 0);
    if (!HandleAllocated()) return;
    ReserveButtonRoom();
    InvalidateRect(handle_, nullptr, TRUE);
}

void TDCEdit::ReserveButtonRoom() {
    const int room = numButtons_ * GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(handle_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, room));
}

RECT TDCEdit::ButtonRect(int index) const {
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    const int right = ClientWidth() - (numButtons_ - 1 - index) * width;
    return RECT{right - width, 0, right, ClientHeight()};
}

int TDCEdit::ButtonAt(POINT client) const {
    for (int i = 0; i < numButtons_; ++i) {
        const RECT button = ButtonRect(i);
        if (PtInRect(&button, client)) return i;
    }
    return -1;
}

void TDCEdit::PaintButtons() {
    if (numButtons_ == 0) return;
    const TWindowDC dc(handle_);
    if (!dc) return;
    for (int i = 0; i < numButtons_; ++i) {
        RECT button = ButtonRect(i);
        DrawFrameControl(dc.get(), &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (pressed_ == i ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
    }
}

void TDCEdit::WndProc(TMessage& m) {
    const POINT point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A press on a button neither moves the caret nor selects text.
            if ((pressed_ = ButtonAt(point)) >= 0) {
                SetCapture(handle_);
                PaintButtons();
                return;
            }
            break;
        case WM_LBUTTONUP:
            if (pressed_ >= 0) {
                const int button = pressed_;
                pressed_ = -1;
                ReleaseCapture();
                PaintButtons();
                if (ButtonAt(point) == button && OnButtonClick) OnButtonClick(this, button);
                return;
            }
            break;
        case WM_SETCURSOR: {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(handle_, &cursor);
            if (ButtonAt(cursor) >= 0) {
                SetCursor(LoadCursorA(nullptr, IDC_ARROW));
                m.Result = TRUE;
                return;
            }
            break;
        }
        default:
            break;
    }
    TWinControl::WndProc(m);
    // The edit paints its text; the buttons come over it.
    if (m.Msg == WM_PAINT || m.Msg == WM_ENABLE || m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS) PaintButtons();
}

void RegisterAcmeEdits() { RegisterComponentClass(TDCEdit::StaticClassInfo()); }

}  // namespace velloran
