#include "skin/data/LZH.h"

#include "skin/data/LittleEndian.h"
#include "skin/data/LzhCodeTable.h"
#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace velloran {

namespace {

using namespace lzh;

// The output window: the last ring of bytes, then the block being filled.
constexpr int kHistory = kRingSize;
constexpr int kBlock = 1 << 16;
// A whole match may run past the block's end, and a copy in eight-byte steps
// writes up to seven bytes past the match.
constexpr int kSlack = kLongestMatch + 8;
// Bits of a position: a prefix code of up to 8 bits, then 6 plain ones.
constexpr int kLongestPosition = 14;

struct TDecodeState {
    explicit TDecodeState(const TLzhRead& read) : Bits(read) {
        // Before the first byte, the ring holds spaces up to the start position;
        // the slots after it were never written and hold zero.
        const auto history = Window.begin() + (kHistory - kStartPosition);
        std::fill(Window.begin(), history, uint8_t{0});
        std::fill(history, Window.begin() + kHistory, static_cast<uint8_t>(' '));
    }

    TLzhTree Tree;
    TLzhCodeTable Table{Tree};
    TLzhBitReader Bits;
    std::array<uint8_t, kHistory + kBlock + kSlack> Window;
};

std::unique_ptr<TDecodeState> AllocateState(const TLzhRead& read) {
    try {
        return std::make_unique<TDecodeState>(read);
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemoryMessage);
    }
}

[[gnu::always_inline]] inline int DecodeSymbol(TDecodeState& state) {
    // The slots from the root down to the leaf, for the tree's update.
    std::array<int16_t, kCharCount> path;
    const uint32_t firstBits = state.Bits.Peek(TLzhCodeTable::kTableBits);
    const TLzhCodeTable::TEntry entry = state.Table.Lookup(firstBits);
    state.Bits.Skip(entry.Length);
    std::copy(entry.Path.begin(), entry.Path.end(), path.begin());
    std::size_t length = entry.Length;
    path[length++] = static_cast<int16_t>(entry.Slot);
    int son = state.Tree.Son(entry.Slot);
    while (son < kTreeSize) {
        const int slot = son + state.Bits.TakeBit();
        path[length++] = static_cast<int16_t>(slot);
        son = state.Tree.Son(slot);
    }
    state.Tree.UpdateAlong(std::span<const int16_t>(path.data(), length), state.Table);
    return son - kTreeSize;
}

int DecodePosition(TLzhBitReader& bits) {
    if (bits.Available() < kLongestPosition) bits.Refill();
    const uint32_t code = bits.Peek(kLongestPosition);
    const std::size_t firstByte = code >> 6;
    const int codeLength = kPositionCode.LengthOf[firstByte];
    bits.Skip(codeLength + 6);
    return (kPositionCode.UpperBitsOf[firstByte] << 6) | static_cast<int>((code >> (8 - codeLength)) & 0x3F);
}

// Forward copy: a match may overlap the bytes it produces.
void CopyMatch(uint8_t* out, int distance, int length) {
    const uint8_t* from = out - distance;
    if (distance >= 8) {
        for (int k = 0; k < length; k += 8) std::memcpy(out + k, from + k, 8);
        return;
    }
    for (int k = 0; k < length; ++k) out[k] = from[k];
}

}  // namespace

int64_t TLZH::Decode(int32_t expectedSize, const TLzhRead& read, const TLzhWrite& write) {
    if (expectedSize <= 0) return 0;
    const std::unique_ptr<TDecodeState> state = AllocateState(read);
    uint8_t* const window = state->Window.data();
    uint8_t* const block = window + kHistory;
    int64_t written = 0;
    for (;;) {
        uint8_t* out = block;
        uint8_t* const stop = block + std::min<int64_t>(kBlock, expectedSize - written);
        while (out < stop) {
            state->Bits.Refill();
            const int symbol = DecodeSymbol(*state);
            if (symbol < 256) {
                *out++ = static_cast<uint8_t>(symbol);
                continue;
            }
            const int length = MatchLength(symbol);
            CopyMatch(out, DecodePosition(state->Bits) + 1, length);
            out += length;
        }
        const int produced = static_cast<int>(out - block);
        const int taken = std::clamp(write(block, produced), 0, produced);
        written += taken;
        if (taken < produced || written >= expectedSize) return written;
        std::memcpy(window, out - kHistory, kHistory);
    }
}

int32_t TLZH::StoredSize(std::span<const uint8_t> packed) {
    std::array<uint8_t, 4> sizeBytes{};
    std::copy_n(packed.begin(), std::min(packed.size(), sizeBytes.size()), sizeBytes.begin());
    return LoadInt32LE(sizeBytes);
}

std::vector<uint8_t> TLZH::DecodeStream(std::span<const uint8_t> packed) {
    const int32_t size = StoredSize(packed);
    std::span<const uint8_t> rest = packed.subspan(std::min<std::size_t>(packed.size(), 4));
    std::vector<uint8_t> unpacked;
    if (size > 0) unpacked.reserve(static_cast<std::size_t>(size) + kLongestMatch - 1);
    Decode(
        size,
        [&](uint8_t* buffer, int count) {
            const std::size_t n = std::min(static_cast<std::size_t>(count), rest.size());
            if (n > 0) std::memcpy(buffer, rest.data(), n);
            rest = rest.subspan(n);
            return static_cast<int>(n);
        },
        [&](const uint8_t* buffer, int count) {
            unpacked.insert(unpacked.end(), buffer, buffer + count);
            return count;
        });
    return unpacked;
}

}  // namespace velloran
