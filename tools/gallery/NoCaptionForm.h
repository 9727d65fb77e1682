#pragma once
// A window without caption or frame (bsNone); its own button closes it.
#include "framework/Forms.h"

namespace velloran {

class TButton;

class TGalleryNoCaptionForm : public TForm {
    VELLORAN_CLASS(TGalleryNoCaptionForm)
public:
    explicit TGalleryNoCaptionForm(TComponent* owner);
    TButton* CloseButton = nullptr;
};

}  // namespace velloran
