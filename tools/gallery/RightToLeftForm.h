#pragma once
// A right-to-left form with a menu bar: the bar runs from the right and its arrows swap.
#include "framework/Forms.h"

namespace velloran {

class TGalleryRightToLeftForm : public TForm {
    VELLORAN_CLASS(TGalleryRightToLeftForm)
public:
    explicit TGalleryRightToLeftForm(TComponent* owner);
};

}  // namespace velloran
