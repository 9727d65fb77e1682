#pragma once
// A frame: a reusable group of controls, owned and laid out by the frame, that sits on a form
// like one control and shows its Color behind them.
#include "framework/Controls.h"

namespace velloran {

class TCustomFrame : public TWinControl {
    VELLORAN_CLASS(TCustomFrame)
public:
    explicit TCustomFrame(TComponent* owner);
};

class TFrame : public TCustomFrame {
    VELLORAN_CLASS(TFrame)
public:
    using TCustomFrame::TCustomFrame;
};

}  // namespace velloran
