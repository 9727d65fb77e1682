#include "skin/controls/SkinScrollBars.h"

#include <commctrl.h>

#include <string>

#include "skin/controls/SkinHeader.h"

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

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
    horizontal_ = std::make_unique<TWScrollbar>(*SkinData, Window, omHorizontal);
    vertical_ = std::make_unique<TWScrollbar>(*SkinData, Window, omVertical);
    for (TWScrollbar* bar : {horizontal_.get(), vertical_.get()}) {
        bar->SetEnabled(Control->Enabled());
        if (!Control->Visible()) bar->Hide();
    }
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
    horizontal_.reset();
    vertical_.reset();
    SetWindowPos(Window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::SkinChanged() {
    if (Control) TakeFixedColour();
    TSkinControl::SkinChanged();
}

void TSkinScrollbar::PlaceBars() {
    for (TWScrollbar* bar : {horizontal_.get(), vertical_.get()})
        if (bar) bar->Place();
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
            PlaceBars();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (TWScrollbar* bar = m.Msg == WM_HSCROLL ? horizontal_.get() : vertical_.get()) {
                bar->SetHotPart(LOWORD(m.WParam));
                bar->Repaint();
            }
            break;
        case WM_MOUSEWHEEL:
            for (TWScrollbar* bar : {horizontal_.get(), vertical_.get()})
                if (bar && bar->Shown()) bar->Repaint();
            break;
        case CM_VISIBLECHANGED:
            if (m.WParam) {
                PlaceBars();
            } else {
                for (TWScrollbar* bar : {horizontal_.get(), vertical_.get()})
                    if (bar) bar->Hide();
            }
            break;
        case CM_ENABLEDCHANGED:
            for (TWScrollbar* bar : {horizontal_.get(), vertical_.get()})
                if (bar) bar->SetEnabled(Control ? Control->Enabled() : IsWindowEnabled(Window) != FALSE);
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
    for (auto [bar, bit] : {std::pair{horizontal_.get(), WS_HSCROLL}, std::pair{vertical_.get(), WS_VSCROLL}}) {
        if (!bar) continue;
        if (bar->Shown())
            bar->Repaint();
        else if (style & bit)
            bar->Place();
    }
    if (!horizontal_ || !vertical_ || !horizontal_->Shown() || !vertical_->Shown()) return;
    // The square between the two bars.
    const RECT across = vertical_->WindowBar();
    const RECT along = horizontal_->WindowBar();
    const RECT corner{across.left, along.top, across.right, along.bottom};
    FillColour(dc, corner, SkinBackground());
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

}  // namespace velloran
