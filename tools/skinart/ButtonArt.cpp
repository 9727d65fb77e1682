#include "tools/skinart/ButtonArt.h"

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"

#include <algorithm>
#include <cassert>

namespace velloran::skinart {

namespace {

enum class Mark { Off, On, Mixed };

struct MarkFrame {
    Mark mark;
    State state;
};

MarkFrame FrameOfMark(int index, int frameCount) {
    if (frameCount == 4) {
        constexpr MarkFrame kShort[] = {{Mark::Off, State::Normal},
                                        {Mark::On, State::Normal},
                                        {Mark::Off, State::Disabled},
                                        {Mark::On, State::Disabled}};
        return kShort[index - 1];
    }
    constexpr State kStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};
    return {static_cast<Mark>((index - 1) / 4), kStates[(index - 1) % 4]};
}

// The box of an unmarked control: the field, tinted under the mouse and when pressed.
Rgb BoxFill(const Palette& c, State state) {
    switch (state) {
        case State::Hot:
            return Mix(c.field, c.accentSoft, 50);
        case State::Pressed:
            return c.accentSoft;
        case State::Disabled:
            return c.face;
        case State::Normal:
            break;
    }
    return c.field;
}

// A marked control is filled with the accent.
Rgb MarkedFill(const Palette& c, State state) {
    switch (state) {
        case State::Hot:
            return Mix(c.accent, {255, 255, 255}, 15);
        case State::Pressed:
            return Mix(c.accent, {0, 0, 0}, 15);
        case State::Disabled:
            return Mix(c.face, c.line, 45);
        case State::Normal:
            break;
    }
    return c.accent;
}

void PaintMarkBox(Canvas& frame, const SkinStyle& style, MarkFrame f, bool round) {
    const Palette& c = style.colours;
    const Rect box = frame.Bounds();
    const Shape shape = round ? Ellipse(box) : RoundedRect(box, AllCorners(std::max(style.controlRadius - 1, 0)));
    if (f.mark == Mark::Off) {
        const Rgb fill = BoxFill(c, f.state);
        FillShape(frame, shape, box, fill, fill);
        OutlineShape(frame, shape, LookOf(c, f.state).outline);
        return;
    }
    const Rgb fill = MarkedFill(c, f.state);
    FillShape(frame, shape, box, fill, fill);
    OutlineShape(frame, shape, f.state == State::Disabled ? fill : Mix(fill, {0, 0, 0}, 12));
    const Rgb ink = f.state == State::Disabled ? c.face : c.onAccent;
    if (round) {
        const int dot = box.Width() / 3;
        const Rect centre = box.Inset((box.Width() - dot) / 2);
        const Shape inner = Ellipse(centre);
        FillShape(frame, inner, centre, ink, ink);
    } else {
        BlitCentred(frame, box, MaskImage(f.mark == Mark::On ? glyphs::Tick() : glyphs::Dash(), ink));
    }
}

}  // namespace

Image DrawPushButtons(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kPushButtonWidth, kPushButtonHeight, 5, Stacking::Across, [&](Canvas& frame, int index) {
        const bool focused = index == 5;
        const State state = focused ? State::Normal : kButtonStateFrames[static_cast<size_t>(index - 1)];
        const ControlLook& look = LookOf(c, state);
        const Corners corners = AllCorners(style.controlRadius);
        const Shape shape = RoundedRect(frame.Bounds(), corners);
        FillShape(frame, shape, frame.Bounds(), look.top, look.bottom);
        if (state == State::Normal || state == State::Hot) ShineShape(frame, shape, Mix(look.top, {255, 255, 255}, 70));
        OutlineShape(frame, shape, focused ? c.accent : look.outline);
        if (focused)
            OutlineShape(frame, RoundedRect(frame.Bounds().Inset(1), AllCorners(style.controlRadius - 1)),
                         Mix(c.accent, look.top, 55));
    });
}

Image DrawCheckBoxes(const SkinStyle& style) {
    assert(style.checkFrames == 4 || style.checkFrames == 12);
    const int size = style.checkSize;
    return DrawStrip(size, size, style.checkFrames, Stacking::Across, [&](Canvas& frame, int index) {
        PaintMarkBox(frame, style, FrameOfMark(index, style.checkFrames), false);
    });
}

Image DrawRadioButtons(const SkinStyle& style) {
    assert(style.radioFrames == 4 || style.radioFrames == 8);
    const int size = style.checkSize;
    return DrawStrip(size, size, style.radioFrames, Stacking::Across, [&](Canvas& frame, int index) {
        PaintMarkBox(frame, style, FrameOfMark(index, style.radioFrames), true);
    });
}

}  // namespace velloran::skinart
