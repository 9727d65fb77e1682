#pragma once
// An MDI frame (fsMDIForm) with three children and a Window menu that arranges them.
#include "framework/Forms.h"

namespace velloran {

class TMenuItem;

class TGalleryMdiFrameForm : public TForm {
    VELLORAN_CLASS(TGalleryMdiFrameForm)
public:
    explicit TGalleryMdiFrameForm(TComponent* owner);

    static constexpr int kChildCount = 3;
    TMenuItem* CascadeItem = nullptr;
    TMenuItem* TileItem = nullptr;
    TMenuItem* ArrangeItem = nullptr;
};

}  // namespace velloran
