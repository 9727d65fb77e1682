#include "tools/screenshots/GalleryShots.h"

#include <stdexcept>

#include "tools/gallery/ButtonsForm.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/GalleryPages.h"

namespace velloran {

void ShootGalleryWindows(TShotSession& session, const std::string& skinsFolder, const std::string& skin) {
    Application->SetTitle("Velloran Gallery");
    Application->CreateForm(GalleryMainForm);
    TGalleryOptions options;
    options.SkinsFolder = skinsFolder;
    options.Skin = skin;
    GalleryMainForm->Start(options);

    session.ShootForm("gallery-main", *GalleryMainForm);
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
}

}  // namespace velloran
