#pragma once
// The region of a skinned window cut from its frame images. An image's mask is read once and
// again only when the image gets a new identity (other handle, size or pixels); a new window size
// then costs fitting the masks to the sides the way the images are drawn, and one region call.
#include <windows.h>

#include <array>
#include <functional>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "skin/form/MaskRegion.h"

namespace velloran {

class TDataSkinBorder;

// One side of the frame as it shapes the window.
struct TFrameSide {
    RECT Rect{};                             // window coordinates
    const TDataSkinBorder* Frame = nullptr;  // null: the side is not shaped and counts whole
    bool Stacked = false;                    // the image's frames are stacked, not side by side
    int FrameIndex = 1;                      // the frame of the image the side shows
};

class TFrameShape {
public:
    // Draws side `index` at its size when its image cannot be fitted from the mask, and answers
    // the opaque pixels of the drawing.
    using TRenderSide = std::function<TPixelMask(int index)>;

    // The region of the client rectangle and the four sides (left, right, top, bottom).
    TRegionHandle Region(const RECT& client, const std::array<TFrameSide, 4>& sides, const TRenderSide& render);
    // Forgets the masks; the next Region reads the images again (after a skin change).
    void Drop();

private:
    struct TStripMask {
        TBitmapIdentity Strip;
        TPixelMask Mask;
    };
    const TPixelMask& StripMask(int index, const TBitmap& strip);

    std::array<TStripMask, 4> strips_;
    std::array<TPixelMask, 4> sides_;  // kept between calls for their storage
};

}  // namespace velloran
