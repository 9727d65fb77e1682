#include "tools/gallery/TabsForm.h"

#include <string>

#include "framework/StdCtrls.h"
#include "framework/TabControls.h"
#include "framework/TabSets.h"
#include "framework/vendor/AcmeTabs.h"
#include "skin/controls/SkinTabs.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

namespace {
constexpr int kEdgeWidth = 150;
constexpr int kEdgeHeight = 120;
constexpr int kGap = 8;
constexpr int kManyTabs = 20;
}  // namespace

const TClassInfo& TGalleryTabsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryTabsForm>("TGalleryTabsForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryTabsForm::TGalleryTabsForm(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetCaption("Tabs and pages");
    UseProgramFont(*this);
    SetClientWidth(4 * kEdgeWidth + 5 * kGap);
    SetClientHeight(420);
    AddEdges();
    AddClosingAndMany();
    AddOlderKinds();
}

void TGalleryTabsForm::AddPages(TPageControl& pages, const char* prefix, int count) {
    for (int i = 1; i <= count; ++i) {
        auto* sheet = new TTabSheet(this);
        sheet->SetPageControl(&pages);
        sheet->SetCaption(std::string(prefix) + " " + std::to_string(i));
        auto* text = new TLabel(this);
        text->SetParent(sheet);
        text->SetBounds(8, 8, 120, 16);
        text->SetTransparent(true);
        text->SetCaption("Content of " + sheet->Caption());
    }
}

void TGalleryTabsForm::AddEdges() {
    const struct {
        TTabPosition Position;
        const char* Name;
    } edges[] = {{tpTop, "Top"}, {tpBottom, "Bottom"}, {tpLeft, "Left"}, {tpRight, "Right"}};
    int left = kGap;
    for (const auto& edge : edges) {
        auto* pages = PlaceControl<TPageControl>(*this, {left, kGap, kEdgeWidth, kEdgeHeight});
        pages->SetTabPosition(edge.Position);
        AddPages(*pages, edge.Name, 3);
        left += kEdgeWidth + kGap;
    }
}

void TGalleryTabsForm::AddClosingAndMany() {
    const int top = kEdgeHeight + 2 * kGap;
    const int width = 2 * kEdgeWidth + kGap;
    closingPages_ = PlaceControl<TPageControl>(*this, {kGap, top, width, 110});
    closingPages_->SetTag(kCloseBoxTag);
    AddPages(*closingPages_, "Close", 4);
    manyPages_ = PlaceControl<TPageControl>(*this, {2 * kGap + width, top, width, 110});
    AddPages(*manyPages_, "Tab", kManyTabs);
}

void TGalleryTabsForm::AddOlderKinds() {
    const int top = kEdgeHeight + 110 + 3 * kGap;
    auto* buttons = PlaceControl<TTabControl>(*this, {kGap, top, kEdgeWidth, 60});
    buttons->SetStyle(tsButtons);
    buttons->SetTabs({"Day", "Week", "Month"});
    auto* flat = PlaceControl<TTabControl>(*this, {kGap, top + 68, kEdgeWidth, 60});
    flat->SetStyle(tsFlatButtons);
    flat->SetTabs({"Red", "Green", "Blue"});

    const int notebookLeft = 2 * kGap + kEdgeWidth;
    auto* notebook = PlaceControl<TTabbedNotebook>(*this, {notebookLeft, top, kEdgeWidth + 60, 100});
    notebook->SetPages({"General", "Details", "Notes"});
    auto* tabSet = PlaceControl<TTabSet>(*this, {notebookLeft, top + 104, kEdgeWidth + 60, 22});
    tabSet->SetTabs({"Sheet 1", "Sheet 2", "Sheet 3", "Sheet 4", "Sheet 5", "Sheet 6", "Sheet 7"});
    tabSet->SetTabIndex(1);

    const int vendorLeft = notebookLeft + kEdgeWidth + 60 + kGap;
    auto* vendor = PlaceControl<TAcmePageControl>(*this, {vendorLeft, top, ClientWidth() - vendorLeft - kGap, 128});
    AddPages(*vendor, "Acme", 3);
}

}  // namespace velloran
