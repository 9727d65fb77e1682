#pragma once

// Tabs of tab controls and the page beneath them.

#include "tools/skinart/Image.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kTabWidth = 20;
inline constexpr int kTabHeight = 22;
inline constexpr int kTabPageSize = 12;

// Five frames: a tab in the row, the selected tab, a tab under the mouse, a disabled tab,
// the selected tab of a disabled control. The selected tab is taller and open at the
// bottom, so that it runs into the page.
Image DrawTabs(const SkinStyle& style);

// One frame: the page's edge around the face.
Image DrawTabPage(const SkinStyle& style);

}  // namespace velloran::skinart
