#include "tools/screenshots/GalleryShots.h"

#include <stdexcept>

#include "framework/ComboBoxes.h"
#include "framework/StdCtrls.h"
#include "skin/form/WinSkinMenu.h"
#include "skin/manager/SkinManage.h"
#include "tools/gallery/ButtonsForm.h"
#include "tools/gallery/FieldsForm.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/GalleryPages.h"

namespace velloran {

namespace {

// How far the memo's thumb is dragged down.
constexpr int kDragDistance = 20;

// The page of fields in use: a combo box dropped down, and the long memo's thumb being dragged.
void ShootFieldsInUse(TShotSession& session) {
    auto* fields = dynamic_cast<TGalleryFieldsForm*>(GalleryMainForm->OpenPage("fields"));
    if (!fields) return;
    TComboBox& combo = *fields->DropDownCombo();
    session.ShootArranged("gallery-fields-dropped", fields->Handle(), [&combo] {
        // The list stays open only while its combo has the focus.
        combo.SetFocus();
        combo.SetDroppedDown(true);
    });
    combo.SetDroppedDown(false);
    SCROLLBARINFO bar{sizeof bar};
    if (GetScrollBarInfo(fields->LongMemo()->Handle(), OBJID_VSCROLL, &bar)) {
        const POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                          bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
        session.ShootDrag("gallery-fields-drag", fields->Handle(), thumb, POINT{thumb.x, thumb.y + kDragDistance});
    }
    fields->Hide();
}

}  // namespace

void ShootGalleryWindows(TShotSession& session, const std::string& skinsFolder, const std::string& skin) {
    Application->SetTitle("Velloran Gallery");
    Application->CreateForm(GalleryMainForm);
    TGalleryOptions options;
    options.SkinsFolder = skinsFolder;
    options.Skin = skin;
    GalleryMainForm->Start(options);

    session.ShootForm("gallery-main", *GalleryMainForm);
    // The View menu holds every kind of item: checked with and without an image, default, disabled.
    GalleryMainForm->Show();
    session.ShootMenu("gallery-main-menu", GalleryMainForm->Handle(), [] {
        TSkinManage* manager = TSkinManage::Instance();
        TWinSkinForm* skinner = manager ? manager->FindFormSkinner(GalleryMainForm->Handle()) : nullptr;
        if (!skinner || !skinner->MenuBar) throw std::runtime_error("The gallery's menu bar is not skinned");
        skinner->OpenMenuButton(skinner->MenuBar->MenuButtonByAccel(L'v'));
    });
    GalleryMainForm->Hide();
    for (const TGalleryPage& page : GalleryPages()) {
        TForm* form = GalleryMainForm->OpenPage(page.Name);
        session.Shoot("gallery-" + page.Name, form->Handle());
        // The buttons page's dialog from a template: the skin reaches its controls by window class.
        if (auto* buttons = dynamic_cast<TGalleryButtonsForm*>(form)) {
            const HWND bare = buttons->OpenBareDialog();
            if (!bare) throw std::runtime_error("The bare dialog did not open");
            session.Shoot("gallery-baredialog", bare);
            DestroyWindow(bare);
        }
        form->Hide();
    }
    ShootFieldsInUse(session);
}

}  // namespace velloran
