// The gallery under Wine: its command line, the window style of every page, the MDI frame with
// its children and Window menu, the skin chooser driving the skin data, and the page of fields
// and lists and the page of bars and gauges with a skinner of the right family on each of their
// controls and on the bare size grip; every page open through many skin switches and repaints,
// giving back every GDI and USER object and its private bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CoolBars.h"
#include "framework/MediaPlayers.h"
#include "framework/Menus.h"
#include "framework/ScrollCtrls.h"
#include "framework/TabControls.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBars.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinGauges.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinSpin.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/form/WinSkinForm.h"
#include "skin/form/WinSkinMenu.h"
#include "skin/manager/SkinManage.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/MenuScript.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/soak/ProcessFigures.h"
#include "tests/tray/TrayTestSupport.h"
#include "tools/gallery/BarsForm.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/GalleryPages.h"
#include "tools/gallery/MdiFrameForm.h"
#include "tools/gallery/NoCaptionForm.h"
#include "tools/gallery/SkinnerClasses.h"
#include "tools/gallery/TabsForm.h"
#include "tools/gallery/ToolbarsForm.h"

namespace velloran {
namespace {

using namespace fwtest;

TEST(GalleryOptions, ReadsEverySwitchAndRefusesWhatItDoesNotKnow) {
    const TGalleryOptions defaults = ParseGalleryOptions({});
    EXPECT_EQ(defaults.SkinsFolder, DefaultSkinsFolder());
    EXPECT_EQ(defaults.Open, kMainPageName);
    EXPECT_EQ(defaults.Skin, "");

    const TGalleryOptions given = ParseGalleryOptions({"--skin", "none", "--open", "MDI", "--skins", "Z:\\skins"});
    EXPECT_EQ(given.SkinsFolder, "Z:\\skins");
    EXPECT_EQ(given.Open, "MDI");
    EXPECT_EQ(given.Skin, kNoSkinName);

    EXPECT_THROW(ParseGalleryOptions({"--colour", "red"}), std::invalid_argument);
    EXPECT_THROW(ParseGalleryOptions({"--open"}), std::invalid_argument);
    EXPECT_THROW(ParseGalleryOptions({"--open", "nowhere"}), std::invalid_argument);
}

class Gallery : public ::testing::Test {
protected:
    // Each test starts as the program does: without a skin manager.
    void TearDown() override {
        form_.reset();
        TSkinManage::Shutdown();
    }
    void Start(const std::string& skin, const std::string& open = kMainPageName) {
        TGalleryOptions options;
        options.SkinsFolder = DefaultSkinsFolder();
        options.Skin = skin;
        options.Open = open;
        form_->Start(options);
        PumpFor(100);
    }
    static DWORD Style(TForm* form) { return static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_STYLE)); }
    static DWORD ExStyle(TForm* form) { return static_cast<DWORD>(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE)); }
    static void Click(TWinControl* control) { SendMessageA(control->Handle(), BM_CLICK, 0, 0); }

    TOwned<TGalleryMainForm> form_{new TGalleryMainForm(nullptr)};
};

struct TExpectedFrame {
    const char* Page;
    TBorderStyle Border;
    DWORD Style, ExStyle, AbsentStyle;
};

TEST_F(Gallery, EveryPageOpensWithItsOwnKindOfFrame) {
    Start(kNoSkinName, "nocaption");
    auto* noCaption = dynamic_cast<TGalleryNoCaptionForm*>(form_->OpenPage("nocaption"));
    ASSERT_NE(noCaption, nullptr);
    EXPECT_TRUE(IsWindowVisible(noCaption->Handle())) << "--open shows its page at start";
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    EXPECT_EQ(form_->Caption(), "Velloran Gallery");

    const TExpectedFrame frames[] = {
        {"main", bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, WS_POPUP},
        {"dialog", bsDialog, WS_CAPTION | DS_MODALFRAME, WS_EX_DLGMODALFRAME, WS_THICKFRAME | WS_MAXIMIZEBOX},
        {"tool", bsToolWindow, WS_CAPTION, WS_EX_TOOLWINDOW, WS_THICKFRAME},
        {"nocaption", bsNone, WS_POPUP, 0, WS_CAPTION | WS_THICKFRAME},
        {"mdi", bsSizeable, WS_CAPTION | WS_THICKFRAME, 0, WS_POPUP},
    };
    for (const TExpectedFrame& expected : frames) {
        SCOPED_TRACE(expected.Page);
        TForm* page = form_->OpenPage(expected.Page);
        EXPECT_TRUE(IsWindowVisible(page->Handle()));
        EXPECT_EQ(page->BorderStyle(), expected.Border);
        EXPECT_EQ(Style(page) & expected.Style, expected.Style);
        EXPECT_EQ(ExStyle(page) & expected.ExStyle, expected.ExStyle);
        EXPECT_EQ(Style(page) & expected.AbsentStyle, 0u);
        EXPECT_EQ(form_->OpenPage(expected.Page), page) << "a page is made once";
    }

    Click(noCaption->CloseButton);
    EXPECT_FALSE(IsWindowVisible(noCaption->Handle()));
    EXPECT_THROW(form_->OpenPage("nowhere"), std::invalid_argument);
}

TEST_F(Gallery, TheMdiFrameHoldsThreeChildrenThatItsWindowMenuArranges) {
    Start(kNoSkinName, "mdi");
    auto* frame = dynamic_cast<TGalleryMdiFrameForm*>(form_->OpenPage("mdi"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FormStyle(), fsMDIForm);
    ASSERT_NE(frame->ClientHandle(), nullptr);
    EXPECT_EQ(ClassNameOf(frame->ClientHandle()), "MDIClient");
    ASSERT_EQ(frame->MDIChildCount(), TGalleryMdiFrameForm::kChildCount);
    ASSERT_NE(frame->WindowMenu(), nullptr);
    EXPECT_EQ(frame->CascadeItem->Parent(), frame->WindowMenu());
    EXPECT_EQ(frame->TileItem->Parent(), frame->WindowMenu());
    EXPECT_EQ(frame->ArrangeItem->Parent(), frame->WindowMenu());

    auto childRects = [&] {
        std::vector<RECT> rects;
        for (int i = 0; i < frame->MDIChildCount(); ++i) {
            HWND child = frame->MDIChildren(i)->Handle();
            EXPECT_EQ(GetParent(child), frame->ClientHandle());
            EXPECT_NE(GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
            EXPECT_TRUE(IsWindowVisible(child));
            RECT r;
            GetWindowRect(child, &r);
            rects.push_back(r);
        }
        return rects;
    };
    // At start the children are cascaded, each one's caption in sight; tiled, none covers another.
    std::vector<RECT> rects = childRects();
    EXPECT_NE(rects[0].top, rects[1].top);
    EXPECT_NE(rects[1].top, rects[2].top);
    frame->TileItem->Click();
    rects = childRects();
    for (size_t a = 0; a < rects.size(); ++a)
        for (size_t b = a + 1; b < rects.size(); ++b) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &rects[a], &rects[b])) << "children " << a << " and " << b;
        }
    frame->CascadeItem->Click();
    rects = childRects();
    EXPECT_NE(rects[0].top, rects[1].top);
}

TEST_F(Gallery, SkinnedMenuBarsOnTheMainFormTheRightToLeftPageAndTheMdiFrame) {
    Start("Default");
    TSkinManage& manager = *TSkinManage::Instance();
    auto skinnerOf = [&](TForm* form) {
        TWinSkinForm* skinner = nullptr;
        EXPECT_TRUE(PumpUntil([&] {
            skinner = manager.FindFormSkinner(form->Handle());
            return skinner && skinner->Stage == stSkinned && skinner->MenuBar;
        }));
        return skinner;
    };
    // The main form's View menu: a toggle flips its check, and the rebuilt bar keeps its buttons.
    TWinSkinForm* main = skinnerOf(form_.get());
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(main->MenuBar->Buttons.size(), 3u);
    EXPECT_EQ(GetMenu(form_->Handle()), nullptr);
    TMenuItem* view = form_->Menu()->Items()->Items(1);
    TMenuItem* grid = view->Items(1);
    EXPECT_TRUE(grid->Checked());
    EXPECT_GE(grid->ImageIndex(), 0);
    SendMessageA(form_->Handle(), WM_COMMAND, grid->Command(), 0);
    EXPECT_FALSE(grid->Checked());
    EXPECT_EQ(main->MenuBar->Buttons.size(), 3u);
    EXPECT_EQ(main->MenuBar->Buttons[1]->Caption, L"&View");

    TWinSkinForm* rightToLeft = skinnerOf(form_->OpenPage("righttoleft"));
    ASSERT_NE(rightToLeft, nullptr);
    EXPECT_TRUE(rightToLeft->MenuBar->RightToLeft());
    EXPECT_GT(rightToLeft->MenuBar->Buttons[0]->Rect.left, rightToLeft->MenuBar->Buttons[1]->Rect.left);

    // With a child maximised the Window menu still lists the children, opened from the bar.
    auto* frame = dynamic_cast<TGalleryMdiFrameForm*>(form_->OpenPage("mdi"));
    ASSERT_NE(frame, nullptr);
    TWinSkinForm* frameSkinner = skinnerOf(frame);
    ASSERT_NE(frameSkinner, nullptr);
    SendMessageA(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(frame->MDIChildren(0)->Handle()), 0);
    ASSERT_TRUE(PumpUntil([&] { return manager.MdiMaximized; }));
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
    traytest::TMenuSpy spy;
    SetForegroundWindow(frame->Handle());
    EXPECT_EQ(SendMessageA(frame->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'w'), 1);
    ASSERT_NE(spy.Menu, nullptr);
    int children = 0;
    for (int i = 0; i < GetMenuItemCount(spy.Menu); ++i) {
        char text[64] = {};
        GetMenuStringA(spy.Menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        for (int c = 0; c < frame->MDIChildCount(); ++c) children += std::string(text).find(frame->MDIChildren(c)->Caption()) != std::string::npos;
    }
    EXPECT_EQ(children, TGalleryMdiFrameForm::kChildCount);
    EXPECT_EQ(GetMenuItemID(spy.Menu, 0), frame->CascadeItem->Command());

    // Alt and W typed in the active child reach the frame's bar.
    const HMENU windowMenu = spy.Menu;
    traytest::TMenuSpy typed;
    std::vector<INPUT> keys(4);
    const WORD sequence[][2] = {{VK_MENU, 0}, {'W', 0}, {'W', KEYEVENTF_KEYUP}, {VK_MENU, KEYEVENTF_KEYUP}};
    for (size_t i = 0; i < keys.size(); ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return typed.Menu != nullptr; }));
    EXPECT_EQ(typed.Menu, windowMenu);
}

// The shown popup menu's skinner when it is skinned, painted and shows `menu`; null otherwise.
TWinSkinPopMenu* ShownPopupSkinner(HMENU menu) {
    for (const auto& popup : TSkinManage::Instance()->PopupSkinners())
        if (popup->MenuHandle == menu && IsWindowVisible(popup->Window) && UpdateWindow(popup->Window))
            return popup.get();
    return nullptr;
}

POINT MenuItemCentre(HMENU menu, int position) {
    RECT item{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

bool OwnerDrawn(HMENU menu, int position) {
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

TEST_F(Gallery, TheContextMenuOpensSkinnedAndAnItemChosenByMouseOrKeyboardRunsOnce) {
    if (!skintest::HasXinputRelay()) GTEST_SKIP() << "needs the xdotool relay";
    Start("Default");
    ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->FindFormSkinner(form_->Handle()) != nullptr; }));
    // The deferred skin work after activation would close a menu opened before it.
    PumpFor(700);
    TPopupMenu& menu = *form_->ContextMenu;
    TMenuItem& hints = *menu.Items()->Items(2);
    TMenuItem& grid = *menu.Items()->Items(3);
    ASSERT_EQ(hints.Caption(), "Show &hints");
    ASSERT_TRUE(hints.Checked());
    ASSERT_TRUE(grid.Checked());

    // A right click on the client area, away from the buttons; a click on the item.
    RECT client{};
    GetClientRect(form_->Handle(), &client);
    POINT empty{client.right - 10, client.bottom - 10};
    ClientToScreen(form_->Handle(), &empty);
    TWinSkinPopMenu* shown = nullptr;
    bool ownerDrawn = false;
    skintest::TMenuScript byMouse{{[&] { return (shown = ShownPopupSkinner(menu.Handle())) != nullptr; },
                                   [&] {
                                       ownerDrawn = OwnerDrawn(menu.Handle(), 2) && OwnerDrawn(menu.Handle(), 3);
                                       return skintest::XClickAt(MenuItemCentre(menu.Handle(), 2));
                                   }},
                                  true};
    EXPECT_TRUE(byMouse.Run([&] {
        ASSERT_TRUE(skintest::XMoveTo(empty));
        ASSERT_TRUE(skintest::Xdotool("click 3"));
        PumpUntil([&] { return !hints.Checked(); }, 5000);
    }));
    PumpFor(50);
    EXPECT_NE(shown, nullptr) << "the context menu's popup has a popup skinner";
    EXPECT_TRUE(ownerDrawn) << "the skin paints the context menu's items";
    EXPECT_FALSE(hints.Checked()) << "the clicked toggle ran once";
    EXPECT_TRUE(grid.Checked()) << "no other item ran";
    EXPECT_TRUE(TSkinManage::Instance()->PopupSkinners().empty()) << "the popup skinner goes with its menu";

    // The menu key opens it at the client's top left: Down, Down, Down reaches the grid toggle.
    skintest::TMenuScript byKeyboard{{[&] { return ShownPopupSkinner(menu.Handle()) != nullptr; },
                                      [] { return skintest::Xdotool("key Down Down Down Return"); }},
                                     true};
    EXPECT_TRUE(byKeyboard.Run([&] {
        ASSERT_TRUE(skintest::Xdotool("key Menu"));
        PumpUntil([&] { return !grid.Checked(); }, 5000);
    }));
    PumpFor(50);
    EXPECT_FALSE(grid.Checked());
    EXPECT_FALSE(hints.Checked());

    // Asked for on the caption, the context menu stays shut: that point is the frame's business.
    RECT frame{};
    GetWindowRect(form_->Handle(), &frame);
    bool opened = false;
    skintest::TMenuScript onCaption{{[&] { return opened = ShownPopupSkinner(menu.Handle()) != nullptr; }}};
    onCaption.Run(
        [&] {
            SendMessageW(form_->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form_->Handle()),
                         MAKELPARAM((frame.left + frame.right) / 2, frame.top + 8));
        },
        5);
    PumpFor(50);
    EXPECT_FALSE(opened);
}

TEST_F(Gallery, TheSkinChooserLoadsPackedSkinsAndSwitchesSkinningOff) {
    Start("");
    TSkinData* data = form_->SkinData;
    TSkinChooser* chooser = form_->SkinChooser();
    ASSERT_NE(chooser, nullptr);
    const std::filesystem::path packed = form_->PackedSkins()->Folder();
    auto loaded = [&](const char* file, const char* skinName) {
        EXPECT_EQ(std::filesystem::path(data->SkinFile()), packed / file);
        EXPECT_TRUE(std::filesystem::is_regular_file(data->SkinFile()));
        EXPECT_FALSE(data->Empty);
        EXPECT_EQ(data->SkinName, skinName);
        EXPECT_TRUE(data->Active());
    };
    // Without --skin the gallery starts with the Default skin.
    loaded("Default.skn", "Velloran Default");
    EXPECT_TRUE(chooser->Button("Default")->Checked());

    Click(chooser->Button("Contrast"));
    loaded("Contrast.skn", "Velloran Contrast");
    EXPECT_FALSE(chooser->Button("Default")->Checked());

    Click(chooser->Button(kNoSkinName));
    EXPECT_FALSE(data->Active());
    EXPECT_EQ(chooser->Button(kNoSkinName)->Caption(), "No skin");
    EXPECT_FALSE(chooser->Button("Contrast")->Checked());

    Click(chooser->Button("Default"));
    loaded("Default.skn", "Velloran Default");
    EXPECT_FALSE(chooser->Button(kNoSkinName)->Checked());

    EXPECT_FALSE(chooser->Choose("Plaid"));
    EXPECT_TRUE(chooser->Button("Default")->Checked());

    // The packed skins live as long as the gallery.
    form_.reset();
    EXPECT_FALSE(std::filesystem::exists(packed));
}

TEST_F(Gallery, StartsWithTheSkinAskedForOrRefusesAnUnknownOne) {
    Start("contrast");
    EXPECT_EQ(std::filesystem::path(form_->SkinData->SkinFile()).filename(), "Contrast.skn");
    EXPECT_TRUE(form_->SkinData->Active());
    form_.reset();

    TGalleryOptions options;
    options.SkinsFolder = DefaultSkinsFolder();
    options.Skin = "Plaid";
    for (const std::string& missing : {std::string(), DefaultSkinsFolder() + "/missing"}) {
        if (!missing.empty()) {
            options.SkinsFolder = missing;
            options.Skin = "";
        }
        SCOPED_TRACE(options.SkinsFolder + " " + options.Skin);
        TOwned<TGalleryMainForm> other(new TGalleryMainForm(nullptr));
        EXPECT_THROW(other->Start(options), std::runtime_error);
        EXPECT_FALSE(IsWindowVisible(other->Handle()));
    }
}

template <class T>
bool Is(TChildSkinner* skinner) {
    return dynamic_cast<T*>(skinner) != nullptr;
}

using TFamilies = std::map<std::string, bool (*)(TChildSkinner*)>;

// The page's form skinner once the manager has skinned the page.
TWinSkinForm* PageSkinner(TForm& page) {
    PumpUntil([&] { return TSkinManage::Instance()->FindFormSkinner(page.Handle()) != nullptr; }, 5000);
    PumpFor(300);
    return TSkinManage::Instance()->FindFormSkinner(page.Handle());
}

// Checks that each windowed control of the page has the skinner of its family; answers how many
// controls of each class the page has.
std::map<std::string, int> ExpectFamilies(TForm& page, TWinSkinForm& skinner, const TFamilies& families) {
    std::map<std::string, int> seen;
    for (TComponent* component : page.ComponentList()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control) continue;
        const std::string name = control->ClassInfo().Name;
        SCOPED_TRACE(name);
        const auto family = families.find(name);
        if (family == families.end()) {
            ADD_FAILURE() << "a control the page was not meant to have";
        } else {
            EXPECT_TRUE(family->second(skinner.FindSkinner(control->Handle())));
        }
        ++seen[name];
    }
    return seen;
}

TEST_F(Gallery, TheFieldsPageHasASkinnerOfTheRightFamilyOnEachControl) {
    Start("Default", "fields");
    TForm* page = form_->OpenPage("fields");
    TWinSkinForm* skinner = PageSkinner(*page);
    ASSERT_NE(skinner, nullptr);
    const TFamilies families = {
        {"TEdit", &Is<TSkinEdit>},
        {"TMemo", &Is<TSkinScrollbar>},
        {"TRichEdit", &Is<TSkinScrollbar>},
        {"TListBox", &Is<TSkinScrollbar>},
        {"TTreeView", &Is<TSkinScrollbar>},
        {"TStringGrid", &Is<TSkinScrollbar>},
        {"TListView", &Is<TSkinListView>},
        {"TComboBox", &Is<TSkinComBox>},
        {"TRightToLeftComboBox", &Is<TSkinComBox>},
        {"TComboBoxEx", &Is<TSkinComBox>},
        {"TDateTimePicker", [](TChildSkinner* s) { return Is<TSkinDateTime>(s) || Is<TSkinEdit>(s); }},
        {"TUpDown", &Is<TSkinUpDown>},
        {"TScrollBar", &Is<TSkinScControl>},
        {"THeaderControl", &Is<TSkinHeader>},
    };
    const std::map<std::string, int> seen = ExpectFamilies(*page, *skinner, families);
    // Every family shows, each enabled and disabled at least.
    for (const auto& [name, test] : families) {
        const auto count = seen.find(name);
        EXPECT_GE(count == seen.end() ? 0 : count->second, name == "TRightToLeftComboBox" ? 1 : 2) << name;
    }
}

TEST_F(Gallery, TheTabsPageHasATabSkinnerOnEachTabControlAndItsCloseBoxesWork) {
    Start("Default", "tabs");
    auto* page = dynamic_cast<TGalleryTabsForm*>(form_->OpenPage("tabs"));
    ASSERT_NE(page, nullptr);
    TWinSkinForm* skinner = PageSkinner(*page);
    ASSERT_NE(skinner, nullptr);
    const TFamilies families = {
        {"TPageControl", &Is<TSkinTab>},
        {"TTabSheet", &Is<TSkinTabSheet>},
        {"TTabControl", &Is<TSkinTabBtn>},
        {"TTabbedNotebook", &Is<TSkinTab>},
        {"TTabSet", &Is<TSkinTab31>},
        // The gallery's skin maps the vendor's class to its skinner.
        {"TAcmePageControl", &Is<TSkinAdvPage>},
    };
    ExpectFamilies(*page, *skinner, families);
    // The many tabs scroll; the close boxes close their pages.
    EXPECT_TRUE(IsWindowVisible(TabArrows(page->ManyPages()->Handle())));
    TPageControl& closing = *page->ClosingPages();
    auto* tabs = dynamic_cast<TSkinTab*>(skinner->FindSkinner(closing.Handle()));
    ASSERT_NE(tabs, nullptr);
    ASSERT_TRUE(tabs->CloseBoxesOn);
    UpdateWindow(closing.Handle());
    ASSERT_EQ(tabs->CloseBoxes.size(), 4u);
    const RECT box = tabs->CloseBoxes[0];
    SendMessageW(closing.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 2, box.top + 2));
    EXPECT_EQ(closing.PageCount(), 3);
}

TEST_F(Gallery, TheBarsPageSkinsEachFamilyAndItsEmbeddedFormAsAControl) {
    Start("Contrast", "bars");
    TForm* page = form_->OpenPage("bars");
    PumpUntil([&] { return TSkinManage::Instance()->FindFormSkinner(page->Handle()) != nullptr; }, 5000);
    PumpFor(300);
    TWinSkinForm* skinner = TSkinManage::Instance()->FindFormSkinner(page->Handle());
    ASSERT_NE(skinner, nullptr);
    const std::map<std::string, bool (*)(TChildSkinner*)> families = {
        {"TStatusBar", &Is<TSkinStatusBar>}, {"TProgressBar", &Is<TSkinProgress>},
        {"TTrackBar", &Is<TSkinTrackBar>},   {"THeaderControl", &Is<TSkinHeader>},
        {"TGroupBox", &Is<TSkinGroupBox>},   {"TPanel", &Is<TSkinBox>},
    };
    std::map<std::string, int> seen;
    TForm* embedded = nullptr;
    for (TComponent* component : page->ComponentList()) {
        if (auto* form = dynamic_cast<TForm*>(component)) embedded = form;
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control) continue;
        const auto family = families.find(control->ClassInfo().Name);
        if (family == families.end()) continue;
        SCOPED_TRACE(family->first);
        EXPECT_TRUE(family->second(skinner->FindSkinner(control->Handle())));
        ++seen[family->first];
    }
    for (const auto& [name, test] : families) EXPECT_GE(seen[name], 1) << name;
    // The bare size grip in the corner, a window without an object.
    auto* bars = dynamic_cast<TGalleryBarsForm*>(page);
    ASSERT_NE(bars, nullptr);
    ASSERT_NE(bars->SizeGrip(), nullptr);
    EXPECT_TRUE(Is<TSkinSizer>(skinner->FindSkinner(bars->SizeGrip())));
    RECT client{}, grip{};
    GetClientRect(page->Handle(), &client);
    GetWindowRect(bars->SizeGrip(), &grip);
    MapWindowPoints(nullptr, page->Handle(), reinterpret_cast<POINT*>(&grip), 2);
    EXPECT_EQ(grip.right, client.right);
    EXPECT_EQ(grip.bottom, client.bottom);
    // The embedded form: a child window of the page without a frame of its own, in the skin's
    // colour, its own status bar skinned by the page's skinner.
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(GetParent(embedded->Handle()), page->Handle());
    EXPECT_EQ(Style(embedded) & (WS_CHILD | WS_CAPTION | WS_POPUP), static_cast<DWORD>(WS_CHILD));
    EXPECT_TRUE(Is<TSkinBox>(skinner->FindSkinner(embedded->Handle())));
    EXPECT_EQ(ColorToRGB(embedded->Color()), ColorToRGB(static_cast<TColor>(skinner->SkinData->Colors[ciButtonFace])));
    int embeddedBars = 0;
    for (TComponent* component : embedded->ComponentList())
        if (auto* bar = dynamic_cast<TWinControl*>(component); bar && bar->ClassInfo().Name == "TStatusBar")
            embeddedBars += Is<TSkinStatusBar>(skinner->FindSkinner(bar->Handle())) ? 1 : 0;
    EXPECT_EQ(embeddedBars, 1);
}

TEST_F(Gallery, TheToolBarsPageSkinsItsBarsAndPlayersAndTheMainFormListsEverySkinnerOnce) {
    Start("Default", "toolbars");
    auto* page = dynamic_cast<TGalleryToolbarsForm*>(form_->OpenPage("toolbars"));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return TSkinManage::Instance()->FindFormSkinner(page->Handle()) != nullptr; }, 5000));
    PumpFor(300);
    TWinSkinForm* skinner = TSkinManage::Instance()->FindFormSkinner(page->Handle());
    std::map<std::string, int> skinned;
    for (TComponent* component : page->ComponentList()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control) continue;
        TChildSkinner* child = skinner->FindSkinner(control->Handle());
        if (dynamic_cast<TToolBar*>(control) && Is<TSkinToolBarBox>(child)) ++skinned["tool bar"];
        if (dynamic_cast<TCoolBar*>(control) && Is<TSkinCoolBarBands>(child)) ++skinned["cool bar"];
        if (auto* mp = dynamic_cast<TSkinMP*>(child); mp && mp->Panel()) ++skinned["player"];
    }
    EXPECT_EQ(skinned["tool bar"], 2);
    EXPECT_EQ(skinned["cool bar"], 1);
    EXPECT_EQ(skinned["player"], 3);
    EXPECT_TRUE(page->DropDownMenu()->OwnerDraw());

    TListBox* list = nullptr;
    for (TComponent* component : form_->ComponentList())
        if (auto* box = dynamic_cast<TListBox*>(component)) list = box;
    ASSERT_NE(list, nullptr);
    std::map<std::string, int> lines;
    for (int i = 0; i < list->Items()->Count(); ++i) ++lines[list->Items()->Get(i)];
    // The 30 skinner classes and the 3 windows of their own, each once.
    EXPECT_EQ(lines.size(), 33u);
    for (const TSkinnerClassPlace& place : SkinnerClassPlaces()) EXPECT_EQ(lines[SkinnerClassLine(place)], 1) << place.ClassName;
    for (const char* name : {"TSkinMP", "TWMediaPlayer", "TSkinBox"})
        EXPECT_EQ(std::count_if(SkinnerClassPlaces().begin(), SkinnerClassPlaces().end(),
                                [name](const TSkinnerClassPlace& p) { return p.ClassName == name; }),
                  1);
}

// The skin's pending command (on, off or changed) run now rather than after its quarter second,
// and waited for.
void RunPendingSkinCommand() {
    TSkinManage* manager = TSkinManage::Instance();
    ASSERT_NE(manager, nullptr);
    if (manager->CommandData) manager->PostCommand(manager->Command, 0);
    ASSERT_TRUE(PumpUntil([manager] { return manager->CommandData == nullptr; }, 5000));
}

void RepaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TEST_F(Gallery, SkinSwitchesOverEveryOpenPageGiveBackEveryGdiAndUserObject) {
    Start("");
    std::vector<TForm*> pages;
    for (const TGalleryPage& page : GalleryPages()) pages.push_back(form_->OpenPage(page.Name));
    TSkinChooser* chooser = form_->SkinChooser();
    TSkinManage* manager = TSkinManage::Instance();
    auto skinnedPages = [&] {
        return std::count_if(pages.begin(), pages.end(),
                             [&](TForm* page) { return manager->FindFormSkinner(page->Handle()) != nullptr; });
    };
    auto cycle = [&] {
        for (const std::string_view skin : {"Contrast", kNoSkinName, "Default"}) {
            ASSERT_TRUE(chooser->Choose(skin));
            RunPendingSkinCommand();
            EXPECT_EQ(skinnedPages(), skin == kNoSkinName ? 0 : static_cast<std::ptrdiff_t>(pages.size())) << skin;
            for (TForm* page : pages) RepaintAll(page->Handle());
            RepaintAll(form_->Handle());
        }
    };
    // One cycle first: whatever the skins keep for good (their images) is made by then.
    cycle();
    // Three skin switches a cycle; `make soak` runs the long count.
    const int cycles = soak::SoakCount("VELLORAN_GALLERY_CYCLES", 3);
    const soak::TSoakRun run("skin switches over every gallery page", cycles);
    for (int i = 0; i < cycles && !HasFailure(); ++i) cycle();
    run.Finish();
}

}  // namespace
}  // namespace velloran
