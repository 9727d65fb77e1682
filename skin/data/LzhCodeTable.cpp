#include "skin/data/LzhCodeTable.h"

#include <algorithm>

namespace velloran::lzh {

namespace {

constexpr std::size_t At(int index) { return static_cast<std::size_t>(index); }

}  // namespace

void TLzhCodeTable::OnRebuild() {
    depth_.fill(kDeep);
    std::array<int16_t, kTableBits> path{};
    Place(kRoot, 0, 0, path);
}

void TLzhCodeTable::Rederive(int slot) {
    const uint8_t depth = depth_[At(slot)];
    if (depth == kDeep) {
        // The subtree that came here may still carry the marks of a shallower place.
        MarkChildrenDeep(slot);
        return;
    }
    std::array<int16_t, kTableBits> path = FirstBelow(slot, depth).Path;
    Place(slot, depth, code_[At(slot)], path);
}

void TLzhCodeTable::Place(int slot, int depth, uint32_t code, std::array<int16_t, kTableBits>& path) {
    if (depth == kTableBits) {
        entries_[code] = TEntry{path, static_cast<uint16_t>(slot), static_cast<uint8_t>(depth)};
        MarkDeep(slot);
        return;
    }
    depth_[At(slot)] = static_cast<uint8_t>(depth);
    code_[At(slot)] = static_cast<uint16_t>(code);
    path[At(depth)] = static_cast<int16_t>(slot);
    const int son = tree_.Son(slot);
    if (son >= kTreeSize) {
        // A leaf owns every entry that begins with its code.
        const int spare = kTableBits - depth;
        const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(code << spare);
        std::fill(first, first + (std::ptrdiff_t{1} << spare),
                  TEntry{path, static_cast<uint16_t>(slot), static_cast<uint8_t>(depth)});
        return;
    }
    Place(son, depth + 1, code << 1, path);
    Place(son + 1, depth + 1, (code << 1) | 1, path);
}

void TLzhCodeTable::MarkDeep(int slot) {
    if (depth_[At(slot)] == kDeep) return;
    depth_[At(slot)] = kDeep;
    MarkChildrenDeep(slot);
}

void TLzhCodeTable::MarkChildrenDeep(int slot) {
    const int son = tree_.Son(slot);
    if (son >= kTreeSize) return;
    MarkDeep(son);
    MarkDeep(son + 1);
}

}  // namespace velloran::lzh
