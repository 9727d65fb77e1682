// Buttons with glyphs: where glyph and caption go, which frame of a glyph strip each state
// shows, speed buttons held down by their group, and a vendor's self-drawn button.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Buttons.h"
#include "framework/vendor/AcmeControls.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

TEST(ButtonLayout, GlyphAndCaptionShareTheFreeSpaceAsMarginAndSpacingSay) {
    struct TCase {
        SIZE Client, Glyph, Text;
        TButtonLayout Layout;
        int Margin, Spacing;
        POINT GlyphAt, TextAt;
    };
    const TCase cases[] = {
        // (100 - 16 - 40) div 3 = 14 for both; across the axis each is centred.
        {{100, 24}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1, {14, 4}, {44, 6}},
        {{100, 24}, {16, 16}, {40, 13}, blGlyphRight, -1, -1, {70, 4}, {16, 6}},
        {{100, 24}, {16, 16}, {40, 13}, blGlyphLeft, 4, -1, {4, 4}, {40, 6}},
        {{100, 24}, {16, 16}, {40, 13}, blGlyphLeft, -1, 4, {20, 4}, {40, 6}},
        {{60, 60}, {16, 16}, {30, 13}, blGlyphTop, -1, -1, {22, 10}, {15, 36}},
        {{60, 60}, {16, 16}, {30, 13}, blGlyphBottom, -1, -1, {22, 34}, {15, 11}},
        // Without a caption the spacing counts for nothing: the glyph is centred.
        {{100, 24}, {16, 16}, {0, 0}, blGlyphLeft, -1, 4, {42, 4}, {58, 12}},
    };
    for (const TCase& c : cases) {
        const TButtonPlacement p = PlaceGlyphAndText(c.Client, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing);
        EXPECT_EQ(p.Glyph.x, c.GlyphAt.x) << "layout " << c.Layout << " margin " << c.Margin;
        EXPECT_EQ(p.Glyph.y, c.GlyphAt.y) << "layout " << c.Layout << " margin " << c.Margin;
        EXPECT_EQ(p.Text.x, c.TextAt.x) << "layout " << c.Layout << " margin " << c.Margin;
        EXPECT_EQ(p.Text.y, c.TextAt.y) << "layout " << c.Layout << " margin " << c.Margin;
    }
}

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kFrameColors[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255), RGB(255, 255, 0)};

// Four 8 x 8 frames, each a solid square of its colour in a border of the transparent colour.
void DrawFrames(TBitmap& strip, int count) {
    strip.SetSize(8 * count, 8);
    HDC dc = strip.Canvas().Handle();
    for (int frame = 0; frame < count; ++frame) {
        TBrushHandle key(CreateSolidBrush(kKey)), fill(CreateSolidBrush(kFrameColors[frame]));
        RECT r{frame * 8, 0, frame * 8 + 8, 8};
        FillRect(dc, &r, key.get());
        InflateRect(&r, -1, -1);
        FillRect(dc, &r, fill.get());
    }
}

TEST(ButtonGlyph, EachStateShowsItsFrameAsFarAsTheStripHasOne) {
    // Frames for up, disabled, down, exclusive; 0 is the first frame embossed.
    const int expected[4][4] = {{1, 0, 1, 1}, {1, 2, 1, 1}, {1, 2, 3, 1}, {1, 2, 3, 4}};
    TButtonGlyph glyph;
    for (int n = 1; n <= 4; ++n) {
        glyph.SetNumGlyphs(n);
        for (int s = bsUp; s <= bsExclusive; ++s)
            EXPECT_EQ(glyph.FrameFor(static_cast<TButtonState>(s)), expected[n - 1][s]) << n << " glyphs, state " << s;
    }

    // On screen: a 40 x 30 bit button without caption centres its 8 x 8 glyph at (16, 11).
    auto form = MakePaintForm(200, 100, clBtnFace);
    auto* button = AddControl<TBitBtn>(*form, 10, 10, 40, 30);
    DrawFrames(*button->Glyph(), 4);
    form->Show();
    const auto centre = [&](int dx = 0) {
        RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return ScreenPixel(button->Handle(), 20 + dx, 15);
    };
    button->SetNumGlyphs(4);
    EXPECT_EQ(centre(), kFrameColors[0]);
    SendMessageA(button->Handle(), BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(centre(1), kFrameColors[2]);  // down, and one pixel further
    SendMessageA(button->Handle(), BM_SETSTATE, FALSE, 0);
    button->SetEnabled(false);
    EXPECT_EQ(centre(), kFrameColors[1]);
    // One frame only: disabled is the shape embossed, shadow over highlight.
    DrawFrames(*button->Glyph(), 1);
    button->SetNumGlyphs(1);
    EXPECT_EQ(centre(), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(button->Handle(), 23, 15), GetSysColor(COLOR_BTNHIGHLIGHT));

    // Without a bitmap the image list gives the picture, DisabledIndex when disabled.
    auto* images = new TImageList(form.get());
    images->SetSize(8, 8);
    for (int frame : {2, 3}) {
        TBitmap single;
        single.SetSize(8, 8);
        TBrushHandle fill(CreateSolidBrush(kFrameColors[frame]));
        RECT r{0, 0, 8, 8};
        FillRect(single.Canvas().Handle(), &r, fill.get());
        images->Add(single, nullptr);
    }
    button->Glyph()->SetSize(0, 0);
    button->SetImages(images);
    button->SetImageIndex(0);
    button->SetDisabledIndex(1);
    EXPECT_EQ(centre(), kFrameColors[3]);
    button->SetEnabled(true);
    EXPECT_EQ(centre(), kFrameColors[2]);
}

// Left-button press and release at points of a window's client area.
void Press(TWinControl& target, POINT p) {
    SendMessageA(target.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}
void Release(TWinControl& target, POINT p) { SendMessageA(target.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
void Click(TWinControl& target, POINT p) {
    Press(target, p);
    Release(target, p);
}

TEST(SpeedButtons, AGroupKeepsOneDownAndAllowAllUpLetsItComeUp) {
    auto form = MakeForm(200, 100);
    auto* a = AddControl<TSpeedButton>(*form, 10, 10, 23, 22);
    auto* b = AddControl<TSpeedButton>(*form, 40, 10, 23, 22);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    std::vector<TObject*> clicks;
    for (TSpeedButton* s : {a, b}) s->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    form->Show();

    Click(*form, {15, 15});
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), bsExclusive);
    Click(*form, {45, 15});
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), bsUp);
    Click(*form, {45, 15});  // the last one down stays down, but the click counts
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, (std::vector<TObject*>{a, b, b}));

    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    Click(*form, {45, 15});
    EXPECT_FALSE(a->Down());
    EXPECT_FALSE(b->Down());
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
}

TEST(SpeedButtons, APressLeftBeforeTheReleaseIsNoClickAndAFlatOneShowsItsFrameOnlyWhenHot) {
    auto form = MakePaintForm(200, 100, clBlue);
    auto* plain = AddControl<TSpeedButton>(*form, 10, 10, 23, 22);
    auto* other = AddControl<TSpeedButton>(*form, 40, 10, 23, 22);
    int clicks = 0;
    plain->OnClick = [&](TObject*) { ++clicks; };
    other->OnClick = [&](TObject*) { ++clicks; };
    form->Show();

    Press(*form, {15, 15});
    EXPECT_EQ(plain->State(), bsDown);
    SendMessageA(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(45, 15));
    EXPECT_EQ(plain->State(), bsUp);
    Release(*form, {45, 15});  // over the other button, which never saw the press
    EXPECT_EQ(clicks, 0);
    Click(*form, {15, 15});
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(plain->Down());  // no group: never held down

    plain->SetFlat(true);
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenPixel(form->Handle(), 10, 10), RGB(0, 0, 255));
    plain->Perform(CM_MOUSEENTER);
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenPixel(form->Handle(), 10, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    plain->Perform(CM_MOUSELEAVE);
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenPixel(form->Handle(), 10, 10), RGB(0, 0, 255));
}

TEST(VendorButton, ClicksOnAReleaseOverItAndOnSpace) {
    auto form = MakeForm(200, 100);
    auto* button = AddControl<TAcmeButton>(*form, 10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    HWND wnd = button->Handle();

    Click(*button, {5, 5});
    EXPECT_EQ(clicks, 1);
    Press(*button, {5, 5});
    EXPECT_TRUE(button->Pressed());
    SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 5));
    EXPECT_FALSE(button->Pressed());
    Release(*button, {100, 5});
    EXPECT_EQ(clicks, 1);

    SendMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->Pressed());
    SendMessageA(wnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace velloran
