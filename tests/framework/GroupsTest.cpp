// Controls that group others: radio buttons among their siblings, radio and check groups, group
// boxes and panels with their bevels and backgrounds.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/ExtCtrls.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

LRESULT CheckOf(TWinControl& button) { return SendMessageA(button.Handle(), BM_GETCHECK, 0, 0); }

TEST(RadioButtons, CheckingOneUnchecksItsSiblingsButNotThoseOfAnotherParent) {
    auto form = MakeForm();
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 3; ++i) radios.push_back(AddControl<TRadioButton>(*form, 10, 10 + 20 * i, 100, 17));
    auto* panel = AddControl<TPanel>(*form, 150, 10, 120, 60);
    auto* elsewhere = AddControl<TRadioButton>(*panel, 5, 5, 100, 17);
    elsewhere->SetChecked(true);
    std::vector<TObject*> clicks;
    for (TRadioButton* r : radios) r->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    form->Show();

    SendMessageA(radios[1]->Handle(), BM_CLICK, 0, 0);
    SendMessageA(radios[1]->Handle(), BM_CLICK, 0, 0);  // checked already: no click
    EXPECT_EQ(CheckOf(*radios[1]), BST_CHECKED);
    radios[2]->SetChecked(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(radios[i]->Checked(), i == 2) << i;
        EXPECT_EQ(CheckOf(*radios[i]), i == 2 ? BST_CHECKED : BST_UNCHECKED) << i;
        EXPECT_EQ(radios[i]->TabStop(), i == 2) << i;  // only the checked one is a tab stop
    }
    EXPECT_TRUE(elsewhere->Checked());
    radios[2]->SetChecked(false);  // unchecking is no click
    EXPECT_EQ(clicks, (std::vector<TObject*>{radios[1], radios[2]}));
}

TEST(RadioButtons, ArrowKeysMoveTheFocusAndTheCheckAlongTheGroup) {
    auto form = MakeForm();
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 3; ++i) radios.push_back(AddControl<TRadioButton>(*form, 10, 10 + 20 * i, 100, 17));
    radios[0]->SetChecked(true);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return radios[0]->Focused(); }));

    PostKey(GetFocus(), VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return radios[1]->Checked(); }));
    EXPECT_TRUE(radios[1]->Focused());
    EXPECT_FALSE(radios[0]->Checked());
    PostKey(GetFocus(), VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return radios[0]->Checked(); }));
    PostKey(GetFocus(), VK_UP);  // round to the last
    ASSERT_TRUE(PumpUntil([&] { return radios[2]->Checked(); }));
    EXPECT_EQ(form->ActiveControl(), radios[2]);
}

TEST(RadioGroup, ItemIndexChecksItsButtonAndEveryChangeRunsTheGroupsClick) {
    auto form = MakeForm();
    auto* group = AddControl<TRadioGroup>(*form, 10, 10, 200, 100);
    group->Items()->SetText("a\nb\nc");
    std::vector<int> clicks;
    group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
    ASSERT_EQ(group->ButtonCount(), 3);
    EXPECT_EQ(group->ItemIndex(), -1);
    // The checked button is the tab stop; with none checked the first one is.
    EXPECT_TRUE(group->Buttons(0)->TabStop());
    group->SetItemIndex(2);
    EXPECT_FALSE(group->Buttons(0)->TabStop());
    EXPECT_TRUE(group->Buttons(2)->TabStop());
    group->SetItemIndex(-1);
    EXPECT_TRUE(group->Buttons(0)->TabStop());
    // The form's activation gives it the focus, which checks it as the keyboard would.
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return group->ItemIndex() == 0; }));

    group->SetItemIndex(1);
    EXPECT_EQ(CheckOf(*group->Buttons(1)), BST_CHECKED);
    SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(CheckOf(*group->Buttons(1)), BST_UNCHECKED);

    // Fewer items bring the index back within them, quietly.
    group->Items()->Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons(1)->Checked());
    group->SetItemIndex(-1);
    EXPECT_FALSE(group->Buttons(1)->Checked());
    EXPECT_EQ(clicks, (std::vector<int>{2, 0, 1, 2}));
}

TEST(RadioGroup, ButtonsFillTheColumnsTopToBottom) {
    // Five buttons in two columns of a 210 x 100 group under a 13-pixel caption: three rows of
    // (100 - 13 - 5) div 3 = 27 pixels, columns (210 - 10) div 2 = 100 wide from x = 8.
    const RECT expected[] = {{8, 14, 108, 41}, {8, 41, 108, 68}, {8, 68, 108, 95}, {108, 14, 208, 41}, {108, 41, 208, 68}};
    for (int i = 0; i < 5; ++i) {
        const RECT r = ItemButtonBounds(i, 5, 2, {210, 100}, 13);
        EXPECT_TRUE(EqualRect(&r, &expected[i])) << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }

    auto form = MakeForm();
    auto* group = AddControl<TRadioGroup>(*form, 10, 10, 210, 100);
    group->Items()->SetText("1\n2\n3\n4\n5");
    group->SetColumns(2);
    EXPECT_EQ(group->Buttons(3)->Left(), group->Buttons(0)->Left() + 100);
    EXPECT_EQ(group->Buttons(3)->Top(), group->Buttons(0)->Top());
    group->SetColumns(1);
    group->SetBounds(10, 10, 210, 160);  // taller: the rows follow
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(group->Buttons(i)->Left(), group->Buttons(0)->Left());
        EXPECT_EQ(group->Buttons(i)->Top() - group->Buttons(i - 1)->Top(), group->Buttons(0)->Height());
    }
}

TEST(CheckGroup, ItsBoxesAreCheckedEachOnTheirOwn) {
    auto form = MakeForm();
    auto* group = AddControl<TCheckGroup>(*form, 10, 10, 200, 100);
    group->Items()->SetText("x\ny\nz");
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    SendMessageA(group->Buttons(0)->Handle(), BM_CLICK, 0, 0);
    group->SetChecked(2, true);
    EXPECT_TRUE(group->Checked(0));
    EXPECT_FALSE(group->Checked(1));
    EXPECT_EQ(CheckOf(*group->Buttons(2)), BST_CHECKED);
    EXPECT_EQ(clicks, 2);
}

// ---- backgrounds and bevels ----------------------------------------------------------------

struct TPixel {
    int X, Y;
    COLORREF Color;
};

void ExpectPixels(TWinControl& control, const std::vector<TPixel>& pixels) {
    RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (const TPixel& p : pixels) EXPECT_EQ(ScreenPixel(control.Handle(), p.X, p.Y), p.Color) << p.X << "," << p.Y;
}

TEST(Panel, BevelsFrameItsColourAndParentBackgroundShowsTheParentInstead) {
    auto form = MakePaintForm(300, 200, clBlue);
    auto* panel = AddControl<TPanel>(*form, 10, 10, 100, 50);
    panel->SetColor(clRed);
    panel->SetParentBackground(false);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    form->Show();

    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    // Raised outside: light top and left, dark bottom and right; two pixels of the colour; then
    // lowered inside, the other way round.
    ExpectPixels(*panel, {{0, 0, light}, {0, 48, light}, {99, 0, dark}, {50, 49, dark}, {1, 1, red}, {2, 20, red},
                          {3, 3, dark}, {96, 46, light}, {5, 5, red}});
    panel->SetBevelWidth(2);
    ExpectPixels(*panel, {{1, 1, light}, {98, 48, dark}, {3, 3, red}, {5, 5, dark}, {94, 43, light}, {7, 7, red}});
    // The bevels and the border stay; inside them the parent shows through.
    panel->SetParentBackground(true);
    ExpectPixels(*panel, {{0, 0, light}, {3, 3, red}, {5, 5, dark}, {7, 7, blue}});
}

TEST(GroupBox, InsideShowsItsColourOrItsParentsBackgroundAndItsChildrenWork) {
    auto form = MakePaintForm(300, 200, clBlue);
    auto* box = AddControl<TGroupBox>(*form, 10, 10, 150, 100);
    box->SetCaption("Frame");
    box->SetColor(clRed);
    box->SetParentBackground(false);
    auto* radio = AddControl<TRadioButton>(*box, 10, 20, 100, 17);
    form->Show();

    ExpectPixels(*box, {{75, 80, RGB(255, 0, 0)}});
    box->SetParentBackground(true);
    ExpectPixels(*box, {{75, 80, RGB(0, 0, 255)}});
    SendMessageA(radio->Handle(), BM_CLICK, 0, 0);  // its notification goes through the group box
    EXPECT_TRUE(radio->Checked());
}

}  // namespace
}  // namespace velloran
