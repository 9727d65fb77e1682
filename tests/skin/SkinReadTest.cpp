#include "skin/data/SkinRead.h"
#include "tests/skin/LzhCorpus.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velloran {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

void AppendInt32(std::vector<uint8_t>& out, int32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
}

// An unpacked image laid out by hand, packed.
struct TImage {
    int32_t Format = 20000;
    std::size_t SkippedSize = 0;
    std::string Names;
    std::vector<int32_t> Sizes;
    std::string Data;
    std::optional<int32_t> NameLength;  // Names.size() unless given

    std::vector<uint8_t> Packed() const {
        std::vector<uint8_t> image;
        AppendInt32(image, Format);
        AppendInt32(image, NameLength.value_or(static_cast<int32_t>(Names.size())));
        AppendInt32(image, 0x1234567);  // two fields the reader ignores
        AppendInt32(image, -1);
        // Line breaks in the skipped block give wrong names if it is not skipped exactly.
        for (std::size_t i = 0; i < SkippedSize; ++i)
            image.push_back(i % 3 == 0 ? '\n' : static_cast<uint8_t>('A' + i % 26));
        image.insert(image.end(), Names.begin(), Names.end());
        for (const int32_t size : Sizes) AppendInt32(image, size);
        image.insert(image.end(), Data.begin(), Data.end());
        return PackLzh(image);
    }
};

std::string Member(const TSkinReader& reader, std::string_view name) {
    std::vector<uint8_t> bytes = {'?'};
    reader.ExtractMember(name, bytes);
    return {bytes.begin(), bytes.end()};
}

TEST(SkinReader, SkipsTheBlockOfEachFormatNumber) {
    const std::pair<int32_t, std::size_t> formats[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                       {50000, 48}, {60000, 117}, {70000, 69}};
    for (const auto& [format, skipped] : formats) {
        TImage image{format, skipped, "Top.bmp\r\nskin.ini", {3, 4}, "abc[a]\n"};
        TSkinReader reader;
        ASSERT_EQ(reader.Load(image.Packed()), TSkinLoadResult::Loaded) << format;
        EXPECT_EQ(reader.Header()[0], format);
        EXPECT_EQ(reader.Names(), (std::vector<std::string>{"top.bmp", "skin.ini"})) << format;
        EXPECT_EQ(reader.DataSize(), 7u) << format;
        EXPECT_EQ(Member(reader, "top.bmp"), "abc") << format;
        std::vector<uint8_t> ini;
        EXPECT_EQ(reader.FindMember(".ini", ini), "skin.ini");
        EXPECT_EQ(ini, Bytes("[a]\n")) << format;
    }
}

TEST(SkinReader, RefusedContainersLeaveTheDirectoryEmpty) {
    TSkinReader reader;
    const TImage good{20000, 0, "a.bmp", {1}, "x"};
    for (const int32_t format : {0, 10000, 20001, 80000, -20000}) {
        ASSERT_EQ(reader.Load(good.Packed()), TSkinLoadResult::Loaded);
        TImage image = good;
        image.Format = format;
        EXPECT_EQ(reader.Load(image.Packed()), TSkinLoadResult::UnknownFormat) << format;
        EXPECT_TRUE(reader.Names().empty());
        EXPECT_EQ(reader.DataSize(), 0u);
        EXPECT_EQ(Member(reader, "a.bmp"), "");
    }
    // Nothing to unpack at all.
    EXPECT_EQ(reader.Load({}), TSkinLoadResult::UnknownFormat);
}

TEST(SkinReader, NamesAreLowerCasedAndSplitAtAnyLineBreak) {
    const TImage image{20000, 0, "Close.BMP\rMIN.bmp\nmax.Bmp\r\n\r\n\xC4rger.BMP", {1, 2, 3, 0, 4}, "abbcccdddd"};
    TSkinReader reader;
    ASSERT_EQ(reader.Load(image.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"close.bmp", "min.bmp", "max.bmp", "", "\xC4rger.bmp"}));
    EXPECT_EQ(Member(reader, "close.bmp"), "a");
    EXPECT_EQ(Member(reader, "CLOSE.bmp"), "a");
    EXPECT_EQ(Member(reader, "Max.BMP"), "ccc");
    EXPECT_EQ(Member(reader, "\xC4RGER.bmp"), "dddd");
    EXPECT_EQ(Member(reader, "\xE4rger.bmp"), "");  // only A-Z change case
    EXPECT_EQ(Member(reader, "nothere.bmp"), "");

    std::vector<uint8_t> out = {'?'};
    EXPECT_EQ(reader.FindMember(".BMP", out), "");  // the text is taken as given
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(reader.FindMember("ax", out), "max.bmp");
    EXPECT_EQ(out, Bytes("ccc"));

    // A final break adds no member.
    const TImage trailing{20000, 0, "a\r\nb\r\n", {1, 1}, "xy"};
    ASSERT_EQ(reader.Load(trailing.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Names().size(), 2u);
    EXPECT_EQ(Member(reader, "b"), "y");
}

TEST(SkinReader, FirstOfTwoEqualNamesWins) {
    const TImage image{20000, 0, "dup.bmp\r\nDUP.bmp", {1, 2}, "xyz"};
    TSkinReader reader;
    ASSERT_EQ(reader.Load(image.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(Member(reader, "Dup.bmp"), "x");
    std::vector<uint8_t> out;
    EXPECT_EQ(reader.FindMember("dup", out), "dup.bmp");
    EXPECT_EQ(out, Bytes("x"));
}

TEST(SkinReader, HoldsAtMost1001Members) {
    TImage image;
    for (int i = 0; i < kSkinMaxMembers; ++i) {
        image.Names += "m" + std::to_string(i) + ".bmp\r\n";
        image.Sizes.push_back(1);
        image.Data += static_cast<char>('a' + i % 26);
    }
    TSkinReader reader;
    ASSERT_EQ(reader.Load(image.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Names().size(), 1001u);
    EXPECT_EQ(Member(reader, "m1000.bmp"), std::string(1, static_cast<char>('a' + 1000 % 26)));

    image.Names += "one.more";
    image.Sizes.push_back(1);
    image.Data += 'z';
    EXPECT_EQ(reader.Load(image.Packed()), TSkinLoadResult::TooManyMembers);
    EXPECT_TRUE(reader.Names().empty());
    EXPECT_EQ(Member(reader, "m0.bmp"), "");
}

TEST(SkinReader, RefusesAnnouncedSizesAbove64MiBWithoutUnpacking) {
    TSkinReader reader;
    // Unpacking would take at least 64 MiB and, at the maximum, 2 GiB.
    for (const int32_t size : {kSkinMaxUnpackedSize + 1, std::numeric_limits<int32_t>::max()}) {
        ASSERT_EQ(reader.Load(TImage{20000, 0, "a.bmp", {1}, "x"}.Packed()), TSkinLoadResult::Loaded);
        std::vector<uint8_t> packed;
        AppendInt32(packed, size);
        EXPECT_EQ(reader.Load(packed), TSkinLoadResult::TooLarge) << size;
        EXPECT_TRUE(reader.Names().empty());
    }
}

TEST(SkinReader, OutOfRangeSizesAndLengthsStayInsideTheImage) {
    TSkinReader reader;
    // A member is the part of [sum of earlier sizes, + its size) inside the data area.
    const TImage sizes{
        20000, 0, "a\r\nneg\r\nb\r\npast\r\nfar", {3, -5, 4, 100, std::numeric_limits<int32_t>::max()}, "abcdefghij"};
    ASSERT_EQ(reader.Load(sizes.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(Member(reader, "a"), "abc");
    EXPECT_EQ(Member(reader, "neg"), "");
    EXPECT_EQ(Member(reader, "b"), "ab");           // starts at -2
    EXPECT_EQ(Member(reader, "past"), "cdefghij");  // cut at the end of the data
    EXPECT_EQ(Member(reader, "far"), "");

    // The image ends inside the sizes: the missing ones are zero.
    TImage shortSizes{20000, 0, "a\r\nb", {7}, ""};
    ASSERT_EQ(reader.Load(shortSizes.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Names().size(), 2u);
    EXPECT_EQ(reader.DataSize(), 0u);
    EXPECT_EQ(Member(reader, "a"), "");

    // A name list longer than the image takes the rest; a negative one nothing.
    TImage longList{20000, 0, "a.bmp\r\nb.ini", {}, "", 1000};
    ASSERT_EQ(reader.Load(longList.Packed()), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"a.bmp", "b.ini"}));
    EXPECT_EQ(reader.DataSize(), 0u);
    TImage negativeList{20000, 0, "", {}, "a.bmp", -8};
    ASSERT_EQ(reader.Load(negativeList.Packed()), TSkinLoadResult::Loaded);
    EXPECT_TRUE(reader.Names().empty());
    EXPECT_EQ(reader.DataSize(), 5u);
}

TEST(SkinWriter, WritesTheCurrentFormatThatTheReaderReadsBack) {
    const std::vector<TSkinMemberSource> members = {
        {"Close.bmp", test::RandomBytes(5000, 3)},
        {"Empty.bmp", {}},
        {"Skin.ini", Bytes("[TitlebarSkin]\r\nSkinName=Test\r\n")},
    };
    TSkinReader reader;
    ASSERT_EQ(reader.Load(WriteSkinContainer(members)), TSkinLoadResult::Loaded);
    EXPECT_EQ(reader.Header()[0], kSkinCurrentFormat);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"close.bmp", "empty.bmp", "skin.ini"}));
    for (const TSkinMemberSource& member : members) {
        std::vector<uint8_t> bytes = {'?'};
        reader.ExtractMember(member.Name, bytes);
        EXPECT_EQ(bytes, member.Bytes) << member.Name;
    }
}

TEST(SkinWriter, RefusesWhatTheReaderCouldNotGiveBack) {
    for (const char* name : {"", "a\rb", "a\nb"})
        EXPECT_THROW(WriteSkinContainer(std::vector<TSkinMemberSource>{{name, {}}}), std::invalid_argument);
    const std::vector<TSkinMemberSource> tooMany(kSkinMaxMembers + 1, TSkinMemberSource{"m", {1}});
    EXPECT_THROW(WriteSkinContainer(tooMany), std::length_error);
    const std::vector<TSkinMemberSource> tooLarge = {
        {"big.bmp", std::vector<uint8_t>(static_cast<std::size_t>(kSkinMaxUnpackedSize), 0)}};
    EXPECT_THROW(WriteSkinContainer(tooLarge), std::length_error);
}

}  // namespace
}  // namespace velloran
