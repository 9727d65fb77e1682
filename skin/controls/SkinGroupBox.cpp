#include "skin/controls/SkinGroupBox.h"

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// Where the caption starts from the side it is aligned to, and the frame's corner size.
constexpr int kCaptionIndent = 8;
constexpr int kCornerSize = 5;
}  // namespace

const TClassInfo& TSkinGroupBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinGroupBox>("TSkinGroupBox", &TSkinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinBox>("TSkinBox", &TSkinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinBoxH::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinBoxH>("TSkinBoxH", &TSkinControl::StaticClassInfo());
    return info;
}

bool TSkinBoxH::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_ERASEBKGND: {
            RECT whole{};
            GetWindowRect(Window, &whole);
            OffsetRect(&whole, -whole.left, -whole.top);
            FillColour(reinterpret_cast<HDC>(m.WParam), whole, SkinBackground());
            // Erased: the window's painter must not erase it again.
            m.Result = 1;
            return false;
        }
        case WM_CTLCOLORSTATIC:
            CallDefault(m);
            // The dialog's static texts on the skin's face, their text cells too.
            SetBkColor(reinterpret_cast<HDC>(m.WParam), SkinBackground());
            m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush.get());
            return false;
        default:
            return TSkinControl::BeforeProc(m);
    }
}

void TSkinGroupBox::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (Control) Kind = 1;
}

bool TSkinGroupBox::BeforeProc(TMessage& m) {
    if (m.Msg == WM_PAINT && Kind == 1) {
        PaintBeginEnd(m);
        return false;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinGroupBox::PaintControl(HDC dc, const RECT& rect) {
    std::wstring caption = ReadWindowText();
    if (caption.empty()) caption = GetPropText(Control, "Caption");
    TOffscreen off(dc, rect.right, rect.bottom);
    if (!off) return;
    const HDC paint = off.DC();
    TSelectObject font(paint, ControlFont());
    SetTextColor(paint, FontColour());
    SIZE digit{};
    GetTextExtentPoint32A(paint, "0", 1, &digit);
    const int lineTop = rect.top + digit.cy / 2 - 1;
    if (Control) {
        // The whole box in the face colour: the system's own frame lines vanish under it.
        FillColour(paint, rect, SkinBackground());
    } else {
        // Over what the box's own painter drew, its etched frame covered by two face-coloured lines.
        BitBlt(paint, 0, 0, rect.right, rect.bottom, dc, rect.left, rect.top, SRCCOPY);
        RECT frame{rect.left, lineTop, rect.right, rect.bottom};
        for (int line = 0; line < 2; ++line, InflateRect(&frame, -1, -1))
            FrameRect(paint, &frame, SkinData->FaceBrush.get());
    }

    TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow]))));
    {
        TSelectObject selectPen(paint, pen.get());
        TSelectObject selectBrush(paint, GetStockObject(NULL_BRUSH));
        RoundRect(paint, rect.left + 1, lineTop, rect.right - 1, rect.bottom - 1, kCornerSize, kCornerSize);
    }
    SetBkColor(paint, SkinBackground());
    SetBkMode(paint, OPAQUE);
    const bool rightAligned = (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    RECT text{rect.left + kCaptionIndent, rect.top, rect.right - kCaptionIndent, rect.top + digit.cy};
    SkinDrawText(paint, caption, text, TextFlags(rightAligned ? DT_EXPANDTABS | DT_RIGHT : DT_EXPANDTABS));
    off.CopyTo(dc, rect.left, rect.top);
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(dc);
}

}  // namespace velloran
