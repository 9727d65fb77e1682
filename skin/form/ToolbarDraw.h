#pragma once
// The custom drawing a form skinner lends to the tool bars on its form: the bar's background and
// its buttons from the skin.
#include <windows.h>
#include <commctrl.h>

namespace velloran {

class TCanvas;
class TSkinData;
class TWinSkinForm;

// Stretches the skin's tool bar image over the rectangle; false when the skin leaves the
// background to the bar (no image, or the xoToolbarBK option).
bool PaintToolbarBackground(const TSkinData& skin, HDC dc, const RECT& rect);

// Draws the button's face from the skin's button image for its state and sets the canvas's font
// colour for its text; false when nothing was drawn (the form is not skinned yet, the skin has no
// button image, the xoToolbarButton option, or a state without a face: disabled, or plain).
bool PaintToolbarButton(const TWinSkinForm& form, const NMTBCUSTOMDRAW& draw, TCanvas& canvas);

}  // namespace velloran
