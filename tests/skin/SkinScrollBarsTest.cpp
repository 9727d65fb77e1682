// The scroll-bar skinners on real windows: the overlay's geometry, its pixels against the skin's
// own frames, real clicks and drags scrolling exactly as on the unskinned control, the overlay
// following its control, skinning going off, a platform without scroll-bar information, and no
// handle left behind after many cycles.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "framework/ExtCtrls.h"
#include "framework/ListViews.h"
#include "framework/ScrollCtrls.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/skin/SkinScrollTestSupport.h"

namespace velloran {

// Another vendor's container that holds scroll bars and scrolling panes, mapped by class name.
class TScrollHost : public TPanel {
    VELLORAN_CLASS(TScrollHost)
public:
    using TPanel::TPanel;
};

const TClassInfo& TScrollHost::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TScrollHost>("TScrollHost", &TPanel::StaticClassInfo());
    return info;
}

// The same vendor's pane with the window's own scroll bars, of no class the selection knows.
class TScrollPane : public TWinControl {
    VELLORAN_CLASS(TScrollPane)
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style |= WS_VSCROLL | WS_HSCROLL;
    }
};

const TClassInfo& TScrollPane::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TScrollPane>("TScrollPane", &TWinControl::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;

TMemo* AddMemo(TForm& form, int left, int top, int width, int height, TScrollStyle bars, int lines) {
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(left, top, width, height);
    memo->SetWordWrap(false);
    memo->SetScrollBars(bars);
    std::string text;
    // Appended piece by piece: GCC 12 warns (wrongly) about the concatenated temporary in the 32-bit build.
    for (int i = 0; i < lines; ++i) {
        text += "Line number ";
        text += std::to_string(i);
        text += " of a long list\r\n";
    }
    memo->Lines()->SetText(text);
    return memo;
}

TScrollBar* AddScrollBar(TForm& form) {
    auto* bar = new TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetKind(sbVertical);
    bar->SetBounds(240, 10, GetSystemMetrics(SM_CXVSCROLL), 170);
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->SetLargeChange(10);
    return bar;
}

// The overlay's rectangle in screen coordinates.
RECT ScreenRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// The pixels of `actual` inside `area` that differ from the opaque (not magenta) pixels of
// `expected` placed at the area's top-left.
int OpaqueMismatches(const TDecodedBitmap& actual, const TDecodedBitmap& expected, const RECT& area) {
    int count = 0, opaque = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t want = PixelAt(expected, x - area.left, y - area.top);
            if (want == 0xFF00FF) continue;
            ++opaque;
            if (PixelAt(actual, x, y) != want) ++count;
        }
    // An image all transparent would prove nothing.
    return opaque ? count : -1;
}

// What a bar shows while the system tracks a press on it: read from a timer that the tracking
// loop dispatches, which then lets the button go.
struct TPressCapture {
    HWND Bar;
    TDecodedBitmap Pixels;
    bool Seen;
} g_pressed;

void CALLBACK CapturePressedBar(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_pressed.Pixels = PaintedPixels(g_pressed.Bar);
    g_pressed.Seen = true;
    POINT cursor{};
    GetCursorPos(&cursor);
    MouseAt(cursor, MOUSEEVENTF_LEFTUP);
}

TEST(ScrollOverlayGeometry, HitTestAndThumbDragOverATable) {
    // A 200-pixel bar, 16-pixel arrows, the thumb from 40 to 60.
    const TThumbExtent thumb{40, 60};
    const struct {
        int Along;
        TScrollPart Part;
    } hits[] = {{0, spFirstArrow},   {15, spFirstArrow},  {16, spTrackBefore}, {39, spTrackBefore},
                {40, spThumb},       {59, spThumb},       {60, spTrackAfter},  {183, spTrackAfter},
                {184, spSecondArrow}, {199, spSecondArrow}};
    for (const auto& hit : hits) EXPECT_EQ(ScrollHitTest(hit.Along, 16, thumb, 200), hit.Part) << hit.Along;

    const struct {
        int Travel, Start, End;
    } drags[] = {{0, 40, 60}, {10, 50, 70}, {-100, 16, 36}, {500, 164, 184}, {124, 164, 184}, {123, 163, 183}};
    for (const auto& drag : drags) {
        const TThumbExtent moved = DraggedThumb(thumb, 40, drag.Travel, 16, 200);
        EXPECT_EQ(moved.Start, drag.Start) << drag.Travel;
        EXPECT_EQ(moved.End, drag.End) << drag.Travel;
    }
}

TEST(ScrollOverlayGeometry, TheThumbOfAScrollBarControlFromItsRangePageAndPosition) {
    // A 200-pixel bar with 16-pixel arrows.
    const struct {
        int Min, Max, Page, Pos, Start, End;
    } cases[] = {
        {0, 100, 10, 0, 16, 31},     // MulDiv(168, 9, 100) = 15 from the first arrow
        {0, 100, 10, 50, 100, 115},  // MulDiv(168, 50, 100) + 16
        {0, 100, 2, 0, 16, 24},      // 2 pixels long: 8 instead
        {0, 100, 2, 50, 96, 104},    // ... and the start from 160: MulDiv(160, 50, 100) + 16
        {0, 100, 0, 50, 92, 108},    // no page: an arrow long, the start from 152
        {5, 5, 10, 5, 16, 24},       // no range: at the start
        {5, 5, 0, 5, 16, 32},
        {10, 110, 10, 60, 100, 115},  // the minimum counts from the start
    };
    for (const auto& c : cases) {
        SCROLLINFO info{sizeof info, SIF_ALL, c.Min, c.Max, static_cast<UINT>(c.Page), c.Pos, 0};
        const TThumbExtent thumb = ControlThumb(200, 16, info);
        EXPECT_EQ(thumb.Start, c.Start) << c.Page << " " << c.Pos;
        EXPECT_EQ(thumb.End, c.End) << c.Page << " " << c.Pos;
    }
}

TEST(SkinScrollbar, ListBoxesTreeViewsAndScrollBarControlsAreSkinnedWithTheGate) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 150, 100);
    for (int i = 0; i < 50; ++i) list->Items()->Add("Item " + std::to_string(i));
    auto* bar = AddScrollBar(*form);
    auto* tree = new TTreeView(form.get());
    tree->SetParent(form.get());
    tree->SetBounds(10, 120, 150, 70);
    for (int i = 0; i < 10; ++i) {
        const HTREEITEM branch = tree->AddItem(nullptr, "Branch " + std::to_string(i));
        for (int j = 0; j < 3; ++j) tree->AddItem(branch, "Leaf " + std::to_string(j));
        tree->Expand(branch);
    }
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* treeSkinner = ChildSkinner<TSkinScrollbar>(form->Handle(), tree->Handle());
    ASSERT_NE(treeSkinner, nullptr);
    EXPECT_TRUE(treeSkinner->Vertical()->Shown());
    auto* listSkinner = ChildSkinner<TSkinScrollbar>(form->Handle(), list->Handle());
    ASSERT_NE(listSkinner, nullptr);
    EXPECT_TRUE(listSkinner->Vertical()->Shown());
    EXPECT_FALSE(listSkinner->Horizontal()->Shown());
    auto* barSkinner = ChildSkinner<TSkinScControl>(form->Handle(), bar->Handle());
    ASSERT_NE(barSkinner, nullptr);
    RECT overlay{}, control{};
    GetWindowRect(barSkinner->Bar()->Handle(), &overlay);
    GetWindowRect(bar->Handle(), &control);
    EXPECT_TRUE(EqualRect(&overlay, &control));
    // The list scrolls under its overlay.
    SendMessageW(list->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(GetScrollPos(list->Handle(), SB_VERT), 0);
    bar->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(barSkinner->Bar()->Handle()));
    bar->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(barSkinner->Bar()->Handle()));

    // Without the scroll-bar gate neither is skinned.
    skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(xcScrollbar));
    auto other = MakeControlForm("Ungated");
    auto* plainList = new TListBox(other.get());
    plainList->SetParent(other.get());
    auto* plainBar = AddScrollBar(*other);
    auto* plainTree = new TTreeView(other.get());
    plainTree->SetParent(other.get());
    ASSERT_NE(ShowSkinned(other->Handle()), nullptr);
    EXPECT_EQ(ChildSkinner<>(other->Handle(), plainTree->Handle()), nullptr);
    EXPECT_EQ(ChildSkinner<>(other->Handle(), plainList->Handle()), nullptr);
    EXPECT_EQ(ChildSkinner<>(other->Handle(), plainBar->Handle()), nullptr);
    EXPECT_TRUE(Overlays(other->Handle()).empty());
}

TEST(SkinScrollbar, AMemoGetsOverlaysExactlyOverItsBarsDrawnFromTheSkin) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    auto* memo = AddMemo(*form, 10, 10, 200, 100, ssVertical, 3);
    // A bar two pixels shorter than its two arrows.
    const SCROLLBARINFO before = BarInfo(memo->Handle(), OBJID_VSCROLL);
    memo->SetBounds(10, 10, 200, 100 + (2 * arrow - 2) - (before.rcScrollBar.bottom - before.rcScrollBar.top));
    auto* longMemo = AddMemo(*form, 10, 60, 200, 130, ssBoth, 200);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), longMemo->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle()), nullptr);

    for (auto [overlay, id] : {std::pair{skinner->Vertical(), OBJID_VSCROLL}, std::pair{skinner->Horizontal(), OBJID_HSCROLL}}) {
        ASSERT_TRUE(overlay->Shown());
        EXPECT_TRUE(IsWindowVisible(overlay->Handle()));
        const RECT native = BarInfo(longMemo->Handle(), id).rcScrollBar, placed = ScreenRect(overlay->Handle());
        EXPECT_TRUE(EqualRect(&native, &placed));
    }
    // Both just above their control.
    const HWND above = GetWindow(longMemo->Handle(), GW_HWNDPREV);
    const HWND aboveThat = GetWindow(above, GW_HWNDPREV);
    EXPECT_TRUE((above == skinner->Vertical()->Handle() && aboveThat == skinner->Horizontal()->Handle()) ||
                (above == skinner->Horizontal()->Handle() && aboveThat == skinner->Vertical()->Handle()));

    const uint32_t face = SkinColour(data, ciButtonFace);
    HWND vertical = skinner->Vertical()->Handle();
    const RECT bar = ScreenRect(vertical);
    const int width = bar.right - bar.left, length = bar.bottom - bar.top;
    TDecodedBitmap shown = PaintedPixels(vertical);
    EXPECT_EQ(Mismatches(shown, Glyph(data, 9, width, arrow), RECT{0, 0, width, arrow}, face), 0);
    EXPECT_EQ(Mismatches(shown, Glyph(data, 13, width, arrow), RECT{0, length - arrow, width, length}, face), 0);
    // The thumb is the skin's, at the native thumb's place, in the enabled track.
    const SCROLLBARINFO info = BarInfo(longMemo->Handle(), OBJID_VSCROLL);
    EXPECT_EQ(Mismatches(shown, Track(data, 1, width, info.xyThumbTop - arrow), RECT{0, arrow, width, info.xyThumbTop},
                         face),
              0);
    EXPECT_NE(PixelAt(shown, width / 2, (info.xyThumbTop + info.xyThumbBottom) / 2),
              PixelAt(Track(data, 1, width, length - 2 * arrow), width / 2, 0));

    // Two arrows of half the length each on a bar shorter than two arrows.
    auto* shortBar = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle())->Vertical();
    const RECT shortRect = ScreenRect(shortBar->Handle());
    ASSERT_EQ(shortRect.bottom - shortRect.top, 2 * arrow - 2);
    const int half = arrow - 1, shortWidth = shortRect.right - shortRect.left;
    shown = PaintedPixels(shortBar->Handle());
    EXPECT_EQ(Mismatches(shown, Glyph(data, 9, shortWidth, half), RECT{0, 0, shortWidth, half}, face), 0);
    EXPECT_EQ(Mismatches(shown, Glyph(data, 13, shortWidth, half), RECT{0, half, shortWidth, 2 * half}, face), 0);

    // Disabled: track frame 3 all along, normal arrows, no thumb.
    EnableScrollBar(longMemo->Handle(), SB_VERT, ESB_DISABLE_BOTH);
    shown = PaintedPixels(vertical);
    EXPECT_EQ(Mismatches(shown, Track(data, 3, width, length - 2 * arrow), RECT{0, arrow, width, length - arrow}, face),
              0);
    EXPECT_EQ(Mismatches(shown, Glyph(data, 13, width, arrow), RECT{0, length - arrow, width, length}, face), 0);
    EnableScrollBar(longMemo->Handle(), SB_VERT, ESB_ENABLE_BOTH);
    EXPECT_NE(Mismatches(PaintedPixels(vertical), Track(data, 3, width, length - 2 * arrow),
                         RECT{0, arrow, width, length - arrow}, face),
              0);
    // A disabled control's bar is drawn disabled too.
    longMemo->SetEnabled(false);
    EXPECT_EQ(Mismatches(PaintedPixels(vertical), Track(data, 3, width, length - 2 * arrow),
                         RECT{0, arrow, width, length - arrow}, face),
              0);
    longMemo->SetEnabled(true);

    // Hovering the second arrow shows base + 3; pressing it, base + 1 while the system tracks.
    const POINT second{width / 2, length - arrow / 2};
    SendMessageW(vertical, WM_MOUSEMOVE, 0, MAKELPARAM(second.x, second.y));
    shown = PaintedPixels(vertical);
    EXPECT_EQ(Mismatches(shown, Glyph(data, 16, width, arrow), RECT{0, length - arrow, width, length}, face), 0);
    g_pressed = {vertical, {}, false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, &CapturePressedBar);
    const POINT screenSecond{bar.left + second.x, bar.top + second.y};
    MouseAt(screenSecond);
    MouseAt(screenSecond, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([] { return g_pressed.Seen; }));
    KillTimer(nullptr, timer);
    EXPECT_EQ(Mismatches(g_pressed.Pixels, Glyph(data, 14, width, arrow), RECT{0, length - arrow, width, length}, face), 0);
    EXPECT_GT(GetScrollPos(longMemo->Handle(), SB_VERT), 0);
}

// The positions a bar reaches by a click on its second arrow, a click on the track after the
// thumb and a drag of its thumb along 40 pixels, each from the start; `bar` names the vertical
// bar of a window or a whole scroll bar control.
std::vector<int> PositionsReached(HWND target, LONG bar, const std::function<void()>& reset,
                                  const std::function<int()>& position) {
    std::vector<int> reached;
    const std::function<bool(const SCROLLBARINFO&)> gestures[] = {
        [](const SCROLLBARINFO& i) {
            return XClickAt({(i.rcScrollBar.left + i.rcScrollBar.right) / 2, i.rcScrollBar.bottom - 4});
        },
        [](const SCROLLBARINFO& i) {
            return XClickAt({(i.rcScrollBar.left + i.rcScrollBar.right) / 2, i.rcScrollBar.top + i.xyThumbBottom + 6});
        },
        [](const SCROLLBARINFO& i) { return DragThumbDown(i, 40); }};
    for (const auto& gesture : gestures) {
        reset();
        PumpFor(30);
        EXPECT_TRUE(gesture(BarInfo(target, bar))) << "xdotool";
        PumpFor(300);
        reached.push_back(position());
    }
    EXPECT_TRUE(XMoveTo({0, 0}));
    PumpFor(30);
    return reached;
}

std::vector<int> MemoPositionsReached(HWND memo) {
    return PositionsReached(
        memo, OBJID_VSCROLL, [memo] { SendMessageW(memo, WM_VSCROLL, SB_TOP, 0); },
        [memo] { return GetScrollPos(memo, SB_VERT); });
}

std::vector<int> ControlPositionsReached(TScrollBar& bar) {
    return PositionsReached(
        bar.Handle(), OBJID_CLIENT, [&bar] { bar.SetPosition(0); }, [&bar] { return bar.Position(); });
}

TEST(SkinScrollbar, ClicksAndADragOnTheOverlayScrollAsOnTheNativeBar) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    std::vector<int> native, nativeControl;
    {
        auto form = MakeControlForm("Native");
        auto* memo = AddMemo(*form, 10, 10, 200, 150, ssVertical, 300);
        auto* bar = AddScrollBar(*form);
        ShowWindow(form->Handle(), SW_SHOW);
        SetForegroundWindow(form->Handle());
        PumpFor(50);
        native = MemoPositionsReached(memo->Handle());
        nativeControl = ControlPositionsReached(*bar);
    }
    for (const std::vector<int>& reached : {native, nativeControl}) {
        ASSERT_EQ(reached.size(), 3u);
        EXPECT_GT(reached[0], 0);
        EXPECT_GT(reached[1], reached[0]);
        EXPECT_GT(reached[2], reached[1]);
    }

    TSkinnedProcess skinning;
    auto form = MakeControlForm("Skinned");
    auto* memo = AddMemo(*form, 10, 10, 200, 150, ssVertical, 300);
    auto* bar = AddScrollBar(*form);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_TRUE(skinner->Vertical()->Shown());
    auto* controlSkinner = ChildSkinner<TSkinScControl>(form->Handle(), bar->Handle());
    ASSERT_NE(controlSkinner, nullptr);
    ASSERT_TRUE(controlSkinner->Bar()->Shown());
    EXPECT_EQ(MemoPositionsReached(memo->Handle()), native);
    EXPECT_EQ(ControlPositionsReached(*bar), nativeControl);
    EXPECT_FALSE(skinner->Vertical()->Pressed());
    EXPECT_FALSE(controlSkinner->Bar()->Pressed());

    // The control's overlay draws the thumb where its range, page and position put it, across
    // the glyphs' breadth, not lit once the pointer has left.
    EXPECT_TRUE(PumpUntil([&] { return controlSkinner->Bar()->HotPart() == spNone; }));
    bar->SetPosition(50);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    const TThumbExtent thumb = ControlThumb(170, arrow, info);
    TSkinData& data = *skinning.Data;
    const int glyph = data.Scrollbar->Bitmap->Height();
    const int breadth = std::abs(glyph - arrow) > 2 ? arrow : glyph;
    TDataSkinObject& shape = *data.HorzScrollThumb;
    auto image = ComposeSkinImage(RECT{0, 0, breadth, thumb.End - thumb.Start}, *data.VertScrollThumb->Bitmap,
                                  data.VertScrollThumb->Margins(), false, shape.Tile == 1, shape.Frame, 1);
    EXPECT_EQ(OpaqueMismatches(PaintedPixels(controlSkinner->Bar()->Handle()), GetBitmapPixels(*image),
                               RECT{0, thumb.Start, breadth, thumb.End}),
              0);
}

TEST(SkinScrollbar, TheOverlayFollowsItsControlAndGoesWithTheSkin) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* memo = AddMemo(*form, 10, 10, 200, 120, ssBoth, 100);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
    ASSERT_NE(skinner, nullptr);
    HWND vertical = skinner->Vertical()->Handle();
    const auto overBar = [&] {
        const RECT bar = BarInfo(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
        const RECT overlay = ScreenRect(vertical);
        return EqualRect(&bar, &overlay) != FALSE;
    };
    EXPECT_TRUE(overBar());
    memo->SetBounds(40, 30, 160, 90);
    EXPECT_TRUE(overBar());
    memo->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(vertical));
    memo->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(vertical));
    EXPECT_TRUE(overBar());
    memo->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(vertical));
    memo->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(vertical));
    // The mouse wheel scrolls and the overlay shows the new thumb.
    const TDecodedBitmap before = ScreenPixels(vertical);
    SendMessageW(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 2)), 0);
    EXPECT_GT(GetScrollPos(memo->Handle(), SB_VERT), 0);
    const TDecodedBitmap after = PaintedPixels(vertical);
    EXPECT_NE(after.Pixels, before.Pixels);
    EXPECT_EQ(SettledScreenPixels(vertical).Pixels, after.Pixels);

    // A re-created window gets a new skinner with new overlays through the form's request.
    memo->RecreateWnd();
    ASSERT_TRUE(PumpUntil([&] {
        auto* again = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
        return again && again->Vertical()->Shown();
    }));
    PumpFor(30);
    EXPECT_EQ(Overlays(form->Handle()).size(), 2u);
    skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
    vertical = skinner->Vertical()->Handle();
    EXPECT_TRUE(overBar());

    // Skin off: overlays gone, the native bars and frame back.
    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_TRUE(Overlays(form->Handle()).empty());
    EXPECT_NE(SendMessageW(memo->Handle(), SM_ISSKINNED, 0, 0), 1);
    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle()) != nullptr; }));
    EXPECT_EQ(Overlays(form->Handle()).size(), 2u);
}

TEST(SkinScrollbar, AReportListViewGetsItsBarsAndItsColumnHeaderSkinned) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* view = new TListView(form.get());
    view->SetParent(form.get());
    view->SetBounds(10, 10, 220, 150);
    view->SetViewStyle(vsReport);
    for (const char* column : {"Name", "Size", "Kind"}) view->AddColumn(column, 90);
    for (int i = 0; i < 60; ++i) view->AddItem({"Item " + std::to_string(i), std::to_string(i * 10), "File"});
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinListView>(form->Handle(), view->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_TRUE(skinner->Vertical()->Shown());
    EXPECT_TRUE(skinner->Horizontal()->Shown());
    const auto header = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETHEADER, 0, 0));
    auto* headerSkinner = ChildSkinner<TSkinHeader>(form->Handle(), header);
    ASSERT_NE(headerSkinner, nullptr);

    // Each item shows the header image's frame for its state; the rows above the text compared.
    TDataSkinObject& art = *data.Headerbar;
    const auto itemShows = [&](int index, int frame) {
        RECT item{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        const TDecodedBitmap expected = FittedFrame(art, art.Frame, frame, item.right - item.left, item.bottom - item.top);
        return Mismatches(PaintedPixels(header), expected, RECT{item.left, item.top, item.right, item.top + 3},
                          SkinColour(data, ciButtonFace));
    };
    EXPECT_EQ(itemShows(0, hfNormal), 0);
    EXPECT_EQ(itemShows(1, hfNormal), 0);
    RECT second{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    SendMessageW(header, WM_MOUSEMOVE, 0, MAKELPARAM(second.left + 5, second.top + 5));
    EXPECT_EQ(headerSkinner->HotItem(), 1);
    EXPECT_EQ(itemShows(1, hfHot), 0);
    EXPECT_EQ(itemShows(0, hfNormal), 0);
    SendMessageW(header, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(itemShows(1, hfNormal), 0);

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_NE(SendMessageW(header, SM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(itemShows(0, hfNormal), 0);
    EXPECT_TRUE(Overlays(form->Handle()).empty());
}

TEST(SkinScrollbar, ASizeGripMadeInASkinnedWindowTakesTheSkinsBackground) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    TWindowHandle grip(CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 280, 160, 20, 20,
                                       form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(grip);
    ASSERT_NE(ChildSkinner<TSkinSizer>(form->Handle(), grip.get()), nullptr);
    const TDecodedBitmap painted = PaintedPixels(grip.get());
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    for (uint32_t pixel : painted.Pixels) ASSERT_EQ(pixel, face);
    // A scroll bar that takes the focus is a control of its own, not a grip.
    TWindowHandle bar(CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_SIZEGRIP, 250, 160,
                                      20, 20, form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    EXPECT_EQ(ChildSkinner<>(form->Handle(), bar.get()), nullptr);
}

bool NoScrollBarInfo(HWND, LONG, SCROLLBARINFO&) { return false; }

TEST(SkinScrollbar, WithoutScrollBarInformationTheNativeBarShows) {
    TSkinnedProcess skinning;
    const TScrollBarInfoReader saved = SetScrollBarInfoReader(&NoScrollBarInfo);
    struct TRestoreReader {
        TScrollBarInfoReader Reader;
        ~TRestoreReader() { SetScrollBarInfoReader(Reader); }
    } restore{saved};
    auto form = MakeControlForm();
    auto* memo = AddMemo(*form, 10, 10, 200, 120, ssBoth, 100);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
    ASSERT_NE(skinner, nullptr);
    for (HWND overlay : Overlays(form->Handle())) EXPECT_FALSE(IsWindowVisible(overlay));
    memo->SetBounds(20, 20, 200, 120);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND overlay : Overlays(form->Handle())) EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_FALSE(skinner->Vertical()->Shown());
    // The screen shows the native arrow, not the skin's.
    RECT window{};
    GetWindowRect(memo->Handle(), &window);
    const RECT bar = BarInfo(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
    const int arrow = GetSystemMetrics(SM_CXHSCROLL), width = bar.right - bar.left;
    const RECT firstArrow{bar.left - window.left, bar.top - window.top, bar.right - window.left,
                          bar.top - window.top + arrow};
    EXPECT_GT(Mismatches(ScreenPixels(memo->Handle()), Glyph(*skinning.Data, 9, width, arrow), firstArrow,
                         SkinColour(*skinning.Data, ciButtonFace)),
              width * arrow / 4);
    // Information again: the next placement shows the overlays.
    SetScrollBarInfoReader(saved);
    memo->SetBounds(10, 10, 200, 120);
    EXPECT_TRUE(skinner->Vertical()->Shown());
    EXPECT_TRUE(IsWindowVisible(skinner->Vertical()->Handle()));
}

TEST(SkinScrollbar, ManyScrollHoverAndSkinSwitchCyclesLeakNoHandles) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* memo = AddMemo(*form, 10, 10, 200, 150, ssBoth, 300);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ExpectNoHandleLeftAfterCycles(skinning, "scrollbars", [&](int i) {
        if (auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle())) {
            HWND bar = skinner->Vertical()->Handle();
            SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5 + i % 60));
            SendMessageW(bar, WM_MOUSELEAVE, 0, 0);
        }
        SendMessageW(memo->Handle(), WM_VSCROLL, i % 2 ? SB_LINEDOWN : SB_PAGEDOWN, 0);
        if (i % 50 == 0) SendMessageW(memo->Handle(), WM_VSCROLL, SB_TOP, 0);
        // Skinning off and on again halfway between two skin changes.
        if (i % 100 == 49) {
            skinning.Data->SetActive(false);
            PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); });
            skinning.Data->SetActive(true);
            PumpUntil([&] { return ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle()) != nullptr; });
        }
    });
    EXPECT_EQ(Overlays(form->Handle()).size(), 2u);
}

TEST(SkinScrollbar, AContainerMappedToEmbeddedScrollBarsSkinsTheBarsOfItsChildren) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    std::vector<std::string> mapping = data.Skin3rd();
    mapping.insert(mapping.begin(), "TScrollHost=embedscrollbar");
    data.SetSkin3rd(mapping);
    // A host with a pane with bars, a pane without, and a scroll bar control; a pane with bars
    // outside the host.
    const auto fill = [](TForm& form) {
        auto* host = new TScrollHost(&form);
        host->SetParent(&form);
        host->SetBounds(0, 0, 280, 200);
        auto* barred = new TScrollPane(host);
        auto* plain = new TWinControl(host);
        for (auto [child, top] : {std::pair<TWinControl*, int>{barred, 10}, {plain, 120}}) {
            child->SetParent(host);
            child->SetBounds(10, top, 150, 90);
        }
        auto* bar = new TScrollBar(host);
        bar->SetParent(host);
        bar->SetBounds(200, 10, GetSystemMetrics(SM_CXVSCROLL), 170);
        auto* outside = new TScrollPane(&form);
        outside->SetParent(&form);
        outside->SetBounds(285, 10, 30, 100);
        return std::vector<TWinControl*>{host, barred, plain, bar, outside};
    };
    const auto skinnerOf = [](TWinControl* control) {
        return ChildSkinner<>(GetAncestor(control->Handle(), GA_ROOT), control->Handle());
    };
    auto form = MakeControlForm();
    const std::vector<TWinControl*> controls = fill(*form);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    EXPECT_EQ(skinnerOf(controls[0]), nullptr);
    auto* paneSkinner = dynamic_cast<TSkinScrollbar*>(skinnerOf(controls[1]));
    ASSERT_NE(paneSkinner, nullptr);
    EXPECT_TRUE(paneSkinner->Vertical()->Shown());
    EXPECT_TRUE(paneSkinner->Horizontal()->Shown());
    EXPECT_EQ(skinnerOf(controls[2]), nullptr);
    auto* barSkinner = dynamic_cast<TSkinScControl*>(skinnerOf(controls[3]));
    ASSERT_NE(barSkinner, nullptr);
    EXPECT_TRUE(barSkinner->Bar()->Shown());
    EXPECT_EQ(Overlays(controls[0]->Handle()).size(), 3u);
    EXPECT_EQ(skinnerOf(controls[4]), nullptr);

    // Without the scroll-bar gate the mapping skins nothing.
    data.SetSkinControls(data.SkinControls() & ~SkinBit(xcScrollbar));
    auto other = MakeControlForm("Ungated");
    const std::vector<TWinControl*> plain = fill(*other);
    ASSERT_NE(ShowSkinned(other->Handle()), nullptr);
    for (TWinControl* control : plain) EXPECT_EQ(skinnerOf(control), nullptr);
    EXPECT_TRUE(Overlays(plain[0]->Handle()).empty());
}

TEST(SkinScrollbar, AControlSwitchedOffShowsItsOwnBarsUntilSwitchedOnAgain) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* memo = AddMemo(*form, 10, 10, 200, 150, ssBoth, 100);
    auto* bar = AddScrollBar(*form);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinScrollbar>(form->Handle(), memo->Handle());
    auto* barSkinner = ChildSkinner<TSkinScControl>(form->Handle(), bar->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(barSkinner, nullptr);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const uint32_t face = SkinColour(data, ciButtonFace);
    // How far the screen's first arrow of each bar is from the skin's.
    const auto firstArrowMismatches = [&](HWND window, const RECT& barRect) {
        RECT place{};
        GetWindowRect(window, &place);
        const int width = barRect.right - barRect.left;
        const RECT area{barRect.left - place.left, barRect.top - place.top, barRect.right - place.left,
                        barRect.top - place.top + arrow};
        return Mismatches(ScreenPixels(window), Glyph(data, 9, width, arrow), area, face);
    };
    const auto memoArrow = [&] { return firstArrowMismatches(memo->Handle(), BarInfo(memo->Handle(), OBJID_VSCROLL).rcScrollBar); };
    const auto barArrow = [&] {
        RECT r{};
        GetWindowRect(bar->Handle(), &r);
        return firstArrowMismatches(bar->Handle(), r);
    };
    EXPECT_EQ(memoArrow(), 0);
    EXPECT_EQ(barArrow(), 0);

    for (HWND control : {memo->Handle(), bar->Handle()}) SendMessageW(control, SM_SKINENABLE, 0, 0);
    PumpFor(30);
    for (TWScrollbar* overlay : {skinner->Vertical(), skinner->Horizontal(), barSkinner->Bar()})
        EXPECT_FALSE(IsWindowVisible(overlay->Handle()));
    EXPECT_GT(memoArrow(), arrow * arrow / 4);
    EXPECT_GT(barArrow(), arrow * arrow / 4);

    for (HWND control : {memo->Handle(), bar->Handle()}) SendMessageW(control, SM_SKINENABLE, 1, 0);
    PumpFor(30);
    for (TWScrollbar* overlay : {skinner->Vertical(), skinner->Horizontal(), barSkinner->Bar()})
        EXPECT_TRUE(IsWindowVisible(overlay->Handle()));
    const RECT native = BarInfo(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
    RECT placed{};
    GetWindowRect(skinner->Vertical()->Handle(), &placed);
    EXPECT_TRUE(EqualRect(&native, &placed));
    EXPECT_EQ(memoArrow(), 0);
    EXPECT_EQ(barArrow(), 0);
}

}  // namespace
}  // namespace velloran
