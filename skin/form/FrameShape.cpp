#include "skin/form/FrameShape.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/data/SkinImage.h"
#include "skin/data/SkinObjects.h"

namespace velloran {
namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }
bool HasArea(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

// The frame's mask placed on a side as the nine-grid composition draws the frame. A stretch is
// followed only where it cannot matter which source line the platform picks for a target line
// (equal sizes, or lines that are all alike); anywhere else the fit gives up and the side is drawn.
class TSideFit {
public:
    TSideFit(const TPixelMask& strip, const RECT& frame, TPixelMask& side) : strip_(strip), frame_(frame), side_(side) {}

    // A stretching copy of the frame's part `from` to `to` of the side.
    bool Copy(const RECT& to, const RECT& from) {
        if (!HasArea(to) || !HasArea(from)) return true;
        RECT source = from;
        OffsetRect(&source, frame_.left, frame_.top);
        if (!InsideStrip(source)) return false;
        const bool stretchX = Width(to) != Width(source), stretchY = Height(to) != Height(source);
        if ((stretchX && !ColumnsAlike(source)) || (stretchY && !RowsAlike(source))) return false;
        for (int y = std::max<int>(to.top, 0); y < std::min<int>(to.bottom, side_.Height); ++y) {
            const std::uint8_t* in = strip_.Row(stretchY ? source.top : source.top + y - to.top);
            std::uint8_t* out = side_.Row(y);
            for (int x = std::max<int>(to.left, 0); x < std::min<int>(to.right, side_.Width); ++x)
                out[x] = in[stretchX ? source.left : source.left + x - to.left];
        }
        return true;
    }

    // Whole copies of the part from the target's top-left corner on, the last ones running past
    // its right and bottom sides.
    bool Tile(const RECT& to, const RECT& from) {
        const int w = Width(from), h = Height(from);
        if (w <= 0 || h <= 0) return true;
        RECT source = from;
        OffsetRect(&source, frame_.left, frame_.top);
        if (!InsideStrip(source)) return false;
        for (int x = to.left; x < to.right; x += w)
            for (int y = to.top; y < to.bottom; y += h) Copy({x, y, x + w, y + h}, from);
        return true;
    }

private:
    bool InsideStrip(const RECT& source) const {
        return source.left >= 0 && source.top >= 0 && source.right <= strip_.Width && source.bottom <= strip_.Height;
    }
    bool ColumnsAlike(const RECT& source) const {
        for (int y = source.top; y < source.bottom; ++y) {
            const std::uint8_t* row = strip_.Row(y);
            if (std::any_of(row + source.left, row + source.right,
                            [first = row[source.left]](std::uint8_t in) { return in != first; }))
                return false;
        }
        return true;
    }
    bool RowsAlike(const RECT& source) const {
        const std::uint8_t* first = strip_.Row(source.top) + source.left;
        for (int y = source.top + 1; y < source.bottom; ++y)
            if (std::memcmp(strip_.Row(y) + source.left, first, static_cast<std::size_t>(Width(source))) != 0)
                return false;
        return true;
    }

    const TPixelMask& strip_;
    RECT frame_;
    TPixelMask& side_;
};

// The side's mask as the frame image drawn at the side's size; false when it must be drawn to
// be known. Mirrors the order of ComposeSkinImage: the tiled centre runs past its sides, and the
// parts drawn after it cover that.
bool FitSide(const TPixelMask& strip, const TDataSkinBorder& frame, const TFrameSide& side, TPixelMask& out) {
    const int dw = Width(side.Rect), dh = Height(side.Rect);
    out.Reset(dw, dh, 1);  // what no part covers stays as the blank image: opaque
    if (frame.Frame <= 0 || frame.Bitmap->Empty()) return true;
    const TSkinMargins margins = frame.Margins();
    int l = std::max(margins.Left, 0), t = std::max(margins.Top, 0);
    int r = std::max(margins.Right, 0), b = std::max(margins.Bottom, 0);
    if (dw < l + r) l = r = 0;
    if (dh < t + b) t = b = 0;
    const RECT frameRect = StripFrame(*frame.Bitmap, side.Stacked, frame.Frame, side.FrameIndex);
    const int fw = Width(frameRect), fh = Height(frameRect);

    TSideFit fit(strip, frameRect, out);
    bool ok = true;
    if (l * t > 0) ok = ok && fit.Copy({0, 0, l, t}, {0, 0, l, t});
    if (l * b > 0) ok = ok && fit.Copy({0, dh - b, l, dh}, {0, fh - b, l, fh});
    if (r * t > 0) ok = ok && fit.Copy({dw - r, 0, dw, t}, {fw - r, 0, fw, t});
    if (l > 0) ok = ok && fit.Copy({0, t, l, dh - b}, {0, t, l, fh - b});
    if (t > 0) ok = ok && fit.Copy({l, 0, dw - r, t}, {l, 0, fw - r, t});
    const RECT centre{l, t, dw - r, dh - b}, centreSource{l, t, fw - r, fh - b};
    ok = ok && (frame.Tile != 1 ? fit.Tile(centre, centreSource) : fit.Copy(centre, centreSource));
    if (r * b > 0) ok = ok && fit.Copy({dw - r, dh - b, dw, dh}, {fw - r, fh - b, fw, fh});
    if (r > 0) ok = ok && fit.Copy({dw - r, t, dw, dh - b}, {fw - r, t, fw, fh - b});
    if (b > 0) ok = ok && fit.Copy({l, dh - b, dw - r, dh}, {l, fh - b, fw - r, fh});
    return ok;
}

}  // namespace

TRegionHandle TFrameShape::Region(const RECT& client, const std::array<TFrameSide, 4>& sides,
                                  const TRenderSide& render) {
    std::vector<TPlacedMask> pieces{{client, nullptr}};
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const TFrameSide& side = sides[i];
        if (!side.Frame || !HasArea(side.Rect)) {
            pieces.push_back({side.Rect, nullptr});
            continue;
        }
        const int index = static_cast<int>(i);
        if (!FitSide(StripMask(index, *side.Frame->Bitmap), *side.Frame, side, sides_[i])) sides_[i] = render(index);
        pieces.push_back({side.Rect, &sides_[i]});
    }
    return RegionFromPieces(pieces);
}

void TFrameShape::Drop() { strips_ = {}; }

const TPixelMask& TFrameShape::StripMask(int index, const TBitmap& strip) {
    TStripMask& cached = strips_[static_cast<std::size_t>(index)];
    if (strip.Empty()) {
        cached = {};
        return cached.Mask;
    }
    if (cached.Strip != strip.Identity()) {
        cached.Mask = OpaquePixels(strip);
        cached.Strip = strip.Identity();
    }
    return cached.Mask;
}

}  // namespace velloran
