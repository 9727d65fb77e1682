// Arbitrary bytes through the program's unpacker and through the first one,
// kept as the baseline: the bytes written and their count must agree.
// Input: the announced size (4 bytes), one byte that sets how many bytes each
// read hands over (0: as many as asked), then the bit stream.

#include "skin/data/LZH.h"
#include "tests/fuzz/FuzzRequire.h"
#include "tests/skin/LzhBaseline.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

// Sizes up to a ring's worth keep most runs short; one in thirty-two
// reaches past the 64 KB blocks that the unpacker hands on, at some thirty
// times the cost of the others. The sign is kept.
int32_t BoundedSize(std::span<const uint8_t> input) {
    const int32_t announced = TLZH::StoredSize(input);
    const bool large = input.size() > 2 && (input[2] & 0xF8) == 0xF8;
    return announced % (large ? (1 << 17) : (1 << 12));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);
    const int32_t expected = BoundedSize(input);
    const int step = size > 4 && data[4] != 0 ? data[4] : 1 << 30;
    const std::span<const uint8_t> stream = input.subspan(std::min<std::size_t>(size, 5));

    std::size_t position = 0;
    auto read = [&](uint8_t* buffer, int count) {
        const std::size_t n =
            std::min({static_cast<std::size_t>(count), static_cast<std::size_t>(step), stream.size() - position});
        if (n > 0) std::memcpy(buffer, stream.data() + position, n);
        position += n;
        return static_cast<int>(n);
    };
    std::vector<uint8_t> out;
    const int64_t written = TLZH::Decode(expected, read, [&](const uint8_t* buffer, int count) {
        out.insert(out.end(), buffer, buffer + count);
        return count;
    });

    std::size_t baselinePosition = 0;
    std::vector<uint8_t> baselineOut;
    const int64_t baselineWritten = std::make_unique<test::TLzhBaseline>()->Decode(
        expected,
        [&](uint8_t* buffer, int) {
            if (baselinePosition == stream.size()) return 0;
            *buffer = stream[baselinePosition++];
            return 1;
        },
        [&](const uint8_t* buffer, int count) {
            baselineOut.insert(baselineOut.end(), buffer, buffer + count);
            return count;
        });

    Require(written == baselineWritten);
    Require(out == baselineOut);
    return 0;
}
