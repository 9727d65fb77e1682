#pragma once
// The vendor's page control. It draws its tabs itself, each over a picture the program may give
// it: TabBackGround for the tabs, TabBackGroundActive for the selected one, stretched to the
// tab; without pictures a tab is a plain face. A skin reaches it through a Skin3rd line such as
//   TAcmePageControl=advpagecontrol
#include <memory>

#include "framework/TabControls.h"

namespace velloran {

class TAcmePageControl : public TPageControl {
    VELLORAN_CLASS(TAcmePageControl)
public:
    explicit TAcmePageControl(TComponent* owner);
    TBitmap* TabBackGround() const { return tabBackGround_.get(); }
    TBitmap* TabBackGroundActive() const { return tabBackGroundActive_.get(); }
    void WndProc(TMessage& message) override;

private:
    void DrawTab(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TBitmap> tabBackGround_;
    std::unique_ptr<TBitmap> tabBackGroundActive_;
};

void RegisterAcmeTabs();

}  // namespace velloran
