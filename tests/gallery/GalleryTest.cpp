// The gallery under Wine: its command line, the window style of every page, the MDI frame with
// its children and Window menu, the skin chooser driving the skin data, and the page of fields
// and lists with a skinner of the right family on each of its controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CoolBars.h"
#include "framework/MediaPlayers.h"
#include "framework/Menus.h"
#include "framework/ScrollCtrls.h"
#include "framework/ToolBars.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinSpin.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/form/WinSkinForm.h"
#include "skin/manager/SkinManage.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/MdiFrameForm.h"
#include "tools/gallery/NoCaptionForm.h"
#include "tools/gallery/SkinnerClasses.h"
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

TEST_F(Gallery, TheFieldsPageHasASkinnerOfTheRightFamilyOnEachControl) {
    Start("Default", "fields");
    TForm* page = form_->OpenPage("fields");
    PumpUntil([&] { return TSkinManage::Instance()->FindFormSkinner(page->Handle()) != nullptr; }, 5000);
    PumpFor(300);
    TWinSkinForm* skinner = TSkinManage::Instance()->FindFormSkinner(page->Handle());
    ASSERT_NE(skinner, nullptr);
    const std::map<std::string, bool (*)(TChildSkinner*)> families = {
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
    std::map<std::string, int> seen;
    for (TComponent* component : page->ComponentList()) {
        auto* control = dynamic_cast<TWinControl*>(component);
        if (!control) continue;
        const std::string name = control->ClassInfo().Name;
        SCOPED_TRACE(name);
        const auto family = families.find(name);
        ASSERT_NE(family, families.end()) << "a control the page was not meant to have";
        EXPECT_TRUE(family->second(skinner->FindSkinner(control->Handle())));
        ++seen[name];
    }
    // Every family shows, each enabled and disabled at least.
    for (const auto& [name, test] : families) EXPECT_GE(seen[name], name == "TRightToLeftComboBox" ? 1 : 2) << name;
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

}  // namespace
}  // namespace velloran
