#include "framework/vendor/RzCheckBoxes.h"

#include <windowsx.h>

#include "framework/Messages.h"

namespace velloran {

namespace {

// The platform's check box and radio circle are 13 pixels square.
constexpr int kPlatformGlyph = 13;
constexpr int kCaptionGap = 4;

}  // namespace

// ---- TRzCustomCheck ----------------------------------------------------------------------

const TClassInfo& TRzCustomCheck::StaticClassInfo() {
    using C = TRzCustomCheck;
    static const TClassInfo info =
        DefineClass<C>("TRzCustomCheck", &TWinControl::StaticClassInfo(),
                       {props::SubObject("CustomGlyphs", &C::CustomGlyphs),
                        props::Int("TransparentColor", &C::TransparentColor, &C::SetTransparentColor),
                        props::Bool("UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs),
                        props::Bool("Checked", &C::Checked, &C::SetChecked)});
    return info;
}

TRzCustomCheck::TRzCustomCheck(TComponent* owner)
    : TWinControl(owner), customGlyphs_(std::make_unique<TBitmap>()) {
    SetTabStop(true);
    width_ = 120;
    height_ = 17;
}

void TRzCustomCheck::SetTransparentColor(int colour) {
    if (transparentColor_ == colour) return;
    transparentColor_ = colour;
    Invalidate();
}

void TRzCustomCheck::SetUseCustomGlyphs(bool use) {
    const bool turnedOn = use && !useCustomGlyphs_;
    useCustomGlyphs_ = use;
    if (turnedOn)
        shownGlyphs_.Assign(*customGlyphs_);
    else if (!use)
        shownGlyphs_.SetSize(0, 0);
    Invalidate();
}

TRzCustomCheck::TGlyphRow TRzCustomCheck::Row() const {
    if (!Enabled()) return grDisabled;
    return pressed_ ? grPressed : grNormal;
}

// A slot of the strip when there is one, else the platform's glyph.
bool TRzCustomCheck::HasStrip() const { return !shownGlyphs_.Empty() && shownGlyphs_.Width() >= Marks() * 3; }

SIZE TRzCustomCheck::GlyphSize() const {
    if (!HasStrip()) return {kPlatformGlyph, kPlatformGlyph};
    return {shownGlyphs_.Width() / (Marks() * 3), shownGlyphs_.Height()};
}

void TRzCustomCheck::DrawGlyph(HDC dc, const RECT& box) {
    if (!HasStrip()) {
        RECT platform = box;
        const TGlyphRow row = Row();
        DrawFrameControl(dc, &platform, DFC_BUTTON,
                         PlatformLook() | (row == grPressed ? DFCS_PUSHED : 0) | (row == grDisabled ? DFCS_INACTIVE : 0));
        return;
    }
    const SIZE size = GlyphSize();
    const int slot = Row() * Marks() + Mark();
    TransparentBlt(dc, box.left, box.top, size.cx, size.cy, shownGlyphs_.Canvas().Handle(), slot * size.cx, 0, size.cx,
                   size.cy, static_cast<UINT>(ColorToRGB(static_cast<TColor>(transparentColor_))));
}

void TRzCustomCheck::DrawCaption(HDC dc, RECT room) {
    const std::string caption = GetText();
    if (caption.empty()) return;
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    RECT text = room;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_CALCRECT);
    const int height = text.bottom - text.top;
    text.top = room.top + (room.bottom - room.top - height) / 2;
    text.bottom = text.top + height;
    text.right = std::min(text.right, room.right);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_END_ELLIPSIS);
    if (Focused()) {
        InflateRect(&text, 1, 1);
        DrawFocusRect(dc, &text);
    }
}

void TRzCustomCheck::PaintWindow(HDC dc) {
    PaintBackground(dc);
    const RECT client = ClientRect();
    const SIZE size = GlyphSize();
    const int top = (client.bottom - size.cy) / 2;
    DrawGlyph(dc, RECT{0, top, size.cx, top + size.cy});
    DrawCaption(dc, RECT{size.cx + kCaptionGap, 0, client.right, client.bottom});
}

void TRzCustomCheck::MouseReleased(POINT p) {
    if (!pressed_) return;
    pressed_ = false;
    if (GetCapture() == handle_) ReleaseCapture();
    Invalidate();
    const RECT client = ClientRect();
    if (PtInRect(&client, p)) Click();
}

void TRzCustomCheck::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (CanFocus()) SetFocus();
            pressed_ = true;
            SetCapture(handle_);
            Invalidate();
            return;
        case WM_LBUTTONUP:
            MouseReleased(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            return;
        case WM_CAPTURECHANGED:
            if (pressed_ && reinterpret_cast<HWND>(m.LParam) != handle_) {
                pressed_ = false;
                Invalidate();
            }
            break;
        case WM_KEYUP:
            TWinControl::WndProc(m);
            if (m.WParam == VK_SPACE) Click();
            return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
            Invalidate();
            break;
        default:
            break;
    }
    TWinControl::WndProc(m);
}

// ---- TRzCheckBox -------------------------------------------------------------------------

const TClassInfo& TRzCheckBox::StaticClassInfo() {
    using C = TRzCheckBox;
    static const TClassInfo info = DefineClass<C>("TRzCheckBox", &TRzCustomCheck::StaticClassInfo(),
                                                  {props::Enum("State", CheckBoxStateEnum, &C::State, &C::SetState)});
    return info;
}

void TRzCheckBox::SetState(TCheckBoxState state) {
    if (state_ == state) return;
    state_ = state;
    Invalidate();
}

void TRzCheckBox::Click() {
    SetChecked(!Checked());
    TRzCustomCheck::Click();
}

UINT TRzCheckBox::PlatformLook() const {
    switch (state_) {
        case cbChecked:
            return DFCS_BUTTONCHECK | DFCS_CHECKED;
        case cbGrayed:
            return DFCS_BUTTON3STATE | DFCS_CHECKED;
        default:
            return DFCS_BUTTONCHECK;
    }
}

// ---- TRzRadioButton ----------------------------------------------------------------------

const TClassInfo& TRzRadioButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TRzRadioButton>("TRzRadioButton", &TRzCustomCheck::StaticClassInfo());
    return info;
}

void TRzRadioButton::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Invalidate();
    if (!checked || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRzRadioButton*>(Parent()->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TRzRadioButton::Click() {
    SetChecked(true);
    TRzCustomCheck::Click();
}

void RegisterRzCheckBoxes() {
    for (const TClassInfo* c : {&TRzCheckBox::StaticClassInfo(), &TRzRadioButton::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
