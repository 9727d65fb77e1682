#pragma once

// Push buttons, check boxes and radio buttons.

#include "tools/skinart/Image.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kPushButtonWidth = 20;
inline constexpr int kPushButtonHeight = 24;

// Five frames: normal, pressed, disabled, hot, focused or default; the rounded corners fit
// in margins of 4.
Image DrawPushButtons(const SkinStyle& style);

// With 4 frames: unchecked, checked, unchecked disabled, checked disabled (also shown for
// the mixed state). With 12: unchecked, checked, mixed, each normal, hot, pressed, disabled.
Image DrawCheckBoxes(const SkinStyle& style);

// With 4 frames: off, on, off disabled, on disabled. With 8: off, on, each normal, hot,
// pressed, disabled.
Image DrawRadioButtons(const SkinStyle& style);

}  // namespace velloran::skinart
