#include "tools/gallery/MdiChildForm.h"

#include <string>

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/MdiFrameForm.h"

namespace velloran {

const TClassInfo& TGalleryMdiChildForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryMdiChildForm>("TGalleryMdiChildForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryMdiChildForm::TGalleryMdiChildForm(TGalleryMdiFrameForm& frame, int number) : TForm(&frame), frame_(frame) {
    SetFormStyle(fsMDIChild);
    SetCaption("Child " + std::to_string(number));
    UseProgramFont(*this);
    // Cascaded as the Window menu would, which cannot arrange them while the frame is hidden.
    constexpr int kCascadeStep = 26;
    SetBounds((number - 1) * kCascadeStep, (number - 1) * kCascadeStep, 240, 150);

    PlaceControl<TLabel>(*this, {10, 10, 200, 16}, "MDI child number " + std::to_string(number));
    PlaceControl<TEdit>(*this, {10, 30, 200, 21})->SetText("Some text");
}

// The gallery's frame is a window beside its main form: the child goes into its own frame.
TForm* TGalleryMdiChildForm::MDIFrame() const { return &frame_; }

}  // namespace velloran
