#include "skin/data/BitmapFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace velloran {
namespace {

using TBytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kBitFields = 3;

void Put16(TBytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(TBytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

struct TBitmapFields {
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    std::uint16_t Bits = 24;
    std::uint32_t Compression = kRgb;
    std::uint32_t HeaderSize = 40;
    std::uint32_t ColorsUsed = 0;
    std::uint16_t Planes = 1;
    std::vector<std::uint32_t> HeaderMasks;  // at offset 40 of a larger header
    std::vector<std::uint32_t> Tables;       // masks after a 40-byte header, or palette
    TBytes Pixels;                           // rows as stored, padding included
};

// A file laid out as the platform writes one: file header, info header,
// tables, then the pixels.
TBytes BitmapFile(const TBitmapFields& fields) {
    const std::uint32_t offset = 14 + fields.HeaderSize + 4 * static_cast<std::uint32_t>(fields.Tables.size());
    TBytes out{'B', 'M'};
    Put32(out, offset + static_cast<std::uint32_t>(fields.Pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, fields.HeaderSize);
    Put32(out, static_cast<std::uint32_t>(fields.Width));
    Put32(out, static_cast<std::uint32_t>(fields.Height));
    Put16(out, fields.Planes);
    Put16(out, fields.Bits);
    for (std::uint32_t value : {fields.Compression, 0u, 2835u, 2835u, fields.ColorsUsed, 0u}) Put32(out, value);
    for (std::uint32_t mask : fields.HeaderMasks) Put32(out, mask);
    out.resize(14 + fields.HeaderSize);
    for (std::uint32_t entry : fields.Tables) Put32(out, entry);
    out.insert(out.end(), fields.Pixels.begin(), fields.Pixels.end());
    return out;
}

std::vector<std::uint32_t> Pixels(const TBytes& file, int width, int height) {
    const TDecodedBitmap image = ReadBitmapFile(file);
    EXPECT_EQ(image.Width, width);
    EXPECT_EQ(image.Height, height);
    return image.Pixels;
}

using TPixels = std::vector<std::uint32_t>;

TEST(BitmapFile, IndexedDepthsLookUpThePaletteWithRowsFromTheBottom) {
    // 1 bit, 3 x 2: bottom row stored first, each row padded to four bytes.
    const TBytes mono = BitmapFile({.Width = 3,
                                    .Height = 2,
                                    .Bits = 1,
                                    .Tables = {0x000000, 0xFFFFFF},
                                    .Pixels = {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}});
    EXPECT_EQ(Pixels(mono, 3, 2), (TPixels{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF}));

    // 4 bits with two colours used: the third entry stored and the indices
    // past the stored ones are black.
    const TBytes nibbles = BitmapFile({.Width = 4,
                                       .Height = 1,
                                       .Bits = 4,
                                       .ColorsUsed = 2,
                                       .Tables = {0x112233, 0x445566, 0x778899},
                                       .Pixels = {0x10, 0x25, 0, 0}});
    EXPECT_EQ(Pixels(nibbles, 4, 1), (TPixels{0x445566, 0x112233, 0x000000, 0x000000}));

    // 8 bits, top-down.
    const TBytes bytes = BitmapFile({.Width = 2,
                                     .Height = -2,
                                     .Bits = 8,
                                     .ColorsUsed = 3,
                                     .Tables = {0x0000FF, 0x00FF00, 0xFF0000},
                                     .Pixels = {0, 1, 0, 0, 2, 2, 0, 0}});
    EXPECT_EQ(Pixels(bytes, 2, 2), (TPixels{0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000}));
}

TEST(BitmapFile, SixteenBitPixelsAsFiveFiveFiveOrThroughMasks) {
    const TBytes plain =
        BitmapFile({.Width = 4, .Height = 1, .Bits = 16, .Pixels = {0xFF, 0x7F, 0x00, 0x7C, 0x1F, 0x00, 0x00, 0x02}});
    EXPECT_EQ(Pixels(plain, 4, 1), (TPixels{0xFFFFFF, 0xFF0000, 0x0000FF, 0x008400}));

    const TBytes rgb565 = BitmapFile({.Width = 3,
                                      .Height = 1,
                                      .Bits = 16,
                                      .Compression = kBitFields,
                                      .Tables = {0xF800, 0x07E0, 0x001F},
                                      .Pixels = {0x00, 0xF8, 0x00, 0x04, 0x1F, 0x00, 0, 0}});
    EXPECT_EQ(Pixels(rgb565, 3, 1), (TPixels{0xFF0000, 0x008200, 0x0000FF}));
}

TEST(BitmapFile, TrueColourDepthsAndTheLargerHeaders) {
    // 24 bits, blue-green-red, one byte of padding per row.
    const TBytes rgb = BitmapFile({.Width = 1, .Height = 2, .Pixels = {0x30, 0x20, 0x10, 0, 0x03, 0x02, 0x01, 0}});
    EXPECT_EQ(Pixels(rgb, 1, 2), (TPixels{0x010203, 0x102030}));

    const TBytes plain32 = BitmapFile({.Width = 1, .Height = 1, .Bits = 32, .Pixels = {0x33, 0x22, 0x11, 0xAA}});
    EXPECT_EQ(Pixels(plain32, 1, 1), TPixels{0x112233});

    // A V5 header carrying masks that put red in the low byte.
    const TBytes v5 = BitmapFile({.Width = 1,
                                  .Height = 1,
                                  .Bits = 32,
                                  .Compression = kBitFields,
                                  .HeaderSize = 124,
                                  .HeaderMasks = {0x0000FF, 0x00FF00, 0xFF0000},
                                  .Pixels = {0x33, 0x22, 0x11, 0}});
    EXPECT_EQ(Pixels(v5, 1, 1), TPixels{0x332211});
}

TEST(BitmapFile, CoreHeaderWithThreeBytePaletteEntries) {
    TBytes file{'B', 'M'};
    Put32(file, 0);
    Put32(file, 0);
    Put32(file, 14 + 12 + 2 * 3);
    Put32(file, 12);
    Put16(file, 2);  // width
    Put16(file, 1);  // height
    Put16(file, 1);  // planes
    Put16(file, 1);  // bits per pixel
    file.insert(file.end(), {0x10, 0x20, 0x30, 0xC0, 0xB0, 0xA0, 0b01000000, 0, 0, 0});
    EXPECT_EQ(Pixels(file, 2, 1), (TPixels{0x302010, 0xA0B0C0}));
}

TEST(BitmapFile, MissingPaddingOfTheLastRowIsForgivenButMissingPixelsAreNot) {
    TBytes file = BitmapFile({.Width = 1, .Height = 2, .Pixels = {1, 2, 3, 0, 4, 5, 6, 0}});
    file.pop_back();
    EXPECT_EQ(Pixels(file, 1, 2), (TPixels{0x060504, 0x030201}));
    file.pop_back();
    EXPECT_TRUE(ReadBitmapFile(file).Empty());
}

TEST(BitmapFile, MalformedOrUnsupportedFilesGiveAnEmptyImage) {
    const TBitmapFields good{.Width = 1, .Height = 1, .Pixels = {1, 2, 3, 0}};
    ASSERT_FALSE(ReadBitmapFile(BitmapFile(good)).Empty());

    std::vector<TBytes> bad;
    auto variant = [&](auto change) {
        TBitmapFields fields = good;
        change(fields);
        bad.push_back(BitmapFile(fields));
    };
    variant([](TBitmapFields& s) { s.Width = 0; });
    variant([](TBitmapFields& s) { s.Width = -1; });
    variant([](TBitmapFields& s) { s.Height = 0; });
    variant([](TBitmapFields& s) { s.Height = INT32_MIN; });
    variant([](TBitmapFields& s) { s.Width = kMaxBitmapDimension + 1; });
    variant([](TBitmapFields& s) { s.Width = s.Height = kMaxBitmapDimension; });
    variant([](TBitmapFields& s) { s.Planes = 2; });
    variant([](TBitmapFields& s) { s.HeaderSize = 64; });
    variant([](TBitmapFields& s) {
        s.Compression = kRle8;
        s.Bits = 8;
    });
    variant([](TBitmapFields& s) {
        s.Compression = kBitFields;
        s.Tables = {0xFF0000, 0xFF00, 0xFF};
    });
    variant([](TBitmapFields& s) {
        s.Bits = 32;
        s.Compression = kBitFields;
        s.Tables = {0xF0F000, 0xFF00, 0xFF};
    });
    variant([](TBitmapFields& s) { s.Bits = 2; });
    bad.push_back({});
    bad.push_back({'B', 'M', 0, 0});

    TBytes notBm = BitmapFile(good);
    notBm[1] = 'A';
    bad.push_back(notBm);
    const TBitmapFields indexed{.Width = 1, .Height = 1, .Bits = 8, .Pixels = {0, 0, 0, 0}};
    for (std::uint32_t offset : {0u, 53u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        for (const TBitmapFields& fields : {good, indexed}) {
            TBytes file = BitmapFile(fields);
            for (int i = 0; i < 4; ++i)
                file[10 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(offset >> (8 * i));
            bad.push_back(file);
        }
    }
    // Masks promised after a 40-byte header but cut off.
    TBytes cut = BitmapFile({.Bits = 16, .Compression = kBitFields});
    bad.push_back(cut);

    // Few bytes per pixel, but more pixels in all than an image may have.
    const std::int32_t wide = kMaxBitmapDimension;
    const std::int32_t tall = static_cast<std::int32_t>(kMaxBitmapPixels / kMaxBitmapDimension) + 1;
    bad.push_back(BitmapFile({.Width = wide,
                              .Height = tall,
                              .Bits = 1,
                              .Tables = {0, 0xFFFFFF},
                              .Pixels = TBytes(static_cast<std::size_t>(wide / 8 * tall))}));

    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_TRUE(ReadBitmapFile(bad[i]).Empty()) << "case " << i;
}

}  // namespace
}  // namespace velloran
