#pragma once

// The glyph masks shared by the painters: window commands, arrows, marks and the media
// player's buttons. Each points one way; the painters turn them for the other directions.

#include "tools/skinart/PixelMask.h"

namespace velloran::skinart::glyphs {

// Window commands, 10 x 10 (8 x 10 for help), so that they sit exactly in the middle of
// even-sized buttons.
const PixelMask& Close();
const PixelMask& Maximize();
const PixelMask& Restore();
const PixelMask& Minimize();
const PixelMask& Help();

const PixelMask& ArrowUp();      // filled triangle, 8 x 4
const PixelMask& ChevronDown();  // open arrow of drop-down buttons, 7 x 4
const PixelMask& Tick();         // check mark, 9 x 7
const PixelMask& Dash();         // mixed state of a check box, 7 x 2
const PixelMask& SizeGrip();     // dots in the bottom-right corner, 8 x 8

// Media player buttons; the previous and back glyphs are next and step mirrored.
const PixelMask& Play();
const PixelMask& Pause();
const PixelMask& Stop();
const PixelMask& Next();
const PixelMask& Step();
const PixelMask& Record();
const PixelMask& Eject();

}  // namespace velloran::skinart::glyphs
