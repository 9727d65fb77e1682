#include "tools/skinart/FrameArt.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"
#include "tools/skinart/Transform.h"

namespace velloran::skinart {

namespace {

// The whole outline is drawn on one small window and the strips are cut from it, so the
// rounded corners, which reach from the side strips into the ends of the top or bottom
// strip, meet without a seam.
Image StandInWindow(const FrameShape& f, const CaptionColours& c) {
    const int width = 2 * f.sideWidth + 2 * f.cornerSpan + kFrameMiddle;
    const int height = f.captionHeight + kFrameMiddle + f.bottomHeight;
    Image image(width, height);
    Canvas canvas(image);
    const Shape window = RoundedRect(image.Bounds(), {f.topRadius, f.topRadius, f.bottomRadius, f.bottomRadius});

    FillShape(canvas, window, {0, 0, width, f.captionHeight}, c.top, c.bottom);
    FillShape(canvas, window, {0, f.captionHeight - f.underlineRows, width, f.captionHeight}, c.underline, c.underline);
    FillShape(canvas, window, {0, f.captionHeight, width, height}, c.body, c.body);

    const Rect client{f.sideWidth, f.captionHeight, width - f.sideWidth, height - f.bottomHeight};
    VLine(canvas, client.left - 1, client.top, client.bottom + 1, c.inner);
    VLine(canvas, client.right, client.top, client.bottom + 1, c.inner);
    HLine(canvas, client.left - 1, client.right + 1, client.bottom, c.inner);

    OutlineShape(canvas, window, c.outline);
    ShineShape(canvas, window, c.shine);
    return image;
}

}  // namespace

WindowFrames DrawWindowFrames(const SkinStyle& style) {
    const FrameShape& f = style.frame;
    const Image active = StandInWindow(f, style.colours.active);
    const Image inactive = StandInWindow(f, style.colours.inactive);
    const int width = active.Width();
    const int height = active.Height();

    const auto cut = [&](Rect r, Stacking stacking) {
        return JoinStrip({Cropped(active, r), Cropped(inactive, r)}, stacking);
    };
    return {cut({0, 0, f.sideWidth, height}, Stacking::Across),
            cut({width - f.sideWidth, 0, width, height}, Stacking::Across),
            cut({f.sideWidth, 0, width - f.sideWidth, f.captionHeight}, Stacking::Down),
            cut({f.sideWidth, height - f.bottomHeight, width - f.sideWidth, height}, Stacking::Down)};
}

Image DrawTitleBackdrop(const SkinStyle& style) {
    const int height = style.frame.captionHeight;
    const int pillHeight = height - 10;
    return DrawStrip(2 * kTitleBackdropEnd + kFrameMiddle, height, 2, Stacking::Down, [&](Canvas& frame, int index) {
        const CaptionColours& c = index == 1 ? style.colours.active : style.colours.inactive;
        const Rgb middle = Between(c.top, c.bottom, 1, 2);
        const Rgb white{255, 255, 255};
        const Rgb fill = Mix(middle, white, 9);
        const Rect pill{0, (height - pillHeight) / 2, frame.Width(), (height + pillHeight) / 2};
        Box(frame, pill, AllCorners(kTitleBackdropEnd), Mix(middle, white, 20), fill, fill);
    });
}

Image DrawMenuBand(const SkinStyle& style) {
    const Palette& c = style.colours;
    const int width = 2 * kMenuBandEnd + kFrameMiddle;
    return DrawStrip(width, kMenuBandHeight, 2, Stacking::Down, [&](Canvas& frame, int index) {
        Fill(frame, frame.Bounds(), c.face);
        const Rgb separator = index == 1 ? c.softLine : Mix(c.softLine, c.face, 50);
        HLine(frame, 0, frame.Width(), frame.Height() - 1, separator);
    });
}

}  // namespace velloran::skinart
