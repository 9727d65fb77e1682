#pragma once
// The up-down control: a pair of arrow buttons that step a position within a range.
#include "framework/Controls.h"

namespace velloran {

enum TUDOrientation { udVertical, udHorizontal };
extern const TEnumInfo UDOrientationEnum;

class TUpDown : public TWinControl {
    VELLORAN_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation orientation);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void ApplyRange();

    TUDOrientation orientation_ = udVertical;
    int min_ = 0, max_ = 100, position_ = 0;
};

}  // namespace velloran
