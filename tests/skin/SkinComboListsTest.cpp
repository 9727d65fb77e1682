// The scroll bars of combo lists on real combo boxes: the simple combo's list under overlays that
// scroll it as its own bar does, the dropping list's bar painted from the skin with its thumb
// dragged past the end by real input, both switched off with their combo, and both given back
// when the skin goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ComboBoxes.h"
#include "framework/Subclass.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinComboLists.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/skin/SkinScrollTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

TComboBox* AddLongCombo(TForm& form, TComboBoxStyle style) {
    auto* combo = new TComboBox(&form);
    combo->SetStyle(style);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 150, style == csSimple ? 150 : 22);
    for (int i = 0; i < 40; ++i) combo->AddItem("Item " + std::to_string(i));
    return combo;
}

HWND ListOf(HWND combo) {
    COMBOBOXINFO info{sizeof info};
    GetComboBoxInfo(combo, &info);
    return info.hwndList;
}

// The skin's vertical bar over `bar` (screen coordinates) of what `pixels` shows of `window`:
// the two arrows, and the track between the first arrow and the thumb. Counts differing pixels.
int SkinnedBarMismatches(TSkinData& data, const TDecodedBitmap& pixels, HWND window, const SCROLLBARINFO& info) {
    RECT place{};
    GetWindowRect(window, &place);
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -place.left, -place.top);
    const int width = bar.right - bar.left, arrow = GetSystemMetrics(SM_CXHSCROLL);
    const uint32_t face = SkinColour(data, ciButtonFace);
    return Mismatches(pixels, Glyph(data, 9, width, arrow), RECT{bar.left, bar.top, bar.right, bar.top + arrow}, face) +
           Mismatches(pixels, Glyph(data, 13, width, arrow), RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom},
                      face) +
           Mismatches(pixels, Track(data, 1, width, info.xyThumbTop - arrow),
                      RECT{bar.left, bar.top + arrow, bar.right, bar.top + info.xyThumbTop}, face);
}

TEST(ComboListDrag, TheDraggedThumbLandsOnAPositionOfTheRange) {
    // A track of 100 pixels with a 20-pixel thumb: 80 pixels to travel.
    const struct {
        int Min, Max, Page, Offset0, Travel, Position;
    } cases[] = {
        {0, 39, 8, 0, 0, 0},       // not moved
        {0, 39, 8, 0, 40, 16},     // halfway: MulDiv(40, 31, 80)
        {0, 39, 8, 0, -30, 0},     // above the start: the first position
        {0, 39, 8, 0, 78, 30},     // MulDiv(78, 31, 80)
        {0, 39, 8, 0, 79, 32},     // MulDiv(79, 31, 80) = 31 = nMax - nPage counts as the end
        {0, 39, 8, 0, 400, 32},    // past the end: nMax - nPage + 1
        {0, 39, 8, 40, 40, 32},    // from the middle to the end
        {5, 44, 8, 0, 40, 21},     // the minimum counts from the start
        {0, 100, 0, 0, 50, 50},    // no page: MulDiv(50, 100, 100)
        {0, 100, 0, 0, 400, 80},   // ... at most the travel: MulDiv(80, 100, 100)
        {0, 50, 0, 0, 400, 40},    // ... MulDiv(80, 50, 100)
    };
    for (const auto& c : cases) {
        SCROLLINFO info{sizeof info, SIF_ALL, c.Min, c.Max, static_cast<UINT>(c.Page), c.Min, 0};
        EXPECT_EQ(DraggedPosition(info, c.Offset0, c.Travel, 100, 20), c.Position)
            << c.Page << " " << c.Offset0 << " " << c.Travel;
    }
    // A thumb as long as its track stays where it is.
    SCROLLINFO full{sizeof full, SIF_ALL, 0, 5, 6, 0, 0};
    EXPECT_EQ(DraggedPosition(full, 0, 50, 100, 100), 0);
}

TEST(SkinComboLists, ASimpleCombosListScrollsUnderItsOverlaysAndGetsItsBarBack) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    // The positions a real click on the list's second arrow and one on its track reach.
    const auto clicks = [](HWND list) {
        std::vector<int> reached;
        for (const bool track : {false, true}) {
            SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
            PumpFor(30);
            const SCROLLBARINFO info = BarInfo(list, OBJID_VSCROLL);
            const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
            const int y = track ? info.rcScrollBar.top + info.xyThumbBottom + 6 : info.rcScrollBar.bottom - 4;
            EXPECT_TRUE(XClickAt({x, y})) << "xdotool";
            PumpFor(300);
            reached.push_back(GetScrollPos(list, SB_VERT));
        }
        EXPECT_TRUE(XMoveTo({0, 0}));
        PumpFor(30);
        return reached;
    };
    std::vector<int> native;
    {
        auto form = MakeControlForm("Native");
        TComboBox* combo = AddLongCombo(*form, csSimple);
        ShowWindow(form->Handle(), SW_SHOW);
        SetForegroundWindow(form->Handle());
        PumpFor(50);
        native = clicks(ListOf(combo->Handle()));
    }
    ASSERT_EQ(native.size(), 2u);
    EXPECT_GT(native[0], 0);
    EXPECT_GT(native[1], native[0]);

    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm("Skinned");
    TComboBox* combo = AddLongCombo(*form, csSimple);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* comboSkinner = ChildSkinner<TSkinComBox>(form->Handle(), combo->Handle());
    ASSERT_NE(comboSkinner, nullptr);
    auto* skinner = dynamic_cast<TSkinScrollbarH*>(comboSkinner->ListSkinner());
    ASSERT_NE(skinner, nullptr);
    const HWND list = ListOf(combo->Handle());
    EXPECT_EQ(SendMessageW(list, SM_ISSKINNED, 0, 0), 1);
    TWScrollbar& vertical = *skinner->Vertical();
    ASSERT_TRUE(vertical.Shown());
    EXPECT_FALSE(skinner->Horizontal()->Shown());
    RECT placed{};
    GetWindowRect(vertical.Handle(), &placed);
    const RECT bar = BarInfo(list, OBJID_VSCROLL).rcScrollBar;
    EXPECT_TRUE(EqualRect(&placed, &bar));
    EXPECT_EQ(clicks(list), native);

    // The skin's arrows and track are on the screen, the thumb somewhere down the list.
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
    PumpFor(30);
    EXPECT_EQ(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);
    // A scroll request lights the part of its code, whatever position comes with it.
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
    EXPECT_EQ(vertical.HotPart(), spThumb);

    // Switched off with its combo, the list shows its own bar; on again, the skin's.
    SendMessageW(combo->Handle(), SM_SKINENABLE, 0, 0);
    PumpFor(30);
    EXPECT_FALSE(IsWindowVisible(vertical.Handle()));
    EXPECT_GT(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);
    SendMessageW(combo->Handle(), SM_SKINENABLE, 1, 0);
    PumpFor(30);
    EXPECT_TRUE(IsWindowVisible(vertical.Handle()));
    EXPECT_EQ(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);

    // Skin off: the overlays are gone, the list is the system's again.
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_TRUE(Overlays(combo->Handle()).empty());
    EXPECT_NE(SendMessageW(list, SM_ISSKINNED, 0, 0), 1);
    EXPECT_GT(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);
}

TEST(SkinComboLists, ADroppedListPaintsItsBarFromTheSkinAndItsThumbIsDraggedPastTheEnd) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    TComboBox* dropDown = AddLongCombo(*form, csDropDownList);
    const HWND list = ListOf(dropDown->Handle());
    // Every scroll request the list receives, in order, and the presses on its bar that reach
    // the list's own handling; hooked before the skinner, so below it.
    std::vector<WPARAM> requests;
    int nativePresses = 0;
    TWindowSubclass recorder(list, [&](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_VSCROLL) requests.push_back(wp);
        if (msg == WM_NCLBUTTONDOWN && wp == HTVSCROLL) ++nativePresses;
        return TWindowSubclass::CallNext(wnd, msg, wp, lp);
    });
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SetForegroundWindow(form->Handle());
    auto* comboSkinner = ChildSkinner<TSkinComBox>(form->Handle(), dropDown->Handle());
    ASSERT_NE(comboSkinner, nullptr);
    ASSERT_NE(dynamic_cast<TComboxScrollBar*>(comboSkinner->ListSkinner()), nullptr);
    EXPECT_EQ(SendMessageW(list, SM_ISSKINNED, 0, 0), 1);

    dropDown->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));

    // The thumb pressed and dragged far below the list with the real pointer.
    const auto dragPastTheEnd = [&] {
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
        PumpFor(30);
        requests.clear();
        return DragThumbDown(BarInfo(list, OBJID_VSCROLL), 400) &&
               PumpUntil([&] { return !requests.empty() && LOWORD(requests.back()) == SB_ENDSCROLL; });
    };
    ASSERT_TRUE(dragPastTheEnd());
    SCROLLINFO range{sizeof range, SIF_ALL};
    GetScrollInfo(list, SB_VERT, &range);
    const int end = range.nMax - static_cast<int>(range.nPage) + 1;
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[requests.size() - 3], MAKEWPARAM(SB_THUMBTRACK, end));
    EXPECT_EQ(requests[requests.size() - 2], MAKEWPARAM(SB_THUMBPOSITION, end));
    EXPECT_EQ(LOWORD(requests.back()), SB_ENDSCROLL);
    // The skinner's loop followed the thumb, not the system's.
    EXPECT_EQ(nativePresses, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), end);
    // The skin's arrows and track are in the list's frame, the thumb at the bottom.
    EXPECT_EQ(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);
    dropDown->SetDroppedDown(false);
    ASSERT_TRUE(XMoveTo({0, 0}));
    PumpFor(30);

    // Skin off: the dropped list shows the system's bar, and the system tracks the same drag (its
    // thumb springs back when the pointer goes that far from the bar).
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_NE(SendMessageW(list, SM_ISSKINNED, 0, 0), 1);
    dropDown->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
    PumpFor(50);
    EXPECT_GT(SkinnedBarMismatches(data, ScreenPixels(list), list, BarInfo(list, OBJID_VSCROLL)), 0);
    ASSERT_TRUE(dragPastTheEnd());
    EXPECT_GT(nativePresses, 0);
    dropDown->SetDroppedDown(false);
    ASSERT_TRUE(XMoveTo({0, 0}));
    PumpFor(30);
}

}  // namespace
}  // namespace velloran
