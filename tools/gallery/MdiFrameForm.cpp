#include "tools/gallery/MdiFrameForm.h"

#include "framework/Menus.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/GalleryMenus.h"
#include "tools/gallery/MdiChildForm.h"

namespace velloran {

const TClassInfo& TGalleryMdiFrameForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryMdiFrameForm>("TGalleryMdiFrameForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryMdiFrameForm::TGalleryMdiFrameForm(TComponent* owner) : TForm(owner) {
    SetFormStyle(fsMDIForm);
    SetPosition(poScreenCenter);
    SetCaption("MDI frame");
    UseProgramFont(*this);
    SetClientWidth(520);
    SetClientHeight(340);

    auto* menu = new TMainMenu(this);
    TMenuItem* file = AddMenuItem(*this, *menu->Items(), "&File");
    AddMenuItem(*this, *file, "&Close", [this](TObject*) { Close(); });
    TMenuItem* window = AddMenuItem(*this, *menu->Items(), "&Window");
    CascadeItem = AddMenuItem(*this, *window, "&Cascade", [this](TObject*) { Cascade(); });
    TileItem = AddMenuItem(*this, *window, "&Tile", [this](TObject*) { Tile(); });
    ArrangeItem = AddMenuItem(*this, *window, "&Arrange", [this](TObject*) { ArrangeIcons(); });
    SetMenu(menu);
    SetWindowMenu(window);

    // The children live in the frame's client window, so the frame's window comes first.
    HandleNeeded();
    for (int number = 1; number <= kChildCount; ++number) (new TGalleryMdiChildForm(*this, number))->Show();
}

}  // namespace velloran
