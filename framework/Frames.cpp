#include "framework/Frames.h"

namespace velloran {

const TClassInfo& TCustomFrame::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TCustomFrame>("TCustomFrame", &TWinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TFrame::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFrame>("TFrame", &TCustomFrame::StaticClassInfo());
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TWinControl(owner) {
    width_ = 320;
    height_ = 240;
    // A frame in a form's colour unless told otherwise.
    parentColor_ = true;
}

}  // namespace velloran
