#include "tools/skinart/ScrollArt.h"

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"
#include "tools/skinart/Transform.h"

#include <array>

namespace velloran::skinart {

namespace {

enum class Direction { Left, Right, Up, Down };

Image Arrow(Direction direction, Rgb ink) {
    const Image up = MaskImage(glyphs::ArrowUp(), ink);
    switch (direction) {
        case Direction::Left:
            return Transposed(up);
        case Direction::Right:
            return FlippedHorizontally(Transposed(up));
        case Direction::Down:
            return FlippedVertically(up);
        case Direction::Up:
            break;
    }
    return up;
}

void PaintArrowButton(Canvas& frame, const SkinStyle& style, Direction direction, State state) {
    const Palette& c = style.colours;
    Fill(frame, frame.Bounds(), c.groove);
    const Rect button = frame.Bounds().Inset(1);
    Rgb ink = Mix(c.line, c.text, 40);
    if (state == State::Hot) {
        Box(frame, button, AllCorners(style.controlRadius), c.thumb, c.thumb, c.thumb);
        ink = c.text;
    } else if (state == State::Pressed) {
        Box(frame, button, AllCorners(style.controlRadius), c.accent, c.accent, c.accent);
        ink = c.onAccent;
    } else if (state == State::Disabled) {
        ink = c.softLine;
    }
    BlitCentred(frame, frame.Bounds(), Arrow(direction, ink));
}

// Three short lines across a horizontal thumb.
Image HorizontalGrip(Rgb ink) {
    Image grip(kScrollSize, kScrollSize);
    Canvas canvas(grip);
    for (int x = 6; x <= 10; x += 2) VLine(canvas, x, 5, 11, ink);
    return grip;
}

// Normal, pressed, hot: the thumb's colour and the grip drawn on it.
std::array<Rgb, kScrollThumbFrames> ThumbColours(const Palette& c) { return {c.thumb, c.accent, c.thumbHot}; }

}  // namespace

Image DrawScrollGlyphs(const SkinStyle& style) {
    const Palette& c = style.colours;
    const std::array<Rgb, kScrollThumbFrames> thumbs = ThumbColours(c);
    return DrawStrip(kScrollSize, kScrollSize, kScrollGlyphFrames, Stacking::Across, [&](Canvas& frame, int index) {
        if (index <= 16) {
            const State state = kButtonStateFrames[static_cast<size_t>((index - 1) % 4)];
            PaintArrowButton(frame, style, static_cast<Direction>((index - 1) / 4), state);
        } else if (index <= 22) {
            const Rgb ink = Mix(thumbs[static_cast<size_t>((index - 17) % 3)], {255, 255, 255}, 50);
            const Image grip = HorizontalGrip(ink);
            Blit(frame, 0, 0, index <= 19 ? grip : Transposed(grip));
        } else {
            BlitCentred(frame, frame.Bounds(), MaskImage(glyphs::SizeGrip(), c.line));
        }
    });
}

Image DrawScrollTrack(const SkinStyle& style, Orientation orientation) {
    const Palette& c = style.colours;
    const std::array<Rgb, 4> fills{c.groove, Mix(c.groove, c.thumb, 15), c.face, Mix(c.groove, c.thumb, 30)};
    const Image horizontal = DrawStrip(
        kScrollTrackLength, kScrollSize, 4, Stacking::Across,
        [&](Canvas& frame, int index) { Fill(frame, frame.Bounds(), fills[static_cast<size_t>(index - 1)]); });
    return orientation == Orientation::Horizontal ? horizontal : MapFrames(horizontal, 4, Transposed);
}

Image DrawScrollThumb(const SkinStyle& style, Orientation orientation) {
    const std::array<Rgb, kScrollThumbFrames> thumbs = ThumbColours(style.colours);
    const Image horizontal =
        DrawStrip(kScrollSize, kScrollSize, kScrollThumbFrames, Stacking::Across, [&](Canvas& frame, int index) {
            const Rgb fill = thumbs[static_cast<size_t>(index - 1)];
            const Rect pill{1, 4, kScrollSize - 1, kScrollSize - 4};
            Box(frame, pill, AllCorners(style.controlRadius + 1), fill, fill, fill);
        });
    return orientation == Orientation::Horizontal ? horizontal : MapFrames(horizontal, kScrollThumbFrames, Transposed);
}

}  // namespace velloran::skinart
