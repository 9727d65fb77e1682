#pragma once

// Track bars (sliders): the thumbs for every tick placement and the channel they run in.

#include "tools/skinart/Image.h"
#include "tools/skinart/Orientation.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kThumbWidth = 11;  // across a horizontal slider's channel
inline constexpr int kThumbHeight = 20;
inline constexpr int kChannelLength = 16;
inline constexpr int kChannelBreadth = 6;
inline constexpr int kChannelEnd = 3;  // unscaled at both ends

// Where a thumb points: toward the tick marks above or left of the channel (start), below
// or right of it (end), or neither when they are on both sides.
enum class ThumbPoint { Neither, TowardStart, TowardEnd };

// Five frames: resting, the usual look (accent), disabled, hot, pressed. The engine shows
// the second frame, so that one carries the accent. Thumbs of horizontal sliders stand
// upright (kThumbWidth x kThumbHeight), those of vertical sliders lie on their side.
Image DrawSliderThumb(const SkinStyle& style, Orientation slider, ThumbPoint point);

// One frame: the groove.
Image DrawSliderChannel(const SkinStyle& style, Orientation orientation);

}  // namespace velloran::skinart
