#pragma once

// The image primitives every painter of the skin engine goes through. A skin image is a strip:
// one bitmap holding `frameCount` equal frames side by side (horizontal strip) or stacked
// (vertical strip), frame numbers starting at 1. The primitives cut one frame out and fit it
// to a target rectangle: nine-grid (fixed corners, stretched edges, stretched or tiled centre),
// three parts, plain stretching or centring; drawn plainly or with magenta as the key colour,
// or turned into a window region.
//
// Common rules:
// - A frame count of 0 or less counts as 1 (the whole bitmap is the one frame); a frame number
//   outside 1..frameCount is taken as the nearest frame that exists.
// - Nothing is drawn from an empty strip.
// - A part whose source or destination is empty or inverted (a frame narrower than its fixed
//   margins, a target narrower than its fixed slices) is left out rather than drawn mirrored.
// - Copies stretch with COLORONCOLOR.

#include <windows.h>

#include <memory>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

namespace velloran {

// The key colour of every skin image, as a COLORREF.
inline constexpr COLORREF kSkinKeyColor = RGB(255, 0, 255);

// The widths that stay unscaled at a frame's sides (a skin object's LeftWidth, TopHeight,
// RightWidth and BottomHeight).
struct TSkinMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TSkinMargins&) const = default;
};

// Where frame `frame` of the strip lies in its bitmap.
RECT StripFrame(const TBitmap& strip, bool vertical, int frameCount, int frame);

// A new bitmap of the target's size holding the frame fitted by the nine-grid rule; the
// centre is tiled when `tile` is set, else stretched. A target narrower than the left and
// right margins together loses both (likewise for the height). Empty for an empty target.
std::unique_ptr<TBitmap> ComposeSkinImage(const RECT& target, TBitmap& strip, const TSkinMargins& margins,
                                          bool vertical, bool tile, int frameCount, int frame);

// Tiles the source part over the target rectangle from its top-left corner. The last tiles of
// a row or column are drawn whole and may run past the rectangle's right and bottom sides.
void TileBitmap(HDC dc, const RECT& target, TBitmap& source, const RECT& sourceRect);

// ComposeSkinImage drawn at the rectangle, keyed when `transparent` is set.
void DrawSkinObject(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, bool tile, bool transparent,
                    int frameCount, int frame, const TSkinMargins& margins);

// Three parts: the margins' left and right widths of the frame fixed (stretched to the
// height) and the rest tiled between them. A frame no wider than its two fixed parts has no
// middle to tile: the middle is then filled with the key colour.
void TileStrip(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, bool transparent, int frameCount, int frame,
               const TSkinMargins& margins);

// Frame `frame` of a horizontal strip, a rectangle of the strip: frames are width div frameCount
// wide, so the columns a width not divisible by the count leaves at the right belong to none.
RECT StripFrame(const TBitmap& strip, bool vertical, int frameCount, int frame);

// Frame `frame` of a horizontal strip stretched into a new bitmap of the rectangle's size; empty
// for an inverted rectangle or an empty strip.
std::unique_ptr<TBitmap> StretchedFrame(const RECT& rect, TBitmap& strip, int frameCount, int frame);

// Frame `frame` of a horizontal strip stretched to the rectangle.
void StretchFrame(HDC dc, const RECT& rect, TBitmap& strip, bool transparent, int frameCount, int frame);

// Frame `frame` of a horizontal strip at its own size, centred in the rectangle (offsets
// rounded toward zero, so a frame larger than the rectangle overhangs it on both sides).
void CenterFrame(HDC dc, const RECT& rect, TBitmap& strip, bool transparent, int frameCount, int frame);

// The frame's `leftSlice` and `rightSlice` wide sides kept at their width, the middle stretched,
// all stretched to the height. A frame wider than the rectangle is stretched whole.
void ThreeSliceStretch(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, int frameCount, int frame,
                       int leftSlice, int rightSlice);

// The bitmap from its top-left corner into the rectangle (no stretching), leaving the
// destination wherever the bitmap has the key colour.
void TransparentBlit(HDC dc, const RECT& rect, TBitmap& bitmap, COLORREF key);

// Lets the control's parent paint its background and contents into the DC (whose origin is the
// control's top-left), clipped to the control's client area. Nothing for a control without a
// parent.
void PaintParentBackground(TControl& control, HDC dc);

// The region of the pixels that are not of the key colour, moved by (dx, dy). A pixel counts as
// the key colour when each channel lies from the key's value to that value plus the tolerance
// (at most 255). Empty region for a bitmap without other pixels.
TRegionHandle RegionFromBitmap(const TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, COLORREF key);

}  // namespace velloran
