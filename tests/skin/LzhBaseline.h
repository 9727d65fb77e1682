#pragma once

// The first unpacker of the program, kept as the reference that the benchmark
// measures against and that the differential tests and fuzzing compare with:
// one byte per read and per write, the tree walked one bit at a time.

#include "skin/data/LzhTree.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace velloran::test {

class TLzhBaseline {
public:
    // Decodes until at least expectedSize bytes have been written; a match is
    // always copied whole. read and write move one byte per call; a read that
    // transfers nothing yields a zero byte, a write that takes nothing stops
    // decoding. Returns the number of bytes written.
    template <typename ReadFn, typename WriteFn>
    int64_t Decode(int32_t expectedSize, ReadFn&& read, WriteFn&& write);

    // The stored form: the signed 32-bit little-endian size, then the bits.
    static std::vector<uint8_t> DecodeStream(std::span<const uint8_t> packed);

private:
    template <typename ReadFn>
    class TBitInput {
    public:
        explicit TBitInput(ReadFn& read) : read_(read) {}

        int GetBit() {
            Fill();
            const int bit = buffer_ >> 15;
            buffer_ = static_cast<uint16_t>(buffer_ << 1);
            --count_;
            return bit;
        }

        int GetByte() {
            Fill();
            const int byte = buffer_ >> 8;
            buffer_ = static_cast<uint16_t>(buffer_ << 8);
            count_ = static_cast<uint8_t>(count_ - 8);
            return byte;
        }

    private:
        void Fill() {
            while (count_ <= 8) {
                uint8_t b = 0;
                if (read_(&b, 1) != 1) b = 0;
                buffer_ = static_cast<uint16_t>(buffer_ | (b << (8 - count_)));
                count_ = static_cast<uint8_t>(count_ + 8);
            }
        }

        ReadFn& read_;
        uint16_t buffer_ = 0;
        uint8_t count_ = 0;
    };

    template <typename ReadFn>
    int DecodeChar(TBitInput<ReadFn>& bits) {
        int c = tree_.Son(lzh::kRoot);
        while (c < lzh::kTreeSize) c = tree_.Son(c + bits.GetBit());
        c -= lzh::kTreeSize;
        tree_.Update(c);
        return c;
    }

    template <typename ReadFn>
    static int DecodePosition(TBitInput<ReadFn>& bits) {
        int i = bits.GetByte();
        const int upper = lzh::kPositionCode.UpperBitsOf[static_cast<std::size_t>(i)] << 6;
        for (int j = lzh::kPositionCode.LengthOf[static_cast<std::size_t>(i)] - 2; j > 0; --j)
            i = (i << 1) + bits.GetBit();
        return upper | (i & 0x3F);
    }

    std::array<uint8_t, lzh::kRingSize + lzh::kLongestMatch - 1> text_{};
    lzh::TLzhTree tree_;
};

template <typename ReadFn, typename WriteFn>
int64_t TLzhBaseline::Decode(int32_t expectedSize, ReadFn&& read, WriteFn&& write) {
    text_.fill(0);
    std::fill_n(text_.begin(), lzh::kStartPosition, static_cast<uint8_t>(' '));
    tree_.StartHuff();
    TBitInput<ReadFn> bits(read);

    int r = lzh::kStartPosition;
    int64_t count = 0;
    // Writes one byte and keeps it in the ring; false when the sink refused it.
    auto emit = [&](uint8_t byte) {
        if (write(&byte, 1) != 1) return false;
        text_[static_cast<std::size_t>(r)] = byte;
        r = (r + 1) & lzh::kRingMask;
        ++count;
        return true;
    };

    while (count < expectedSize) {
        const int c = DecodeChar(bits);
        if (c < 256) {
            if (!emit(static_cast<uint8_t>(c))) return count;
            continue;
        }
        const int start = (r - DecodePosition(bits) - 1) & lzh::kRingMask;
        const int length = lzh::MatchLength(c);
        for (int k = 0; k < length; ++k) {
            if (!emit(text_[static_cast<std::size_t>((start + k) & lzh::kRingMask)])) return count;
        }
    }
    return count;
}

}  // namespace velloran::test
