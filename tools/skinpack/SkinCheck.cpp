#include "tools/skinpack/SkinCheck.h"

#include "framework/Classes.h"
#include "skin/data/BitmapFile.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"
#include "tools/skinpack/IniInventory.h"

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace velloran {
namespace {


std::string ColorText(TColorValue color) {
    if (color >= SystemColor(0)) return "system colour " + std::to_string(color - SystemColor(0));
    return std::to_string(color & 0xFF) + "," + std::to_string(color >> 8 & 0xFF) + "," +
           std::to_string(color >> 16 & 0xFF);
}

std::string Margins(const TSkinObjectDesc& object) {
    return "margins " + std::to_string(object.LeftWidth) + "/" + std::to_string(object.TopHeight) + "/" +
           std::to_string(object.RightWidth) + "/" + std::to_string(object.BottomHeight);
}

std::string Flags(const TSkinObjectDesc& object) {
    return "style " + std::to_string(object.Style) + ", trans " + std::to_string(object.Trans) + ", tile " +
           std::to_string(object.Tile);
}

class TSkinChecker {
public:
    TSkinChecker(const TSkinReader& skin, std::ostream& out) : skin_(skin), out_(out) {}

    int Run();
    const std::vector<std::string>& Problems() const { return problems_; }

private:
    struct TImageState {
        bool Present = false;
        std::optional<TImageSize> Size;
    };

    const TImageState& Lookup(const std::string& member);
    void Problem(std::string_view where, const std::string& what) {
        problems_.push_back(std::string(where) + ": " + what);
    }
    // What the object gets from the image; frames is empty for images not cut into frames,
    // which lie side by side unless stacked.
    std::string Image(std::string_view where, const TSkinImage& image, std::optional<int32_t> frames,
                      bool stacked = false);

    void ReportColors(const TSkinDescription& skin);
    void ReportFrameBorders(const TSkinDescription& skin);
    void ReportTitle(const TSkinTitleDesc& title);
    void ReportButton(const TSkinButtonDesc& button);
    void ReportSysButtons(const std::vector<TSkinSysButtonDesc>& buttons);
    void ReportObject(std::string_view slot, std::string_view section, const TSkinObjectDesc* object,
                      bool stacked = false);
    template <typename T>
    void ReportSlot(std::string_view slot, std::string_view section, const std::optional<T>& object,
                    bool stacked = false) {
        ReportObject(slot, section, object ? &*object : nullptr, stacked);
    }
    // The second image of a border object, cut into frames when it holds states.
    void ReportSecondImage(std::string_view slot, const std::optional<TSkinBorderDesc>& object,
                           std::optional<int32_t> frames);
    void ReportSections(const TSkinDescription& skin);
    void ReportList(std::string_view heading, const std::vector<std::string>& lines);
    // The problems found, then their count, which it returns.
    int ReportProblems();

    const TSkinReader& skin_;
    std::ostream& out_;
    std::map<std::string, TImageState> images_;
    std::set<std::string> named_;
    std::vector<std::string> problems_;
};

const TSkinChecker::TImageState& TSkinChecker::Lookup(const std::string& member) {
    const std::string key = LowerCase(member);
    if (const auto found = images_.find(key); found != images_.end()) return found->second;
    std::vector<uint8_t> bytes;
    skin_.ExtractMember(key, bytes);
    TImageState state;
    state.Present = !bytes.empty();
    if (const TDecodedBitmap bitmap = ReadBitmapFile(bytes); !bitmap.Empty())
        state.Size = TImageSize{bitmap.Width, bitmap.Height};
    return images_.emplace(key, state).first->second;
}

std::string TSkinChecker::Image(std::string_view where, const TSkinImage& image, std::optional<int32_t> frames,
                                bool stacked) {
    if (!image.Resource.empty()) return "the program's own " + image.Resource + " bitmap";
    if (image.Member.empty()) {
        if (image.Value.empty()) return "no image";
        // A usable name dropped by the loader: the icon buttons draw the window's icon instead.
        if (!SkinImageMember(image.Value).empty()) return "no image (" + image.Value + " is not used here)";
        Problem(where, "\"" + image.Value + "\" names no image: the file name must end in \".bmp\" in lower case");
        return "no image";
    }

    named_.insert(LowerCase(image.Member));
    const TImageState& state = Lookup(image.Member);
    if (!state.Present) {
        Problem(where, image.Member + " is not in the skin");
        return "missing " + image.Member;
    }
    if (!state.Size) {
        Problem(where, image.Member + " is not a bitmap the program can read");
        return "unreadable " + image.Member;
    }

    TImageSize size = *state.Size;
    std::string text = image.Member;
    if (image.Part) {
        size = {image.Part->Width, image.Part->Height};
        text += " from x " + std::to_string(image.Part->Left);
    }
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a literal plus a temporary string.
    text += ' ';
    text += std::to_string(size.Width);
    text += 'x';
    text += std::to_string(size.Height);
    if (!frames) return text;
    if (*frames <= 0) {
        Problem(where, "a frame count of " + std::to_string(*frames) + " cannot cut " + image.Member);
        return text + ", " + std::to_string(*frames) + " frames";
    }
    const int length = stacked ? size.Height : size.Width;
    if (length % *frames != 0)
        Problem(where, image.Member + " is " + std::to_string(length) + (stacked ? " pixels high" : " pixels wide") +
                           ", which does not divide into " + std::to_string(*frames) + " frames");
    const TImageSize frame =
        stacked ? TImageSize{size.Width, size.Height / *frames} : TImageSize{size.Width / *frames, size.Height};
    return text + ", " + std::to_string(*frames) + (stacked ? " stacked" : "") + (*frames == 1 ? " frame" : " frames") +
           " of " + std::to_string(frame.Width) + "x" + std::to_string(frame.Height);
}

void TSkinChecker::ReportColors(const TSkinDescription& skin) {
    out_ << "Colours\n";
    for (const TSkinColorKey& entry : kSkinColorKeys)
        out_ << "  " << entry.Key << " = " << ColorText(skin.Colors[entry.Slot])
             << (skin.ColorGiven[entry.Slot] ? "" : "  (not given)") << "\n";
    for (std::size_t i = 0; i < skin.ColorSections.size(); ++i)
        out_ << "  colour section " << i << " = " << ColorText(skin.ColorSections[i]) << "\n";
    for (std::size_t i = 0; i < skin.CustomColors.size(); ++i)
        out_ << "  Color" << i << " = " << ColorText(skin.CustomColors[i]) << "\n";
}

void TSkinChecker::ReportFrameBorders(const TSkinDescription& skin) {
    out_ << "Window frame [Personality]\n";
    for (const TSkinBorderDesc* border : {&skin.FrameLeft, &skin.FrameRight, &skin.FrameTop, &skin.FrameBottom}) {
        const std::string where = "Frame" + border->Name;
        const bool stacked = border == &skin.FrameTop || border == &skin.FrameBottom;
        out_ << "  " << where << ": " << Image(where, border->Bitmap, border->Frame, stacked) << "; "
             << Margins(*border) << ", stretch " << border->Tile << ", trans " << border->Trans << "\n";
    }
}

void TSkinChecker::ReportTitle(const TSkinTitleDesc& title) {
    const auto colour = [](TColorValue color) {
        return color == kTitleColorNotGiven ? std::string("not given") : ColorText(color);
    };
    out_ << "Title [Personality], [Fonts]\n"
         << "  text background: " << Image("Title", title.Bitmap, title.Frame, true) << "; style "
         << title.TextBackground << ", left " << title.TextBackLeft << ", right " << title.TextBackRight << "\n"
         << "  text: shift " << title.LeftWidth << ", vertical shift " << title.TopHeight << ", right clip "
         << title.RightWidth << ", alignment " << title.TextAlignment << ", font height " << title.FontHeight << "\n"
         << "  text colour: active " << colour(title.ActiveTextColor) << ", inactive "
         << colour(title.InactiveTextColor) << "\n";
}

void TSkinChecker::ReportButton(const TSkinButtonDesc& button) {
    const auto textColour = [](bool given, TColorValue color) {
        return given ? ColorText(color) : std::string("not given");
    };
    out_ << "Button [Buttons]\n"
         << "  push button: " << Image("Button", button.Bitmap, button.Frame) << "; " << Margins(button) << ", trans "
         << button.Trans << ", tile " << button.Tile << "\n"
         << "  check box: " << Image("Button check box", button.CheckBitmap, button.CheckFrame) << "\n"
         << "  radio button: " << Image("Button radio button", button.RadioBitmap, button.RadioFrame) << "\n"
         << "  text colours: normal " << textColour(button.HasNormalColour2, button.NormalColour2) << ", hot "
         << textColour(button.HasMouseOverColour2, button.MouseOverColour2) << ", pressed "
         << textColour(button.HasPressedColour2, button.PressedColour2) << "\n";
}

void TSkinChecker::ReportSysButtons(const std::vector<TSkinSysButtonDesc>& buttons) {
    out_ << "Caption buttons [Button<n>], [MDICONTROLS]\n";
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const TSkinSysButtonDesc& button = buttons[i];
        const bool mdi = i + kMdiButtonCount >= buttons.size();
        const std::string where = mdi ? "MDI button " + std::to_string(button.Action) : button.Name;
        out_ << "  " << where << ": action " << button.Action << ", align " << button.Align << ", at " << button.XCoord
             << "," << button.YCoord << ", visibility " << button.Visibility << "/" << button.Visibility1
             << ", combine " << button.CombineOp << "; " << Image(where, button.Bitmap, button.Frame) << "\n";
    }
    const TSkinSysButtonDesc& firstMdi = buttons[buttons.size() - kMdiButtonCount];
    if (firstMdi.Bitmap.Part) {
        const TImageState& state = Lookup(firstMdi.Bitmap.Member);
        if (state.Size && state.Size->Width % kMdiCellCount != 0)
            Problem("MDICONTROLS", firstMdi.Bitmap.Member + " is " + std::to_string(state.Size->Width) +
                                       " pixels wide, which does not divide into " +
                                       std::to_string(kMdiCellCount) + " cells");
    }
}

void TSkinChecker::ReportObject(std::string_view slot, std::string_view section, const TSkinObjectDesc* object,
                                bool stacked) {
    out_ << "  " << slot << " [" << section << "]: ";
    if (!object) {
        out_ << "absent\n";
        return;
    }
    out_ << Image(slot, object->Bitmap, object->Frame, stacked) << "; " << Margins(*object) << ", " << Flags(*object)
         << "\n";
}

void TSkinChecker::ReportSecondImage(std::string_view slot, const std::optional<TSkinBorderDesc>& object,
                                     std::optional<int32_t> frames) {
    if (!object || object->Bitmap2.Value.empty()) return;
    const std::string where = std::string(slot) + " second image";
    out_ << "  " << where << ": " << Image(where, object->Bitmap2, frames) << "\n";
}

void TSkinChecker::ReportSections(const TSkinDescription& skin) {
    out_ << "Skin objects\n";
    ReportSlot("Progress", "Progress", skin.Progress);
    ReportSlot("ProgressChunk", "Progress.Chunk", skin.ProgressChunk);
    ReportSlot("MenuBar", "Personality", skin.MenuBar, true);
    ReportSlot("GroupBoxEdge", "GroupBoxEdge", skin.GroupBoxEdge);
    ReportSlot("GroupBox", "GroupBox", skin.GroupBox);
    ReportSlot("Tabs", "Tabs", skin.Tabs);
    ReportSecondImage("Tabs", skin.Tabs, std::nullopt);
    ReportSlot("StatusBarEdges", "StatusBarEdges", skin.StatusBarEdges);
    ReportSlot("TabPane", "Tab.Pane", skin.TabPane);
    ReportSlot("ToolBars", "ToolBars", skin.ToolBars);
    ReportSlot("ComboButton", "ComboButton", skin.ComboButton);
    ReportSlot("SunkEdge", "SunkEdge", skin.SunkEdge);
    ReportSlot("ExtraImages", "ExtraImages", skin.ExtraImages);
    ReportSlot("Headerbar", "Headerbar", skin.Headerbar);
    ReportSlot("MenuItem", "MenuItem", skin.MenuItem);
    ReportSlot("MenuBackground", "MenuBackground", skin.MenuBackground);
    ReportSlot("Scrollbar", "Scrollbar", skin.Scrollbar);
    ReportSlot("HorzScroll", "HorzScroll", skin.HorzScroll);
    ReportSlot("VertScroll", "VertScroll", skin.VertScroll);
    ReportSlot("HorzScrollThumb", "HorzScrollThumb", skin.HorzScrollThumb);
    ReportSlot("VertScrollThumb", "VertScrollThumb", skin.VertScrollThumb);
    ReportSlot("ThumbHorz", "Trackbar.ThumbHorz", skin.ThumbHorz);
    ReportSlot("ThumbVert", "Trackbar.ThumbVert", skin.ThumbVert);
    ReportSlot("ThumbLeft", "Trackbar.ThumbLeft", skin.ThumbLeft);
    ReportSlot("ThumbRight", "Trackbar.ThumbRight", skin.ThumbRight);
    ReportSlot("ThumbUp", "Trackbar.ThumbUp", skin.ThumbUp);
    ReportSlot("ThumbDown", "Trackbar.ThumbDown", skin.ThumbDown);
    ReportSlot("UpDownHorz", "UpDown.Horz", skin.UpDownHorz);
    ReportSecondImage("UpDownHorz", skin.UpDownHorz, skin.UpDownHorz ? skin.UpDownHorz->Frame : 0);
    ReportSlot("UpDownVert", "UpDown.Vert", skin.UpDownVert);
    ReportSecondImage("UpDownVert", skin.UpDownVert, skin.UpDownVert ? skin.UpDownVert->Frame : 0);
    ReportObject("Track", "Track", &skin.Track);
    ReportObject("TrackVert", "TRACKVERT", &skin.TrackVert);
}

void TSkinChecker::ReportList(std::string_view heading, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    out_ << heading << "\n";
    for (const std::string& line : lines) out_ << "  " << line << "\n";
}

int TSkinChecker::Run() {
    std::vector<uint8_t> iniBytes;
    const std::string iniName = skin_.FindMember(".ini", iniBytes);
    if (iniName.empty()) {
        problems_.push_back("the skin has no description (no member named *.ini)");
        return ReportProblems();
    }

    TQuickIni ini;
    ini.LoadFromStream(iniBytes);
    TIniInventory inventory(std::string_view(reinterpret_cast<const char*>(iniBytes.data()), iniBytes.size()));
    const TSkinDescription skin = ReadSkinDescription(
        ini, [this](std::string_view member) { return Lookup(std::string(member)).Size; },
        [&inventory](std::string_view section, std::string_view key) { inventory.MarkRead(section, key); });

    out_ << "Skin \"" << skin.SkinName << "\", description " << iniName << "\n";
    ReportFrameBorders(skin);
    ReportColors(skin);
    ReportSysButtons(skin.SysButtons);
    ReportButton(skin.Button);
    ReportTitle(skin.Title);
    ReportSections(skin);

    std::vector<std::string> unnamed;
    for (const std::string& member : skin_.Names())
        if (member != iniName && !named_.contains(member)) unnamed.push_back(member);
    ReportList("Members no section names", unnamed);
    ReportList("Ignored", inventory.Ignored());
    return ReportProblems();
}

int TSkinChecker::ReportProblems() {
    ReportList("Problems", problems_);
    out_ << problems_.size() << (problems_.size() == 1 ? " problem" : " problems") << "\n";
    return static_cast<int>(problems_.size());
}

}  // namespace

int CheckSkin(const TSkinReader& skin, std::ostream& out) { return TSkinChecker(skin, out).Run(); }

std::vector<std::string> SkinProblems(const TSkinReader& skin) {
    std::ostringstream ignored;
    TSkinChecker checker(skin, ignored);
    checker.Run();
    return checker.Problems();
}

}  // namespace velloran
