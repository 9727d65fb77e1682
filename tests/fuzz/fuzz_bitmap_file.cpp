// Arbitrary bitmap files: a decoded image must be whole and within the limits,
// and anything else must come back empty. Half of the inputs get a plausible
// file and info header built from their first bytes, so that the fuzzer spends
// its time in the pixel formats rather than on the signature.

#include "skin/data/BitmapFile.h"
#include "tests/fuzz/FuzzRequire.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

struct TSynthesized {
    std::vector<uint8_t> File;
    int Width = 0;
    int Height = 0;
};

// Control bytes: width, height, depth, compression, header size, colours used,
// extra distance to the pixels. The rest fills the header's remaining fields,
// the tables and the pixels.
constexpr std::size_t kControlBytes = 8;

TSynthesized Synthesize(std::span<const uint8_t> input) {
    constexpr std::array<uint16_t, 8> kBits{1, 4, 8, 16, 24, 32, 2, 0};
    constexpr std::array<uint32_t, 4> kCompressions{0, 3, 1, 6};
    constexpr std::array<uint32_t, 8> kHeaderSizes{12, 40, 52, 56, 108, 124, 64, 16};

    TSynthesized result;
    result.Width = 1 + input[1] % 64;
    const int height = input[2] % 129 - 64;
    result.Height = height < 0 ? -height : height;
    const uint32_t headerSize = kHeaderSizes[input[5] % kHeaderSizes.size()];
    const std::span<const uint8_t> rest = input.subspan(kControlBytes);

    std::vector<uint8_t>& out = result.File;
    out = {'B', 'M'};
    Put32(out, static_cast<uint32_t>(14 + headerSize + rest.size()));
    Put32(out, 0);
    Put32(out, 14 + headerSize + input[7]);
    Put32(out, headerSize);
    if (headerSize == 12) {
        Put16(out, static_cast<uint32_t>(result.Width));
        Put16(out, static_cast<uint32_t>(height));
        Put16(out, 1);
        Put16(out, kBits[input[3] % kBits.size()]);
    } else {
        Put32(out, static_cast<uint32_t>(result.Width));
        Put32(out, static_cast<uint32_t>(height));
        Put16(out, 1);
        Put16(out, kBits[input[3] % kBits.size()]);
        Put32(out, kCompressions[input[4] % kCompressions.size()]);
        for (uint32_t value : {0u, 0u, 0u, static_cast<uint32_t>(input[6]), 0u}) Put32(out, value);
    }
    out.insert(out.end(), rest.begin(), rest.end());
    return result;
}

void CheckImage(const TDecodedBitmap& image) {
    if (image.Empty()) {
        Require(image.Width == 0 && image.Height == 0);
        return;
    }
    Require(image.Width > 0 && image.Height > 0);
    Require(image.Width <= kMaxBitmapDimension && image.Height <= kMaxBitmapDimension);
    Require(image.Pixels.size() == static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    for (uint32_t pixel : image.Pixels) Require(pixel <= 0xFFFFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);
    if (size < kControlBytes || (data[0] & 1) == 0) {
        CheckImage(ReadBitmapFile(input));
        return 0;
    }
    const TSynthesized synthesized = Synthesize(input);
    const TDecodedBitmap image = ReadBitmapFile(synthesized.File);
    CheckImage(image);
    Require(image.Empty() || (image.Width == synthesized.Width && image.Height == synthesized.Height));
    return 0;
}
