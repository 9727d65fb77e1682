// The skinned frame, caption text and window region of a skinner set up by hand on a hidden
// window, painted off screen and compared with frames cut from the skin's own bitmaps.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "skin/form/WinSkinForm.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/skin/SkinImageTestSupport.h"

namespace velloran {
namespace {

using skintest::At;
using skintest::kKeyPixel;
using skintest::Solid;

constexpr int kW = 240, kH = 140;
constexpr uint32_t kUnder = 0x123456;  // the window before the frame is painted
constexpr uint32_t kBack = 0x203040;

TDecodedBitmap FrameOf(const TBitmap& strip, bool stacked, int frames, int k) {
    const TDecodedBitmap all = GetBitmapPixels(strip);
    const int w = stacked ? all.Width : all.Width / frames, h = stacked ? all.Height / frames : all.Height;
    return GetBitmapPixels(*skintest::Image(
        w, h, [&](int x, int y) { return At(all, stacked ? x : x + (k - 1) * w, stacked ? y + (k - 1) * h : y); }));
}

// Pixels of the w x h block at (x, y) that differ from the frame's block at (fx, fy).
int Differing(const TDecodedBitmap& shot, int x, int y, const TDecodedBitmap& frame, int fx, int fy, int w, int h) {
    int count = 0;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) count += At(shot, x + i, y + j) != At(frame, fx + i, fy + j);
    return count;
}

struct TFramedWindow {
    explicit TFramedWindow(TSkinData& data, const char* caption = "Wg")
        : window(WS_OVERLAPPEDWINDOW, kW, kH, 0, caption), form(new TWinSkinForm(nullptr)) {
        form->Handle = window.get();
        form->SkinData = &data;
        form->SkinFrame = true;
        form->Style = WS_OVERLAPPEDWINDOW;
        form->Stage = stSkinned;
        form->ComputeBorders();
    }
    TDecodedBitmap Paint() {
        const auto target = Solid(kW, kH, kUnder);
        form->PaintFrame(target->Canvas().Handle());
        return GetBitmapPixels(*target);
    }
    bool InRegion(int x, int y) const {
        TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(window.get(), region.get()) != ERROR && PtInRegion(region.get(), x, y);
    }
    // Pixels of the block at (x, y) whose being in the region does not follow the frame's key colour.
    int RegionMisses(int x, int y, const TDecodedBitmap& frame, int w, int h) const {
        int count = 0;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) count += InRegion(x + i, y + j) != (At(frame, i, j) != kKeyPixel);
        return count;
    }
    skintest::TPlainWindow window;
    fwtest::TOwned<TWinSkinForm> form;
};

TEST(FramePaint, ActiveWindowsShowFrameOneInactiveFrameTwoSingleFrameImagesEither) {
    auto data = skintest::LoadProjectSkin("Default");  // sides 4 wide, top 28 and bottom 4 high
    TFramedWindow w(*data);
    for (const int k : {1, 2}) {
        SCOPED_TRACE(k);
        w.form->Active = k == 1;
        const TDecodedBitmap shot = w.Paint();
        const auto left = FrameOf(*data->FrameLeft.Bitmap, false, 2, k);
        const auto top = FrameOf(*data->FrameTop.Bitmap, true, 2, k);
        ASSERT_GT(Differing(left, 0, 0, FrameOf(*data->FrameLeft.Bitmap, false, 2, 3 - k), 0, 0, 4, 36), 0);
        // The unscaled ends of each side.
        EXPECT_EQ(Differing(shot, 0, 0, left, 0, 0, 4, 28) + Differing(shot, 0, kH - 4, left, 0, 32, 4, 4), 0);
        EXPECT_EQ(Differing(shot, kW - 4, 0, FrameOf(*data->FrameRight.Bitmap, false, 2, k), 0, 0, 4, 28), 0);
        EXPECT_EQ(Differing(shot, 4, 0, top, 0, 0, 12, 28) + Differing(shot, kW - 16, 0, top, 16, 0, 12, 28), 0);
        EXPECT_EQ(Differing(shot, 4, kH - 4, FrameOf(*data->FrameBottom.Bitmap, true, 2, k), 0, 0, 12, 4), 0);
        EXPECT_EQ(At(shot, kW / 2, kH / 2), kUnder);
    }

    for (TDataSkinBorder* frame : {&data->FrameLeft, &data->FrameRight, &data->FrameTop, &data->FrameBottom}) {
        const TDecodedBitmap one =
            FrameOf(*frame->Bitmap, frame == &data->FrameTop || frame == &data->FrameBottom, 2, 1);
        frame->Bitmap = skintest::Image(one.Width, one.Height, [&](int x, int y) { return At(one, x, y); });
        frame->Frame = 1;
    }
    data->Title.Bitmap = std::make_unique<TBitmap>();
    SetWindowTextA(w.window.get(), "");
    const TDecodedBitmap inactive = w.Paint();
    w.form->Active = true;
    EXPECT_EQ(w.Paint().Pixels, inactive.Pixels);
}

TEST(FramePaint, AMinimisedWindowShowsOnlyTheTopFrameAcrossItsWidthOverButtonFace) {
    auto data = skintest::LoadProjectSkin("Default");
    TFramedWindow w(*data);
    w.form->WindowState = stateMinimized;
    const TDecodedBitmap shot = w.Paint();
    const auto top = FrameOf(*data->FrameTop.Bitmap, true, 2, 1);
    EXPECT_EQ(Differing(shot, 0, 0, top, 0, 0, 12, 28) + Differing(shot, kW - 12, 0, top, 16, 0, 12, 28), 0);
    EXPECT_EQ(Differing(shot, 0, 28, GetBitmapPixels(*Solid(kW, kH - 28, 0xEEF1F5)), 0, 0, kW, kH - 28), 0);
}

TEST(FramePaint, CaptionTextIsPlacedByAlignmentReadingOrderAndBorderKindAndClippedOnTheRight) {
    auto data = skintest::LoadProjectSkin("Default");  // TextShift 22, TextRightClip 62, back 8 + 8
    for (TDataSkinBorder* frame : {&data->FrameLeft, &data->FrameRight, &data->FrameTop, &data->FrameBottom})
        frame->Bitmap = Solid(frame->Bitmap->Width(), frame->Bitmap->Height(), kBack);
    data->Title.Bitmap = std::make_unique<TBitmap>();
    TFramedWindow w(*data, "Wide Wg");
    auto& f = *w.form;
    const auto paintInk = [&] {  // the columns the text was drawn in
        const TDecodedBitmap shot = w.Paint();
        std::pair<int, int> ink{kW, -1};
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < kW; ++x)
                if (At(shot, x, y) != kBack) ink = {std::min(ink.first, x), std::max(ink.second, x)};
        return ink;
    };
    RECT measure{};
    TBitmap scratch;
    scratch.SetSize(1, 1);
    TSelectObject font(scratch.Canvas().Handle(), f.TitleFont.Handle());
    DrawTextW(scratch.Canvas().Handle(), f.CaptionText().c_str(), -1, &measure, DT_CALCRECT | DT_NOPREFIX);
    const int xw = measure.right + 16, cw = kW - 8;

    const struct {
        int Alignment;
        bool RightToLeft;
        TSkinBorderKind Kind;
        int Left;
    } cases[] = {{0, false, bkSizeable, 4 + 22},
                 {0, false, bkDialog, 4 + 22 - 16},
                 {1, false, bkSizeable, 4 + (cw - xw) / 2},
                 {2, false, bkSizeable, 4 + cw - 62 - xw},
                 {0, true, bkSizeable, 4 + cw - xw + 10},
                 {1, true, bkSizeable, 4 + (cw - xw) / 2 + 10},
                 {2, true, bkSizeable, 4 + 22 + 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Alignment << " " << c.RightToLeft << " " << int(c.Kind));
        data->Title.TextAlignment = c.Alignment;
        f.RightToLeft = c.RightToLeft;
        f.BorderKind = c.Kind;
        const auto [from, to] = paintInk();
        EXPECT_EQ(f.TextRect.left, c.Left);
        EXPECT_EQ(f.TextRect.right - f.TextRect.left, xw + (c.Kind == bkDialog ? 16 : 0));
        EXPECT_GE(from, f.TextRect.left + 8);
        EXPECT_LT(to, std::min<int>(f.TextRect.right - 8, kW));
        EXPECT_GT(to - from, xw / 3);
    }

    // Too long: an ellipsis that ends TextRightClip before the end of the top frame; read from
    // the right, the text starts at TextShift.
    SetWindowTextA(w.window.get(), std::string(120, 'x').c_str());
    data->Title.TextAlignment = 0;
    f.BorderKind = bkSizeable;
    paintInk();
    EXPECT_EQ(f.TextRect.left, 22 + 10);
    f.RightToLeft = false;
    const int to = paintInk().second;
    EXPECT_EQ(f.TextRect.right, kW - 4 - 62);
    EXPECT_LT(to, kW - 4 - 62 - 8);
    EXPECT_GT(to, kW - 4 - 62 - 8 - 12);

    // A popup stops 5 pixels left of its right-aligned buttons (the close button, 24 from the right).
    f.Caps = capSysMenu;
    f.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    f.RebuildButtons();
    w.Paint();
    EXPECT_EQ(f.RightReserve, 24);
    EXPECT_EQ(f.TextRect.right, kW - 4 - 24 - 5);
}

TEST(FramePaint, WindowTextIsReadInTheWindowsCharacterSet) {
    auto data = skintest::LoadProjectSkin("Default");
    TFramedWindow w(*data, "Caf\xE9");
    EXPECT_EQ(w.form->CaptionText(), L"  Caf\u00E9 ");
    SetWindowTextA(w.window.get(), std::string(1500, 'x').c_str());
    EXPECT_EQ(w.form->WindowText(), std::wstring(999, L'x'));

    TWindowHandle wide(
        CreateWindowExW(0, L"STATIC", L"\u03A9", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    w.form->Handle = wide.get();
    w.form->Unicode = true;
    EXPECT_EQ(w.form->WindowText(), L"\u03A9");
}

TEST(FramePaint, NonClientPaintTakesTheSystemMenuStyleAwayAndOnlyAKnownSystemMenuBringsItBack) {
    auto data = skintest::LoadProjectSkin("Default");
    data->FramePaintEnabled = false;
    TFramedWindow w(*data);
    const auto sysMenu = [&] { return (GetWindowLongA(w.window.get(), GWL_STYLE) & WS_SYSMENU) != 0; };
    TMessage message{WM_NCPAINT, 1, 0, 7};
    w.form->NcPaint(message);
    EXPECT_EQ(message.Result, 0);
    w.form->SetSysMenuStyle(false);
    EXPECT_FALSE(sysMenu());
    w.form->SystemMenu = GetSystemMenu(w.window.get(), FALSE);
    w.form->SetSysMenuStyle(false);
    EXPECT_TRUE(sysMenu());
    w.form->Caps = capKeepSysMenu;
    w.form->SetSysMenuStyle(true);
    EXPECT_TRUE(sysMenu());
}

TEST(FramePaint, RegionFollowsTheKeyColourOfTransparentFramesAndIsCachedBySize) {
    auto data = skintest::LoadProjectSkin("Default");  // rounded top corners
    TFramedWindow w(*data);
    auto& f = *w.form;
    f.UpdateRegion();
    ASSERT_EQ(At(FrameOf(*data->FrameLeft.Bitmap, false, 2, 1), 0, 0), kKeyPixel);
    EXPECT_EQ(w.RegionMisses(0, 0, FrameOf(*data->FrameLeft.Bitmap, false, 2, 1), 4, 28), 0);
    EXPECT_EQ(w.RegionMisses(4, 0, FrameOf(*data->FrameTop.Bitmap, true, 2, 1), 12, 28), 0);
    EXPECT_TRUE(w.InRegion(kW / 2, kH / 2));

    const HRGN first = f.Region;
    f.UpdateRegion();
    EXPECT_EQ(f.Region, first);
    f.Stage = stRefreshing;
    f.UpdateRegion();
    EXPECT_NE(f.Region, first);
    f.DropRegion();
    EXPECT_FALSE(w.InRegion(kW / 2, kH / 2));
    f.Stage = stSkinned;
    f.UpdateRegion();  // same size, but no region is set any more
    EXPECT_TRUE(w.InRegion(kW / 2, kH / 2));

    // No transparent frame: the whole rectangle, made at every size, the size shaped before too.
    for (TDataSkinBorder* frame : {&data->FrameLeft, &data->FrameRight, &data->FrameTop, &data->FrameBottom})
        frame->Trans = 0;
    for (const int width : {kW - 40, kW}) {
        SetWindowPos(w.window.get(), nullptr, 0, 0, width, kH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        f.UpdateRegion();
    }
    EXPECT_TRUE(w.InRegion(0, 0));
    EXPECT_TRUE(w.InRegion(kW - 1, kH - 1));
}

TEST(FramePaint, ATransparentBottomAloneIsShapedUnlessThinnerThanTwoPixels) {
    auto data = skintest::LoadProjectSkin("Contrast");  // its top is not transparent
    data->FrameLeft.Trans = data->FrameRight.Trans = 0;
    TFramedWindow w(*data);
    w.form->UpdateRegion();
    const auto bottom = FrameOf(*data->FrameBottom.Bitmap, true, 2, 1);
    ASSERT_EQ(At(bottom, 0, 5), kKeyPixel);
    EXPECT_EQ(w.RegionMisses(3, kH - 6, bottom, 10, 6), 0);
    EXPECT_TRUE(w.InRegion(0, kH - 1));

    for (const int height : {1, 2}) {
        data->FrameBottom.Bitmap = Solid(10, height, kKeyPixel);
        data->FrameBottom.Frame = 1;
        data->FrameBottom.LeftWidth = data->FrameBottom.RightWidth = 0;
        w.form->ComputeBorders();
        w.form->Stage = stRefreshing;
        w.form->UpdateRegion();
        EXPECT_EQ(w.InRegion(kW / 2, kH - 1), height == 1) << height;
    }
}

TEST(FramePaint, AFrameCountOfZeroDrawsThatSideNotAndPaintingLeaksNoGdiObjects) {
    auto data = skintest::LoadProjectSkin("Default");
    data->FrameLeft.Frame = 0;
    TFramedWindow w(*data);
    const auto target = Solid(8, kH, kUnder);
    w.form->PaintBorder(1, {0, 0, 8, kH}, target->Canvas().Handle());
    EXPECT_TRUE(skintest::PixelsAre(*target, 8, kH, [](int, int) { return kUnder; }));
    EXPECT_EQ(Differing(w.Paint(), 0, 0, FrameOf(*data->FrameTop.Bitmap, true, 2, 1), 0, 0, 12, 28), 0);

    data->FrameLeft.Frame = 2;
    w.form->ComputeBorders();
    w.form->PaintFrame(nullptr);
    w.form->UpdateRegion();
    const int before = fwtest::CountGdiObjects();
    for (int i = 0; i < 40; ++i) {
        w.form->Active = i % 2 == 0;
        w.form->WindowState = i % 3 == 0 ? stateMinimized : stateNormal;
        w.form->Stage = i % 2 ? stRefreshing : stSkinned;
        w.form->PaintFrame(nullptr);
        w.Paint();
        w.form->UpdateRegion();
    }
    EXPECT_EQ(fwtest::CountGdiObjects(), before);
}

// The composed images kept between paints belong to the strips they came from: frames of the
// same size with other pixels (the images flipped in place) show at the next paint.
TEST(FramePaint, FramesChangedInPlaceShowAtTheNextPaint) {
    auto data = skintest::LoadProjectSkin("Default");
    TFramedWindow w(*data);
    w.Paint();
    for (TDataSkinBorder* frame : {&data->FrameLeft, &data->FrameRight, &data->FrameTop, &data->FrameBottom})
        FlipBitmap(*frame->Bitmap);
    const TDecodedBitmap shot = w.Paint();
    const auto left = FrameOf(*data->FrameLeft.Bitmap, false, 2, 1);
    const auto top = FrameOf(*data->FrameTop.Bitmap, true, 2, 1);
    EXPECT_EQ(Differing(shot, 0, 0, left, 0, 0, 4, 28), 0);
    EXPECT_EQ(Differing(shot, 4, 0, top, 0, 0, 12, 28), 0);
}

}  // namespace
}  // namespace velloran
