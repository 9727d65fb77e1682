#include "skin/data/SkinColors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace velloran {
namespace {

constexpr TColorValue kWhite = 0xFFFFFF;
constexpr TColorValue kBlack = 0x000000;
constexpr TColorValue kButtonFaceSystemColor = 0xFF00000F;

// Stands in for the platform's system colours: COLOR_BTNFACE is a light grey.
TColorValue FakeSystemColor(int index) { return index == 15 ? 0xC0C0C0 : 0x123456; }

std::vector<int> RedChannel(const TGradientCache& cache, int slot) {
    std::vector<int> reds;
    for (TColorValue color : cache.Table(slot)) reds.push_back(static_cast<int>(color & 0xFF));
    return reds;
}

TEST(SkinColors, ColorTextIsReadAsRunsOfDigits) {
    EXPECT_EQ(ParseColorText("235 235 235"), 0xEBEBEBu);
    EXPECT_EQ(ParseColorText("10,20,30"), 10u + 20u * 256 + 30u * 65536);
    EXPECT_EQ(ParseColorText("  10 ; 20 ;; 30\t\r\n"), 10u + 20u * 256 + 30u * 65536);
    // A last number only counts as blue after exactly two others.
    EXPECT_EQ(ParseColorText("235 235"), 235u);
    EXPECT_EQ(ParseColorText("235 235 "), 235u);
    EXPECT_EQ(ParseColorText("235 235,"), 235u + 235u * 256);
    EXPECT_EQ(ParseColorText("1 2 3 4"), 0x030201u);
    EXPECT_EQ(ParseColorText("1 2 3 4 5,"), 0x030201u);
    EXPECT_EQ(ParseColorText("7"), 0u);
    EXPECT_EQ(ParseColorText("no digits"), 0u);
    // Components keep their low 8 bits, however long the number.
    EXPECT_EQ(ParseColorText("256 511 99999999999999999999"), 0xFFFF00u);
}

TEST(SkinColors, BlendMixesByPercentOrPerMilleAndResolvesSystemColors) {
    EXPECT_EQ(Blend(kWhite, kBlack, 50, FakeSystemColor), 0x808080u);
    // 150 is 15 % of the first colour, so 85 % of the second stays.
    EXPECT_EQ(Blend(0x808080, 0xC8C8C8, 150, FakeSystemColor), 0xBDBDBDu);
    EXPECT_EQ(Blend(kWhite, kBlack, 100, FakeSystemColor), 0x1A1A1Au);
    EXPECT_EQ(Blend(kButtonFaceSystemColor, kBlack, 0, FakeSystemColor), kBlack);
    EXPECT_EQ(Blend(kButtonFaceSystemColor, kBlack, 1000, FakeSystemColor), 0xC0C0C0u);
    // Out-of-range weights stay a mix instead of spilling into the next channel.
    EXPECT_EQ(Blend(0x0000FF, 0x000080, 5000, FakeSystemColor), 0x0000FFu);
    EXPECT_EQ(Blend(0x0000FF, 0x000080, -40, FakeSystemColor), 0x000080u);
}

TEST(SkinColors, GradientTablesRunFromFirstToLastColor) {
    TGradientCache cache;
    EXPECT_EQ(RedChannel(cache, cache.GradientTable(5, 0, 0x0000FF)), (std::vector<int>{0, 64, 128, 191, 255}));
    // A falling channel mirrors a rising one and still ends on the last colour.
    EXPECT_EQ(RedChannel(cache, cache.GradientTable(5, 0x0000FF, 0)), (std::vector<int>{255, 191, 128, 64, 0}));
    EXPECT_EQ(RedChannel(cache, cache.GradientTable(1, 0, 0x0000FF)), std::vector<int>{127});

    const auto table = cache.Table(cache.GradientTable(3, 0x102030, 0x302010));
    EXPECT_EQ(std::vector<TColorValue>(table.begin(), table.end()),
              (std::vector<TColorValue>{0x102030, 0x202020, 0x302010}));

    EXPECT_THROW(cache.GradientTable(0, 0, kWhite), std::invalid_argument);
}

TEST(SkinColors, GradientCacheKeepsSixteenTablesAndReplacesTheOldest) {
    TGradientCache cache;
    std::vector<int> slots;
    for (int count = 1; count <= TGradientCache::kSlotCount; ++count)
        slots.push_back(cache.GradientTable(count, 0, 0x0000FF));
    // Asking again finds the cached table, for single-entry tables too.
    for (int count = 1; count <= TGradientCache::kSlotCount; ++count)
        EXPECT_EQ(cache.GradientTable(count, 0, 0x0000FF), slots[static_cast<std::size_t>(count - 1)]);

    const int seventeenth = cache.GradientTable(17, 0, 0x0000FF);
    EXPECT_EQ(seventeenth, slots[0]);
    EXPECT_EQ(cache.Table(seventeenth).size(), 17u);
    // The first gradient was evicted: it is built again, into the next oldest slot.
    const int rebuilt = cache.GradientTable(1, 0, 0x0000FF);
    EXPECT_EQ(rebuilt, slots[1]);
    EXPECT_EQ(cache.Table(rebuilt).size(), 1u);
    EXPECT_EQ(cache.GradientTable(17, 0, 0x0000FF), seventeenth);
}

TEST(SkinColors, SaturationOfBrightColorsAndTheFixedValueForDarkOnes) {
    EXPECT_EQ(ColorSaturation(0x0000FF), 255);
    EXPECT_EQ(ColorSaturation(0x7F7F7F), 200);
    EXPECT_EQ(ColorSaturation(0x9F0000), 200);
    EXPECT_EQ(ColorSaturation(0xA0A0A0), 0);
    EXPECT_EQ(ColorSaturation(0x5555AA), 128);  // 127.5 rounds to even
    EXPECT_EQ(ColorSaturation(0xAAA9A9), 2);    // 1.5 rounds to even
    EXPECT_EQ(ColorSaturation(0xAAA7A7), 4);    // 4.5 rounds to even
}

}  // namespace
}  // namespace velloran
