#pragma once
// The date/time picker: a date with a drop-down calendar, or a date or time changed with an
// up-down button.
#include "framework/Controls.h"

namespace velloran {

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
extern const TEnumInfo DateTimeKindEnum;
extern const TEnumInfo DTDateModeEnum;

class TDateTimePicker : public TWinControl {
    VELLORAN_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(TComponent* owner);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    // Shows a spin rather than a calendar: the up-down mode, and always for a time.
    bool UsesUpDown() const { return dateMode_ == dmUpDown || kind_ == dtkTime; }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
};

}  // namespace velloran
