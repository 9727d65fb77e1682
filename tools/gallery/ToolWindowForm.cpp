#include "tools/gallery/ToolWindowForm.h"

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

const TClassInfo& TGalleryToolWindowForm::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TGalleryToolWindowForm>("TGalleryToolWindowForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryToolWindowForm::TGalleryToolWindowForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsToolWindow);
    SetCaption("Tool window");
    UseProgramFont(*this);
    SetLeft(80);
    SetTop(120);
    SetClientWidth(220);
    SetClientHeight(126);

    int top = 10;
    for (const char* tool : {"Cut", "Copy", "Paste"}) {
        PlaceControl<TButton>(*this, {10, top, 200, 23}, tool);
        top += 29;
    }
    PlaceControl<TCheckBox>(*this, {10, top + 4, 200, 17}, "Snap to grid")->SetChecked(true);
}

}  // namespace velloran
