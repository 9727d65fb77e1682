#pragma once
// Tool bars and cool bars. A tool bar turns flat and lends its custom drawing to the form
// skinner's painters, its captions take the skin's text colour, and the menus of its drop-down
// buttons are painted by the skin; a cool bar's bands take the skin's face and text colours. Each gets all of it back when skinning ends.
#include <optional>
#include <vector>

#include "framework/CoolBars.h"
#include "framework/ToolBars.h"
#include "skin/controls/SkinGroupBox.h"

namespace velloran {

class TPopupMenu;

class TSkinToolBarBox : public TSkinBox {
    VELLORAN_CLASS(TSkinToolBarBox)
public:
    using TSkinBox::TSkinBox;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;

private:
    struct TLentMenu {
        TPopupMenu* Menu;
        bool OwnerDraw;
    };
    void LendMenus(TToolBar& bar);

    bool savedFlat_ = false;
    TColor savedFontColour_ = clBtnText;
    TToolBarCustomDrawEvent savedDraw_;
    TToolBarCustomDrawButtonEvent savedDrawButton_;
    std::vector<TLentMenu> lentMenus_;
    bool lent_ = false;
};

class TSkinCoolBarBands : public TSkinControl {
    VELLORAN_CLASS(TSkinCoolBarBands)
public:
    using TSkinControl::TSkinControl;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;

protected:
    // The bar paints itself in the bands' new colours.
    void AfterProc(TMessage&) override {}

private:
    void ColourBands();

    struct TBandColours {
        TColor Back, Text;
    };
    std::vector<TBandColours> savedColours_;
};

}  // namespace velloran
