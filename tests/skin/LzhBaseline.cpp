#include "tests/skin/LzhBaseline.h"

#include "skin/data/LZH.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace velloran::test {

std::vector<uint8_t> TLzhBaseline::DecodeStream(std::span<const uint8_t> packed) {
    std::size_t position = std::min<std::size_t>(packed.size(), 4);
    auto read = [&](uint8_t* buffer, int count) {
        const std::size_t n = std::min(static_cast<std::size_t>(count), packed.size() - position);
        if (n > 0) std::memcpy(buffer, packed.data() + position, n);
        position += n;
        return static_cast<int>(n);
    };
    std::vector<uint8_t> unpacked;
    std::make_unique<TLzhBaseline>()->Decode(TLZH::StoredSize(packed), read, [&](const uint8_t* buffer, int count) {
        for (int i = 0; i < count; ++i) unpacked.push_back(buffer[i]);
        return count;
    });
    return unpacked;
}

}  // namespace velloran::test
