#include "tools/skinart/PanelArt.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"

namespace velloran::skinart {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

void PaintSeparator(Canvas& frame, Rgb colour) { VLine(frame, frame.Width() - 1, 3, frame.Height() - 3, colour); }

}  // namespace

Image DrawProgress(const SkinStyle& style) {
    const Palette& c = style.colours;
    const int frames = style.tiledProgress ? 1 : 2;
    return DrawStrip(kProgressWidth, kProgressHeight, frames, Stacking::Across, [&](Canvas& frame, int index) {
        const Corners corners = AllCorners(style.controlRadius);
        if (index == 1)
            Box(frame, frame.Bounds(), corners, c.softLine, c.groove, c.groove);
        else
            Box(frame, frame.Bounds(), corners, Mix(c.accent, kBlack, 15), Mix(c.accent, kWhite, 22), c.accent);
    });
}

Image DrawProgressChunk(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kChunkWidth, kChunkHeight, 1, Stacking::Across, [&](Canvas& frame, int) {
        VerticalGradient(frame, {0, 0, kChunkWidth - 2, kChunkHeight}, Mix(c.accent, kWhite, 22), c.accent);
        Fill(frame, {kChunkWidth - 2, 0, kChunkWidth, kChunkHeight}, c.groove);
    });
}

Image DrawStatusPanels(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kPanelSize, kPanelSize, 3, Stacking::Across, [&](Canvas& frame, int index) {
        Fill(frame, frame.Bounds(), c.face);
        HLine(frame, 0, frame.Width(), 0, c.softLine);
        if (index == 2) HLine(frame, 0, frame.Width(), 1, Mix(c.face, kWhite, 60));
        if (index != 3) PaintSeparator(frame, c.softLine);
    });
}

Image DrawHeaderItems(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kHeaderWidth, kHeaderHeight, 5, Stacking::Across, [&](Canvas& frame, int index) {
        const Rect all = frame.Bounds();
        switch (index) {
            case 2:
                VerticalGradient(frame, all, c.hot.top, c.hot.bottom);
                break;
            case 3:
                VerticalGradient(frame, all, c.pressed.top, c.pressed.bottom);
                break;
            case 4:
                Fill(frame, all, c.face);
                break;
            default:
                VerticalGradient(frame, all, c.field, Mix(c.field, c.face, 60));
                break;
        }
        PaintSeparator(frame, c.softLine);
        HLine(frame, 0, frame.Width(), frame.Height() - 1, c.softLine);
        if (index == 5) HLine(frame, 0, frame.Width(), frame.Height() - 2, c.accent);
    });
}

Image DrawToolButtons(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kToolButtonSize, kToolButtonSize, 5, Stacking::Across, [&](Canvas& frame, int index) {
        const Corners corners = AllCorners(style.controlRadius);
        if (index == 2)
            Box(frame, frame.Bounds(), corners, c.pressed.outline, c.pressed.top, c.pressed.bottom);
        else if (index == 4)
            Box(frame, frame.Bounds(), corners, c.hot.outline, c.hot.top, c.hot.bottom);
        else if (index == 5)
            Box(frame, frame.Bounds(), corners, c.accent, c.accentSoft, c.accentSoft);
    });
}

Image DrawGroupLabel(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kGroupLabelSize, kGroupLabelSize, 1, Stacking::Across, [&](Canvas& frame, int) {
        Box(frame, frame.Bounds(), AllCorners(style.controlRadius), c.softLine, c.face, c.face);
    });
}

Image DrawGroupEdge(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kPanelSize, kPanelSize, 2, Stacking::Across, [&](Canvas& frame, int index) {
        OutlineShape(frame, RoundedRect(frame.Bounds(), AllCorners(style.controlRadius)),
                     index == 1 ? c.line : c.softLine);
    });
}

}  // namespace velloran::skinart
