// Arbitrary text as a skin description, with image sizes made up from the
// member names: reading must not fail, and what comes out must keep the
// loader's rules whatever the text says.

#include "skin/data/SkinDescription.h"
#include "skin/data/WinSkinIni.h"
#include "tests/fuzz/FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace velloran;

using fuzztest::Require;

// Some names have no bitmap; the others get a size from their hash, narrow and wide strips alike.
std::optional<TImageSize> MadeUpSize(std::string_view member) {
    const std::size_t hash = std::hash<std::string_view>()(member);
    if (hash % 5 == 0) return std::nullopt;
    return TImageSize{static_cast<int>(hash / 5 % 400), static_cast<int>(hash / 2000 % 40)};
}

void CheckImage(const TSkinImage& image) {
    if (image.Member.empty()) return;
    Require(image.Member.ends_with(".bmp"));
    Require(image.Member.find_first_of("\\:") == std::string::npos);
    Require(image.Member == SkinImageMember(image.Value));
}

void CheckObject(const TSkinObjectDesc& object) {
    Require(object.Tile <= 1);
    CheckImage(object.Bitmap);
}

template <typename T>
void CheckSlot(const std::optional<T>& object, std::optional<int32_t> frame) {
    if (!object) return;
    CheckObject(*object);
    if (frame) Require(object->Frame == *frame);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    TQuickIni ini;
    ini.LoadFromStream(std::span<const uint8_t>(data, size));
    std::size_t lookups = 0;
    const TSkinDescription skin =
        ReadSkinDescription(ini, MadeUpSize, [&](std::string_view section, std::string_view key) {
            Require(!key.empty());
            (void)section;
            ++lookups;
        });
    Require(lookups >= 100);

    Require(skin.SysButtons.size() >= 3);
    for (std::size_t i = 0; i < skin.SysButtons.size(); ++i) {
        const TSkinSysButtonDesc& button = skin.SysButtons[i];
        CheckImage(button.Bitmap);
        const std::size_t mdi = i + 3 - skin.SysButtons.size();
        if (i + 3 >= skin.SysButtons.size()) {
            Require(button.Action == 7 + static_cast<int32_t>(mdi) && button.Frame == 4 && button.Align == 100);
            if (button.Bitmap.Part) {
                const std::optional<TImageSize> source = MadeUpSize(button.Bitmap.Member);
                Require(source && button.Bitmap.Part->Width > 0 &&
                        button.Bitmap.Part->Left + button.Bitmap.Part->Width <= source->Width);
            }
            continue;
        }
        Require(button.Name.starts_with("BUTTON") && button.Frame != 0 && !button.Bitmap.Part);
        Require(button.Action != -1 || button.Visibility == 0);
    }

    for (const TSkinBorderDesc* border : {&skin.FrameLeft, &skin.FrameRight, &skin.FrameTop, &skin.FrameBottom})
        CheckObject(*border);
    CheckObject(skin.Button);
    Require(skin.Button.Frame == 5 && skin.Button.CheckFrame != 0 && skin.Button.RadioFrame != 0);
    Require(skin.Title.Frame == 2);
    CheckSlot(skin.Progress, skin.Progress && skin.Progress->Style != 0 ? 1 : 2);
    CheckSlot(skin.ProgressChunk, std::nullopt);
    CheckSlot(skin.MenuBar, 2);
    CheckSlot(skin.GroupBoxEdge, 2);
    CheckSlot(skin.GroupBox, 1);
    CheckSlot(skin.Tabs, 5);
    CheckSlot(skin.StatusBarEdges, 3);
    CheckSlot(skin.TabPane, 1);
    if (skin.TabPane)
        Require(skin.TabPane->LeftWidth <= 4 && skin.TabPane->TopHeight <= 4 && skin.TabPane->RightWidth <= 4 &&
                skin.TabPane->BottomHeight <= 4);
    CheckSlot(skin.ToolBars, 5);
    CheckSlot(skin.ComboButton, 4);
    if (skin.ComboButton) Require(!skin.ComboButton->Bitmap2.HasSource());
    CheckSlot(skin.SunkEdge, 4);
    CheckSlot(skin.ExtraImages, 5);
    CheckSlot(skin.Headerbar, std::nullopt);
    if (skin.Headerbar) Require(skin.Headerbar->Frame != 0);
    CheckSlot(skin.MenuItem, 5);
    CheckSlot(skin.MenuBackground, 1);
    CheckSlot(skin.Scrollbar, 23);
    CheckSlot(skin.HorzScroll, 4);
    CheckSlot(skin.VertScroll, 4);
    CheckSlot(skin.HorzScrollThumb, std::nullopt);
    CheckSlot(skin.VertScrollThumb, std::nullopt);
    for (const auto* thumb :
         {&skin.ThumbHorz, &skin.ThumbVert, &skin.ThumbLeft, &skin.ThumbRight, &skin.ThumbUp, &skin.ThumbDown})
        CheckSlot(*thumb, 5);
    CheckSlot(skin.UpDownHorz, 8);
    CheckSlot(skin.UpDownVert, 8);
    CheckObject(skin.Track);
    CheckObject(skin.TrackVert);
    Require(skin.Track.Name == "Track" || (skin.Track.Bitmap.Resource == "TRACK" && skin.Track.Frame == 1));
    Require(skin.TrackVert.Name == "TRACKVERT");
    return 0;
}
