#include "tools/skinart/SkinStyle.h"

namespace velloran::skinart {

// Calm slate caption, light neutral face, one blue accent.
SkinStyle DefaultStyle() {
    Palette c{};
    c.face = {238, 241, 245};
    c.field = {255, 255, 255};
    c.text = {31, 41, 55};
    c.mutedText = {150, 159, 171};
    c.line = {163, 174, 189};
    c.softLine = {212, 218, 226};
    c.accent = {46, 116, 204};
    c.onAccent = {255, 255, 255};
    c.accentSoft = {214, 230, 248};
    c.groove = {228, 232, 238};
    c.thumb = {178, 188, 201};
    c.thumbHot = {140, 152, 168};
    c.menu = {251, 252, 253};

    c.normal = {c.line, {255, 255, 255}, {231, 235, 240}, c.text};
    c.hot = {{106, 152, 214}, {246, 250, 255}, {222, 234, 249}, c.text};
    c.pressed = {c.accent, {188, 207, 233}, {207, 221, 241}, c.text};
    c.disabled = {c.softLine, {243, 245, 248}, {243, 245, 248}, c.mutedText};

    c.active = {{54, 77, 107}, {41, 60, 85}, {23, 33, 47}, {88, 112, 143}, {41, 60, 85}, {31, 46, 66}, {31, 46, 66}};
    c.inactive = {{200, 207, 216}, {189, 197, 207}, {140, 150, 164}, {216, 222, 229},
                  {189, 197, 207}, {170, 179, 191}, {170, 179, 191}};
    c.captionButtons = {{236, 241, 247}, {124, 139, 158}, {84, 104, 131}, {27, 40, 57},
                        {236, 241, 247}, {214, 69, 58},   {172, 50, 42}};

    return {.name = "Default",
            .colours = c,
            .frame = {.captionHeight = 28,
                      .sideWidth = 4,
                      .bottomHeight = 4,
                      .topRadius = 7,
                      .bottomRadius = 0,
                      .underlineRows = 0,
                      .cornerSpan = 12},
            .controlRadius = 3,
            .captionButtonFrames = 4,
            .checkSize = 13,
            .checkFrames = 4,
            .radioFrames = 4,
            .tiledProgress = false,
            .titleBackdrop = true,
            .mdiButtons = true,
            .helpButton = true};
}

// Near-black with amber: square caption with an underline, rounded bottom corners.
SkinStyle ContrastStyle() {
    Palette c{};
    c.face = {40, 42, 47};
    c.field = {26, 27, 31};
    c.text = {238, 238, 240};
    c.mutedText = {118, 121, 128};
    c.line = {112, 116, 125};
    c.softLine = {66, 69, 76};
    c.accent = {255, 184, 28};
    c.onAccent = {24, 24, 24};
    c.accentSoft = {92, 74, 36};
    c.groove = {30, 31, 35};
    c.thumb = {96, 100, 109};
    c.thumbHot = {138, 142, 151};
    c.menu = {34, 35, 40};

    c.normal = {c.line, {62, 65, 72}, {52, 54, 60}, c.text};
    c.hot = {c.accent, {70, 73, 81}, {58, 61, 68}, {255, 200, 70}};
    c.pressed = {c.accent, {255, 184, 28}, {235, 160, 10}, c.onAccent};
    c.disabled = {c.softLine, {44, 46, 51}, {44, 46, 51}, c.mutedText};

    c.active = {{20, 21, 24}, {20, 21, 24}, {0, 0, 0}, {44, 46, 52}, {20, 21, 24}, {0, 0, 0}, c.accent};
    c.inactive = {{52, 54, 60}, {52, 54, 60}, {20, 20, 22}, {70, 72, 80}, {52, 54, 60}, {30, 31, 35}, {96, 100, 109}};
    c.captionButtons = {{255, 255, 255}, {120, 124, 132}, {58, 60, 68}, c.accent,
                        c.onAccent,      {232, 72, 60},   {190, 50, 40}};

    return {.name = "Contrast",
            .colours = c,
            .frame = {.captionHeight = 26,
                      .sideWidth = 3,
                      .bottomHeight = 6,
                      .topRadius = 0,
                      .bottomRadius = 6,
                      .underlineRows = 2,
                      .cornerSpan = 10},
            .controlRadius = 1,
            .captionButtonFrames = 3,
            .checkSize = 16,
            .checkFrames = 12,
            .radioFrames = 8,
            .tiledProgress = true,
            .titleBackdrop = false,
            .mdiButtons = false,
            .helpButton = false};
}

const ControlLook& LookOf(const Palette& colours, State state) {
    switch (state) {
        case State::Hot:
            return colours.hot;
        case State::Pressed:
            return colours.pressed;
        case State::Disabled:
            return colours.disabled;
        case State::Normal:
            break;
    }
    return colours.normal;
}

}  // namespace velloran::skinart
