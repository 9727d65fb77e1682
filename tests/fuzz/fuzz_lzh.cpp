// Arbitrary bytes through the LZH unpacker, as a stream with a bounded size,
// and through the packer and back.

#include "skin/data/LZH.h"
#include "skin/data/LzhTree.h"
#include "tests/fuzz/FuzzRequire.h"
#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

// Keeps every run short: garbage announcing a large size costs a symbol per
// byte under instrumentation, and one ring's worth already wraps the window.
// The sign of the announced size is kept.
constexpr int32_t kSizeBound = 1 << 12;

void DecodeAsStream(std::span<const uint8_t> input) {
    const int32_t expected = TLZH::StoredSize(input) % kSizeBound;
    std::size_t position = std::min<std::size_t>(input.size(), 4);
    std::vector<uint8_t> out;
    auto read = [&](uint8_t* buffer, int count) {
        const std::size_t n = std::min(static_cast<std::size_t>(count), input.size() - position);
        if (n > 0) std::memcpy(buffer, input.data() + position, n);
        position += n;
        return static_cast<int>(n);
    };
    auto write = [&](const uint8_t* buffer, int count) {
        out.insert(out.end(), buffer, buffer + count);
        return count;
    };
    const int64_t written = TLZH().Decode(expected, read, write);
    Require(written == static_cast<int64_t>(out.size()));
    if (expected <= 0)
        Require(out.empty());
    else
        Require(written >= expected && written < expected + lzh::kLongestMatch);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> input(data, size);
    DecodeAsStream(input);
    Require(TLZH::DecodeStream(PackLzh(input)) == std::vector<uint8_t>(input.begin(), input.end()));
    return 0;
}
