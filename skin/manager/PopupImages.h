#pragma once
// What skinned popups share from one opening to the next: per popup size and skin image, the
// background composed from the skin's MenuBackground and the item images made on it. A menu opens
// again and again at the same size; a few sizes are kept, the one used longest ago goes first.
// The manager drops them all when the skin changes; an open popup keeps its own until it goes.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphics.h"
#include "skin/form/MenuItemImages.h"

namespace velloran {

struct TPopupImages {
    // Empty until composed; none when the skin has no MenuBackground image.
    std::shared_ptr<TBitmap> Background;
    TMenuItemImages Items;
};

class TPopupImageStore {
public:
    // The images of popups of the size whose background comes from the skin image with the serial
    // (0 for none); new and empty the first time.
    std::shared_ptr<TPopupImages> For(int width, int height, std::uint64_t source);
    void Clear() { entries_.clear(); }

private:
    struct TEntry {
        int Width = 0;
        int Height = 0;
        std::uint64_t Source = 0;
        std::shared_ptr<TPopupImages> Images;
    };
    std::vector<TEntry> entries_;  // the one used last at the end
};

}  // namespace velloran
