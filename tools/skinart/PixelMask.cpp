#include "tools/skinart/PixelMask.h"

#include <algorithm>
#include <cassert>

namespace velloran::skinart {

PixelMask::PixelMask(std::initializer_list<const char*> rows) : rows_(rows.begin(), rows.end()) {
    assert(!rows_.empty() && !rows_.front().empty());
    assert(std::all_of(rows_.begin(), rows_.end(),
                       [this](const std::string& row) { return row.size() == rows_.front().size(); }));
}

Image MaskImage(const PixelMask& mask, Rgb ink) {
    Image image(mask.Width(), mask.Height());
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
            if (mask.Inked(x, y)) image.Set(x, y, ink);
    return image;
}

}  // namespace velloran::skinart
