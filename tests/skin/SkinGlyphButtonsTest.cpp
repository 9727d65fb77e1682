// Bit and speed buttons skinned: each state shows its frame of the skin's button image on both
// project skins, the glyph shows the strip frame of the state where the layout puts it, a flat
// speed button shows only the background while idle, and a press that leaves gives no click; an
// outside vendor's button mapped as "pngbitbtn" shows the picture of its PngImage property.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Buttons.h"
#include "framework/vendor/AcmeControls.h"
#include "skin/controls/SkinButtons.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr int kWidth = 100;
constexpr int kHeight = 28;
constexpr int kGlyph = 16;
// The glyph strip's frames (up, disabled, pressed, held down); its bottom-left pixel is the key.
constexpr COLORREF kGlyphColours[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
constexpr COLORREF kGlyphKey = RGB(0, 128, 128);

void FillGlyphStrip(TBitmap& glyph) {
    glyph.SetSize(kGlyph * 4, kGlyph);
    const HDC dc = glyph.Canvas().Handle();
    for (int frame = 0; frame < 4; ++frame) {
        TBrushHandle brush(CreateSolidBrush(kGlyphColours[frame]));
        const RECT r{frame * kGlyph, 0, (frame + 1) * kGlyph, kGlyph};
        FillRect(dc, &r, brush.get());
    }
    SetPixel(dc, 0, kGlyph - 1, kGlyphKey);
}

// The leftmost column of the painted picture showing colour; -1 when it shows nowhere.
int ColumnOf(const TDecodedBitmap& pixels, COLORREF colour) {
    for (int x = 0; x < pixels.Width; ++x)
        for (int y = 0; y < pixels.Height; ++y)
            if (PixelAt(pixels, x, y) == Rgb(colour)) return x;
    return -1;
}

TDecodedBitmap SpeedButtonPixels(TSpeedButton& button) {
    TBitmap out;
    out.SetSize(button.Width(), button.Height());
    button.PaintTo(out.Canvas().Handle());
    return GetBitmapPixels(out);
}

class SkinGlyphButtons : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinGlyphButtons, ABitButtonShowsItsStateFrameAndTheGlyphFrameOfTheState) {
    TSkinnedProcess skinning(GetParam());
    // Without a caption the focus rectangle would cross the glyph and change its colours.
    skinning.Data->SetOptions(skinning.Data->Options() | SkinBit(xoNoFocusRect));
    auto form = MakeControlForm();
    auto* button = AddControl<TBitBtn>(*form, "", 10, 10, kWidth, kHeight);
    FillGlyphStrip(*button->Glyph());
    button->SetNumGlyphs(4);
    auto* other = AddControl<TButton>(*form, "Other", 10, 60, 90, kHeight);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinBitButton>(form->Handle(), button->Handle()), nullptr);
    SetFocus(other->Handle());

    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    // Without a caption the glyph stands centred: spacing 0, the margin half the free space.
    const int glyphLeft = (kWidth - kGlyph + 1) / 2;
    const RECT glyphArea{glyphLeft - 1, 0, glyphLeft + kGlyph + 2, kHeight};
    const struct {
        const char* State;
        std::function<void()> Enter;
        TButtonFrame Frame;
        int GlyphFrame;  // 0: embossed
    } states[] = {
        {"normal", [] {}, bfNormal, 1},
        {"hot", [&] { SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }, bfHot, 1},
        {"pressed", [&] { SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); },
         bfPressed, 3},
        {"left", [&] { SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0); }, bfFocused, 1},
        {"disabled", [&] { button->SetEnabled(false); }, bfDisabled, 0},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.State);
        state.Enter();
        const TDecodedBitmap pixels = PaintedPixels(button->Handle());
        EXPECT_EQ(Mismatches(pixels, FittedFrame(art, art.Frame, state.Frame, kWidth, kHeight),
                             RECT{0, 0, kWidth, kHeight}, face, glyphArea),
                  0);
        for (int frame = 1; frame <= 4; ++frame) {
            EXPECT_EQ(ColumnOf(pixels, kGlyphColours[frame - 1]), frame == state.GlyphFrame ? glyphLeft : -1)
                << "glyph frame " << frame;
        }
        if (state.GlyphFrame == 0) {
            EXPECT_EQ(PixelAt(pixels, glyphLeft + kGlyph / 2, kHeight / 2), Rgb(GetSysColor(COLOR_BTNSHADOW)));
        }
    }
}

TEST_P(SkinGlyphButtons, AVendorsButtonMappedAsPngbitbtnShowsItsPngImage) {
    TSkinnedProcess skinning(GetParam());
    skinning.Data->SetOptions(skinning.Data->Options() | SkinBit(xoNoFocusRect));
    std::vector<std::string> mapping = skinning.Data->Skin3rd();
    mapping.insert(mapping.begin(), "TAcmePngButton=pngbitbtn");
    skinning.Data->SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* button = AddControl<TAcmePngButton>(*form, "", 10, 10, kWidth, kHeight);
    TBitmap strip;
    FillGlyphStrip(strip);
    button->PngImage()->SetSize(kGlyph, kGlyph);
    BitBlt(button->PngImage()->Canvas().Handle(), 0, 0, kGlyph, kGlyph, strip.Canvas().Handle(), 0, 0, SRCCOPY);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinBitButton>(form->Handle(), button->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->PictureProperty, "PngImage");

    const TDecodedBitmap pixels = PaintedPixels(button->Handle());
    const int glyphLeft = (kWidth - kGlyph + 1) / 2;
    EXPECT_EQ(ColumnOf(pixels, kGlyphColours[0]), glyphLeft);
    // The skin's face around it, and the key pixel left transparent.
    TDataSkinButton& art = skinning.Data->Button;
    EXPECT_EQ(Mismatches(pixels, FittedFrame(art, art.Frame, bfNormal, kWidth, kHeight), RECT{0, 0, kWidth, kHeight},
                         SkinColour(*skinning.Data, ciButtonFace), RECT{glyphLeft, 0, glyphLeft + kGlyph, kHeight}),
              0);
    EXPECT_NE(PixelAt(pixels, glyphLeft, (kHeight - kGlyph + 1) / 2 + kGlyph - 1), Rgb(kGlyphKey));
}

TEST_P(SkinGlyphButtons, TheLayoutPutsGlyphAndCaptionWhereMarginAndSpacingSay) {
    // Margin and spacing automatic share the free space in three.
    const TButtonPlacement shared = PlaceGlyphAndText({100, 28}, {16, 16}, {40, 13}, blGlyphLeft, -1, -1);
    EXPECT_EQ(shared.Glyph.x, 14);
    EXPECT_EQ(shared.Text.x, 44);

    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* button = AddControl<TBitBtn>(*form, "Go", 10, 10, kWidth, kHeight);
    FillGlyphStrip(*button->Glyph());
    button->SetNumGlyphs(4);
    button->SetSpacing(-1);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SIZE text{};
    {
        TWindowDC dc(button->Handle());
        TSelectObject font(dc.get(), button->Font()->Handle());
        GetTextExtentPoint32W(dc.get(), L"Go", 2, &text);
    }
    const int margin = (kWidth - kGlyph - text.cx) / 3;
    const struct {
        TButtonLayout Layout;
        int GlyphLeft;
    } layouts[] = {{blGlyphLeft, margin},
                   {blGlyphRight, kWidth - margin - kGlyph},
                   {blGlyphTop, (kWidth - kGlyph + 1) / 2},
                   {blGlyphBottom, (kWidth - kGlyph + 1) / 2}};
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.Layout);
        button->SetLayout(layout.Layout);
        EXPECT_EQ(ColumnOf(PaintedPixels(button->Handle()), kGlyphColours[0]), layout.GlyphLeft);
    }
}

TEST_P(SkinGlyphButtons, ASpeedButtonShowsItsStateAndAFlatOneOnlyTheBackgroundWhenIdle) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* button = AddControl<TSpeedButton>(*form, "", 10, 10, kWidth, kHeight);
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    int clicks = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    TWinSkinForm* formSkinner = SkinnerOf(form->Handle());
    ASSERT_NE(formSkinner, nullptr);
    EXPECT_TRUE(formSkinner->IsSkinned(button));

    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    const auto at = [&](int x, int y) { return MAKELPARAM(10 + x, 10 + y); };
    const struct {
        const char* State;
        std::function<void()> Enter;
        int Frame;  // 0: the background alone
    } states[] = {
        {"normal", [] {}, bfNormal},
        {"hot", [&] { button->Perform(CM_MOUSEENTER); }, bfHot},
        {"pressed", [&] { SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5)); }, bfPressed},
        // Pressed, then released away from the button: no click, no longer pressed.
        {"left",
         [&] {
             SendMessageW(form->Handle(), WM_MOUSEMOVE, MK_LBUTTON, at(5, 80));
             SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at(5, 80));
             button->Perform(CM_MOUSELEAVE);
         },
         bfNormal},
        {"down", [&] { button->SetDown(true); }, bfPressed},
        {"disabled",
         [&] {
             button->SetDown(false);
             button->SetEnabled(false);
         },
         bfDisabled},
        {"flat idle",
         [&] {
             button->SetEnabled(true);
             button->SetFlat(true);
         },
         0},
        {"flat hot", [&] { button->Perform(CM_MOUSEENTER); }, bfHot},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.State);
        state.Enter();
        const TDecodedBitmap pixels = SpeedButtonPixels(*button);
        if (state.Frame)
            EXPECT_EQ(Mismatches(pixels, FittedFrame(art, art.Frame, state.Frame, kWidth, kHeight),
                                 RECT{0, 0, kWidth, kHeight}, face),
                      0);
        else
            for (const POINT p : {POINT{0, 0}, POINT{kWidth / 2, kHeight / 2}, POINT{kWidth - 1, kHeight - 1}})
                EXPECT_EQ(PixelAt(pixels, p.x, p.y), face);
    }
    EXPECT_EQ(clicks, 0);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(clicks, 1);
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinGlyphButtons, ::testing::Values("Default", "Contrast"));

}  // namespace
}  // namespace velloran
