#include "skin/data/LZH.h"
#include "skin/data/LzhTree.h"
#include "tests/skin/LzhCorpus.h"
#include "tools/skinpack/LzhEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace velloran {
namespace {

using namespace lzh;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> WithSize(int32_t size, std::vector<uint8_t> bits) {
    const uint32_t raw = static_cast<uint32_t>(size);
    bits.insert(bits.begin(), {static_cast<uint8_t>(raw), static_cast<uint8_t>(raw >> 8),
                               static_cast<uint8_t>(raw >> 16), static_cast<uint8_t>(raw >> 24)});
    return bits;
}

// First token: match symbol for length 60 under the starting tree (bits
// 11000101), then position 99 (prefix 0010 for upper bits 1, low bits 100011).
// Position 99 from the start position reaches back into the initial spaces.
const std::vector<uint8_t> kFirstMatchBits = {0xC5, 0x28, 0xC0};

// Every inner node's frequency is the sum of its children's, frequencies
// never decrease along the slots, and parent links agree with the sons.
void ExpectSiblingProperty(const TLzhTree& tree) {
    for (int node = 0; node < kTreeSize; ++node) {
        if (node + 1 < kTreeSize) {
            ASSERT_LE(tree.Frequency(node), tree.Frequency(node + 1)) << "slot " << node;
        }
        const int son = tree.Son(node);
        if (son >= kTreeSize) {
            ASSERT_EQ(tree.LeafOf(son - kTreeSize), node);
            continue;
        }
        ASSERT_EQ(tree.Frequency(node), tree.Frequency(son) + tree.Frequency(son + 1)) << "slot " << node;
        ASSERT_EQ(tree.Parent(son), node);
        ASSERT_EQ(tree.Parent(son + 1), node);
    }
}

TEST(LzhTree, UpdatesKeepTheSiblingPropertyAndRebuildHalvesLeavesRoundingUp) {
    TLzhTree tree;
    ExpectSiblingProperty(tree);
    EXPECT_EQ(tree.Frequency(kRoot), kCharCount);

    // Skewed counts so that nodes move, up to the root reaching kMaxFreq.
    std::vector<int> counts(kCharCount, 1);
    for (int n = 0; tree.Frequency(kRoot) < kMaxFreq; ++n) {
        const int symbol = (n % 7 == 0) ? (n / 7) % kCharCount : (n % 3 == 0 ? 'e' : 300);
        tree.Update(symbol);
        ++counts[static_cast<std::size_t>(symbol)];
    }
    ExpectSiblingProperty(tree);
    for (int symbol = 0; symbol < kCharCount; ++symbol)
        ASSERT_EQ(tree.Frequency(tree.LeafOf(symbol)), counts[static_cast<std::size_t>(symbol)]);

    tree.Update('x');
    ExpectSiblingProperty(tree);
    for (int symbol = 0; symbol < kCharCount; ++symbol) {
        const int halved = (counts[static_cast<std::size_t>(symbol)] + 1) / 2;
        ASSERT_EQ(tree.Frequency(tree.LeafOf(symbol)), halved + (symbol == 'x' ? 1 : 0)) << symbol;
    }
}

TEST(LzhTree, PositionCodeFollowsTheRangesOfItsFirstByte) {
    struct TRange {
        int First, Last, Length, FirstUpper, BytesPerUpper;
    };
    const TRange ranges[] = {{0x00, 0x1F, 3, 0, 32}, {0x20, 0x4F, 4, 1, 16}, {0x50, 0x8F, 5, 4, 8},
                             {0x90, 0xBF, 6, 12, 4}, {0xC0, 0xEF, 7, 24, 2}, {0xF0, 0xFF, 8, 48, 1}};
    for (const TRange& range : ranges) {
        for (int byte = range.First; byte <= range.Last; ++byte) {
            const int upper = range.FirstUpper + (byte - range.First) / range.BytesPerUpper;
            ASSERT_EQ(kPositionCode.UpperBitsOf[static_cast<std::size_t>(byte)], upper) << byte;
            ASSERT_EQ(kPositionCode.LengthOf[static_cast<std::size_t>(byte)], range.Length) << byte;
            // The packer's code for that value is the range's first byte for it.
            ASSERT_EQ(kPositionCode.Code[static_cast<std::size_t>(upper)],
                      range.First + (upper - range.FirstUpper) * range.BytesPerUpper);
        }
    }
}

TEST(Lzh, FirstMatchIntoTheInitialAreaYieldsSpacesAndIsCopiedWhole) {
    EXPECT_EQ(TLZH::DecodeStream(WithSize(60, kFirstMatchBits)), std::vector<uint8_t>(60, ' '));
    // Asked for 10 bytes, the decoder still finishes the 60-byte match.
    EXPECT_EQ(TLZH::DecodeStream(WithSize(10, kFirstMatchBits)), std::vector<uint8_t>(60, ' '));

    // Position 4066 starts at ring slot 4065: the 31 slots up to the end of
    // the ring were never written and hold zero, then the ring wraps to the
    // spaces at its start.
    std::vector<uint8_t> expected(31, 0);
    expected.resize(60, ' ');
    EXPECT_EQ(TLZH::DecodeStream(WithSize(60, {0xC5, 0xFF, 0x88})), expected);
}

TEST(Lzh, ZeroAndNegativeSizesProduceNothingAndReadNothing) {
    for (const int32_t size : {0, -1, -60, std::numeric_limits<int32_t>::min()}) {
        EXPECT_TRUE(TLZH::DecodeStream(WithSize(size, kFirstMatchBits)).empty()) << size;
        int reads = 0, writes = 0;
        auto read = [&](uint8_t*, int) {
            ++reads;
            return 0;
        };
        auto write = [&](const uint8_t*, int n) {
            ++writes;
            return n;
        };
        const int64_t written = TLZH().Decode(size, read, write);
        EXPECT_EQ(written, 0);
        EXPECT_EQ(reads, 0);
        EXPECT_EQ(writes, 0);
    }
    // Shorter than its size field: the missing size bytes are zero, so nothing.
    EXPECT_TRUE(TLZH::DecodeStream(std::vector<uint8_t>{0x00, 0x00}).empty());
    EXPECT_TRUE(TLZH::DecodeStream({}).empty());
}

TEST(Lzh, TruncatedInputReadsAsZeroBits) {
    const std::vector<uint8_t> data = test::MixedCorpus(20000, 7);
    const std::vector<uint8_t> packed = PackLzh(data);
    for (const std::size_t kept : {std::size_t{4}, std::size_t{5}, packed.size() / 2, packed.size() - 1}) {
        const std::vector<uint8_t> cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(kept));
        std::vector<uint8_t> zeroFilled = cut;
        zeroFilled.resize(packed.size() + 64, 0);
        const std::vector<uint8_t> fromCut = TLZH::DecodeStream(cut);
        EXPECT_EQ(fromCut, TLZH::DecodeStream(zeroFilled)) << kept;
        EXPECT_GE(fromCut.size(), data.size());
        EXPECT_LT(fromCut.size(), data.size() + kLongestMatch);
    }
}

TEST(Lzh, StopsWhenTheSinkRefusesMoreBytes) {
    // An announced size far beyond what the sink takes; the count must not wrap.
    int64_t taken = 0;
    auto write = [&](const uint8_t*, int offered) {
        const int n = static_cast<int>(std::min<int64_t>(offered, 5000 - taken));
        taken += n;
        return n;
    };
    const int64_t written = TLZH().Decode(
        std::numeric_limits<int32_t>::max(), [](uint8_t*, int) { return 0; }, write);
    EXPECT_EQ(written, 5000);
}

TEST(Lzh, RoundTripsThroughThePacker) {
    std::vector<uint8_t> runs = Bytes(std::string(1000, 'a') + std::string(61, 'b') + std::string(4097, ' '));
    struct TCase {
        const char* Name;
        std::vector<uint8_t> Data;
    };
    const std::vector<TCase> cases = {
        {"empty", {}},
        {"one byte", {0x7F}},
        {"two bytes", {0x00, 0xFF}},
        {"runs longer than the longest match", runs},
        // 200 KB of literals: the root reaches kMaxFreq about ten times.
        {"random", test::RandomBytes(200000, 1)},
        {"mixed", test::MixedCorpus(400000, 2)},
    };
    for (const TCase& c : cases) {
        const std::vector<uint8_t> packed = PackLzh(c.Data);
        ASSERT_EQ(TLZH::StoredSize(packed), static_cast<int32_t>(c.Data.size())) << c.Name;
        ASSERT_EQ(TLZH::DecodeStream(packed), c.Data) << c.Name;
    }
    // Runs cost a few bits per 60 bytes, not a symbol per byte.
    EXPECT_LT(PackLzh(runs).size(), 200u);
}

}  // namespace
}  // namespace velloran
