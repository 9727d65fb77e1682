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

bool Usable(const RECT& rect) {
    return rect.left >= 0 && rect.top >= 0 && rect.right > rect.left && rect.bottom > rect.top;
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

void TMenuItemImages::Clear(TLayer& layer, const RECT& rect) {
    std::erase_if(layer.Made, [&](const TMade& made) {
        RECT common{};
        return IntersectRect(&common, &made.Rect, &rect) != FALSE;
    });
}

HDC TMenuItemImages::Base(const RECT& rect, TItemBase base, const TComposeBase& compose) {
    if (!Usable(rect)) return nullptr;
    TLayer& layer = LayerOf(base);
    for (const TMade& made : layer.Made)
        if (EqualRect(&made.Rect, &rect) && made.Base == base && !made.Look) return layer.Image.Canvas().Handle();
    // What overlaps this base (the menu changed under the popup, or an item finished here) is
    // gone once this is drawn.
    Clear(layer, rect);
    Cover(layer.Image, rect.right, rect.bottom);
    const HDC dc = layer.Image.Canvas().Handle();
    if (!dc) return nullptr;
    {
        TSavedDC saved(dc);
        compose(dc, rect);
    }
    layer.Made.push_back({rect, base, std::nullopt});
    return dc;
}

HDC TMenuItemImages::Finished(const RECT& rect, TItemBase base, const TMenuItemLook& look, COLORREF& arrowBack) {
    TLayer& layer = LayerOf(base);
    for (const TMade& made : layer.Made)
        if (EqualRect(&made.Rect, &rect) && made.Base == base && made.Look == look) {
            arrowBack = made.ArrowBack;
            return layer.Image.Canvas().Handle();
        }
    return nullptr;
}

void TMenuItemImages::KeepFinished(const RECT& rect, TItemBase base, const TMenuItemLook& look, HDC image,
                                   COLORREF arrowBack) {
    if (!Usable(rect)) return;
    TLayer& layer = LayerOf(base);
    Clear(layer, rect);
    Cover(layer.Image, rect.right, rect.bottom);
    const HDC dc = layer.Image.Canvas().Handle();
    if (!dc) return;
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image, 0, 0, SRCCOPY);
    layer.Made.push_back({rect, base, look, arrowBack});
}

TBitmap& TMenuItemImages::Scratch(int width, int height) {
    Cover(scratch_, width, height);
    return scratch_;
}

}  // namespace velloran
