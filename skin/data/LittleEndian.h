#pragma once

// Signed 32-bit little-endian integers, as the packed and unpacked skin
// formats store them.

#include <array>
#include <cstdint>
#include <vector>

namespace velloran {

inline int32_t LoadInt32LE(const std::array<uint8_t, 4>& bytes) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

inline void AppendInt32LE(std::vector<uint8_t>& out, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

}  // namespace velloran
