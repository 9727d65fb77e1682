#pragma once
// The platform's boxes the gallery's main form raises, one button each, in button order.
#include <string>
#include <vector>

namespace velloran {

struct TGalleryBox {
    std::string Caption;  // of its button
    void (*Show)();
};

const std::vector<TGalleryBox>& GalleryBoxes();

}  // namespace velloran
