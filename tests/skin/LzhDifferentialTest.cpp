// The program's unpacker against the first one, kept as the baseline: the same
// bytes and the same count for well-formed, cut, damaged and random input, for
// any way the callbacks split the data; and the code table against the tree.

#include "skin/data/LZH.h"
#include "skin/data/LzhCodeTable.h"
#include "skin/data/LzhTree.h"
#include "tests/skin/LzhBaseline.h"
#include "tests/skin/LzhCorpus.h"
#include "tools/skinpack/LzhEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace velloran {
namespace {

using namespace lzh;

std::vector<uint8_t> WithSize(int32_t size, std::vector<uint8_t> bits) {
    const uint32_t raw = static_cast<uint32_t>(size);
    bits.insert(bits.begin(), {static_cast<uint8_t>(raw), static_cast<uint8_t>(raw >> 8),
                               static_cast<uint8_t>(raw >> 16), static_cast<uint8_t>(raw >> 24)});
    return bits;
}

void ExpectSameAsBaseline(const std::vector<uint8_t>& packed, const std::string& what) {
    const std::vector<uint8_t> expected = test::TLzhBaseline::DecodeStream(packed);
    const std::vector<uint8_t> actual = TLZH::DecodeStream(packed);
    ASSERT_EQ(actual.size(), expected.size()) << what;
    const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin());
    ASSERT_TRUE(mismatch.first == actual.end()) << what << ": first difference at byte " << (mismatch.first - actual.begin());
}

TEST(LzhDifferential, WellFormedCutAndDamagedStreamsDecodeAsTheBaselineDoes) {
    // Over 64 KB so that blocks are handed on, with literals enough for rebuilds.
    std::vector<uint8_t> data = test::MixedCorpus(150000, 11);
    const std::vector<uint8_t> noise = test::RandomBytes(70000, 12);
    data.insert(data.end(), noise.begin(), noise.end());
    const std::vector<uint8_t> packed = PackLzh(data);
    ExpectSameAsBaseline(packed, "whole");
    ASSERT_EQ(TLZH::DecodeStream(packed), data);

    for (const std::size_t kept : {std::size_t{4}, std::size_t{5}, std::size_t{9}, packed.size() / 3, packed.size() - 1})
        ExpectSameAsBaseline(std::vector<uint8_t>(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(kept)),
                             "cut at " + std::to_string(kept));

    // Flipped bits send the adaptive tree down paths no packer makes.
    std::mt19937 random(13);
    for (int round = 0; round < 12; ++round) {
        std::vector<uint8_t> damaged = packed;
        for (int flip = 0; flip <= round; ++flip)
            damaged[4 + random() % (damaged.size() - 4)] ^= static_cast<uint8_t>(1u << (random() % 8));
        ExpectSameAsBaseline(damaged, "damaged round " + std::to_string(round));
    }
    // Announced sizes around the block size and beyond the data: the rest reads as zero bits.
    for (const int32_t size : {1, 65535, 65536, 65537, 65536 + 59, 131072, 400000})
        ExpectSameAsBaseline(WithSize(size, {packed.begin() + 4, packed.end()}), "size " + std::to_string(size));
}

TEST(LzhDifferential, RandomInputDecodesAsTheBaselineDoes) {
    std::mt19937 random(21);
    for (int round = 0; round < 60; ++round) {
        const std::size_t length = random() % 3000;
        const int32_t size = static_cast<int32_t>(random() % 200000) - 1000;
        ExpectSameAsBaseline(WithSize(size, test::RandomBytes(length, static_cast<uint32_t>(random()))),
                             "round " + std::to_string(round));
    }
    // All zero bits and all one bits: the deepest and the first leaf over and over.
    ExpectSameAsBaseline(WithSize(300000, {}), "zero bits");
    ExpectSameAsBaseline(WithSize(300000, std::vector<uint8_t>(100000, 0xFF)), "one bits");
}

TEST(LzhDifferential, CallbacksMayMoveAnyNumberOfBytes) {
    const std::vector<uint8_t> data = test::MixedCorpus(200000, 31);
    const std::vector<uint8_t> packed = PackLzh(data);
    const int32_t size = TLZH::StoredSize(packed);
    for (const int step : {1, 3, 4096, 100000}) {
        std::size_t position = 4;
        auto read = [&](uint8_t* buffer, int count) {
            const std::size_t n = std::min({static_cast<std::size_t>(count), static_cast<std::size_t>(step),
                                            packed.size() - position});
            std::memcpy(buffer, packed.data() + position, n);
            position += n;
            return static_cast<int>(n);
        };
        std::vector<uint8_t> out;
        auto write = [&](const uint8_t* buffer, int count) {
            const int n = std::min(count, step);
            out.insert(out.end(), buffer, buffer + n);
            return n;
        };
        // A sink that takes less than it is offered ends decoding there; one
        // that takes whole blocks gets everything.
        const int64_t written = TLZH::Decode(size, read, write);
        EXPECT_EQ(written, static_cast<int64_t>(out.size())) << step;
        if (step < 65536)
            ASSERT_EQ(out.size(), static_cast<std::size_t>(step));
        else
            ASSERT_EQ(out.size(), data.size());
        EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << step;
    }
}

// Every entry leads where a walk of the tree bit by bit leads and carries the
// slots of that walk, and every slot above kTableBits knows its path from the root.
void ExpectTableMatchesTree(const TLzhTree& tree, const TLzhCodeTable& table) {
    constexpr int kBits = TLzhCodeTable::kTableBits;
    for (uint32_t bits = 0; bits < (1u << kBits); ++bits) {
        int slot = kRoot;
        int length = 0;
        std::vector<int16_t> walked;
        while (length < kBits && tree.Son(slot) < kTreeSize) {
            walked.push_back(static_cast<int16_t>(slot));
            slot = tree.Son(slot) + static_cast<int>((bits >> (kBits - 1 - length)) & 1);
            ++length;
        }
        const TLzhCodeTable::TEntry& entry = table.Lookup(bits);
        ASSERT_EQ(entry.Slot, slot) << "bits " << bits;
        ASSERT_EQ(entry.Length, length) << "bits " << bits;
        ASSERT_TRUE(std::equal(walked.begin(), walked.end(), entry.Path.begin())) << "path of bits " << bits;
        std::vector<int16_t> known(static_cast<std::size_t>(kBits));
        ASSERT_EQ(table.KnownPath(slot, known.data()), length < kBits ? length : -1) << "bits " << bits;
        if (length < kBits) {
            known.resize(static_cast<std::size_t>(length));
            ASSERT_EQ(known, walked) << "bits " << bits;
        }
    }
}

TEST(LzhCodeTable, FollowsTheTreeThroughSwapsAndRebuilds) {
    auto tree = std::make_unique<TLzhTree>();
    auto table = std::make_unique<TLzhCodeTable>(*tree);
    ExpectTableMatchesTree(*tree, *table);
    // Skewed, shifting counts move nodes at every depth; the root passes kMaxFreq twice.
    std::mt19937 random(41);
    for (int n = 1; n <= 70000; ++n) {
        const int phase = n / 5000;
        const int symbol = (random() % 4 == 0) ? static_cast<int>(random() % kCharCount) : (phase * 37 + n % (3 + phase)) % kCharCount;
        tree->Update(symbol, *table);
        if (n % 997 == 0 || n == 70000) ExpectTableMatchesTree(*tree, *table);
    }
}

}  // namespace
}  // namespace velloran
