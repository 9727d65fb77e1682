#pragma once

// Unpacker for the LZH streams that skins are stored in.
//
// Input and output move in blocks: the input through a bit reader that takes
// eight bytes at a time, the output through a window that keeps the last ring
// of bytes for the matches and hands whole blocks to the writer. The adaptive
// tree is decoded through a lookup table of its codes' first bits.

#include "skin/data/LzhBitReader.h"

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <vector>

namespace velloran {

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";

// write(buffer, count) -> bytes taken, up to count.
using TLzhWrite = std::function<int(const uint8_t* buffer, int count)>;

class TLZH {
public:
    // Decodes until at least expectedSize bytes have been written; a match is
    // always copied whole, so up to kLongestMatch - 1 bytes more may follow.
    // Input past its end reads as zero bits. Decoding stops early when write
    // takes fewer bytes than offered. Returns the number of bytes written.
    // Throws ElzhException when the tables cannot be allocated.
    static int64_t Decode(int32_t expectedSize, const lzh::TLzhRead& read, const TLzhWrite& write);

    // The stored form: a signed 32-bit little-endian unpacked size, then the
    // bit stream. Missing size bytes read as zero, like missing bits.
    static int32_t StoredSize(std::span<const uint8_t> packed);
    static std::vector<uint8_t> DecodeStream(std::span<const uint8_t> packed);
};

}  // namespace velloran
