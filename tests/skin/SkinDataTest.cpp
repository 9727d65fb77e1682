// The skin data component under Wine: its defaults, its stored form, and the project's two skins
// parsed into skin objects and derived images.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinData.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinDataTestSupport.h"
#include "tools/skinpack/SkinFiles.h"
#include "tools/skinpack/SkinWriter.h"

namespace velloran {
namespace {

using namespace fwtest;

using skintest::kSkins;
constexpr auto& Stored = skintest::StoredSkin;

TOwned<TSkinData> Loaded(const std::vector<uint8_t>& packed) {
    TOwned<TSkinData> data(new TSkinData(nullptr));
    data->SetSkinStreamData(Stored(packed));
    return data;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) out += {digits[b >> 4], digits[b & 15]};
    return out;
}

TEST(SkinData, ANewInstanceHasTheDocumentedSettings) {
    TOwned<TSkinData> data(new TSkinData(nullptr));
    EXPECT_FALSE(data->Active());
    EXPECT_EQ(data->DisableTag(), 99);
    EXPECT_EQ(data->SkinControls(), 0x3FFFFFu & ~SkinBit(xcMenuItem) & ~SkinBit(xcFastReport));
    EXPECT_EQ(data->Options(), SkinBit(xoPreview) | SkinBit(xoToolbarBK));
    const std::vector<std::string> skin3rd = data->Skin3rd();
    ASSERT_EQ(skin3rd.size(), 118u);
    EXPECT_EQ(skin3rd[0], "TCategoryButtons=scrollbar");
    EXPECT_EQ(skin3rd[1], "TPngSpeedbutton=pngspeedbutton");
    EXPECT_EQ(std::count(skin3rd.begin(), skin3rd.end(), "TWWDBCombobox=Combobox"), 2);
    EXPECT_EQ(data->Version(), "5.03.07.12");
    data->SetSkinStore("anything");
    data->SetVersion("1.0");
    EXPECT_EQ(data->SkinStore(), "(none)");
    EXPECT_EQ(data->Version(), "5.03.07.12");
    EXPECT_EQ(data->SkinFormtype(), sfMainform);
    EXPECT_TRUE(data->MenuUpdate());
    EXPECT_FALSE(data->MenuMerge());
    EXPECT_TRUE(data->Empty);
    EXPECT_TRUE(data->FramePaintEnabled);
    EXPECT_EQ(data->MenuImages->Count(), 4);  // restore, maximise, minimise, close
}

TEST(SkinData, AnEmptyStoredSkinSwitchesItselfOffAndMenuFamiliesExcludeEachOther) {
    RegisterSkinDataClasses();
    TOwned<TComponent> owner(new TComponent(nullptr));
    ReadRootComponentFromText(*owner,
                              "object Owner: TComponent\r\n"
                              "  object SkinData: TSkinData\r\n"
                              "    Active = True\r\n"
                              "    SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]\r\n"
                              "    SkinStream = {00000000}\r\n"
                              "  end\r\n"
                              "end\r\n");
    auto* data = dynamic_cast<TSkinData*>(owner->FindComponent("SkinData"));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->Empty);
    EXPECT_FALSE(data->Active());
    EXPECT_EQ(data->SkinControls(), SkinBit(xcMainMenu) | SkinBit(xcSystemMenu));
    EXPECT_EQ(Hex(data->SkinStreamData()), "00000000");

    TOwned<TSkinData> other(new TSkinData(nullptr));
    other->SetSkinControls(SkinBit(xcMenuItem) | SkinBit(xcSystemMenu) | SkinBit(xcButton));
    other->Loaded();
    EXPECT_EQ(other->SkinControls(), SkinBit(xcMenuItem) | SkinBit(xcButton));
}

TEST(SkinData, TheDefaultSkinIsParsedIntoItsObjectsAndDerivedImages) {
    const std::vector<uint8_t> packed = PackedSkinAt(kSkins / "Default");
    auto data = Loaded(packed);
    ASSERT_FALSE(data->Empty);
    EXPECT_EQ(Hex(data->SkinStreamData()), Hex(Stored(packed)));
    EXPECT_EQ(data->Button.Frame, 5);
    EXPECT_GT(data->Button.Bitmap->Width(), 0);
    EXPECT_EQ(data->Title.Frame, 2);
    EXPECT_EQ(data->FrameTop.Frame, 2);
    ASSERT_TRUE(data->Scrollbar);
    EXPECT_EQ(data->Scrollbar->Frame, 23);
    ASSERT_TRUE(data->SunkEdge && data->ComboButton && data->ComboArrow && data->Toolbar);
    EXPECT_EQ(data->SunkEdge->Frame, 4);
    // Four 50 x 21 cells, and an arrow of 17 x 17 cut from each.
    EXPECT_EQ(data->ComboButton->Bitmap->Width(), 200);
    EXPECT_EQ(data->ComboButton->Bitmap->Height(), 21);
    EXPECT_EQ(data->ComboButton->Style, 2);
    EXPECT_EQ(data->ComboArrow->Bitmap->Width(), 68);
    EXPECT_EQ(data->ComboArrow->Bitmap->Height(), 17);
    EXPECT_EQ(data->ComboArrow->Frame, 4);
    EXPECT_EQ(data->SunkEdge->RightWidth, 2);
    EXPECT_EQ(data->Toolbar->Bitmap->Width(), 10);
    EXPECT_EQ(data->Toolbar->Bitmap->Height(), 40);
    ASSERT_TRUE(data->Track && data->TrackVert);
    EXPECT_GT(data->Track->Bitmap->Width(), 0);
    EXPECT_FALSE(data->SysButtons.empty());
    EXPECT_EQ(data->SysButtons.back()->Action, 9);  // the MDI buttons close the list
    EXPECT_NE(data->FaceBrush.get(), nullptr);
    EXPECT_TRUE(data->ColorGiven[ciButtonFace]);

    // The caption colour is the top frame's pixel a third into its first frame.
    const TDecodedBitmap top = GetBitmapPixels(*data->FrameTop.Bitmap);
    const uint32_t pixel = top.Pixels[static_cast<size_t>(top.Height / 2 / 3) * top.Width + top.Width / 3];
    EXPECT_EQ(data->Colors[ciCaptionColor], ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
}

TEST(SkinData, TheContrastSkinTakesTheOtherPaths) {
    auto data = Loaded(PackedSkinAt(kSkins / "Contrast"));
    ASSERT_FALSE(data->Empty);
    EXPECT_EQ(data->Button.CheckFrame, 12);
    EXPECT_EQ(data->Button.RadioFrame, 8);
    ASSERT_TRUE(data->Tabs && data->TabPane && data->Progress && data->ProgressChunk);
    EXPECT_EQ(data->Tabs->Style, 1);
    EXPECT_EQ(data->Progress->Style, 1);
    EXPECT_EQ(data->Progress->Frame, 1);
    EXPECT_EQ(data->ProgressChunk->Tile, 1);
}

TEST(SkinData, AnUnreadableContainerShowsTheBoxAndKeepsThePreviousSkin) {
    auto data = Loaded(PackedSkinAt(kSkins / "Default"));
    ASSERT_FALSE(data->Empty);
    TBitmap* buttons = data->Button.Bitmap.get();
    const int width = buttons->Width();

    std::string text;
    TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
        text = MessageBoxText(box);
        PressDialogButton(box, IDOK);
    });
    data->SkinStream = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(data->LoadSkin());
    EXPECT_TRUE(watcher.Found());
    EXPECT_EQ(text, "This is Older Skin File\rPlease update to new version !");
    EXPECT_TRUE(data->Empty);
    EXPECT_EQ(data->Button.Bitmap.get(), buttons);
    EXPECT_EQ(buttons->Width(), width);
}

TEST(SkinData, CapitalExtensionsLoadNoImage) {
    const std::vector<uint8_t> bmp = ReadFileBytes(kSkins / "Default" / "button.bmp");
    ASSERT_FALSE(bmp.empty());
    const std::string ini = "[Buttons]\r\nBitmap=Button.BMP\r\n[SunkEdge]\r\nImage=skins\\button.bmp\r\n";
    std::vector<TSkinMemberSource> members{{"skin.ini", {ini.begin(), ini.end()}}, {"button.bmp", bmp}};
    auto data = Loaded(WriteSkinContainer(members));
    ASSERT_FALSE(data->Empty);
    EXPECT_EQ(data->Button.Bitmap->Width(), 0);
    ASSERT_TRUE(data->SunkEdge);  // the folder part of a value is dropped
    EXPECT_GT(data->SunkEdge->Bitmap->Width(), 0);
}

TEST(SkinData, ASkinFileReplacesTheStoredSkinAndAMissingOneIsOnlyNoted) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-contrast.skn";
    const std::vector<uint8_t> packed = PackedSkinAt(kSkins / "Contrast");
    WriteFileBytes(file, packed);
    auto data = Loaded(PackedSkinAt(kSkins / "Default"));
    data->SetSkinFile(file.string());
    EXPECT_FALSE(data->Empty);
    EXPECT_EQ(data->SkinStream, packed);
    EXPECT_EQ(data->Button.CheckFrame, 12);

    data->SetSkinFile((file.parent_path() / "no-such.skn").string());
    EXPECT_EQ(data->SkinFile(), (file.parent_path() / "no-such.skn").string());
    EXPECT_TRUE(data->Empty);
    EXPECT_EQ(data->SkinStream, packed);
    std::filesystem::remove(file);
}

TEST(SkinData, TheFormSkinDecisionLeavesOutCalendarsAndReportFormsUnlessTheApplicationDecides) {
    TOwned<TSkinData> data(new TSkinData(nullptr));
    const HWND wnd = reinterpret_cast<HWND>(0x1234);
    auto decide = [&](const std::string& cls) {
        bool doSkin = true;
        data->DecideFormSkin(wnd, cls, doSkin);
        return doSkin;
    };
    EXPECT_TRUE(decide("TMainForm"));
    EXPECT_EQ(data->CurrentForm, wnd);
    EXPECT_FALSE(decide("SysMonthCal32"));
    EXPECT_TRUE(decide("TfrPreviewForm"));
    data->SetSkinControls(data->SkinControls() | SkinBit(xcFastReport));
    EXPECT_FALSE(decide("TfrPreviewForm"));

    std::string asked;
    data->OnFormSkin = [&](TObject* sender, const std::string& name, bool& doSkin) {
        EXPECT_EQ(sender, data.get());
        asked = name;
        doSkin = name != "TOther";
    };
    EXPECT_TRUE(decide("SysMonthCal32"));
    EXPECT_FALSE(decide("TOther"));
    EXPECT_EQ(asked, "TOther");

    int changes = 0;
    data->OnSkinChanged = [&](TObject* sender) { changes += sender == data.get(); };
    data->NotifySkinChanged();
    EXPECT_EQ(changes, 1);
}

TEST(SkinData, ReloadingSkinsLeaksNoGdiObjects) {
    const std::vector<uint8_t> packed = PackedSkinAt(kSkins / "Default");
    auto data = Loaded(packed);
    const int before = CountGdiObjects();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(data->LoadSkin());
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
}  // namespace velloran
