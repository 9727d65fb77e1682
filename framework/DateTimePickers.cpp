#include "framework/DateTimePickers.h"

#include <commctrl.h>

namespace velloran {

const TEnumInfo DateTimeKindEnum{{"dtkDate", "dtkTime"}};
const TEnumInfo DTDateModeEnum{{"dmComboBox", "dmUpDown"}};

const TClassInfo& TDateTimePicker::StaticClassInfo() {
    using C = TDateTimePicker;
    static const TClassInfo info =
        DefineClass<C>("TDateTimePicker", &TWinControl::StaticClassInfo(),
                       {props::Enum("Kind", DateTimeKindEnum, &C::Kind, &C::SetKind),
                        props::Enum("DateMode", DTDateModeEnum, &C::DateMode, &C::SetDateMode)});
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 186;
    height_ = 21;
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    // The picker's class is registered on demand.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    TWinControl::CreateParams(p);
    p.SysClassName = "SysDateTimePick32";
    p.ExStyle |= WS_EX_CLIENTEDGE;
    if (kind_ == dtkTime) p.Style |= DTS_TIMEFORMAT;
    if (dateMode_ == dmUpDown) p.Style |= DTS_UPDOWN;
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (dateMode_ == mode) return;
    dateMode_ = mode;
    RecreateWnd();
}

}  // namespace velloran
