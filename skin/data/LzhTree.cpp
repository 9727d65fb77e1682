#include "skin/data/LzhTree.h"

#include <algorithm>

namespace velloran::lzh {

void TLzhTree::StartHuff() {
    for (int i = 0; i < kCharCount; ++i) {
        freq_[Slot(i)] = 1;
        son_[Slot(i)] = static_cast<int16_t>(i + kTreeSize);
        prnt_[Slot(i + kTreeSize)] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = kCharCount; j <= kRoot; i += 2, ++j) {
        freq_[Slot(j)] = static_cast<uint16_t>(freq_[Slot(i)] + freq_[Slot(i + 1)]);
        son_[Slot(j)] = static_cast<int16_t>(i);
        prnt_[Slot(i)] = prnt_[Slot(i + 1)] = static_cast<int16_t>(j);
    }
    std::fill(freq_.begin() + kTreeSize, freq_.end(), uint16_t{0xFFFF});
    prnt_[Slot(kRoot)] = 0;
}

void TLzhTree::Reconst() {
    // Leaves first, in their present order, which keeps them sorted.
    int j = 0;
    for (int i = 0; i < kTreeSize; ++i) {
        if (son_[Slot(i)] >= kTreeSize) {
            freq_[Slot(j)] = static_cast<uint16_t>((freq_[Slot(i)] + 1) / 2);
            son_[Slot(j)] = son_[Slot(i)];
            ++j;
        }
    }
    // Each inner node is inserted where its frequency keeps the slots sorted.
    for (int i = 0, node = kCharCount; node < kTreeSize; i += 2, ++node) {
        const uint16_t f = static_cast<uint16_t>(freq_[Slot(i)] + freq_[Slot(i + 1)]);
        int k = node - 1;
        while (f < freq_[Slot(k)]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
        std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
        freq_[Slot(k)] = f;
        son_[Slot(k)] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < kTreeSize; ++i) {
        const int k = son_[Slot(i)];
        prnt_[Slot(k)] = static_cast<int16_t>(i);
        if (k < kTreeSize) prnt_[Slot(k + 1)] = static_cast<int16_t>(i);
    }
}

}  // namespace velloran::lzh
