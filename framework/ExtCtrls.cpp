#include "framework/ExtCtrls.h"

#include <algorithm>

namespace velloran {

const TEnumInfo BevelCutEnum{{"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

namespace {

// Sets a flag for as long as the scope lasts.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
    ~TFlagScope() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

const TClassInfo& TTimer::StaticClassInfo() {
    using C = TTimer;
    static const TClassInfo info = DefineClass<C>(
        "TTimer", &TComponent::StaticClassInfo(),
        {props::Bool("Enabled", &C::Enabled, &C::SetEnabled), props::Int("Interval", &C::Interval, &C::SetInterval),
         props::Event("OnTimer", &C::OnTimer)});
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = std::make_unique<TUtilWindow>([this](TMessage& m) {
        if (m.Msg != WM_TIMER) return false;
        if (enabled_ && OnTimer) OnTimer(this);
        return true;
    });
    Update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

TTimer::~TTimer() { timer_.Stop(); }

void TTimer::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(int ms) {
    if (interval_ == ms) return;
    interval_ = ms;
    Update();
}

void TTimer::Update() {
    timer_.Stop();
    if (enabled_ && interval_ > 0 && !HasState(csLoading)) timer_.Start(window_->Handle(), 1, static_cast<UINT>(interval_));
}

// ---- TCustomPanel ------------------------------------------------------------------------

const TClassInfo& TCustomPanel::StaticClassInfo() {
    using C = TCustomPanel;
    static const TClassInfo info = DefineClass<C>(
        "TCustomPanel", &TWinControl::StaticClassInfo(),
        {props::Enum("BevelInner", BevelCutEnum, &C::BevelInner, &C::SetBevelInner),
         props::Enum("BevelOuter", BevelCutEnum, &C::BevelOuter, &C::SetBevelOuter),
         props::Int("BevelWidth", &C::BevelWidth, &C::SetBevelWidth),
         props::Int("BorderWidth", &C::BorderWidth, &C::SetBorderWidth),
         props::Enum("Alignment", AlignmentEnum, &C::Alignment, &C::SetAlignment)});
    return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TPanel>("TPanel", &TCustomPanel::StaticClassInfo());
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 41;
}

void TCustomPanel::SetBevelWidth(int v) { Changed(bevelWidth_, std::max(v, 1)); }
void TCustomPanel::SetBorderWidth(int v) { Changed(borderWidth_, std::max(v, 0)); }

void TCustomPanel::WndProc(TMessage& m) {
    // The window text is painted by us, not by the system.
    if (m.Msg == CM_TEXTCHANGED) Invalidate();
    TWinControl::WndProc(m);
}

namespace {

// Lines of width pixels along the edges of r, top and left in one colour, bottom and right in
// the other; r shrinks by what was drawn.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    TBrushHandle light(CreateSolidBrush(ColorToRGB(topLeft)));
    TBrushHandle dark(CreateSolidBrush(ColorToRGB(bottomRight)));
    for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
        const RECT top{r.left, r.top, r.right - 1, r.top + 1};
        const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
        const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
        const RECT right{r.right - 1, r.top, r.right, r.bottom};
        FillRect(dc, &top, light.get());
        FillRect(dc, &left, light.get());
        FillRect(dc, &bottom, dark.get());
        FillRect(dc, &right, dark.get());
        InflateRect(&r, -1, -1);
    }
}

}  // namespace

void TCustomPanel::PaintWindow(HDC dc) {
    PaintBackground(dc);
    RECT r = ClientRect();
    const auto bevel = [&](TBevelCut cut) {
        switch (cut) {
        case bvNone: break;
        case bvLowered: Frame3D(dc, r, clBtnShadow, clBtnHighlight, bevelWidth_); break;
        case bvRaised: Frame3D(dc, r, clBtnHighlight, clBtnShadow, bevelWidth_); break;
        case bvSpace: Frame3D(dc, r, Color(), Color(), bevelWidth_); break;
        }
    };
    bevel(bevelOuter_);
    Frame3D(dc, r, Color(), Color(), borderWidth_);
    bevel(bevelInner_);

    const std::string caption = GetText();
    if (caption.empty()) return;
    TSelectObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | kAlignments[alignment_]);
}

// ---- TCustomItemGroup --------------------------------------------------------------------

const TClassInfo& TCustomItemGroup::StaticClassInfo() {
    using C = TCustomItemGroup;
    static const TClassInfo info =
        DefineClass<C>("TCustomItemGroup", &TCustomGroupBox::StaticClassInfo(),
                       {props::SubObject("Items", &C::Items), props::Int("Columns", &C::Columns, &C::SetColumns)});
    return info;
}

TCustomItemGroup::TCustomItemGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject*) { UpdateButtons(); };
}

void TCustomItemGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (columns_ == v) return;
    columns_ = v;
    ArrangeButtons();
}

void TCustomItemGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

void TCustomItemGroup::BoundsChanged() { ArrangeButtons(); }

void TCustomItemGroup::FontChanged() {
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

void TCustomItemGroup::UpdateButtons() {
    // Form data gives the items before the group is whole; Loaded makes the buttons.
    if (HasState(csLoading)) return;
    const size_t count = static_cast<size_t>(items_->Count());
    while (buttons_.size() > count) {
        TWinControl* last = buttons_.back();
        buttons_.pop_back();
        Free(last);
    }
    while (buttons_.size() < count) {
        TWinControl* button = NewButton();
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (size_t i = 0; i < count; ++i) buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    ArrangeButtons();
    ButtonsChanged();
}

RECT ItemButtonBounds(int index, int count, int columns, SIZE groupSize, int fontHeight) {
    const int perColumn = (count + columns - 1) / columns;
    const int width = (groupSize.cx - 10) / columns;
    const int rows = groupSize.cy - fontHeight - 5;
    const int height = rows / perColumn;
    const int topMargin = fontHeight + 1 + (rows % perColumn) / 2;
    const int left = (index / perColumn) * width + 8;
    const int top = (index % perColumn) * height + topMargin;
    return {left, top, left + width, top + height};
}

void TCustomItemGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    TEXTMETRICA metrics{};
    {
        TWindowDC screen(nullptr);
        TSelectObject font(screen.get(), Font()->Handle());
        GetTextMetricsA(screen.get(), &metrics);
    }
    const int count = ButtonCount();
    for (int i = 0; i < count; ++i) {
        const RECT r = ItemButtonBounds(i, count, columns_, {ClientWidth(), ClientHeight()}, metrics.tmHeight);
        buttons_[static_cast<size_t>(i)]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

// ---- TRadioGroup -------------------------------------------------------------------------

const TClassInfo& TRadioGroup::StaticClassInfo() {
    using C = TRadioGroup;
    static const TClassInfo info = DefineClass<C>("TRadioGroup", &TCustomItemGroup::StaticClassInfo(),
                                                  {props::Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex)});
    return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomItemGroup(owner) {}

TRadioButton* TRadioGroup::Buttons(int index) const {
    return static_cast<TRadioButton*>(buttons_.at(static_cast<size_t>(index)));
}

TWinControl* TRadioGroup::NewButton() {
    auto* button = new TRadioButton(this);
    button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
    return button;
}

void TRadioGroup::SetItemIndex(int v) {
    // Read before the items have buttons: Loaded applies it.
    if (HasState(csLoading)) {
        itemIndex_ = v;
        return;
    }
    v = std::clamp(v, -1, ButtonCount() - 1);
    if (itemIndex_ == v) return;
    if (v < 0) {
        Buttons(itemIndex_)->SetChecked(false);
        itemIndex_ = -1;
        ButtonsChanged();
        return;
    }
    // Checking the button runs ButtonClicked, which takes the index and runs our click handler.
    Buttons(v)->SetChecked(true);
}

void TRadioGroup::ButtonClicked(TRadioButton* button) {
    if (syncing_) return;
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    Click();
}

// The checked button is the group's tab stop; with none checked, the first one is.
void TRadioGroup::ButtonsChanged() {
    // The index did not change, the buttons did: checking them is no click.
    TFlagScope quiet(syncing_);
    itemIndex_ = std::clamp(itemIndex_, -1, ButtonCount() - 1);
    for (int i = 0; i < ButtonCount(); ++i) {
        TRadioButton* button = Buttons(i);
        button->SetChecked(i == itemIndex_);
        button->SetTabStop(i == std::max(itemIndex_, 0));
    }
}

// ---- TCheckGroup -------------------------------------------------------------------------

const TClassInfo& TCheckGroup::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TCheckGroup>("TCheckGroup", &TCustomItemGroup::StaticClassInfo());
    return info;
}

TCheckGroup::TCheckGroup(TComponent* owner) : TCustomItemGroup(owner) {}

TCheckBox* TCheckGroup::Buttons(int index) const {
    return static_cast<TCheckBox*>(buttons_.at(static_cast<size_t>(index)));
}

TWinControl* TCheckGroup::NewButton() {
    auto* button = new TCheckBox(this);
    button->OnClick = [this](TObject*) { Click(); };
    return button;
}

void RegisterExtControls() {
    for (const TClassInfo* c : {&TTimer::StaticClassInfo(), &TPanel::StaticClassInfo(), &TRadioGroup::StaticClassInfo(),
                                &TCheckGroup::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
