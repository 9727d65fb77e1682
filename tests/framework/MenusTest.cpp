// Menus: platform menus built from the item tree and rebuilt on change, commands routed to the
// items' OnClick, owner-drawn items measured and drawn through their events, and a popup menu
// shown and chosen from.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

struct TItemInfo {
    UINT Type = 0, State = 0, Id = 0;
    std::string Text;
    HMENU SubMenu = nullptr;
    ULONG_PTR Data = 0;
};

TItemInfo ItemAt(HMENU menu, int position) {
    char text[64] = {};
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_DATA;
    mii.dwTypeData = text;
    mii.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mii)) << "position " << position;
    return {mii.fType, mii.fState, mii.wID, text, mii.hSubMenu, mii.dwItemData};
}

// A form owns the menus and items, as form data makes them.
class Menus : public ::testing::Test {
protected:
    TMenuItem* Item(TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(owner_.get());
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    TOwned<TForm> owner_{new TForm(nullptr)};
};

TEST_F(Menus, PopupMenuHoldsTheVisibleItemsWithTheirMarks) {
    auto* popup = new TPopupMenu(owner_.get());
    TMenuItem* root = popup->Items();
    auto* open = Item(root, "&Open");
    open->SetDefault(true);
    Item(root, "-");
    Item(root, "Hidden")->SetVisible(false);
    auto* checked = Item(root, "Checked");
    checked->SetChecked(true);
    Item(root, "Disabled")->SetEnabled(false);
    auto* radio = Item(root, "Radio");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    auto* more = Item(root, "More");
    Item(more, "A");
    Item(more, "B")->SetVisible(false);
    Item(more, "C");

    HMENU menu = popup->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    TItemInfo first = ItemAt(menu, 0);
    EXPECT_EQ(first.Text, "&Open");
    EXPECT_EQ(first.Id, open->Command());
    EXPECT_EQ(first.Data, reinterpret_cast<ULONG_PTR>(open));
    EXPECT_TRUE(first.State & MFS_DEFAULT);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), open->Command());
    EXPECT_TRUE(ItemAt(menu, 1).Type & MFT_SEPARATOR);
    TItemInfo third = ItemAt(menu, 2);
    EXPECT_EQ(third.Text, "Checked");
    EXPECT_EQ(third.Id, checked->Command());
    EXPECT_TRUE(third.State & MFS_CHECKED);
    EXPECT_FALSE(third.State & MFS_DISABLED);
    TItemInfo fourth = ItemAt(menu, 3);
    EXPECT_EQ(fourth.Text, "Disabled");
    EXPECT_TRUE(fourth.State & MFS_DISABLED);
    EXPECT_FALSE(fourth.State & MFS_CHECKED);
    TItemInfo fifth = ItemAt(menu, 4);
    EXPECT_TRUE(fifth.Type & MFT_RADIOCHECK);
    EXPECT_TRUE(fifth.State & MFS_CHECKED);
    TItemInfo last = ItemAt(menu, 5);
    ASSERT_NE(last.SubMenu, nullptr);
    ASSERT_EQ(GetMenuItemCount(last.SubMenu), 2);
    EXPECT_EQ(ItemAt(last.SubMenu, 1).Text, "C");
    EXPECT_FALSE(ItemAt(menu, 0).Type & MFT_OWNERDRAW);
}

TEST_F(Menus, ChangesToItemsRebuildTheMenu) {
    auto* popup = new TPopupMenu(owner_.get());
    auto* one = Item(popup->Items(), "One");
    auto* two = Item(popup->Items(), "Two");
    auto* three = Item(popup->Items(), "Three");
    three->SetVisible(false);
    one->SetDefault(true);
    ASSERT_EQ(GetMenuItemCount(popup->Handle()), 2);

    two->SetCaption("Second");
    EXPECT_EQ(ItemAt(popup->Handle(), 1).Text, "Second");
    three->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(popup->Handle()), 3);
    two->SetDefault(true);  // one default per level
    EXPECT_FALSE(one->Default());
    EXPECT_EQ(GetMenuDefaultItem(popup->Handle(), FALSE, 0), two->Command());
    two->SetChecked(true);
    EXPECT_TRUE(ItemAt(popup->Handle(), 1).State & MFS_CHECKED);
    Item(two, "Nested");
    EXPECT_NE(ItemAt(popup->Handle(), 1).SubMenu, nullptr);

    popup->Items()->Remove(one);
    EXPECT_EQ(GetMenuItemCount(popup->Handle()), 2);
    EXPECT_EQ(ItemAt(popup->Handle(), 0).Text, "Second");
    Free(three);
    EXPECT_EQ(GetMenuItemCount(popup->Handle()), 1);
    popup->Items()->Insert(0, one);
    EXPECT_EQ(ItemAt(popup->Handle(), 0).Text, "One");

    popup->SetOwnerDraw(true);
    EXPECT_TRUE(ItemAt(popup->Handle(), 0).Type & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemAt(ItemAt(popup->Handle(), 1).SubMenu, 0).Type & MFT_OWNERDRAW);
}

TEST_F(Menus, CommandsSentToThePopupWindowRunTheItemsOnClick) {
    auto* popup = new TPopupMenu(owner_.get());
    auto* first = Item(popup->Items(), "First");
    auto* parent = Item(popup->Items(), "Parent");
    auto* nested = Item(parent, "Nested");
    std::vector<TObject*> clicks;
    for (TMenuItem* item : {first, nested}) item->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    EXPECT_NE(first->Command(), nested->Command());
    EXPECT_EQ(TMenuItem::FromCommand(nested->Command()), nested);

    HWND wnd = TPopupMenu::PopupWindow();
    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(nested->Command(), 0), 0);
    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(first->Command(), 0), 0);
    // A control's notification that happens to carry the same number is not a menu command.
    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(first->Command(), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
    EXPECT_EQ(clicks, (std::vector<TObject*>{nested, first}));

    const UINT gone = nested->Command();
    Free(nested);
    EXPECT_EQ(TMenuItem::FromCommand(gone), nullptr);
    SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(gone, 0), 0);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(Menus, MainMenuOnAFormRunsCommandsAndFollowsChanges) {
    auto* menu = new TMainMenu(owner_.get());
    auto* file = Item(menu->Items(), "&File");
    auto* exit = Item(file, "E&xit");
    int exits = 0;
    exit->OnClick = [&](TObject*) { ++exits; };
    owner_->SetMenu(menu);
    HWND form = owner_->Handle();
    ASSERT_EQ(GetMenu(form), menu->Handle());

    file->SetCaption("&Program");
    ASSERT_EQ(GetMenu(form), menu->Handle());
    EXPECT_EQ(ItemAt(GetMenu(form), 0).Text, "&Program");

    SendMessageA(form, WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
    EXPECT_EQ(exits, 1);

    // A new window for the form (another border) shows the same menu.
    owner_->SetBorderStyle(bsSingle);
    ASSERT_TRUE(IsMenu(GetMenu(owner_->Handle())));
    EXPECT_EQ(GetMenuItemCount(GetMenu(owner_->Handle())), 1);
    EXPECT_EQ(ItemAt(GetMenu(owner_->Handle()), 0).Text, "&Program");

    Free(menu);
    EXPECT_EQ(owner_->Menu(), nullptr);
    EXPECT_EQ(GetMenu(owner_->Handle()), nullptr);
}

// ---- owner-drawn items --------------------------------------------------------------------

LRESULT Measure(HWND wnd, TMenuItem* item, MEASUREITEMSTRUCT& mis, UINT type = ODT_MENU) {
    mis = {};
    mis.CtlType = type;
    mis.itemID = item->Command();
    mis.itemData = reinterpret_cast<ULONG_PTR>(item);
    return SendMessageA(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
}

LRESULT Draw(HWND wnd, TMenuItem* item, HDC dc, RECT rect, bool selected) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item->Command();
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = selected ? ODS_SELECTED : 0;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(item);
    return SendMessageA(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

TEST_F(Menus, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheirEvents) {
    auto* popup = new TPopupMenu(owner_.get());
    popup->SetOwnerDraw(true);
    auto* item = Item(popup->Items(), "A rather long caption");
    auto* line = Item(popup->Items(), "-");
    HWND wnd = TPopupMenu::PopupWindow();

    MEASUREITEMSTRUCT mis;
    EXPECT_TRUE(Measure(wnd, item, mis));
    EXPECT_GT(static_cast<int>(mis.itemWidth), 2 * GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_GE(static_cast<int>(mis.itemHeight), GetSystemMetrics(SM_CYMENU));
    const UINT defaultWidth = mis.itemWidth;
    EXPECT_TRUE(Measure(wnd, line, mis));
    EXPECT_EQ(static_cast<int>(mis.itemHeight), GetSystemMetrics(SM_CYMENU) / 2);

    std::vector<std::string> calls;
    item->OnMeasureItem = [&](TObject* sender, TCanvas* canvas, int& width, int& height) {
        EXPECT_EQ(sender, item);
        EXPECT_NE(canvas->Handle(), nullptr);
        EXPECT_EQ(width, static_cast<int>(defaultWidth));
        calls.push_back("measure");
        width = 123;
        height = 45;
    };
    EXPECT_TRUE(Measure(wnd, item, mis));
    EXPECT_EQ(mis.itemWidth, 123u);
    EXPECT_EQ(mis.itemHeight, 45u);

    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TBitmapHandle bmp(CreateCompatibleBitmap(TWindowDC(nullptr).get(), 60, 20));
    TSelectObject select(dc.get(), bmp.get());
    item->OnDrawItem = [&](TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
        EXPECT_EQ(sender, item);
        EXPECT_EQ(canvas->Handle(), dc.get());
        EXPECT_EQ(rect.right, 60);
        EXPECT_EQ(rect.bottom, 20);
        calls.push_back(selected ? "draw selected" : "draw");
    };
    EXPECT_TRUE(Draw(wnd, item, dc.get(), {0, 0, 60, 20}, true));
    EXPECT_TRUE(Draw(wnd, item, dc.get(), {0, 0, 60, 20}, false));
    // A form routes the requests of its main menu the same way.
    EXPECT_TRUE(Measure(owner_->Handle(), item, mis));
    EXPECT_EQ(calls, (std::vector<std::string>{"measure", "draw selected", "draw", "measure"}));

    // Requests for controls are not menu requests.
    EXPECT_FALSE(Measure(wnd, item, mis, ODT_BUTTON));
    EXPECT_EQ(calls.size(), 4u);

    // Without a handler the item paints the system's menu colours.
    item->OnDrawItem = nullptr;
    Draw(wnd, item, dc.get(), {0, 0, 60, 20}, true);
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), GetSysColor(COLOR_HIGHLIGHT));
    Draw(wnd, item, dc.get(), {0, 0, 60, 20}, false);
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), GetSysColor(COLOR_MENU));
}

TEST_F(Menus, MeasuresFollowTheMenuFontWhenTheSystemSettingsChange) {
    auto* popup = new TPopupMenu(owner_.get());
    popup->SetOwnerDraw(true);
    auto* line = Item(popup->Items(), "-");
    HWND wnd = TPopupMenu::PopupWindow();
    MEASUREITEMSTRUCT mis;
    ASSERT_TRUE(Measure(wnd, line, mis));
    const UINT lineBefore = mis.itemHeight;

    // A larger menu font for this session only (not written to the settings), put back at the end.
    NONCLIENTMETRICSA before{};
    before.cbSize = sizeof before;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof before, &before, 0));
    struct TRestore {
        NONCLIENTMETRICSA Metrics;
        HWND Form;
        ~TRestore() {
            SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0);
            SendMessageA(Form, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
        }
    } restore{before, owner_->Handle()};
    NONCLIENTMETRICSA larger = before;
    larger.lfMenuFont.lfHeight = before.lfMenuFont.lfHeight < 0 ? before.lfMenuFont.lfHeight * 3 : -36;
    larger.iMenuHeight = before.iMenuHeight * 3;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0));
    ASSERT_NE(GetSystemMetrics(SM_CYMENU) / 2, static_cast<int>(lineBefore)) << "the system's measure did not change";

    SendMessageA(owner_->Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    ASSERT_TRUE(Measure(wnd, line, mis));
    EXPECT_EQ(static_cast<int>(mis.itemHeight), GetSystemMetrics(SM_CYMENU) / 2);
}

// Ends a menu left open by a failing test, so that the run goes on.
class TMenuWatchdog {
public:
    TMenuWatchdog()
        : thread_([this] {
              for (int i = 0; i < 1000 && !done_; ++i) Sleep(10);
              if (!done_) EndMenu();
          }) {}
    ~TMenuWatchdog() {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST_F(Menus, PopupShowsTheMenuAndRunsTheChosenItem) {
    auto* popup = new TPopupMenu(owner_.get());
    popup->SetOwnerDraw(true);
    auto* first = Item(popup->Items(), "First");
    auto* second = Item(popup->Items(), "Second");
    std::vector<std::string> log;
    popup->OnPopup = [&](TObject*) { log.push_back("popup"); };
    int measured = 0, drawn = 0;
    for (TMenuItem* item : {first, second}) {
        item->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++measured; };
        item->OnDrawItem = [&](TObject*, TCanvas*, RECT, bool) { ++drawn; };
        item->OnClick = [&, item](TObject*) { log.push_back("click " + item->Caption()); };
    }

    // The menu's own loop reads the keys waiting in the queue.
    HWND wnd = TPopupMenu::PopupWindow();
    PostKey(wnd, VK_DOWN);
    PostKey(wnd, VK_DOWN);
    PostKey(wnd, VK_RETURN);
    {
        TMenuWatchdog watchdog;
        popup->Popup(100, 100);
    }
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "click Second"}));
    EXPECT_GE(measured, 2);
    EXPECT_GE(drawn, 2);
}

}  // namespace
}  // namespace velloran
