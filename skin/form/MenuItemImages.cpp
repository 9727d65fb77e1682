#include "skin/form/MenuItemImages.h"

#include <algorithm>

#include "framework/Handles.h"

namespace velloran {

namespace {

// Grows the image to hold the size, keeping what it holds.
void Cover(TBitmap& image, int width, int height) {
    if (image.Width() >= width && image.Height() >= height) return;
    image.SetSize(std::max(image.Width(), width), std::max(image.Height(), height));
}

}  // namespace

void TMenuItemImages::Validate(const TItemBaseSource& source) {
    if (source == source_) return;
    source_ = source;
    for (TLayer& layer : layers_) layer.Made.clear();
    fitted_.clear();
}

TBitmap& TMenuItemImages::FittedFrame(int width, int height, int frame,
                                      const std::function<std::unique_ptr<TBitmap>()>& compose) {
    for (const TFittedFrame& fitted : fitted_)
        if (fitted.Width == width && fitted.Height == height && fitted.Frame == frame) return *fitted.Image;
    fitted_.push_back({width, height, frame, compose()});
    return *fitted_.back().Image;
}

void TMenuItemImages::Reserve(int width, int height) {
    for (TLayer& layer : layers_) Cover(layer.Image, width, height);
}

HDC TMenuItemImages::Base(const RECT& rect, TItemBase base, const TComposeBase& compose) {
    if (rect.left < 0 || rect.top < 0 || rect.right <= rect.left || rect.bottom <= rect.top) return nullptr;
    TLayer& layer = LayerOf(base);
    for (const auto& [made, kind] : layer.Made)
        if (EqualRect(&made, &rect) && kind == base) return layer.Image.Canvas().Handle();
    // A base overlapping this one (the menu changed under the popup) is gone once this is drawn.
    std::erase_if(layer.Made, [&](const auto& made) {
        RECT common{};
        return IntersectRect(&common, &made.first, &rect) != FALSE;
    });
    Cover(layer.Image, rect.right, rect.bottom);
    const HDC dc = layer.Image.Canvas().Handle();
    if (!dc) return nullptr;
    {
        TSavedDC saved(dc);
        compose(dc, rect);
    }
    layer.Made.emplace_back(rect, base);
    return dc;
}

TBitmap& TMenuItemImages::Scratch(int width, int height) {
    Cover(scratch_, width, height);
    return scratch_;
}

}  // namespace velloran
