#pragma once
// Column headers (also those of list views), each item drawn from the skin's header image:
// frame 1 normal, frame 2 under the mouse, then its image and text. A skin without the image
// leaves the header's own look.
#include <vector>

#include "skin/controls/SkinControl.h"

namespace velloran {

enum THeaderFrame : int { hfNormal = 1, hfHot = 2 };

class TSkinHeader : public TSkinControl {
    VELLORAN_CLASS(TSkinHeader)
public:
    explicit TSkinHeader(TComponent* owner);
    int HotItem() const { return hotItem_; }

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool HasImage() const;
    void DrawItem(HDC dc, int index, const RECT& item, HIMAGELIST images);

    std::vector<RECT> items_;
    int hotItem_ = -1;
};

}  // namespace velloran
