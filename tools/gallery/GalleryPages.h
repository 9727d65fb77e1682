#pragma once
// The windows the gallery's main form opens, one button each, in button order. A new page is one
// more entry here and a form class of its own.
#include <string>
#include <vector>

#include "framework/Forms.h"

namespace velloran {

struct TGalleryPage {
    std::string Name;     // for --open
    std::string Caption;  // of its button
    TForm* (*Create)(TComponent* owner);
};

const std::vector<TGalleryPage>& GalleryPages();

}  // namespace velloran
