#pragma once
// Group boxes and the frames of radio and check groups (a rounded frame in the skin's border
// colour with the caption over it), the panels that only take the skin's face colour, and the face
// behind bare dialogs and tool-bar windows.
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

// The background of a bare dialog or tool-bar window, and of its static texts, in the skin's face
// colour.
class TSkinBoxH : public TSkinControl {
    VELLORAN_CLASS(TSkinBoxH)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeProc(TMessage& message) override;
};

}  // namespace velloran
