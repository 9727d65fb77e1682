#pragma once
// The skin objects: one image strip of equal frames (numbered from 1) with nine-grid margins,
// flags and text colours per section of the skin description. Painters read them; the skin
// data component makes them from the description and the container's bitmaps.
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "skin/data/SkinDescription.h"
#include "skin/form/SkinImage.h"

namespace velloran {

// Where the bitmaps named by a description come from: the container's members, or the
// program's own bitmap resources.
class TSkinImageSource {
public:
    virtual ~TSkinImageSource() = default;
    // Empties the bitmap when the image has no source or cannot be read.
    virtual void Load(const TSkinImage& image, TBitmap& bitmap) = 0;
};

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {});
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
    int32_t Trans = 0;
    int32_t Tile = 0;
    std::string Name;
    int32_t Frame = 0;
    int32_t Style = 0;
    int32_t NormalColour = kTextColourNotGiven;
    int32_t MouseOverColour = kTextColourNotGiven;
    int32_t PressedColour = kTextColourNotGiven;
    TColorValue NormalColour2 = 0;
    TColorValue MouseOverColour2 = 0;
    TColorValue PressedColour2 = 0;

    TSkinMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    // Takes the description's fields and loads its bitmap.
    void Assign(const TSkinObjectDesc& desc, TSkinImageSource& images);
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> Bitmap2 = std::make_unique<TBitmap>();
    void Assign(const TSkinBorderDesc& desc, TSkinImageSource& images);
};

class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> CheckBitmap = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> RadioBitmap = std::make_unique<TBitmap>();
    int32_t RadioFrame = 0;
    int32_t CheckFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
    void Assign(const TSkinButtonDesc& desc, TSkinImageSource& images);
};

class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t XCoord = 0;
    int32_t YCoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
    void Assign(const TSkinSysButtonDesc& desc, TSkinImageSource& images);
};

class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
    void Assign(const TSkinBoxLabelDesc& desc, TSkinImageSource& images);
};

class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t TextAlignment = 0;
    int32_t TextBackground = 0;
    int32_t FontHeight = 0;
    int32_t TextBackLeft = 0;
    int32_t TextBackRight = 0;
    TColorValue ActiveTextColor = kTitleColorNotGiven;
    TColorValue InactiveTextColor = kTitleColorNotGiven;
    void Assign(const TSkinTitleDesc& desc, TSkinImageSource& images);
};

// A slot of the skin data that a section may leave empty: a new object from the description,
// or none.
template <class TObject, class TDesc>
std::unique_ptr<TObject> MakeSkinObject(const std::optional<TDesc>& desc, TSkinImageSource& images) {
    if (!desc) return nullptr;
    auto object = std::make_unique<TObject>(desc->Name);
    object->Assign(*desc, images);
    return object;
}

}  // namespace velloran
