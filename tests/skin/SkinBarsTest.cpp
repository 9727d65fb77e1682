// Status bars, progress bars, track bars, headers, group boxes and bare tool-bar windows skinned
// on real windows, with both project skins (one has a two-frame progress image, the other a track
// with chunks): each checked against the frames cut from the skin's own bitmaps.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "framework/ExtCtrls.h"
#include "framework/Gauges.h"
#include "framework/HeaderControls.h"
#include "framework/StatusBars.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinGauges.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinStatusBar.h"
#include "tests/skin/PixelChecks.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr uint32_t kMagenta = 0xFF00FF;

TDecodedBitmap Blank(int width, int height, uint32_t colour) {
    TDecodedBitmap image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width) * height, colour);
    return image;
}

void SetPixel(TDecodedBitmap& image, int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < image.Width && y < image.Height)
        image.Pixels[static_cast<size_t>(y) * image.Width + x] = colour;
}

// `layer` put over `base` at (left, top), its magenta pixels letting the base show.
void Overlay(TDecodedBitmap& base, const TDecodedBitmap& layer, int left, int top) {
    for (int y = 0; y < layer.Height; ++y)
        for (int x = 0; x < layer.Width; ++x)
            if (const uint32_t p = PixelAt(layer, x, y); p != kMagenta) SetPixel(base, left + x, top + y, p);
}

// Pixels inside `area` that differ between the two images, `expected` placed at the area's
// top-left; its magenta pixels are not compared.
int KeyedMismatches(const TDecodedBitmap& actual, const TDecodedBitmap& expected, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t want = PixelAt(expected, x - area.left, y - area.top);
            if (want != kMagenta && PixelAt(actual, x, y) != want) ++count;
        }
    return count;
}

RECT WindowArea(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
}

class SkinBars : public ::testing::TestWithParam<const char*> {};

// ---- progress bars -----------------------------------------------------------------------

// What a horizontal bar length x thickness at p of lo..hi must show, built from the skin's frames.
TDecodedBitmap ExpectedProgress(TSkinData& data, int length, int thickness, int p, int lo, int hi) {
    TDataSkinBorder& art = *data.Progress;
    TDecodedBitmap expected = Blank(length, thickness, SkinColour(data, ciButtonFace));
    Overlay(expected, FittedFrame(art, art.Frame, pfTrack, length, thickness), 0, 0);
    if (p <= 0) return expected;
    if (art.Style == psTrackAndBar) {
        const int filled = length * (p - lo) / (hi - lo);
        Overlay(expected, FittedFrame(art, art.Frame, pfBar, filled, thickness), 0, 0);
        return expected;
    }
    // Chunks repeated from the chunk's left margin + 2 over the length counted from zero.
    const int filled = length * p / hi;
    TDataSkinObject& chunk = *data.ProgressChunk;
    EXPECT_EQ(chunk.Tile, 1) << "the test builds tiled chunks only";
    const TDecodedBitmap image = GetBitmapPixels(*chunk.Bitmap);
    const int left = chunk.LeftWidth + 2, top = (thickness - image.Height) / 2;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < filled; ++x) SetPixel(expected, left + x, top + y, PixelAt(image, x % image.Width, y));
    return expected;
}

TEST_P(SkinBars, ProgressBarsShowTheTrackAndTheFilledPartAsTheStyleCountsIt) {
    TSkinnedProcess skinning(GetParam());
    TSkinData& data = *skinning.Data;
    ASSERT_TRUE(data.Progress && !data.Progress->Bitmap->Empty());
    struct TCase {
        int Lo, Hi, Position;
    };
    const TCase cases[] = {{0, 100, 0}, {10, 20, 15}, {0, 100, 100}, {0, 100, 37}};
    constexpr int kLength = 200, kThickness = 20;
    auto form = MakeControlForm();
    form->SetClientWidth(460);
    form->SetClientHeight(260);
    std::vector<std::pair<TProgressBar*, TProgressBar*>> bars;  // lying, upright
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int at = static_cast<int>(i);
        auto* lying = AddControl<TProgressBar>(*form, "", 10, 10 + at * 30, kLength, kThickness);
        auto* upright = AddControl<TProgressBar>(*form, "", 240 + at * 30, 10, kThickness, kLength);
        upright->SetOrientation(pbVertical);
        for (TProgressBar* bar : {lying, upright}) {
            bar->SetMin(cases[i].Lo);
            bar->SetMax(cases[i].Hi);
            bar->SetPosition(cases[i].Position);
        }
        bars.emplace_back(lying, upright);
    }
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TCase& c = cases[i];
        SCOPED_TRACE(testing::Message() << c.Lo << ".." << c.Hi << " at " << c.Position);
        auto [lying, upright] = bars[i];
        ASSERT_NE(ChildSkinner<TSkinProgress>(form->Handle(), lying->Handle()), nullptr);
        const TDecodedBitmap expected = ExpectedProgress(data, kLength, kThickness, c.Position, c.Lo, c.Hi);
        const TDecodedBitmap painted = PaintedPixels(lying->Handle());
        EXPECT_EQ(Mismatches(painted, expected, RECT{0, 0, kLength, kThickness}, 0), 0);
        // Upright: the same bar turned a quarter to the left, filling from the bottom.
        const TDecodedBitmap standing = PaintedPixels(upright->Handle());
        int turned = 0;
        for (int y = 0; y < kLength; ++y)
            for (int x = 0; x < kThickness; ++x)
                if (PixelAt(standing, x, y) != PixelAt(expected, kLength - 1 - y, x)) ++turned;
        EXPECT_EQ(turned, 0);
    }
    // At 0 only the track: no pixel of the bar's other frame or of a chunk.
    EXPECT_EQ(Mismatches(PaintedPixels(bars[0].first->Handle()), ExpectedProgress(data, kLength, kThickness, 0, 0, 100),
                         RECT{0, 0, kLength, kThickness}, 0),
              0);
    EXPECT_NE(Mismatches(PaintedPixels(bars[3].first->Handle()), ExpectedProgress(data, kLength, kThickness, 0, 0, 100),
                         RECT{0, 0, kLength, kThickness}, 0),
              0);
}

TEST(SkinProgress, TheFilledLengthCountsFromTheLowLimitOnlyInTheBarStyle) {
    const struct {
        TProgressStyle Style;
        int Position, Lo, Hi, Filled;
    } cases[] = {{psTrackAndBar, 15, 10, 20, 100}, {psTrackAndChunks, 15, 10, 20, 150}, {psTrackAndBar, 0, 0, 100, 0},
                 {psTrackAndChunks, 5, 0, 0, 0},   {psTrackAndBar, 5, 5, 5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TSkinProgress::FilledLength(c.Style, 200, c.Position, c.Lo, c.Hi), c.Filled)
            << c.Style << " " << c.Position << " of " << c.Lo << ".." << c.Hi;
}

// ---- status bars -------------------------------------------------------------------------

// The columns inside `area` where the painted bar differs from the edge frame: the text's ink.
std::pair<int, int> InkColumns(const TDecodedBitmap& painted, const TDecodedBitmap& frame, const RECT& area) {
    int first = area.right, last = area.left - 1;
    for (int y = area.top + 3; y < area.bottom - 3; ++y)
        for (int x = area.left + 3; x < area.right - 3; ++x)
            if (PixelAt(painted, x, y) != PixelAt(frame, x - area.left, y - area.top)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST_P(SkinBars, StatusPanelsAreFramedByBevelWithTextByAlignmentAndTheGripAtTheCorner) {
    TSkinnedProcess skinning(GetParam());
    TSkinData& data = *skinning.Data;
    TDataSkinObject& edges = *data.StatusBarEdges;
    auto form = MakeControlForm();
    form->SetClientWidth(480);
    auto* panels = AddControl<TStatusBar>(*form, "", 0, 10, 480, 22);
    struct TPanelCase {
        TStatusPanelBevel Bevel;
        TAlignment Alignment;
        TStatusEdgeFrame Frame;
    };
    const TPanelCase cases[] = {{pbLowered, taLeftJustify, seLowered},
                                {pbRaised, taRightJustify, seRaised},
                                {pbNone, taCenter, seFlat},
                                {pbLowered, taLeftJustify, seLowered}};
    for (const TPanelCase& c : cases) {
        TStatusPanel* panel = panels->AddPanel("Ab", 120);
        panel->SetBevel(c.Bevel);
        panel->SetAlignment(c.Alignment);
    }
    auto* simple = AddControl<TStatusBar>(*form, "", 0, 50, 480, 22);
    simple->SetSimpleText("Simple text");
    simple->SetSizeGrip(false);
    auto* rightToLeft = AddControl<TStatusBar>(*form, "", 0, 90, 480, 22);
    rightToLeft->SetBiDiMode(bdRightToLeft);
    rightToLeft->SetSizeGrip(false);
    rightToLeft->AddPanel("Ab", 240)->SetAlignment(taLeftJustify);
    rightToLeft->AddPanel("Ab", 240)->SetAlignment(taRightJustify);
    auto* drawn = AddControl<TStatusBar>(*form, "", 0, 130, 480, 22);
    drawn->AddPanel("", 200)->SetStyle(psOwnerDraw);
    drawn->OnDrawPanel = [](TStatusBar*, TStatusPanel*, HDC dc, const RECT& r) {
        RECT inner = r;
        InflateRect(&inner, -4, -4);
        TBrushHandle brush(CreateSolidBrush(RGB(0, 200, 100)));
        FillRect(dc, &inner, brush.get());
    };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    for (TStatusBar* bar : {panels, simple, rightToLeft, drawn})
        ASSERT_NE(ChildSkinner<TSkinStatusBar>(form->Handle(), bar->Handle()), nullptr);

    const auto panelRect = [](TStatusBar* bar, int index, int count) {
        RECT r{};
        SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        r.right = index + 1 == count ? WindowArea(bar->Handle()).right : r.right + 2;
        return r;
    };
    // Each panel's frame by its bevel, its text by its alignment.
    const TDecodedBitmap painted = PaintedPixels(panels->Handle());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const RECT r = panelRect(panels, i, 4);
        const TDecodedBitmap frame = FittedFrame(edges, edges.Frame, cases[i].Frame, r.right - r.left, r.bottom - r.top);
        EXPECT_EQ(Mismatches(painted, frame, RECT{r.left, r.top, r.right, r.top + 3}, 0), 0);
        const auto [first, last] = InkColumns(painted, frame, r);
        ASSERT_LE(first, last) << "no text";
        const int middle = (r.left + r.right) / 2;
        if (cases[i].Alignment == taLeftJustify) {
            EXPECT_LT(last, middle);
        } else if (cases[i].Alignment == taRightJustify) {
            EXPECT_GT(first, middle);
        } else {
            EXPECT_TRUE(first < middle && last > middle);
        }
    }
    // The grip: frame 5 of the extra images, 1 pixel in from the bottom-right corner.
    TDataSkinObject& extra = *data.ExtraImages;
    const TDecodedBitmap grip = StripFramePixels(*extra.Bitmap, extra.Frame, kSizeGripFrame);
    const RECT bar = WindowArea(panels->Handle());
    const RECT gripPlace{bar.right - 1 - grip.Width, bar.bottom - 1 - grip.Height, bar.right - 1, bar.bottom - 1};
    EXPECT_EQ(KeyedMismatches(painted, grip, gripPlace), 0);
    EXPECT_NE(KeyedMismatches(PaintedPixels(simple->Handle()), grip, gripPlace), 0) << "a bar without the grip style";

    // Simple mode: one lowered frame over the whole bar, the text at the left.
    const TDecodedBitmap simplePainted = PaintedPixels(simple->Handle());
    const TDecodedBitmap whole = FittedFrame(edges, edges.Frame, seLowered, bar.right, bar.bottom);
    EXPECT_EQ(Mismatches(simplePainted, whole, RECT{0, 0, bar.right, 3}, 0), 0);
    const auto [simpleFirst, simpleLast] = InkColumns(simplePainted, whole, bar);
    EXPECT_LT(simpleFirst, 10);
    EXPECT_LT(simpleLast, bar.right / 2);

    // Right to left: left and right alignment change sides.
    const TDecodedBitmap mirrored = PaintedPixels(rightToLeft->Handle());
    for (int i = 0; i < 2; ++i) {
        const RECT r = panelRect(rightToLeft, i, 2);
        const auto [first, last] = InkColumns(
            mirrored, FittedFrame(edges, edges.Frame, seLowered, r.right - r.left, r.bottom - r.top), r);
        const int middle = (r.left + r.right) / 2;
        if (i == 0) {
            EXPECT_GT(first, middle) << "left-aligned in a right-to-left bar";
        } else {
            EXPECT_LT(last, middle) << "right-aligned in a right-to-left bar";
        }
    }
    // An owner-draw panel: the skin's frame, the owner's drawing over it.
    const TDecodedBitmap owner = PaintedPixels(drawn->Handle());
    const RECT ownerRect = panelRect(drawn, 0, 1);
    EXPECT_EQ(PixelAt(owner, (ownerRect.left + ownerRect.right) / 2, 11), 0x00C864u);
    EXPECT_EQ(Mismatches(owner,
                         FittedFrame(edges, edges.Frame, seLowered, ownerRect.right - ownerRect.left,
                                     ownerRect.bottom - ownerRect.top),
                         RECT{ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.top + 3}, 0),
              0);
}

// A vendor's status bar: the system's bar without panel objects, skinned at the application's
// choice; its panels are read from the window.
class TVendorStatusBar : public TWinControl {
    VELLORAN_CLASS(TVendorStatusBar)
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.SysClassName = STATUSCLASSNAMEA;
        params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    }
};

const TClassInfo& TVendorStatusBar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TVendorStatusBar>("TVendorStatusBar", &TWinControl::StaticClassInfo());
    return info;
}

TEST_P(SkinBars, AStatusBarWithoutPanelObjectsIsReadFromItsWindow) {
    TSkinnedProcess skinning(GetParam());
    TDataSkinObject& edges = *skinning.Data->StatusBarEdges;
    auto form = MakeControlForm();
    auto* bar = AddControl<TVendorStatusBar>(*form, "", 0, 10, 320, 22);
    skinning.Data->OnSkinControl = [bar](TComponent*, TSkinData*, TControl*, TControl* control, const std::string&,
                                         TComponent*& skinner) {
        if (control == bar) skinner = new TSkinStatusBar(control);
    };
    const int edgesAt[] = {100, -1};
    SendMessageW(bar->Handle(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edgesAt));
    SendMessageW(bar->Handle(), SB_SETTEXTW, 0 | SBT_POPOUT, reinterpret_cast<LPARAM>(L"Raised"));
    SendMessageW(bar->Handle(), SB_SETTEXTW, 1 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(L"Flat"));
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinStatusBar>(form->Handle(), bar->Handle()), nullptr);
    const TDecodedBitmap painted = PaintedPixels(bar->Handle());
    const TStatusEdgeFrame frames[] = {seRaised, seFlat};
    for (int i = 0; i < 2; ++i) {
        RECT r{};
        SendMessageW(bar->Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        r.right = i == 1 ? WindowArea(bar->Handle()).right : r.right + 2;
        const TDecodedBitmap frame = FittedFrame(edges, edges.Frame, frames[i], r.right - r.left, r.bottom - r.top);
        EXPECT_EQ(Mismatches(painted, frame, RECT{r.left, r.top, r.right, r.top + 3}, 0), 0) << i;
        const auto [first, last] = InkColumns(painted, frame, r);
        EXPECT_TRUE(first < last && last < (r.left + r.right) / 2) << "left-aligned text in panel " << i;
    }
}

// ---- track bars --------------------------------------------------------------------------

// Pixels of a skinned track bar that miss the skin's thumb (its frame stretched over the thumb)
// or, on a line across the channel away from its ends and the thumb, the middle slice of the
// channel image fitted across the channel: the image's own size when it is thinner than the
// channel, centred, else the channel's, stretched.
struct TTrackBarMisses {
    int Thumb = 0, Channel = 0;
};

TTrackBarMisses TrackBarMismatches(TSkinData& data, HWND bar, bool vertical, const TDecodedBitmap& shown) {
    TTrackBarMisses misses;
    RECT thumb{};
    SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    TDataSkinObject& image = vertical ? *data.ThumbVert : *data.ThumbHorz;
    misses.Thumb = KeyedMismatches(
        shown, GetBitmapPixels(*StretchedFrame(thumb, *image.Bitmap, image.Frame, kThumbFrame)), thumb);
    RECT channel{};
    SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    if (vertical && channel.right - channel.left > channel.bottom - channel.top)
        channel = {channel.top, channel.left, channel.bottom, channel.right};
    TDataSkinObject& track = vertical ? *data.TrackVert : *data.Track;
    TBitmap& trackImage = *track.Bitmap;
    const int across = vertical ? channel.right - channel.left : channel.bottom - channel.top;
    const int imageAcross = vertical ? trackImage.Width() : trackImage.Height();
    const int fitted = std::min(across, imageAcross);
    const int start = (vertical ? channel.left : channel.top) + (across - fitted) / 2;
    TBitmap line;
    line.SetSize(vertical ? fitted : 1, vertical ? 1 : fitted);
    SetStretchBltMode(line.Canvas().Handle(), COLORONCOLOR);
    const int middle = vertical ? trackImage.Height() / 2 : track.LeftWidth;
    StretchBlt(line.Canvas().Handle(), 0, 0, line.Width(), line.Height(), trackImage.Canvas().Handle(),
               vertical ? 0 : middle, vertical ? middle : 0, vertical ? imageAcross : 1, vertical ? 1 : imageAcross,
               SRCCOPY);
    const TDecodedBitmap expectedLine = GetBitmapPixels(line);
    const int along = vertical ? channel.bottom - track.BottomHeight - 3 : channel.left + track.LeftWidth + 2;
    EXPECT_TRUE(vertical ? along > thumb.bottom : along < thumb.left) << "the line crosses the thumb";
    for (int i = 0; i < fitted; ++i) {
        const uint32_t at = vertical ? PixelAt(shown, start + i, along) : PixelAt(shown, along, start + i);
        const uint32_t want = vertical ? PixelAt(expectedLine, i, 0) : PixelAt(expectedLine, 0, i);
        // The key colour lets the control's own background show.
        if (want != kMagenta ? at != want : at == kMagenta) ++misses.Channel;
    }
    return misses;
}

TEST_P(SkinBars, TrackBarsTakeThumbAndChannelFromTheSkinOrAPlainThumbWithoutImages) {
    TSkinnedProcess skinning(GetParam());
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* lying = AddControl<TTrackBar>(*form, "", 10, 10, 200, 32);
    auto* upright = AddControl<TTrackBar>(*form, "", 240, 10, 40, 160);
    upright->SetOrientation(trVertical);
    for (TTrackBar* bar : {lying, upright}) bar->SetPosition(4);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    for (TTrackBar* bar : {lying, upright}) {
        SCOPED_TRACE(bar == lying ? "horizontal" : "vertical");
        ASSERT_NE(ChildSkinner<TSkinTrackBar>(form->Handle(), bar->Handle()), nullptr);
        EXPECT_TRUE(bar->Transparent());
        const TTrackBarMisses misses =
            TrackBarMismatches(data, bar->Handle(), bar == upright, PaintedPixels(bar->Handle()));
        EXPECT_EQ(misses.Thumb, 0);
        EXPECT_EQ(misses.Channel, 0);
    }
    // A skin without thumb images: a face-coloured thumb framed in the border colour.
    data.ThumbHorz->Bitmap = std::make_unique<TBitmap>();
    RECT thumb{};
    SendMessageW(lying->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TDecodedBitmap plain = PaintedPixels(lying->Handle());
    EXPECT_EQ(PixelAt(plain, thumb.left, (thumb.top + thumb.bottom) / 2), SkinColour(data, ciButtonShadow));
    EXPECT_EQ(PixelAt(plain, thumb.right - 1, thumb.top), SkinColour(data, ciButtonShadow));
    EXPECT_EQ(PixelAt(plain, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              SkinColour(data, ciButtonFace));
}

// A skin switch repaints the track bars in the new skin. On the active form the bar is lent the
// focus on the way, which goes back where it was; a form in the background keeps its focus.
TEST_P(SkinBars, ASkinSwitchRepaintsTrackBarsAndLeavesTheFocusWhereItWas) {
    TSkinnedProcess skinning(GetParam());
    const std::string other = std::string(GetParam()) == "Default" ? "Contrast" : "Default";
    auto form = MakeControlForm();
    auto* edit = AddControl<TEdit>(*form, "", 10, 170, 100, 21);
    auto* lying = AddControl<TTrackBar>(*form, "", 10, 10, 200, 32);
    auto* upright = AddControl<TTrackBar>(*form, "", 240, 10, 40, 160);
    upright->SetOrientation(trVertical);
    int entered = 0;
    for (TTrackBar* bar : {lying, upright}) {
        bar->SetPosition(4);
        bar->OnEnter = [&entered](TObject*) { ++entered; };
    }
    auto front = MakeControlForm("Front");
    front->SetLeft(480);
    auto* frontEdit = AddControl<TEdit>(*front, "", 10, 10, 100, 21);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);

    struct TCase {
        const char* Name;
        bool FormActive;
        std::string Skin;
    };
    const TCase cases[] = {{"active form", true, other}, {"form behind another", false, GetParam()}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (!c.FormActive) {
            ASSERT_NE(ShowSkinned(front->Handle()), nullptr);
        }
        HWND const focused = (c.FormActive ? edit : frontEdit)->Handle();
        // The activation's own moves of the focus settle first.
        ASSERT_TRUE(PumpUntil([&] {
            SetFocus(focused);
            return GetFocus() == focused;
        })) << "focus " << GetFocus() << ", active window " << GetActiveWindow();
        PumpFor(50);
        ASSERT_EQ(GetActiveWindow(), c.FormActive ? form->Handle() : front->Handle());
        ASSERT_EQ(GetFocus(), focused);
        const auto before = LoadProjectSkin(c.Skin == other ? std::string(GetParam()) : other);
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-trackbar-switch.skn";
        WriteProjectSkin(c.Skin, file);
        entered = 0;
        int changed = 0;
        skinning.Data->OnSkinChanged = [&changed](TObject*) { ++changed; };
        skinning.Data->SetSkinFile(file.string());
        ASSERT_TRUE(PumpUntil([&] { return changed > 0; }));
        skinning.Data->OnSkinChanged = nullptr;
        std::filesystem::remove(file);
        PumpFor(50);

        EXPECT_EQ(GetFocus(), focused);
        EXPECT_EQ(entered, c.FormActive ? 2 : 0);
        SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        PumpFor(50);
        for (TTrackBar* bar : {lying, upright}) {
            SCOPED_TRACE(bar == lying ? "horizontal" : "vertical");
            const TDecodedBitmap shown = ScreenPixels(bar->Handle());
            const TTrackBarMisses now = TrackBarMismatches(*skinning.Data, bar->Handle(), bar == upright, shown);
            EXPECT_EQ(now.Thumb, 0);
            EXPECT_EQ(now.Channel, 0);
            // The skins' thumbs differ, so the old one would have been seen.
            EXPECT_GT(TrackBarMismatches(*before, bar->Handle(), bar == upright, shown).Thumb, 0);
        }
    }
}

TEST_P(SkinBars, XInputDragsATrackBarsThumbAndLightsAHeaderItem) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* track = AddControl<TTrackBar>(*form, "", 10, 10, 220, 32);
    track->SetMax(20);
    int changes = 0;
    track->OnChange = [&changes](TObject*) { ++changes; };
    auto* header = AddControl<THeaderControl>(*form, "", 10, 80, 300, 22);
    for (const char* title : {"Name", "Size", "Kind"}) header->AddSection(title, 100);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* headerSkinner = ChildSkinner<TSkinHeader>(form->Handle(), header->Handle());
    ASSERT_NE(headerSkinner, nullptr);
    ASSERT_NE(ChildSkinner<TSkinTrackBar>(form->Handle(), track->Handle()), nullptr);
    const auto onScreen = [](HWND wnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(wnd, &p);
        return p;
    };
    ASSERT_TRUE(XMoveTo(onScreen(form->Handle(), 300, 190)));

    // The thumb carried 100 pixels to the right: the position follows and the change is told.
    RECT thumb{};
    SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const POINT grab = onScreen(track->Handle(), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    ASSERT_TRUE(XDrag(grab, {grab.x + 100, grab.y}));
    EXPECT_TRUE(PumpUntil([&] { return track->Position() >= 8; }, 2000)) << track->Position();
    EXPECT_GT(changes, 0);
    // The skin's thumb is drawn where the thumb now is.
    SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    TDataSkinObject& image = *skinning.Data->ThumbHorz;
    PumpFor(50);
    EXPECT_EQ(KeyedMismatches(ScreenPixels(track->Handle()),
                              GetBitmapPixels(*StretchedFrame(thumb, *image.Bitmap, image.Frame, kThumbFrame)), thumb),
              0);

    // The header item under the pointer is hot, in the header image's second frame; leaving it
    // turns it back.
    RECT second{};
    SendMessageW(header->Handle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    ASSERT_TRUE(XMoveTo(onScreen(header->Handle(), second.left + 20, second.top + 5)));
    EXPECT_TRUE(PumpUntil([&] { return headerSkinner->HotItem() == 1; }, 2000));
    TDataSkinObject& art = *skinning.Data->Headerbar;
    PumpFor(50);
    const auto secondShows = [&](int frame) {
        return Mismatches(ScreenPixels(header->Handle()),
                          FittedFrame(art, art.Frame, frame, second.right - second.left, second.bottom - second.top),
                          RECT{second.left, second.top, second.right, second.top + 3}, 0);
    };
    EXPECT_EQ(secondShows(hfHot), 0);
    ASSERT_TRUE(XMoveTo(onScreen(form->Handle(), 300, 190)));
    EXPECT_TRUE(PumpUntil([&] { return headerSkinner->HotItem() == -1; }, 2000));
    PumpFor(50);
    EXPECT_EQ(secondShows(hfNormal), 0);
}

// ---- group boxes, bare tool bars, and skin off ------------------------------------------

TEST_P(SkinBars, EveryFamilyIsGivenBackWhenSkinningGoesOff) {
    TSkinnedProcess skinning(GetParam());
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    form->SetClientWidth(420);
    form->SetClientHeight(260);
    auto* status = AddControl<TStatusBar>(*form, "", 0, 230, 420, 22);
    status->SetSimpleText("Ready");
    auto* progress = AddControl<TProgressBar>(*form, "", 10, 10, 200, 18);
    progress->SetPosition(50);
    auto* track = AddControl<TTrackBar>(*form, "", 10, 40, 200, 32);
    auto* header = AddControl<THeaderControl>(*form, "", 10, 80, 200, 22);
    header->AddSection("Name", 100);
    auto* titled = AddControl<TGroupBox>(*form, "Group", 220, 10, 180, 90);
    auto* bare = AddControl<TGroupBox>(*form, "", 220, 110, 180, 90);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinStatusBar>(form->Handle(), status->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinProgress>(form->Handle(), progress->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinTrackBar>(form->Handle(), track->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinHeader>(form->Handle(), header->Handle()), nullptr);

    // A plain group box with or without a caption: the rounded frame from half the digit height.
    const int lineTop = GroupFrameLine(*titled);
    const uint32_t border = SkinColour(data, ciButtonShadow);
    for (TGroupBox* box : {titled, bare}) {
        ASSERT_NE(ChildSkinner<TSkinGroupBox>(form->Handle(), box->Handle()), nullptr);
        ExpectPixels(PaintedPixels(box->Handle()),
                     {{120, lineTop, border}, {1, 50, border}, {120, lineTop - 1, SkinColour(data, ciButtonFace)}});
    }

    const TDecodedBitmap skinnedProgress = PaintedPixels(progress->Handle());
    const TDecodedBitmap skinnedStatus = PaintedPixels(status->Handle());
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    for (TWinControl* control : std::initializer_list<TWinControl*>{status, progress, track, header, titled, bare})
        EXPECT_NE(SendMessageW(control->Handle(), SM_ISSKINNED, 0, 0), 1) << control->ClassName();
    EXPECT_FALSE(track->Transparent());
    const RECT progressArea = WindowArea(progress->Handle());
    EXPECT_NE(Mismatches(PaintedPixels(progress->Handle()), skinnedProgress, progressArea, 0), 0);
    EXPECT_NE(Mismatches(PaintedPixels(status->Handle()), skinnedStatus, WindowArea(status->Handle()), 0), 0);
    data.SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return ChildSkinner<TSkinProgress>(form->Handle(), progress->Handle()) != nullptr; }));
    EXPECT_EQ(Mismatches(PaintedPixels(progress->Handle()), skinnedProgress, progressArea, 0), 0);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_P(SkinBars, ABareDialogsToolBarWindowIsErasedInTheFaceColour) {
    TSkinnedProcess skinning(GetParam());
    const HWND dialog = CreateTemplateDialog(
        {{L"ToolbarWindow32", L"", CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 101, 5, 5, 150, 20},
         {L"STATIC", L"Label", SS_LEFT, 102, 5, 40, 80, 10}},
        PlainDialogProc);
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(ShowSkinned(dialog), nullptr);
    const HWND toolbar = GetDlgItem(dialog, 101);
    ASSERT_NE(ChildSkinner<TSkinBoxH>(dialog, toolbar), nullptr);
    const TDecodedBitmap erased = WindowSizedPixels(toolbar, [toolbar](HDC dc, HDC) {
        SendMessageW(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    });
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    EXPECT_EQ(PixelAt(erased, 2, 2), face);
    EXPECT_EQ(PixelAt(erased, erased.Width - 1, erased.Height - 1), face);
    DestroyWindow(dialog);
}

TEST(SkinBarsCycles, GdiAndUserCountsComeBackAfterAThousandPaintsWithSkinSwitches) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* status = AddControl<TStatusBar>(*form, "", 0, 170, 320, 22);
    status->AddPanel("One", 100);
    status->AddPanel("", 100)->SetStyle(psOwnerDraw);
    auto* progress = AddControl<TProgressBar>(*form, "", 10, 10, 200, 18);
    auto* upright = AddControl<TProgressBar>(*form, "", 280, 10, 18, 120);
    upright->SetOrientation(pbVertical);
    auto* track = AddControl<TTrackBar>(*form, "", 10, 40, 200, 32);
    auto* header = AddControl<THeaderControl>(*form, "", 10, 80, 200, 22);
    header->AddSection("Name", 100);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ExpectNoHandleLeftAfterCycles(skinning, "bars", [&](int i) {
        progress->SetPosition(i % 101);
        upright->SetPosition((i * 7) % 101);
        track->SetPosition(i % 11);
        status->Panels(0)->SetText(std::to_string(i));
        SendMessageW(header->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10 + i % 150, 5));
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinBars, ::testing::Values("Default", "Contrast"));

}  // namespace
}  // namespace velloran
