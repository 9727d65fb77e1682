#include "tools/skinart/BmpWriter.h"

#include <cstddef>

namespace velloran::skinart {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Image& image) {
    const uint32_t rowSize = (static_cast<uint32_t>(image.Width()) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowSize * static_cast<uint32_t>(image.Height());
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);  // two reserved words
    Put32(out, offset);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(image.Width()));
    Put32(out, static_cast<uint32_t>(image.Height()));  // positive: bottom-up
    Put16(out, 1);                                      // planes
    Put16(out, 24);                                     // bits per pixel
    Put32(out, 0);                                      // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, 0);  // colours used
    Put32(out, 0);  // important colours

    for (int y = image.Height() - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb pixel = image.At(x, y);
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
        }
        out.resize(rowStart + rowSize, 0);
    }
    return out;
}

}  // namespace velloran::skinart
