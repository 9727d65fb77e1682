#pragma once

// Reader of Windows bitmap files (.bmp), the images of a skin container.
// Plain standard C++; no Windows headers.
//
// Read: the core (12-byte) header and the info headers of 40, 52, 56, 108 and
// 124 bytes; 1, 4 and 8 bits per pixel with a palette, 16 bits as 5-5-5 or
// with bit-field masks (5-6-5 and others), 24 bits, 32 bits plain or with
// masks; bottom-up and top-down rows. Not read: run-length and embedded
// JPEG or PNG data, and anything larger than kMaxBitmapDimension on a side or
// kMaxBitmapPixels in all; such files, and every malformed one, give an empty
// image.

#include <cstdint>
#include <span>
#include <vector>

namespace velloran {

inline constexpr int kMaxBitmapDimension = 16384;
inline constexpr std::uint64_t kMaxBitmapPixels = std::uint64_t{64} << 20;

struct TDecodedBitmap {
    int Width = 0;
    int Height = 0;
    // Rows from the top, each pixel 0x00RRGGBB: the memory layout of a top-down
    // 32-bit DIB, so the rows can be handed to the platform as they are. Note
    // that this is not the channel order of TColorValue (0x00BBGGRR).
    std::vector<std::uint32_t> Pixels;

    bool Empty() const { return Pixels.empty(); }
};

TDecodedBitmap ReadBitmapFile(std::span<const std::uint8_t> bytes);

}  // namespace velloran
