#include "tools/skinart/TabArt.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"

namespace velloran::skinart {

namespace {

enum class TabFrame { InRow = 1, Selected, Hot, Disabled, SelectedDisabled };

constexpr int kAccentRows = 2;

struct TabColours {
    Rgb fill;
    Rgb outline;
};

TabColours ColoursOf(const Palette& c, TabFrame kind) {
    switch (kind) {
        case TabFrame::Selected:
            return {c.face, c.line};  // the page's face, so that the tab runs into it
        case TabFrame::Hot:
            return {Mix(c.face, c.accentSoft, 70), c.line};
        case TabFrame::Disabled:
            return {Mix(c.face, c.softLine, 40), c.softLine};
        case TabFrame::SelectedDisabled:
            return {c.face, c.softLine};
        case TabFrame::InRow:
            break;
    }
    return {Mix(c.face, c.line, 14), c.line};
}

}  // namespace

Image DrawTabs(const SkinStyle& style) {
    const Palette& c = style.colours;
    const Corners corners = TopCorners(style.controlRadius);
    return DrawStrip(kTabWidth, kTabHeight, 5, Stacking::Across, [&](Canvas& frame, int index) {
        const auto kind = static_cast<TabFrame>(index);
        const bool selected = kind == TabFrame::Selected || kind == TabFrame::SelectedDisabled;
        // One row past the bottom keeps the selected tab's bottom edge out of its outline.
        const Rect body = selected ? Rect{0, 0, kTabWidth, kTabHeight + 1} : Rect{0, 2, kTabWidth, kTabHeight};
        const Shape shape = RoundedRect(body, corners);
        const TabColours colours = ColoursOf(c, kind);
        FillShape(frame, shape, body, colours.fill, colours.fill);
        if (kind == TabFrame::Selected) FillShape(frame, shape, {0, 1, kTabWidth, 1 + kAccentRows}, c.accent, c.accent);
        OutlineShape(frame, shape, colours.outline);
    });
}

Image DrawTabPage(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kTabPageSize, kTabPageSize, 1, Stacking::Across, [&](Canvas& frame, int) {
        Fill(frame, frame.Bounds(), c.face);
        FrameRect(frame, frame.Bounds(), c.line);
    });
}

}  // namespace velloran::skinart
