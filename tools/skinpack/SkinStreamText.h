#pragma once

// A packed skin as the SkinStream property of the skin data component in the
// main window's form data, so that the window can carry the skin.

#include <cstdint>
#include <span>
#include <string>

namespace velloran {

// "SkinStream = {" and hexadecimal lines holding the skin's size (4 bytes,
// little-endian) followed by its bytes, as the form data writer writes a
// binary property; lines end in '\n'.
std::string SkinStreamProperty(std::span<const uint8_t> packed);

}  // namespace velloran
