#include "skin/controls/SkinButtons.h"

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/data/SkinImage.h"

namespace velloran {

namespace {
// The drop-down part at a menu button's right.
constexpr int kMenuArrowWidth = 17;
}  // namespace

const TClassInfo& TSkinButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinButton>("TSkinButton", &TSkinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinMenuButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinMenuButton>("TSkinMenuButton", &TSkinButton::StaticClassInfo());
    return info;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner) {}

void TSkinButton::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Control) return;
    const std::string lower = LowerCase(ControlClassName(*Control));
    // These vendors' buttons take the press themselves.
    Kind = lower.starts_with("trz") || lower.starts_with("tel") ? 1 : 0;
    TransparentBackground = Control->Tag() == kTransparentTag || (SkinData->Options() & SkinBit(xoTransparent));
}

bool TSkinButton::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            PaintBeginEnd(m);
            return false;
        case WM_ERASEBKGND:
            m.Result = 1;
            return false;
        case WM_TIMER:
            KillTimer(Window, 1);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The native button never sees the press: the skinner draws the pressed state and
            // reports the click itself, so that a press that leaves the button gives none.
            if (GetFocus() != Window) SetFocus(Window);
            MouseState |= mfPressed;
            PaintWindow(nullptr);
            m.Result = 0;
            return false;
        default:
            return TSkinControl::BeforeProc(m);
    }
}

void TSkinButton::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETTEXT:
            PaintWindow(nullptr);
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (m.WParam != VK_SPACE) break;
            MouseState = m.Msg == WM_KEYDOWN ? (MouseState | mfPressed) : (MouseState & ~mfPressed);
            Refresh();
            break;
        case WM_MOUSEMOVE:
            if (IsWindowEnabled(Window) && !Hot()) {
                MouseState |= mfHot;
                Refresh();
            }
            RequestMouseLeave(Window);
            break;
        case WM_LBUTTONUP:
            if (!Pressed()) break;
            MouseState &= ~mfPressed;
            Refresh();
            Click();
            break;
        case WM_MOUSELEAVE:
            MouseState = 0;
            Refresh();
            break;
        case CM_DIALOGKEY:
        case CM_FOCUSCHANGED:
            Refresh();
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinButton::Click() {
    if (Control) {
        Control->Click();
        return;
    }
    const bool frameworkButton = LowerCase(WindowClassName(Window)) == "tbutton";
    const WPARAM id = frameworkButton ? 0 : MAKEWPARAM(GetDlgCtrlID(Window), BN_CLICKED);
    PostMessageW(GetParent(Window), WM_COMMAND, id, reinterpret_cast<LPARAM>(Window));
}

TButtonFrame TSkinButton::ReadState(bool focusUsesHot) {
    const DWORD style = WindowStyle();
    Focused = GetFocus() == Window;
    Enabled = !(style & WS_DISABLED);
    Caption = ReadCaption();
    // A dialog's default button says so by its style; a control object by its property.
    const bool isDefault = Control ? PropIs(Control, "Default", "true") : (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (!Enabled) return bfDisabled;
    if (Pressed()) return bfPressed;
    if (Hot() || (focusUsesHot && Focused)) return bfHot;
    if (!focusUsesHot && (Focused || isDefault)) return bfFocused;
    return bfNormal;
}

void TSkinButton::DrawFace(HDC dc, const RECT& rect, TButtonFrame frame) const {
    TDataSkinButton& button = SkinData->Button;
    FillBackground(dc, rect, TransparentBackground);
    DrawSkinFrame(dc, rect, button.Frame, frame, button);
}

COLORREF TSkinButton::TextColour(TButtonFrame frame, bool normalColourEverywhere) const {
    const TDataSkinButton& button = SkinData->Button;
    if (frame == bfDisabled) return GetSysColor(COLOR_BTNSHADOW);
    if (frame == bfHot && button.HasMouseOverColour2) return ColorToRGB(static_cast<TColor>(button.MouseOverColour2));
    if (frame == bfPressed && button.HasPressedColour2) return ColorToRGB(static_cast<TColor>(button.PressedColour2));
    if (button.HasNormalColour2 && (normalColourEverywhere || frame == bfNormal))
        return ColorToRGB(static_cast<TColor>(button.NormalColour2));
    return FontColour();
}

bool TSkinButton::WantsFocusRect() const { return Focused && !(SkinData->Options() & SkinBit(xoNoFocusRect)); }

void TSkinButton::PaintControl(HDC dc, const RECT& rect) {
    if (SkinData->Button.Bitmap->Empty()) return;
    const TButtonFrame frame = ReadState(false);
    TOffscreen off(dc, rect.right, rect.bottom);
    if (!off) return;
    DrawFace(off.DC(), rect, frame);
    TSelectObject font(off.DC(), ControlFont());
    SetTextColor(off.DC(), TextColour(frame, true));
    // "||" in a caption breaks it into two lines.
    std::wstring text = Caption;
    if (const size_t bar = text.find(L"||"); bar != std::wstring::npos) text.replace(bar, 2, L"\r\n");
    RECT inner = rect;
    InflateRect(&inner, -2, -2);
    const RECT placed = DrawMultiLineCaption(off.DC(), text, inner, DT_CENTER, true);
    if (WantsFocusRect()) DrawFocusAround(off.DC(), placed, rect);
    off.CopyTo(dc, rect.left, rect.top);
}

void TSkinMenuButton::PaintControl(HDC dc, const RECT& rect) {
    if (SkinData->Button.Bitmap->Empty()) return;
    const TButtonFrame frame = ReadState(true);
    TOffscreen off(dc, rect.right, rect.bottom);
    if (!off) return;
    const HDC paint = off.DC();
    DrawFace(paint, rect, frame);
    TSelectObject font(paint, ControlFont());
    SetTextColor(paint, TextColour(frame, false));
    SetBkMode(paint, TRANSPARENT);

    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT measured{rect.left + 2, rect.top + 2, rect.right - kMenuArrowWidth - 2, rect.bottom - 2};
    SkinDrawText(paint, Caption, measured, TextFlags(DT_CALCRECT | DT_WORDBREAK));
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    RECT placed{};
    placed.left = rect.left + (width - kMenuArrowWidth - textWidth) / 2 + 2;
    placed.top = rect.top + (height - textHeight + 1) / 2;
    placed.right = placed.left + textWidth;
    placed.bottom = placed.top + textHeight;
    SkinDrawText(paint, Caption, placed, TextFlags(DT_WORDBREAK));

    const POINT arrow[3] = {{rect.left + width - 12, rect.top + height / 2 + 2},
                            {rect.left + width - 15, rect.top + height / 2 - 1},
                            {rect.left + width - 9, rect.top + height / 2 - 1}};
    const COLORREF arrowColour = GetSysColor(frame == bfDisabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    TBrushHandle brush(CreateSolidBrush(arrowColour));
    TPenHandle pen(CreatePen(PS_SOLID, 1, arrowColour));
    {
        TSelectObject selectBrush(paint, brush.get());
        TSelectObject selectPen(paint, pen.get());
        Polygon(paint, arrow, 3);
    }
    if (WantsFocusRect()) DrawFocusAround(paint, placed, rect);
    off.CopyTo(dc, rect.left, rect.top);
}

}  // namespace velloran
