#include "skin/controls/SkinScrollBars.h"

#include <commctrl.h>

#include <string>

#include "skin/controls/SkinHeader.h"

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

// ---- TOverlayPair ------------------------------------------------------------------------

void TOverlayPair::Create(TSkinData& skinData, HWND window) {
    horizontal_ = std::make_unique<TWScrollbar>(skinData, window, omHorizontal);
    vertical_ = std::make_unique<TWScrollbar>(skinData, window, omVertical);
}

void TOverlayPair::Free() {
    horizontal_.reset();
    vertical_.reset();
}

void TOverlayPair::Place() {
    for (TWScrollbar* bar : {Horizontal(), Vertical()})
        if (bar) bar->Place();
}

void TOverlayPair::Hide() {
    for (TWScrollbar* bar : {Horizontal(), Vertical()})
        if (bar) bar->Hide();
}

void TOverlayPair::SetEnabled(bool enabled) {
    for (TWScrollbar* bar : {Horizontal(), Vertical()})
        if (bar) bar->SetEnabled(enabled);
}

void TOverlayPair::RepaintShown() {
    for (TWScrollbar* bar : {Horizontal(), Vertical()})
        if (bar && bar->Shown()) bar->Repaint();
}

void TOverlayPair::ShowRequest(UINT msg, WPARAM wParam) {
    // The request code alone: the high word of a thumb request is a position, no part.
    if (TWScrollbar* bar = msg == WM_HSCROLL ? Horizontal() : Vertical()) {
        bar->SetHotPart(LOWORD(wParam));
        bar->Repaint();
    }
}

std::optional<RECT> TOverlayPair::Corner() const {
    if (!horizontal_ || !vertical_ || !horizontal_->Shown() || !vertical_->Shown()) return std::nullopt;
    const RECT across = vertical_->WindowBar();
    const RECT along = horizontal_->WindowBar();
    return RECT{across.left, along.top, across.right, along.bottom};
}

// ---- TSkinScrollbar ----------------------------------------------------------------------

const TClassInfo& TSkinScrollbar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinScrollbar>("TSkinScrollbar", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Control) return;
    Border = !SameText(GetPropEnumText(Control, "BorderStyle"), "bsNone") &&
             !SameText(ControlClassName(*Control), "TImageScrollBox") && Kind != skBarsOnly;
    TakeFixedColour();
    bars_.Create(*SkinData, Window);
    bars_.SetEnabled(Control->Enabled());
    if (!Control->Visible()) bars_.Hide();
    SetWindowPos(Window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// A grid's fixed cells take the skin's colour while skinned.
void TSkinScrollbar::TakeFixedColour() {
    const int64_t fixed = GetPropOrd(Control, "FixedColor");
    if (fixed == -1) return;
    if (!useSkinFixedColour_) savedFixedColour_ = fixed;
    useSkinFixedColour_ = true;
    SetPropText(Control, "FixedColor", std::to_string(SkinBackground()));
}

void TSkinScrollbar::RestoreControl() {
    if (useSkinFixedColour_) SetPropText(Control, "FixedColor", std::to_string(savedFixedColour_));
    useSkinFixedColour_ = false;
    TSkinControl::RestoreControl();
    if (State == sgWindowDestroyed) return;
    bars_.Free();
    SetWindowPos(Window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::SkinChanged() {
    if (Control) TakeFixedColour();
    TSkinControl::SkinChanged();
}

void TSkinScrollbar::DrawBorder(HDC dc) {
    RECT r{};
    GetWindowRect(Window, &r);
    OffsetRect(&r, -r.left, -r.top);
    TBrushHandle border(CreateSolidBrush(ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow]))));
    TBrushHandle face(CreateSolidBrush(SkinBackground()));
    FrameRect(dc, &r, border.get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.get());
}

bool TSkinScrollbar::BeforeProc(TMessage& m) {
    if (m.Msg == WM_NCPAINT && Border) {
        CallDefault(m);
        TWindowDC dc(Window, true);
        if (dc) DrawBorder(dc.get());
        return false;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinScrollbar::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED:
            Sized = true;
            bars_.Place();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            bars_.ShowRequest(m.Msg, m.WParam);
            break;
        case WM_MOUSEWHEEL:
            bars_.RepaintShown();
            break;
        case CM_VISIBLECHANGED:
            if (m.WParam)
                bars_.Place();
            else
                bars_.Hide();
            break;
        case CM_ENABLEDCHANGED:
            bars_.SetEnabled(Control ? Control->Enabled() : IsWindowEnabled(Window) != FALSE);
            TSkinControl::AfterProc(m);
            break;
        case CM_RECREATEWND:
            if (Form) PostMessageW(Form->Handle, SM_RESKINSCROLL, reinterpret_cast<WPARAM>(Window), 0);
            break;
        case SM_DRAWBORDER:
            if (m.LParam != kDrawBorderKey) break;
            if (m.WParam) DrawBorder(reinterpret_cast<HDC>(m.WParam));
            m.Result = kDrawBorderKey;
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinScrollbar::PaintControl(HDC dc, const RECT&) {
    const DWORD style = WindowStyle();
    for (auto [bar, bit] : {std::pair{Horizontal(), WS_HSCROLL}, std::pair{Vertical(), WS_VSCROLL}}) {
        if (!bar) continue;
        if (bar->Shown())
            bar->Repaint();
        else if (style & bit)
            bar->Place();
    }
    if (const std::optional<RECT> corner = bars_.Corner()) FillColour(dc, *corner, SkinBackground());
}

void TSkinScrollbar::SkinSwitched(bool on) {
    if (on)
        bars_.Place();
    else
        bars_.Hide();
}

// ---- TSkinListView -----------------------------------------------------------------------

const TClassInfo& TSkinListView::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinListView>("TSkinListView", &TSkinScrollbar::StaticClassInfo());
    return info;
}

void TSkinListView::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinScrollbar::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Control) return;
    const auto header = reinterpret_cast<HWND>(SendMessageW(Window, LVM_GETHEADER, 0, 0));
    if (!header || Form->FindSkinner(header)) return;
    auto* skinner = new TSkinHeader(Control);
    skinner->InitSkinHandle(header, SkinData, Form, Canvas);
}

// ---- TSkinSizer --------------------------------------------------------------------------

const TClassInfo& TSkinSizer::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinSizer>("TSkinSizer", &TSkinControl::StaticClassInfo());
    return info;
}

bool TSkinSizer::BeforeProc(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        PaintBeginEnd(m);
        return false;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinSizer::PaintControl(HDC dc, const RECT& rect) { FillColour(dc, rect, SkinBackground()); }

// ---- TSkinScControl ----------------------------------------------------------------------

const TClassInfo& TSkinScControl::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinScControl>("TSkinScControl", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinScControl::TSkinScControl(TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Control) return;
    const bool vertical = !SameText(GetPropEnumText(Control, "Kind"), "sbHorizontal");
    bar_ = std::make_unique<TWScrollbar>(*SkinData, Window, vertical);
    bar_->SetEnabled(Control->Enabled());
    if (!Control->Visible()) bar_->Hide();
}

void TSkinScControl::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State != sgWindowDestroyed) bar_.reset();
}

void TSkinScControl::AfterProc(TMessage& m) {
    if (!bar_) return TSkinControl::AfterProc(m);
    switch (m.Msg) {
        case WM_WINDOWPOSCHANGED:
            bar_->Place();
            break;
        case WM_NCPAINT:
            if (Control) Window = static_cast<TWinControl*>(Control)->Handle();
            bar_->Place();
            break;
        case SBM_SETSCROLLINFO:
        case CN_HSCROLL:
        case CN_VSCROLL:
            bar_->Repaint();
            break;
        case CM_VISIBLECHANGED:
            if (m.WParam)
                bar_->Place();
            else
                bar_->Hide();
            break;
        case CM_ENABLEDCHANGED:
            bar_->SetEnabled(Control->Enabled());
            bar_->Repaint();
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinScControl::PaintControl(HDC, const RECT&) {
    if (bar_ && bar_->Shown()) bar_->Repaint();
}

void TSkinScControl::SkinSwitched(bool on) {
    if (!bar_) return;
    if (on)
        bar_->Place();
    else
        bar_->Hide();
}

}  // namespace velloran
