#include "framework/ImgList.h"

namespace velloran {

namespace {

void InitImageLists() {
    static const bool initialized = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)initialized;
}

}  // namespace

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TImageList>(
        "TImageList", &TComponent::StaticClassInfo(),
        {props::Int("Height", &TImageList::Height, &TImageList::SetHeight),
         props::Int("Width", &TImageList::Width, &TImageList::SetWidth)});
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1) throw EGraphicsError("Invalid image size");
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    handle_.reset();
}

HIMAGELIST TImageList::Handle() const {
    if (!handle_) {
        InitImageLists();
        handle_.reset(ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4));
    }
    return handle_.get();
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    return ImageList_Add(Handle(), image.Handle(), mask ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    // ImageList_AddMasked blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    return ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
}

int TImageList::AddIcon(const TIcon& icon) { return ImageList_AddIcon(Handle(), icon.Handle()); }

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_.get()) : 0; }

void TImageList::Clear() {
    if (handle_) ImageList_RemoveAll(handle_.get());
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    HDC dc = canvas.Handle();
    if (!dc || index < 0 || index >= Count()) return;
    if (enabled)
        ImageList_Draw(handle_.get(), index, dc, x, y, ILD_TRANSPARENT);
    else
        DrawDisabled(dc, x, y, index);
}

void TImageList::DrawDisabled(HDC dc, int x, int y, int index) const {
    TMemoryDC maskDC(CreateCompatibleDC(dc));
    TBitmapHandle mask(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!maskDC || !mask) return;
    TSelectObject selectMask(maskDC.get(), mask.get());
    PatBlt(maskDC.get(), 0, 0, width_, height_, WHITENESS);
    ImageList_Draw(handle_.get(), index, maskDC.get(), 0, 0, ILD_MASK);  // image black, rest white

    DrawEmbossed(dc, x, y, width_, height_, maskDC.get());
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const {
    bitmap.SetSize(width_, height_);
    if (index < 0 || index >= Count()) return;
    ImageList_Draw(handle_.get(), index, bitmap.Canvas().Handle(), 0, 0, ILD_NORMAL);
}

}  // namespace velloran
