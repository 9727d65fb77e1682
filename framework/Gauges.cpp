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
        {props::Int("Min", &C::Min, &C::SetMin), props::Int("Max", &C::Max, &C::SetMax),
         props::Int("Position", &C::Position, &C::SetPosition), props::Int("Step", &C::Step, &C::SetStep),
         props::Enum("Orientation", ProgressBarOrientationEnum, &C::Orientation, &C::SetOrientation),
         props::Bool("Smooth", &C::Smooth, &C::SetSmooth)});
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = PROGRESS_CLASSA;
    if (orientation_ == pbVertical) p.Style |= PBS_VERTICAL;
    if (smooth_) p.Style |= PBS_SMOOTH;
}

void TProgressBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    ApplyRange();
    SendMessageA(handle_, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageA(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::ApplyRange() {
    if (handle_) SendMessageA(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    ApplyRange();
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    ApplyRange();
}

int TProgressBar::Position() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int value) {
    position_ = value;
    if (handle_) SendMessageA(handle_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

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
    position_ = Position();
    orientation_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
    if (smooth_ == value) return;
    position_ = Position();
    smooth_ = value;
    if (HandleAllocated()) RecreateWnd();
}

// ---- TTrackBar ---------------------------------------------------------------------------

const TClassInfo& TTrackBar::StaticClassInfo() {
    using C = TTrackBar;
    static const TClassInfo info = DefineClass<C>(
        "TTrackBar", &TWinControl::StaticClassInfo(),
        {props::Int("Min", &C::Min, &C::SetMin), props::Int("Max", &C::Max, &C::SetMax),
         props::Int("Position", &C::Position, &C::SetPosition),
         props::Int("Frequency", &C::Frequency, &C::SetFrequency),
         props::Enum("Orientation", TrackBarOrientationEnum, &C::Orientation, &C::SetOrientation),
         props::Bool("Transparent", &C::Transparent, &C::SetTransparent)});
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 32;
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = TRACKBAR_CLASSA;
    p.Style |= TBS_AUTOTICKS | (orientation_ == trVertical ? TBS_VERT | TBS_RIGHT : TBS_HORZ | TBS_BOTTOM);
}

void TTrackBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    ApplyRange();
    SendMessageA(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageA(handle_, TBM_SETPOS, TRUE, static_cast<LPARAM>(position_));
}

void TTrackBar::ApplyRange() {
    if (!handle_) return;
    SendMessageA(handle_, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(min_));
    SendMessageA(handle_, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(max_));
}

void TTrackBar::SetMin(int value) {
    min_ = value;
    ApplyRange();
}

void TTrackBar::SetMax(int value) {
    max_ = value;
    ApplyRange();
}

int TTrackBar::Position() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, TBM_GETPOS, 0, 0)) : position_;
}

void TTrackBar::SetPosition(int value) {
    if (Position() == value) return;
    position_ = value;
    if (handle_) SendMessageA(handle_, TBM_SETPOS, TRUE, static_cast<LPARAM>(value));
    if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = value;
    if (handle_) SendMessageA(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (orientation_ == value) return;
    position_ = Position();
    orientation_ = value;
    if (HandleAllocated()) RecreateWnd();
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
    TWinControl::WndProc(m);
}

}  // namespace velloran
