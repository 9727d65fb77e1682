#include "skin/data/ImgUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinImageTestSupport.h"

namespace velloran {
namespace {

using skintest::At;
using skintest::Image;
using skintest::PixelsAre;
using skintest::Solid;

constexpr std::uint32_t kWhite = 0xFFFFFF;

// Pixel (x, y) of the 3 x 2 test image: every pixel different.
std::uint32_t Numbered(int x, int y) { return static_cast<std::uint32_t>(0x100000 * (x + 1) + 0x10 * (y + 1)); }

TEST(BitmapPixels, ReadAndWrittenTopRowFirstInRgbOrder) {
    TBitmap drawn;
    drawn.SetSize(3, 2);
    SetPixel(drawn.Canvas().Handle(), 2, 0, RGB(1, 2, 3));
    SetPixel(drawn.Canvas().Handle(), 0, 1, RGB(4, 5, 6));
    const TDecodedBitmap read = GetBitmapPixels(drawn);
    ASSERT_EQ(read.Width, 3);
    ASSERT_EQ(read.Height, 2);
    EXPECT_EQ(At(read, 2, 0), 0x010203u);
    EXPECT_EQ(At(read, 0, 1), 0x040506u);
    EXPECT_EQ(At(read, 0, 0), 0u);

    const auto written = Image(3, 2, Numbered);
    EXPECT_EQ(GetPixel(written->Canvas().Handle(), 2, 0), RGB(0x30, 0x00, 0x10));
    EXPECT_EQ(GetPixel(written->Canvas().Handle(), 0, 1), RGB(0x10, 0x00, 0x20));

    SetBitmapPixels(*written, TDecodedBitmap{});
    EXPECT_TRUE(written->Empty());
    EXPECT_TRUE(GetBitmapPixels(*written).Empty());
}

// Whatever bitmap a TBitmap was handed, its pixels come back top row first: DIB sections stored
// from the top or from the bottom, of 32 or 24 bits, and the display's own bitmaps.
TEST(BitmapPixels, ReadTopRowFirstFromBitmapsOfEveryLayout) {
    const auto section = [](int height, WORD bits) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, height, 1, bits, BI_RGB};
        void* memory = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    };
    const auto displayBitmap = [] {
        const HDC screen = GetDC(nullptr);
        const HBITMAP made = CreateCompatibleBitmap(screen, 3, 2);
        ReleaseDC(nullptr, screen);
        return made;
    };
    const struct {
        const char* Kind;
        HBITMAP Handle;
    } cases[] = {{"32 bits from the bottom", section(2, 32)},
                 {"32 bits from the top", section(-2, 32)},
                 {"24 bits from the top", section(-2, 24)},
                 {"the display's", displayBitmap()}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        bitmap.SetHandle(c.Handle);
        const HDC dc = bitmap.Canvas().Handle();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const std::uint32_t v = Numbered(x, y);
                SetPixel(dc, x, y, RGB(v >> 16, (v >> 8) & 0xFF, v & 0xFF));
            }
        const TDecodedBitmap read = GetBitmapPixels(bitmap);
        ASSERT_EQ(read.Width, 3) << c.Kind;
        ASSERT_EQ(read.Height, 2) << c.Kind;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(At(read, x, y), Numbered(x, y)) << c.Kind << " at " << x << "," << y;
    }
}

// New pixels of the same size go into the bitmap's own DIB section, even while its canvas has it
// selected; any other size, or a bitmap that is no DIB section, gets a new 32-bit DIB section.
TEST(BitmapPixels, WrittenInPlaceOnlyIntoADibSectionOfTheSameSize) {
    const auto displayBitmap = [](TBitmap& bitmap) {
        const HDC screen = GetDC(nullptr);
        bitmap.SetHandle(CreateCompatibleBitmap(screen, 3, 2));
        ReleaseDC(nullptr, screen);
    };
    const struct {
        const char* Kind;
        int Width;
        bool Display;
        bool SameHandle;
    } cases[] = {{"same size", 3, false, true}, {"other size", 4, false, false}, {"display bitmap", 3, true, false}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        if (c.Display)
            displayBitmap(bitmap);
        else
            bitmap.SetSize(3, 2);
        SetPixel(bitmap.Canvas().Handle(), 0, 0, RGB(9, 9, 9));  // its canvas now holds it
        const HBITMAP before = bitmap.Handle();
        const TBitmapIdentity identity = bitmap.Identity();
        const auto image = Image(c.Width, 2, Numbered);
        SetBitmapPixels(bitmap, GetBitmapPixels(*image));
        EXPECT_EQ(bitmap.Handle() == before, c.SameHandle) << c.Kind;
        EXPECT_NE(bitmap.Identity(), identity) << c.Kind;  // what was made from the old pixels is stale
        DIBSECTION section{};
        EXPECT_EQ(GetObjectA(bitmap.Handle(), sizeof section, &section), static_cast<int>(sizeof section)) << c.Kind;
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32) << c.Kind;
        const TDecodedBitmap read = GetBitmapPixels(bitmap);
        ASSERT_EQ(read.Width, c.Width) << c.Kind;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < c.Width; ++x) EXPECT_EQ(At(read, x, y), Numbered(x, y)) << c.Kind;
        EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 0), RGB(0x10, 0x00, 0x10)) << c.Kind;
    }
}

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutU32(std::vector<std::uint8_t>& out, unsigned value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// A 2 x 2 bitmap file, 24 bits, rows from the bottom: red, green over blue, white.
std::vector<std::uint8_t> TwoByTwoFile() {
    std::vector<std::uint8_t> file{'B', 'M'};
    PutU32(file, 14 + 40 + 16);
    PutU32(file, 0);
    PutU32(file, 14 + 40);
    for (unsigned v : {40u, 2u, 2u}) PutU32(file, v);
    PutU16(file, 1);
    PutU16(file, 24);
    for (int i = 0; i < 6; ++i) PutU32(file, 0);
    const std::uint8_t rows[] = {0xFF, 0, 0,    0xFF, 0xFF, 0xFF, 0, 0,   // blue, white
                                 0,    0, 0xFF, 0,    0xFF, 0,    0, 0};  // red, green
    file.insert(file.end(), std::begin(rows), std::end(rows));
    return file;
}

TEST(BitmapPixels, MemberLoadedFromFileBytesOrEmptiedWhenUnreadable) {
    TBitmap bitmap;
    LoadBitmapMember(TwoByTwoFile(), bitmap);
    EXPECT_TRUE(PixelsAre(bitmap, 2, 2, [](int x, int y) {
        const std::uint32_t expected[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
        return expected[y][x];
    }));

    std::vector<std::uint8_t> truncated = TwoByTwoFile();
    truncated.resize(30);
    LoadBitmapMember(truncated, bitmap);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
}

TEST(BitmapPixels, ProgramBitmapsByName) {
    const HMODULE program = GetModuleHandleA(nullptr);
    for (const char* name : {"TRACK", "TRACKVERT", "PELMARKMENU"}) {
        SCOPED_TRACE(name);
        const HRSRC resource = FindResourceA(program, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
        ASSERT_NE(resource, nullptr);
        BITMAPINFOHEADER header;
        std::memcpy(&header, LockResource(LoadResource(program, resource)), sizeof header);
        TBitmap loaded;
        LoadProgramBitmap(name, loaded);
        EXPECT_EQ(loaded.Width(), header.biWidth);
        EXPECT_EQ(loaded.Height(), std::abs(header.biHeight));
    }
    TBitmap missing;
    missing.SetSize(2, 2);
    LoadProgramBitmap("NOSUCHBITMAP", missing);
    EXPECT_TRUE(missing.Empty());
}

TEST(PixelRoutines, MirrorFlipAndRotations) {
    const auto mirrored = Image(3, 2, Numbered);
    MirrorBitmap(*mirrored);
    EXPECT_TRUE(PixelsAre(*mirrored, 3, 2, [](int x, int y) { return Numbered(2 - x, y); }));

    const auto flipped = Image(3, 3, Numbered);
    FlipBitmap(*flipped);
    EXPECT_TRUE(PixelsAre(*flipped, 3, 3, [](int x, int y) { return Numbered(x, 2 - y); }));

    // Counter-clockwise: the right column becomes the top row.
    const auto left = Image(3, 2, Numbered);
    RotateLeft(*left);
    EXPECT_TRUE(PixelsAre(*left, 2, 3, [](int x, int y) { return Numbered(2 - y, x); }));

    // Clockwise: the bottom row becomes the left column, read upwards.
    const auto right = Image(3, 2, Numbered);
    RotateRight(*right);
    EXPECT_TRUE(PixelsAre(*right, 2, 3, [](int x, int y) { return Numbered(y, 1 - x); }));

    RotateLeft(*right);
    EXPECT_TRUE(PixelsAre(*right, 3, 2, Numbered));

    TBitmap empty;
    RotateLeft(empty);
    MirrorBitmap(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(PixelRoutines, ReplaceMagentaTouchesExactMagentaOnly) {
    const std::uint32_t row[] = {0xFF00FF, 0xFF01FF, 0xFE00FF, 0x123456};
    const auto bitmap = Image(4, 1, [&](int x, int) { return row[x]; });
    ReplaceMagenta(*bitmap, 0x563412);  // red 0x12, green 0x34, blue 0x56
    EXPECT_TRUE(PixelsAre(*bitmap, 4, 1, [&](int x, int) { return x == 0 ? 0x123456u : row[x]; }));

    const auto system = Solid(2, 1, skintest::kKeyPixel);
    ReplaceMagenta(*system, 0xFF000000u | COLOR_BTNFACE);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t facePixel = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    EXPECT_TRUE(PixelsAre(*system, 2, 1, [&](int, int) { return facePixel; }));
}

// Red channel of the 5-step gradient from black to red: (2 + 255 i) div 4.
constexpr std::uint32_t kRedSteps[] = {0x000000, 0x400000, 0x800000, 0xBF0000, 0xFF0000};

TEST(GradientFill, OneLinePerStepOnlyInsideTheClipBox) {
    for (const bool vertical : {true, false}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        const RECT rect = vertical ? RECT{2, 3, 6, 8} : RECT{2, 3, 7, 7};
        const auto inRect = [&](int x, int y) {
            return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
        };
        const auto step = [&](int x, int y) { return vertical ? y - rect.top : x - rect.left; };

        const auto full = Solid(10, 10, kWhite);
        GradientFill(full->Canvas().Handle(), rect, 0x000000, vertical, 0x0000FF);
        EXPECT_TRUE(
            PixelsAre(*full, 10, 10, [&](int x, int y) { return inRect(x, y) ? kRedSteps[step(x, y)] : kWhite; }));

        // Steps 2 and 3 only, each with the colour it has in the whole gradient.
        const auto clipped = Solid(10, 10, kWhite);
        const HDC dc = clipped->Canvas().Handle();
        if (vertical)
            IntersectClipRect(dc, 0, rect.top + 2, 10, rect.top + 4);
        else
            IntersectClipRect(dc, rect.left + 2, 0, rect.left + 4, 10);
        GradientFill(dc, rect, 0x000000, vertical, 0x0000FF);
        EXPECT_TRUE(PixelsAre(*clipped, 10, 10, [&](int x, int y) {
            return inRect(x, y) && (step(x, y) == 2 || step(x, y) == 3) ? kRedSteps[step(x, y)] : kWhite;
        }));
    }

    const auto untouched = Solid(4, 4, kWhite);
    const HDC dc = untouched->Canvas().Handle();
    GradientFill(dc, {3, 3, 1, 1}, 0, true, 0x0000FF);  // inverted
    IntersectClipRect(dc, 0, 0, 1, 1);
    GradientFill(dc, {2, 2, 4, 4}, 0, true, 0x0000FF);  // outside the clip
    EXPECT_TRUE(PixelsAre(*untouched, 4, 4, [](int, int) { return kWhite; }));
}

TEST(Text, AnsiCodePageToWide) {
    // Wine's ANSI code page is 1252, where 0x80 is the euro sign.
    EXPECT_EQ(AnsiToWide("caf\xE9 \x80"), L"caf\u00E9 \u20AC");
    EXPECT_EQ(AnsiToWide(""), L"");
}

TEST(Text, SkinDrawTextKeepsCharactersOutsideTheAnsiCodePage) {
    const auto draw = [](const std::wstring& text) {
        const auto bitmap = Solid(40, 20, kWhite);
        RECT rect{0, 0, 40, 20};
        EXPECT_GT(SkinDrawText(bitmap->Canvas().Handle(), text, rect, DT_SINGLELINE | DT_NOPREFIX), 0);
        return GetBitmapPixels(*bitmap).Pixels;
    };
    // Zhe and Ya have no 1252 form; through the ANSI path both would come out as "??".
    const auto cyrillic = draw(L"\u0416\u042F");
    EXPECT_NE(cyrillic, draw(L"??"));
    EXPECT_NE(cyrillic, draw(L""));

    const auto bitmap = Solid(4, 4, kWhite);
    RECT measured{0, 0, 0, 0};
    const int oneLine = SkinDrawText(bitmap->Canvas().Handle(), L"Ab", measured, DT_CALCRECT);
    EXPECT_GT(measured.right, 0);
    RECT twoLines{0, 0, 0, 0};
    EXPECT_EQ(SkinDrawText(bitmap->Canvas().Handle(), L"Ab\r\nCd", twoLines, DT_CALCRECT), 2 * oneLine);
}

TEST(OptionalUser32, PresentFunctionsAreCalled) {
    ASSERT_TRUE(HasGetScrollBarInfo());

    TWindowHandle edit(CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VSCROLL | ES_MULTILINE, 600, 600, 100, 80, nullptr,
                                       nullptr, nullptr, nullptr));
    ASSERT_TRUE(edit);
    SCROLLBARINFO bar{};
    ASSERT_TRUE(SafeGetScrollBarInfo(edit.get(), OBJID_VSCROLL, bar));
    EXPECT_EQ(bar.cbSize, sizeof bar);
    EXPECT_GT(bar.rcScrollBar.bottom - bar.rcScrollBar.top, 0);

    TWindowHandle combo(CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWN, 600, 600, 100, 80, nullptr, nullptr,
                                        nullptr, nullptr));
    ASSERT_TRUE(combo);
    COMBOBOXINFO comboInfo{};
    ASSERT_TRUE(SafeGetComboBoxInfo(combo.get(), comboInfo));
    EXPECT_NE(comboInfo.hwndList, nullptr);
    EXPECT_NE(comboInfo.hwndItem, nullptr);

    // The mouse over the window: the request leaves the window tracked for leaving.
    ShowWindow(edit.get(), SW_SHOWNOACTIVATE);
    SetCursorPos(650, 640);
    fwtest::PumpFor(50);
    RequestMouseLeave(edit.get());
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, edit.get());
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);

    EXPECT_TRUE(DisableWindowsGhosting());
}

}  // namespace
}  // namespace velloran
