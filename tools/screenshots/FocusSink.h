#pragma once
// A small blank window in the screen's bottom-right corner that takes the activation away from
// the window being shot, so that it shows its inactive look.
#include "framework/Handles.h"

namespace velloran {

class TFocusSink {
public:
    TFocusSink();
    // Makes the sink the foreground window; a modal loop may have disabled it meanwhile.
    void Activate() const;
    HWND Handle() const { return window_.get(); }

private:
    TWindowHandle window_;
};

}  // namespace velloran
