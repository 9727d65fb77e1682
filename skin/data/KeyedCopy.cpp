#include "skin/data/KeyedCopy.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace velloran {

namespace {

// The pixels of a 32-bit DIB section selected into a memory DC, rows counted from the top.
struct TPixels {
    std::uint32_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    bool TopDown = false;

    std::uint32_t* Row(int y) const {
        const int stored = TopDown ? y : Height - 1 - y;
        return Bits + static_cast<std::ptrdiff_t>(stored) * Width;
    }
};

std::uint32_t AsPixel(COLORREF colour) { return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour); }

// Whether the rows are stored from the top. Some platforms report every DIB section as stored
// from the bottom, so the top-left pixel is drawn through the DC in a colour of its own, looked
// for in the first and the last stored row, and put back as it was.
bool FindRowOrder(HDC dc, TPixels& pixels) {
    pixels.TopDown = false;
    std::uint32_t* first = pixels.Bits;
    std::uint32_t* last = pixels.Bits + static_cast<std::ptrdiff_t>(pixels.Height - 1) * pixels.Width;
    if (first == last) return true;
    const std::uint32_t firstBefore = *first, lastBefore = *last;
    // Unlike both: a draw the clip refuses changes neither.
    std::uint32_t mark = (lastBefore ^ 0x010101u) & 0xFFFFFFu;
    if (mark == (firstBefore & 0xFFFFFFu)) mark ^= 0x020202u;
    POINT topLeft{0, 0};
    DPtoLP(dc, &topLeft, 1);
    SetPixelV(dc, topLeft.x, topLeft.y, RGB(mark >> 16, (mark >> 8) & 0xFF, mark & 0xFF));
    GdiFlush();
    const bool fromTop = (*first & 0xFFFFFFu) == mark && (*last & 0xFFFFFFu) == (lastBefore & 0xFFFFFFu);
    const bool fromBottom = (*last & 0xFFFFFFu) == mark && !fromTop;
    *first = firstBefore;
    *last = lastBefore;
    pixels.TopDown = fromTop;
    return fromTop || fromBottom;
}

// The DC's pixels when they can be reached directly: a memory DC holding a 32-bit DIB section,
// drawn on without scaling or a world transform.
bool DirectPixels(HDC dc, TPixels& pixels) {
    if (GetObjectType(dc) != OBJ_MEMDC || GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE)
        return false;
    DIBSECTION dib{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof dib, &dib) != sizeof dib) return false;
    if (dib.dsBm.bmBitsPixel != 32 || dib.dsBmih.biCompression != BI_RGB || !dib.dsBm.bmBits) return false;
    pixels.Bits = static_cast<std::uint32_t*>(dib.dsBm.bmBits);
    pixels.Width = dib.dsBm.bmWidth;
    pixels.Height = dib.dsBm.bmHeight;
    GdiFlush();
    return FindRowOrder(dc, pixels);
}

POINT ToDevice(HDC dc, int x, int y) {
    POINT p{x, y};
    LPtoDP(dc, &p, 1);
    return p;
}

// The destination's clip in device units; false when it is not a single rectangle.
bool DeviceClip(HDC dc, const TPixels& pixels, RECT& clip) {
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == NULLREGION) {
        clip = {};
        return true;
    }
    if (kind != SIMPLEREGION) return false;
    const POINT topLeft = ToDevice(dc, box.left, box.top);
    const POINT bottomRight = ToDevice(dc, box.right, box.bottom);
    const RECT device{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    const RECT bitmap{0, 0, pixels.Width, pixels.Height};
    IntersectRect(&clip, &device, &bitmap);
    return true;
}

bool DirectKeyedCopy(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     COLORREF key) {
    TPixels to, from;
    RECT clip{};
    if (!DirectPixels(dest, to) || !DirectPixels(source, from) || !DeviceClip(dest, to, clip)) return false;
    const POINT at = ToDevice(dest, x, y);
    const POINT origin = ToDevice(source, sourceX, sourceY);
    // A block reaching past the source's sides is left to the platform's rules.
    if (origin.x < 0 || origin.y < 0 || origin.x + width > from.Width || origin.y + height > from.Height)
        return false;
    const RECT block{at.x, at.y, at.x + width, at.y + height};
    RECT drawn{};
    if (!IntersectRect(&drawn, &block, &clip)) return true;
    const std::uint32_t keyPixel = AsPixel(key);
    const int dx = origin.x - at.x, dy = origin.y - at.y;
    for (int row = drawn.top; row < drawn.bottom; ++row) {
        const std::uint32_t* in = from.Row(row + dy) + dx;
        std::uint32_t* out = to.Row(row);
        for (int column = drawn.left; column < drawn.right; ++column) {
            const std::uint32_t pixel = in[column] & 0xFFFFFFu;
            if (pixel != keyPixel) out[column] = pixel;
        }
    }
    return true;
}

}  // namespace

void KeyedCopy(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, COLORREF key) {
    if (width <= 0 || height <= 0) return;
    if (DirectKeyedCopy(dest, x, y, width, height, source, sourceX, sourceY, key)) return;
    ::TransparentBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, key);
}

}  // namespace velloran
