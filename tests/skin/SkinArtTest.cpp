// The committed skin art against its generator, and the two skin descriptions against the
// way the engine reads and slices their bitmaps.

#include "tools/skinart/Artwork.h"
#include "tools/skinart/BmpWriter.h"
#include "tools/skinart/Image.h"
#include "tools/skinart/ProgramBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velloran::skinart {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = VELLORAN_SOURCE_DIR;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return text;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Uncompressed 24-bit bottom-up files only, which is all the engine needs to load.
std::optional<Image> ReadBmp(const fs::path& path) {
    if (!fs::is_regular_file(path)) return std::nullopt;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || (bytes[28] | bytes[29] << 8) != 24 ||
        Le32(bytes, 30) != 0)
        return std::nullopt;
    const auto width = static_cast<int>(Le32(bytes, 18));
    const auto height = static_cast<int>(Le32(bytes, 22));
    const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const size_t offset = Le32(bytes, 10);
    if (width <= 0 || height <= 0 || bytes.size() < offset + rowSize * static_cast<size_t>(height)) return std::nullopt;
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + rowSize * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            image.Set(x, y, {bytes[at + 2], bytes[at + 1], bytes[at]});
        }
    }
    return image;
}

bool HasKeyPixel(const Image& image, Rgb key = kKey) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.At(x, y) == key) return true;
    return false;
}

// The description as the engine reads it: names without regard to case, the first
// section of a name and the first key in it win, lines starting with ';' are comments.
class SkinIni {
public:
    explicit SkinIni(const fs::path& path) {
        std::ifstream in(path);
        std::string line;
        std::map<std::string, std::string>* section = nullptr;
        while (std::getline(in, line)) {
            line = Trim(line);
            if (line.empty() || line[0] == ';') continue;
            if (line.front() == '[' && line.back() == ']') {
                const std::string name = Lower(line.substr(1, line.size() - 2));
                section = sections_.count(name) ? nullptr : &sections_[name];
                if (section) order_.push_back(line.substr(1, line.size() - 2));
                continue;
            }
            const auto equals = line.find('=');
            if (section && equals != std::string::npos)
                section->emplace(Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
        }
    }

    const std::vector<std::string>& Sections() const { return order_; }
    bool Has(const std::string& section) const { return sections_.count(Lower(section)) != 0; }

    std::string Text(const std::string& section, const std::string& key) const {
        const auto s = sections_.find(Lower(section));
        if (s == sections_.end()) return {};
        const auto k = s->second.find(Lower(key));
        return k == s->second.end() ? std::string() : k->second;
    }

    int Number(const std::string& section, const std::string& key, int fallback) const {
        const std::string text = Text(section, key);
        return text.empty() ? fallback : std::stoi(text);
    }

    const std::map<std::string, std::string>& Keys(const std::string& section) const {
        return sections_.at(Lower(section));
    }

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
    std::vector<std::string> order_;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A section named like a caption button, as the loader picks them out.
bool IsCaptionButton(const std::string& section) {
    const std::string upper = Upper(section);
    return StartsWith(upper, "BUTTON") && upper != "BUTTONS" && upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX" &&
           upper != "BUTTON";
}

struct StripUse {
    std::string section;
    std::string key;
    int frames;
    bool stacked;  // frames one above the other
};

// Every image the description names, with the frame count and direction the loader and
// painters cut it by.
std::vector<StripUse> StripUses(const SkinIni& ini, const fs::path& folder) {
    std::vector<StripUse> uses;
    const auto add = [&](const std::string& section, const std::string& key, int frames, bool stacked = false) {
        if (!ini.Text(section, key).empty()) uses.push_back({section, key, frames, stacked});
    };
    const auto sizeOf = [&](const std::string& section, const std::string& key) {
        const std::optional<Image> image = ReadBmp(folder / ini.Text(section, key));
        return image ? std::pair{image->Width(), image->Height()} : std::pair{0, 0};
    };

    for (const char* side : {"Left", "Right"})
        add("Personality", side, ini.Number("Personality", std::string(side) + "Frame", 1));
    for (const char* side : {"Top", "Bottom"})
        add("Personality", side, ini.Number("Personality", std::string(side) + "Frame", 1), true);
    add("Personality", "TextBack", 2, true);
    add("Personality", "menuBar", 2, true);

    add("Buttons", "Bitmap", 5);
    for (const char* kind : {"Check", "Radio"}) {
        const std::string key = std::string(kind) + "Button";
        int frames = ini.Number("Buttons", key + "Frame", 0);
        if (frames == 0) {
            const auto [width, height] = sizeOf("Buttons", key);
            frames = std::max(height < 16 ? width / 13 : width / 16, 4);
        }
        add("Buttons", key, frames);
    }
    for (const std::string& section : ini.Sections()) {
        if (!IsCaptionButton(section)) continue;
        int frames = ini.Number(section, "frame", 0);
        if (frames == 0) {
            const auto [width, height] = sizeOf(section, "ButtonImage");
            frames = height > 0 && static_cast<double>(width) / height <= 3.8 ? 3 : 6;
        }
        if (ini.Number(section, "Action", 0) < 0) frames = 6;
        add(section, "ButtonImage", frames);
    }
    add("MDICONTROLS", "Image", 12);

    add("Progress", "Bitmap", ini.Number("Progress", "Style", 0) != 0 ? 1 : 2);
    for (const char* section : {"Progress.Chunk", "Track", "TRACKVERT"})
        add(section, "Image", ini.Number(section, "Frame", 0));
    for (const char* section : {"GroupBox", "Tab.Pane", "MenuBackground"}) add(section, "Image", 1);
    add("GroupBoxEdge", "Image", 2);
    add("Tabs", "Image", 5);
    add("Tabs", "Border", 1);
    for (const char* section : {"ToolBars", "ExtraImages", "MenuItem", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
                                "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
        add(section, "Image", 5);
    add("Headerbar", "Image", ini.Number("Headerbar", "Frame", 0) == 0 ? 5 : ini.Number("Headerbar", "Frame", 0));
    add("StatusBarEdges", "Image", 3);
    for (const char* section : {"ComboButton", "SunkEdge", "HorzScroll", "VertScroll"}) add(section, "Image", 4);
    add("Scrollbar", "Image", 23);
    for (const char* section : {"UpDown.Horz", "UpDown.Vert"}) {
        add(section, "Image", 8);
        add(section, "GlyphImage", 8);
    }
    for (const char* section : {"HorzScrollThumb", "VertScrollThumb"})
        add(section, "Image", ini.Number(section, "FrameCount", 3));
    return uses;
}

struct Frame {
    int width;
    int height;
};

Frame FrameOf(const Image& image, const StripUse& use) {
    return use.stacked ? Frame{image.Width(), image.Height() / use.frames}
                       : Frame{image.Width() / use.frames, image.Height()};
}

class SkinArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        drawn_ = fs::temp_directory_path() / ("velloran_skinart_" + std::to_string(stamp));
        WriteArtwork(drawn_);
    }

    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(drawn_, ignored);
    }

    static fs::path drawn_;
};

fs::path SkinArt::drawn_;

std::set<std::string> FileNames(const fs::path& folder, const std::set<std::string>& extensions) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && extensions.count(entry.path().extension().string()))
            names.insert(entry.path().filename().string());
    return names;
}

TEST_F(SkinArt, CommittedArtIsExactlyWhatTheGeneratorDraws) {
    const std::vector<std::pair<fs::path, fs::path>> folders{
        {drawn_ / "Default", kSource / "resources/skins/Default"},
        {drawn_ / "Contrast", kSource / "resources/skins/Contrast"},
        {drawn_ / "resources", kSource / "resources/bitmaps"},
    };
    for (const auto& [drawn, committed] : folders) {
        SCOPED_TRACE(committed.string());
        const std::set<std::string> names = FileNames(drawn, {".bmp", ".rc"});
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(FileNames(committed, {".bmp", ".rc"}), names);
        for (const std::string& name : names)
            EXPECT_TRUE(ReadBytes(drawn / name) == ReadBytes(committed / name)) << name << " differs";
    }
}

TEST(SkinArtBmp, WritesBottomUpRowsPaddedToFourBytes) {
    Image image(3, 2);
    image.Set(0, 0, {1, 2, 3});
    image.Set(2, 1, {4, 5, 6});
    const std::vector<uint8_t> bytes = EncodeBmp(image);

    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), 78u);   // file size
    EXPECT_EQ(Le32(bytes, 10), 54u);  // pixel offset
    EXPECT_EQ(Le32(bytes, 14), 40u);  // info header size
    EXPECT_EQ(Le32(bytes, 18), 3u);
    EXPECT_EQ(Le32(bytes, 22), 2u);  // positive height: bottom row first
    EXPECT_EQ(bytes[26] | bytes[27] << 8, 1);
    EXPECT_EQ(bytes[28] | bytes[29] << 8, 24);
    EXPECT_EQ(Le32(bytes, 30), 0u);  // uncompressed
    EXPECT_EQ(Le32(bytes, 34), 24u);

    // First stored row is the image's bottom row, blue-green-red, then three padding bytes.
    const std::vector<uint8_t> bottom(bytes.begin() + 54, bytes.begin() + 66);
    EXPECT_EQ(bottom, (std::vector<uint8_t>{255, 0, 255, 255, 0, 255, 6, 5, 4, 0, 0, 0}));
    const std::vector<uint8_t> top(bytes.begin() + 66, bytes.end());
    EXPECT_EQ(top, (std::vector<uint8_t>{3, 2, 1, 255, 0, 255, 255, 0, 255, 0, 0, 0}));
}

class SkinDescription : public ::testing::TestWithParam<const char*> {
protected:
    fs::path Folder() const { return kSource / "resources/skins" / GetParam(); }
};

TEST_P(SkinDescription, NamesOnlyExistingLowerCaseBitmapsAndEveryOneOfThem) {
    const SkinIni ini(Folder() / "skin.ini");
    std::set<std::string> named;
    for (const std::string& section : ini.Sections())
        for (const auto& [key, value] : ini.Keys(section))
            if (Lower(value).ends_with(".bmp")) {
                EXPECT_TRUE(value.ends_with(".bmp"))
                    << section << " " << key << "=" << value << ": the loader takes only a lower-case extension";
                EXPECT_TRUE(ReadBmp(Folder() / value).has_value()) << section << " " << key << "=" << value;
                named.insert(value);
            }
    for (const StripUse& use : StripUses(ini, Folder()))
        EXPECT_TRUE(named.count(ini.Text(use.section, use.key))) << use.section << " " << use.key;
    EXPECT_EQ(FileNames(Folder(), {".bmp"}), named) << "a committed bitmap no section names";
}

TEST_P(SkinDescription, StripsDivideIntoTheirFramesAndMarginsFitAFrame) {
    const SkinIni ini(Folder() / "skin.ini");
    const std::vector<StripUse> uses = StripUses(ini, Folder());
    ASSERT_GT(uses.size(), 30u);
    for (const StripUse& use : uses) {
        SCOPED_TRACE(use.section + " " + use.key);
        const std::optional<Image> image = ReadBmp(Folder() / ini.Text(use.section, use.key));
        ASSERT_TRUE(image.has_value());
        ASSERT_GE(use.frames, 1);
        EXPECT_EQ((use.stacked ? image->Height() : image->Width()) % use.frames, 0);
        const Frame frame = FrameOf(*image, use);
        if (use.key == "Image" || use.key == "Bitmap") {
            EXPECT_LE(ini.Number(use.section, "LeftWidth", 0) + ini.Number(use.section, "RightWidth", 0), frame.width);
            EXPECT_LE(ini.Number(use.section, "TopHeight", 0) + ini.Number(use.section, "BottomHeight", 0),
                      frame.height);
        }
    }
    // The MDI strip is cut into twelve cells of four frames each.
    if (ini.Has("MDICONTROLS")) {
        EXPECT_EQ(ReadBmp(Folder() / ini.Text("MDICONTROLS", "Image"))->Width() % 12, 0);
    }
}

TEST_P(SkinDescription, FrameStripsLineUpWithTheCaption) {
    const SkinIni ini(Folder() / "skin.ini");
    const auto strip = [&](const char* side) { return *ReadBmp(Folder() / ini.Text("Personality", side)); };
    const Image left = strip("Left");
    const Image right = strip("Right");
    const Image top = strip("Top");
    const Image bottom = strip("Bottom");
    const int caption = top.Height() / ini.Number("Personality", "TopFrame", 1);
    const int bottomHeight = bottom.Height() / ini.Number("Personality", "BottomFrame", 1);

    // The side strips keep the caption's rows and the bottom edge's rows unscaled, so that
    // their caption part meets the top strip row for row.
    for (const char* side : {"Left", "Right"}) {
        EXPECT_EQ(ini.Number("Personality", std::string(side) + "TopHeight", 0), caption) << side;
        EXPECT_EQ(ini.Number("Personality", std::string(side) + "BotHeight", 0), bottomHeight) << side;
    }
    EXPECT_EQ(left.Height(), right.Height());
    EXPECT_GT(left.Height(), caption + bottomHeight);  // something in between to stretch
    EXPECT_EQ(top.Width(), bottom.Width());
    EXPECT_LT(ini.Number("Personality", "TopTopHeight", 0) + ini.Number("Personality", "TopBotHeight", 0), top.Width());
    if (!ini.Text("Personality", "TextBack").empty()) {
        const Image back = strip("TextBack");
        EXPECT_EQ(back.Height() / 2, caption);
        EXPECT_LT(ini.Number("Personality", "TXTBackleft", 0) + ini.Number("Personality", "TXTBackRight", 0),
                  back.Width());
    }
}

// Images the engine copies as they are, without leaving magenta out: a magenta pixel in
// them would show on screen.
TEST_P(SkinDescription, ImagesDrawnWithoutColourKeyHaveNoMagenta) {
    const SkinIni ini(Folder() / "skin.ini");
    std::vector<std::pair<std::string, std::string>> opaque{{"Personality", "menuBar"}, {"MenuBackground", "Image"}};
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        if (ini.Number("Personality", std::string(side) + "Trans", 1) == 0) opaque.emplace_back("Personality", side);
    for (const char* section : {"StatusBarEdges", "Headerbar", "HorzScroll", "VertScroll", "Tab.Pane"})
        if (ini.Number(section, "Trans", 0) == 0) opaque.emplace_back(section, "Image");
    opaque.emplace_back("Tabs", "Border");

    int checked = 0;
    for (const auto& [section, key] : opaque) {
        const std::string file = ini.Text(section, key);
        if (file.empty()) continue;
        EXPECT_FALSE(HasKeyPixel(*ReadBmp(Folder() / file))) << section << " " << key;
        ++checked;
    }
    EXPECT_GE(checked, 6);
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinDescription, ::testing::Values("Default", "Contrast"));

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

// The window region is cut where the frame strips are magenta: each frame of these strips
// must be transparent in its outer corner, while the middle that the engine stretches along
// the whole window must be opaque, or the region would get a slit the window's length.
TEST(SkinArtRegion, RoundedCornersAreTransparentAndTheStretchedMiddleIsNot) {
    struct Case {
        const char* skin;
        const char* side;
        Corner corner;
    };
    const Case cases[] = {
        {"Default", "Left", Corner::TopLeft},       {"Default", "Right", Corner::TopRight},
        {"Default", "Top", Corner::TopLeft},        {"Default", "Top", Corner::TopRight},
        {"Contrast", "Left", Corner::BottomLeft},   {"Contrast", "Right", Corner::BottomRight},
        {"Contrast", "Bottom", Corner::BottomLeft}, {"Contrast", "Bottom", Corner::BottomRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.skin) + " " + c.side);
        const fs::path folder = kSource / "resources/skins" / c.skin;
        const SkinIni ini(folder / "skin.ini");
        const std::string side = c.side;
        EXPECT_EQ(ini.Number("Personality", side + "Trans", 1), 1);
        const Image strip = *ReadBmp(folder / ini.Text("Personality", side));
        const int frames = ini.Number("Personality", side + "Frame", 1);
        const bool stacked = side == "Top" || side == "Bottom";
        const int width = stacked ? strip.Width() : strip.Width() / frames;
        const int height = stacked ? strip.Height() / frames : strip.Height();
        // The unscaled ends: columns of a top or bottom strip, rows of a side strip.
        const int start = ini.Number("Personality", side + "TopHeight", 0);
        const int end = (stacked ? width : height) - ini.Number("Personality", side + "BotHeight", 0);
        ASSERT_LT(start, end);
        for (int k = 0; k < frames; ++k) {
            const int x0 = stacked ? 0 : k * width;
            const int y0 = stacked ? k * height : 0;
            const bool left = c.corner == Corner::TopLeft || c.corner == Corner::BottomLeft;
            const bool upper = c.corner == Corner::TopLeft || c.corner == Corner::TopRight;
            EXPECT_EQ(strip.At(x0 + (left ? 0 : width - 1), y0 + (upper ? 0 : height - 1)), kKey) << "frame " << k + 1;
            for (int along = start; along < end; ++along)
                for (int across = 0; across < (stacked ? height : width); ++across) {
                    const int x = stacked ? along : across;
                    const int y = stacked ? across : along;
                    ASSERT_NE(strip.At(x0 + x, y0 + y), kKey) << "frame " << k + 1 << " at " << x << "," << y;
                }
        }
    }
}

TEST(SkinArtCoverage, DefaultSkinHasEverySectionTheEngineReads) {
    const SkinIni ini(kSource / "resources/skins/Default/skin.ini");
    for (const char* section : {"TitlebarSkin",
                                "Personality",
                                "Fonts",
                                "Colours",
                                "Customcolors",
                                "Buttons",
                                "MDICONTROLS",
                                "Progress",
                                "Progress.Chunk",
                                "GroupBox",
                                "GroupBoxEdge",
                                "Tabs",
                                "Tab.Pane",
                                "StatusBarEdges",
                                "ToolBars",
                                "ComboButton",
                                "SunkEdge",
                                "ExtraImages",
                                "Headerbar",
                                "MenuItem",
                                "MenuBackground",
                                "Scrollbar",
                                "HorzScroll",
                                "VertScroll",
                                "HorzScrollThumb",
                                "VertScrollThumb",
                                "Trackbar.ThumbHorz",
                                "Trackbar.ThumbVert",
                                "Trackbar.ThumbLeft",
                                "Trackbar.ThumbRight",
                                "Trackbar.ThumbUp",
                                "Trackbar.ThumbDown",
                                "UpDown.Horz",
                                "UpDown.Vert",
                                "Track",
                                "TRACKVERT"})
        EXPECT_TRUE(ini.Has(section)) << section;
    const std::vector<std::string>& sections = ini.Sections();
    EXPECT_TRUE(std::any_of(sections.begin(), sections.end(), [](const std::string& s) {
        return StartsWith(Lower(s), "colour") && Lower(s) != "colours";
    }));
    // Every caption action the frame offers: close, maximise, restore, minimise, help, icon.
    std::multiset<int> actions;
    for (const std::string& section : sections)
        if (IsCaptionButton(section)) actions.insert(ini.Number(section, "Action", 0));
    EXPECT_EQ(actions, (std::multiset<int>{0, 1, 1, 2, 3, 4}));
    for (const char* key : {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
                            "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight",
                            "Menubar", "MenuBarText", "MenuText", "Menu", "Scrollbar"})
        EXPECT_FALSE(ini.Text("Colours", key).empty()) << key;
}

TEST(SkinArtResources, ProgramBitmapsHaveTheirNamesSizesAndKeyColours) {
    const fs::path folder = kSource / "resources/bitmaps";

    const Image menu = *ReadBmp(folder / "pelmarkmenu.bmp");
    ASSERT_EQ(menu.Width(), 64);
    ASSERT_EQ(menu.Height(), 16);
    for (int cell = 0; cell < 4; ++cell) {
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) inked += menu.At(cell * 16 + x, y) != kMenuGlyphMask;
        EXPECT_EQ(menu.At(cell * 16, 0), kMenuGlyphMask) << "cell " << cell;
        EXPECT_GT(inked, 8) << "cell " << cell;
    }

    // Margins of 3 at both ends of the fallback channels must leave a middle to stretch.
    EXPECT_GT(ReadBmp(folder / "track.bmp")->Width(), 6);
    EXPECT_GT(ReadBmp(folder / "trackvert.bmp")->Height(), 6);

    std::set<std::string> expected{"pelmarkmenu.bmp", "track.bmp", "trackvert.bmp"};
    for (const char* prefix : {"en_", "di_", "cl_"})
        for (const char* name :
             {"mpplay", "mppause", "mpstop", "mpnext", "mpprev", "mpstep", "mpback", "mprecord", "mpeject"}) {
            const std::string file = std::string(prefix) + name + ".bmp";
            expected.insert(file);
            const std::optional<Image> glyph = ReadBmp(folder / file);
            ASSERT_TRUE(glyph.has_value()) << file;
            EXPECT_EQ(glyph->At(0, 0), kMediaGlyphKey) << file;
            EXPECT_FALSE(HasKeyPixel(*glyph)) << file << " would show magenta";
            int inked = 0;
            for (int y = 0; y < glyph->Height(); ++y)
                for (int x = 0; x < glyph->Width(); ++x) inked += glyph->At(x, y) != kMediaGlyphKey;
            EXPECT_GT(inked, 10) << file;
        }
    EXPECT_EQ(FileNames(folder, {".bmp"}), expected);

    // The resource script names each file under its resource name.
    std::ifstream script(folder / "bitmaps.rc");
    std::set<std::string> scripted;
    std::string line;
    while (std::getline(script, line)) {
        if (line.empty() || StartsWith(line, "//")) continue;
        const std::string resource = line.substr(0, line.find(' '));
        EXPECT_EQ(line, resource + " BITMAP \"bitmaps/" + Lower(resource) + ".bmp\"");
        scripted.insert(Lower(resource) + ".bmp");
    }
    EXPECT_EQ(scripted, expected);
}

}  // namespace
}  // namespace velloran::skinart
