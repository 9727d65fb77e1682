#include "framework/Gauges.h"

#include <commctrl.h>

namespace velloran {

const TEnumInfo ProgressBarOrientationEnum{{"pbHorizontal", "pbVertical"}};
const TEnumInfo TrackBarOrientationEnum{{"trHorizontal", "trVertical"}};

// ---- TProgressBar ------------------------------------------------------------------------

const TClassInfo& TProgressBar::StaticClassInfo() {
    using C = TProgressBar;
    static const TClassInfo info = DefineClass<C>(
        "TProgressBar", &TWinControl::StaticClassInfo(),
        {props::Int<C, int>("Min", &C::Min, &C::SetMin), props::Int<C, int>("Max", &C::Max, &C::SetMax),
         props::Int<C, int>("Position", &C::Position, &C::SetPosition), props::Int("Step", &C::Step, &C::SetStep),
         props::Enum("Orientation", ProgressBarOrientationEnum, &C::Orientation, &C::SetOrientation),
         props::Bool("Smooth", &C::Smooth, &C::SetSmooth)});
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner, 100) {
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TRangeControl::CreateParams(p);
    p.SysClassName = PROGRESS_CLASSA;
    if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
    if (smooth_) p.Style |= PBS_SMOOTH;
}

void TProgressBar::InitializeWnd() {
    TRangeControl::InitializeWnd();
    SendMessageA(handle_, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::SendRange() {
    SendMessageA(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

void TProgressBar::SendPosition(int value) { SendMessageA(handle_, PBM_SETPOS, static_cast<WPARAM>(value), 0); }

int TProgressBar::ReadPosition() const { return static_cast<int>(SendMessageA(handle_, PBM_GETPOS, 0, 0)); }

void TProgressBar::SetStep(int value) {
    step_ = value;
    if (handle_) SendMessageA(handle_, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::StepIt() {
    if (handle_) {
        SendMessageA(handle_, PBM_STEPIT, 0, 0);
        return;
    }
    position_ += step_;
    if (position_ > max_) position_ = min_ + (position_ - max_);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    RecreateKeepingPosition();
}

void TProgressBar::SetSmooth(bool value) {
    if (smooth_ == value) return;
    smooth_ = value;
    RecreateKeepingPosition();
}

// ---- TTrackBar ---------------------------------------------------------------------------

const TClassInfo& TTrackBar::StaticClassInfo() {
    using C = TTrackBar;
    static const TClassInfo info = DefineClass<C>(
        "TTrackBar", &TWinControl::StaticClassInfo(),
        {props::Int<C, int>("Min", &C::Min, &C::SetMin), props::Int<C, int>("Max", &C::Max, &C::SetMax),
         props::Int<C, int>("Position", &C::Position, &C::SetPosition),
         props::Int("Frequency", &C::Frequency, &C::SetFrequency),
         props::Enum("Orientation", TrackBarOrientationEnum, &C::Orientation, &C::SetOrientation),
         props::Bool("Transparent", &C::Transparent, &C::SetTransparent)});
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner, 10) {
    width_ = 150;
    height_ = 32;
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
    TRangeControl::CreateParams(p);
    p.SysClassName = TRACKBAR_CLASSA;
    p.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT | TBS_RIGHT : TBS_HORZ | TBS_BOTTOM);
}

void TTrackBar::InitializeWnd() {
    TRangeControl::InitializeWnd();
    SendMessageA(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SendRange() {
    SendMessageA(handle_, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(min_));
    SendMessageA(handle_, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(max_));
}

void TTrackBar::SendPosition(int value) { SendMessageA(handle_, TBM_SETPOS, TRUE, static_cast<LPARAM>(value)); }

int TTrackBar::ReadPosition() const { return static_cast<int>(SendMessageA(handle_, TBM_GETPOS, 0, 0)); }

void TTrackBar::SetPosition(int value) {
    if (Position() == value) return;
    StorePosition(value);
    if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = value;
    if (handle_) SendMessageA(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    RecreateKeepingPosition();
}

// The control takes its background from its Color: the parent's, while transparent.
void TTrackBar::SetTransparent(bool value) {
    transparent_ = value;
    if (value) SetParentColor(true);
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TTrackBar::WndProc(TMessage& m) {
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int now = Position();
        if (now != position_) {
            position_ = now;
            if (OnChange) OnChange(this);
        }
        m.Result = 0;
        return;
    }
    TRangeControl::WndProc(m);
}

}  // namespace velloran
