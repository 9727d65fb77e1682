#include "app/StatusTemplate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace velloran
{
namespace
{

TEST(StatusTemplate, CutPlayerSuffixDropsLastDashWithCharacterBefore)
{
    EXPECT_EQ(CutPlayerSuffix("12. Artist - Song - Winamp"), "12. Artist - Song");
    EXPECT_EQ(CutPlayerSuffix("Artist - Song - Winamp"), "Artist - Song");
    EXPECT_EQ(CutPlayerSuffix("No dash at all"), "");
    EXPECT_EQ(CutPlayerSuffix("A-B"), "");  // only dash is the second character
    EXPECT_EQ(CutPlayerSuffix("-Winamp"), "");
    EXPECT_EQ(CutPlayerSuffix("AB-C"), "A");
    EXPECT_EQ(CutPlayerSuffix(""), "");
}

TEST(StatusTemplate, StripTrackNumberNeedsAWholeNumberBeforeTheFirstDot)
{
    EXPECT_EQ(StripTrackNumber("12. Artist - Song"), "Artist - Song");
    EXPECT_EQ(StripTrackNumber("1.Band - Track"), "and - Track");
    EXPECT_EQ(StripTrackNumber("-3. Band"), "Band");
    EXPECT_EQ(StripTrackNumber("+3. Band"), "Band");
    EXPECT_EQ(StripTrackNumber("Mr. Big - Song"), "Mr. Big - Song");
    EXPECT_EQ(StripTrackNumber(". Band"), ". Band");
    EXPECT_EQ(StripTrackNumber(" 1. Band"), " 1. Band");
    EXPECT_EQ(StripTrackNumber("0x1. Band"), "0x1. Band");
    EXPECT_EQ(StripTrackNumber("2147483648. Band"), "2147483648. Band");
    EXPECT_EQ(StripTrackNumber("Band - Song"), "Band - Song");
    // Deleting past the end leaves nothing rather than reading beyond it.
    EXPECT_EQ(StripTrackNumber("7."), "");
    EXPECT_EQ(StripTrackNumber("7. "), "");
}

TEST(StatusTemplate, ParseDecimalInt32AcceptsOnlySignedDigitsInRange)
{
    EXPECT_EQ(ParseDecimalInt32("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseDecimalInt32("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseDecimalInt32("+007"), 7);
    for (const char* bad : {"", "+", "-", "+-1", "--1", "1 ", " 1", "1a", "2147483648", "-2147483649", "0x10"})
        EXPECT_FALSE(ParseDecimalInt32(bad)) << '"' << bad << '"';
}

TEST(StatusTemplate, TagsMatchWithoutCaseAndEveryOccurrenceIsReplaced)
{
    EXPECT_TRUE(ContainsTagIgnoreCase("x %PrOgReSs% y", "%progress%"));
    EXPECT_FALSE(ContainsTagIgnoreCase("%progress", "%progress%"));
    EXPECT_FALSE(ContainsTagIgnoreCase("abc", ""));
    EXPECT_EQ(ReplaceTagIgnoreCase("Now: %SONG% / %Song% / %song", "%song%", "T"), "Now: T / T / %song");
    EXPECT_EQ(ReplaceTagIgnoreCase("abc", "", "x"), "abc");
}

TEST(StatusTemplate, ReplacementValueIsNotSearchedAgain)
{
    EXPECT_EQ(ReplaceTagIgnoreCase("%quote%!", "%quote%", "say %QUOTE%"), "say %QUOTE%!");
    EXPECT_EQ(ReplaceTagIgnoreCase("%a%a%", "%a%", "%a%"), "%a%a%");
}

TEST(StatusTemplate, ProgressCellFromPositionAndLength)
{
    EXPECT_EQ(ProgressCell(95000, 200), 4);
    EXPECT_EQ(ProgressCell(200000, 200), 10);
    EXPECT_EQ(ProgressCell(1999, 2), 5);   // 1999 ms counts as 1 s
    EXPECT_EQ(ProgressCell(-1, 200), 0);   // stopped: truncated toward zero
    EXPECT_EQ(ProgressCell(-999, 200), 0);
    EXPECT_FALSE(ProgressCell(-1000, 200));
    EXPECT_FALSE(ProgressCell(5000, 0));
    EXPECT_FALSE(ProgressCell(5000, -1));
    EXPECT_EQ(ProgressCell(std::numeric_limits<int32_t>::max(), 1), 10);
}

TEST(StatusTemplate, ProgressBarNeverMarksOutsideItsTenCells)
{
    EXPECT_EQ(ProgressBar(0), "|---------");
    EXPECT_EQ(ProgressBar(4), "----|-----");
    EXPECT_EQ(ProgressBar(9), "---------|");
    EXPECT_EQ(ProgressBar(10), "---------|");
    EXPECT_EQ(ProgressBar(std::numeric_limits<int>::max()), "---------|");
    EXPECT_EQ(ProgressBar(-5), "|---------");
}

} // namespace
} // namespace velloran
