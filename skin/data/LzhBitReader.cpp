#include "skin/data/LzhBitReader.h"

#include <algorithm>

namespace velloran::lzh {

void TLzhBitReader::RefillSlowly() {
    while (count_ <= 56) {
        if (next_ == end_ && !Fetch()) {
            // The bits below the valid ones are zero already: the input's end.
            count_ = 63;
            return;
        }
        if (end_ - next_ >= 8) {
            Refill();
            return;
        }
        bits_ |= static_cast<uint64_t>(*next_++) << (56 - count_);
        count_ += 8;
    }
}

bool TLzhBitReader::Fetch() {
    if (ended_) return false;
    const int size = static_cast<int>(buffer_.size());
    const int got = std::clamp(read_(buffer_.data(), size), 0, size);
    ended_ = got == 0;
    next_ = buffer_.data();
    end_ = buffer_.data() + got;
    return !ended_;
}

}  // namespace velloran::lzh
