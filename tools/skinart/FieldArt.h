#pragma once

// Edit-like controls: the sunken edge and drop-down button of combo boxes, the glyphs the
// engine lays on them, and the halves of up-down (spin) buttons with their arrows.
// State frames everywhere: normal, pressed, disabled, hot.

#include "tools/skinart/Image.h"
#include "tools/skinart/Orientation.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kFieldHeight = 21;
inline constexpr int kSunkenEdgeWidth = 12;
inline constexpr int kComboButtonWidth = 18;
inline constexpr int kFieldMargin = 2;  // unscaled on every side of both
inline constexpr int kExtraImageSize = 12;
inline constexpr int kUpDownLength = 16;   // across a vertical spin button
inline constexpr int kUpDownBreadth = 10;  // height of one half

// Four frames: outline and field.
Image DrawSunkenEdge(const SkinStyle& style);

// Four frames: the button's face inside the edge, which stays transparent so that the
// sunken edge drawn first shows through.
Image DrawComboButton(const SkinStyle& style);

// Frames 1-4: the combo box's arrow by state; frame 5: the status bar's size grip.
Image DrawExtraImages(const SkinStyle& style);

// Eight frames: the up (or left) half by state, then the down (or right) half.
Image DrawUpDown(const SkinStyle& style, Orientation orientation);

// Eight frames of arrows matching DrawUpDown, drawn unscaled in the middle of each half.
Image DrawUpDownGlyphs(const SkinStyle& style, Orientation orientation);

}  // namespace velloran::skinart
