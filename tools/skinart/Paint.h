#pragma once

// The drawing kit: colour mixing, fills, lines, gradients, rounded shapes with crisp
// one-pixel outlines, and keyed copies of small images. Everything is integer arithmetic,
// so the same call always gives the same pixels.

#include "tools/skinart/Image.h"

#include <functional>

namespace velloran::skinart {

// step/steps of the way from a to b, per channel, rounded to nearest (steps > 0).
Rgb Between(Rgb a, Rgb b, int step, int steps);

// percent % of the way from a to b.
inline Rgb Mix(Rgb a, Rgb b, int percent) { return Between(a, b, percent, 100); }

void Fill(Canvas& canvas, Rect r, Rgb colour);
void FrameRect(Canvas& canvas, Rect r, Rgb colour);
void HLine(Canvas& canvas, int left, int right, int y, Rgb colour);  // right exclusive
void VLine(Canvas& canvas, int x, int top, int bottom, Rgb colour);  // bottom exclusive

// Row by row from top to bottom; a one-row rectangle gets top.
void VerticalGradient(Canvas& canvas, Rect r, Rgb top, Rgb bottom);

// Which pixels belong to a shape, in canvas coordinates.
using Shape = std::function<bool(int x, int y)>;

struct Corners {
    int topLeft = 0;
    int topRight = 0;
    int bottomRight = 0;
    int bottomLeft = 0;
};

inline Corners AllCorners(int radius) { return {radius, radius, radius, radius}; }
inline Corners TopCorners(int radius) { return {radius, radius, 0, 0}; }
inline Corners BottomCorners(int radius) { return {0, 0, radius, radius}; }

// Radii of 0 and 1 leave a corner square; from 2 on, pixels outside a circle of about
// that radius are left out.
Shape RoundedRect(Rect r, Corners corners);
Shape Ellipse(Rect r);
// Both shapes at once.
Shape Union(Shape a, Shape b);

// Fills the shape's pixels within r with a vertical gradient over r's rows.
void FillShape(Canvas& canvas, const Shape& shape, Rect r, Rgb top, Rgb bottom);
// The shape's pixels that have a neighbour (left, right, above, below) outside it.
void OutlineShape(Canvas& canvas, const Shape& shape, Rgb colour);
// Inner pixels directly under the top outline: a one-pixel highlight that follows the corners.
void ShineShape(Canvas& canvas, const Shape& shape, Rgb colour);

// A rounded box: gradient fill and a one-pixel outline.
void Box(Canvas& canvas, Rect r, Corners corners, Rgb outline, Rgb top, Rgb bottom);

// Copies every pixel of the image that is not the key colour, with its top-left corner at (x, y).
void Blit(Canvas& canvas, int x, int y, const Image& image);
// The same, centred in r; odd leftovers go to the right and bottom.
void BlitCentred(Canvas& canvas, Rect r, const Image& image);

}  // namespace velloran::skinart
