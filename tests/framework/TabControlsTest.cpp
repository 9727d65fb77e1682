// The framework's tab classes on real windows: the system styles of each position and style, a
// page control's pages following their tabs (hidden tabs, a freed page, a click's selection), the
// tabbed notebook's pages, the tab set's own layout and scroller, and the classes made by name.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/TabControls.h"
#include "framework/TabSets.h"
#include "framework/TypInfo.h"
#include "framework/vendor/AcmeTabs.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)); }

std::vector<TTabSheet*> AddSheets(TForm& form, TPageControl& pages, std::initializer_list<const char*> captions) {
    std::vector<TTabSheet*> sheets;
    for (const char* caption : captions) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetPageControl(&pages);
        sheet->SetCaption(caption);
        sheets.push_back(sheet);
    }
    return sheets;
}

std::string TabText(HWND tabs, int index) {
    char text[80] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST(TabControls, EachPositionAndStyleGivesItsSystemStylesAndKeepsTheTabs) {
    auto form = MakeForm();
    auto* tabs = AddControl<TTabControl>(*form, 10, 10, 200, 120);
    tabs->SetTabs({"One", "Two", "Three"});
    tabs->SetTabIndex(2);
    const struct {
        TTabPosition Position;
        TTabStyle Style;
        DWORD Bits;
    } cases[] = {{tpTop, tsTabs, 0},
                 {tpBottom, tsTabs, TCS_BOTTOM},
                 {tpLeft, tsTabs, TCS_VERTICAL | TCS_MULTILINE},
                 {tpRight, tsTabs, TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE},
                 {tpTop, tsButtons, TCS_BUTTONS},
                 {tpTop, tsFlatButtons, TCS_BUTTONS | TCS_FLATBUTTONS}};
    constexpr DWORD kMask = TCS_BOTTOM | TCS_VERTICAL | TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS;
    for (const auto& c : cases) {
        tabs->SetTabPosition(c.Position);
        tabs->SetStyle(c.Style);
        EXPECT_EQ(StyleOf(tabs->Handle()) & kMask, c.Bits) << c.Position << " " << c.Style;
        EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(tabs->TabIndex(), 2);
    }
    tabs->SetTabPosition(tpTop);
    tabs->SetMultiLine(true);
    EXPECT_TRUE(StyleOf(tabs->Handle()) & TCS_MULTILINE);
}

TEST(TabControls, APageControlsPagesFollowTheirTabs) {
    auto form = MakeForm();
    auto* pages = AddControl<TPageControl>(*form, 10, 10, 300, 200);
    const std::vector<TTabSheet*> sheets = AddSheets(*form, *pages, {"First", "Second", "Third", "Fourth"});
    const HWND tabs = pages->Handle();
    form->Show();
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[1]->Handle()));
    // Each page fills the area inside the tabs' frame.
    const RECT display = pages->DisplayRect();
    EXPECT_EQ(sheets[2]->BoundsRect().top, display.top);
    EXPECT_EQ(sheets[2]->Width(), display.right - display.left);

    // A hidden tab: the tabs after it move up, and the page of a tab is found past it.
    sheets[1]->SetTabVisible(false);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(tabs, 1), "Third");
    EXPECT_EQ(pages->PageOfTab(1), sheets[2]);
    EXPECT_EQ(pages->PageOfTab(3), nullptr);

    // Selecting a tab as a click does shows its page and tells the program.
    int changes = 0;
    pages->OnChange = [&changes](TObject*) { ++changes; };
    SendMessageA(tabs, TCM_SETCURFOCUS, 2, 0);
    PumpFor(20);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    EXPECT_TRUE(IsWindowVisible(sheets[3]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));

    // A page freed while active gives its place to the page before it when it was the last.
    Free(sheets[3]);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_EQ(pages->TabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    sheets[2]->SetCaption("Renamed");
    EXPECT_EQ(TabText(tabs, 1), "Renamed");

    // Asked before a page closes.
    pages->OnCloseQuery = [&](TObject*, TTabSheet* page, bool& allow) { allow = page != sheets[0]; };
    EXPECT_FALSE(pages->CanClosePage(sheets[0]));
    EXPECT_TRUE(pages->CanClosePage(sheets[2]));
}

TEST(TabControls, ATabbedNotebookShowsThePageOfItsTab) {
    auto form = MakeForm();
    auto* notebook = AddControl<TTabbedNotebook>(*form, 10, 10, 300, 200);
    notebook->SetPages({"General", "Details", "Notes"});
    form->Show();
    ASSERT_EQ(SendMessageA(notebook->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_TRUE(notebook->Page(0)->Visible());
    notebook->SetPageIndex(2);
    EXPECT_FALSE(notebook->Page(0)->Visible());
    EXPECT_TRUE(notebook->Page(2)->Visible());
    notebook->SetPages({"General", "Details"});
    EXPECT_EQ(notebook->Pages(), (std::vector<std::string>{"General", "Details"}));
    EXPECT_EQ(notebook->PageIndex(), 1);
    EXPECT_TRUE(notebook->Page(1)->Visible());
}

TEST(TabSets, TheTabSetLaysOutWhatFitsAndScrollsTheRest) {
    auto form = MakeForm();
    auto* tabSet = AddControl<TTabSet>(*form, 10, 10, 400, 22);
    tabSet->SetTabs({"A", "B", "C"});
    form->Show();
    EXPECT_EQ(tabSet->Components(0), tabSet->Scroller());
    EXPECT_EQ(tabSet->TabRects().size(), 3u);
    EXPECT_FALSE(tabSet->Scroller()->Visible());

    std::vector<std::string> many;
    for (int i = 1; i <= 30; ++i) many.push_back("Sheet " + std::to_string(i));
    tabSet->SetTabs(many);
    EXPECT_TRUE(tabSet->Scroller()->Visible());
    const std::vector<RECT> shown = tabSet->TabRects();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().left, tabSet->StartMargin());
    EXPECT_LE(shown.back().right + TTabSet::kScrollerRoom, tabSet->ClientWidth() - tabSet->EndMargin());
    // A click on the second tab shown selects it; the scroller moves the first tab shown.
    SendMessageA(tabSet->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(shown[1].left + 2, 5));
    SendMessageA(tabSet->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(shown[1].left + 2, 5));
    EXPECT_EQ(tabSet->TabIndex(), 1);
    // A click on the scroller's right arrow.
    const HWND scroller = tabSet->Scroller()->Handle();
    const LPARAM rightArrow = MAKELPARAM(tabSet->Scroller()->Width() - 3, tabSet->Scroller()->Height() / 2);
    SendMessageA(scroller, WM_LBUTTONDOWN, MK_LBUTTON, rightArrow);
    SendMessageA(scroller, WM_LBUTTONUP, 0, rightArrow);
    PumpFor(20);
    EXPECT_EQ(tabSet->FirstIndex(), 1);
    EXPECT_EQ(tabSet->TabRects().front().left, tabSet->StartMargin());
    // All fit again from the start: the scroller goes.
    tabSet->SetTabs({"A", "B"});
    EXPECT_EQ(tabSet->FirstIndex(), 0);
    EXPECT_FALSE(tabSet->Scroller()->Visible());
}

TEST(TabControls, TheTabClassesAreMadeByNameWithTheirProperties) {
    RegisterTabControls();
    RegisterTabSets();
    RegisterAcmeTabs();
    auto form = MakeForm();
    for (const char* name : {"TTabControl", "TPageControl", "TTabSheet", "TTabbedNotebook", "TTabSet", "TAcmePageControl"})
        EXPECT_NE(FindClass(name), nullptr) << name;
    auto* pages = dynamic_cast<TPageControl*>(GetClass("TAcmePageControl").Create(form.get()));
    ASSERT_NE(pages, nullptr);
    pages->SetParent(form.get());
    SetPropText(*pages, "TabPosition", "tpBottom");
    SetPropText(*pages, "Style", "tsButtons");
    EXPECT_EQ(pages->TabPosition(), tpBottom);
    EXPECT_EQ(GetPropEnumText(*pages, "Style"), "tsButtons");
    EXPECT_EQ(GetPropEnumText(*pages, "OwnerDraw"), "True");
    EXPECT_NE(GetPropObject(*pages, "TabBackGround"), nullptr);
    EXPECT_TRUE(StyleOf(pages->Handle()) & TCS_OWNERDRAWFIXED);
}

}  // namespace
}  // namespace velloran
