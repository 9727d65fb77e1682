#pragma once

// What sets one skin apart from the other: colours, the window outline, and which of the
// engine's alternative image layouts the skin uses. The painters draw from this alone.

#include "tools/skinart/Image.h"

#include <array>
#include <string>

namespace velloran::skinart {

// Colours of a control in one state: outline, gradient from top to bottom, and the colour
// of its glyph or text.
struct ControlLook {
    Rgb outline;
    Rgb top;
    Rgb bottom;
    Rgb ink;
};

struct CaptionColours {
    Rgb top;  // caption gradient
    Rgb bottom;
    Rgb outline;    // the window's outer edge
    Rgb shine;      // highlight just inside the top edge
    Rgb body;       // side and bottom edges
    Rgb inner;      // line between the edges and the client area
    Rgb underline;  // the caption's last rows, when the frame has an underline
};

struct CaptionButtonColours {
    Rgb glyph;
    Rgb dimGlyph;  // a button that cannot act, or any button of an inactive window
    Rgb hotFill;
    Rgb pressedFill;
    Rgb pressedGlyph;
    Rgb closeHotFill;
    Rgb closePressedFill;
};

struct Palette {
    Rgb face;   // dialogs and controls
    Rgb field;  // inside edits and lists
    Rgb text;
    Rgb mutedText;   // disabled text and glyphs
    Rgb line;        // control outlines
    Rgb softLine;    // separators and quiet outlines
    Rgb accent;      // selection, focus, progress
    Rgb onAccent;    // text and glyphs on the accent
    Rgb accentSoft;  // light tint of the accent
    Rgb groove;      // tracks of scroll bars, sliders and gauges
    Rgb thumb;
    Rgb thumbHot;
    Rgb menu;  // popup menus

    ControlLook normal;
    ControlLook hot;
    ControlLook pressed;
    ControlLook disabled;

    CaptionColours active;
    CaptionColours inactive;
    CaptionButtonColours captionButtons;
};

// The window outline. The top strip holds the caption; both corner radii must fit in the
// strip they start in (topRadius <= captionHeight, bottomRadius <= bottomHeight) and in the
// side plus cornerSpan columns.
struct FrameShape {
    int captionHeight;
    int sideWidth;
    int bottomHeight;
    int topRadius;
    int bottomRadius;
    int underlineRows;
    int cornerSpan;  // unscaled ends of the top and bottom strips
};

struct SkinStyle {
    std::string name;
    Palette colours;
    FrameShape frame;
    int controlRadius;        // rounding of buttons, boxes, tabs and thumbs
    int captionButtonFrames;  // 4 (normal, pressed, hot, dim) or 3 (without the dim one)
    int checkSize;            // check and radio boxes are square
    int checkFrames;          // 4, or 12: each mark normal, hot, pressed, disabled
    int radioFrames;          // 4, or 8: likewise
    bool tiledProgress;       // track-only bar with a repeated chunk, instead of track and bar
    bool titleBackdrop;       // image behind the caption text
    bool mdiButtons;
    bool helpButton;
};

SkinStyle DefaultStyle();
SkinStyle ContrastStyle();

enum class State { Normal, Hot, Pressed, Disabled };

const ControlLook& LookOf(const Palette& colours, State state);

// Frames 1 to 4 of push buttons, combo buttons, spin halves and each scroll arrow.
inline constexpr std::array<State, 4> kButtonStateFrames{State::Normal, State::Pressed, State::Disabled, State::Hot};

}  // namespace velloran::skinart
