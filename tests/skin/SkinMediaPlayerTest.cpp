// The media player under its skinned panel: each visible button gets an equal share of the row,
// its face is the skin's button frame for its state and its glyph the enabled, disabled or
// coloured one; a press and release over one button runs the player's action once, through real
// pointer input too; skin off gives the player its own look back.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/MediaPlayers.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// A player of another vendor, known by class name only; the skin's mapping names it a media player.
class TVendorPlayer : public TMediaPlayer {
    VELLORAN_CLASS(TVendorPlayer)
public:
    using TMediaPlayer::TMediaPlayer;
};

const TClassInfo& TVendorPlayer::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TVendorPlayer>("TVendorPlayer", &TMediaPlayer::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;

constexpr int kPanelWidth = 90, kPanelHeight = 30;
enum TFaceFrame { ffNormal = 1, ffPressed = 2, ffDisabled = 3 };

struct TPlayerScene {
    explicit TPlayerScene(const char* skin) : Skinning(skin), Form(MakeControlForm()) {
        Player = AddControl<TMediaPlayer>(*Form, "", 20, 20, kPanelWidth, kPanelHeight);
        Player->SetVisibleButtons(MediaButtonBit(btPlay) | MediaButtonBit(btStop) | MediaButtonBit(btEject));
        Player->SetEnabledButtons(MediaButtonBit(btPlay) | MediaButtonBit(btStop));
        Player->SetColoredButtons(MediaButtonBit(btPlay));
        Player->OnButtonClick = [this](TObject*, TMPBtnType button, bool&) { Clicks.push_back(button); };
    }
    TSkinMP* Skinner() const { return ChildSkinner<TSkinMP>(Form->Handle(), Player->Handle()); }

    TSkinnedProcess Skinning;
    TOwned<TForm> Form;
    TMediaPlayer* Player = nullptr;
    std::vector<TMPBtnType> Clicks;
};

// The face of the cell at `left` is the skin's frame, and the glyph of that look sits centred
// on it (a pixel further right and down when pressed).
void ExpectButton(const TDecodedBitmap& pixels, TSkinData& skin, int left, TFaceFrame frame, TMediaGlyphLook look,
                  TMPBtnType button) {
    SCOPED_TRACE(MediaGlyphResourceName(look, button));
    TBitmap glyphBitmap;
    LoadMediaGlyph(look, button, glyphBitmap);
    ASSERT_FALSE(glyphBitmap.Empty());
    const TDecodedBitmap glyph = GetBitmapPixels(glyphBitmap);
    const int shift = frame == ffPressed ? 1 : 0;
    const RECT glyphArea{left + (kPanelWidth / 3 - glyph.Width) / 2 + shift, (kPanelHeight - glyph.Height) / 2 + shift,
                         0, 0};
    const RECT placed{glyphArea.left, glyphArea.top, glyphArea.left + glyph.Width, glyphArea.top + glyph.Height};
    TDataSkinButton& art = skin.Button;
    EXPECT_EQ(Mismatches(pixels, FittedFrame(art, art.Frame, frame, kPanelWidth / 3, kPanelHeight),
                         RECT{left, 0, left + kPanelWidth / 3, kPanelHeight}, SkinColour(skin, ciButtonFace), placed),
              0);
    int glyphMismatches = 0;
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x) {
            const uint32_t want = PixelAt(glyph, x, y);
            if (want != 0x808000 && PixelAt(pixels, placed.left + x, placed.top + y) != want) ++glyphMismatches;
        }
    EXPECT_EQ(glyphMismatches, 0);
}

class SkinMediaPlayer : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinMediaPlayer, ThreeButtonsShareTheRowInTheirStatesAndOnlyAWholePressRunsTheAction) {
    TPlayerScene scene(GetParam());
    ASSERT_NE(ShowSkinned(scene.Form->Handle()), nullptr);
    TSkinMP* skinner = scene.Skinner();
    ASSERT_NE(skinner, nullptr);
    TWMediaPlayer* panel = skinner->Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BoundsRect().left, 20);
    EXPECT_EQ(panel->VisibleCount(), 3);
    EXPECT_EQ(panel->ButtonWidth(), 30);
    EXPECT_EQ(panel->Tag(), scene.Skinning.Data->DisableTag());

    struct TCase {
        const char* Name;
        int PressAt;  // -1: nothing held
        TFaceFrame Play, Stop, Eject;
        TMediaGlyphLook PlayLook, StopLook, EjectLook;
    };
    const TCase cases[] = {
        {"at rest", -1, ffNormal, ffNormal, ffDisabled, mgColored, mgEnabled, mgDisabled},
        {"play held", 10, ffPressed, ffNormal, ffDisabled, mgColored, mgEnabled, mgDisabled},
        {"stop held", 45, ffNormal, ffPressed, ffDisabled, mgColored, mgEnabled, mgDisabled},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.PressAt >= 0) panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.PressAt, 10));
        const TDecodedBitmap pixels = PaintedPixels(panel->Handle());
        ExpectButton(pixels, *scene.Skinning.Data, 0, c.Play, c.PlayLook, btPlay);
        ExpectButton(pixels, *scene.Skinning.Data, 30, c.Stop, c.StopLook, btStop);
        ExpectButton(pixels, *scene.Skinning.Data, 60, c.Eject, c.EjectLook, btEject);
        if (c.PressAt >= 0) panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(c.PressAt, 10));
    }
    EXPECT_EQ(scene.Clicks, (std::vector<TMPBtnType>{btPlay, btStop}));
    EXPECT_EQ(scene.Player->Mode(), mpStopped);

    // Pressed on play, let go over stop: nothing runs, and the player holds no button either.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(45, 10));
    EXPECT_EQ(scene.Clicks.size(), 2u);
    EXPECT_EQ(panel->PressedButton(), kNoMediaButton);
    // A disabled button runs nothing.
    panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 10));
    panel->Perform(WM_LBUTTONUP, 0, MAKELPARAM(75, 10));
    EXPECT_EQ(scene.Clicks.size(), 2u);

    // A change of the player's sets shows at the next paint: two buttons of 45 pixels.
    scene.Player->SetVisibleButtons(MediaButtonBit(btPlay) | MediaButtonBit(btStop));
    scene.Player->SetEnabledButtons(kAllMediaButtons);
    PaintedPixels(panel->Handle());
    EXPECT_EQ(panel->ButtonWidth(), 45);
    scene.Player->SetVisibleButtons(0);
    EXPECT_EQ(PixelAt(PaintedPixels(panel->Handle()), 40, 15), SkinColour(*scene.Skinning.Data, ciButtonFace));

    // Moving and hiding the player moves and hides the panel.
    scene.Player->SetBounds(30, 60, kPanelWidth, kPanelHeight);
    EXPECT_EQ(panel->Top(), 60);
    scene.Player->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(panel->Handle()));
    scene.Player->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));

    // Skin off: the panel goes and the player is seen again.
    const HWND panelWindow = panel->Handle();
    scene.Skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return scene.Skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsWindow(panelWindow));
    EXPECT_TRUE(IsWindowVisible(scene.Player->Handle()));
}

TEST_P(SkinMediaPlayer, XInputClickRunsTheActionOnceAndAPressReleasedElsewhereNothing) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    TPlayerScene scene(GetParam());
    ASSERT_NE(ShowSkinned(scene.Form->Handle()), nullptr);
    ASSERT_NE(scene.Skinner(), nullptr);
    TWMediaPlayer* panel = scene.Skinner()->Panel();
    RECT bounds{};
    GetWindowRect(panel->Handle(), &bounds);
    const POINT play{bounds.left + 15, bounds.top + 15}, stop{bounds.left + 45, bounds.top + 15};
    // The pointer is left in the form's bottom-right corner, where the controls of later tests
    // are not. The system follows the pointer only over its own windows: the form must still be
    // there when it goes.
    struct TPointerAway {
        HWND Form;
        ~TPointerAway() {
            RECT client{};
            GetClientRect(Form, &client);
            POINT corner{client.right - 3, client.bottom - 3};
            ClientToScreen(Form, &corner);
            XMoveTo(corner);
        }
    } away{scene.Form->Handle()};

    ASSERT_TRUE(XClickAt(play));
    ASSERT_TRUE(PumpUntil([&] { return !scene.Clicks.empty(); }, 2000));
    PumpFor(100);
    EXPECT_EQ(scene.Clicks, std::vector<TMPBtnType>{btPlay});
    EXPECT_EQ(scene.Player->Mode(), mpPlaying);

    ASSERT_TRUE(XDrag(play, stop));
    ASSERT_TRUE(PumpUntil([&] { return panel->PressedButton() == kNoMediaButton; }, 2000));
    PumpFor(100);
    EXPECT_EQ(scene.Clicks.size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);

    ASSERT_TRUE(XClickAt(stop));
    ASSERT_TRUE(PumpUntil([&] { return scene.Clicks.size() == 2; }, 2000));
    EXPECT_EQ(scene.Clicks.back(), btStop);
    EXPECT_EQ(scene.Player->Mode(), mpStopped);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinMediaPlayer, ::testing::Values("Default", "Contrast"));

TEST(SkinMediaPlayerMapping, AVendorPlayerNamedAMediaPlayerGetsThePanelAndTheButtonGateHoldsIt) {
    for (const bool buttonsSkinned : {true, false}) {
        SCOPED_TRACE(buttonsSkinned ? "buttons skinned" : "buttons left alone");
        TSkinnedProcess skinning;
        std::vector<std::string> mapping = skinning.Data->Skin3rd();
        mapping.push_back("TVendorPlayer=mediaplayer");
        skinning.Data->SetSkin3rd(mapping);
        if (!buttonsSkinned) skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(xcButton));
        auto form = MakeControlForm();
        auto* vendor = AddControl<TVendorPlayer>(*form, "", 10, 10, kPanelWidth, kPanelHeight);
        auto* own = AddControl<TMediaPlayer>(*form, "", 10, 60, kPanelWidth, kPanelHeight);
        ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
        for (TMediaPlayer* player : {static_cast<TMediaPlayer*>(vendor), own}) {
            auto* skinner = ChildSkinner<TSkinMP>(form->Handle(), player->Handle());
            EXPECT_EQ(skinner != nullptr, buttonsSkinned);
            if (skinner) {
                EXPECT_NE(skinner->Panel(), nullptr);
            }
        }
    }
}

}  // namespace
}  // namespace velloran
