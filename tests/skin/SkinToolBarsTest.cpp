// Tool bars and cool bars on a skinned form: a tool bar turns flat, its hot and pressed buttons
// show the skin's button frames, its drop-down menu's items are painted by the skin; a cool
// bar's bands take the skin's face colour. Skin off gives each its own back.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CoolBars.h"
#include "framework/Menus.h"
#include "framework/ToolBars.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/form/MenuItemPaint.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

// The strip of the skin's button image that tool bar buttons are cut from.
constexpr int kToolButtonFrames = 5;
enum TToolFrame { tfPressed = 2, tfHot = 4 };

struct TBarsScene {
    explicit TBarsScene(const char* skin) : Skinning(skin), Form(MakeControlForm()) {
        Bar = new TToolBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(0, 0, 320, 30);
        Bar->AddButton("Open");
        Bar->AddButton("Save");
        Menu = new TPopupMenu(Form.get());
        for (const char* caption : {"Recent", "Pinned"}) {
            auto* item = new TMenuItem(Form.get());
            item->SetCaption(caption);
            Menu->Items()->Add(item);
        }
        Bar->AddButton("More", tbsDropDown)->SetDropdownMenu(Menu);
        Cool = new TCoolBar(Form.get());
        Cool->SetParent(Form.get());
        Cool->SetBounds(0, 60, 320, 60);
        Cool->AddBand({"First", nullptr, 150, 24, clAqua, false});
        Cool->AddBand({"Second", nullptr, 150, 24, clAqua, true});
    }

    TSkinnedProcess Skinning;
    TOwned<TForm> Form;
    TToolBar* Bar = nullptr;
    TPopupMenu* Menu = nullptr;
    TCoolBar* Cool = nullptr;
};

bool ItemOwnerDrawn(HMENU menu, int index) {
    MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
    return GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

// A point of the band right of its caption, where nothing but its colour shows.
POINT BandPoint(TCoolBar& bar, int band) {
    const RECT r = bar.BandRect(band);
    return POINT{r.right - 10, (r.top + r.bottom) / 2};
}

// What the bar shows when it erases and then paints itself into a DC of its own.
TDecodedBitmap ErasedAndPainted(HWND wnd) {
    return WindowSizedPixels(wnd, [wnd](HDC dc, HDC) {
        SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageW(wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    });
}

class SkinToolBars : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinToolBars, BarsAreSkinnedWhileTheSkinIsOnAndGetTheirOwnBackAfter) {
    TBarsScene scene(GetParam());
    const HWND coolWindow = scene.Cool->Handle();
    const POINT second = BandPoint(*scene.Cool, 1);
    const uint32_t unskinnedBand = PixelAt(ErasedAndPainted(coolWindow), second.x, second.y);
    EXPECT_EQ(unskinnedBand, Rgb(ColorToRGB(clAqua)));
    ASSERT_NE(ShowSkinned(scene.Form->Handle()), nullptr);
    TSkinData& skin = *scene.Skinning.Data;
    ASSERT_NE(ChildSkinner<TSkinToolBarBox>(scene.Form->Handle(), scene.Bar->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinCoolBarBands>(scene.Form->Handle(), scene.Cool->Handle()), nullptr);
    EXPECT_TRUE(scene.Bar->Flat());
    EXPECT_TRUE(scene.Bar->OnCustomDraw && scene.Bar->OnCustomDrawButton);
    const TColor skinText = static_cast<TColor>(skin.Colors[ciButtonText]);
    EXPECT_EQ(ColorToRGB(scene.Bar->Font()->Color()), ColorToRGB(skinText));

    // Hot and pressed buttons show their frames of the button strip, one pixel in from the
    // button's edges, over the bar's own background; the caption in the middle is left out of
    // the comparison.
    TDataSkinButton& art = skin.Button;
    const uint32_t face = SkinColour(skin, ciButtonFace);
    const uint32_t barBackground = PixelAt(ErasedAndPainted(scene.Bar->Handle()), 315, 2);
    const auto mismatches = [&](int index, int frame) {
        RECT r = scene.Bar->ButtonRect(index);
        InflateRect(&r, -1, -1);
        const RECT caption{r.left + 4, r.top + 3, r.right - 4, r.bottom - 3};
        return Mismatches(ErasedAndPainted(scene.Bar->Handle()),
                          FittedFrame(art, kToolButtonFrames, frame, r.right - r.left, r.bottom - r.top), r,
                          barBackground, caption);
    };
    struct TCase {
        const char* Name;
        UINT Message;
        int Frame;
    };
    for (const TCase& c : {TCase{"hot", TB_SETHOTITEM, tfHot}, TCase{"pressed", TB_PRESSBUTTON, tfPressed}}) {
        SCOPED_TRACE(c.Name);
        if (c.Message == TB_SETHOTITEM)
            SendMessageW(scene.Bar->Handle(), TB_SETHOTITEM, 0, 0);
        else
            SendMessageW(scene.Bar->Handle(), TB_PRESSBUTTON, 100, TRUE);
        EXPECT_EQ(mismatches(0, c.Frame), 0);
        SendMessageW(scene.Bar->Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
        SendMessageW(scene.Bar->Handle(), TB_PRESSBUTTON, 100, FALSE);
    }

    // The drop-down's menu is owner-drawn by the skin's item painter.
    ASSERT_TRUE(scene.Menu->OwnerDraw());
    const HMENU menu = scene.Menu->Handle();
    EXPECT_TRUE(ItemOwnerDrawn(menu, 0) && ItemOwnerDrawn(menu, 1));
    TMenuItem& recent = *scene.Menu->Items()->Items(0);
    const RECT itemRect{0, 0, 120, 20};
    const auto drawn = [&](const std::function<void(HDC)>& draw) {
        TBitmap canvas;
        canvas.SetSize(120, 20);
        draw(canvas.Canvas().Handle());
        return GetBitmapPixels(canvas);
    };
    const TDecodedBitmap byItem = drawn([&](HDC dc) { recent.DrawItem(dc, itemRect, true); });
    const TDecodedBitmap bySkin = drawn([&](HDC dc) { DrawMenuItem(skin, dc, recent, itemRect, true); });
    EXPECT_EQ(Mismatches(byItem, bySkin, itemRect, face), 0);

    // The bands take the face colour.
    for (int band = 0; band < 2; ++band) {
        const POINT p = BandPoint(*scene.Cool, band);
        EXPECT_EQ(scene.Cool->Bands(band).Color, static_cast<TColor>(ColorToRGB(static_cast<TColor>(skin.Colors[ciButtonFace]))));
        EXPECT_EQ(ColorToRGB(scene.Cool->Bands(band).TextColor), ColorToRGB(skinText));
        EXPECT_EQ(PixelAt(ErasedAndPainted(scene.Cool->Handle()), p.x, p.y), face);
    }

    skin.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return scene.Skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(scene.Bar->Flat());
    EXPECT_FALSE(scene.Bar->OnCustomDraw || scene.Bar->OnCustomDrawButton);
    EXPECT_FALSE(scene.Menu->OwnerDraw());
    EXPECT_FALSE(ItemOwnerDrawn(scene.Menu->Handle(), 0));
    EXPECT_FALSE(recent.OnDrawItem);
    EXPECT_EQ(scene.Cool->Bands(1).Color, clAqua);
    EXPECT_EQ(scene.Cool->Bands(1).TextColor, clBtnText);
    EXPECT_EQ(scene.Bar->Font()->Color(), clWindowText);
    EXPECT_EQ(PixelAt(ErasedAndPainted(coolWindow), second.x, second.y), unskinnedBand);
}

TEST_P(SkinToolBars, HandlersOfTheBarsOwnAreKeptAsideAndGivenBack) {
    TBarsScene scene(GetParam());
    int ownDraws = 0;
    scene.Bar->OnCustomDraw = [&ownDraws](TToolBar*, const RECT&, bool&) { ++ownDraws; };
    scene.Menu->SetOwnerDraw(true);
    scene.Bar->SetFlat(true);
    ASSERT_NE(ShowSkinned(scene.Form->Handle()), nullptr);
    ErasedAndPainted(scene.Bar->Handle());
    EXPECT_EQ(ownDraws, 0);

    scene.Skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return scene.Skinning.Manager().FormSkinners().empty(); }));
    ErasedAndPainted(scene.Bar->Handle());
    EXPECT_GT(ownDraws, 0);
    // The form's popup menus are taken back whole by the form itself, after the bar has put back
    // what it lent.
    EXPECT_FALSE(scene.Menu->OwnerDraw());
    EXPECT_TRUE(scene.Bar->Flat());
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinToolBars, ::testing::Values("Default", "Contrast"));

}  // namespace
}  // namespace velloran
