#include "skin/controls/SkinCheckBoxes.h"

#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/data/SkinImage.h"

namespace velloran {

namespace {
// Base state indices before the disabled offset.
constexpr int kUnchecked = 1;
constexpr int kChecked = 2;
constexpr int kIndeterminate = 4;
constexpr int kDisabledOffset = 2;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }
}  // namespace

const TClassInfo& TSkinCheckMark::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinCheckMark>("TSkinCheckMark", &TSkinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinCheckBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinCheckBox>("TSkinCheckBox", &TSkinCheckMark::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinRadioButton::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TSkinRadioButton>("TSkinRadioButton", &TSkinCheckMark::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinObjImage::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinObjImage>("TSkinObjImage", &TSkinControl::StaticClassInfo());
    return info;
}

// ---- TSkinCheckMark ----------------------------------------------------------------------

void TSkinCheckMark::ReadKind() { Kind = Strip().Empty() ? 0 : 1; }

void TSkinCheckMark::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Control) return;
    ReadKind();
    TransparentBackground = Control->Tag() == kTransparentTag || (SkinData->Options() & SkinBit(xoTransparent));
}

// A dialog's check box is painted by the skin from its first paint on.
void TSkinCheckMark::InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    TSkinControl::InitSkinHandle(window, skinData, form, canvas);
    ReadKind();
}

bool TSkinCheckMark::BeforeProc(TMessage& m) {
    if (!TSkinControl::BeforeProc(m)) return false;
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            if (Kind != 1) return true;
            PaintBeginEnd(m);
            return false;
        case WM_ERASEBKGND:
            if (!TransparentBackground) return true;
            EraseBackground(m);
            return false;
        default:
            return true;
    }
}

void TSkinCheckMark::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case BM_SETCHECK:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case CM_EXIT:
            Refresh();
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

int TSkinCheckMark::StripFrame(int index, bool indeterminate) const {
    if (StripFrames() != FullStripFrames()) return index;
    const bool disabled = (WindowStyle() & WS_DISABLED) != 0;
    if (indeterminate) return disabled ? 12 : 9;
    switch (index) {
        case 2:
            return 5;
        case 3:
            return 4;
        case 4:
            return 8;
        default:
            return index;
    }
}

void TSkinCheckMark::PaintControl(HDC dc, const RECT& rect) {
    ReadKind();
    if (Kind != 1) return;
    TBitmap& strip = Strip();
    const int frames = std::max(StripFrames(), 1);
    const int imageWidth = strip.Width() / frames;
    const int imageHeight = strip.Height();
    const DWORD style = WindowStyle();
    const bool leftText = (style & BS_LEFTTEXT) != 0;
    Focused = GetFocus() == Window;
    Enabled = !(style & WS_DISABLED);

    RECT image{};
    image.top = rect.top + (rect.bottom - rect.top - imageHeight) / 2;
    image.bottom = image.top + imageHeight;
    image.left = leftText ? rect.right - RightInset() - imageWidth : rect.left;
    image.right = image.left + imageWidth;
    RECT text = rect;
    if (leftText)
        text.right = image.left - 2;
    else
        text.left = image.right + 2;
    const UINT alignment = TextFlags(leftText ? DT_RIGHT : 0);

    TOffscreen off(dc, rect.right, rect.bottom);
    if (!off) return;
    const HDC paint = off.DC();
    FillBackground(paint, rect, TransparentBackground);
    DrawStripFrame(paint, image, frames, FrameIndex(), strip);

    Caption = ReadCaption();
    TSelectObject font(paint, ControlFont());
    SetTextColor(paint, Enabled ? FontColour() : GetSysColor(COLOR_BTNSHADOW));
    SetBkColor(paint, SkinBackground());
    SetBkMode(paint, TRANSPARENT);
    RECT measured = text;
    SkinDrawText(paint, Caption, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | alignment);
    const int shift = ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2;
    OffsetRect(&measured, 0, shift);
    // Version 6 of the platform draws no focus rectangle on check marks.
    if (Focused && !Caption.empty() && WindowsMajorVersion() != 6) {
        RECT focus = measured;
        if (leftText) OffsetRect(&focus, text.right - measured.right, 0);
        DrawFocusAround(paint, focus, rect);
    }
    RECT placed{text.left, text.top + shift, text.right, text.bottom};
    SkinDrawText(paint, Caption, placed, DT_EXPANDTABS | DT_WORDBREAK | alignment);
    off.CopyTo(dc, rect.left, rect.top);
}

// ---- TSkinCheckBox -----------------------------------------------------------------------

TBitmap& TSkinCheckBox::Strip() const { return *SkinData->Button.CheckBitmap; }
int TSkinCheckBox::StripFrames() const { return SkinData->Button.CheckFrame; }

void TSkinCheckBox::AfterProc(TMessage& m) {
    if (m.Msg == BM_SETCHECK) CheckValue = static_cast<int32_t>(m.WParam) + 1;
    TSkinCheckMark::AfterProc(m);
}

int TSkinCheckBox::FrameIndex() const {
    const LRESULT buttonState = SendMessageW(Window, BM_GETSTATE, 0, 0);
    int index = (buttonState & BST_CHECKED) ? kChecked : kUnchecked;
    if (Control) {
        if (HasProp(Control, "State")) {
            const std::string state = LowerCase(GetPropEnumText(Control, "State"));
            if (Contains(state, "uncheck"))
                index = kUnchecked;
            else if (Contains(state, "check"))
                index = kChecked;
            else if (Contains(state, "gray"))
                index = kIndeterminate;
        } else if (HasProp(Control, "Checked")) {
            index = PropIs(Control, "Checked", "true") ? kChecked : kUnchecked;
        }
        if (HasProp(Control, "DataField") && CheckValue != 0) index = CheckValue == 3 ? kIndeterminate : CheckValue;
        if (HasProp(Control, "DataBinding")) index = kUnchecked;
    }
    bool indeterminate = index == kIndeterminate;
    if (WindowStyle() & WS_DISABLED) index += kDisabledOffset;
    if (buttonState & BST_INDETERMINATE) {
        index = kIndeterminate;
        indeterminate = true;
    }
    return StripFrame(index, indeterminate);
}

// ---- TSkinRadioButton --------------------------------------------------------------------

TBitmap& TSkinRadioButton::Strip() const { return *SkinData->Button.RadioBitmap; }
int TSkinRadioButton::StripFrames() const { return SkinData->Button.RadioFrame; }

int TSkinRadioButton::FrameIndex() const {
    int index = (SendMessageW(Window, BM_GETCHECK, 0, 0) & BST_CHECKED) ? kChecked : kUnchecked;
    if (HasProp(Control, "Checked")) index = PropIs(Control, "Checked", "true") ? kChecked : kUnchecked;
    if (WindowStyle() & WS_DISABLED) index += kDisabledOffset;
    return StripFrame(index, false);
}

// ---- TSkinObjImage -----------------------------------------------------------------------

void TSkinObjImage::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    Build();
}

void TSkinObjImage::Build() {
    TDataSkinButton& button = SkinData->Button;
    const bool radio = Kind == oiVendorRadioButton;
    TBitmap& source = radio ? *button.RadioBitmap : *button.CheckBitmap;
    const int frames = radio ? button.RadioFrame : button.CheckFrame;
    if (source.Empty() || frames <= 0 || !Control) return;
    // The skin frame (from 0) for each slot of the control's strip; -1 leaves the slot empty.
    const int spare = frames == 5 ? 4 : -1;
    std::vector<int> slots;
    switch (Kind) {
        case oiVendorRadioButton:
            slots = {0, 1, 0, 1, 2, 3};
            break;
        case oiSecondVendorCheckBox:
            slots = {0, 1, spare, 0, 1, spare};
            break;
        default:
            slots = {0, 1, spare, 0, 1, spare, 2, 3, spare};
            break;
    }
    const int width = source.Width() / frames;
    const int height = source.Height();
    TBitmap glyphs;
    glyphs.SetSize(width * static_cast<int>(slots.size()), height);
    const HDC dc = glyphs.Canvas().Handle();
    FillColour(dc, RECT{0, 0, glyphs.Width(), height}, kSkinKeyColor);
    for (size_t slot = 0; slot < slots.size(); ++slot) {
        if (slots[slot] < 0) continue;
        const int left = static_cast<int>(slot) * width;
        StretchFrame(dc, RECT{left, 0, left + width, height}, source, false, frames, slots[slot] + 1);
    }
    if (Kind == oiSecondVendorCheckBox) {
        if (auto* glyph = dynamic_cast<TBitmap*>(GetPropObject(GetPropObject(Control, "Properties"), "Glyph")))
            glyph->Assign(glyphs);
        return;
    }
    if (auto* custom = dynamic_cast<TBitmap*>(GetPropObject(Control, "CustomGlyphs"))) custom->Assign(glyphs);
    SetPropText(Control, "transparentcolor", std::to_string(kSkinKeyColor));
    // Switching off and on makes the control take the new glyphs.
    SetPropText(Control, "UseCustomGlyphs", "false");
    SetPropText(Control, "UseCustomGlyphs", "true");
}

void TSkinObjImage::RestoreControl() {
    if (!Control) return;
    if (Kind != oiSecondVendorCheckBox) {
        SetPropText(Control, "UseCustomGlyphs", "false");
        return;
    }
    if (auto* glyph = dynamic_cast<TBitmap*>(GetPropObject(GetPropObject(Control, "Properties"), "Glyph")))
        glyph->SetSize(0, 0);
}

void TSkinObjImage::SkinChanged() { Build(); }

}  // namespace velloran
