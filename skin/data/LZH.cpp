#include "skin/data/LZH.h"

#include "skin/data/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace velloran {

std::unique_ptr<TLZH::TTables> TLZH::AllocateTables() {
    std::unique_ptr<TTables> tables;
    try {
        tables = std::make_unique<TTables>();
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemoryMessage);
    }
    std::fill_n(tables->Text.begin(), lzh::kStartPosition, static_cast<uint8_t>(' '));
    return tables;
}

int32_t TLZH::StoredSize(std::span<const uint8_t> packed) {
    std::array<uint8_t, 4> sizeBytes{};
    std::copy_n(packed.begin(), std::min(packed.size(), sizeBytes.size()), sizeBytes.begin());
    return LoadInt32LE(sizeBytes);
}

std::vector<uint8_t> TLZH::DecodeStream(std::span<const uint8_t> packed) {
    std::size_t position = std::min<std::size_t>(packed.size(), 4);
    auto read = [&](uint8_t* buffer, int count) {
        const std::size_t n = std::min(static_cast<std::size_t>(count), packed.size() - position);
        if (n > 0) std::memcpy(buffer, packed.data() + position, n);
        position += n;
        return static_cast<int>(n);
    };
    std::vector<uint8_t> unpacked;
    TLZH().Decode(StoredSize(packed), read, [&](const uint8_t* buffer, int count) {
        for (int i = 0; i < count; ++i) unpacked.push_back(buffer[i]);
        return count;
    });
    return unpacked;
}

}  // namespace velloran
