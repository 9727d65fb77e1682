#include "framework/Buttons.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "framework/Forms.h"

namespace velloran {

const TEnumInfo ButtonLayoutEnum{{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
const TEnumInfo BitBtnKindEnum{
    {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};

// ---- layout ------------------------------------------------------------------------------

TButtonPlacement PlaceGlyphAndText(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                   int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const auto along = [horizontal](SIZE s) { return horizontal ? s.cx : s.cy; };
    const auto across = [horizontal](SIZE s) { return horizontal ? s.cy : s.cx; };
    const int glyphAcross = (across(client) - across(glyph) + 1) / 2;
    const int textAcross = (across(client) - across(text) + 1) / 2;

    // Without a caption or a glyph there is nothing to space apart.
    if (text.cx == 0 || glyph.cx == 0) spacing = 0;
    const int free = along(client) - along(glyph) - along(text);
    if (margin == -1 && spacing == -1) {
        margin = free / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (free - spacing + 1) / 2;
    } else if (spacing == -1) {
        spacing = (free - margin) / 2;
    }

    int glyphAlong = margin;
    int textAlong = margin + along(glyph) + spacing;
    if (layout == blGlyphRight || layout == blGlyphBottom) {
        glyphAlong = along(client) - margin - along(glyph);
        textAlong = glyphAlong - spacing - along(text);
    }
    if (horizontal) return {{glyphAlong, glyphAcross}, {textAlong, textAcross}};
    return {{glyphAcross, glyphAlong}, {textAcross, textAlong}};
}

// ---- TButtonGlyph ------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph() : bitmap_(std::make_unique<TBitmap>()) {}

void TButtonGlyph::SetNumGlyphs(int n) { numGlyphs_ = std::clamp(n, 1, 4); }

SIZE TButtonGlyph::Size() const {
    if (!bitmap_->Empty()) return {bitmap_->Width() / numGlyphs_, bitmap_->Height()};
    if (Images && ImageIndex >= 0) return {Images->Width(), Images->Height()};
    return {0, 0};
}

int TButtonGlyph::FrameFor(TButtonState state) const {
    const int frame = static_cast<int>(state) + 1;
    if (frame <= numGlyphs_) return frame;
    return state == bsDisabled ? 0 : 1;
}

void TButtonGlyph::DrawBitmapFrame(HDC dc, POINT at, int frame) const {
    const SIZE size = Size();
    const COLORREF key = bitmap_->TransparentRGB();
    TransparentBlt(dc, at.x, at.y, size.cx, size.cy, bitmap_->Canvas().Handle(), (frame - 1) * size.cx, 0, size.cx,
                   size.cy, key);
}

void TButtonGlyph::DrawEmbossedFirstFrame(HDC dc, POINT at) const {
    const SIZE size = Size();
    TMemoryDC maskDC(CreateCompatibleDC(dc));
    TBitmapHandle mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!maskDC || !mask) return;
    TSelectObject selectMask(maskDC.get(), mask.get());
    const COLORREF key = bitmap_->TransparentRGB();
    HDC source = bitmap_->Canvas().Handle();
    // Copied to a monochrome bitmap, pixels of the background colour turn white, the rest black.
    const COLORREF oldBack = SetBkColor(source, key);
    BitBlt(maskDC.get(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    DrawEmbossed(dc, at.x, at.y, size.cx, size.cy, maskDC.get());
}

void TButtonGlyph::DrawPicture(HDC dc, POINT at, TButtonState state) const {
    if (!bitmap_->Empty()) {
        const int frame = FrameFor(state);
        if (frame == 0)
            DrawEmbossedFirstFrame(dc, at);
        else
            DrawBitmapFrame(dc, at, frame);
        return;
    }
    if (!Images || ImageIndex < 0) return;
    TCanvas canvas(dc);
    if (state != bsDisabled)
        Images->Draw(canvas, at.x, at.y, ImageIndex);
    else if (DisabledIndex >= 0)
        Images->Draw(canvas, at.x, at.y, DisabledIndex);
    else
        Images->Draw(canvas, at.x, at.y, ImageIndex, false);
}

void TButtonGlyph::Draw(HDC dc, const RECT& client, POINT offset, const std::string& caption, TButtonLayout layout,
                        int margin, int spacing, TButtonState state, const TFont& font) const {
    TSavedDC saved(dc);
    SelectObject(dc, font.Handle());
    const SIZE clientSize{client.right - client.left, client.bottom - client.top};
    RECT textRect{0, 0, clientSize.cx, 0};
    const int length = static_cast<int>(caption.size());
    if (length > 0) DrawTextA(dc, caption.c_str(), length, &textRect, DT_CALCRECT);
    const SIZE textSize = length > 0 ? SIZE{textRect.right, textRect.bottom} : SIZE{0, 0};

    const TButtonPlacement place = PlaceGlyphAndText(clientSize, Size(), textSize, layout, margin, spacing);
    const int left = client.left + offset.x, top = client.top + offset.y;
    DrawPicture(dc, {left + place.Glyph.x, top + place.Glyph.y}, state);
    if (length == 0) return;

    OffsetRect(&textRect, left + place.Text.x, top + place.Text.y);
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kFlags = DT_CENTER | DT_VCENTER;
    if (state == bsDisabled) {
        OffsetRect(&textRect, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption.c_str(), length, &textRect, kFlags);
        OffsetRect(&textRect, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, ColorToRGB(font.Color()));
    }
    DrawTextA(dc, caption.c_str(), length, &textRect, kFlags);
}

// ---- kinds of bit buttons ----------------------------------------------------------------

namespace {

struct TKindTraits {
    const char* Caption;
    int ModalResult;
    enum TMark { None, Check, Cross, Question } Mark;
};

constexpr int kModalResultAll = 8;  // the one after IDNO

const TKindTraits kKinds[] = {
    {"", 0, TKindTraits::None},
    {"OK", IDOK, TKindTraits::Check},
    {"Cancel", IDCANCEL, TKindTraits::Cross},
    {"&Help", 0, TKindTraits::Question},
    {"&Yes", IDYES, TKindTraits::Check},
    {"&No", IDNO, TKindTraits::Cross},
    {"&Close", 0, TKindTraits::Cross},
    {"Abort", IDABORT, TKindTraits::Cross},
    {"&Retry", IDRETRY, TKindTraits::None},
    {"&Ignore", IDIGNORE, TKindTraits::None},
    {"&All", kModalResultAll, TKindTraits::Check},
};

// The glyph of a kind: drawn rather than loaded, as the program carries no glyph bitmaps. Two
// frames of 16 x 16, up and disabled, on olive, the colour of its bottom-left pixel.
void DrawKindGlyph(TKindTraits::TMark mark, TBitmap& glyph) {
    constexpr int kSide = 16;
    if (mark == TKindTraits::None) {
        glyph.SetSize(0, 0);
        return;
    }
    glyph.SetSize(2 * kSide, kSide);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush()->SetColor(clOlive);
    canvas.FillRect({0, 0, 2 * kSide, kSide});
    static constexpr TColor kColors[] = {clGreen, clRed, clNavy};
    for (int frame = 0; frame < 2; ++frame) {
        const int x = frame * kSide;
        const TColor color = frame == 0 ? kColors[mark - 1] : clBtnShadow;
        canvas.Pen()->SetColor(color);
        canvas.Pen()->SetWidth(2);
        switch (mark) {
        case TKindTraits::Check:
            canvas.MoveTo(x + 3, 8);
            canvas.LineTo(x + 6, 11);
            canvas.LineTo(x + 13, 4);
            break;
        case TKindTraits::Cross:
            canvas.MoveTo(x + 4, 4);
            canvas.LineTo(x + 12, 12);
            canvas.MoveTo(x + 12, 4);
            canvas.LineTo(x + 4, 12);
            break;
        case TKindTraits::Question: {
            canvas.Font()->SetColor(color);
            canvas.Font()->SetHeight(-14);
            canvas.Font()->SetStyle(FontStyleBit(fsBold));
            canvas.Brush()->SetStyle(bsClear);
            RECT r{x, 0, x + kSide, kSide};
            canvas.DrawTextA("?", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        case TKindTraits::None: break;
        }
    }
}

}  // namespace

// ---- TBitBtn -----------------------------------------------------------------------------

namespace {
std::vector<TPropInfo> Joined(std::vector<TPropInfo> first, std::vector<TPropInfo> second) {
    first.insert(first.end(), std::make_move_iterator(second.begin()), std::make_move_iterator(second.end()));
    return first;
}
}  // namespace

const TClassInfo& TBitBtn::StaticClassInfo() {
    using C = TBitBtn;
    static const TClassInfo info =
        DefineClass<C>("TBitBtn", &TButton::StaticClassInfo(),
                       Joined(GlyphProps(), {props::Enum("Kind", BitBtnKindEnum, &C::Kind, &C::SetKind),
                                             props::Reference("Images", &C::Images, &C::SetImages),
                                             props::Int("ImageIndex", &C::ImageIndex, &C::SetImageIndex),
                                             props::Int("DisabledIndex", &C::DisabledIndex, &C::SetDisabledIndex)}));
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TGlyphButton(owner) {}

void TBitBtn::SetImages(TImageList* images) {
    if (glyph_.Images == images) return;
    if (glyph_.Images) glyph_.Images->RemoveFreeNotification(this);
    glyph_.Images = images;
    if (images) images->FreeNotification(this);
    Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
    TButton::Notification(component, operation);
    if (operation == TOperation::Remove && component == glyph_.Images) glyph_.Images = nullptr;
}

void TBitBtn::SetKind(TBitBtnKind v) {
    if (kind_ == v) return;
    kind_ = v;
    if (v != bkCustom) {
        const TKindTraits& traits = kKinds[v];
        SetDefault(v == bkOK || v == bkYes);
        SetCancel(v == bkCancel || v == bkNo);
        // Form data may have given a caption of its own already.
        if (!HasState(csLoading) || GetText().empty()) SetCaption(traits.Caption);
        SetModalResult(traits.ModalResult);
        DrawKindGlyph(traits.Mark, *glyph_.Bitmap());
        glyph_.SetNumGlyphs(2);
    }
    Invalidate();
}

void TBitBtn::Click() {
    if (kind_ == bkClose) {
        if (TForm* form = ParentForm()) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case BM_SETSTYLE:
        // The default look is ours to draw: the button stays owner-drawn.
        Invalidate();
        return;
    case WM_LBUTTONDBLCLK:
        // A quick second click presses the button again, as the first did.
        m.Msg = WM_LBUTTONDOWN;
        break;
    default:
        break;
    }
    TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT bounds = item.rcItem;
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0) return;
    TMemoryDC mem(CreateCompatibleDC(item.hDC));
    TBitmapHandle bitmap(CreateCompatibleBitmap(item.hDC, w, h));
    if (!mem || !bitmap) return;
    TSelectObject selectBitmap(mem.get(), bitmap.get());

    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    // The button Enter would press: the focused one, or the default one while no button has
    // the focus.
    const bool active = focused || (Default() && !dynamic_cast<TButton*>(FromHandle(GetFocus())));
    RECT r{0, 0, w, h};
    FillRect(mem.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
    if (active) {
        FrameRect(mem.get(), &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (down)
        FrameRect(mem.get(), &r, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        DrawFrameControl(mem.get(), &r, DFC_BUTTON, DFCS_BUTTONPUSH);

    const TButtonState state = (item.itemState & ODS_DISABLED) ? bsDisabled : down ? bsDown : bsUp;
    DrawGlyphAndCaption(mem.get(), {0, 0, w, h}, down ? POINT{1, 1} : POINT{0, 0}, state);
    if (focused) {
        RECT focus{0, 0, w, h};
        InflateRect(&focus, -4, -4);
        SetTextColor(mem.get(), RGB(0, 0, 0));
        SetBkColor(mem.get(), RGB(255, 255, 255));
        DrawFocusRect(mem.get(), &focus);
    }
    BitBlt(item.hDC, bounds.left, bounds.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

// ---- TSpeedButton ------------------------------------------------------------------------

const TClassInfo& TSpeedButton::StaticClassInfo() {
    using C = TSpeedButton;
    static const TClassInfo info = DefineClass<C>(
        "TSpeedButton", &TGraphicControl::StaticClassInfo(),
        Joined(GlyphProps(), {props::Bool("AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp),
                              props::Int("GroupIndex", &C::GroupIndex, &C::SetGroupIndex),
                              props::Bool("Down", &C::Down, &C::SetDown), props::Bool("Flat", &C::Flat, &C::SetFlat),
                              props::Bool("Transparent", &C::Transparent, &C::SetTransparent)}));
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGlyphButton(owner) {
    width_ = 23;
    height_ = 22;
}

void TSpeedButton::SetDown(bool v) {
    // Form data may give Down before GroupIndex: Loaded settles it.
    if (HasState(csReading)) {
        down_ = v;
        return;
    }
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    // The last down button of a group stays down unless the group allows all up.
    if (down_ && !allowAllUp_) return;
    down_ = v;
    state_ = v ? bsExclusive : bsUp;
    Invalidate();
    if (v) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int v) {
    if (groupIndex_ == v) return;
    groupIndex_ = v;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool v) {
    allowAllUp_ = v;
    UpdateExclusive();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (groupIndex_ == 0) down_ = false;
    state_ = down_ ? bsExclusive : bsUp;
    UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !parent_) return;
    for (int i = 0; i < parent_->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent_->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
        if (down_ && other->down_) {
            other->down_ = false;
            other->state_ = bsUp;
            other->Invalidate();
        }
        other->allowAllUp_ = allowAllUp_;
    }
}

bool TSpeedButton::Inside(POINT p) const {
    const RECT client = ClientRect();
    return PtInRect(&client, p) != FALSE;
}

void TSpeedButton::MouseMoved(POINT p) {
    if (!dragging_) return;
    const TButtonState s = down_ ? bsExclusive : Inside(p) ? bsDown : bsUp;
    if (s == state_) return;
    state_ = s;
    Invalidate();
}

void TSpeedButton::MouseReleased(POINT p) {
    if (!dragging_) return;
    dragging_ = false;
    const bool click = Inside(p);
    if (groupIndex_ != 0 && click) SetDown(!down_);
    state_ = down_ ? bsExclusive : bsUp;
    Invalidate();
    if (click) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!enabled_) return;
        if (!down_) {
            state_ = bsDown;
            Invalidate();
        }
        dragging_ = true;
        return;
    case WM_MOUSEMOVE:
        MouseMoved(p);
        return;
    case WM_LBUTTONUP:
        MouseReleased(p);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseInControl_ = m.Msg == CM_MOUSEENTER;
        if (flat_ && enabled_) Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

namespace {

// The checkered face of a button held down by its group.
void FillDithered(HDC dc, const RECT& r) {
    static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kChecker));
    TBrushHandle brush(CreatePatternBrush(pattern.get()));
    if (!brush) return;
    TSavedDC saved(dc);
    // A monochrome pattern paints its 0 bits in the text colour and its 1 bits in the background.
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &r, brush.get());
}

}  // namespace

void TSpeedButton::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    if (!enabled_) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ ? bsExclusive : bsUp;
    }
    const bool pressed = state_ == bsDown || state_ == bsExclusive;
    RECT r = ClientRect();
    if (!flat_) {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    } else {
        if (pressed || (mouseInControl_ && state_ != bsDisabled)) {
            DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | (transparent_ ? 0 : BF_MIDDLE));
        } else if (!transparent_) {
            TBrushHandle face(CreateSolidBrush(ColorToRGB(Color())));
            FillRect(dc, &r, face.get());
        }
        InflateRect(&r, -1, -1);
    }
    if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) FillDithered(dc, r);
    DrawGlyphAndCaption(dc, r, pressed ? POINT{1, 1} : POINT{0, 0}, state_);
}

void RegisterButtonControls() {
    for (const TClassInfo* c : {&TBitBtn::StaticClassInfo(), &TSpeedButton::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
