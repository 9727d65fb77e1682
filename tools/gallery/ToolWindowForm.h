#pragma once
// A tool window (bsToolWindow): the small caption of a palette.
#include "framework/Forms.h"

namespace velloran {

class TGalleryToolWindowForm : public TForm {
    VELLORAN_CLASS(TGalleryToolWindowForm)
public:
    explicit TGalleryToolWindowForm(TComponent* owner);
};

}  // namespace velloran
