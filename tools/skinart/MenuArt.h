#pragma once

// Popup menus: the window's background with its edge, and the items drawn over it.

#include "tools/skinart/Image.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kMenuItemWidth = 24;
inline constexpr int kMenuItemHeight = 20;
inline constexpr int kMenuItemSide = 4;  // the separator stops this far from each end
inline constexpr int kMenuBackgroundSize = 16;

// Five frames: normal (nothing, the background shows), separator (a line 4 rows above the
// bottom, as the engine takes a separator from the strip's last rows), selected item that
// is disabled, selected item, item under the mouse without the keyboard's selection.
Image DrawMenuItems(const SkinStyle& style);

// One frame: edge and fill of the popup window, within the 3 pixels by which the engine
// insets the items.
Image DrawMenuBackground(const SkinStyle& style);

}  // namespace velloran::skinart
