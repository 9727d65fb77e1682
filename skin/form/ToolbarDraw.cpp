#include "skin/form/ToolbarDraw.h"

#include "framework/Graphics.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

constexpr int kButtonFrames = 5;

// The frame of the skin's button strip for a tool bar button's state; 0 for none.
int FrameForState(UINT state) {
    if (state & CDIS_SELECTED) return 2;
    if (state & (CDIS_FOCUS | CDIS_HOT)) return 4;
    if (state & (CDIS_GRAYED | CDIS_DISABLED)) return 0;
    if (state & CDIS_DEFAULT) return 1;
    return 0;
}

}  // namespace

bool PaintToolbarBackground(const TSkinData& skin, HDC dc, const RECT& rect) {
    if (!skin.Toolbar || skin.Toolbar->Bitmap->Empty() || (skin.Options() & SkinBit(xoToolbarBK))) return false;
    TBitmap& image = *skin.Toolbar->Bitmap;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image.Canvas().Handle(), 0, 0,
               image.Width(), image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return true;
}

bool PaintToolbarButton(const TWinSkinForm& form, const NMTBCUSTOMDRAW& draw, TCanvas& canvas) {
    const TSkinData* skin = form.SkinData;
    if (form.Stage != stSkinned || !skin || skin->Button.Bitmap->Empty() ||
        (skin->Options() & SkinBit(xoToolbarButton)))
        return false;
    const int frame = FrameForState(draw.nmcd.uItemState);
    if (frame == 0) return false;
    const TDataSkinButton& button = skin->Button;
    if (frame == 1 && button.HasNormalColour2) canvas.Font()->SetColor(static_cast<TColor>(button.NormalColour2));
    if (frame == 4 && button.HasMouseOverColour2) canvas.Font()->SetColor(static_cast<TColor>(button.MouseOverColour2));
    if (frame == 2 && button.HasPressedColour2) canvas.Font()->SetColor(static_cast<TColor>(button.PressedColour2));
    RECT bounds = draw.nmcd.rc;
    InflateRect(&bounds, -1, -1);
    DrawSkinObject(draw.nmcd.hdc, bounds, *button.Bitmap, false, false, button.Trans != 0, kButtonFrames, frame,
                   button.Margins());
    return true;
}

}  // namespace velloran
