#pragma once

// The skin description (the INI member of a skin) read into plain data: for
// every skin object the image member it is cut from, its frames, margins, flags
// and text colours; the caption buttons; the colours. The skin data component
// loads the bitmaps named here and builds the derived images (the combo images,
// the combo arrow, the toolbar gradient, the caption colour); the packing tool
// checks skins with the very same reading.
// Plain standard C++; no Windows headers.

#include "skin/data/SkinColors.h"
#include "skin/data/SystemColorIndex.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

class TQuickIni;

struct TImageSize {
    int Width = 0;
    int Height = 0;
};

struct TImageRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const TImageRect&) const = default;
};

// Size of the bitmap in a member; nullopt when the member is missing or holds
// no readable, non-empty bitmap.
using TImageSizeLookup = std::function<std::optional<TImageSize>(std::string_view member)>;

// Told of every section and key the reader looks up, in reading order.
using TSkinKeyObserver = std::function<void(std::string_view section, std::string_view key)>;

// Where an object's bitmap comes from. No source: the object has no image.
struct TSkinImage {
    std::string Value;               // the key's text as written; empty when absent
    std::string Member;              // the member to load
    std::optional<TImageRect> Part;  // only this part of the member's bitmap
    std::string Resource;            // the program's bitmap resource, instead of a member

    bool HasSource() const { return !Member.empty() || !Resource.empty(); }
};

// The member a key value names: its file-name part (everything up to the last
// '\' or ':' dropped), or empty text when that part is empty or its extension
// is not exactly ".bmp" in lower case.
std::string SkinImageMember(std::string_view value);

// A text colour key the skin did not give.
inline constexpr int32_t kTextColourNotGiven = -1;
// A title text colour the skin did not give.
inline constexpr TColorValue kTitleColorNotGiven = 0x1FFFFFFF;

// Fields of the skin object classes other than their bitmaps, shared by the description and
// the skin objects made from it; fields a loader does not read stay zero, as in a newly created
// object.
struct TSkinObjectFields {
    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    int32_t Trans = 0;
    int32_t Tile = 0;
    std::string Name;
    int32_t Frame = 0;
    int32_t Style = 0;
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    TColorValue NormalColour2 = 0;
    TColorValue MouseOverColour2 = 0;
    TColorValue PressedColour2 = 0;
};

struct TSkinButtonFields {
    int32_t RadioFrame = 0;
    int32_t CheckFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

struct TSkinSysButtonFields {
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t XCoord = 0;
    int32_t YCoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

struct TSkinBoxLabelFields {
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

struct TSkinTitleFields {
    int32_t TextAlignment = 0;
    int32_t TextBackground = 0;
    int32_t FontHeight = 0;
    int32_t TextBackLeft = 0;
    int32_t TextBackRight = 0;
    TColorValue ActiveTextColor = kTitleColorNotGiven;
    TColorValue InactiveTextColor = kTitleColorNotGiven;
};

// The description of each kind of skin object: its fields and where its bitmaps come from.
struct TSkinObjectDesc : TSkinObjectFields {
    TSkinImage Bitmap;
};

struct TSkinBorderDesc : TSkinObjectDesc {
    TSkinImage Bitmap2;
};

struct TSkinButtonDesc : TSkinObjectDesc, TSkinButtonFields {
    TSkinImage CheckBitmap;
    TSkinImage RadioBitmap;
};

struct TSkinSysButtonDesc : TSkinObjectDesc, TSkinSysButtonFields {};

struct TSkinBoxLabelDesc : TSkinObjectDesc, TSkinBoxLabelFields {};

struct TSkinTitleDesc : TSkinObjectDesc, TSkinTitleFields {};

// Slots of TSkinDescription::Colors.
enum TSkinColorIndex : int {
    ciWindowText = 0,
    ciTitleTextActive = 1,
    ciTitleTextNoActive = 2,
    ciButtonFace = 3,
    ciButtonText = 4,
    ciButtonHilight = 5,
    ciButtonlight = 6,
    ciButtonShadow = 7,
    ciButtonDkShadow = 8,
    ciHilightText = 11,
    ciHilight = 12,
    ciMenubar = 13,
    ciMenuBarText = 14,
    ciMenuText = 15,
    ciMenu = 16,
    ciCaptionColor = 17,
    ciScrollbar = 18,
};
inline constexpr int kSkinColorCount = 19;
inline constexpr int kCustomColorCount = 10;

struct TSkinColorKey {
    std::string_view Key;  // in [Colours]
    TSkinColorIndex Slot;
    // The system colour taken when the key is absent; -1: the button face just read.
    int SystemDefault;
};

// The [Colours] keys in the order they are read; the menu bar falls back to the
// button face, so that one must come first.
inline constexpr std::array<TSkinColorKey, 16> kSkinColorKeys = {{
    {"WindowText", ciWindowText, kSysColorWindowText},
    {"ButtonFace", ciButtonFace, kSysColorBtnFace},
    {"Scrollbar", ciScrollbar, kSysColorScrollBar},
    {"HilightText", ciHilightText, kSysColorHighlightText},
    {"Hilight", ciHilight, kSysColorHighlight},
    {"Menubar", ciMenubar, -1},
    {"Menu", ciMenu, kSysColorMenu},
    {"MenuText", ciMenuText, kSysColorMenuText},
    {"ButtonText", ciButtonText, kSysColorBtnText},
    {"ButtonHilight", ciButtonHilight, kSysColorBtnHighlight},
    {"Buttonlight", ciButtonlight, kSysColorBtnHighlight},
    {"ButtonShadow", ciButtonShadow, kSysColorBtnShadow},
    {"ButtonDkShadow", ciButtonDkShadow, kSysColor3DDkShadow},
    {"MenuBarText", ciMenuBarText, kSysColorMenuText},
    {"TitleTextActive", ciTitleTextActive, kSysColorCaptionText},
    {"TitleTextNoActive", ciTitleTextNoActive, kSysColorInactiveCaptionText},
}};

// The whole skin description as the skin data component holds it, minus the
// bitmaps and the images derived from them. Optional slots are empty where the
// skin has no such section (or no image in it).
struct TSkinDescription {
    std::string SkinName;
    // Slots 9, 10 and 17 are not read from the description (17, the caption
    // colour, is sampled from the top frame's bitmap) and stay 0.
    std::array<TColorValue, kSkinColorCount> Colors{};
    std::array<bool, kSkinColorCount> ColorGiven{};
    std::vector<TColorValue> ColorSections;
    std::array<TColorValue, kCustomColorCount> CustomColors{};

    TSkinBorderDesc FrameLeft;
    TSkinBorderDesc FrameRight;
    TSkinBorderDesc FrameTop;
    TSkinBorderDesc FrameBottom;
    TSkinTitleDesc Title;
    TSkinButtonDesc Button;
    // The [Button<n>] caption buttons in file order, then the three MDI buttons.
    std::vector<TSkinSysButtonDesc> SysButtons;

    std::optional<TSkinObjectDesc> MenuBar;
    std::optional<TSkinBorderDesc> Progress;
    std::optional<TSkinObjectDesc> ProgressChunk;
    std::optional<TSkinObjectDesc> GroupBoxEdge;
    std::optional<TSkinBoxLabelDesc> GroupBox;
    std::optional<TSkinBorderDesc> Tabs;
    std::optional<TSkinObjectDesc> StatusBarEdges;
    std::optional<TSkinObjectDesc> TabPane;
    std::optional<TSkinObjectDesc> ToolBars;
    // Bitmap2 is left without a source: the component makes it a mirrored copy
    // of the bitmap.
    std::optional<TSkinBorderDesc> ComboButton;
    std::optional<TSkinObjectDesc> SunkEdge;
    std::optional<TSkinObjectDesc> ExtraImages;
    std::optional<TSkinObjectDesc> Headerbar;
    std::optional<TSkinObjectDesc> MenuItem;
    std::optional<TSkinObjectDesc> MenuBackground;
    std::optional<TSkinObjectDesc> Scrollbar;
    std::optional<TSkinObjectDesc> HorzScroll;
    std::optional<TSkinObjectDesc> VertScroll;
    std::optional<TSkinObjectDesc> HorzScrollThumb;
    std::optional<TSkinObjectDesc> VertScrollThumb;
    std::optional<TSkinObjectDesc> ThumbHorz;
    std::optional<TSkinObjectDesc> ThumbVert;
    std::optional<TSkinObjectDesc> ThumbLeft;
    std::optional<TSkinObjectDesc> ThumbRight;
    std::optional<TSkinObjectDesc> ThumbUp;
    std::optional<TSkinObjectDesc> ThumbDown;
    std::optional<TSkinBorderDesc> UpDownHorz;
    std::optional<TSkinBorderDesc> UpDownVert;
    // Always present: the program's own "TRACK" and "TRACKVERT" bitmaps stand in.
    TSkinObjectDesc Track;
    TSkinObjectDesc TrackVert;
};

// The loaders of the skin data component, one per kind of section. Objects
// whose text colours are read take `textColor` (the skin's button text colour)
// for those not given.
class TSkinDescriptionReader {
public:
    TSkinDescriptionReader(const TQuickIni& ini, TImageSizeLookup imageSize, TSkinKeyObserver observer = nullptr);

    // Section names in file order, as TQuickIni::ReadSections lists them.
    std::vector<std::string> ReadSections() const;
    std::string LoadSkinName() const;

    void LoadColors(TSkinDescription& skin, std::span<const std::string> sections) const;
    void LoadFrameBorders(TSkinDescription& skin) const;

    std::optional<TSkinObjectDesc> LoadObject(std::string_view section, TColorValue textColor) const;
    std::optional<TSkinBorderDesc> LoadBorderObject(std::string_view section, std::string_view secondImageKey,
                                                    TColorValue textColor) const;
    std::optional<TSkinBorderDesc> LoadProgress() const;
    std::optional<TSkinBoxLabelDesc> LoadBoxLabel(TColorValue textColor) const;
    TSkinButtonDesc LoadButtons(TColorValue textColor) const;
    std::optional<TSkinObjectDesc> LoadMenuBar() const;
    TSkinTitleDesc LoadTitle() const;
    // The caption buttons of the [Button<n>] sections followed by the three MDI
    // buttons, already cut from [MDICONTROLS] by LoadMdiButtons.
    std::vector<TSkinSysButtonDesc> LoadSysButtons(std::span<const std::string> sections) const;
    void LoadMdiButtons(std::span<TSkinSysButtonDesc, 3> mdiButtons) const;
    // [Track] or [TRACKVERT], else the program's bitmap resource of that name.
    TSkinObjectDesc LoadTrack(std::string_view section, std::string_view resource, TColorValue textColor) const;

    // Fixes the frame counts that each kind of object has whatever the skin says.
    void SetFrameCounts(TSkinDescription& skin) const;

private:
    std::string ReadString(std::string_view section, std::string_view key) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    TColorValue ReadColor(std::string_view section, std::string_view key, TColorValue defaultValue) const;
    TSkinImage ReadImage(std::string_view section, std::string_view key) const;
    std::optional<TImageSize> ImageSize(const TSkinImage& image) const;
    void ReadCommonFields(TSkinObjectDesc& object, std::string_view section, TSkinImage image,
                          TColorValue textColor) const;

    const TQuickIni& ini_;
    TImageSizeLookup imageSize_;
    TSkinKeyObserver observer_;
};

// The [MDICONTROLS] image: 12 equal cells, 4 for each of the maximised MDI child's buttons
// (minimise, restore, close), which come last in the caption button list.
inline constexpr int kMdiCellCount = 12;
inline constexpr std::size_t kMdiButtonCount = 3;

// Reads a whole skin description in the skin data component's order: section
// list, skin name, frame borders, colours, caption and MDI buttons, [Buttons],
// the title, the section objects, and finally the frame counts.
TSkinDescription ReadSkinDescription(const TQuickIni& ini, const TImageSizeLookup& imageSize,
                                     const TSkinKeyObserver& observer = nullptr);

}  // namespace velloran
