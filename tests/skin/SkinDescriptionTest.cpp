#include "skin/data/SkinDescription.h"

#include "skin/data/BitmapFile.h"
#include "skin/data/WinSkinIni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace velloran {
namespace {

namespace fs = std::filesystem;

using TSizes = std::map<std::string, TImageSize, std::less<>>;

TSkinDescription Read(std::string_view text, const TSizes& sizes = {}, const TSkinKeyObserver& observer = nullptr) {
    TQuickIni ini;
    ini.LoadFromStream(std::vector<uint8_t>(text.begin(), text.end()));
    return ReadSkinDescription(
        ini,
        [&sizes](std::string_view member) -> std::optional<TImageSize> {
            const auto found = sizes.find(member);
            if (found == sizes.end()) return std::nullopt;
            return found->second;
        },
        observer);
}

// The caption buttons read from the [Button<n>] sections, without the three MDI buttons.
std::vector<TSkinSysButtonDesc> CaptionButtons(const TSkinDescription& skin) {
    return {skin.SysButtons.begin(), skin.SysButtons.end() - 3};
}

TEST(SkinDescription, ImageMembersAreBareLowerCaseBmpNames) {
    EXPECT_EQ(SkinImageMember("close.bmp"), "close.bmp");
    EXPECT_EQ(SkinImageMember("C:\\skins\\Blue\\Close.bmp"), "Close.bmp");
    EXPECT_EQ(SkinImageMember("x:close.bmp"), "close.bmp");
    EXPECT_EQ(SkinImageMember("old.skin.bmp"), "old.skin.bmp");
    // Forward slashes are no path separators for the loader.
    EXPECT_EQ(SkinImageMember("art/close.bmp"), "art/close.bmp");
    for (const std::string_view unusable :
         {"Buttons.BMP", "close.Bmp", "close.bmpx", "closebmp", "close.bmp.png", "skins\\", "", "close"})
        EXPECT_EQ(SkinImageMember(unusable), "") << unusable;
}

TEST(SkinDescription, CapitalExtensionKeepsTheObjectButGivesNoImage) {
    const TSkinDescription skin = Read("[Headerbar]\nImage=Header.BMP\nFrame=3\n[Buttons]\nBitmap=BUTTON.BMP\n");
    ASSERT_TRUE(skin.Headerbar.has_value());
    EXPECT_EQ(skin.Headerbar->Bitmap.Value, "Header.BMP");
    EXPECT_FALSE(skin.Headerbar->Bitmap.HasSource());
    EXPECT_EQ(skin.Headerbar->Frame, 3);
    EXPECT_FALSE(skin.Button.Bitmap.HasSource());
}

TEST(SkinDescription, SectionsWithoutTheirImageKeyGiveNoObject) {
    const TSkinDescription skin = Read(
        "[Tabs]\nBorder=page.bmp\nFrame=5\n"
        "[MenuItem]\nImage=\n"
        "[Progress]\nImage=progress.bmp\n"
        "[GroupBox]\nBitmap=box.bmp\n"
        "[Personality]\nTextBack=back.bmp\n");
    EXPECT_FALSE(skin.Tabs.has_value());
    EXPECT_FALSE(skin.MenuItem.has_value());
    EXPECT_FALSE(skin.Progress.has_value());  // its image key is "Bitmap"
    EXPECT_FALSE(skin.GroupBox.has_value());
    EXPECT_FALSE(skin.MenuBar.has_value());
    EXPECT_FALSE(skin.Headerbar.has_value());
}

TEST(SkinDescription, TitleButtonFramesFollowTheStripShapeWhenNotGiven) {
    const TSkinDescription skin = Read(
        "[Button0]\nButtonImage=square.bmp\n"
        "[Button1]\nButtonImage=wide.bmp\n"
        "[Button2]\nButtonImage=edge.bmp\n"
        "[Button3]\nButtonImage=square.bmp\nAction=-1\nVisibility=0\n"
        "[Button4]\nButtonImage=absent.bmp\n"
        "[Button5]\nButtonImage=wide.bmp\nframe=2\n",
        {{"square.bmp", {60, 20}}, {"wide.bmp", {130, 20}}, {"edge.bmp", {76, 20}}});
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 6u);
    EXPECT_EQ(buttons[0].Frame, 3);  // 60 / 20 = 3.0
    EXPECT_EQ(buttons[1].Frame, 6);  // 6.5
    EXPECT_EQ(buttons[2].Frame, 3);  // 3.8 still counts as narrow
    EXPECT_EQ(buttons[3].Frame, 6);  // no action: always six
    EXPECT_EQ(buttons[4].Frame, 6);  // no bitmap
    EXPECT_EQ(buttons[5].Frame, 2);
}

TEST(SkinDescription, TitleButtonsWithoutActionNeedVisibilityZero) {
    const TSkinDescription skin = Read(
        "[Button0]\nAction=-1\n"
        "[Button1]\nAction=-1\nVisibility=0\n"
        "[Button2]\nAction=-1\nVisibility=1\n"
        "[Buttons]\nBitmap=b.bmp\n[Button.Radio]\nAction=1\n[BUTTON.CHECKBOX]\n[button]\n"
        "[ButtonExtra]\nAction=5\n");
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].Name, "BUTTON1");
    EXPECT_EQ(buttons[0].Visibility1, -1);  // defaults to -1 only for buttons without action
    EXPECT_EQ(buttons[1].Name, "BUTTONEXTRA");
    EXPECT_EQ(buttons[1].Visibility1, 0);
    EXPECT_EQ(buttons[1].CombineOp, -1);
    EXPECT_EQ(skin.SysButtons.size(), 5u);
}

TEST(SkinDescription, IconButtonsDropTheirImageOnlyWhenTheFrameCountIsDerived) {
    const TSkinDescription skin = Read(
        "[Button0]\nAction=3\nButtonImage=icon.bmp\n"
        "[Button1]\nAction=11\nButtonImage=icon.bmp\n"
        "[Button2]\nAction=3\nButtonImage=icon.bmp\nframe=1\n",
        {{"icon.bmp", {16, 16}}});
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_FALSE(buttons[0].Bitmap.HasSource());
    EXPECT_EQ(buttons[0].Frame, 3);
    EXPECT_FALSE(buttons[1].Bitmap.HasSource());
    EXPECT_EQ(buttons[2].Bitmap.Member, "icon.bmp");
}

TEST(SkinDescription, HelpButtonTakesThePositionOfTheLastMaximizeButtonBeforeIt) {
    const TSkinDescription skin = Read(
        "[Button0]\nAction=4\nXcoord=7\nYcoord=7\n"
        "[Button1]\nAction=1\nVisibility=1\nXcoord=30\nYcoord=3\n"
        "[Button2]\nAction=1\nVisibility=2\nXcoord=44\nYcoord=5\n"
        "[Button3]\nAction=4\nXcoord=99\nYcoord=99\n"
        "[Button4]\nAction=1\nVisibility=2\nXcoord=50\nYcoord=6\n"
        "[Button5]\nAction=4\n");
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 6u);
    EXPECT_EQ(std::pair(buttons[0].XCoord, buttons[0].YCoord), std::pair(0, 0));
    EXPECT_EQ(std::pair(buttons[1].XCoord, buttons[1].YCoord), std::pair(30, 3));
    EXPECT_EQ(std::pair(buttons[3].XCoord, buttons[3].YCoord), std::pair(44, 5));
    EXPECT_EQ(std::pair(buttons[5].XCoord, buttons[5].YCoord), std::pair(50, 6));
}

TEST(SkinDescription, MdiButtonsAreCutFromTwelveCells) {
    const TSkinDescription skin = Read("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", {200, 14}}});
    ASSERT_EQ(skin.SysButtons.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TSkinSysButtonDesc& button = skin.SysButtons[static_cast<std::size_t>(i)];
        EXPECT_EQ(button.Action, 7 + i);
        EXPECT_EQ(button.Align, 100);
        EXPECT_EQ(button.Visibility, 100);
        EXPECT_EQ(button.Visibility1, 100);
        EXPECT_EQ(button.Frame, 4);
        EXPECT_EQ(button.Bitmap.Member, "mdi.bmp");
        // 200 div 12 = 16: each button four cells, 64 pixels.
        EXPECT_EQ(button.Bitmap.Part, (TImageRect{64 * i, 0, 64, 14}));
        EXPECT_EQ(button.XCoord, 20 * (3 - i));
    }

    const TSkinDescription narrow = Read("[MDICONTROLS]\nImage=mdi.bmp\n", {{"mdi.bmp", {11, 14}}});
    EXPECT_FALSE(narrow.SysButtons[0].Bitmap.HasSource());
    EXPECT_EQ(narrow.SysButtons[0].XCoord, 12);

    const TSkinDescription missing = Read("[MDICONTROLS]\nImage=mdi.bmp\n");
    EXPECT_FALSE(missing.SysButtons[2].Bitmap.HasSource());
    EXPECT_EQ(missing.SysButtons[2].XCoord, 0);
}

TEST(SkinDescription, TileValuesAreHeldToWhatEachLoaderAllows) {
    const TSkinDescription skin = Read(
        "[Headerbar]\nImage=h.bmp\nTile=2\n"
        "[MenuItem]\nImage=m.bmp\nTile=-1\n"
        "[ToolBars]\nImage=t.bmp\nTile=1\n"
        "[Progress]\nBitmap=p.bmp\nTile=5\n"
        "[Buttons]\nTile=3\n"
        "[Personality]\nmenuBar=bar.bmp\nTileMenu=7\nTopStretch=4\nLeftStretch=0\n");
    EXPECT_EQ(skin.Headerbar->Tile, 0);
    EXPECT_EQ(skin.MenuItem->Tile, -1);
    EXPECT_EQ(skin.ToolBars->Tile, 1);
    EXPECT_EQ(skin.Progress->Tile, 1);
    EXPECT_EQ(skin.Button.Tile, 0);
    EXPECT_EQ(skin.MenuBar->Tile, 1);
    EXPECT_EQ(skin.FrameTop.Tile, 1);
    EXPECT_EQ(skin.FrameLeft.Tile, 0);
    EXPECT_EQ(skin.FrameRight.Tile, 1);  // stretched unless told otherwise
}

TEST(SkinDescription, TabPaneMarginsAreCappedAtFour) {
    const TSkinDescription skin = Read(
        "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=8\nTopHeight=4\nRightWidth=2\nBottomHeight=-3\n"
        "[Tabs]\nImage=tabs.bmp\nLeftWidth=8\n");
    EXPECT_EQ(skin.TabPane->LeftWidth, 4);
    EXPECT_EQ(skin.TabPane->TopHeight, 4);
    EXPECT_EQ(skin.TabPane->RightWidth, 2);
    EXPECT_EQ(skin.TabPane->BottomHeight, -3);
    EXPECT_EQ(skin.Tabs->LeftWidth, 8);
}

TEST(SkinDescription, FrameCountsAreFixedPerKindOfObject) {
    std::string text;
    for (const char* section : {"Progress.Chunk",
                                "GroupBoxEdge",
                                "Tabs",
                                "StatusBarEdges",
                                "Tab.Pane",
                                "ToolBars",
                                "ComboButton",
                                "SunkEdge",
                                "ExtraImages",
                                "MenuItem",
                                "MenuBackground",
                                "Scrollbar",
                                "HorzScroll",
                                "VertScroll",
                                "HorzScrollThumb",
                                "Trackbar.ThumbHorz",
                                "Trackbar.ThumbDown",
                                "UpDown.Horz",
                                "UpDown.Vert",
                                "Track",
                                "GroupBox"})
        text += "[" + std::string(section) + "]\nImage=x.bmp\nFrame=9\n";
    text +=
        "[VertScrollThumb]\nImage=x.bmp\nFrame=9\nFrameCount=7\n[Progress]\nBitmap=p.bmp\nStyle=1\n[Personality]"
        "\nmenuBar=m.bmp\n";
    text += "[Buttons]\nFrame=9\n";
    const TSkinDescription skin = Read(text);

    EXPECT_EQ(skin.Button.Frame, 5);
    EXPECT_EQ(skin.Title.Frame, 2);
    EXPECT_EQ(skin.Progress->Frame, 1);
    EXPECT_EQ(skin.ProgressChunk->Frame, 9);
    EXPECT_EQ(skin.MenuBar->Frame, 2);
    EXPECT_EQ(skin.GroupBoxEdge->Frame, 2);
    EXPECT_EQ(skin.GroupBox->Frame, 1);
    EXPECT_EQ(skin.TabPane->Frame, 1);
    EXPECT_EQ(skin.MenuBackground->Frame, 1);
    EXPECT_EQ(skin.Tabs->Frame, 5);
    EXPECT_EQ(skin.ToolBars->Frame, 5);
    EXPECT_EQ(skin.ExtraImages->Frame, 5);
    EXPECT_EQ(skin.MenuItem->Frame, 5);
    EXPECT_EQ(skin.ThumbHorz->Frame, 5);
    EXPECT_EQ(skin.ThumbDown->Frame, 5);
    EXPECT_EQ(skin.StatusBarEdges->Frame, 3);
    EXPECT_EQ(skin.ComboButton->Frame, 4);
    EXPECT_EQ(skin.SunkEdge->Frame, 4);
    EXPECT_EQ(skin.HorzScroll->Frame, 4);
    EXPECT_EQ(skin.VertScroll->Frame, 4);
    EXPECT_EQ(skin.Scrollbar->Frame, 23);
    EXPECT_EQ(skin.UpDownHorz->Frame, 8);
    EXPECT_EQ(skin.UpDownVert->Frame, 8);
    EXPECT_EQ(skin.HorzScrollThumb->Frame, 3);
    EXPECT_EQ(skin.VertScrollThumb->Frame, 7);
    EXPECT_EQ(skin.Track.Frame, 9);
    EXPECT_FALSE(skin.ThumbVert.has_value());

    EXPECT_EQ(Read("[Progress]\nBitmap=p.bmp\n").Progress->Frame, 2);
    EXPECT_EQ(Read("[Headerbar]\nImage=h.bmp\nFrame=3\n").Headerbar->Frame, 3);
    EXPECT_EQ(Read("[Headerbar]\nImage=h.bmp\n").Headerbar->Frame, 5);
}

TEST(SkinDescription, CheckAndRadioFramesComeFromTheStripWhenNotGiven) {
    const auto frames = [](TImageSize check, TImageSize radio, std::string extra = "") {
        const TSkinDescription skin = Read("[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n" + extra,
                                           {{"check.bmp", check}, {"radio.bmp", radio}});
        return std::pair(skin.Button.CheckFrame, skin.Button.RadioFrame);
    };
    EXPECT_EQ(frames({52, 13}, {104, 13}), std::pair(4, 8));    // 13-pixel frames below 16 high
    EXPECT_EQ(frames({192, 16}, {128, 20}), std::pair(12, 8));  // 16-pixel frames from 16 high
    EXPECT_EQ(frames({26, 13}, {30, 16}), std::pair(4, 4));     // never fewer than four
    EXPECT_EQ(frames({192, 16}, {128, 16}, "CheckButtonFrame=3\nRadioButtonFrame=2\n"), std::pair(3, 2));
    EXPECT_EQ(std::pair(Read("").Button.CheckFrame, Read("").Button.RadioFrame), std::pair(4, 4));
}

TEST(SkinDescription, ColoursFallBackToSystemColoursAndTheMenuBarToTheFace) {
    std::vector<std::string> colourKeys;
    const TSkinDescription plain = Read("", {}, [&](std::string_view section, std::string_view key) {
        if (section == "Colours") colourKeys.emplace_back(key);
    });
    EXPECT_EQ(colourKeys, (std::vector<std::string>{"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight",
                                                    "Menubar", "Menu", "MenuText", "ButtonText", "ButtonHilight",
                                                    "Buttonlight", "ButtonShadow", "ButtonDkShadow", "MenuBarText",
                                                    "TitleTextActive", "TitleTextNoActive"}));
    const std::pair<int, TColorValue> defaults[] = {
        {ciWindowText, 0xFF000008},  {ciTitleTextActive, 0xFF000009}, {ciTitleTextNoActive, 0xFF000013},
        {ciButtonFace, 0xFF00000F},  {ciButtonText, 0xFF000012},      {ciButtonHilight, 0xFF000014},
        {ciButtonlight, 0xFF000014}, {ciButtonShadow, 0xFF000010},    {ciButtonDkShadow, 0xFF000015},
        {ciHilightText, 0xFF00000E}, {ciHilight, 0xFF00000D},         {ciMenubar, 0xFF00000F},
        {ciMenuBarText, 0xFF000007}, {ciMenuText, 0xFF000007},        {ciMenu, 0xFF000004},
        {ciScrollbar, 0xFF000000}};
    for (const auto& [slot, colour] : defaults) {
        EXPECT_EQ(plain.Colors[static_cast<std::size_t>(slot)], colour) << slot;
        EXPECT_FALSE(plain.ColorGiven[static_cast<std::size_t>(slot)]) << slot;
    }

    const TSkinDescription skin = Read(
        "[colours]\nButtonFace=10,20,30\nhilight=1 2 3\nWindowText=\n"
        "[Colour2]\ncolor=4,5,6\n[COLOURS]\nMenu=9,9,9\n[ColourNone]\n[Colourful]\ncolor=7 8 9\n"
        "[Customcolors]\nColor0=1,1,1\nColor9=2,2,2\n");
    EXPECT_EQ(skin.Colors[ciButtonFace], 0x1E140Au);
    EXPECT_EQ(skin.Colors[ciMenubar], 0x1E140Au);
    EXPECT_FALSE(skin.ColorGiven[ciMenubar]);
    EXPECT_EQ(skin.Colors[ciHilight], 0x030201u);
    EXPECT_TRUE(skin.ColorGiven[ciHilight]);
    EXPECT_FALSE(skin.ColorGiven[ciWindowText]);
    EXPECT_EQ(skin.Colors[ciWindowText], 0xFF000008u);
    // [COLOURS] repeats [colours] and is never the one read, nor a colour section.
    EXPECT_EQ(skin.Colors[ciMenu], 0xFF000004u);
    EXPECT_EQ(skin.ColorSections, (std::vector<TColorValue>{0x060504, 0xFF000008, 0x090807}));
    EXPECT_EQ(skin.CustomColors[0], 0x010101u);
    EXPECT_EQ(skin.CustomColors[5], 0xFFFFFFu);
    EXPECT_EQ(skin.CustomColors[9], 0x020202u);
}

TEST(SkinDescription, TextColoursDefaultToNotGivenAndToTheButtonTextColour) {
    const TSkinDescription skin = Read(
        "[Colours]\nButtonText=1,2,3\n"
        "[MenuItem]\nImage=m.bmp\nNormalColour=$FF\nPressedColour2=9,8,7\n"
        "[Buttons]\nMouseOverColour2=4,5,6\nPressedColour2=\n");
    EXPECT_EQ(skin.MenuItem->NormalColour, 255);
    EXPECT_EQ(skin.MenuItem->MouseOverColour, kTextColourNotGiven);
    EXPECT_EQ(skin.MenuItem->NormalColour2, 0x030201u);
    EXPECT_EQ(skin.MenuItem->PressedColour2, 0x070809u);
    EXPECT_FALSE(skin.Button.HasNormalColour2);
    EXPECT_TRUE(skin.Button.HasMouseOverColour2);
    EXPECT_FALSE(skin.Button.HasPressedColour2);
    EXPECT_EQ(skin.Button.MouseOverColour2, 0x060504u);
    EXPECT_EQ(skin.Button.PressedColour2, 0x030201u);
}

TEST(SkinDescription, TitleColoursNeedAllThreeChannels) {
    const TSkinDescription skin = Read(
        "[Personality]\nActiveTextR=511\nActiveTextG=0\nActiveTextB=16\n"
        "InActiveTextR=1\nInActiveTextG=-1\nInActiveTextB=1\nTextShift=22\nTextRightClip=60\nTXTBackleft=8\n"
        "[Fonts]\nFontHeight=11\n");
    EXPECT_EQ(skin.Title.ActiveTextColor, 0x1000FFu);
    EXPECT_EQ(skin.Title.InactiveTextColor, kTitleColorNotGiven);
    EXPECT_EQ(skin.Title.LeftWidth, 22);
    EXPECT_EQ(skin.Title.RightWidth, 60);
    EXPECT_EQ(skin.Title.TextBackLeft, 8);
    EXPECT_EQ(skin.Title.FontHeight, 11);
    EXPECT_EQ(Read("").Title.FontHeight, 14);
}

TEST(SkinDescription, FrameBorderMarginsRunAlongEachStrip) {
    const TSkinDescription skin = Read(
        "[Personality]\nTop=top.bmp\nTopTopHeight=12\nTopBotHeight=10\nTopFrame=2\nTopTrans=0\n"
        "Left=left.bmp\nLeftTopHeight=28\nLeftBotHeight=4\n");
    EXPECT_EQ(skin.FrameTop.Bitmap.Member, "top.bmp");
    EXPECT_EQ(std::pair(skin.FrameTop.LeftWidth, skin.FrameTop.RightWidth), std::pair(12, 10));
    EXPECT_EQ(std::pair(skin.FrameTop.TopHeight, skin.FrameTop.BottomHeight), std::pair(0, 0));
    EXPECT_EQ(std::pair(skin.FrameLeft.TopHeight, skin.FrameLeft.BottomHeight), std::pair(28, 4));
    EXPECT_EQ(std::pair(skin.FrameLeft.LeftWidth, skin.FrameLeft.RightWidth), std::pair(0, 0));
    EXPECT_EQ(skin.FrameTop.Frame, 2);
    EXPECT_EQ(skin.FrameTop.Trans, 0);
    EXPECT_EQ(skin.FrameBottom.Frame, 1);
    EXPECT_EQ(skin.FrameBottom.Trans, 1);
    EXPECT_FALSE(skin.FrameBottom.Bitmap.HasSource());
}

TEST(SkinDescription, TracksFallBackToTheProgramsOwnBitmaps) {
    const TSkinDescription skin = Read("[Track]\nImage=track.bmp\nLeftWidth=2\nFrame=1\n");
    EXPECT_EQ(skin.Track.Bitmap.Member, "track.bmp");
    EXPECT_EQ(skin.Track.LeftWidth, 2);
    EXPECT_EQ(skin.TrackVert.Name, "TRACKVERT");
    EXPECT_EQ(skin.TrackVert.Bitmap.Resource, "TRACKVERT");
    EXPECT_EQ(skin.TrackVert.Frame, 1);
    EXPECT_EQ(skin.TrackVert.Tile, 0);
    for (const int32_t margin :
         {skin.TrackVert.LeftWidth, skin.TrackVert.TopHeight, skin.TrackVert.RightWidth, skin.TrackVert.BottomHeight})
        EXPECT_EQ(margin, 3);
}

// A project skin read with the sizes of its committed bitmaps.
TSkinDescription ProjectSkin(const char* name) {
    const fs::path folder = fs::path(VELLORAN_SKINS_DIR) / name;
    TSizes sizes;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp") continue;
        std::ifstream bitmap(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(bitmap)), std::istreambuf_iterator<char>());
        const TDecodedBitmap decoded = ReadBitmapFile(bytes);
        if (!decoded.Empty()) sizes[entry.path().filename().string()] = {decoded.Width, decoded.Height};
    }
    std::ifstream in(folder / "skin.ini", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Read(text, sizes);
}

TEST(ProjectSkins, DefaultGetsTheFramesAndButtonsItsDescriptionIntends) {
    const TSkinDescription skin = ProjectSkin("Default");
    EXPECT_EQ(skin.SkinName, "Velloran Default");
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i].Frame, 4) << buttons[i].Name;
        EXPECT_TRUE(buttons[i].Bitmap.HasSource()) << buttons[i].Name;
    }
    // Help stands where maximise does; the icon button has no strip.
    EXPECT_EQ(buttons[4].Action, 4);
    EXPECT_EQ(std::pair(buttons[4].XCoord, buttons[4].YCoord), std::pair(buttons[1].XCoord, buttons[1].YCoord));
    EXPECT_EQ(buttons[5].Action, 3);
    EXPECT_EQ(buttons[5].Frame, 6);
    EXPECT_FALSE(buttons[5].Bitmap.HasSource());
    for (std::size_t i = 6; i < 9; ++i) {
        ASSERT_TRUE(skin.SysButtons[i].Bitmap.Part.has_value());
        EXPECT_EQ(skin.SysButtons[i].Bitmap.Part->Width % 4, 0);
    }
    EXPECT_EQ(std::pair(skin.Button.CheckFrame, skin.Button.RadioFrame), std::pair(4, 4));
    EXPECT_EQ(skin.FrameTop.Frame, 2);
    EXPECT_EQ(skin.FrameBottom.Trans, 0);
    EXPECT_EQ(skin.Headerbar->Frame, 5);
    EXPECT_EQ(skin.HorzScrollThumb->Frame, 3);
    EXPECT_EQ(skin.Progress->Frame, 2);
    EXPECT_EQ(skin.Tabs->Bitmap2.Member, "tabpage.bmp");
    EXPECT_EQ(skin.Title.Bitmap.Member, "titleback.bmp");
    EXPECT_EQ(skin.ColorSections.size(), 1u);
    EXPECT_TRUE(std::ranges::all_of(skin.ColorGiven.begin(), skin.ColorGiven.begin() + 9, std::identity()));
}

TEST(ProjectSkins, ContrastTakesTheOtherPaths) {
    const TSkinDescription skin = ProjectSkin("Contrast");
    EXPECT_EQ(skin.SkinName, "Velloran Contrast");
    const std::vector<TSkinSysButtonDesc> buttons = CaptionButtons(skin);
    ASSERT_EQ(buttons.size(), 5u);
    // No frame key: three-frame strips, told apart by their shape.
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(buttons[i].Frame, 3) << buttons[i].Name;
    EXPECT_FALSE(skin.SysButtons[5].Bitmap.HasSource());  // no MDI strip
    EXPECT_EQ(std::pair(skin.Button.CheckFrame, skin.Button.RadioFrame), std::pair(12, 8));
    EXPECT_TRUE(skin.Button.HasPressedColour2);
    EXPECT_EQ(skin.Progress->Frame, 1);
    EXPECT_EQ(skin.Tabs->Style, 1);
    EXPECT_FALSE(skin.Tabs->Bitmap2.HasSource());
    EXPECT_EQ(skin.ProgressChunk->Tile, 1);
    EXPECT_EQ(skin.FrameTop.Tile, 0);
    EXPECT_EQ(skin.Title.TextAlignment, 1);
    EXPECT_FALSE(skin.Title.Bitmap.HasSource());
    EXPECT_TRUE(skin.ColorSections.empty());
}

}  // namespace
}  // namespace velloran
