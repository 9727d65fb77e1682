#pragma once

// Turning drawn pictures into their other orientations, so that one drawing serves an up
// and a down arrow, or a horizontal and a vertical thumb.

#include "tools/skinart/Image.h"

namespace velloran::skinart {

Image FlippedVertically(const Image& image);    // top row becomes the bottom row
Image FlippedHorizontally(const Image& image);  // left column becomes the right column
Image Transposed(const Image& image);           // pixel (x, y) moves to (y, x)

// Part of an image as an image of its own.
Image Cropped(const Image& image, Rect r);

}  // namespace velloran::skinart
