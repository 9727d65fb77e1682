#include "skin/controls/SkinButtons.h"

#include <algorithm>

#include "framework/Buttons.h"
#include "framework/ImgList.h"
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

const TClassInfo& TSkinGlyphButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinGlyphButton>("TSkinGlyphButton", &TSkinButton::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinBitButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinBitButton>("TSkinBitButton", &TSkinGlyphButton::StaticClassInfo());
    return info;
}

const TClassInfo& TSkinSpeedButton::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TSkinSpeedButton>("TSkinSpeedButton", &TSkinGlyphButton::StaticClassInfo());
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
        case WM_ERASEBKGND:
            PaintWithoutErase(m);
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
            if (Kind == 0) ForwardMouseDown(m);
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
                ShowHoverState();
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
            ShowHoverState();
            break;
        case CM_DIALOGKEY:
        case CM_FOCUSCHANGED:
            Refresh();
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinButton::ShowHoverState() {
    PaintWindow(nullptr);
    ValidateRect(Window, nullptr);
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
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
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
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
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

// ---- bit and speed buttons ---------------------------------------------------------------

namespace {

TButtonLayout LayoutNamed(const std::string& name) {
    const std::string lower = LowerCase(name);
    if (lower == "blglyphright") return blGlyphRight;
    if (lower == "blglyphtop") return blGlyphTop;
    if (lower == "blglyphbottom") return blGlyphBottom;
    return blGlyphLeft;
}

// A missing property reads as automatic (-1).
int OrdOrAutomatic(const TPersistent* object, std::string_view name) {
    return TSkinControl::HasProp(object, name) ? static_cast<int>(TSkinControl::GetPropOrd(object, name)) : -1;
}

int NumGlyphsOf(const TPersistent* object) { return std::max(1, OrdOrAutomatic(object, "NumGlyphs")); }

}  // namespace

TBitmap* TSkinGlyphButton::Picture() const {
    auto* picture = dynamic_cast<TBitmap*>(GetPropObject(Control, PictureProperty));
    return picture && !picture->Empty() ? picture : nullptr;
}

SIZE TSkinGlyphButton::GlyphSize() const {
    if (TBitmap* glyph = Picture()) return {glyph->Width() / NumGlyphsOf(Control), glyph->Height()};
    auto* images = dynamic_cast<TImageList*>(GetPropObject(Control, "Images"));
    if (images && OrdOrAutomatic(Control, "ImageIndex") != -1) return {images->Width(), images->Height()};
    return {0, 0};
}

void TSkinGlyphButton::DrawGlyph(HDC dc, POINT at, SIZE size, TButtonFrame frame, bool heldDown) const {
    if (TBitmap* glyph = Picture()) {
        const COLORREF key = glyph->TransparentRGB();
        HDC source = glyph->Canvas().Handle();
        if (frame == bfDisabled) {
            TMemoryDC maskDC(CreateCompatibleDC(dc));
            TBitmapHandle mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
            if (!maskDC || !mask) return;
            TSelectObject selectMask(maskDC.get(), mask.get());
            // Pixels of the transparent colour turn white in the mask, the shape black.
            const COLORREF back = SetBkColor(source, key);
            BitBlt(maskDC.get(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
            SetBkColor(source, back);
            DrawEmbossed(dc, at.x, at.y, size.cx, size.cy, maskDC.get());
            return;
        }
        int glyphFrame = heldDown ? 4 : frame == bfPressed ? 3 : 1;
        if (glyphFrame > NumGlyphsOf(Control)) glyphFrame = 1;
        TransparentBlt(dc, at.x, at.y, size.cx, size.cy, source, (glyphFrame - 1) * size.cx, 0, size.cx, size.cy, key);
        return;
    }
    auto* images = dynamic_cast<TImageList*>(GetPropObject(Control, "Images"));
    if (!images) return;
    const int index = OrdOrAutomatic(Control, "ImageIndex");
    const int disabledIndex = OrdOrAutomatic(Control, "DisabledIndex");
    TCanvas canvas(dc);
    if (frame != bfDisabled)
        images->Draw(canvas, at.x, at.y, index);
    else if (disabledIndex != -1)
        images->Draw(canvas, at.x, at.y, disabledIndex);
    else
        images->Draw(canvas, at.x, at.y, index, false);
}

RECT TSkinGlyphButton::DrawGlyphAndCaption(HDC dc, const RECT& rect, TButtonFrame frame, bool heldDown,
                                           COLORREF colour, bool rightAlignBesideRightGlyph) {
    const SIZE glyph = GlyphSize();
    const TButtonLayout layout = LayoutNamed(GetPropEnumText(Control, "Layout"));
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    TSelectObject font(dc, ControlFont());
    RECT measured{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
    if (across)
        measured.right -= glyph.cx + 2;
    else
        measured.bottom -= glyph.cy + 2;
    SIZE text{};
    if (!Caption.empty()) {
        SkinDrawText(dc, Caption, measured, TextFlags(DT_CALCRECT | DT_WORDBREAK));
        text = {measured.right - measured.left, measured.bottom - measured.top};
    }
    int margin = OrdOrAutomatic(Control, "Margin");
    if (PropIs(Control, "Alignment", "taCenter")) margin = -1;
    const SIZE client{rect.right - rect.left, rect.bottom - rect.top};
    const TButtonPlacement place =
        PlaceGlyphAndText(client, glyph, text, layout, margin, OrdOrAutomatic(Control, "Spacing"));
    if (glyph.cx > 0) DrawGlyph(dc, {rect.left + place.Glyph.x, rect.top + place.Glyph.y}, glyph, frame, heldDown);

    RECT placed{rect.left + place.Text.x, rect.top + place.Text.y, 0, 0};
    placed.right = placed.left + text.cx;
    placed.bottom = placed.top + text.cy;
    UINT flags = DT_WORDBREAK;
    if (!across) flags |= DT_CENTER;
    if (layout == blGlyphRight && rightAlignBesideRightGlyph) flags |= DT_RIGHT;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SkinDrawText(dc, Caption, placed, TextFlags(flags));
    return placed;
}

void TSkinBitButton::PaintControl(HDC dc, const RECT& rect) {
    if (SkinData->Button.Bitmap->Empty()) return;
    const TButtonFrame frame = ReadState(false);
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    DrawFace(off.DC(), rect, frame);
    const RECT placed = DrawGlyphAndCaption(off.DC(), rect, frame, false, TextColour(frame, true), true);
    if (WantsFocusRect()) DrawFocusAround(off.DC(), placed, rect);
    off.CopyTo(dc, rect.left, rect.top);
}

void TSkinSpeedButton::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool, TCanvas* canvas) {
    auto* button = dynamic_cast<TGraphicControl*>(Owner());
    if (Attached || !button) return;
    SkinData = skinData;
    Canvas = canvas;
    Form = form;
    Control = button;
    GraphicControl = button;
    HookControl(*button);
    Register();
    TransparentBackground = button->Tag() == kTransparentTag || (SkinData->Options() & SkinBit(xoTransparent));
    Attached = true;
    State = sgAttached;
    button->Invalidate();
}

TButtonFrame TSkinSpeedButton::SpeedState() const {
    if (PropIs(Control, "Down", "true")) return bfPressed;
    if (!PropIs(Control, "Enabled", "true")) return bfDisabled;
    if (Pressed()) return bfPressed;
    if (Hot()) return bfHot;
    return bfNormal;
}

bool TSkinSpeedButton::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (!m.WParam) return true;
            PaintControl(reinterpret_cast<HDC>(m.WParam), {0, 0, Control->Width(), Control->Height()});
            m.Result = 1;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The button takes the press first (its group, its capture), then shows it.
            CallDefault(m);
            MouseState |= mfPressed;
            PaintWindow(nullptr);
            return false;
        case WM_LBUTTONUP:
            return true;
        default:
            return TSkinButton::BeforeProc(m);
    }
}

void TSkinSpeedButton::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONUP:
            MouseState &= ~mfPressed;
            PaintWindow(nullptr);
            break;
        case CM_MOUSEENTER:
            MouseState |= mfHot;
            PaintWindow(nullptr);
            break;
        case CM_MOUSELEAVE:
            MouseState = 0;
            if (Control->Visible()) PaintWindow(nullptr);
            break;
        default:
            break;
    }
}

void TSkinSpeedButton::PaintWindow(HDC) { Refresh(); }

void TSkinSpeedButton::PaintControl(HDC dc, const RECT& rect) {
    // Painting the parent's background can ask this button to paint again.
    if (painting_ || rect.right <= 0 || rect.bottom <= 0) return;
    painting_ = true;
    const struct TPaintingFlag {
        bool& Flag;
        ~TPaintingFlag() { Flag = false; }
    } paintingFlag{painting_};
    const TButtonFrame frame = SpeedState();
    const bool heldDown = PropIs(Control, "Down", "true");
    Enabled = frame != bfDisabled;
    Caption = ReadCaption();
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    FillBackground(off.DC(), rect, TransparentBackground);
    TDataSkinButton& button = SkinData->Button;
    const bool flat = PropIs(Control, "Flat", "true");
    if (!button.Bitmap->Empty() && (frame == bfPressed || frame == bfHot || !flat))
        DrawSkinFrame(off.DC(), rect, button.Frame, frame, button);
    const COLORREF colour = TextColour(frame, false);
    if (GlyphSize().cx > 0) {
        DrawGlyphAndCaption(off.DC(), rect, frame, heldDown, colour, false);
    } else {
        TSelectObject font(off.DC(), ControlFont());
        SetTextColor(off.DC(), colour);
        RECT inner = rect;
        InflateRect(&inner, -2, -2);
        DrawMultiLineCaption(off.DC(), Caption, inner, DT_CENTER, true);
    }
    off.CopyTo(dc, rect.left, rect.top);
}

}  // namespace velloran
