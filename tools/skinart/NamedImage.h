#pragma once

#include "tools/skinart/Image.h"

#include <string>

namespace velloran::skinart {

// A finished bitmap and the file it is written to (lower case, ".bmp").
struct NamedImage {
    std::string fileName;
    Image image;
};

}  // namespace velloran::skinart
