#include "skin/data/SkinObjects.h"

namespace velloran {

TDataSkinObject::TDataSkinObject(std::string name) { Name = std::move(name); }

void TDataSkinObject::Assign(const TSkinObjectDesc& desc, TSkinImageSource& images) {
    static_cast<TSkinObjectFields&>(*this) = desc;
    images.Load(desc.Bitmap, *Bitmap);
}

void TDataSkinBorder::Assign(const TSkinBorderDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    images.Load(desc.Bitmap2, *Bitmap2);
}

void TDataSkinButton::Assign(const TSkinButtonDesc& desc, TSkinImageSource& images) {
    TDataSkinObject::Assign(desc, images);
    static_cast<TSkinButtonFields&>(*this) = desc;
    images.Load(desc.CheckBitmap, *CheckBitmap);
    images.Load(desc.RadioBitmap, *RadioBitmap);
}

}  // namespace velloran
