// The grid, the list view's sorting by column, the extended combo box and the outside vendor's
// edit with buttons, on real windows: scrolling a cell at a time within the range, sorting both
// ways, items kept across a re-created window, and buttons that click without touching the text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ComboBoxExs.h"
#include "framework/Forms.h"
#include "framework/Grids.h"
#include "framework/ListViews.h"
#include "framework/TypInfo.h"
#include "framework/vendor/AcmeEdits.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

template <class T>
T* Add(TForm& form, int width, int height) {
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(10, 10, width, height);
    return control;
}

SCROLLINFO BarOf(HWND wnd, int bar) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(wnd, bar, &info);
    return info;
}

// A notification as the control sends it to its parent.
template <class T>
void Notify(TWinControl& control, T notification, UINT code) {
    notification.hdr.hwndFrom = control.Handle();
    notification.hdr.code = code;
    SendMessageA(GetParent(control.Handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notification));
}

TEST(Tables, AGridScrollsACellAtATimeWithinItsRange) {
    TOwned<TForm> form(new TForm(nullptr));
    auto* grid = Add<TStringGrid>(*form, 230, 136);
    grid->SetColCount(8);
    grid->SetRowCount(16);
    grid->SetDefaultColWidth(56);
    grid->SetDefaultRowHeight(18);
    const HWND wnd = grid->Handle();
    const int rows = (grid->ClientHeight() - 19) / 19, cols = (grid->ClientWidth() - 57) / 57;
    const SCROLLINFO vertical = BarOf(wnd, SB_VERT), horizontal = BarOf(wnd, SB_HORZ);
    EXPECT_EQ(vertical.nMin, 1);
    EXPECT_EQ(vertical.nMax, 15);
    EXPECT_EQ(static_cast<int>(vertical.nPage), rows);
    EXPECT_EQ(horizontal.nMax, 7);
    EXPECT_EQ(static_cast<int>(horizontal.nPage), cols);

    const struct {
        UINT Msg;
        WPARAM Request;
        int TopRow, LeftCol;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, 2, 1},          {WM_VSCROLL, SB_PAGEDOWN, 2 + rows, 1},
        {WM_VSCROLL, SB_BOTTOM, 16 - rows, 1},    {WM_VSCROLL, SB_LINEDOWN, 16 - rows, 1},
        {WM_VSCROLL, SB_TOP, 1, 1},               {WM_VSCROLL, SB_LINEUP, 1, 1},
        {WM_HSCROLL, SB_LINEDOWN, 1, 2},          {WM_HSCROLL, SB_BOTTOM, 1, 8 - cols},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 4, 8 - cols},
    };
    for (const auto& step : steps) {
        SendMessageA(wnd, step.Msg, step.Request, 0);
        EXPECT_EQ(grid->TopRow(), step.TopRow) << step.Msg << " " << step.Request;
        EXPECT_EQ(grid->LeftCol(), step.LeftCol) << step.Msg << " " << step.Request;
        EXPECT_EQ(BarOf(wnd, SB_VERT).nPos, grid->TopRow());
    }
    grid->SetCell(2, 3, "x");
    EXPECT_EQ(grid->Cell(2, 3), "x");
    EXPECT_EQ(grid->Cell(3, 2), "");
    EXPECT_EQ(GetPropOrd(*grid, "FixedRows"), 1);
}

TEST(Tables, AListViewSortsByTheClickedColumnAndBackAgainOnASecondClick) {
    TOwned<TForm> form(new TForm(nullptr));
    auto* view = Add<TListView>(*form, 250, 150);
    view->SetViewStyle(vsReport);
    view->AddColumn("Fruit", 90);
    view->AddColumn("Colour", 90);
    view->AddItem({"Banana", "yellow"});
    view->AddItem({"Apple", "red"});
    view->AddItem({"Cherry", "dark red"});
    const auto column = [&](int sub) {
        std::vector<std::string> texts;
        for (int row = 0; row < view->ItemCount(); ++row) {
            char text[64] = {};
            LVITEMA cell{};
            cell.iSubItem = sub;
            cell.pszText = text;
            cell.cchTextMax = sizeof text;
            SendMessageA(view->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
            texts.push_back(text);
        }
        return texts;
    };
    NMLISTVIEW click{};
    click.iSubItem = 1;
    Notify(*view, click, LVN_COLUMNCLICK);
    EXPECT_EQ(column(1), (std::vector<std::string>{"dark red", "red", "yellow"}));
    EXPECT_EQ(column(0), (std::vector<std::string>{"Cherry", "Apple", "Banana"}));
    Notify(*view, click, LVN_COLUMNCLICK);
    EXPECT_EQ(column(1), (std::vector<std::string>{"yellow", "red", "dark red"}));
    click.iSubItem = 0;
    Notify(*view, click, LVN_COLUMNCLICK);
    EXPECT_EQ(column(0), (std::vector<std::string>{"Apple", "Banana", "Cherry"}));
}

TEST(Tables, ExtendedCombosAndButtonEditsKeepWhatTheyAreGiven) {
    TOwned<TForm> form(new TForm(nullptr));
    auto* extended = Add<TComboBoxEx>(*form, 150, 22);
    for (const char* item : {"One", "Two", "Three"}) extended->AddItem(item, 1);
    extended->SetItemIndex(2);
    extended->HandleNeeded();
    extended->SetStyle(csDropDownList);  // a new window
    char className[32] = {};
    GetClassNameA(extended->ComboHandle(), className, sizeof className);
    EXPECT_STREQ(className, "ComboBox");
    EXPECT_EQ(GetWindowLongPtrA(extended->ComboHandle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageA(extended->ComboHandle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(extended->ItemIndex(), 2);

    // The vendor's edit, known by name: its text keeps clear of its buttons, which click.
    RegisterAcmeEdits();
    auto* edit = dynamic_cast<TDCEdit*>(GetClass("TDCEdit").Create(form.get()));
    ASSERT_NE(edit, nullptr);
    edit->SetParent(form.get());
    edit->SetBounds(10, 40, 150, 22);
    edit->SetText("Some text");
    const int buttonWidth = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(HIWORD(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0)), buttonWidth);
    std::vector<int> clicks;
    edit->OnButtonClick = [&](TDCEdit*, int button) { clicks.push_back(button); };
    const auto press = [&](POINT p) {
        SendMessageA(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    };
    SendMessageA(edit->Handle(), EM_SETSEL, 0, 4);
    const RECT button = edit->ButtonRect(0);
    press(POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    EXPECT_EQ(clicks, std::vector<int>{0});
    DWORD start = 0, end = 0;
    SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 4u) << "a press on a button leaves the selection alone";
    press(POINT{5, 5});
    EXPECT_EQ(clicks.size(), 1u);
    SetPropText(*edit, "NumButtons", "2");
    EXPECT_EQ(HIWORD(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0)), 2 * buttonWidth);
}

}  // namespace
}  // namespace velloran
