#pragma once
// What stays the same in an open popup's items from one paint to the next: the base of each item
// (its part of the popup's background with the item strip's frame over it), composed once per
// item rectangle and kind, and one scratch image on which the items are finished before they go
// to the screen. The popup's skinner owns it; it forgets its bases when the skin's images or the
// popup's background change.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "framework/Graphics.h"

namespace velloran {

// The base an item is finished on.
enum class TItemBase { ibNormal, ibSelected, ibSeparator };

// What the bases are made of; a change of any of them makes every base stale.
struct TItemBaseSource {
    std::uint64_t Strip = 0;       // the serial of the skin's item strip
    std::uint64_t Background = 0;  // the serial of the popup's background image
    COLORREF MenuColor = 0;        // the skin's menu colour, where the popup has no background image
    bool operator==(const TItemBaseSource&) const = default;
};

class TMenuItemImages {
public:
    // Draws the base of the item into the DC at the rectangle.
    using TComposeBase = std::function<void(HDC dc, const RECT& at)>;

    // Forgets every base when the source differs from the one they were made of.
    void Validate(const TItemBaseSource& source);
    // Makes room for bases up to the size at once (the popup's client area), so that the items
    // do not grow the images one by one.
    void Reserve(int width, int height);
    // A DC holding the base of the item at `rect` (at the same coordinates), composed first when
    // it is not there yet; null for a rectangle off the top or left.
    HDC Base(const RECT& rect, TItemBase base, const TComposeBase& compose);
    // The item strip's frame fitted to an item's size, composed once per size and frame.
    TBitmap& FittedFrame(int width, int height, int frame, const std::function<std::unique_ptr<TBitmap>()>& compose);
    // An image at least the size asked for, to finish one item on (its DC's state saved and
    // restored around each item, as a new image's would be fresh).
    TBitmap& Scratch(int width, int height);

private:
    // The normal and separator bases share one image, the selected ones have their own.
    struct TLayer {
        TBitmap Image;
        std::vector<std::pair<RECT, TItemBase>> Made;
    };
    TLayer& LayerOf(TItemBase base) { return layers_[base == TItemBase::ibSelected ? 1 : 0]; }

    struct TFittedFrame {
        int Width = 0;
        int Height = 0;
        int Frame = 0;
        std::unique_ptr<TBitmap> Image;
    };

    TItemBaseSource source_;
    TLayer layers_[2];
    std::vector<TFittedFrame> fitted_;
    TBitmap scratch_;
};

}  // namespace velloran
