#include "skin/form/MaskRegion.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "framework/Graphics.h"
#include "skin/data/ImgUtil.h"

namespace velloran {
namespace {

bool HasArea(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }
bool CoversRow(const RECT& rect, int y) { return y >= rect.top && y < rect.bottom; }

using TRuns = std::vector<std::pair<int, int>>;  // [left, right) of each run of a row, left to right

// A row is made again only where some piece changes under it; a window's long sides repeat one
// row over most of their height.
bool SameAsRowAbove(const std::vector<const TPlacedMask*>& pieces, int y) {
    for (const TPlacedMask* piece : pieces) {
        const RECT& rect = piece->Rect;
        const bool here = CoversRow(rect, y);
        if (here != CoversRow(rect, y - 1)) return false;
        if (here && piece->Mask &&
            std::memcmp(piece->Mask->Row(y - rect.top), piece->Mask->Row(y - 1 - rect.top),
                        static_cast<std::size_t>(piece->Mask->Width)) != 0)
            return false;
    }
    return true;
}

void RowRuns(const std::vector<std::uint8_t>& row, int left, TRuns& runs) {
    runs.clear();
    const int width = static_cast<int>(row.size());
    for (int x = 0; x < width;) {
        while (x < width && !row[static_cast<std::size_t>(x)]) ++x;
        const int start = x;
        while (x < width && row[static_cast<std::size_t>(x)]) ++x;
        if (x > start) runs.emplace_back(start + left, x + left);
    }
}

TRegionHandle RegionFromRects(const std::vector<RECT>& rects) {
    if (rects.empty()) {
        TRegionHandle empty(CreateRectRgn(0, 0, 0, 0));
        if (!empty) throw EGraphicsError("Cannot create a region");
        return empty;
    }
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const RECT& rect : rects) {
        bounds.left = std::min(bounds.left, rect.left);
        bounds.top = std::min(bounds.top, rect.top);
        bounds.right = std::max(bounds.right, rect.right);
        bounds.bottom = std::max(bounds.bottom, rect.bottom);
    }
    const DWORD rectBytes = static_cast<DWORD>(rects.size() * sizeof(RECT));
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rectBytes);
    const RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), rectBytes,
                               bounds};
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + sizeof header, rects.data(), rectBytes);
    TRegionHandle region(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
    if (!region) throw EGraphicsError("Cannot create a region");
    return region;
}

}  // namespace

void TPixelMask::Reset(int width, int height, std::uint8_t value) {
    Width = std::max(width, 0);
    Height = std::max(height, 0);
    In.assign(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), value);
}

TPixelMask OpaquePixels(const TBitmap& image) {
    const TDecodedBitmap pixels = GetBitmapPixels(image);
    TPixelMask mask;
    mask.Width = pixels.Width;
    mask.Height = pixels.Height;
    mask.In.resize(pixels.Pixels.size());
    // 0x00RRGGBB: red and blue exactly 255, green 0 or 1.
    std::transform(pixels.Pixels.begin(), pixels.Pixels.end(), mask.In.begin(),
                   [](std::uint32_t pixel) { return static_cast<std::uint8_t>((pixel & 0xFFFEFF) != 0xFF00FF); });
    return mask;
}

TRegionHandle RegionFromPieces(const std::vector<TPlacedMask>& pieces) {
    std::vector<const TPlacedMask*> live;
    RECT all{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const TPlacedMask& piece : pieces) {
        if (!HasArea(piece.Rect)) continue;
        live.push_back(&piece);
        all.left = std::min(all.left, piece.Rect.left);
        all.top = std::min(all.top, piece.Rect.top);
        all.right = std::max(all.right, piece.Rect.right);
        all.bottom = std::max(all.bottom, piece.Rect.bottom);
    }
    std::vector<RECT> rects;
    if (live.empty()) return RegionFromRects(rects);

    std::vector<std::uint8_t> row(static_cast<std::size_t>(all.right - all.left));
    TRuns band, runs;
    int bandTop = all.top;
    const auto closeBand = [&](int bottom) {
        for (const auto& [left, right] : band) rects.push_back({left, bandTop, right, bottom});
    };
    for (int y = all.top; y < all.bottom; ++y) {
        if (y > all.top && SameAsRowAbove(live, y)) continue;
        std::fill(row.begin(), row.end(), std::uint8_t{0});
        for (const TPlacedMask* piece : live) {
            const RECT& rect = piece->Rect;
            if (!CoversRow(rect, y)) continue;
            std::uint8_t* out = row.data() + (rect.left - all.left);
            const int width = rect.right - rect.left;
            if (!piece->Mask) {
                std::fill(out, out + width, std::uint8_t{1});
                continue;
            }
            const std::uint8_t* in = piece->Mask->Row(y - rect.top);
            for (int x = 0; x < width; ++x) out[x] |= in[x];
        }
        RowRuns(row, all.left, runs);
        if (y > all.top && runs == band) continue;
        closeBand(y);
        std::swap(band, runs);
        bandTop = y;
    }
    closeBand(all.bottom);
    return RegionFromRects(rects);
}

}  // namespace velloran
