#pragma once

// Pixels of the art: 24-bit colours, rectangles, images, and canvases that keep
// drawing inside one rectangle of an image (one frame of a strip).

#include <cstdint>
#include <vector>

namespace velloran::skinart {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(Rgb, Rgb) = default;
};

// Every painter of the engine leaves this colour out.
inline constexpr Rgb kKey{255, 0, 255};

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    Rect Inset(int d) const { return Inset(d, d); }
    Rect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

class Image {
public:
    // A new image is all key colour: whatever a painter leaves alone stays transparent.
    Image(int width, int height, Rgb fill = kKey);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    // Both require a point inside the image.
    Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb colour);

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// A rectangle of an image with its own origin. Points outside it are dropped, so a frame's
// painter can never spill into its neighbours.
class Canvas {
public:
    explicit Canvas(Image& image);
    Canvas(Image& image, Rect area);

    int Width() const { return area_.Width(); }
    int Height() const { return area_.Height(); }
    Rect Bounds() const { return {0, 0, Width(), Height()}; }

    void Set(int x, int y, Rgb colour);

    // The part of this canvas covered by r (in this canvas's coordinates), clipped to it.
    Canvas Part(Rect r) const;

private:
    Image* image_;
    Rect area_;
};

}  // namespace velloran::skinart
