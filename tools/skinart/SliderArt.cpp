#include "tools/skinart/SliderArt.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"
#include "tools/skinart/Transform.h"

#include <cstdlib>

namespace velloran::skinart {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr int kThumbFrames = 5;

// An upright thumb pointing down: a body with rounded top corners over a triangle.
Shape PointerDown(int radius) {
    const int tipRows = kThumbWidth / 2 + 1;
    const int bodyBottom = kThumbHeight - tipRows;
    const Shape body = RoundedRect({0, 0, kThumbWidth, bodyBottom}, TopCorners(radius));
    return Union(body, [bodyBottom](int x, int y) {
        const int halfWidth = kThumbWidth / 2 - (y - bodyBottom);
        return y >= bodyBottom && y < kThumbHeight && std::abs(x - kThumbWidth / 2) <= halfWidth;
    });
}

// The shape is turned rather than the finished picture, so that the shading still falls
// from the top whichever way the thumb points.
Shape ThumbShape(int radius, Orientation slider, ThumbPoint point) {
    Shape upright = RoundedRect({0, 0, kThumbWidth, kThumbHeight}, AllCorners(radius));
    if (point == ThumbPoint::TowardEnd) upright = PointerDown(radius);
    if (point == ThumbPoint::TowardStart)
        upright = [down = PointerDown(radius)](int x, int y) { return down(x, kThumbHeight - 1 - y); };
    if (slider == Orientation::Horizontal) return upright;
    return [upright](int x, int y) { return upright(y, x); };
}

ControlLook ThumbLook(const Palette& c, int index) {
    switch (index) {
        case 1:
            return c.normal;
        case 3:
            return c.disabled;
        case 4:
            return {Mix(c.accent, kBlack, 10), Mix(c.accent, kWhite, 35), Mix(c.accent, kWhite, 15), c.onAccent};
        case 5:
            return {Mix(c.accent, kBlack, 30), Mix(c.accent, kBlack, 15), Mix(c.accent, kBlack, 5), c.onAccent};
        default:
            return {Mix(c.accent, kBlack, 20), Mix(c.accent, kWhite, 20), c.accent, c.onAccent};
    }
}

}  // namespace

Image DrawSliderThumb(const SkinStyle& style, Orientation slider, ThumbPoint point) {
    const bool upright = slider == Orientation::Horizontal;
    const Shape shape = ThumbShape(style.controlRadius, slider, point);
    return DrawStrip(upright ? kThumbWidth : kThumbHeight, upright ? kThumbHeight : kThumbWidth, kThumbFrames,
                     Stacking::Across, [&](Canvas& frame, int index) {
                         const ControlLook look = ThumbLook(style.colours, index);
                         FillShape(frame, shape, frame.Bounds(), look.top, look.bottom);
                         if (index != 3) ShineShape(frame, shape, Mix(look.top, kWhite, 35));
                         OutlineShape(frame, shape, look.outline);
                     });
}

Image DrawSliderChannel(const SkinStyle& style, Orientation orientation) {
    const Palette& c = style.colours;
    const Image horizontal = DrawStrip(kChannelLength, kChannelBreadth, 1, Stacking::Across, [&](Canvas& frame, int) {
        Box(frame, frame.Bounds(), AllCorners(kChannelEnd - 1), Mix(c.line, c.face, 35), c.groove, c.groove);
    });
    return orientation == Orientation::Horizontal ? horizontal : Transposed(horizontal);
}

}  // namespace velloran::skinart
