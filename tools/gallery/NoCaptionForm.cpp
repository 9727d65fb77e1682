#include "tools/gallery/NoCaptionForm.h"

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

const TClassInfo& TGalleryNoCaptionForm::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TGalleryNoCaptionForm>("TGalleryNoCaptionForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryNoCaptionForm::TGalleryNoCaptionForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    UseProgramFont(*this);
    SetClientWidth(300);
    SetClientHeight(84);

    PlaceControl<TLabel>(*this, {12, 14, 276, 16}, "This window has neither caption nor frame.");
    CloseButton = PlaceControl<TButton>(*this, {112, 46, 75, 25}, "Close");
    CloseButton->SetCancel(true);
    CloseButton->OnClick = [this](TObject*) { Close(); };
}

}  // namespace velloran
