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
// The client point the context menu is opened at, across and down.
constexpr int kContextMenuAt = 40;

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

TWinSkinForm& MainFormSkinner() {
    TSkinManage* manager = TSkinManage::Instance();
    TWinSkinForm* skinner = manager ? manager->FindFormSkinner(GalleryMainForm->Handle()) : nullptr;
    if (!skinner) throw std::runtime_error("The gallery's main form is not skinned");
    return *skinner;
}

// The main form's menus: the View drop-down of its bar (every kind of item: checked with and
// without an image, default, disabled), its context menu with the pages' submenu open, and its
// system menu.
void ShootMainFormMenus(TShotSession& session) {
    const HWND form = GalleryMainForm->Handle();
    GalleryMainForm->Show();
    session.ShootMenu("gallery-main-menu", form, [] {
        TWinSkinForm& skinner = MainFormSkinner();
        if (!skinner.MenuBar) throw std::runtime_error("The gallery's menu bar is not skinned");
        skinner.OpenMenuButton(skinner.MenuBar->MenuButtonByAccel(L'v'));
    });
    session.ShootMenu(
        "gallery-context-menu", form,
        [form] {
            POINT at{kContextMenuAt, kContextMenuAt};
            ClientToScreen(form, &at);
            SendMessageW(form, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form), MAKELPARAM(at.x, at.y));
        },
        {VK_DOWN, VK_RIGHT});
    session.ShootMenu("gallery-system-menu", form, [form] {
        // Where the system's own would open: under the caption, at the frame's left.
        RECT frame{};
        GetWindowRect(form, &frame);
        POINT client{};
        ClientToScreen(form, &client);
        MainFormSkinner().ShowSystemMenu(frame.left, client.y);
    });
    GalleryMainForm->Hide();
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
    ShootMainFormMenus(session);
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
