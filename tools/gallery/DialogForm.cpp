#include "tools/gallery/DialogForm.h"

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

const TClassInfo& TGalleryDialogForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryDialogForm>("TGalleryDialogForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryDialogForm::TGalleryDialogForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption("Dialog");
    UseProgramFont(*this);
    SetClientWidth(300);
    SetClientHeight(130);

    PlaceControl<TLabel>(*this, {12, 12, 276, 16}, "Your name:");
    auto* name = PlaceControl<TEdit>(*this, {12, 30, 276, 21});
    name->SetText("Velloran");
    PlaceControl<TCheckBox>(*this, {12, 62, 200, 17}, "Remember this choice")->SetChecked(true);
    auto* ok = PlaceControl<TButton>(*this, {132, 94, 75, 25}, "OK");
    ok->SetDefault(true);
    auto* cancel = PlaceControl<TButton>(*this, {213, 94, 75, 25}, "Cancel");
    cancel->SetCancel(true);
    ok->OnClick = cancel->OnClick = [this](TObject*) { Close(); };
    SetActiveControl(name);
}

}  // namespace velloran
