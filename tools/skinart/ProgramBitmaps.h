#pragma once

// The bitmap resources of the program itself: the menu glyphs "PELMARKMENU", the slider
// channels "TRACK" and "TRACKVERT" used when a skin has none, and the media player's
// button glyphs "EN_", "DI_" and "CL_" (enabled, disabled, coloured) followed by
// "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD",
// "MPEJECT". Each file is the resource's name in lower case with ".bmp".

#include "tools/skinart/NamedImage.h"

#include <string>
#include <string_view>
#include <vector>

namespace velloran::skinart {

// Background of the menu glyphs, which the image list takes as its mask colour.
inline constexpr Rgb kMenuGlyphMask{255, 255, 255};
// Background of the media player glyphs, which the player panel leaves out.
inline constexpr Rgb kMediaGlyphKey{128, 128, 0};

std::vector<NamedImage> DrawProgramBitmaps();

// A resource script naming each bitmap by its resource name, with the files in folder
// (relative to the script's include path).
std::string ResourceScript(const std::vector<NamedImage>& bitmaps, std::string_view folder);

}  // namespace velloran::skinart
