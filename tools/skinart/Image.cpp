#include "tools/skinart/Image.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace velloran::skinart {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {
    assert(width > 0 && height > 0);
}

Rgb Image::At(int x, int y) const {
    assert(Bounds().Contains(x, y));
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Image::Set(int x, int y, Rgb colour) {
    assert(Bounds().Contains(x, y));
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = colour;
}

Canvas::Canvas(Image& image) : Canvas(image, image.Bounds()) {}

Canvas::Canvas(Image& image, Rect area) : image_(&image) {
    const Rect bounds = image.Bounds();
    area_ = {std::max(area.left, bounds.left), std::max(area.top, bounds.top), std::min(area.right, bounds.right),
             std::min(area.bottom, bounds.bottom)};
    area_.right = std::max(area_.right, area_.left);
    area_.bottom = std::max(area_.bottom, area_.top);
}

void Canvas::Set(int x, int y, Rgb colour) {
    if (Bounds().Contains(x, y)) image_->Set(area_.left + x, area_.top + y, colour);
}

Canvas Canvas::Part(Rect r) const {
    const Rect clipped{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, Width()),
                       std::min(r.bottom, Height())};
    return Canvas(*image_, clipped.Moved(area_.left, area_.top));
}

}  // namespace velloran::skinart
