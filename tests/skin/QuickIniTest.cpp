#include "skin/data/WinSkinIni.h"

#include "framework/Classes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {
namespace {

TQuickIni Load(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromStream(std::vector<std::uint8_t>(text.begin(), text.end()));
    return ini;
}

std::vector<std::string> Sections(const TQuickIni& ini) {
    TStringList list;
    list.Add("left over");
    ini.ReadSections(list);
    return list.ToVector();
}

TEST(QuickIni, LinesAreTrimmedAndCommentsAndBreaksOfEveryKindAreHandled) {
    const TQuickIni ini = Load(
        "; heading comment\r\n"
        "  [Main]\t \r\n"
        "\tImage =  Buttons.bmp \x01\r"
        "; Image=hidden.bmp\n"
        "   ; Frame=9\n\r\n"
        "Frame=3 ; not a comment\n"
        "Tile=1");
    EXPECT_EQ(ini.ReadString("Main", "Image", "none"), "Buttons.bmp");
    EXPECT_EQ(ini.ReadString("Main", "Frame", ""), "3 ; not a comment");
    EXPECT_EQ(ini.ReadInteger("Main", "Tile", 0), 1);
}

TEST(QuickIni, SectionsAndKeysMatchWithoutLetterCase) {
    const TQuickIni ini = Load("[colours]\nRightwidth=5\n[OTHER]\nx=1\n");
    EXPECT_EQ(ini.ReadString("Colours", "RightWidth", ""), "5");
    EXPECT_EQ(ini.ReadString("other", "X", ""), "1");
    EXPECT_EQ(ini.ReadString("Missing", "x", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadString("Colours", "Missing", "fallback"), "fallback");
}

TEST(QuickIni, FirstMatchingLineDecidesEvenWhenItsValueIsEmpty) {
    const TQuickIni ini = Load(
        "[Title]\nImage=\nImage=second.bmp\nFrame=1\nFrame=2\n"
        "[Title]\nStyle=7\n");
    EXPECT_EQ(ini.ReadString("Title", "Image", "default"), "default");
    EXPECT_EQ(ini.ReadString("Title", "Frame", ""), "1");
    // Only the first section of a name is looked at.
    EXPECT_EQ(ini.ReadInteger("Title", "Style", -1), -1);
}

TEST(QuickIni, KeysAreLookedForOnlyUpToTheNextHeader) {
    const TQuickIni ini = Load("[A]\nno sign here\n=bare\n[B]\nkey=b\n");
    EXPECT_EQ(ini.ReadString("A", "key", "none"), "none");
    EXPECT_EQ(ini.ReadString("A", "no sign here", "none"), "none");
    EXPECT_EQ(ini.ReadString("B", "key", "none"), "b");
}

TEST(QuickIni, TextEndsAtTheFirstNul) {
    using namespace std::string_literals;
    const TQuickIni ini = Load("[A]\nx=1\0\ny=2\n[B]\nz=3\n"s);
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "y", "none"), "none");
    EXPECT_EQ(Sections(ini), std::vector<std::string>{"A"});
}

TEST(QuickIni, LoadingAgainDiscardsTheEarlierText) {
    TQuickIni ini = Load("[Old]\nx=1\n");
    ini.LoadFromStream({});
    EXPECT_EQ(ini.ReadString("Old", "x", "gone"), "gone");
    EXPECT_TRUE(Sections(ini).empty());
}

TEST(QuickIni, IntegersAreDecimalOrHexadecimalAndAnythingElseGivesTheDefault) {
    const TQuickIni ini = Load(
        "[N]\nhex1=0x1F\nhex2=$1F\nhex3=0X10\nbare=1F\nneg=-12\nplus=+7\n"
        "min=-2147483648\nmax=2147483647\nover=2147483648\nunder=-2147483649\n"
        "pattern=$FF00000F\nwide=$100000000\nzeros=$000000001\n"
        "x=0x\ndollar=$\nsign=-\nsignedhex=-$1F\nspace=1 2\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex1", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "hex3", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -12);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "min", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "max", 0), INT32_MAX);
    EXPECT_EQ(ini.ReadInteger("N", "pattern", 0), static_cast<int32_t>(0xFF00000Fu));
    EXPECT_EQ(ini.ReadInteger("N", "zeros", 0), 1);
    for (const char* key : {"bare", "over", "under", "wide", "x", "dollar", "sign", "signedhex", "space", "absent"})
        EXPECT_EQ(ini.ReadInteger("N", key, -99), -99) << key;
}

TEST(QuickIni, SectionsAreListedInFileOrderWithoutBracketsButPaddedOnesAreNotFound) {
    const TQuickIni ini = Load("[Title]\n[ Buttons ]\nImage=b.bmp\n[]\n[Title]\n[not a header\n");
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"Title", "Buttons", "", "Title"}));
    EXPECT_EQ(ini.ReadString("Buttons", "Image", "none"), "none");
    EXPECT_EQ(ini.ReadString(" Buttons ", "Image", "none"), "b.bmp");
}

// A skin that names thousands of sections, some twice, is read in time that grows with its
// length alone, and the first of each name still decides.
TEST(QuickIni, ManySectionsAreLookedUpWithoutScanningThemAll) {
    constexpr int kSections = 10000;
    std::string text = "key=before any header\n";
    for (int i = 0; i < kSections; ++i)
        text += "[S" + std::to_string(i) + "]\nKey=" + std::to_string(i) + "\n[s" + std::to_string(i / 2) + "]\nkey=again\n";
    const TQuickIni ini = Load(text);

    const auto start = std::chrono::steady_clock::now();
    int found = 0;
    for (int i = 0; i < kSections; ++i) found += ini.ReadInteger("s" + std::to_string(i), "KEY", -1) == i;
    EXPECT_EQ(found, kSections);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(ini.ReadString("", "key", "none"), "none");
}

}  // namespace
}  // namespace velloran
