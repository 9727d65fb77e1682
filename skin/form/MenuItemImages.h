#pragma once
// What stays the same in a skinned popup's items from one paint to the next, and from one opening
// of a popup of the same size to the next: each item finished (its part of the popup's background,
// the item strip's frame, its glyph and text) at its rectangle, or at least its base (all but the
// glyph and text), and one scratch image on which items are finished before they go to the
// screen. It forgets what it holds when the skin's images, its colours or the popup's background
// change.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "framework/Graphics.h"
#include "skin/form/MenuItemPaint.h"

namespace velloran {

// The base an item is finished on.
enum class TItemBase { ibNormal, ibSelected, ibSeparator };

// What the images are made of; a change of any of them makes every image stale.
struct TItemBaseSource {
    std::uint64_t Strip = 0;       // the serial of the skin's item strip
    std::uint64_t Background = 0;  // the serial of the popup's background image
    COLORREF MenuColor = 0;        // the skin's menu colour, where the popup has no background image
    // The colours the items' texts and check marks are drawn in.
    COLORREF TextColors[5] = {};
    bool operator==(const TItemBaseSource&) const = default;
};

class TMenuItemImages {
public:
    // Draws the base of the item into the DC at the rectangle.
    using TComposeBase = std::function<void(HDC dc, const RECT& at)>;

    // Forgets every image when the source differs from the one they were made of.
    void Validate(const TItemBaseSource& source);
    // Makes room for items up to the size at once (the popup's client area), so that the items
    // do not grow the images one by one.
    void Reserve(int width, int height);
    // A DC holding the base of the item at `rect` (at the same coordinates), composed first when
    // it is not there yet; null for a rectangle off the top or left.
    HDC Base(const RECT& rect, TItemBase base, const TComposeBase& compose);
    // A DC holding the item with that look finished at `rect`, with the colour under its submenu
    // arrow; null when it is not there.
    HDC Finished(const RECT& rect, TItemBase base, const TMenuItemLook& look, COLORREF& arrowBack);
    // Keeps the finished item, drawn in `image` at (0, 0), in place of its base.
    void KeepFinished(const RECT& rect, TItemBase base, const TMenuItemLook& look, HDC image, COLORREF arrowBack);
    // The item strip's frame fitted to an item's size, composed once per size and frame.
    TBitmap& FittedFrame(int width, int height, int frame, const std::function<std::unique_ptr<TBitmap>()>& compose);
    // An image at least the size asked for, to finish one item on (its DC's state saved and
    // restored around each item, as a new image's would be fresh).
    TBitmap& Scratch(int width, int height);

private:
    // What a layer holds at a rectangle: a base, or an item finished on it.
    struct TMade {
        RECT Rect;
        TItemBase Base;
        std::optional<TMenuItemLook> Look;
        COLORREF ArrowBack = 0;
    };
    // The normal and separator images share one layer, the selected ones have their own.
    struct TLayer {
        TBitmap Image;
        std::vector<TMade> Made;
    };
    TLayer& LayerOf(TItemBase base) { return layers_[base == TItemBase::ibSelected ? 1 : 0]; }
    // Forgets what the layer held under the rectangle, about to be drawn over.
    static void Clear(TLayer& layer, const RECT& rect);

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
