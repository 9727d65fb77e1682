#pragma once
// A windowed control that shows a position within a range, as the progress bar and the track bar
// do. The values are kept here while there is no window and carried over when one is made.
#include "framework/Controls.h"

namespace velloran {

class TRangeControl : public TWinControl {
public:
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // The window's own position while it exists: the user may have moved it.
    int Position() const;

protected:
    TRangeControl(TComponent* owner, int max);
    void InitializeWnd() override;

    // The control's messages for the range and the position; called only while the window exists.
    virtual void SendRange() = 0;
    virtual void SendPosition(int value) = 0;
    virtual int ReadPosition() const = 0;

    void StorePosition(int value);
    // Makes the window anew after a style change, keeping the position the user left.
    void RecreateKeepingPosition();

    int min_ = 0, max_, position_ = 0;
};

}  // namespace velloran
