#pragma once
// Images of a skinned frame composed for one size and look, kept between paints: a repaint that
// asks for the same image again (activation, caption text, hover) blits it instead of composing it.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Graphics.h"
#include "skin/data/SkinImage.h"

namespace velloran {

// Everything a composed image depends on: the strip, as it is now (a new handle, size or pixels
// give it a new identity), and how its frame is fitted.
struct TComposeKey {
    TBitmapIdentity Strip;
    int FrameCount = 0;
    int Frame = 0;
    TSkinMargins Margins;
    bool Vertical = false;
    bool Tile = false;
    int Width = 0;
    int Height = 0;
    bool operator==(const TComposeKey&) const = default;
};

// The key of an image of the strip's frame at width x height.
TComposeKey ComposeKey(const TBitmap& strip, int frameCount, int frame, const TSkinMargins& margins, bool vertical,
                       bool tile, int width, int height);

class TComposedImages {
public:
    using TCompose = std::function<std::unique_ptr<TBitmap>()>;

    // The image kept in the slot when it was made for the same key, else the one compose makes
    // now, kept in its place.
    TBitmap& Get(std::size_t slot, const TComposeKey& key, const TCompose& compose);
    // Forgets every image (after a skin change the strips' pixels are others).
    void Drop();

private:
    struct TEntry {
        TComposeKey Key;
        std::unique_ptr<TBitmap> Image;
    };
    std::vector<TEntry> entries_;
};

}  // namespace velloran
