#pragma once

// A lookup table over the first kTableBits bits of the adaptive tree's codes,
// kept up to date while the tree changes. Each entry names the slot that
// those bits lead to: a leaf when its code is that short, otherwise the inner
// slot at depth kTableBits from which the walk goes on bit by bit.
//
// The tree hears of every swap (see TLzhTree::Update); a swap changes the
// codes below its two slots only, so just the entries of a slot that lies
// less than kTableBits deep are derived again. The slot positions themselves
// never move, which is why entries hold slots rather than symbols.

#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace velloran::lzh {

class TLzhCodeTable {
public:
    static constexpr int kTableBits = 8;

    struct TEntry {
        // The slots that the code passes on its way to Slot, root first; the
        // places from Length on hold nothing of use. Kept whole so that the
        // decoder takes them with one copy.
        std::array<int16_t, kTableBits> Path{};
        uint16_t Slot = 0;
        uint8_t Length = 0;  // bits taken to reach Slot, at most kTableBits
    };

    explicit TLzhCodeTable(const TLzhTree& tree) : tree_(tree) { OnRebuild(); }

    const TEntry& Lookup(uint32_t firstBits) const { return entries_[firstBits]; }

    // The shape observer of TLzhTree::Update.
    void OnRebuild();
    int KnownPath(int slot, int16_t* path) const {
        const uint8_t depth = depth_[static_cast<std::size_t>(slot)];
        if (depth == kDeep) return -1;
        const TEntry& below = FirstBelow(slot, depth);
        std::copy(below.Path.begin(), below.Path.end(), path);
        return depth;
    }
    void OnSwap(int a, int b) {
        if (depth_[static_cast<std::size_t>(a)] == kDeep && depth_[static_cast<std::size_t>(b)] == kDeep) return;
        Rederive(a);
        Rederive(b);
    }

private:
    // Depth of a slot that lies less than kTableBits deep; every other slot,
    // and so every descendant of such a slot, holds kDeep.
    static constexpr uint8_t kDeep = 0xFF;

    // An entry whose code begins with the code of slot, which lies at depth;
    // its path up to slot is slot's.
    const TEntry& FirstBelow(int slot, int depth) const {
        return entries_[static_cast<std::size_t>(code_[static_cast<std::size_t>(slot)]) << (kTableBits - depth)];
    }
    // Everything below slot (known position) again.
    void Rederive(int slot);
    // Slot now lies at depth with code, below the slots in path; records it
    // and what lies below it.
    void Place(int slot, int depth, uint32_t code, std::array<int16_t, kTableBits>& path);
    void MarkDeep(int slot);
    void MarkChildrenDeep(int slot);

    const TLzhTree& tree_;
    std::array<TEntry, std::size_t{1} << kTableBits> entries_{};
    std::array<uint8_t, kTreeSize> depth_{};
    std::array<uint16_t, kTreeSize> code_{};
};

}  // namespace velloran::lzh
