#pragma once

// Bars and panels: progress bar and chunk, status bar panels, column headers, tool bar
// buttons, group box label and edge.

#include "tools/skinart/Image.h"
#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

inline constexpr int kProgressWidth = 16;
inline constexpr int kProgressHeight = 14;
inline constexpr int kChunkWidth = 8;
inline constexpr int kChunkHeight = 10;
inline constexpr int kPanelSize = 12;  // status panels, group box edge
inline constexpr int kHeaderWidth = 16;
inline constexpr int kHeaderHeight = 20;
inline constexpr int kToolButtonSize = 16;
inline constexpr int kGroupLabelSize = 16;

// Two frames, track and bar; or, for a tiled progress style, the track alone.
Image DrawProgress(const SkinStyle& style);

// One block of the bar with the gap after it, repeated along the filled length.
Image DrawProgressChunk(const SkinStyle& style);

// Three frames: lowered panel (also the whole bar in simple mode), raised, no bevel; each
// with a line along its top, the first two with a separator at the right.
Image DrawStatusPanels(const SkinStyle& style);

// Five frames: normal, hot, pressed, disabled, sorted.
Image DrawHeaderItems(const SkinStyle& style);

// Five frames: normal (nothing), pressed, disabled (nothing), hot, checked.
Image DrawToolButtons(const SkinStyle& style);

// One frame: the backdrop of a group box's caption.
Image DrawGroupLabel(const SkinStyle& style);

// Two frames, enabled and disabled: the rounded edge alone.
Image DrawGroupEdge(const SkinStyle& style);

}  // namespace velloran::skinart
