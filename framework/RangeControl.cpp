#include "framework/RangeControl.h"

namespace velloran {

TRangeControl::TRangeControl(TComponent* owner, int max) : TWinControl(owner), max_(max) {}

void TRangeControl::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendRange();
    SendPosition(position_);
}

void TRangeControl::SetMin(int value) {
    min_ = value;
    if (handle_) SendRange();
}

void TRangeControl::SetMax(int value) {
    max_ = value;
    if (handle_) SendRange();
}

int TRangeControl::Position() const { return handle_ ? ReadPosition() : position_; }

void TRangeControl::StorePosition(int value) {
    position_ = value;
    if (handle_) SendPosition(value);
}

void TRangeControl::RecreateKeepingPosition() {
    position_ = Position();
    if (HandleAllocated()) RecreateWnd();
}

}  // namespace velloran
