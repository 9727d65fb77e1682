#include "tools/skinart/FieldArt.h"

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"
#include "tools/skinart/Transform.h"

#include <algorithm>

namespace velloran::skinart {

namespace {

State StateOfFrame(int index) { return kButtonStateFrames[static_cast<size_t>((index - 1) % 4)]; }

// Spin buttons are drawn upright; the horizontal ones are the same frames turned.
Image Upright(Image vertical, Orientation orientation, int frames) {
    return orientation == Orientation::Vertical ? vertical : MapFrames(vertical, frames, Transposed);
}

}  // namespace

Image DrawSunkenEdge(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kSunkenEdgeWidth, kFieldHeight, 4, Stacking::Across, [&](Canvas& frame, int index) {
        const State state = StateOfFrame(index);
        const Rgb field = state == State::Disabled ? c.face : c.field;
        Box(frame, frame.Bounds(), AllCorners(std::min(style.controlRadius, kFieldMargin)), LookOf(c, state).outline,
            field, field);
    });
}

Image DrawComboButton(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kComboButtonWidth, kFieldHeight, 4, Stacking::Across, [&](Canvas& frame, int index) {
        const ControlLook& look = LookOf(c, StateOfFrame(index));
        const Rect face = frame.Bounds().Inset(1);
        VerticalGradient(frame, face, look.top, look.bottom);
        VLine(frame, face.left, face.top, face.bottom, c.softLine);
    });
}

Image DrawExtraImages(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kExtraImageSize, kExtraImageSize, 5, Stacking::Across, [&](Canvas& frame, int index) {
        if (index == 5)
            BlitCentred(frame, frame.Bounds(), MaskImage(glyphs::SizeGrip(), c.line));
        else
            BlitCentred(frame, frame.Bounds(), MaskImage(glyphs::ChevronDown(), LookOf(c, StateOfFrame(index)).ink));
    });
}

Image DrawUpDown(const SkinStyle& style, Orientation orientation) {
    const Palette& c = style.colours;
    const Image vertical = DrawStrip(kUpDownLength, kUpDownBreadth, 8, Stacking::Across, [&](Canvas& frame, int index) {
        const ControlLook& look = LookOf(c, StateOfFrame(index));
        const int radius = style.controlRadius;
        Box(frame, frame.Bounds(), index <= 4 ? TopCorners(radius) : BottomCorners(radius), look.outline, look.top,
            look.bottom);
    });
    return Upright(vertical, orientation, 8);
}

Image DrawUpDownGlyphs(const SkinStyle& style, Orientation orientation) {
    const Palette& c = style.colours;
    const PixelMask& arrow = glyphs::ArrowUp();
    const Image vertical = DrawStrip(arrow.Width(), arrow.Height(), 8, Stacking::Across, [&](Canvas& frame, int index) {
        const Image up = MaskImage(arrow, LookOf(c, StateOfFrame(index)).ink);
        Blit(frame, 0, 0, index <= 4 ? up : FlippedVertically(up));
    });
    return Upright(vertical, orientation, 8);
}

}  // namespace velloran::skinart
