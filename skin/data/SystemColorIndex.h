#pragma once

// The Windows system colours that the skin description falls back to, by their
// COLOR_ index, for code that cannot include the Windows headers. A colour value
// of 0xFF000000 + index stands for the system colour and is resolved when painted.

#include "skin/data/SkinColors.h"

namespace velloran {

inline constexpr int kSysColorScrollBar = 0;
inline constexpr int kSysColorMenu = 4;
inline constexpr int kSysColorMenuText = 7;
inline constexpr int kSysColorWindowText = 8;
inline constexpr int kSysColorCaptionText = 9;
inline constexpr int kSysColorHighlight = 13;
inline constexpr int kSysColorHighlightText = 14;
inline constexpr int kSysColorBtnFace = 15;
inline constexpr int kSysColorBtnShadow = 16;
inline constexpr int kSysColorBtnText = 18;
inline constexpr int kSysColorInactiveCaptionText = 19;
inline constexpr int kSysColorBtnHighlight = 20;
inline constexpr int kSysColor3DDkShadow = 21;

constexpr TColorValue SystemColor(int index) { return 0xFF000000u + static_cast<TColorValue>(index); }

}  // namespace velloran
