#pragma once
// The skin objects: one image strip of equal frames (numbered from 1) with nine-grid margins,
// flags and text colours per section of the skin description. Painters read them; the skin
// data component makes them from the description and the container's bitmaps.
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinImage.h"

namespace velloran {

// Where the bitmaps named by a description come from: the container's members, or the
// program's own bitmap resources.
class TSkinImageSource {
public:
    virtual ~TSkinImageSource() = default;
    // Empties the bitmap when the image has no source or cannot be read.
    virtual void Load(const TSkinImage& image, TBitmap& bitmap) = 0;
};

class TDataSkinObject : public TSkinObjectFields {
public:
    explicit TDataSkinObject(std::string name = {});
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The image strip; empty when the skin gave none.
    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();

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

class TDataSkinButton : public TDataSkinObject, public TSkinButtonFields {
public:
    using TDataSkinObject::TDataSkinObject;
    std::unique_ptr<TBitmap> CheckBitmap = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> RadioBitmap = std::make_unique<TBitmap>();
    void Assign(const TSkinButtonDesc& desc, TSkinImageSource& images);
};

// The objects that add only fields to the plain one.
template <class TFields, class TDesc>
class TDataSkinObjectWith : public TDataSkinObject, public TFields {
public:
    using TDataSkinObject::TDataSkinObject;
    void Assign(const TDesc& desc, TSkinImageSource& images) {
        TDataSkinObject::Assign(desc, images);
        static_cast<TFields&>(*this) = desc;
    }
};

using TDataSkinSysButton = TDataSkinObjectWith<TSkinSysButtonFields, TSkinSysButtonDesc>;
using TDataSkinBoxLabel = TDataSkinObjectWith<TSkinBoxLabelFields, TSkinBoxLabelDesc>;
using TDataSkinTitle = TDataSkinObjectWith<TSkinTitleFields, TSkinTitleDesc>;

// A slot of the skin data that a section may leave empty: the slot's object takes the
// description, or the slot is emptied. The object of the previous skin is kept when there is
// one, so that its bitmaps take the new pixels in place where the sizes agree: new pixel memory
// is the dearest part of a load under Wine.
template <class TObject, class TDesc>
void LoadSkinObject(std::unique_ptr<TObject>& slot, const TDesc& desc, TSkinImageSource& images) {
    if (!slot) slot = std::make_unique<TObject>(desc.Name);
    slot->Assign(desc, images);
}

template <class TObject, class TDesc>
void LoadSkinObject(std::unique_ptr<TObject>& slot, const std::optional<TDesc>& desc, TSkinImageSource& images) {
    if (desc)
        LoadSkinObject(slot, *desc, images);
    else
        slot.reset();
}

}  // namespace velloran
