#pragma once
// A dialog-style window (bsDialog): fixed frame, caption with a close box only.
#include "framework/Forms.h"

namespace velloran {

class TGalleryDialogForm : public TForm {
    VELLORAN_CLASS(TGalleryDialogForm)
public:
    explicit TGalleryDialogForm(TComponent* owner);
};

}  // namespace velloran
