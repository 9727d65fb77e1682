#pragma once

// Little pictures written as rows of '#' (ink) and '.' (nothing), for glyphs that must be
// exact to the pixel.

#include "tools/skinart/Image.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace velloran::skinart {

class PixelMask {
public:
    // All rows have the same length.
    PixelMask(std::initializer_list<const char*> rows);

    int Width() const { return static_cast<int>(rows_.front().size()); }
    int Height() const { return static_cast<int>(rows_.size()); }
    bool Inked(int x, int y) const { return rows_[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#'; }

private:
    std::vector<std::string> rows_;
};

// The mask's size, ink where it has '#', the key colour elsewhere.
Image MaskImage(const PixelMask& mask, Rgb ink);

}  // namespace velloran::skinart
