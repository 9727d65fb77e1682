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

// A strip of this many check frames holds the indeterminate marks in its last frame.
constexpr int kGrayedStripFrames = 5;
constexpr int kGrayedFrame = 5;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The frame (from 1) that shows a state in a strip of `frames` frames. `base` is the state index
// with the disabled offset; a full strip keeps every state in a frame of its own.
int StateFrame(int base, bool indeterminate, bool disabled, int frames, int fullFrames) {
    if (frames != fullFrames) return base;
    if (indeterminate) return disabled ? 12 : 9;
    switch (base) {
        case 2:
            return 5;
        case 3:
            return 4;
        case 4:
            return 8;
        default:
            return base;
    }
}

// What one slot of an outside vendor's glyph strip shows.
enum TSlotMark { smOff, smOn, smGrayed };
struct TGlyphSlot {
    TSlotMark Mark;
    bool Disabled;
};

// The skin frame (from 1) for a slot, or 0 to leave the slot empty: a short strip has no
// indeterminate mark unless it has exactly five frames.
int SlotFrame(TGlyphSlot slot, int frames, int fullFrames) {
    const bool grayed = slot.Mark == smGrayed;
    if (grayed && frames == kGrayedStripFrames) return kGrayedFrame;
    if (grayed && frames != fullFrames) return 0;
    const int base = (slot.Mark == smOn ? kChecked : kUnchecked) + (slot.Disabled ? kDisabledOffset : 0);
    return StateFrame(base, grayed, slot.Disabled, frames, fullFrames);
}
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
    return StateFrame(index, indeterminate, (WindowStyle() & WS_DISABLED) != 0, StripFrames(), FullStripFrames());
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
    // The vendors' strips: the marks unpressed, the same pressed, and (first vendor) disabled. A
    // slot shows the frame the skin's own check box or radio button shows for that state.
    const int fullFrames = radio ? kFullRadioStripFrames : kFullCheckStripFrames;
    std::vector<TGlyphSlot> slots;
    switch (Kind) {
        case oiVendorRadioButton:
            slots = {{smOff, false}, {smOn, false}, {smOff, false}, {smOn, false}, {smOff, true}, {smOn, true}};
            break;
        case oiSecondVendorCheckBox:
            slots = {{smOff, false}, {smOn, false}, {smGrayed, false}, {smOff, false}, {smOn, false}, {smGrayed, false}};
            break;
        default:
            slots = {{smOff, false}, {smOn, false}, {smGrayed, false}, {smOff, false}, {smOn, false},
                     {smGrayed, false}, {smOff, true},  {smOn, true},     {smGrayed, true}};
            break;
    }
    const int width = source.Width() / frames;
    const int height = source.Height();
    TBitmap glyphs;
    glyphs.SetSize(width * static_cast<int>(slots.size()), height);
    const HDC dc = glyphs.Canvas().Handle();
    FillColour(dc, RECT{0, 0, glyphs.Width(), height}, kSkinKeyColor);
    for (size_t slot = 0; slot < slots.size(); ++slot) {
        const int frame = SlotFrame(slots[slot], frames, fullFrames);
        if (frame == 0) continue;
        const int left = static_cast<int>(slot) * width;
        StretchFrame(dc, RECT{left, 0, left + width, height}, source, false, frames, frame);
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
