#include "skin/data/SkinImage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Controls.h"
#include "skin/data/ImgUtil.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinImageTestSupport.h"

namespace velloran {
namespace {

using skintest::Image;
using skintest::kKeyPixel;
using skintest::PixelsAre;
using skintest::Solid;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kJunk = 0x0000AA;  // the frame that must not be drawn

// Colours of the nine parts of a frame, by row (top, middle, bottom) and column.
constexpr std::uint32_t kPart[3][3] = {
    {0x110000, 0x220000, 0x330000}, {0x440000, 0x550000, 0x660000}, {0x770000, 0x880000, 0x990000}};

int Band(int at, int low, int high) { return at < low ? 0 : at < high ? 1 : 2; }

// A 12 x 12 nine-part frame with margins of 3, as frame 2 of a two-frame strip.
std::unique_ptr<TBitmap> NinePartStrip(bool vertical) {
    return Image(vertical ? 12 : 24, vertical ? 24 : 12, [vertical](int x, int y) {
        int& along = vertical ? y : x;
        if (along < 12) return kJunk;
        along -= 12;
        return kPart[Band(y, 3, 9)][Band(x, 3, 9)];
    });
}

TEST(StripFrame, EqualFramesSideBySideOrStacked) {
    const auto strip = Solid(64, 8, kWhite);
    const RECT third = StripFrame(*strip, false, 4, 3);
    EXPECT_EQ(third.left, 32);
    EXPECT_EQ(third.right, 48);
    EXPECT_EQ(third.bottom, 8);

    const auto stacked = Solid(8, 64, kWhite);
    const RECT second = StripFrame(*stacked, true, 4, 2);
    EXPECT_EQ(second.top, 16);
    EXPECT_EQ(second.bottom, 32);
    EXPECT_EQ(second.right, 8);

    // No frame count: the whole bitmap; a frame past the end: the last one.
    EXPECT_EQ(StripFrame(*strip, false, 0, 1).right, 64);
    EXPECT_EQ(StripFrame(*strip, false, -2, 3).right, 64);
    EXPECT_EQ(StripFrame(*strip, false, 4, 9).left, 48);
    EXPECT_EQ(StripFrame(*strip, false, 4, 0).left, 0);

    const std::uint32_t frameColour[] = {0x010101, 0x020202, 0x030303, 0x040404};
    const auto frames = Image(64, 8, [&](int x, int) { return frameColour[x / 16]; });
    const auto target = Solid(10, 10, kWhite);
    StretchFrame(target->Canvas().Handle(), {0, 0, 10, 10}, *frames, false, 4, 3);
    EXPECT_TRUE(PixelsAre(*target, 10, 10, [](int, int) { return 0x030303u; }));
}

TEST(ComposeSkinImage, NineParts) {
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical strip" : "horizontal strip");
        const auto strip = NinePartStrip(vertical);
        const auto image = ComposeSkinImage({5, 5, 35, 25}, *strip, {3, 3, 3, 3}, vertical, false, 2, 2);
        EXPECT_TRUE(PixelsAre(*image, 30, 20, [](int x, int y) { return kPart[Band(y, 3, 17)][Band(x, 3, 27)]; }));
    }
}

TEST(ComposeSkinImage, TargetTooSmallForTheMarginsLosesThem) {
    const auto strip = NinePartStrip(false);
    const TSkinMargins margins{3, 3, 3, 3};

    // 5 wide: the frame's whole width is stretched, so the middle column shows the centre.
    const auto narrow = ComposeSkinImage({0, 0, 5, 20}, *strip, margins, false, false, 2, 2);
    const TDecodedBitmap thin = GetBitmapPixels(*narrow);
    EXPECT_EQ(skintest::At(thin, 2, 1), kPart[0][1]);
    EXPECT_EQ(skintest::At(thin, 2, 10), kPart[1][1]);
    EXPECT_EQ(skintest::At(thin, 2, 18), kPart[2][1]);

    const auto low = ComposeSkinImage({0, 0, 30, 5}, *strip, margins, false, false, 2, 2);
    const TDecodedBitmap flat = GetBitmapPixels(*low);
    EXPECT_EQ(skintest::At(flat, 1, 2), kPart[1][0]);
    EXPECT_EQ(skintest::At(flat, 15, 2), kPart[1][1]);
    EXPECT_EQ(skintest::At(flat, 28, 2), kPart[1][2]);

    EXPECT_TRUE(ComposeSkinImage({0, 0, 0, 10}, *strip, margins, false, false, 2, 2)->Empty());
}

TEST(ComposeSkinImage, TiledCentreOverflowIsCoveredByTheRightAndBottomParts) {
    // An 11 x 11 frame, margins 2: a 7 x 7 centre whose top-left pixel is marked.
    constexpr std::uint32_t kMark = 0x00CC00;
    const auto strip = Image(11, 11, [](int x, int y) {
        if (x == 2 && y == 2) return kMark;
        return kPart[Band(y, 2, 9)][Band(x, 2, 9)];
    });
    // A 20 x 20 centre: tiles start at 0, 7 and 14; the last ones reach 21.
    const auto image = ComposeSkinImage({0, 0, 24, 24}, *strip, {2, 2, 2, 2}, false, true, 1, 1);
    EXPECT_TRUE(PixelsAre(*image, 24, 24, [](int x, int y) {
        const int row = Band(y, 2, 22), column = Band(x, 2, 22);
        if (row == 1 && column == 1 && (x - 2) % 7 == 0 && (y - 2) % 7 == 0) return kMark;
        return kPart[row][column];
    }));
}

TEST(ComposeSkinImage, FrameNarrowerThanItsMarginsIsNotMirrored) {
    // 4 wide with margins of 3 and 3: no centre to copy from.
    const auto strip = Image(4, 4, [](int x, int) { return x < 2 ? 0x010101u : 0x020202u; });
    const auto image = ComposeSkinImage({0, 0, 10, 4}, *strip, {3, 0, 3, 0}, false, false, 1, 1);
    const TDecodedBitmap pixels = GetBitmapPixels(*image);
    // The centre stays as the new bitmap was; a mirrored copy would put 0x020202 at its left.
    EXPECT_EQ(skintest::At(pixels, 3, 1), 0u);
    EXPECT_EQ(skintest::At(pixels, 6, 1), 0u);
}

TEST(DrawSkinObject, KeyedOrPlainAndNothingForAnInvertedRectangle) {
    constexpr std::uint32_t kDot = 0x0000FF, kGround = 0x00FF00;
    const auto strip = Image(4, 4, [](int x, int y) { return x == 1 && y == 1 ? kDot : kKeyPixel; });
    const auto inRect = [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6; };

    const auto keyed = Solid(8, 8, kGround);
    DrawSkinObject(keyed->Canvas().Handle(), {2, 2, 6, 6}, *strip, false, false, true, 1, 1, {});
    EXPECT_TRUE(PixelsAre(*keyed, 8, 8, [](int x, int y) { return x == 3 && y == 3 ? kDot : kGround; }));

    const auto plain = Solid(8, 8, kGround);
    DrawSkinObject(plain->Canvas().Handle(), {2, 2, 6, 6}, *strip, false, false, false, 1, 1, {});
    EXPECT_TRUE(PixelsAre(*plain, 8, 8, [&](int x, int y) {
        return x == 3 && y == 3 ? kDot : inRect(x, y) ? kKeyPixel : kGround;
    }));

    const auto untouched = Solid(8, 8, kGround);
    DrawSkinObject(untouched->Canvas().Handle(), {6, 2, 2, 6}, *strip, false, false, false, 1, 1, {});
    DrawSkinObject(untouched->Canvas().Handle(), {2, 6, 6, 2}, *strip, false, false, false, 1, 1, {});
    EXPECT_TRUE(PixelsAre(*untouched, 8, 8, [](int, int) { return kGround; }));
}

TEST(TileStrip, FixedSidesAndTiledMiddle) {
    constexpr std::uint32_t kLeft = 0x100000, kMark = 0x200000, kMiddle = 0x300000, kRight = 0x400000;
    // Frame 2 of a vertical two-frame strip: 2 left, 3 middle (first column marked), 2 right.
    const auto strip = Image(7, 8, [](int x, int y) {
        if (y < 4) return kJunk;
        return x < 2 ? kLeft : x == 2 ? kMark : x < 5 ? kMiddle : kRight;
    });
    const auto target = Solid(17, 6, kWhite);
    TileStrip(target->Canvas().Handle(), {1, 1, 16, 5}, *strip, true, false, 2, 2, {2, 0, 2, 0});
    // Middle tiles at 2, 5, 8, 11; the last one's overflow lies under the right part at 13.
    EXPECT_TRUE(PixelsAre(*target, 17, 6, [](int x, int y) {
        if (x < 1 || x >= 16 || y < 1 || y >= 5) return kWhite;
        const int at = x - 1;
        return at < 2 ? kLeft : at >= 13 ? kRight : (at - 2) % 3 == 0 ? kMark : kMiddle;
    }));
}

TEST(TileStrip, FrameWithoutMiddleEnds) {
    constexpr std::uint32_t kLeft = 0x100000, kRight = 0x400000, kGround = 0x00FF00;
    const auto strip = Image(4, 2, [](int x, int) { return x < 2 ? kLeft : kRight; });
    for (const int margin : {2, 3}) {  // middle 0 and -2
        SCOPED_TRACE(margin);
        const auto target = Solid(10, 2, kGround);
        TileStrip(target->Canvas().Handle(), {0, 0, 10, 2}, *strip, false, true, 1, 1, {margin, 0, margin, 0});
        const TDecodedBitmap pixels = GetBitmapPixels(*target);
        EXPECT_EQ(skintest::At(pixels, 0, 0), kLeft);
        EXPECT_EQ(skintest::At(pixels, 9, 1), kRight);
        EXPECT_EQ(skintest::At(pixels, 5, 0), kGround);
    }
}

TEST(CenterFrame, CentredAtItsOwnSizeRoundingTowardZero) {
    constexpr std::uint32_t kFrame = 0x123456, kGround = 0x00FF00;
    const auto strip = Image(8, 2, [](int x, int) { return x < 4 ? kJunk : kFrame; });
    const auto target = Solid(12, 8, kGround);
    CenterFrame(target->Canvas().Handle(), {0, 0, 9, 7}, *strip, false, 2, 2);
    // (9 - 4) / 2 = 2 across, (7 - 2) / 2 = 2 down.
    EXPECT_TRUE(
        PixelsAre(*target, 12, 8, [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 4 ? kFrame : kGround; }));

    // Wider than the rectangle: (5 - 10) / 2 = -2, so it starts at 8, not 7; magenta is keyed.
    const auto wide = Image(10, 1, [](int x, int) { return x == 5 ? kKeyPixel : kFrame; });
    const auto overhang = Solid(20, 1, kGround);
    CenterFrame(overhang->Canvas().Handle(), {10, 0, 15, 1}, *wide, true, 1, 1);
    EXPECT_TRUE(PixelsAre(*overhang, 20, 1, [](int x, int) { return x >= 8 && x < 18 && x != 13 ? kFrame : kGround; }));
}

TEST(ThreeSliceStretch, FixedSlicesOrWholeFrame) {
    constexpr std::uint32_t kA = 0x0A0000, kB = 0x0B0000, kC = 0x0C0000;
    const auto strip = Image(6, 2, [](int x, int) { return x < 2 ? kA : x < 4 ? kB : kC; });

    const auto wide = Solid(12, 4, kWhite);
    ThreeSliceStretch(wide->Canvas().Handle(), {1, 0, 11, 4}, *strip, false, 1, 1, 2, 2);
    EXPECT_TRUE(PixelsAre(*wide, 12, 4, [](int x, int) {
        return x < 1 || x >= 11 ? kWhite : x < 3 ? kA : x < 9 ? kB : kC;
    }));

    // Narrower than the frame: the whole frame squeezed in.
    const auto narrow = Solid(4, 2, kWhite);
    ThreeSliceStretch(narrow->Canvas().Handle(), {0, 0, 4, 2}, *strip, false, 1, 1, 2, 2);
    const TDecodedBitmap pixels = GetBitmapPixels(*narrow);
    EXPECT_EQ(skintest::At(pixels, 0, 0), kA);
    EXPECT_EQ(skintest::At(pixels, 3, 1), kC);
}

TEST(TransparentBlit, KeyLeavesTheDestinationAndOnlyTheBitmapIsDrawn) {
    constexpr std::uint32_t kInk = 0x334455, kGround = 0x00FF00;
    const auto bitmap = Image(3, 3, [](int x, int y) { return x == 1 && y == 1 ? kKeyPixel : kInk; });
    const auto target = Solid(8, 8, kGround);
    TransparentBlit(target->Canvas().Handle(), {2, 2, 7, 7}, *bitmap, kSkinKeyColor);
    TransparentBlit(target->Canvas().Handle(), {5, 5, 4, 4}, *bitmap, kSkinKeyColor);  // inverted
    EXPECT_TRUE(PixelsAre(*target, 8, 8, [](int x, int y) {
        const bool inBitmap = x >= 2 && x < 5 && y >= 2 && y < 5;
        return inBitmap && !(x == 3 && y == 3) ? kInk : kGround;
    }));
}

bool SameArea(HRGN a, HRGN b) {
    TRegionHandle difference(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(difference.get(), a, b, RGN_XOR) == NULLREGION;
}

TEST(RegionFromBitmap, KeyColourWithToleranceIsLeftOut) {
    // Each channel from the key's value up to the value plus the tolerance (1) is keyed:
    // (255, 1, 255) is, (254, 0, 255), (255, 1, 254) and (255, 2, 255) are not.
    const std::uint32_t row[] = {0xFF01FF, 0xFE00FF, 0xFF00FF, 0x102030, 0xFF01FE, 0xFF02FF, 0xFF00FF};
    const auto bitmap = Image(7, 2, [&](int x, int) { return row[x]; });
    const TRegionHandle region = RegionFromBitmap(*bitmap, 10, 20, 1, 1, 1, kSkinKeyColor);
    TRegionHandle expected(CreateRectRgn(11, 20, 12, 22));
    TRegionHandle opaque(CreateRectRgn(13, 20, 16, 22));
    CombineRgn(expected.get(), expected.get(), opaque.get(), RGN_OR);
    EXPECT_TRUE(SameArea(region.get(), expected.get()));

    const auto noKey = Solid(6, 3, 0x102030);
    const TRegionHandle whole = RegionFromBitmap(*noKey, -2, 4, 1, 1, 1, kSkinKeyColor);
    TRegionHandle rect(CreateRectRgn(-2, 4, 4, 7));
    EXPECT_TRUE(SameArea(whole.get(), rect.get()));

    const auto allKey = Solid(6, 3, kKeyPixel);
    RECT box;
    EXPECT_EQ(GetRgnBox(RegionFromBitmap(*allKey, 0, 0, 1, 1, 1, kSkinKeyColor).get(), &box), NULLREGION);
    TBitmap empty;
    EXPECT_EQ(GetRgnBox(RegionFromBitmap(empty, 0, 0, 1, 1, 1, kSkinKeyColor).get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, ManyRunsOverSeveralBatches) {
    // A checkerboard: one rectangle per pixel, 30720 of them.
    const auto checker = Image(1920, 32, [](int x, int y) { return (x + y) % 2 == 0 ? 0x808080u : kKeyPixel; });
    const TRegionHandle region = RegionFromBitmap(*checker, 3, 5, 1, 1, 1, kSkinKeyColor);
    RECT box;
    ASSERT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 1923);
    EXPECT_EQ(box.bottom, 37);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 1920; ++x)
            if ((PtInRegion(region.get(), x + 3, y + 5) != FALSE) != ((x + y) % 2 == 0)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

TEST(PaintParentBackground, ParentPaintsIntoTheControlsAreaOnly) {
    constexpr std::uint32_t kErased = 0x808080, kPainted = 0xFF0000;
    fwtest::TOwned<TWinControl> parent(new TWinControl(nullptr));
    fwtest::TOwned<TWinControl> control(new TWinControl(nullptr));
    control->SetParent(parent.get());
    control->SetBounds(10, 5, 20, 10);
    int paints = 0;
    bool failErase = false;
    TControlHook parentPaint(*parent, [&](TMessage& m, const TControlHook::TNext&) {
        const HDC dc = reinterpret_cast<HDC>(m.WParam);
        if (m.Msg == WM_ERASEBKGND) {
            if (failErase) throw std::runtime_error("cannot erase");
            const RECT all{0, 0, 60, 40};
            TBrushHandle brush(CreateSolidBrush(RGB(0x80, 0x80, 0x80)));
            FillRect(dc, &all, brush.get());
        } else if (m.Msg == WM_PAINT) {
            ++paints;
            const RECT square{15, 8, 17, 10};
            TBrushHandle brush(CreateSolidBrush(RGB(0xFF, 0, 0)));
            FillRect(dc, &square, brush.get());
        }
    });

    const auto target = Solid(40, 30, kWhite);
    const HDC dc = target->Canvas().Handle();
    PaintParentBackground(*control, dc);
    EXPECT_EQ(paints, 1);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip.right, 40);
    // Parent (15, 8) is the control's (5, 3).
    EXPECT_TRUE(PixelsAre(*target, 40, 30, [](int x, int y) {
        if (x >= 20 || y >= 10) return kWhite;
        return x >= 5 && x < 7 && y >= 3 && y < 5 ? kPainted : kErased;
    }));

    failErase = true;
    EXPECT_THROW(PaintParentBackground(*control, Solid(4, 4, kWhite)->Canvas().Handle()), std::runtime_error);
    control->SetState(csDesigning, true);
    EXPECT_NO_THROW(PaintParentBackground(*control, Solid(4, 4, kWhite)->Canvas().Handle()));
    EXPECT_EQ(paints, 1);  // a failed erase skips the paint

    control->SetParent(nullptr);
    const auto alone = Solid(4, 4, kWhite);
    PaintParentBackground(*control, alone->Canvas().Handle());
    EXPECT_EQ(paints, 1);
}

TEST(SkinImage, GdiObjectsComeBackOverRepeatedCalls) {
    const auto strip = NinePartStrip(false);
    const auto target = Solid(40, 40, kWhite);
    const HDC dc = target->Canvas().Handle();
    const auto drawAll = [&] {
        ComposeSkinImage({0, 0, 30, 20}, *strip, {3, 3, 3, 3}, false, true, 2, 2);
        DrawSkinObject(dc, {0, 0, 30, 20}, *strip, false, false, true, 2, 2, {3, 3, 3, 3});
        DrawSkinObject(dc, {0, 0, 30, 20}, *strip, false, true, false, 2, 2, {3, 3, 3, 3});
        TileStrip(dc, {0, 0, 30, 12}, *strip, false, true, 2, 2, {3, 0, 3, 0});
        TileStrip(dc, {0, 0, 30, 12}, *strip, false, false, 1, 1, {12, 0, 12, 0});
        StretchFrame(dc, {0, 0, 9, 9}, *strip, true, 2, 1);
        CenterFrame(dc, {0, 0, 30, 30}, *strip, true, 2, 1);
        ThreeSliceStretch(dc, {0, 0, 30, 12}, *strip, false, 2, 2, 3, 3);
        TransparentBlit(dc, {0, 0, 12, 12}, *strip, kSkinKeyColor);
        RegionFromBitmap(*strip, 0, 0, 1, 1, 1, kSkinKeyColor);
        GradientFill(dc, {0, 0, 30, 30}, 0, true, 0xFFFFFF);
    };
    drawAll();  // the canvases keep their DCs from the first use on
    const int before = fwtest::CountGdiObjects();
    for (int i = 0; i < 25; ++i) drawAll();
    EXPECT_EQ(fwtest::CountGdiObjects(), before);

    const auto rotated = Solid(5, 3, kWhite);
    RotateLeft(*rotated);
    const int beforePixels = fwtest::CountGdiObjects();
    for (int i = 0; i < 25; ++i) {
        RotateLeft(*rotated);
        MirrorBitmap(*rotated);
        ReplaceMagenta(*rotated, 0);
    }
    EXPECT_EQ(fwtest::CountGdiObjects(), beforePixels);
}

}  // namespace
}  // namespace velloran
