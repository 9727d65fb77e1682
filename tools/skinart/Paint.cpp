#include "tools/skinart/Paint.h"

#include <cstdint>
#include <utility>

namespace velloran::skinart {

namespace {

uint8_t ChannelBetween(uint8_t a, uint8_t b, int step, int steps) {
    const int mixed = a * (steps - step) + b * step;
    return static_cast<uint8_t>((mixed + steps / 2) / steps);
}

// i and j count from the outer corner inwards. The test compares doubled distances from
// pixel centres to the circle's centre against a radius a quarter pixel short of r, which
// keeps the pixels next to the straight edges and cuts a clean arc.
bool InsideCornerArc(int i, int j, int r) {
    const int a = 2 * r - 2 * i - 1;
    const int b = 2 * r - 2 * j - 1;
    return a * a + b * b <= 4 * r * r - 2 * r;
}

bool InsideCorner(int x, int y, Rect r, Corners c) {
    const auto within = [](int i, int j, int radius) {
        return radius < 2 || i >= radius || j >= radius || InsideCornerArc(i, j, radius);
    };
    const int fromLeft = x - r.left;
    const int fromTop = y - r.top;
    const int fromRight = r.right - 1 - x;
    const int fromBottom = r.bottom - 1 - y;
    return within(fromLeft, fromTop, c.topLeft) && within(fromRight, fromTop, c.topRight) &&
           within(fromRight, fromBottom, c.bottomRight) && within(fromLeft, fromBottom, c.bottomLeft);
}

bool IsEdge(const Shape& shape, int x, int y) {
    return shape(x, y) && (!shape(x - 1, y) || !shape(x + 1, y) || !shape(x, y - 1) || !shape(x, y + 1));
}

}  // namespace

Rgb Between(Rgb a, Rgb b, int step, int steps) {
    return {ChannelBetween(a.r, b.r, step, steps), ChannelBetween(a.g, b.g, step, steps),
            ChannelBetween(a.b, b.b, step, steps)};
}

void Fill(Canvas& canvas, Rect r, Rgb colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) canvas.Set(x, y, colour);
}

void FrameRect(Canvas& canvas, Rect r, Rgb colour) {
    HLine(canvas, r.left, r.right, r.top, colour);
    HLine(canvas, r.left, r.right, r.bottom - 1, colour);
    VLine(canvas, r.left, r.top, r.bottom, colour);
    VLine(canvas, r.right - 1, r.top, r.bottom, colour);
}

void HLine(Canvas& canvas, int left, int right, int y, Rgb colour) { Fill(canvas, {left, y, right, y + 1}, colour); }

void VLine(Canvas& canvas, int x, int top, int bottom, Rgb colour) { Fill(canvas, {x, top, x + 1, bottom}, colour); }

void VerticalGradient(Canvas& canvas, Rect r, Rgb top, Rgb bottom) {
    FillShape(
        canvas, [](int, int) { return true; }, r, top, bottom);
}

Shape RoundedRect(Rect r, Corners corners) {
    return [r, corners](int x, int y) { return r.Contains(x, y) && InsideCorner(x, y, r, corners); };
}

Shape Ellipse(Rect r) {
    return [r](int x, int y) {
        if (!r.Contains(x, y)) return false;
        const int64_t w = r.Width();
        const int64_t h = r.Height();
        const int64_t dx = 2 * x + 1 - (r.left + r.right);
        const int64_t dy = 2 * y + 1 - (r.top + r.bottom);
        return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
    };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int x, int y) { return a(x, y) || b(x, y); };
}

void FillShape(Canvas& canvas, const Shape& shape, Rect r, Rgb top, Rgb bottom) {
    const int steps = r.Height() > 1 ? r.Height() - 1 : 1;
    for (int y = r.top; y < r.bottom; ++y) {
        const Rgb colour = Between(top, bottom, y - r.top, steps);
        for (int x = r.left; x < r.right; ++x)
            if (shape(x, y)) canvas.Set(x, y, colour);
    }
}

void OutlineShape(Canvas& canvas, const Shape& shape, Rgb colour) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (IsEdge(shape, x, y)) canvas.Set(x, y, colour);
}

void ShineShape(Canvas& canvas, const Shape& shape, Rgb colour) {
    for (int y = 1; y < canvas.Height() / 2; ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (shape(x, y) && !IsEdge(shape, x, y) && IsEdge(shape, x, y - 1)) canvas.Set(x, y, colour);
}

void Box(Canvas& canvas, Rect r, Corners corners, Rgb outline, Rgb top, Rgb bottom) {
    const Shape shape = RoundedRect(r, corners);
    FillShape(canvas, shape, r, top, bottom);
    OutlineShape(canvas, shape, outline);
}

void Blit(Canvas& canvas, int x, int y, const Image& image) {
    for (int row = 0; row < image.Height(); ++row)
        for (int column = 0; column < image.Width(); ++column)
            if (const Rgb colour = image.At(column, row); colour != kKey) canvas.Set(x + column, y + row, colour);
}

void BlitCentred(Canvas& canvas, Rect r, const Image& image) {
    Blit(canvas, r.left + (r.Width() - image.Width()) / 2, r.top + (r.Height() - image.Height()) / 2, image);
}

}  // namespace velloran::skinart
