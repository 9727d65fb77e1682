// The keyed copy against the platform's TransparentBlt on identical surfaces: the same pixels
// whether it works on the pixels themselves (32-bit DIB sections of either row order, with a
// moved origin or a rectangular clip) or leaves the copy to the platform (other bitmaps, a clip
// of several rectangles, a block reaching past the source's sides).
#include "skin/data/KeyedCopy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/Handles.h"
#include "tests/skin/SkinImageTestSupport.h"

namespace velloran {
namespace {

using skintest::Image;
using skintest::kKeyPixel;
using skintest::TPixelOf;

enum TSurface { sfBottomUp, sfTopDown, sfScreenCompatible, sf24Bit };

constexpr int kDestWidth = 40, kDestHeight = 30;
constexpr int kSourceWidth = 24, kSourceHeight = 20;

std::uint32_t DestPixel(int x, int y) { return 0x102030u + static_cast<std::uint32_t>(x * 0x40 + y * 0x30000); }
// Every fifth pixel along the diagonals is the key.
std::uint32_t SourcePixel(int x, int y) {
    return (x + 2 * y) % 5 == 0 ? kKeyPixel : 0x400000u + static_cast<std::uint32_t>(x * 0x800 + y * 7);
}

HBITMAP NewBitmap(TSurface kind, int width, int height) {
    if (kind == sfScreenCompatible) {
        const TWindowDC screen(nullptr);
        return CreateCompatibleBitmap(screen.get(), width, height);
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, kind == sfTopDown ? -height : height, 1,
                      static_cast<WORD>(kind == sf24Bit ? 24 : 32), BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// A memory DC on a bitmap of the given kind, filled with a picture.
class TSurfaceDC {
public:
    TSurfaceDC(TSurface kind, int width, int height, const TPixelOf& pixel)
        : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)), bitmap_(NewBitmap(kind, width, height)),
          select_(dc_.get(), bitmap_.get()) {
        const auto picture = Image(width, height, pixel);
        BitBlt(dc_.get(), 0, 0, width, height, picture->Canvas().Handle(), 0, 0, SRCCOPY);
    }
    HDC get() const { return dc_.get(); }
    TDecodedBitmap Pixels() const {
        TBitmap copy;
        copy.SetSize(width_, height_);
        BitBlt(copy.Canvas().Handle(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
        return GetBitmapPixels(copy);
    }

private:
    int width_, height_;
    TMemoryDC dc_;
    TBitmapHandle bitmap_;
    TSelectObject select_;
};

struct TCopyCase {
    const char* Name;
    TSurface Dest, Source;
    RECT Block;        // destination x, y, then width, height
    POINT From;        // in the source
    POINT Viewport;    // the destination's origin
    RECT Clip;         // empty: none
    bool SecondClip;   // a second clip rectangle beside the first: a clip of two rectangles
};

const TCopyCase kCases[] = {
    {"inside, both bottom-up", sfBottomUp, sfBottomUp, {5, 4, 20, 16}, {2, 3}, {}, {}, false},
    {"top-down destination", sfTopDown, sfBottomUp, {5, 4, 20, 16}, {2, 3}, {}, {}, false},
    {"top-down source", sfBottomUp, sfTopDown, {5, 4, 20, 16}, {2, 3}, {}, {}, false},
    {"past the destination's sides", sfBottomUp, sfBottomUp, {30, -6, 24, 20}, {0, 0}, {}, {}, false},
    {"moved origin", sfTopDown, sfBottomUp, {5, 4, 20, 16}, {0, 0}, {7, -3}, {}, false},
    {"rectangular clip", sfBottomUp, sfBottomUp, {2, 2, 24, 20}, {0, 0}, {}, {8, 6, 20, 15}, false},
    {"clip of two rectangles", sfBottomUp, sfBottomUp, {2, 2, 24, 20}, {0, 0}, {}, {8, 6, 14, 15}, true},
    {"block past the source's side", sfBottomUp, sfBottomUp, {2, 2, 20, 16}, {10, 8}, {}, {}, false},
    {"screen-compatible destination", sfScreenCompatible, sfBottomUp, {5, 4, 20, 16}, {2, 3}, {}, {}, false},
    {"24-bit destination", sf24Bit, sfBottomUp, {5, 4, 20, 16}, {2, 3}, {}, {}, false},
};

void Prepare(HDC dc, const TCopyCase& c) {
    SetViewportOrgEx(dc, c.Viewport.x, c.Viewport.y, nullptr);
    if (IsRectEmpty(&c.Clip)) return;
    IntersectClipRect(dc, c.Clip.left, c.Clip.top, c.Clip.right, c.Clip.bottom);
    if (!c.SecondClip) return;
    const RECT beside{c.Clip.right + 4, c.Clip.top, c.Clip.right + 10, c.Clip.bottom};
    TRegionHandle both(CreateRectRgn(beside.left, beside.top, beside.right, beside.bottom));
    ExtSelectClipRgn(dc, both.get(), RGN_OR);
}

TEST(KeyedCopy, GivesThePixelsOfThePlatformsTransparentBlt) {
    for (const TCopyCase& c : kCases) {
        SCOPED_TRACE(c.Name);
        const TSurfaceDC source(c.Source, kSourceWidth, kSourceHeight, SourcePixel);
        const TSurfaceDC ours(c.Dest, kDestWidth, kDestHeight, DestPixel);
        const TSurfaceDC platforms(c.Dest, kDestWidth, kDestHeight, DestPixel);
        Prepare(ours.get(), c);
        Prepare(platforms.get(), c);
        const RECT& b = c.Block;
        KeyedCopy(ours.get(), b.left, b.top, b.right, b.bottom, source.get(), c.From.x, c.From.y, kKeyPixel);
        ::TransparentBlt(platforms.get(), b.left, b.top, b.right, b.bottom, source.get(), c.From.x, c.From.y, b.right,
                         b.bottom, kKeyPixel);
        SetViewportOrgEx(ours.get(), 0, 0, nullptr);
        SetViewportOrgEx(platforms.get(), 0, 0, nullptr);
        SelectClipRgn(ours.get(), nullptr);
        SelectClipRgn(platforms.get(), nullptr);
        const TDecodedBitmap got = ours.Pixels(), want = platforms.Pixels();
        EXPECT_EQ(got.Pixels, want.Pixels);
        // The copy drew something and kept something: a case that tests nothing would pass too.
        const TDecodedBitmap before = TSurfaceDC(c.Dest, kDestWidth, kDestHeight, DestPixel).Pixels();
        EXPECT_NE(want.Pixels, before.Pixels);
    }
}

TEST(KeyedCopy, AnEmptyBlockDrawsNothing) {
    const TSurfaceDC source(sfBottomUp, kSourceWidth, kSourceHeight, SourcePixel);
    const TSurfaceDC dest(sfBottomUp, kDestWidth, kDestHeight, DestPixel);
    const TDecodedBitmap before = dest.Pixels();
    KeyedCopy(dest.get(), 0, 0, 0, 10, source.get(), 0, 0, kKeyPixel);
    KeyedCopy(dest.get(), 0, 0, 10, -1, source.get(), 0, 0, kKeyPixel);
    EXPECT_EQ(dest.Pixels().Pixels, before.Pixels);
}

}  // namespace
}  // namespace velloran
