#include "framework/ExtCtrls.h"

namespace velloran {

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

void RegisterExtControls() { RegisterComponentClass(TTimer::StaticClassInfo()); }

}  // namespace velloran
