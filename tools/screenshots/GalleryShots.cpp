#include "tools/screenshots/GalleryShots.h"

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
        form->Hide();
    }
}

}  // namespace velloran
