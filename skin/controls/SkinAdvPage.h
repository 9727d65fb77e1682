#pragma once
// A vendor's page control that draws its own tabs over pictures given as properties
// (TabBackGround, TabBackGroundActive): the skinner hands it the skin's tab image, normal and
// selected, and takes the pictures back when skinning ends.
#include "skin/controls/SkinControl.h"

namespace velloran {

// The kind of the vendor page control's skinner.
constexpr int32_t kAdvancedPageKind = 4;

class TSkinAdvPage : public TSkinControl {
    VELLORAN_CLASS(TSkinAdvPage)
public:
    explicit TSkinAdvPage(TComponent* owner);
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    // The two pictures from the skin's tab image, or empty ones for `clear`.
    void GivePictures(bool clear);
};

}  // namespace velloran
