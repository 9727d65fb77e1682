#include "framework/TabSets.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/Messages.h"

namespace velloran {

namespace {
constexpr int kScrollerWidth = 18;
}  // namespace

// ---- TTabScroller -------------------------------------------------------------------------

const TClassInfo& TTabScroller::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TTabScroller>("TTabScroller", &TUpDown::StaticClassInfo());
    return info;
}

TTabScroller::TTabScroller(TComponent* owner) : TUpDown(owner) { SetOrientation(udHorizontal); }

void TTabScroller::WndProc(TMessage& m) {
    TUpDown::WndProc(m);
    if (m.Msg == CN_HSCROLL && LOWORD(m.WParam) == SB_THUMBPOSITION)
        if (auto* tabSet = dynamic_cast<TTabSet*>(Owner())) tabSet->SetFirstIndex(Position());
}

// ---- TTabSet ------------------------------------------------------------------------------

const TClassInfo& TTabSet::StaticClassInfo() {
    using C = TTabSet;
    using namespace props;
    static const TClassInfo info = DefineClass<C>(
        "TTabSet", &TWinControl::StaticClassInfo(),
        {Lines("Tabs", &C::Tabs, &C::SetTabs), Int("TabIndex", &C::TabIndex, &C::SetTabIndex),
         Int("FirstIndex", &C::FirstIndex, &C::SetFirstIndex), Int("StartMargin", &C::StartMargin, &C::SetStartMargin),
         Int("EndMargin", &C::EndMargin, &C::SetEndMargin), Event("OnChange", &C::OnChange)});
    return info;
}

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 21;
    // The scroller is the tab set's first component, where a skin looks for it.
    scroller_ = new TTabScroller(this);
    scroller_->SetVisible(false);
    scroller_->SetParent(this);
}

void TTabSet::InitializeWnd() {
    TWinControl::InitializeWnd();
    UpdateScroller();
}

void TTabSet::BoundsChanged() {
    TWinControl::BoundsChanged();
    UpdateScroller();
}

void TTabSet::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = static_cast<int>(tabs_.size()) - 1;
    if (tabIndex_ < 0 && !tabs_.empty()) tabIndex_ = 0;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(static_cast<int>(tabs_.size()) - 1, 0));
    Changed();
}

void TTabSet::SetTabIndex(int index) {
    if (index < -1 || index >= static_cast<int>(tabs_.size()) || index == tabIndex_) return;
    tabIndex_ = index;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TTabSet::SetFirstIndex(int index) {
    index = std::clamp(index, 0, std::max(static_cast<int>(tabs_.size()) - 1, 0));
    if (index == firstIndex_) return;
    firstIndex_ = index;
    Changed();
}

void TTabSet::SetStartMargin(int value) {
    startMargin_ = value;
    Changed();
}

void TTabSet::SetEndMargin(int value) {
    endMargin_ = value;
    Changed();
}

void TTabSet::Changed() {
    UpdateScroller();
    Invalidate();
}

std::vector<RECT> TTabSet::LayOut(int first, bool scrollerShown) {
    std::vector<RECT> rects;
    if (!HandleAllocated()) return rects;
    TWindowDC dc(handle_);
    TSelectObject font(dc.get(), Font()->Handle());
    const int limit = ClientWidth() - endMargin_;
    int x = startMargin_;
    for (size_t i = static_cast<size_t>(first); i < tabs_.size(); ++i) {
        SIZE text{};
        GetTextExtentPoint32A(dc.get(), tabs_[i].c_str(), static_cast<int>(tabs_[i].size()), &text);
        const int width = text.cx + kTabPadding;
        if (x + width + (scrollerShown ? kScrollerRoom : kEndRoom) > limit) break;
        rects.push_back({x, 0, x + width, ClientHeight()});
        x += width;
    }
    return rects;
}

std::vector<RECT> TTabSet::TabRects() { return LayOut(firstIndex_, scroller_->Visible()); }

void TTabSet::UpdateScroller() {
    if (!HandleAllocated()) return;
    // Tabs that all fit from the first on are shown from the first on.
    const bool allFit = LayOut(0, false).size() == tabs_.size();
    if (allFit) firstIndex_ = 0;
    scroller_->SetBounds(ClientWidth() - kScrollerWidth - 1, 1, kScrollerWidth, std::max(ClientHeight() - 2, 1));
    scroller_->SetMax(std::max(static_cast<int>(tabs_.size()) - 1, 0));
    scroller_->SetPosition(firstIndex_);
    scroller_->SetVisible(!allFit);
}

void TTabSet::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    TSelectObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    const std::vector<RECT> rects = TabRects();
    TPenHandle shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    TSelectObject pen(dc, shadow.get());
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, ClientWidth(), 0);
    for (size_t i = 0; i < rects.size(); ++i) {
        RECT tab = rects[i];
        const bool selected = static_cast<int>(i) + firstIndex_ == tabIndex_;
        if (selected) FillRect(dc, &tab, GetSysColorBrush(COLOR_WINDOW));
        const POINT outline[] = {{tab.left, 0}, {tab.left + 2, tab.bottom - 2}, {tab.right - 2, tab.bottom - 2},
                                 {tab.right, 0}};
        Polyline(dc, outline, 4);
        const std::string& text = tabs_[static_cast<size_t>(firstIndex_) + i];
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TTabSet::WndProc(TMessage& m) {
    if (m.Msg == WM_LBUTTONDOWN) {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        const std::vector<RECT> rects = TabRects();
        for (size_t i = 0; i < rects.size(); ++i)
            if (PtInRect(&rects[i], p)) SetTabIndex(firstIndex_ + static_cast<int>(i));
    }
    TWinControl::WndProc(m);
}

void RegisterTabSets() {
    RegisterComponentClass(TTabSet::StaticClassInfo());
    RegisterComponentClass(TTabScroller::StaticClassInfo());
}

}  // namespace velloran
