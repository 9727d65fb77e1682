#pragma once
// Group boxes and the frames of radio and check groups (a rounded frame in the skin's border
// colour with the caption over it), and the panels that only take the skin's face colour.
#include "skin/controls/SkinControl.h"

namespace velloran {

class TSkinGroupBox : public TSkinControl {
    VELLORAN_CLASS(TSkinGroupBox)
public:
    using TSkinControl::TSkinControl;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A panel, form or tool bar in the skin's face colour; it paints itself.
class TSkinBox : public TSkinControl {
    VELLORAN_CLASS(TSkinBox)
public:
    using TSkinControl::TSkinControl;

protected:
    void AfterProc(TMessage&) override {}
};

}  // namespace velloran
