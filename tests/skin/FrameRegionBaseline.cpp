#include "tests/skin/FrameRegionBaseline.h"

#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace velloran::skintest {
namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

TRegionHandle RectRegion(const RECT& rect) {
    if (rect.right < rect.left || rect.bottom < rect.top) return TRegionHandle(CreateRectRgn(0, 0, 0, 0));
    return TRegionHandle(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom));
}

TRegionHandle SideRegion(TWinSkinForm& form, int part, const RECT& side, bool shaped) {
    if (!shaped || Width(side) <= 0 || Height(side) <= 0) return RectRegion(side);
    TBitmap image;
    image.SetSize(Width(side), Height(side));
    form.PaintBorder(part, {0, 0, Width(side), Height(side)}, image.Canvas().Handle());
    return RegionFromBitmap(image, side.left, side.top, 1, 1, 1, kSkinKeyColor);
}

}  // namespace

TRegionHandle TracedFrameRegion(TWinSkinForm& form, int w, int h) {
    const TSkinData& data = *form.SkinData;
    const bool shaped = data.FrameLeft.Trans != 0 || data.FrameRight.Trans != 0 || data.FrameTop.Trans != 0 ||
                        data.FrameBottom.Trans != 0;
    if (!shaped) return RectRegion({0, 0, w, h});
    const int l = form.BorderLeft, t = form.BorderTop, r = form.BorderRight, b = form.BorderBottom;
    TRegionHandle region = RectRegion({l, t, w - r, h - b});
    if (form.BorderKind == bkNone) return region;

    TRegionHandle left = SideRegion(form, 1, {0, 0, l, h}, data.FrameLeft.Trans == 1 && h > 1);
    const TRegionHandle right = SideRegion(form, 2, {w - r, 0, w, h}, data.FrameRight.Trans == 1 && h > 1);
    const TRegionHandle bottom = SideRegion(form, 4, {l, h - b, w - r, h}, data.FrameBottom.Trans == 1 && b >= 2);
    TRegionHandle top = SideRegion(form, 3, {l, 0, w - r, t}, data.FrameTop.Trans == 1 && t > 1 && w - l - r > 0);
    CombineRgn(left.get(), left.get(), right.get(), RGN_OR);
    CombineRgn(top.get(), top.get(), bottom.get(), RGN_OR);
    CombineRgn(top.get(), top.get(), left.get(), RGN_OR);
    CombineRgn(region.get(), region.get(), top.get(), RGN_OR);
    return region;
}

}  // namespace velloran::skintest
