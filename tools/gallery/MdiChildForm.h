#pragma once
// One child of the gallery's MDI frame.
#include "framework/Forms.h"

namespace velloran {

class TGalleryMdiFrameForm;

class TGalleryMdiChildForm : public TForm {
    VELLORAN_CLASS(TGalleryMdiChildForm)
public:
    TGalleryMdiChildForm(TGalleryMdiFrameForm& frame, int number);

protected:
    TForm* MDIFrame() const override;

private:
    TGalleryMdiFrameForm& frame_;
};

}  // namespace velloran
