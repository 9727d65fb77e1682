#pragma once

// The parts of the LZH code that the unpacker and the packing tool share: the
// fixed sizes, the adaptive Huffman tree over literals and match lengths, and
// the prefix code for the upper six bits of a match position. It is the
// classic LZHUF arrangement (N = 4096, F = 60, THRESHOLD = 2).

#include <array>
#include <cstdint>

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
    // rebuilds first when the root has reached kMaxFreq.
    void Update(int c);

    int Son(int node) const { return son_[static_cast<std::size_t>(node)]; }
    int Parent(int node) const { return prnt_[static_cast<std::size_t>(node)]; }
    int LeafOf(int symbol) const { return Parent(symbol + kTreeSize); }
    int Frequency(int node) const { return freq_[static_cast<std::size_t>(node)]; }

private:
    // Halves every leaf frequency (rounding up) and rebuilds the inner nodes.
    void Reconst();

    std::array<uint16_t, kTreeSize + 1> freq_{};          // freq_[kTreeSize] is a 0xFFFF sentinel
    std::array<int16_t, kTreeSize + kCharCount> prnt_{};  // slots kTreeSize.. are the leaves' parents
    std::array<int16_t, kTreeSize> son_{};
};

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
