#pragma once

// The parts of the LZH code that the unpacker and the packing tool share: the
// fixed sizes, the adaptive Huffman tree over literals and match lengths, and
// the prefix code for the upper six bits of a match position. It is the
// classic LZHUF arrangement (N = 4096, F = 60, THRESHOLD = 2).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velloran::lzh {

inline constexpr int kRingSize = 4096;  // N
inline constexpr int kRingMask = kRingSize - 1;
inline constexpr int kLongestMatch = 60;  // F
inline constexpr int kThreshold = 2;      // a match codes lengths 3..60
inline constexpr int kShortestMatch = kThreshold + 1;
inline constexpr int kCharCount = 256 - kThreshold + kLongestMatch;  // N_CHAR: literals + lengths
inline constexpr int kTreeSize = 2 * kCharCount - 1;                 // T
inline constexpr int kRoot = kTreeSize - 1;                          // R
inline constexpr int kMaxFreq = 0x8000;                              // root frequency that forces a rebuild
inline constexpr int kStartPosition = kRingSize - kLongestMatch;     // first write position; the
                                                                     // ring holds spaces before it

// Symbol for a literal byte is the byte; a match of length n (3..60) is 253 + n.
constexpr int MatchSymbol(int length) { return 255 - kThreshold + length; }
constexpr int MatchLength(int symbol) { return symbol - 255 + kThreshold; }

// Adaptive Huffman tree with the sibling property: the nodes lie in slots of
// non-decreasing frequency, and the two children of a node occupy the slots
// Son(node) and Son(node) + 1. A son value of kTreeSize or more is a leaf,
// symbol (value - kTreeSize).
class TLzhTree {
public:
    TLzhTree() { StartHuff(); }

    // Every symbol with frequency 1, paired up into a balanced tree.
    void StartHuff();

    // Counts one more occurrence of symbol c and restores the sibling order;
    // rebuilds first when the root has reached kMaxFreq. The observer hears of
    // every change of shape: OnRebuild() after a rebuild, OnSwap(a, b) after
    // the subtrees below slots a and b were exchanged (the slots stay put).
    template <typename TShapeObserver>
    void Update(int c, TShapeObserver& observer);
    void Update(int c) {
        TIgnoreShape ignore;
        Update(c, ignore);
    }
    // The same for the symbol at the end of path, the slots from the root down
    // to the symbol's leaf as the decoder has just walked them. Knowing them
    // spares the climb through the parent links. Once a node moves, the
    // observer's KnownPath(slot, path) -> count gives the slots above slot,
    // root first, or -1 when it does not know them.
    template <typename TShapeObserver>
    void UpdateAlong(std::span<const int16_t> path, TShapeObserver& observer);

    int Son(int node) const { return son_[Slot(node)]; }
    int Parent(int node) const { return prnt_[Slot(node)]; }
    int LeafOf(int symbol) const { return Parent(symbol + kTreeSize); }
    int Frequency(int node) const { return freq_[Slot(node)]; }

private:
    static constexpr std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

    struct TIgnoreShape {
        void OnRebuild() {}
        void OnSwap(int, int) {}
    };

    // Halves every leaf frequency (rounding up) and rebuilds the inner nodes.
    void Reconst();

    template <typename TShapeObserver>
    void RebuildIfFull(TShapeObserver& observer) {
        if (freq_[Slot(kRoot)] == kMaxFreq) {
            Reconst();
            observer.OnRebuild();
        }
    }
    // Counts one more at slot c and, when c now outweighs the next slot, swaps
    // it with the last slot of lower frequency. Returns where c's node is now.
    template <typename TShapeObserver>
    int Increment(int c, TShapeObserver& observer) {
        const uint16_t k = ++freq_[Slot(c)];
        if (k <= freq_[Slot(c + 1)]) [[likely]]
            return c;
        return MoveUp(c, k, observer);
    }
    // Swaps c, now of frequency k, with the last slot of lower frequency.
    template <typename TShapeObserver>
    int MoveUp(int c, uint16_t k, TShapeObserver& observer);
    // After the node that was at slot c moved to slot moved: counts on up the
    // parent links to a slot whose path the observer knows, and returns that
    // slot's depth with its path, itself included, in known; -1 once the climb
    // has passed the root. Kept out of line so that the loop that calls it
    // keeps its registers.
    template <typename TShapeObserver>
    [[gnu::noinline]] int ClimbToKnownPath(int moved, int16_t* known, TShapeObserver& observer);
    // Increments c and every node above it; a parent link of 0 ends the climb.
    template <typename TShapeObserver>
    void Climb(int c, TShapeObserver& observer) {
        do {
            c = prnt_[Slot(Increment(c, observer))];
        } while (c != 0);
    }

    static constexpr int kScanWidth = 8;

    std::array<uint16_t, kTreeSize + kScanWidth> freq_{};  // from kTreeSize on, 0xFFFF sentinels
    std::array<int16_t, kTreeSize + kCharCount> prnt_{};  // slots kTreeSize.. are the leaves' parents
    std::array<int16_t, kTreeSize> son_{};
};

template <typename TShapeObserver>
int TLzhTree::MoveUp(int c, uint16_t k, TShapeObserver& observer) {
    // The slots after c are sorted by frequency, so those below k in a stretch
    // of kScanWidth come first and their count is how far to go; the
    // sentinels end the stretches at the top.
    int l = c + 1;
    for (;;) {
        int below = 0;
        for (int i = 1; i <= kScanWidth; ++i) below += k > freq_[Slot(l + i)];
        l += below;
        if (below < kScanWidth) break;
    }
    freq_[Slot(c)] = freq_[Slot(l)];
    freq_[Slot(l)] = k;

    const int i = son_[Slot(c)];
    prnt_[Slot(i)] = static_cast<int16_t>(l);
    if (i < kTreeSize) prnt_[Slot(i + 1)] = static_cast<int16_t>(l);

    const int j = son_[Slot(l)];
    son_[Slot(l)] = static_cast<int16_t>(i);
    prnt_[Slot(j)] = static_cast<int16_t>(c);
    if (j < kTreeSize) prnt_[Slot(j + 1)] = static_cast<int16_t>(c);
    son_[Slot(c)] = static_cast<int16_t>(j);
    observer.OnSwap(c, l);
    return l;
}

template <typename TShapeObserver>
void TLzhTree::Update(int c, TShapeObserver& observer) {
    RebuildIfFull(observer);
    Climb(prnt_[Slot(c + kTreeSize)], observer);
}

template <typename TShapeObserver>
[[gnu::always_inline]] inline void TLzhTree::UpdateAlong(std::span<const int16_t> path, TShapeObserver& observer) {
    if (freq_[Slot(kRoot)] == kMaxFreq) {
        // The rebuild reshapes the tree: the path is gone.
        Update(son_[Slot(path.back())] - kTreeSize, observer);
        return;
    }
    // Leaf first, like the climb. The path holds each node's parent until a
    // node moves; from there the parent links lead up to a slot whose path the
    // observer knows.
    std::array<int16_t, kCharCount> known;
    const int16_t* above = path.data();
    std::size_t depth = path.size() - 1;
    for (;;) {
        const int c = above[depth];
        const uint16_t k = ++freq_[Slot(c)];
        if (k > freq_[Slot(c + 1)]) [[unlikely]] {
            const int count = ClimbToKnownPath(MoveUp(c, k, observer), known.data(), observer);
            if (count < 0) return;
            above = known.data();
            depth = static_cast<std::size_t>(count);
            continue;
        }
        if (depth-- == 0) return;
    }
}

template <typename TShapeObserver>
int TLzhTree::ClimbToKnownPath(int moved, int16_t* known, TShapeObserver& observer) {
    int next = prnt_[Slot(moved)];
    int count = -1;
    while (next != 0 && (count = observer.KnownPath(next, known)) < 0) next = prnt_[Slot(Increment(next, observer))];
    if (next == 0) return -1;
    known[count] = static_cast<int16_t>(next);
    return count;
}

// The upper six bits u of a position are sent as a prefix code of 3 to 8 bits,
// followed by the low six bits as they are. PositionCode(u) is the code left
// aligned in a byte; PositionCodeLength(u) its length.
struct TPositionCodeTables {
    std::array<uint8_t, 64> Code{};
    std::array<uint8_t, 64> CodeLength{};
    std::array<uint8_t, 256> UpperBitsOf{};  // by the first 8 bits of a coded position
    std::array<uint8_t, 256> LengthOf{};     // code length (3..8) by the same byte
};

constexpr TPositionCodeTables MakePositionCodeTables() {
    // Per code length: how many upper-bit values share it.
    constexpr int kValuesPerLength[6] = {1, 3, 8, 12, 24, 16};
    TPositionCodeTables tables;
    int upper = 0;
    int firstByte = 0;
    for (int lengthIndex = 0; lengthIndex < 6; ++lengthIndex) {
        const int length = 3 + lengthIndex;
        const int bytesPerValue = 1 << (8 - length);
        for (int value = 0; value < kValuesPerLength[lengthIndex]; ++value, ++upper) {
            tables.Code[static_cast<std::size_t>(upper)] = static_cast<uint8_t>(firstByte);
            tables.CodeLength[static_cast<std::size_t>(upper)] = static_cast<uint8_t>(length);
            for (int b = 0; b < bytesPerValue; ++b, ++firstByte) {
                tables.UpperBitsOf[static_cast<std::size_t>(firstByte)] = static_cast<uint8_t>(upper);
                tables.LengthOf[static_cast<std::size_t>(firstByte)] = static_cast<uint8_t>(length);
            }
        }
    }
    return tables;
}

inline constexpr TPositionCodeTables kPositionCode = MakePositionCodeTables();

}  // namespace velloran::lzh
