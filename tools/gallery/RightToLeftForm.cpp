#include "tools/gallery/RightToLeftForm.h"

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/GalleryMenus.h"

namespace velloran {

const TClassInfo& TGalleryRightToLeftForm::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TGalleryRightToLeftForm>("TGalleryRightToLeftForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryRightToLeftForm::TGalleryRightToLeftForm(TComponent* owner) : TForm(owner) {
    SetBiDiMode(bdRightToLeft);
    SetCaption("Right to left");
    UseProgramFont(*this);
    SetLeft(140);
    SetTop(140);

    auto* menu = new TMainMenu(this);
    menu->SetRightToLeft(true);
    TMenuItem& bar = *menu->Items();
    TMenuItem* file = AddMenuItem(*this, bar, "&File");
    AddMenuItem(*this, *file, "&New");
    AddMenuItem(*this, *file, "-");
    AddMenuItem(*this, *file, "&Close", [this](TObject*) { Close(); });
    TMenuItem* edit = AddMenuItem(*this, bar, "&Edit");
    AddMenuItem(*this, *edit, "&Copy");
    AddMenuItem(*this, *edit, "&Paste")->SetEnabled(false);
    AddMenuItem(*this, *AddMenuItem(*this, bar, "&Help"), "&About");
    SetMenu(menu);

    SetClientWidth(300);
    SetClientHeight(90);
    PlaceControl<TLabel>(*this, {12, 12, 276, 40}, "The arrows are swapped along this bar.")
        ->SetBiDiMode(bdRightToLeft);
}

}  // namespace velloran
