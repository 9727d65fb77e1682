#include "tools/skinart/MenuArt.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Strip.h"

namespace velloran::skinart {

Image DrawMenuItems(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kMenuItemWidth, kMenuItemHeight, 5, Stacking::Across, [&](Canvas& frame, int index) {
        const Rect highlight = frame.Bounds().Inset(2, 1);
        const Corners corners = AllCorners(style.controlRadius);
        switch (index) {
            case 2:
                HLine(frame, kMenuItemSide, kMenuItemWidth - kMenuItemSide, kMenuItemHeight - 5, c.softLine);
                break;
            case 3: {
                const Rgb fill = Mix(c.menu, c.line, 15);
                Box(frame, highlight, corners, fill, fill, fill);
                break;
            }
            case 4:
                Box(frame, highlight, corners, c.accent, c.accent, c.accent);
                break;
            case 5:
                Box(frame, highlight, corners, c.accentSoft, c.accentSoft, c.accentSoft);
                break;
            default:
                break;
        }
    });
}

Image DrawMenuBackground(const SkinStyle& style) {
    const Palette& c = style.colours;
    return DrawStrip(kMenuBackgroundSize, kMenuBackgroundSize, 1, Stacking::Across, [&](Canvas& frame, int) {
        Fill(frame, frame.Bounds(), c.menu);
        FrameRect(frame, frame.Bounds(), Mix(c.line, c.text, 20));
    });
}

}  // namespace velloran::skinart
