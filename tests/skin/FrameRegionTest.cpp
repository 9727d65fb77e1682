// The region the skinner gives a skinned window against the frames traced pixel by pixel, over a
// table of window sizes, skins, frame images and states; and no region left from the frames of a
// skin that was changed.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "skin/data/ImgUtil.h"
#include "skin/form/WinSkinForm.h"
#include "tests/skin/FrameRegionBaseline.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/skin/SkinImageTestSupport.h"

namespace velloran {
namespace {

using skintest::kKeyPixel;
using skintest::TracedFrameRegion;

bool SameArea(HRGN a, HRGN b) {
    const TRegionHandle difference(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(difference.get(), a, b, RGN_XOR) == NULLREGION;
}

std::array<TDataSkinBorder*, 4> Frames(TSkinData& data) {
    return {&data.FrameLeft, &data.FrameRight, &data.FrameTop, &data.FrameBottom};
}

// Every frame image replaced by one of its size drawn by pixel(x, y).
void Redraw(TSkinData& data, const std::function<std::uint32_t(int x, int y)>& pixel) {
    for (TDataSkinBorder* frame : Frames(data))
        frame->Bitmap = skintest::Image(frame->Bitmap->Width(), frame->Bitmap->Height(), pixel);
}

struct TVariant {
    const char* Name;
    std::function<void(TSkinData&)> Apply;
};

const TVariant kVariants[] = {
    {"as shipped", [](TSkinData&) {}},
    {"every side transparent, centres tiled where they were stretched and the other way",
     [](TSkinData& data) {
         for (TDataSkinBorder* frame : Frames(data)) {
             frame->Trans = 1;
             frame->Tile = frame->Tile == 1 ? 0 : 1;
         }
     }},
    // Stretched parts whose lines are alike: the keyed first row and column of the image.
    {"keyed first row and column",
     [](TSkinData& data) {
         for (TDataSkinBorder* frame : Frames(data)) frame->Trans = 1;
         Redraw(data, [](int x, int y) { return x == 0 || y == 0 ? kKeyPixel : 0x3060A0u; });
     }},
    // Stretched parts whose lines differ, with colours just inside and just outside the key's tolerance.
    {"scattered keyed pixels",
     [](TSkinData& data) {
         for (TDataSkinBorder* frame : Frames(data)) frame->Trans = 1;
         Redraw(data, [](int x, int y) {
             constexpr std::uint32_t kColours[] = {kKeyPixel, 0xFF01FFu, 0xFF02FFu, 0xFE00FFu, 0x3060A0u};
             return kColours[(x * 7 + y * 3) % 5];
         });
     }},
    {"margins past the frames",
     [](TSkinData& data) {
         for (TDataSkinBorder* frame : Frames(data)) {
             frame->Trans = 1;
             frame->LeftWidth = frame->RightWidth = frame->Bitmap->Width() / 2 + 1;
             frame->TopHeight = frame->BottomHeight = frame->Bitmap->Height() / 2 + 1;
         }
     }},
};

// Below the corners and sides, odd, the test windows' sizes and the large window.
constexpr SIZE kSizes[] = {{1, 1},   {2, 3},    {3, 2},    {4, 4},    {7, 5},    {8, 33},     {9, 32},
                           {12, 40}, {31, 29},  {33, 36},  {64, 27},  {101, 77}, {240, 140},  {333, 257},
                           {1023, 767}, {1024, 768}};

TEST(FrameRegion, EqualsTheTracedFramesOverSizesSkinsImagesAndActivation) {
    for (const char* skin : {"Default", "Contrast"})
        for (const TVariant& variant : kVariants) {
            auto data = skintest::LoadProjectSkin(skin);
            variant.Apply(*data);
            skintest::TPlainWindow window(WS_OVERLAPPEDWINDOW, 240, 140);
            fwtest::TOwned<TWinSkinForm> form(new TWinSkinForm(nullptr));
            form->Handle = window.get();
            form->SkinData = data.get();
            form->SkinFrame = true;
            form->Stage = stSkinned;
            form->ComputeBorders();
            for (const bool active : {true, false})
                for (const SIZE size : kSizes) {
                    SCOPED_TRACE(std::string(skin) + ", " + variant.Name + (active ? ", active " : ", inactive ") +
                                 std::to_string(size.cx) + "x" + std::to_string(size.cy));
                    form->Active = active;
                    const TRegionHandle region = form->WindowRegion(size.cx, size.cy);
                    EXPECT_TRUE(SameArea(region.get(), TracedFrameRegion(*form, size.cx, size.cy).get()));
                }
        }
}

// The window's own region, normal and maximised; then frames of the same sizes but other keyed
// pixels (the images flipped in place), and the skin change announcing them: the window must take
// the new frames' region.
TEST(FrameRegion, TheWindowTakesItNormalAndMaximisedAndAfterASkinChangeWithFramesOfTheSameSize) {
    for (const char* skin : {"Default", "Contrast"})
        for (const bool maximised : {false, true}) {
            SCOPED_TRACE(std::string(skin) + (maximised ? ", maximised" : ", normal"));
            auto data = skintest::LoadProjectSkin(skin);
            skintest::TPlainWindow window(WS_OVERLAPPEDWINDOW, 300, 200);
            ShowWindow(window.get(), maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
            fwtest::TOwned<TWinSkinForm> skinner(new TWinSkinForm(nullptr));
            skinner->Handle = window.get();
            skinner->SkinWindow(data.get());
            SendMessageW(window.get(), SM_INITSKIN, 0, kInitSkinFromManager);
            ASSERT_EQ(skinner->WindowState, maximised ? stateMaximized : stateNormal);
            skinner->UpdateRegion();  // as a size event does: a maximised window gets none at initialisation
            const auto windowMatches = [&] {
                RECT rect{};
                GetWindowRect(window.get(), &rect);
                const TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
                return GetWindowRgn(window.get(), region.get()) != ERROR &&
                       SameArea(region.get(),
                                TracedFrameRegion(*skinner, rect.right - rect.left, rect.bottom - rect.top).get());
            };
            EXPECT_TRUE(windowMatches());
            const TRegionHandle before(CreateRectRgn(0, 0, 0, 0));
            GetWindowRgn(window.get(), before.get());

            for (TDataSkinBorder* frame : Frames(*data)) FlipBitmap(*frame->Bitmap);
            RECT rect{};
            GetWindowRect(window.get(), &rect);
            const int w = rect.right - rect.left, h = rect.bottom - rect.top;
            // The frames' masks follow the new pixels before the change is announced.
            EXPECT_TRUE(SameArea(skinner->WindowRegion(w, h).get(), TracedFrameRegion(*skinner, w, h).get()));
            skinner->SkinChanged();
            EXPECT_TRUE(windowMatches());
            const TRegionHandle after(CreateRectRgn(0, 0, 0, 0));
            GetWindowRgn(window.get(), after.get());
            EXPECT_FALSE(SameArea(before.get(), after.get()));  // the flip moved keyed pixels
            skinner->Unskin();
        }
}

}  // namespace
}  // namespace velloran
