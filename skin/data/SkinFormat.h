#pragma once

// Layout facts of the skin container that its reader and the packing tool share.
//
// Unpacked image, all integers signed 32-bit little-endian:
//   format number, name list length L, two unused integers,
//   a block of SkippedBlockSize(format) bytes,
//   L bytes of member names separated by line breaks,
//   one size per name, then the members' bytes back to back.

#include <cstdint>
#include <optional>

namespace velloran {

inline constexpr int kSkinHeaderSize = 16;
inline constexpr int kSkinMaxMembers = 1001;
// Larger announced sizes are refused before unpacking: no skin comes near it,
// and unpacking an arbitrary announced size could exhaust memory.
inline constexpr int32_t kSkinMaxUnpackedSize = 64 * 1024 * 1024;
inline constexpr int32_t kSkinCurrentFormat = 70000;

constexpr std::optional<int> SkippedBlockSize(int32_t format) {
    switch (format) {
        case 20000:
            return 0;
        case 30000:
            return 256;
        case 40000:
            return 80;
        case 50000:
            return 48;
        case 60000:
            return 117;
        case 70000:
            return 69;
        default:
            return std::nullopt;
    }
}

}  // namespace velloran
