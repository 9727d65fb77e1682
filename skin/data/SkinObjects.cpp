#include "skin/data/SkinObjects.h"

namespace velloran {

TDataSkinObject::TDataSkinObject(std::string name) : Name(std::move(name)) {}

void TDataSkinObject::Assign(const TSkinObjectDesc& desc, TSkinImageSource& images) {
    LeftWidth = desc.LeftWidth;
    TopHeight = desc.TopHeight;
    RightWidth = desc.RightWidth;
    BottomHeight = desc.BottomHeight;
    images.Load(desc.Bitmap, *Bitmap);
    Trans = desc.Trans;
    Tile = desc.Tile;
    Name = desc.Name;
    Frame = desc.Frame;
    Style = desc.Style;
    NormalColour = desc.NormalColour;
    MouseOverColour = desc.MouseOverColour;
    PressedColour = desc.PressedColour;
    NormalColour2 = desc.NormalColour2;
    MouseOverColour2 = desc.MouseOverColour2;
    PressedColour2 = desc.PressedColour2;
}

void TDataSkinBorder::Assign(const TSkinBorderDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    images.Load(desc.Bitmap2, *Bitmap2);
}

void TDataSkinButton::Assign(const TSkinButtonDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    images.Load(desc.CheckBitmap, *CheckBitmap);
    images.Load(desc.RadioBitmap, *RadioBitmap);
    RadioFrame = desc.RadioFrame;
    CheckFrame = desc.CheckFrame;
    HasNormalColour2 = desc.HasNormalColour2;
    HasMouseOverColour2 = desc.HasMouseOverColour2;
    HasPressedColour2 = desc.HasPressedColour2;
}

void TDataSkinSysButton::Assign(const TSkinSysButtonDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    Action = desc.Action;
    Align = desc.Align;
    XCoord = desc.XCoord;
    YCoord = desc.YCoord;
    CombineOp = desc.CombineOp;
    Visibility = desc.Visibility;
    Visibility1 = desc.Visibility1;
}

void TDataSkinBoxLabel::Assign(const TSkinBoxLabelDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    BackgroundLeftShift = desc.BackgroundLeftShift;
    BackgroundRightShift = desc.BackgroundRightShift;
    BackgroundAlignment = desc.BackgroundAlignment;
}

void TDataSkinTitle::Assign(const TSkinTitleDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    TextAlignment = desc.TextAlignment;
    TextBackground = desc.TextBackground;
    FontHeight = desc.FontHeight;
    TextBackLeft = desc.TextBackLeft;
    TextBackRight = desc.TextBackRight;
    ActiveTextColor = desc.ActiveTextColor;
    InactiveTextColor = desc.InactiveTextColor;
}

}  // namespace velloran
