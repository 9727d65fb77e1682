#pragma once
// A list of same-sized images drawn with transparency: toolbar and menu glyphs, tray states.
#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

namespace velloran {

class TImageList : public TComponent {
    VELLORAN_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner);

    // Changing the size empties the list: the images were made for the old one.
    int Width() const { return width_; }
    void SetWidth(int width) { SetSize(width, height_); }
    int Height() const { return height_; }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);  // throws EGraphicsError below 1x1

    HIMAGELIST Handle() const;  // made on first use

    // Each returns the new image's index, or -1 when the image list refused it.
    int Add(const TBitmap& image, const TBitmap* mask);
    int AddMasked(const TBitmap& image, TColor maskColor);  // pixels of maskColor become transparent
    int AddIcon(const TIcon& icon);

    int Count() const;
    void Clear();

    // A disabled image is drawn embossed: its shape in the button highlight colour, and over it,
    // one pixel up and left, in the button shadow colour.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Sizes the bitmap to the list and draws the image on it; transparent pixels keep what the
    // bitmap had.
    void GetBitmap(int index, TBitmap& bitmap) const;

private:
    void DrawDisabled(HDC dc, int x, int y, int index) const;

    int width_ = 16;
    int height_ = 16;
    mutable TImageListHandle handle_;
};

}  // namespace velloran
