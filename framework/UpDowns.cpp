#include "framework/UpDowns.h"

#include <commctrl.h>

namespace velloran {

const TEnumInfo UDOrientationEnum{{"udVertical", "udHorizontal"}};

const TClassInfo& TUpDown::StaticClassInfo() {
    using C = TUpDown;
    static const TClassInfo info = DefineClass<C>(
        "TUpDown", &TWinControl::StaticClassInfo(),
        {props::Enum("Orientation", UDOrientationEnum, &C::Orientation, &C::SetOrientation),
         props::Int("Min", &C::Min, &C::SetMin), props::Int("Max", &C::Max, &C::SetMax),
         props::Int("Position", &C::Position, &C::SetPosition)});
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    width_ = 16;
    height_ = 24;
}

void TUpDown::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "msctls_updown32";
    p.Style |= UDS_ARROWKEYS | UDS_SETBUDDYINT;
    if (orientation_ == udHorizontal) p.Style |= UDS_HORZ;
}

void TUpDown::InitializeWnd() {
    TWinControl::InitializeWnd();
    ApplyRange();
    SendMessageA(handle_, UDM_SETPOS32, 0, static_cast<LPARAM>(position_));
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
    if (orientation_ == orientation) return;
    position_ = Position();
    orientation_ = orientation;
    RecreateWnd();
}

void TUpDown::SetMin(int value) {
    min_ = value;
    ApplyRange();
}

void TUpDown::SetMax(int value) {
    max_ = value;
    ApplyRange();
}

void TUpDown::ApplyRange() {
    if (handle_) SendMessageA(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
}

int TUpDown::Position() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, UDM_GETPOS32, 0, 0)) : position_;
}

void TUpDown::SetPosition(int value) {
    position_ = value;
    if (handle_) SendMessageA(handle_, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
}

}  // namespace velloran
