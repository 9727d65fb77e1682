#pragma once

// Windows bitmap files as the engine loads them: uncompressed, 24 bits per pixel,
// bottom-up rows padded to four bytes.

#include "tools/skinart/Image.h"

#include <cstdint>
#include <vector>

namespace velloran::skinart {

std::vector<uint8_t> EncodeBmp(const Image& image);

}  // namespace velloran::skinart
