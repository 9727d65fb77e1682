// Every skin object the project's skins load into, field by field and pixel by pixel, against
// fingerprints recorded in SkinFingerprints.txt: a change in how a skin is loaded that alters
// any object shows here as the objects that differ.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinDataTestSupport.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran {
namespace {

using namespace fwtest;
using skintest::kSkins;

// FNV-1a over everything fed to it.
class TFingerprint {
public:
    void Add(const void* data, size_t size) {
        for (const auto* p = static_cast<const uint8_t*>(data); size > 0; --size, ++p) value_ = (value_ ^ *p) * kPrime;
    }
    void Add(int64_t number) { Add(&number, sizeof number); }
    void Add(const std::string& text) {
        Add(static_cast<int64_t>(text.size()));
        Add(text.data(), text.size());
    }
    // Size, format and every byte of the pixels as the platform keeps them, unused byte included.
    void Add(const TBitmap& bitmap) {
        Add(int64_t{bitmap.Width()});
        Add(int64_t{bitmap.Height()});
        Add(int64_t{bitmap.Transparent});
        Add(int64_t{bitmap.TransparentColor});
        if (bitmap.Empty()) return;
        BITMAP format{};
        GetObjectA(bitmap.Handle(), sizeof format, &format);
        Add(int64_t{format.bmBitsPixel});
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.Width(), -bitmap.Height(), 1, 32, BI_RGB};
        std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.Width()) * bitmap.Height());
        const HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, bitmap.Handle(), 0, bitmap.Height(), pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        Add(int64_t{rows});
        Add(pixels.data(), pixels.size() * sizeof(uint32_t));
    }
    uint64_t Value() const { return value_; }

private:
    static constexpr uint64_t kPrime = 0x100000001B3ull;
    uint64_t value_ = 0xCBF29CE484222325ull;
};

uint64_t ObjectFingerprint(const TDataSkinObject& object) {
    TFingerprint print;
    print.Add(object.Name);
    for (const int32_t field :
         {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight, object.Trans, object.Tile,
          object.Frame, object.Style, object.NormalColour, object.MouseOverColour, object.PressedColour})
        print.Add(int64_t{field});
    for (const TColorValue colour : {object.NormalColour2, object.MouseOverColour2, object.PressedColour2})
        print.Add(int64_t{colour});
    print.Add(*object.Bitmap);
    if (const auto* border = dynamic_cast<const TDataSkinBorder*>(&object)) print.Add(*border->Bitmap2);
    if (const auto* button = dynamic_cast<const TDataSkinButton*>(&object)) {
        for (const int64_t field : {int64_t{button->RadioFrame}, int64_t{button->CheckFrame},
                                    int64_t{button->HasNormalColour2}, int64_t{button->HasMouseOverColour2},
                                    int64_t{button->HasPressedColour2}})
            print.Add(field);
        print.Add(*button->CheckBitmap);
        print.Add(*button->RadioBitmap);
    }
    if (const auto* sys = dynamic_cast<const TDataSkinSysButton*>(&object))
        for (const int32_t field : {sys->Action, sys->Align, sys->XCoord, sys->YCoord, sys->CombineOp, sys->Visibility,
                                    sys->Visibility1})
            print.Add(int64_t{field});
    if (const auto* box = dynamic_cast<const TDataSkinBoxLabel*>(&object))
        for (const int32_t field : {box->BackgroundLeftShift, box->BackgroundRightShift, box->BackgroundAlignment})
            print.Add(int64_t{field});
    if (const auto* title = dynamic_cast<const TDataSkinTitle*>(&object))
        for (const int64_t field : {int64_t{title->TextAlignment}, int64_t{title->TextBackground},
                                    int64_t{title->FontHeight}, int64_t{title->TextBackLeft},
                                    int64_t{title->TextBackRight}, int64_t{title->ActiveTextColor},
                                    int64_t{title->InactiveTextColor}})
            print.Add(field);
    return print.Value();
}

uint64_t ColoursFingerprint(const TSkinData& data) {
    TFingerprint print;
    print.Add(data.SkinName);
    for (const TColorValue colour : data.Colors) print.Add(int64_t{colour});
    for (const bool given : data.ColorGiven) print.Add(int64_t{given});
    print.Add(static_cast<int64_t>(data.ColorSections.size()));
    for (const TColorValue colour : data.ColorSections) print.Add(int64_t{colour});
    for (const TColorValue colour : data.CustomColors) print.Add(int64_t{colour});
    LOGBRUSH face{};
    GetObjectA(data.FaceBrush.get(), sizeof face, &face);
    print.Add(int64_t{face.lbStyle});
    print.Add(int64_t{face.lbColor});
    return print.Value();
}

// Slot name to fingerprint; "-" for a slot the skin leaves empty.
using TFingerprints = std::map<std::string, std::string>;

std::string Hex(uint64_t value) {
    std::ostringstream out;
    out << std::hex << value;
    return out.str();
}

TFingerprints Fingerprints(const TSkinData& data) {
    TFingerprints out;
    out["Colours"] = Hex(ColoursFingerprint(data));
    const auto put = [&](const std::string& slot, const TDataSkinObject* object) {
        out[slot] = object ? Hex(ObjectFingerprint(*object)) : "-";
    };
    put("FrameLeft", &data.FrameLeft);
    put("FrameRight", &data.FrameRight);
    put("FrameTop", &data.FrameTop);
    put("FrameBottom", &data.FrameBottom);
    put("Title", &data.Title);
    put("Button", &data.Button);
    out["SysButtonCount"] = std::to_string(data.SysButtons.size());
    for (size_t i = 0; i < data.SysButtons.size(); ++i) put("SysButton" + std::to_string(i), data.SysButtons[i].get());
    const std::pair<const char*, const std::unique_ptr<TDataSkinObject>*> plain[] = {
        {"MenuBar", &data.MenuBar},
        {"ProgressChunk", &data.ProgressChunk},
        {"GroupBoxEdge", &data.GroupBoxEdge},
        {"StatusBarEdges", &data.StatusBarEdges},
        {"TabPane", &data.TabPane},
        {"ToolBars", &data.ToolBars},
        {"SunkEdge", &data.SunkEdge},
        {"ExtraImages", &data.ExtraImages},
        {"Headerbar", &data.Headerbar},
        {"MenuItem", &data.MenuItem},
        {"MenuBackground", &data.MenuBackground},
        {"Scrollbar", &data.Scrollbar},
        {"HorzScroll", &data.HorzScroll},
        {"VertScroll", &data.VertScroll},
        {"HorzScrollThumb", &data.HorzScrollThumb},
        {"VertScrollThumb", &data.VertScrollThumb},
        {"ThumbHorz", &data.ThumbHorz},
        {"ThumbVert", &data.ThumbVert},
        {"ThumbLeft", &data.ThumbLeft},
        {"ThumbRight", &data.ThumbRight},
        {"ThumbUp", &data.ThumbUp},
        {"ThumbDown", &data.ThumbDown},
        {"Track", &data.Track},
        {"TrackVert", &data.TrackVert},
        {"ComboArrow", &data.ComboArrow},
        {"Toolbar", &data.Toolbar}};
    for (const auto& [slot, object] : plain) put(slot, object->get());
    const std::pair<const char*, const std::unique_ptr<TDataSkinBorder>*> borders[] = {
        {"Progress", &data.Progress},
        {"Tabs", &data.Tabs},
        {"ComboButton", &data.ComboButton},
        {"UpDownHorz", &data.UpDownHorz},
        {"UpDownVert", &data.UpDownVert}};
    for (const auto& [slot, object] : borders) put(slot, object->get());
    put("GroupBox", data.GroupBox.get());
    return out;
}

// The recorded fingerprints of one skin: lines "skin slot fingerprint".
TFingerprints Recorded(const std::string& skin) {
    std::ifstream file(std::filesystem::path("Z:" VELLORAN_SOURCE_DIR) / "tests" / "skin" / "SkinFingerprints.txt");
    TFingerprints out;
    std::string line, name, slot, print;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        if (line.starts_with("#") || !(fields >> name >> slot >> print)) continue;
        if (name == skin) out[slot] = print;
    }
    return out;
}

// Each differing slot as a line in the recorded file's form, to read the difference from.
std::string Differences(const std::string& skin, const TFingerprints& expected, const TFingerprints& actual) {
    std::string out;
    std::map<std::string, int> slots;
    for (const auto& [slot, print] : expected) ++slots[slot];
    for (const auto& [slot, print] : actual) ++slots[slot];
    for (const auto& [slot, count] : slots) {
        const auto want = expected.find(slot), got = actual.find(slot);
        const std::string wanted = want == expected.end() ? "(none)" : want->second;
        const std::string gotten = got == actual.end() ? "(none)" : got->second;
        if (wanted != gotten) out += skin + " " + slot + " " + gotten + "   (recorded " + wanted + ")\n";
    }
    return out;
}

// A component that loaded the skins in turn, the last one given being the one compared: a
// reload must leave nothing of the skin before it.
TEST(SkinFingerprint, EveryObjectOfBothSkinsMatchesItsRecordedFingerprintAfterAnyEarlierSkin) {
    const struct {
        std::vector<std::string> Skins;
    } cases[] = {{{"Default"}}, {{"Contrast"}}, {{"Contrast", "Default"}}, {{"Default", "Contrast"}},
                 {{"Default", "Default"}}};
    std::map<std::string, std::vector<uint8_t>> packed;
    for (const char* skin : {"Default", "Contrast"}) packed[skin] = PackedSkinAt(kSkins / skin);
    for (const auto& c : cases) {
        TOwned<TSkinData> data(new TSkinData(nullptr));
        for (const std::string& skin : c.Skins) {
            data->SkinStream = packed[skin];
            ASSERT_TRUE(data->LoadSkin()) << skin;
        }
        const std::string& last = c.Skins.back();
        const TFingerprints expected = Recorded(last);
        ASSERT_GT(expected.size(), 30u) << "no recorded fingerprints for " << last;
        EXPECT_EQ(Differences(last, expected, Fingerprints(*data)), "") << "after " << c.Skins.size() << " loads";
    }
}

// The fingerprint itself must see one pixel, the unused byte of a pixel, and one field.
TEST(SkinFingerprint, OnePixelOrOneFieldChangesTheFingerprint) {
    auto data = skintest::LoadProjectSkin("Default");
    ASSERT_TRUE(data->ComboButton);
    TDataSkinBorder& object = *data->ComboButton;
    const uint64_t before = ObjectFingerprint(object);
    const auto changed = [&](const auto& change) {
        auto copy = skintest::LoadProjectSkin("Default");
        change(*copy->ComboButton);
        return ObjectFingerprint(*copy->ComboButton) != before;
    };
    EXPECT_EQ(ObjectFingerprint(object), before);
    EXPECT_TRUE(changed([](TDataSkinBorder& o) { SetPixel(o.Bitmap->Canvas().Handle(), 3, 4, RGB(1, 2, 3)); }));
    EXPECT_TRUE(changed([](TDataSkinBorder& o) { SetPixel(o.Bitmap2->Canvas().Handle(), 0, 0, RGB(1, 2, 3)); }));
    EXPECT_TRUE(changed([](TDataSkinBorder& o) {
        BITMAP bits{};
        GetObjectA(o.Bitmap->Handle(), sizeof bits, &bits);
        static_cast<uint8_t*>(bits.bmBits)[3] ^= 0x80;
    }));
    EXPECT_TRUE(changed([](TDataSkinBorder& o) { ++o.RightWidth; }));
}

}  // namespace
}  // namespace velloran
