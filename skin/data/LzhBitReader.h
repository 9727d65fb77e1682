#pragma once

// Most-significant-bit-first reader over input that arrives in blocks through
// a read callback. Past the end of the input every bit reads as zero.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>

namespace velloran::lzh {

// read(buffer, count) -> bytes transferred, up to count; 0 at the end of the
// input, after which it is not asked again.
using TLzhRead = std::function<int(uint8_t* buffer, int count)>;

class TLzhBitReader {
public:
    // At least this many bits are ready after Refill.
    static constexpr int kReadyBits = 57;

    explicit TLzhBitReader(const TLzhRead& read) : read_(read) {}

    void Refill() {
        if (end_ - next_ >= 8) {
            // Eight bytes at once; only the whole bytes that fit are counted.
            uint64_t word;
            std::memcpy(&word, next_, sizeof word);
            if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
            bits_ |= word >> count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
            return;
        }
        RefillSlowly();
    }

    int Available() const { return count_; }
    uint32_t Peek(int n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
    void Skip(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    int TakeBit() {
        if (count_ == 0) Refill();
        const int bit = static_cast<int>(bits_ >> 63);
        Skip(1);
        return bit;
    }

private:
    void RefillSlowly();
    bool Fetch();

    const TLzhRead& read_;
    std::array<uint8_t, 16384> buffer_{};
    const uint8_t* next_ = buffer_.data();
    const uint8_t* end_ = buffer_.data();
    bool ended_ = false;
    // The next bit is the top one. Below the counted bits lie zeros or, after a
    // whole-word refill, the bits that follow in the input.
    uint64_t bits_ = 0;
    int count_ = 0;
};

}  // namespace velloran::lzh
