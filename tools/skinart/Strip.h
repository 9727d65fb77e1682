#pragma once

// Image strips: equal frames side by side (most skin images) or stacked (the frames of
// the window's top and bottom edges, the caption backdrop and the menu band).

#include "tools/skinart/Image.h"

#include <functional>
#include <vector>

namespace velloran::skinart {

enum class Stacking { Across, Down };

// Draws frames 1..count, each on a canvas of one frame that starts out all key colour.
Image DrawStrip(int frameWidth, int frameHeight, int count, Stacking stacking,
                const std::function<void(Canvas& frame, int index)>& paint);

// Joins images of equal height (Across) or equal width (Down) into one strip.
Image JoinStrip(const std::vector<Image>& frames, Stacking stacking);

// The same strip with every frame turned by the transform; the frame order is kept.
Image MapFrames(const Image& strip, int count, const std::function<Image(const Image&)>& transform);

}  // namespace velloran::skinart
