#pragma once

// Scroll bars: the glyph strip of arrows and thumb grips, the tracks and the thumbs.

#include "tools/skinart/Image.h"
#include "tools/skinart/Orientation.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

// Arrow buttons and grips are square; the thumb's breadth is the same size.
inline constexpr int kScrollSize = 16;
inline constexpr int kScrollGlyphFrames = 23;
inline constexpr int kScrollTrackLength = 8;
inline constexpr int kScrollThumbFrames = 3;

// 1-4 left arrow, 5-8 right, 9-12 up, 13-16 down, each normal, pressed, disabled, hot;
// 17-19 grip of a horizontal thumb and 20-22 of a vertical one, normal, pressed, hot;
// 23 a size grip.
Image DrawScrollGlyphs(const SkinStyle& style);

// Four frames: enabled, under the mouse, disabled, pressed.
Image DrawScrollTrack(const SkinStyle& style, Orientation orientation);

// Three frames: normal, pressed, hot; a pill whose round ends lie within 5 pixels.
Image DrawScrollThumb(const SkinStyle& style, Orientation orientation);

}  // namespace velloran::skinart
