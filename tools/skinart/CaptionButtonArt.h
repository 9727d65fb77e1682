#pragma once

// Buttons of the caption (close, maximise, restore, minimise, help) and the three buttons
// that the menu band shows for a maximised MDI child.

#include "tools/skinart/Image.h"
#include "tools/skinart/PixelMask.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kCaptionButtonSize = 18;
inline constexpr int kMdiCellSize = 16;

// Frames: normal, pressed, hot, and with four frames a dim one (a button that cannot act,
// or any button of an inactive window). The close button turns red under the mouse.
Image DrawCaptionButton(const SkinStyle& style, const PixelMask& glyph, bool isClose);

// Twelve cells: minimise, restore, close, four each. The engine shows the fourth cell while
// the mouse is over a button, so the third and fourth are both the hot look.
Image DrawMdiButtons(const SkinStyle& style);

}  // namespace velloran::skinart
