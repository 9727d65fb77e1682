#pragma once
// The old-style tab set, its tabs hanging from its top edge: the skinner lays the tabs out itself
// from the tab set's first visible tab, each as wide as its caption and 9 pixels more, as many as
// fit before the end margin (leaving room for the scroller when it shows), and draws them from
// the skin's tab image turned upside down. The scroller gets its own up-down skinner.
#include <vector>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"

namespace velloran {

class TSkinTab31 : public TSkinControl {
    VELLORAN_CLASS(TSkinTab31)
public:
    explicit TSkinTab31(TComponent* owner);
    // Attaches to the tab set's window, reading the tab set (the owner) by its properties.
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void SkinChanged() override;

    // The tabs drawn by the last paint, from the first visible one on, in client coordinates.
    const std::vector<RECT>& TabRects() const { return tabRects_; }

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void PrepareImage();
    // The tab set's scroller, when its first component is one; null otherwise.
    TWinControl* Scroller() const;

    TBitmap tabImage_;
    std::vector<RECT> tabRects_;
};

}  // namespace velloran
