#include "tools/skinart/CaptionButtonArt.h"

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"

#include <array>

namespace velloran::skinart {

namespace {

enum class CaptionState { Normal = 1, Pressed, Hot, Dim };

void PaintGlyphOnFill(Canvas& frame, int radius, const PixelMask& glyph, Rgb fill, Rgb ink) {
    Box(frame, frame.Bounds(), AllCorners(radius), fill, fill, fill);
    BlitCentred(frame, frame.Bounds(), MaskImage(glyph, ink));
}

}  // namespace

Image DrawCaptionButton(const SkinStyle& style, const PixelMask& glyph, bool isClose) {
    const CaptionButtonColours& c = style.colours.captionButtons;
    return DrawStrip(
        kCaptionButtonSize, kCaptionButtonSize, style.captionButtonFrames, Stacking::Across,
        [&](Canvas& frame, int index) {
            switch (static_cast<CaptionState>(index)) {
                case CaptionState::Normal:
                    BlitCentred(frame, frame.Bounds(), MaskImage(glyph, c.glyph));
                    break;
                case CaptionState::Pressed:
                    PaintGlyphOnFill(frame, style.controlRadius, glyph, isClose ? c.closePressedFill : c.pressedFill,
                                     isClose ? c.glyph : c.pressedGlyph);
                    break;
                case CaptionState::Hot:
                    PaintGlyphOnFill(frame, style.controlRadius, glyph, isClose ? c.closeHotFill : c.hotFill, c.glyph);
                    break;
                case CaptionState::Dim:
                    BlitCentred(frame, frame.Bounds(), MaskImage(glyph, c.dimGlyph));
                    break;
            }
        });
}

Image DrawMdiButtons(const SkinStyle& style) {
    const std::array<const PixelMask*, 3> marks{&glyphs::Minimize(), &glyphs::Restore(), &glyphs::Close()};
    const std::array<State, 4> states{State::Normal, State::Pressed, State::Hot, State::Hot};
    return DrawStrip(kMdiCellSize, kMdiCellSize, 12, Stacking::Across, [&](Canvas& frame, int index) {
        const PixelMask& glyph = *marks[static_cast<size_t>((index - 1) / 4)];
        const State state = states[static_cast<size_t>((index - 1) % 4)];
        const ControlLook& look = LookOf(style.colours, state);
        if (state != State::Normal)
            Box(frame, frame.Bounds(), AllCorners(style.controlRadius), look.outline, look.top, look.bottom);
        BlitCentred(frame, frame.Bounds(), MaskImage(glyph, look.ink));
    });
}

}  // namespace velloran::skinart
