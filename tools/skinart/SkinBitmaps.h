#pragma once

// Every bitmap of one skin, under the file names its skin.ini uses.

#include "tools/skinart/NamedImage.h"
#include "tools/skinart/SkinStyle.h"

#include <vector>

namespace velloran::skinart {

std::vector<NamedImage> DrawSkinBitmaps(const SkinStyle& style);

}  // namespace velloran::skinart
