#pragma once

// Unpacker for the LZH streams that skins are stored in.
//
// Decode reads and writes one byte per callback call. The callbacks are
// template parameters so that these calls inline; nothing is allocated or
// dispatched virtually per bit or byte.

#include "skin/data/LzhTree.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace velloran {

class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kLzhNoMemoryMessage = "LZH : Cannot get memory for dictionary tables";

class TLZH {
public:
    // Decodes until at least expectedSize bytes have been written; a match is
    // always copied whole, so up to kLongestMatch - 1 bytes more may follow.
    //   read(uint8_t* buffer, int count) -> int   bytes transferred; 0 past the end
    //   write(const uint8_t* buffer, int count) -> int   bytes taken
    // Input past its end reads as zero bits. Decoding stops early when write
    // takes fewer bytes than offered. Returns the number of bytes written.
    // Throws ElzhException when the tables cannot be allocated.
    template <typename ReadFn, typename WriteFn>
    int64_t Decode(int32_t expectedSize, ReadFn&& read, WriteFn&& write);

    // The stored form: a signed 32-bit little-endian unpacked size, then the
    // bit stream. Missing size bytes read as zero, like missing bits.
    static int32_t StoredSize(std::span<const uint8_t> packed);
    static std::vector<uint8_t> DecodeStream(std::span<const uint8_t> packed);

private:
    struct TTables {
        std::array<uint8_t, lzh::kRingSize + lzh::kLongestMatch - 1> Text{};
        lzh::TLzhTree Tree;
    };

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

    static std::unique_ptr<TTables> AllocateTables();

    template <typename ReadFn>
    static int DecodeChar(lzh::TLzhTree& tree, TBitInput<ReadFn>& bits);

    template <typename ReadFn>
    static int DecodePosition(TBitInput<ReadFn>& bits);
};

template <typename ReadFn>
int TLZH::DecodeChar(lzh::TLzhTree& tree, TBitInput<ReadFn>& bits) {
    int c = tree.Son(lzh::kRoot);
    while (c < lzh::kTreeSize) c = tree.Son(c + bits.GetBit());
    c -= lzh::kTreeSize;
    tree.Update(c);
    return c;
}

template <typename ReadFn>
int TLZH::DecodePosition(TBitInput<ReadFn>& bits) {
    int i = bits.GetByte();
    const int upper = lzh::kPositionCode.UpperBitsOf[static_cast<std::size_t>(i)] << 6;
    for (int j = lzh::kPositionCode.LengthOf[static_cast<std::size_t>(i)] - 2; j > 0; --j) i = (i << 1) + bits.GetBit();
    return upper | (i & 0x3F);
}

template <typename ReadFn, typename WriteFn>
int64_t TLZH::Decode(int32_t expectedSize, ReadFn&& read, WriteFn&& write) {
    const std::unique_ptr<TTables> tables = AllocateTables();
    std::array<uint8_t, lzh::kRingSize + lzh::kLongestMatch - 1>& text = tables->Text;
    TBitInput<ReadFn> bits(read);

    int r = lzh::kStartPosition;
    int64_t count = 0;
    // Writes one byte and keeps it in the ring; false when the sink refused it.
    auto emit = [&](uint8_t byte) {
        if (write(&byte, 1) != 1) return false;
        text[static_cast<std::size_t>(r)] = byte;
        r = (r + 1) & lzh::kRingMask;
        ++count;
        return true;
    };

    while (count < expectedSize) {
        const int c = DecodeChar(tables->Tree, bits);
        if (c < 256) {
            if (!emit(static_cast<uint8_t>(c))) return count;
            continue;
        }
        const int start = (r - DecodePosition(bits) - 1) & lzh::kRingMask;
        const int length = lzh::MatchLength(c);
        for (int k = 0; k < length; ++k) {
            if (!emit(text[static_cast<std::size_t>((start + k) & lzh::kRingMask)])) return count;
        }
    }
    return count;
}

}  // namespace velloran
