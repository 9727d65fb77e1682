#include "tools/skinpack/LzhEncoder.h"

#include "skin/data/LittleEndian.h"
#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace velloran {

namespace {

using namespace lzh;

class TBitOutput {
public:
    explicit TBitOutput(std::vector<uint8_t>& out) : out_(out) {}

    // Appends the low `count` bits of value, most significant first.
    void Put(uint32_t value, int count) {
        for (int bit = count - 1; bit >= 0; --bit) {
            pending_ = static_cast<uint8_t>((pending_ << 1) | ((value >> bit) & 1u));
            if (++pendingCount_ == 8) {
                out_.push_back(pending_);
                pending_ = 0;
                pendingCount_ = 0;
            }
        }
    }

    void Flush() {
        if (pendingCount_ > 0) out_.push_back(static_cast<uint8_t>(pending_ << (8 - pendingCount_)));
        pending_ = 0;
        pendingCount_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint8_t pending_ = 0;
    int pendingCount_ = 0;
};

// Longest-match search over the last kRingSize positions with hash chains on
// three-byte prefixes. Positions index `history`: the spaces that the ring
// starts with, followed by the data.
class TMatchFinder {
public:
    explicit TMatchFinder(const std::vector<uint8_t>& history) : history_(history) { head_.fill(kNone); }

    void Insert(std::size_t position) {
        if (position + kShortestMatch > history_.size()) return;
        const std::size_t hash = Hash(position);
        chain_[position & kRingMask] = head_[hash];
        head_[hash] = static_cast<int64_t>(position);
    }

    struct TMatch {
        int Length = 0;
        int Distance = 0;
    };

    // Best match for `position` of at most maxLength bytes; Length is 0 when
    // nothing of kShortestMatch or more was found.
    TMatch Find(std::size_t position, int maxLength) const {
        TMatch best;
        if (maxLength < kShortestMatch) return best;
        int64_t candidate = head_[Hash(position)];
        for (int steps = 0; candidate != kNone && steps < kMaxChainSteps; ++steps) {
            const int64_t distance = static_cast<int64_t>(position) - candidate;
            if (distance > kRingSize) break;
            const int length = CommonLength(static_cast<std::size_t>(candidate), position, maxLength);
            if (length > best.Length) {
                best = {length, static_cast<int>(distance)};
                if (length == maxLength) break;
            }
            candidate = chain_[static_cast<std::size_t>(candidate) & kRingMask];
        }
        if (best.Length < kShortestMatch) best = {};
        return best;
    }

private:
    static constexpr int64_t kNone = -1;
    static constexpr int kHashBits = 15;
    static constexpr int kMaxChainSteps = 128;

    std::size_t Hash(std::size_t position) const {
        const uint32_t key = static_cast<uint32_t>(history_[position]) << 16 |
                             static_cast<uint32_t>(history_[position + 1]) << 8 | history_[position + 2];
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    int CommonLength(std::size_t from, std::size_t position, int maxLength) const {
        int length = 0;
        while (length < maxLength && history_[from + static_cast<std::size_t>(length)] ==
                                         history_[position + static_cast<std::size_t>(length)])
            ++length;
        return length;
    }

    const std::vector<uint8_t>& history_;
    std::array<int64_t, std::size_t{1} << kHashBits> head_{};
    std::array<int64_t, kRingSize> chain_{};
};

class TLzhEncoder {
public:
    explicit TLzhEncoder(std::vector<uint8_t>& out) : bits_(out) {}

    void EncodeChar(int symbol) {
        // Walking up from the leaf gives the code's bits last to first.
        std::array<uint8_t, kCharCount> reversed{};
        int length = 0;
        for (int node = tree_.LeafOf(symbol); node != kRoot; node = tree_.Parent(node))
            reversed[static_cast<std::size_t>(length++)] = static_cast<uint8_t>(node - tree_.Son(tree_.Parent(node)));
        while (length > 0) bits_.Put(reversed[static_cast<std::size_t>(--length)], 1);
        tree_.Update(symbol);
    }

    void EncodePosition(int position) {
        const std::size_t upper = static_cast<std::size_t>(position >> 6);
        const int codeLength = kPositionCode.CodeLength[upper];
        bits_.Put(static_cast<uint32_t>(kPositionCode.Code[upper] >> (8 - codeLength)), codeLength);
        bits_.Put(static_cast<uint32_t>(position & 0x3F), 6);
    }

    void Finish() { bits_.Flush(); }

private:
    TBitOutput bits_;
    TLzhTree tree_;
};

}  // namespace

std::vector<uint8_t> PackLzh(std::span<const uint8_t> data) {
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("PackLzh: data too large for a 32-bit size");

    std::vector<uint8_t> packed;
    AppendInt32LE(packed, static_cast<int32_t>(data.size()));

    std::vector<uint8_t> history(kStartPosition + data.size(), ' ');
    std::copy(data.begin(), data.end(), history.begin() + kStartPosition);

    TMatchFinder finder(history);
    for (std::size_t position = 0; position < kStartPosition; ++position) finder.Insert(position);

    TLzhEncoder encoder(packed);
    std::size_t position = kStartPosition;
    while (position < history.size()) {
        const int maxLength = static_cast<int>(std::min<std::size_t>(kLongestMatch, history.size() - position));
        const TMatchFinder::TMatch match = finder.Find(position, maxLength);
        const int taken = match.Length > 0 ? match.Length : 1;
        if (match.Length > 0) {
            encoder.EncodeChar(MatchSymbol(match.Length));
            encoder.EncodePosition(match.Distance - 1);
        } else {
            encoder.EncodeChar(history[position]);
        }
        for (int k = 0; k < taken; ++k) finder.Insert(position++);
    }
    encoder.Finish();
    return packed;
}

}  // namespace velloran
