#include "skin/data/SkinDescription.h"

#include "framework/Classes.h"
#include "skin/data/WinSkinIni.h"

#include <algorithm>
#include <utility>

namespace velloran {
namespace {

constexpr std::string_view kPersonality = "Personality";

// Caption button sections are all those named Button<something> but these.
constexpr std::string_view kNotCaptionButtons[] = {"BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX", "BUTTON"};

// Strips narrower than this ratio of width to height hold three frames, others six.
constexpr double kThreeFrameRatioLimit = 3.8;
constexpr int32_t kActionIcon = 3;
constexpr int32_t kActionIconAlternative = 11;
constexpr int32_t kActionMaximize = 1;
constexpr int32_t kVisibilityMaximize = 2;
constexpr int32_t kActionSharesMaximizePosition = 4;

constexpr int32_t kMdiActions[] = {7, 8, 9};
constexpr int32_t kMdiPlacement = 100;
constexpr int kMdiCellsPerButton = 4;

constexpr int32_t kTabPaneMarginLimit = 4;

TColorValue ChannelsToColor(int32_t red, int32_t green, int32_t blue) {
    return (static_cast<TColorValue>(red) & 0xFF) | (static_cast<TColorValue>(green) & 0xFF) << 8 |
           (static_cast<TColorValue>(blue) & 0xFF) << 16;
}

void CapMargins(TSkinObjectDesc& object, int32_t limit) {
    for (int32_t* margin : {&object.LeftWidth, &object.TopHeight, &object.RightWidth, &object.BottomHeight})
        *margin = std::min(*margin, limit);
}

bool IsCaptionButtonSection(std::string_view name) {
    const std::string upper = UpperCase(name);
    return upper.starts_with("BUTTON") && std::ranges::find(kNotCaptionButtons, upper) == std::end(kNotCaptionButtons);
}

// A check or radio strip of frames 13 pixels wide, or 16 once the strip is that high.
int32_t CheckFrameCount(const std::optional<TImageSize>& size) {
    if (!size) return 4;
    return std::max(4, size->Width / (size->Height < 16 ? 13 : 16));
}

template <typename T>
void SetFrame(std::optional<T>& object, int32_t frame) {
    if (object) object->Frame = frame;
}

}  // namespace

std::string SkinImageMember(std::string_view value) {
    const std::size_t pathEnd = value.find_last_of("\\:");
    const std::string_view name = pathEnd == std::string_view::npos ? value : value.substr(pathEnd + 1);
    const std::size_t point = name.rfind('.');
    if (name.empty() || point == std::string_view::npos || name.substr(point) != ".bmp") return {};
    return std::string(name);
}

TSkinDescriptionReader::TSkinDescriptionReader(const TQuickIni& ini, TImageSizeLookup imageSize,
                                               TSkinKeyObserver observer)
    : ini_(ini), imageSize_(std::move(imageSize)), observer_(std::move(observer)) {}

std::string TSkinDescriptionReader::ReadString(std::string_view section, std::string_view key) const {
    if (observer_) observer_(section, key);
    return ini_.ReadString(section, key, "");
}

int32_t TSkinDescriptionReader::ReadInteger(std::string_view section, std::string_view key,
                                            int32_t defaultValue) const {
    if (observer_) observer_(section, key);
    return ini_.ReadInteger(section, key, defaultValue);
}

TColorValue TSkinDescriptionReader::ReadColor(std::string_view section, std::string_view key,
                                              TColorValue defaultValue) const {
    const std::string text = ReadString(section, key);
    return text.empty() ? defaultValue : ParseColorText(text);
}

TSkinImage TSkinDescriptionReader::ReadImage(std::string_view section, std::string_view key) const {
    TSkinImage image;
    image.Value = ReadString(section, key);
    image.Member = SkinImageMember(image.Value);
    return image;
}

std::optional<TImageSize> TSkinDescriptionReader::ImageSize(const TSkinImage& image) const {
    if (image.Member.empty() || !imageSize_) return std::nullopt;
    const std::optional<TImageSize> size = imageSize_(image.Member);
    if (!size || size->Width <= 0 || size->Height <= 0) return std::nullopt;
    return size;
}

std::string TSkinDescriptionReader::LoadSkinName() const { return ReadString("TitlebarSkin", "SkinName"); }

std::vector<std::string> TSkinDescriptionReader::ReadSections() const {
    TStringList sections;
    ini_.ReadSections(sections);
    return sections.ToVector();
}

void TSkinDescriptionReader::LoadColors(TSkinDescription& skin, std::span<const std::string> sections) const {
    constexpr std::string_view kColours = "Colours";
    for (const TSkinColorKey& entry : kSkinColorKeys) {
        const std::string text = ReadString(kColours, entry.Key);
        skin.ColorGiven[entry.Slot] = !text.empty();
        if (!text.empty())
            skin.Colors[entry.Slot] = ParseColorText(text);
        else
            skin.Colors[entry.Slot] =
                entry.SystemDefault < 0 ? skin.Colors[ciButtonFace] : SystemColor(entry.SystemDefault);
    }

    skin.ColorSections.clear();
    for (const std::string& section : sections) {
        const std::string upper = UpperCase(section);
        if (upper.starts_with("COLOUR") && upper != "COLOURS")
            skin.ColorSections.push_back(ReadColor(section, "color", SystemColor(kSysColorWindowText)));
    }

    for (int i = 0; i < kCustomColorCount; ++i)
        skin.CustomColors[static_cast<std::size_t>(i)] =
            ReadColor("Customcolors", "Color" + std::to_string(i), 0xFFFFFF);
}

void TSkinDescriptionReader::LoadFrameBorders(TSkinDescription& skin) const {
    const std::pair<TSkinBorderDesc*, std::string_view> sides[] = {
        {&skin.FrameLeft, "Left"}, {&skin.FrameRight, "Right"}, {&skin.FrameTop, "Top"}, {&skin.FrameBottom, "Bottom"}};
    for (const auto& [border, side] : sides) {
        const std::string prefix(side);
        *border = TSkinBorderDesc{};
        border->Name = prefix;
        // The strips along the top and bottom keep their ends unscaled, those at the sides their top and bottom.
        const int32_t startMargin = ReadInteger(kPersonality, prefix + "TopHeight", 0);
        const int32_t endMargin = ReadInteger(kPersonality, prefix + "BotHeight", 0);
        if (side == "Top" || side == "Bottom") {
            border->LeftWidth = startMargin;
            border->RightWidth = endMargin;
        } else {
            border->TopHeight = startMargin;
            border->BottomHeight = endMargin;
        }
        border->Frame = ReadInteger(kPersonality, prefix + "Frame", 1);
        border->Tile = std::min(ReadInteger(kPersonality, prefix + "Stretch", 1), 1);
        border->Trans = ReadInteger(kPersonality, prefix + "Trans", 1);
        border->Bitmap = ReadImage(kPersonality, prefix);
    }
}

void TSkinDescriptionReader::ReadCommonFields(TSkinObjectDesc& object, std::string_view section, TSkinImage image,
                                              TColorValue textColor) const {
    object.Name = std::string(section);
    object.Bitmap = std::move(image);
    object.Style = ReadInteger(section, "Style", 0);
    object.LeftWidth = ReadInteger(section, "LeftWidth", 0);
    object.RightWidth = ReadInteger(section, "RightWidth", 0);
    object.TopHeight = ReadInteger(section, "TopHeight", 0);
    object.BottomHeight = ReadInteger(section, "BottomHeight", 0);
    object.Trans = ReadInteger(section, "Trans", 0);
    object.Tile = ReadInteger(section, "Tile", 0);
    if (object.Tile > 1) object.Tile = 0;
    object.NormalColour = ReadInteger(section, "NormalColour", kTextColourNotGiven);
    object.MouseOverColour = ReadInteger(section, "MouseOverColour", kTextColourNotGiven);
    object.PressedColour = ReadInteger(section, "PressedColour", kTextColourNotGiven);
    object.NormalColour2 = ReadColor(section, "NormalColour2", textColor);
    object.MouseOverColour2 = ReadColor(section, "MouseOverColour2", textColor);
    object.PressedColour2 = ReadColor(section, "PressedColour2", textColor);
}

std::optional<TSkinObjectDesc> TSkinDescriptionReader::LoadObject(std::string_view section,
                                                                  TColorValue textColor) const {
    TSkinImage image = ReadImage(section, "Image");
    if (image.Value.empty()) return std::nullopt;
    TSkinObjectDesc object;
    ReadCommonFields(object, section, std::move(image), textColor);
    object.Frame = ReadInteger(section, "Frame", 0);
    return object;
}

std::optional<TSkinBorderDesc> TSkinDescriptionReader::LoadBorderObject(std::string_view section,
                                                                        std::string_view secondImageKey,
                                                                        TColorValue textColor) const {
    TSkinImage image = ReadImage(section, "Image");
    if (image.Value.empty()) return std::nullopt;
    TSkinBorderDesc object;
    ReadCommonFields(object, section, std::move(image), textColor);
    object.Bitmap2 = ReadImage(section, secondImageKey);
    return object;
}

std::optional<TSkinBorderDesc> TSkinDescriptionReader::LoadProgress() const {
    constexpr std::string_view kProgress = "Progress";
    TSkinImage image = ReadImage(kProgress, "Bitmap");
    if (image.Value.empty()) return std::nullopt;
    TSkinBorderDesc object;
    object.Name = std::string(kProgress);
    object.Bitmap = std::move(image);
    object.Style = ReadInteger(kProgress, "Style", 0);
    object.LeftWidth = ReadInteger(kProgress, "LeftWidth", 0);
    object.RightWidth = ReadInteger(kProgress, "RightWidth", 0);
    object.TopHeight = ReadInteger(kProgress, "TopHeight", 0);
    object.BottomHeight = ReadInteger(kProgress, "BottomHeight", 0);
    object.Trans = ReadInteger(kProgress, "Trans", 0);
    object.Tile = std::min(ReadInteger(kProgress, "Tile", 0), 1);
    return object;
}

std::optional<TSkinBoxLabelDesc> TSkinDescriptionReader::LoadBoxLabel(TColorValue textColor) const {
    constexpr std::string_view kGroupBox = "GroupBox";
    TSkinImage image = ReadImage(kGroupBox, "Image");
    if (image.Value.empty()) return std::nullopt;
    TSkinBoxLabelDesc object;
    ReadCommonFields(object, kGroupBox, std::move(image), textColor);
    object.BackgroundAlignment = ReadInteger(kGroupBox, "BackgroundAlignment", 0);
    object.BackgroundLeftShift = ReadInteger(kGroupBox, "BackgroundLeftShift", 0);
    object.BackgroundRightShift = ReadInteger(kGroupBox, "BackgroundRightShift", 0);
    return object;
}

TSkinButtonDesc TSkinDescriptionReader::LoadButtons(TColorValue textColor) const {
    constexpr std::string_view kButtons = "Buttons";
    TSkinButtonDesc button;
    button.Name = std::string(kButtons);
    button.LeftWidth = ReadInteger(kButtons, "LeftWidth", 0);
    button.RightWidth = ReadInteger(kButtons, "RightWidth", 0);
    button.TopHeight = ReadInteger(kButtons, "TopHeight", 0);
    button.BottomHeight = ReadInteger(kButtons, "BottomHeight", 0);
    button.Trans = ReadInteger(kButtons, "Trans", 0);
    button.Tile = ReadInteger(kButtons, "Tile", 0);
    if (button.Tile > 1) button.Tile = 0;
    button.Bitmap = ReadImage(kButtons, "Bitmap");
    button.CheckBitmap = ReadImage(kButtons, "CheckButton");
    button.RadioBitmap = ReadImage(kButtons, "RadioButton");
    button.NormalColour = ReadInteger(kButtons, "NormalColour", kTextColourNotGiven);
    button.MouseOverColour = ReadInteger(kButtons, "MouseOverColour", kTextColourNotGiven);
    button.PressedColour = ReadInteger(kButtons, "PressedColour", kTextColourNotGiven);
    button.RadioFrame = ReadInteger(kButtons, "RadioButtonFrame", 0);
    button.CheckFrame = ReadInteger(kButtons, "CheckButtonFrame", 0);

    const std::pair<TColorValue*, bool*> colours[] = {{&button.NormalColour2, &button.HasNormalColour2},
                                                      {&button.MouseOverColour2, &button.HasMouseOverColour2},
                                                      {&button.PressedColour2, &button.HasPressedColour2}};
    const std::string_view keys[] = {"NormalColour2", "MouseOverColour2", "PressedColour2"};
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        const std::string text = ReadString(kButtons, keys[i]);
        *colours[i].second = !text.empty();
        *colours[i].first = text.empty() ? textColor : ParseColorText(text);
    }
    return button;
}

std::optional<TSkinObjectDesc> TSkinDescriptionReader::LoadMenuBar() const {
    TSkinImage image = ReadImage(kPersonality, "menuBar");
    if (image.Value.empty()) return std::nullopt;
    TSkinObjectDesc menuBar;
    menuBar.Name = std::string(kPersonality);
    menuBar.Bitmap = std::move(image);
    menuBar.Tile = std::min(ReadInteger(kPersonality, "TileMenu", 1), 1);
    menuBar.LeftWidth = ReadInteger(kPersonality, "TileLeftMenu", 1);
    menuBar.RightWidth = ReadInteger(kPersonality, "TileRightMenu", 1);
    return menuBar;
}

TSkinTitleDesc TSkinDescriptionReader::LoadTitle() const {
    TSkinTitleDesc title;
    title.Name = "Title";
    title.Bitmap = ReadImage(kPersonality, "TextBack");
    title.LeftWidth = ReadInteger(kPersonality, "TextShift", 0);
    title.TopHeight = ReadInteger(kPersonality, "TextShiftVert", 0);
    title.RightWidth = ReadInteger(kPersonality, "TextRightClip", 0);
    title.TextAlignment = ReadInteger(kPersonality, "TextAlignment", 0);
    title.TextBackground = ReadInteger(kPersonality, "Textbackground", 0);
    title.TextBackLeft = ReadInteger(kPersonality, "TXTBackleft", 0);
    title.TextBackRight = ReadInteger(kPersonality, "TXTBackRight", 0);
    title.FontHeight = ReadInteger("Fonts", "FontHeight", 14);

    // A title colour counts only when all three of its channels are given.
    const auto readTextColor = [&](const std::string& prefix) {
        const int32_t red = ReadInteger(kPersonality, prefix + "R", -1);
        const int32_t green = ReadInteger(kPersonality, prefix + "G", -1);
        const int32_t blue = ReadInteger(kPersonality, prefix + "B", -1);
        return red >= 0 && green >= 0 && blue >= 0 ? ChannelsToColor(red, green, blue) : kTitleColorNotGiven;
    };
    title.ActiveTextColor = readTextColor("ActiveText");
    title.InactiveTextColor = readTextColor("InActiveText");
    return title;
}

std::vector<TSkinSysButtonDesc> TSkinDescriptionReader::LoadSysButtons(std::span<const std::string> sections) const {
    std::vector<std::string> kept;
    for (const std::string& section : sections) {
        if (!IsCaptionButtonSection(section)) continue;
        // A button without an action is listed only when it is meant to be always visible.
        if (ReadInteger(section, "Action", 0) == -1 && ReadInteger(section, "Visibility", -1) != 0) continue;
        kept.push_back(section);
    }

    std::vector<TSkinSysButtonDesc> buttons;
    buttons.reserve(kept.size() + std::size(kMdiActions));
    int32_t sharedX = 0, sharedY = 0;
    for (const std::string& section : kept) {
        TSkinSysButtonDesc button;
        button.Name = UpperCase(section);
        button.Action = ReadInteger(section, "Action", 0);
        button.Align = ReadInteger(section, "Align", 0);
        button.XCoord = ReadInteger(section, "Xcoord", 0);
        button.YCoord = ReadInteger(section, "Ycoord", 0);
        button.Visibility = ReadInteger(section, "Visibility", 0);
        button.Visibility1 = ReadInteger(section, "Visibility1", button.Action == -1 ? -1 : 0);
        button.CombineOp = ReadInteger(section, "CombineOp", -1);
        button.Frame = ReadInteger(section, "frame", 0);
        button.Bitmap = ReadImage(section, "ButtonImage");

        // The help button stands where the maximise button would.
        if (button.Action == kActionMaximize && button.Visibility == kVisibilityMaximize) {
            sharedX = button.XCoord;
            sharedY = button.YCoord;
        } else if (button.Action == kActionSharesMaximizePosition) {
            button.XCoord = sharedX;
            button.YCoord = sharedY;
        }

        if (button.Frame == 0) {
            button.Frame = 6;
            if (const std::optional<TImageSize> size = ImageSize(button.Bitmap))
                button.Frame = static_cast<double>(size->Width) / size->Height <= kThreeFrameRatioLimit ? 3 : 6;
            if (button.Action < 0) button.Frame = 6;
            // The icon button draws the window's own icon.
            if (button.Action == kActionIcon || button.Action == kActionIconAlternative) button.Bitmap.Member.clear();
        }
        buttons.push_back(std::move(button));
    }

    for (const int32_t action : kMdiActions) {
        TSkinSysButtonDesc mdi;
        mdi.Action = action;
        mdi.Align = kMdiPlacement;
        mdi.Visibility = kMdiPlacement;
        mdi.Visibility1 = kMdiPlacement;
        mdi.Frame = 4;
        buttons.push_back(std::move(mdi));
    }
    LoadMdiButtons(std::span(buttons).last<3>());
    return buttons;
}

void TSkinDescriptionReader::LoadMdiButtons(std::span<TSkinSysButtonDesc, 3> mdiButtons) const {
    const TSkinImage source = ReadImage("MDICONTROLS", "Image");
    const std::optional<TImageSize> size = ImageSize(source);
    if (!size) return;
    // Twelve cells: four frames each of minimise, restore and close.
    const int cell = size->Width / kMdiCellCount;
    const int width = kMdiCellsPerButton * cell;
    for (int i = 0; i < 3; ++i) {
        TSkinSysButtonDesc& button = mdiButtons[static_cast<std::size_t>(i)];
        // A strip narrower than its twelve cells has nothing to cut.
        if (width > 0) {
            button.Bitmap = source;
            button.Bitmap.Part = TImageRect{width * i, 0, width, size->Height};
        }
        button.XCoord = (cell + 4) * (3 - i);
    }
}

TSkinObjectDesc TSkinDescriptionReader::LoadTrack(std::string_view section, std::string_view resource,
                                                  TColorValue textColor) const {
    if (std::optional<TSkinObjectDesc> track = LoadObject(section, textColor)) return std::move(*track);
    TSkinObjectDesc fallback;
    fallback.Name = std::string(resource);
    fallback.Bitmap.Resource = std::string(resource);
    fallback.LeftWidth = fallback.TopHeight = fallback.RightWidth = fallback.BottomHeight = 3;
    fallback.Frame = 1;
    return fallback;
}

void TSkinDescriptionReader::SetFrameCounts(TSkinDescription& skin) const {
    skin.Button.Frame = 5;
    if (skin.Button.RadioFrame == 0) skin.Button.RadioFrame = CheckFrameCount(ImageSize(skin.Button.RadioBitmap));
    if (skin.Button.CheckFrame == 0) skin.Button.CheckFrame = CheckFrameCount(ImageSize(skin.Button.CheckBitmap));
    skin.Title.Frame = 2;
    if (skin.Progress) skin.Progress->Frame = skin.Progress->Style != 0 ? 1 : 2;
    SetFrame(skin.MenuBar, 2);
    SetFrame(skin.GroupBoxEdge, 2);
    SetFrame(skin.TabPane, 1);
    SetFrame(skin.GroupBox, 1);
    SetFrame(skin.MenuBackground, 1);
    for (std::optional<TSkinObjectDesc>* object :
         {&skin.ToolBars, &skin.ExtraImages, &skin.MenuItem, &skin.ThumbHorz, &skin.ThumbVert, &skin.ThumbLeft,
          &skin.ThumbRight, &skin.ThumbUp, &skin.ThumbDown})
        SetFrame(*object, 5);
    SetFrame(skin.Tabs, 5);
    if (skin.Headerbar && skin.Headerbar->Frame == 0) skin.Headerbar->Frame = 5;
    SetFrame(skin.StatusBarEdges, 3);
    SetFrame(skin.ComboButton, 4);
    SetFrame(skin.SunkEdge, 4);
    SetFrame(skin.HorzScroll, 4);
    SetFrame(skin.VertScroll, 4);
    SetFrame(skin.Scrollbar, 23);
    SetFrame(skin.UpDownHorz, 8);
    SetFrame(skin.UpDownVert, 8);
    if (skin.HorzScrollThumb) skin.HorzScrollThumb->Frame = ReadInteger("HorzScrollThumb", "FrameCount", 3);
    if (skin.VertScrollThumb) skin.VertScrollThumb->Frame = ReadInteger("VertScrollThumb", "FrameCount", 3);
}

TSkinDescription ReadSkinDescription(const TQuickIni& ini, const TImageSizeLookup& imageSize,
                                     const TSkinKeyObserver& observer) {
    const TSkinDescriptionReader reader(ini, imageSize, observer);
    TSkinDescription skin;
    const std::vector<std::string> sections = reader.ReadSections();
    skin.SkinName = reader.LoadSkinName();
    reader.LoadFrameBorders(skin);
    reader.LoadColors(skin, sections);
    skin.SysButtons = reader.LoadSysButtons(sections);

    const TColorValue text = skin.Colors[ciButtonText];
    skin.Button = reader.LoadButtons(text);
    skin.Title = reader.LoadTitle();

    skin.Progress = reader.LoadProgress();
    skin.ProgressChunk = reader.LoadObject("Progress.Chunk", text);
    skin.MenuBar = reader.LoadMenuBar();
    skin.GroupBoxEdge = reader.LoadObject("GroupBoxEdge", text);
    skin.GroupBox = reader.LoadBoxLabel(text);
    skin.Tabs = reader.LoadBorderObject("Tabs", "Border", text);
    skin.StatusBarEdges = reader.LoadObject("StatusBarEdges", text);
    skin.TabPane = reader.LoadObject("Tab.Pane", text);
    if (skin.TabPane) CapMargins(*skin.TabPane, kTabPaneMarginLimit);
    skin.ToolBars = reader.LoadObject("ToolBars", text);
    // A key no skin has: the second bitmap is the component's mirrored copy.
    skin.ComboButton = reader.LoadBorderObject("ComboButton", "****", text);
    skin.SunkEdge = reader.LoadObject("SunkEdge", text);
    skin.ExtraImages = reader.LoadObject("ExtraImages", text);
    skin.Headerbar = reader.LoadObject("Headerbar", text);
    skin.MenuItem = reader.LoadObject("MenuItem", text);
    skin.MenuBackground = reader.LoadObject("MenuBackground", text);
    skin.Scrollbar = reader.LoadObject("Scrollbar", text);
    skin.HorzScroll = reader.LoadObject("HorzScroll", text);
    skin.VertScroll = reader.LoadObject("VertScroll", text);
    skin.HorzScrollThumb = reader.LoadObject("HorzScrollThumb", text);
    skin.VertScrollThumb = reader.LoadObject("VertScrollThumb", text);
    skin.ThumbHorz = reader.LoadObject("Trackbar.ThumbHorz", text);
    skin.ThumbVert = reader.LoadObject("Trackbar.ThumbVert", text);
    skin.ThumbLeft = reader.LoadObject("Trackbar.ThumbLeft", text);
    skin.ThumbRight = reader.LoadObject("Trackbar.ThumbRight", text);
    skin.ThumbUp = reader.LoadObject("Trackbar.ThumbUp", text);
    skin.ThumbDown = reader.LoadObject("Trackbar.ThumbDown", text);
    skin.UpDownHorz = reader.LoadBorderObject("UpDown.Horz", "GlyphImage", text);
    skin.UpDownVert = reader.LoadBorderObject("UpDown.Vert", "GlyphImage", text);
    skin.Track = reader.LoadTrack("Track", "TRACK", text);
    skin.TrackVert = reader.LoadTrack("TRACKVERT", "TRACKVERT", text);

    reader.SetFrameCounts(skin);
    return skin;
}

}  // namespace velloran
