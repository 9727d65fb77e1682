#pragma once

// The window frame: the four edge strips (active and inactive frame each), the backdrop
// behind the caption text and the menu band.

#include "tools/skinart/Image.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

// Rows or columns between the unscaled ends of a frame strip; the engine stretches them.
inline constexpr int kFrameMiddle = 4;

struct WindowFrames {
    Image left;  // sideWidth wide per frame, frames side by side
    Image right;
    Image top;     // captionHeight high per frame, frames stacked
    Image bottom;  // bottomHeight high per frame, frames stacked
};

WindowFrames DrawWindowFrames(const SkinStyle& style);

// Two stacked frames (active, inactive) of the caption's height: a pill whose ends are
// kTitleBackdropEnd wide.
inline constexpr int kTitleBackdropEnd = 8;
Image DrawTitleBackdrop(const SkinStyle& style);

// Two stacked frames (active, inactive); the engine keeps kMenuBandEnd columns at each end.
inline constexpr int kMenuBandEnd = 4;
inline constexpr int kMenuBandHeight = 20;
Image DrawMenuBand(const SkinStyle& style);

}  // namespace velloran::skinart
