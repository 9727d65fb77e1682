#pragma once
// Which pixels of an image belong to a window region, and the one region made from several such
// images and rectangles placed on a window.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Handles.h"

namespace velloran {

class TBitmap;

// One byte per pixel, rows from the top: 1 for a pixel of the region, 0 for one left out.
struct TPixelMask {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> In;

    // Width x height pixels, all of them `value`.
    void Reset(int width, int height, std::uint8_t value);
    std::uint8_t* Row(int y) { return In.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width); }
    const std::uint8_t* Row(int y) const {
        return In.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width);
    }
};

// The pixels of the image that are not of the skin's key colour (each channel within 1 of it).
TPixelMask OpaquePixels(const TBitmap& image);

// A rectangle of a window and what of it belongs to the region: the pixels of the mask (of the
// rectangle's size), or the whole rectangle when there is no mask.
struct TPlacedMask {
    RECT Rect{};
    const TPixelMask* Mask = nullptr;
};

// The union of the pieces as one region, made in one call from rectangles in band order.
// Pieces may overlap and reach past the window's sides; an empty or inverted rectangle adds nothing.
TRegionHandle RegionFromPieces(const std::vector<TPlacedMask>& pieces);

}  // namespace velloran
