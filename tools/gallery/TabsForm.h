#pragma once
// A window of tabs: page controls with their tabs at each of the four edges, one whose tabs carry
// close boxes, one with more tabs than fit and its scroll arrows, tab controls in both button
// styles, a tabbed notebook over an old-style tab set, and the outside vendor's page control.
#include "framework/Forms.h"

namespace velloran {

class TPageControl;

class TGalleryTabsForm : public TForm {
    VELLORAN_CLASS(TGalleryTabsForm)
public:
    explicit TGalleryTabsForm(TComponent* owner);
    // The page control whose tabs have close boxes, and the one with many tabs.
    TPageControl* ClosingPages() const { return closingPages_; }
    TPageControl* ManyPages() const { return manyPages_; }

private:
    void AddEdges();
    void AddClosingAndMany();
    void AddOlderKinds();
    // Pages named "<prefix> 1" ... on the page control, each with a line of text.
    void AddPages(TPageControl& pages, const char* prefix, int count);

    TPageControl* closingPages_ = nullptr;
    TPageControl* manyPages_ = nullptr;
};

}  // namespace velloran
