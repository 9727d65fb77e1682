// Check boxes and radio buttons skinned on real windows: the frame of the skin's check or radio
// strip for every state, on the project skins' short (4-frame) and full (12- and 8-frame) strips,
// for control objects and for the windows of a bare dialog; the box at the right with
// BS_LEFTTEXT; the parent's background around a check box tagged 5555; an outside vendor's check
// box drawing the strip cut from the skin, and its own look again without the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "framework/vendor/RzCheckBoxes.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr int kWidth = 120;
constexpr int kHeight = 24;

struct TMarkCase {
    const char* Name;
    int Check;  // BM_SETCHECK argument
    bool Enabled;
    int ShortStripFrame;
    int FullStripFrame;
};

// The image of a check mark in a window of the given size, at the left or the right edge.
RECT ImageRect(TBitmap& strip, int frames, int width, int height, int rightInset = -1) {
    const int w = strip.Width() / frames, h = strip.Height();
    const int top = (height - h) / 2;
    const int left = rightInset < 0 ? 0 : width - rightInset - w;
    return {left, top, left + w, top + h};
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class SkinCheckBoxes : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinCheckBoxes, EveryCheckStateShowsItsFrameOfTheCheckStrip) {
    static const TMarkCase cases[] = {
        {"unchecked", BST_UNCHECKED, true, 1, 1},          {"checked", BST_CHECKED, true, 2, 5},
        {"grayed", BST_INDETERMINATE, true, 4, 9},         {"disabled", BST_UNCHECKED, false, 3, 4},
        {"disabled checked", BST_CHECKED, false, 4, 8},    {"disabled grayed", BST_INDETERMINATE, false, 4, 12},
    };
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* box = AddControl<TCheckBox>(*form, "Check box", 10, 10, kWidth, kHeight);
    box->SetAllowGrayed(true);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinCheckBox>(form->Handle(), box->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->Kind, 1);

    TDataSkinButton& art = skinning.Data->Button;
    const int frames = art.CheckFrame;
    ASSERT_TRUE(frames == 4 || frames == 12) << frames;
    const RECT image = ImageRect(*art.CheckBitmap, frames, kWidth, kHeight);
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    for (const TMarkCase& c : cases) {
        box->SetState(static_cast<TCheckBoxState>(c.Check));
        box->SetEnabled(c.Enabled);
        const int frame = frames == 12 ? c.FullStripFrame : c.ShortStripFrame;
        EXPECT_EQ(skinner->FrameIndex(), frame) << c.Name;
        EXPECT_EQ(Mismatches(PaintedPixels(box->Handle()), StripFramePixels(*art.CheckBitmap, frames, frame), image,
                             face),
                  0)
            << c.Name;
    }
}

TEST_P(SkinCheckBoxes, BareRadioButtonsAndLeftTextCheckBoxesOfADialog) {
    static const TMarkCase cases[] = {
        {"unchecked", BST_UNCHECKED, true, 1, 1},
        {"checked", BST_CHECKED, true, 2, 5},
        {"disabled", BST_UNCHECKED, false, 3, 4},
        {"disabled checked", BST_CHECKED, false, 4, 8},
    };
    TSkinnedProcess skinning(GetParam());
    const HWND dialog =
        CreateTemplateDialog({{L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 201, 10, 10, 80, 14},
                              {L"BUTTON", L"Left text", BS_AUTOCHECKBOX | BS_LEFTTEXT, 202, 10, 30, 80, 14}},
                             QuietDialogProc);
    ASSERT_NE(dialog, nullptr);
    TWindowHandle owned(dialog);
    ASSERT_NE(ShowSkinned(dialog), nullptr);
    const HWND radio = GetDlgItem(dialog, 201);
    auto* skinner = ChildSkinner<TSkinRadioButton>(dialog, radio);
    ASSERT_NE(skinner, nullptr);

    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    RECT r{};
    GetWindowRect(radio, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int frames = art.RadioFrame;
    ASSERT_TRUE(frames == 4 || frames == 8) << frames;
    for (const TMarkCase& c : cases) {
        SendMessageW(radio, BM_SETCHECK, static_cast<WPARAM>(c.Check), 0);
        EnableWindow(radio, c.Enabled);
        const int frame = frames == 8 ? c.FullStripFrame : c.ShortStripFrame;
        EXPECT_EQ(skinner->FrameIndex(), frame) << c.Name;
        EXPECT_EQ(Mismatches(PaintedPixels(radio), StripFramePixels(*art.RadioBitmap, frames, frame),
                             ImageRect(*art.RadioBitmap, frames, width, height), face),
                  0)
            << c.Name;
    }

    // The box of a left-text check box sits at the right edge, its caption left of it.
    const HWND left = GetDlgItem(dialog, 202);
    ASSERT_NE(ChildSkinner<TSkinCheckBox>(dialog, left), nullptr);
    SendMessageW(left, BM_SETCHECK, BST_CHECKED, 0);
    GetWindowRect(left, &r);
    const int checkFrames = art.CheckFrame;
    const int checked = checkFrames == 12 ? 5 : 2;
    const TDecodedBitmap painted = PaintedPixels(left);
    const RECT atRight = ImageRect(*art.CheckBitmap, checkFrames, r.right - r.left, r.bottom - r.top, 0);
    EXPECT_EQ(Mismatches(painted, StripFramePixels(*art.CheckBitmap, checkFrames, checked), atRight, face), 0);
    const RECT atLeft = ImageRect(*art.CheckBitmap, checkFrames, r.right - r.left, r.bottom - r.top);
    EXPECT_NE(Mismatches(painted, StripFramePixels(*art.CheckBitmap, checkFrames, checked), atLeft, face), 0);
}

TEST_P(SkinCheckBoxes, ATaggedCheckBoxShowsItsParentsBackground) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* tagged = AddControl<TCheckBox>(*form, "", 10, 10, kWidth, kHeight);
    tagged->SetTag(kTransparentTag);
    auto* plain = AddControl<TCheckBox>(*form, "", 10, 40, kWidth, kHeight);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner(form->Handle(), tagged->Handle()), nullptr);
    form->SetColor(clRed);
    const POINT beside{kWidth - 5, 2};
    EXPECT_EQ(PixelAt(PaintedPixels(tagged->Handle()), beside.x, beside.y), 0xFF0000u);
    EXPECT_EQ(PixelAt(PaintedPixels(plain->Handle()), beside.x, beside.y), SkinColour(*skinning.Data, ciButtonFace));
}

// A caption in the system's text colour takes the skin's, like a label of a skinned form; a colour
// of the control's own stays; a disabled caption is in the button-shadow colour.
TEST_P(SkinCheckBoxes, CaptionsTakeTheSkinsTextColourUnlessTheyHaveTheirOwn) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* plain = AddControl<TCheckBox>(*form, "WWWWWWWW", 10, 10, kWidth, kHeight);
    auto* red = AddControl<TCheckBox>(*form, "WWWWWWWW", 10, 40, kWidth, kHeight);
    red->Font()->SetColor(clRed);
    auto* disabled = AddControl<TCheckBox>(*form, "WWWWWWWW", 10, 70, kWidth, kHeight);
    disabled->SetEnabled(false);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const uint32_t skinText = SkinColour(*skinning.Data, ciButtonText);
    const auto count = [](HWND wnd, uint32_t colour) {
        const TDecodedBitmap pixels = PaintedPixels(wnd);
        int n = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 20; x < kWidth; ++x) n += PixelAt(pixels, x, y) == colour;
        return n;
    };
    EXPECT_GT(count(plain->Handle(), skinText), 0);
    EXPECT_GT(count(red->Handle(), 0xFF0000u), 0);
    EXPECT_EQ(count(red->Handle(), skinText), 0);
    EXPECT_GT(count(disabled->Handle(), Rgb(GetSysColor(COLOR_BTNSHADOW))), 0);
}

// The outside vendor's check box draws the glyph strip its skinner cut from the skin: each state
// shows the frame the skin's own check box shows, also after a change of skin; with the skin off
// it draws the platform's box again.
TEST_P(SkinCheckBoxes, TheVendorsCheckBoxShowsTheSkinsFramesAndThePlatformsBoxWithoutTheSkin) {
    struct TVendorCase {
        const char* Name;
        bool Checked;
        bool Enabled;
        int ShortStripFrame;
        int FullStripFrame;
        UINT PlatformLook;
    };
    static const TVendorCase cases[] = {
        {"unchecked", false, true, 1, 1, DFCS_BUTTONCHECK},
        {"checked", true, true, 2, 5, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {"disabled", false, false, 3, 4, DFCS_BUTTONCHECK | DFCS_INACTIVE},
    };
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    std::vector<TRzCheckBox*> boxes;
    for (const TVendorCase& c : cases) {
        const int top = 10 + 30 * static_cast<int>(boxes.size());
        auto* box = AddControl<TRzCheckBox>(*form, "Vendor", 10, top, kWidth, kHeight);
        box->SetParentBackground(false);  // a plain colour around the glyph, read at the top-right corner
        box->SetChecked(c.Checked);
        box->SetEnabled(c.Enabled);
        boxes.push_back(box);
    }
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    TDataSkinButton& art = skinning.Data->Button;
    const auto expectSkinFrames = [&](const std::string& skin) {
        const int frames = art.CheckFrame;
        const RECT image = ImageRect(*art.CheckBitmap, frames, kWidth, kHeight);
        for (size_t i = 0; i < boxes.size(); ++i) {
            const int frame = frames == kFullCheckStripFrames ? cases[i].FullStripFrame : cases[i].ShortStripFrame;
            const TDecodedBitmap painted = PaintedPixels(boxes[i]->Handle());
            EXPECT_EQ(Mismatches(painted, StripFramePixels(*art.CheckBitmap, frames, frame), image,
                                 PixelAt(painted, kWidth - 1, 0)),
                      0)
                << skin << ", " << cases[i].Name;
        }
    };
    expectSkinFrames(GetParam());

    const std::string other = std::string(GetParam()) == "Default" ? "Contrast" : "Default";
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-vendor-check.skn";
    WriteProjectSkin(other, file);
    int changed = 0;
    skinning.Data->OnSkinChanged = [&changed](TObject*) { ++changed; };
    skinning.Data->SetSkinFile(file.string());
    EXPECT_TRUE(PumpUntil([&] { return changed > 0; }));
    skinning.Data->OnSkinChanged = nullptr;
    std::filesystem::remove(file);
    expectSkinFrames(other);

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    constexpr int kPlatformBox = 13;
    const int top = (kHeight - kPlatformBox) / 2;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TDecodedBitmap painted = PaintedPixels(boxes[i]->Handle());
        const uint32_t under = PixelAt(painted, kWidth - 1, 0);
        TBitmap platform;
        platform.SetSize(kPlatformBox, kPlatformBox);
        RECT r{0, 0, kPlatformBox, kPlatformBox};
        {
            TBrushHandle brush(CreateSolidBrush(RGB(under >> 16, (under >> 8) & 0xFF, under & 0xFF)));
            FillRect(platform.Canvas().Handle(), &r, brush.get());
        }
        DrawFrameControl(platform.Canvas().Handle(), &r, DFC_BUTTON, cases[i].PlatformLook);
        EXPECT_EQ(Mismatches(painted, GetBitmapPixels(platform), RECT{0, top, kPlatformBox, top + kPlatformBox}, under),
                  0)
            << "without the skin, " << cases[i].Name;
    }
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinCheckBoxes, ::testing::Values("Default", "Contrast"));

}  // namespace
}  // namespace velloran
