#include "tools/gallery/GalleryOptions.h"

#include <stdexcept>

#include "tools/gallery/GalleryPages.h"
#include "tools/gallery/PackedSkins.h"

namespace velloran {

std::string DefaultSkinsFolder() { return VELLORAN_GALLERY_SKINS; }

namespace {

void CheckPageName(const std::string& name) {
    if (SameText(name, kMainPageName)) return;
    std::string known = kMainPageName;
    for (const TGalleryPage& page : GalleryPages()) {
        if (SameText(name, page.Name)) return;
        known += ", " + page.Name;
    }
    throw std::invalid_argument("Unknown form \"" + name + "\" for --open; the forms are " + known);
}

}  // namespace

TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments) {
    TGalleryOptions options;
    options.SkinsFolder = DefaultSkinsFolder();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        std::string* target = name == "--skins" ? &options.SkinsFolder
                              : name == "--open" ? &options.Open
                              : name == "--skin" ? &options.Skin
                              : name == "--watch" ? &options.Watch
                                                 : nullptr;
        if (!target) throw std::invalid_argument("Unknown switch \"" + name + "\"; use --skins DIR, --open NAME, --skin NAME, --watch DIR");
        if (i + 1 == arguments.size()) throw std::invalid_argument("The switch " + name + " needs a value");
        *target = arguments[++i];
    }
    CheckPageName(options.Open);
    return options;
}

}  // namespace velloran
