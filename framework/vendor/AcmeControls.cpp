#include "framework/vendor/AcmeControls.h"

#include <windowsx.h>

#include "framework/StdCtrls.h"

namespace velloran {

// ---- TAcmeButton -------------------------------------------------------------------------

const TClassInfo& TAcmeButton::StaticClassInfo() {
    using C = TAcmeButton;
    static const TClassInfo info =
        DefineClass<C>("TAcmeButton", &TWinControl::StaticClassInfo(), {props::Bool("Default", &C::Default, &C::SetDefault)});
    return info;
}

TAcmeButton::TAcmeButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    width_ = 75;
    height_ = 25;
}

void TAcmeButton::SetDefault(bool v) {
    if (default_ == v) return;
    default_ = v;
    Invalidate();
}

bool TAcmeButton::Pressed() const { return press_ == prKey || (press_ == prMouse && mouseOver_); }

bool TAcmeButton::IsActive() const {
    return Focused() || (default_ && !dynamic_cast<TAcmeButton*>(FromHandle(GetFocus())));
}

bool TAcmeButton::Inside(POINT p) const {
    const RECT client = ClientRect();
    return PtInRect(&client, p) != FALSE;
}

void TAcmeButton::SetPress(TPress press) {
    if (press_ == press) return;
    press_ = press;
    Invalidate();
}

void TAcmeButton::MouseReleased(POINT p) {
    if (press_ != prMouse) return;
    SetPress(prNone);
    if (GetCapture() == handle_) ReleaseCapture();
    if (Inside(p)) Click();
}

void TAcmeButton::WndProc(TMessage& m) {
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (CanFocus()) SetFocus();
        mouseOver_ = true;
        SetPress(prMouse);
        SetCapture(handle_);
        return;
    case WM_MOUSEMOVE:
        if (press_ == prMouse && Inside(p) != mouseOver_) {
            mouseOver_ = !mouseOver_;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        MouseReleased(p);
        return;
    case WM_CAPTURECHANGED:
        if (press_ == prMouse && reinterpret_cast<HWND>(m.LParam) != handle_) SetPress(prNone);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        TWinControl::WndProc(m);  // the key events may swallow the key
        if (m.WParam != VK_SPACE) return;
        if (m.Msg == WM_KEYDOWN && press_ == prNone) {
            SetPress(prKey);
        } else if (m.Msg == WM_KEYUP && press_ == prKey) {
            SetPress(prNone);
            Click();
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m.Msg == WM_KILLFOCUS && press_ == prKey) SetPress(prNone);
        Invalidate();
        break;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        break;
    case CM_DIALOGKEY:
        if (m.WParam == VK_RETURN && IsActive()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void TAcmeButton::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    RECT r = ClientRect();
    if (IsActive()) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    const bool pressed = Pressed();
    DrawFrameControl(dc, &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
    RECT face = ClientRect();
    InflateRect(&face, -4, -4);
    if (pressed) OffsetRect(&face, 1, 1);
    PaintFace(dc, face);
    if (Focused()) {
        RECT focus = ClientRect();
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void TAcmeButton::PaintFace(HDC dc, RECT face) {
    const std::string caption = GetText();
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- TAcmeMenuButton ---------------------------------------------------------------------

const TClassInfo& TAcmeMenuButton::StaticClassInfo() {
    using C = TAcmeMenuButton;
    static const TClassInfo info = DefineClass<C>("TAcmeMenuButton", &TAcmeButton::StaticClassInfo(),
                                                  {props::Reference("DropDownMenu", &C::DropDownMenu, &C::SetDropDownMenu)});
    return info;
}

TAcmeMenuButton::TAcmeMenuButton(TComponent* owner) : TAcmeButton(owner) {}

void TAcmeMenuButton::SetDropDownMenu(TPopupMenu* menu) {
    if (dropDownMenu_ == menu) return;
    if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TAcmeMenuButton::Notification(TComponent* component, TOperation operation) {
    TAcmeButton::Notification(component, operation);
    if (operation == TOperation::Remove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TAcmeMenuButton::Click() {
    TAcmeButton::Click();
    if (!dropDownMenu_ || !HandleAllocated()) return;
    RECT r;
    GetWindowRect(Handle(), &r);
    dropDownMenu_->SetPopupComponent(this);
    dropDownMenu_->Popup(r.left, r.bottom);
}

void TAcmeMenuButton::PaintFace(HDC dc, RECT face) {
    constexpr int kArrowWidth = 13;
    // A small triangle pointing down, centred in the arrow's room at the right.
    const int x = face.right - kArrowWidth / 2 - 1, y = (face.top + face.bottom) / 2;
    const POINT arrow[] = {{x - 3, y - 1}, {x + 3, y - 1}, {x, y + 2}};
    {
        const COLORREF color = GetSysColor(Enabled() ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
        TBrushHandle brush(CreateSolidBrush(color));
        TPenHandle pen(CreatePen(PS_SOLID, 1, color));
        TSavedDC saved(dc);  // gives the brush and pen back before they are deleted
        SelectObject(dc, brush.get());
        SelectObject(dc, pen.get());
        Polygon(dc, arrow, 3);
    }
    face.right -= kArrowWidth;
    TAcmeButton::PaintFace(dc, face);
}

// ---- TAcmePngButton ----------------------------------------------------------------------

const TClassInfo& TAcmePngButton::StaticClassInfo() {
    using C = TAcmePngButton;
    static const TClassInfo info =
        DefineClass<C>("TAcmePngButton", &TAcmeButton::StaticClassInfo(), {props::SubObject("PngImage", &C::PngImage)});
    return info;
}

TAcmePngButton::TAcmePngButton(TComponent* owner) : TAcmeButton(owner), pngImage_(std::make_unique<TBitmap>()) {
    pngImage_->OnChange = [this](TObject*) { Invalidate(); };
}

void TAcmePngButton::PaintFace(HDC dc, RECT face) {
    if (!pngImage_->Empty()) {
        TCanvas canvas(dc);
        canvas.Draw(face.left, face.top + (face.bottom - face.top - pngImage_->Height()) / 2, *pngImage_);
        face.left += pngImage_->Width() + 2;
    }
    TAcmeButton::PaintFace(dc, face);
}

// ---- TAcmePanel --------------------------------------------------------------------------

const TClassInfo& TAcmePanel::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TAcmePanel>("TAcmePanel", &TCustomPanel::StaticClassInfo());
    return info;
}

void RegisterAcmeControls() {
    for (const TClassInfo* c : {&TAcmeButton::StaticClassInfo(), &TAcmeMenuButton::StaticClassInfo(),
                                &TAcmePngButton::StaticClassInfo(), &TAcmePanel::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
