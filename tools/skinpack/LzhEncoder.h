#pragma once

// Packer for the LZH form that skins are stored in: the same ring, match
// lengths, adaptive tree and position code as the unpacker (skin/data/LZH.h),
// so TLZH::DecodeStream gives back exactly the bytes packed here.

#include <cstdint>
#include <span>
#include <vector>

namespace velloran {

// The unpacked size as a signed 32-bit little-endian number, then the bit
// stream, padded with zero bits to a whole byte. Matches never run past the
// end of the data, so the unpacker produces exactly data.size() bytes.
// Throws std::length_error for data of 2 GiB or more, whose size the form
// cannot hold.
std::vector<uint8_t> PackLzh(std::span<const uint8_t> data);

}  // namespace velloran
