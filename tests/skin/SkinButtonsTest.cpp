// Push buttons skinned on real windows: each state shows its frame of the skin's button image on
// both project skins, clicks come from the skinner (none for a press that leaves the button),
// captions break at "||", and the buttons of a bare dialog report their clicks to the dialog;
// right-to-left captions read right to left; a swallowed press reaches the control's mouse-down
// handler, at the cursor on a button too wide for a message's coordinates; real X input (xdotool)
// hovers, presses and clicks a push button and a check box.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "tools/gallery/BareDialog.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// A button with a drop-down arrow of an outside vendor, mapped by the skin data's default list.
class TRzMenuButton : public TButton {
    VELLORAN_CLASS(TRzMenuButton)
public:
    using TButton::TButton;
};

const TClassInfo& TRzMenuButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TRzMenuButton>("TRzMenuButton", &TButton::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;

constexpr int kWidth = 90;
constexpr int kHeight = 28;
// Where the focus rectangle of an empty caption goes.
constexpr RECT kCaptionArea{kWidth / 2 - 8, 2, kWidth / 2 + 8, kHeight - 2};

class SkinButtons : public ::testing::TestWithParam<const char*> {};

TEST_P(SkinButtons, EachStateShowsItsFrameAndOnlyAWholeClickClicks) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* plain = AddControl<TButton>(*form, "", 10, 10, kWidth, kHeight);
    auto* byDefault = AddControl<TButton>(*form, "", 110, 10, kWidth, kHeight);
    byDefault->SetDefault(true);
    auto* other = AddControl<TButton>(*form, "Other", 210, 10, kWidth, kHeight);
    int clicks = 0;
    plain->OnClick = [&clicks](TObject*) { ++clicks; };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinButton>(form->Handle(), plain->Handle()), nullptr);
    SetFocus(other->Handle());

    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    const auto mismatches = [&](TButton* button, int frame, RECT skip = {}) {
        return Mismatches(PaintedPixels(button->Handle()), FittedFrame(art, art.Frame, frame, kWidth, kHeight),
                          RECT{0, 0, kWidth, kHeight}, face, skip);
    };
    EXPECT_EQ(mismatches(plain, bfNormal), 0);
    EXPECT_EQ(mismatches(byDefault, bfFocused), 0);

    SendMessageW(plain->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(mismatches(plain, bfHot), 0);
    SendMessageW(plain->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), plain->Handle());
    EXPECT_EQ(mismatches(plain, bfPressed, kCaptionArea), 0);
    // Leaving while pressed clears the press: the release that follows is no click.
    SendMessageW(plain->Handle(), WM_MOUSELEAVE, 0, 0);
    SendMessageW(plain->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(mismatches(plain, bfFocused, kCaptionArea), 0);
    SendMessageW(plain->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(plain->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);

    // Space presses and the native button clicks on its release.
    SendMessageW(plain->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(mismatches(plain, bfPressed, kCaptionArea), 0);
    SendMessageW(plain->Handle(), WM_KEYUP, VK_SPACE, 0);
    PumpFor(50);
    EXPECT_EQ(clicks, 2);

    // Disabled overrides every other state, the default one too.
    SetFocus(other->Handle());
    plain->SetEnabled(false);
    byDefault->SetEnabled(false);
    EXPECT_EQ(mismatches(plain, bfDisabled), 0);
    EXPECT_EQ(mismatches(byDefault, bfDisabled), 0);
}

TEST_P(SkinButtons, XInputHoversPressesAndClicksAButtonAndACheckBox) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "", 40, 40, kWidth, kHeight);
    auto* box = AddControl<TCheckBox>(*form, "Check box", 40, 100, 120, 24);
    int clicks = 0;
    button->OnClick = [&clicks](TObject*) { ++clicks; };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinButton>(form->Handle(), button->Handle());
    auto* boxSkinner = ChildSkinner<TSkinCheckBox>(form->Handle(), box->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(boxSkinner, nullptr);
    const auto moveTo = [](HWND wnd, int x, int y) {
        RECT r{};
        GetWindowRect(wnd, &r);
        return XMoveTo({r.left + x, r.top + y});
    };
    ASSERT_TRUE(moveTo(form->Handle(), 5, 300));

    // The push button: hover lights it, a press shows it pressed, the release clicks.
    ASSERT_TRUE(moveTo(button->Handle(), 10, 10));
    ASSERT_TRUE(PumpUntil([&] { return skinner->Hot(); }, 2000));
    PumpFor(50);
    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    EXPECT_EQ(Mismatches(ScreenPixels(button->Handle()), FittedFrame(art, art.Frame, bfHot, kWidth, kHeight),
                         RECT{0, 0, kWidth, kHeight}, face),
              0);
    ASSERT_TRUE(Xdotool("mousedown 1"));
    ASSERT_TRUE(PumpUntil([&] { return skinner->Pressed(); }, 2000));
    ASSERT_TRUE(Xdotool("mouseup 1"));
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, 2000));
    // Pressed, then the pointer leaves the button before the release: no click, nor hot or pressed.
    ASSERT_TRUE(Xdotool("mousedown 1"));
    ASSERT_TRUE(PumpUntil([&] { return skinner->Pressed(); }, 2000));
    ASSERT_TRUE(moveTo(form->Handle(), 5, 300));
    EXPECT_TRUE(PumpUntil([&] { return !skinner->Hot() && !skinner->Pressed(); }, 2000));
    ASSERT_TRUE(Xdotool("mouseup 1"));
    PumpFor(100);
    EXPECT_EQ(clicks, 1);

    // The check box: the native box takes the press and checks on the release; the skinner
    // shows the checked frame of the skin's strip.
    ASSERT_TRUE(moveTo(box->Handle(), 6, 12));
    ASSERT_TRUE(Xdotool("mousedown 1"));
    EXPECT_TRUE(PumpUntil([&] { return (SendMessageW(box->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }, 2000));
    ASSERT_TRUE(Xdotool("mouseup 1"));
    ASSERT_TRUE(PumpUntil([&] { return box->Checked(); }, 2000));
    const int frames = art.CheckFrame;
    const int checked = frames == 12 ? 5 : 2;
    EXPECT_EQ(boxSkinner->FrameIndex(), checked);
    const int imageWidth = art.CheckBitmap->Width() / frames, imageHeight = art.CheckBitmap->Height();
    const RECT image{0, (24 - imageHeight) / 2, imageWidth, (24 - imageHeight) / 2 + imageHeight};
    PumpFor(50);
    EXPECT_EQ(Mismatches(ScreenPixels(box->Handle()), StripFramePixels(*art.CheckBitmap, frames, checked), image, face),
              0);
}

// Counts the paints that windows other than one get while it is alive.
class TOtherPaints {
public:
    explicit TOtherPaints(HWND spared)
        : hook_(SetWindowsHookExW(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId())) {
        spared_ = spared;
        count_ = 0;
    }
    ~TOtherPaints() { UnhookWindowsHookEx(hook_); }
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const bool paint = sent->message == WM_PAINT || sent->message == WM_ERASEBKGND || sent->message == WM_NCPAINT;
        if (code == HC_ACTION && paint && sent->hwnd != spared_) ++count_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
    static inline HWND spared_ = nullptr;
    static inline int count_ = 0;
};

TEST_P(SkinButtons, AHoverShowsOnScreenAndLeavesNothingElseToPaint) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "", 10, 10, kWidth, kHeight);
    auto* neighbour = AddControl<TButton>(*form, "", 10 + kWidth, 10, kWidth, kHeight);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SetFocus(neighbour->Handle());
    PumpFor(50);
    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    const auto onScreen = [&](int frame) {
        return Mismatches(ScreenPixels(button->Handle()), FittedFrame(art, art.Frame, frame, kWidth, kHeight),
                          RECT{0, 0, kWidth, kHeight}, face);
    };
    const auto nothingToPaint = [&] {
        for (HWND w : {button->Handle(), neighbour->Handle(), form->Handle()})
            if (GetUpdateRect(w, nullptr, FALSE)) return false;
        return true;
    };

    for (const auto& [message, frame] : {std::pair{UINT(WM_MOUSEMOVE), bfHot}, std::pair{UINT(WM_MOUSELEAVE), bfNormal}}) {
        SCOPED_TRACE(message == WM_MOUSEMOVE ? "entering" : "leaving");
        {
            const TOtherPaints others(button->Handle());
            SendMessageW(button->Handle(), message, 0, MAKELPARAM(5, 5));
            EXPECT_TRUE(nothingToPaint());
            EXPECT_EQ(others.Count(), 0);
        }
        PumpFor(30);
        EXPECT_EQ(onScreen(frame), 0);
    }
}

TEST_P(SkinButtons, ADoubleBarBreaksTheCaptionOnce) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* barred = AddControl<TButton>(*form, "One||Two", 10, 10, kWidth, 44);
    auto* broken = AddControl<TButton>(*form, "One\r\nTwo", 110, 10, kWidth, 44);
    auto* twice = AddControl<TButton>(*form, "A||B||C", 10, 60, kWidth, 44);
    auto* threeLines = AddControl<TButton>(*form, "A\r\nB\r\nC", 110, 60, kWidth, 44);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    EXPECT_EQ(PaintedPixels(barred->Handle()).Pixels, PaintedPixels(broken->Handle()).Pixels);
    EXPECT_NE(PaintedPixels(twice->Handle()).Pixels, PaintedPixels(threeLines->Handle()).Pixels);
}

TEST_P(SkinButtons, AMenuButtonShowsItsArrowAndLightsUpWhenFocused) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* menu = AddControl<TRzMenuButton>(*form, "", 10, 10, kWidth, kHeight);
    auto* other = AddControl<TButton>(*form, "Other", 110, 10, kWidth, kHeight);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinMenuButton>(form->Handle(), menu->Handle()), nullptr);
    TDataSkinButton& art = skinning.Data->Button;
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    // The arrow's middle, and the face left of it where the caption would go.
    const POINT arrow{kWidth - 12, kHeight / 2};
    const RECT skip{kWidth - 17, 0, kWidth, kHeight};
    const auto mismatches = [&](int frame) {
        return Mismatches(PaintedPixels(menu->Handle()), FittedFrame(art, art.Frame, frame, kWidth, kHeight),
                          RECT{0, 0, kWidth, kHeight}, face, skip);
    };

    SetFocus(other->Handle());
    EXPECT_EQ(mismatches(bfNormal), 0);
    EXPECT_EQ(PixelAt(PaintedPixels(menu->Handle()), arrow.x, arrow.y), Rgb(GetSysColor(COLOR_WINDOWTEXT)));
    SetFocus(menu->Handle());
    EXPECT_EQ(Mismatches(PaintedPixels(menu->Handle()), FittedFrame(art, art.Frame, bfHot, kWidth, kHeight),
                         RECT{0, 0, 4, kHeight}, face),
              0);
    SetFocus(other->Handle());
    menu->SetEnabled(false);
    EXPECT_EQ(mismatches(bfDisabled), 0);
    EXPECT_EQ(PixelAt(PaintedPixels(menu->Handle()), arrow.x, arrow.y), Rgb(GetSysColor(COLOR_BTNSHADOW)));
}

// A button whose object can claim a width its window cannot have.
class THugeButton : public TButton {
public:
    using TButton::TButton;
    void ClaimWidth(int width) { width_ = width; }
};

struct TDialogLog {
    std::vector<WPARAM> Commands;
};

INT_PTR CALLBACK LoggingDialogProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(wnd, DWLP_USER, lParam);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        reinterpret_cast<TDialogLog*>(GetWindowLongPtrW(wnd, DWLP_USER))->Commands.push_back(wParam);
        return TRUE;
    }
    return FALSE;
}

TEST_P(SkinButtons, ABareDialogsButtonsAreSkinnedAndReportTheirClicks) {
    TSkinnedProcess skinning(GetParam());
    TDialogLog log;
    const HWND dialog = CreateTemplateDialog({{L"BUTTON", L"", BS_PUSHBUTTON, 101, 10, 10, 60, 16},
                                              {L"BUTTON", L"Check", BS_AUTOCHECKBOX, 102, 10, 30, 60, 12},
                                              {L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 103, 10, 46, 60, 12},
                                              {L"BUTTON", L"Group", BS_GROUPBOX, 104, 100, 10, 80, 60},
                                              {L"BUTTON", L"", BS_OWNERDRAW, 105, 10, 62, 60, 12}},
                                             LoggingDialogProc, reinterpret_cast<LPARAM>(&log));
    ASSERT_NE(dialog, nullptr);
    TWindowHandle owned(dialog);
    ASSERT_NE(ShowSkinned(dialog), nullptr);
    const HWND button = GetDlgItem(dialog, 101);
    EXPECT_NE(ChildSkinner<TSkinButton>(dialog, button), nullptr);
    EXPECT_NE(ChildSkinner<TSkinCheckBox>(dialog, GetDlgItem(dialog, 102)), nullptr);
    EXPECT_NE(ChildSkinner<TSkinRadioButton>(dialog, GetDlgItem(dialog, 103)), nullptr);
    EXPECT_EQ(ChildSkinner(dialog, GetDlgItem(dialog, 104)), nullptr);
    EXPECT_EQ(ChildSkinner(dialog, GetDlgItem(dialog, 105)), nullptr);

    // The dialog gave its first button the focus; the check box takes it.
    SetFocus(GetDlgItem(dialog, 102));
    RECT r{};
    GetWindowRect(button, &r);
    TDataSkinButton& art = skinning.Data->Button;
    const int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_EQ(Mismatches(PaintedPixels(button), FittedFrame(art, art.Frame, bfNormal, width, height),
                         RECT{0, 0, width, height}, SkinColour(*skinning.Data, ciButtonFace)),
              0);

    log.Commands.clear();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(PumpUntil([&] { return !log.Commands.empty(); }, 2000));
    EXPECT_EQ(log.Commands.front(), MAKEWPARAM(101, BN_CLICKED));

    // The gallery's dialog: every button, check box and radio button is skinned by its window
    // class, and its own procedure hears the click of a skinned button.
    const HWND gallery = OpenBareDialog(nullptr);
    ASSERT_NE(gallery, nullptr);
    TWindowHandle galleryOwned(gallery);
    ASSERT_NE(ShowSkinned(gallery), nullptr);
    for (const int id : {IDOK, IDCANCEL, int(bdApply)})
        EXPECT_NE(ChildSkinner<TSkinButton>(gallery, GetDlgItem(gallery, id)), nullptr);
    for (const int id : {bdCheck, bdThreeState})
        EXPECT_NE(ChildSkinner<TSkinCheckBox>(gallery, GetDlgItem(gallery, id)), nullptr);
    for (const int id : {bdRadioOne, bdRadioTwo})
        EXPECT_NE(ChildSkinner<TSkinRadioButton>(gallery, GetDlgItem(gallery, id)), nullptr);
    const HWND apply = GetDlgItem(gallery, bdApply);
    SendMessageW(apply, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(apply, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    wchar_t said[64] = L"";
    EXPECT_TRUE(PumpUntil(
        [&] {
            GetDlgItemTextW(gallery, bdLastClick, said, 64);
            return std::wstring(said) == L"Clicked: Apply";
        },
        2000));
}

TEST_P(SkinButtons, ARightToLeftCaptionIsDrawnInRightToLeftReading) {
    const struct {
        TBiDiMode Mode;
        DWORD ExStyle;
    } modes[] = {{bdLeftToRight, 0},
                 {bdRightToLeft, WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR},
                 {bdRightToLeftNoAlign, WS_EX_LEFTSCROLLBAR},
                 {bdRightToLeftReadingOnly, WS_EX_RTLREADING}};
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    for (const auto& mode : modes) {
        auto* probe = AddControl<TButton>(*form, "", 10, 150, kWidth, kHeight);
        probe->SetBiDiMode(mode.Mode);
        constexpr DWORD kBiDi = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
        EXPECT_EQ(GetWindowLongPtrW(probe->Handle(), GWL_EXSTYLE) & kBiDi, mode.ExStyle) << mode.Mode;
        Free(probe);
    }
    // Read right to left, the closing mark of the caption goes to its left end.
    auto* rightToLeft = AddControl<TButton>(*form, "Abc!", 10, 10, kWidth, kHeight);
    rightToLeft->SetBiDiMode(bdRightToLeft);
    auto* leftToRight = AddControl<TButton>(*form, "Abc!", 110, 10, kWidth, kHeight);
    auto* markFirst = AddControl<TButton>(*form, "!Abc", 210, 10, kWidth, kHeight);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SetFocus(nullptr);
    EXPECT_NE(PaintedPixels(rightToLeft->Handle()).Pixels, PaintedPixels(leftToRight->Handle()).Pixels);
    EXPECT_EQ(PaintedPixels(rightToLeft->Handle()).Pixels, PaintedPixels(markFirst->Handle()).Pixels);
    // Switched at run time, the skinned look follows.
    rightToLeft->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(PaintedPixels(rightToLeft->Handle()).Pixels, PaintedPixels(leftToRight->Handle()).Pixels);
}

TEST_P(SkinButtons, APressReachesTheControlsMouseDownAtTheCursorOnAHugeButton) {
    TSkinnedProcess skinning(GetParam());
    auto form = MakeControlForm();
    auto* small = AddControl<TButton>(*form, "", 10, 10, kWidth, kHeight);
    auto* huge = AddControl<THugeButton>(*form, "", 10, 60, kWidth, kHeight);
    struct TPress {
        TMouseButton Button;
        uint32_t Shift;
        POINT At;
    };
    std::vector<TPress> presses;
    small->OnMouseDown = huge->OnMouseDown = [&presses](TObject*, TMouseButton b, uint32_t shift, int x, int y) {
        presses.push_back({b, shift, {x, y}});
    };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);

    SendMessageW(small->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(7, 9));
    SendMessageW(small->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 9));
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].Button, mbLeft);
    EXPECT_EQ(presses[0].Shift, uint32_t(ssLeft | ssShift));
    EXPECT_EQ(presses[0].At.x, 7);
    EXPECT_EQ(presses[0].At.y, 9);

    // Wider than a message's coordinates reach. The window system holds a window to 32767
    // pixels, so the object alone says how wide it is; the window's left edge lies far off to the
    // left, and the message's coordinates are the wrapped ones of a wider window.
    SetWindowPos(huge->Handle(), nullptr, 100 - 32000, 60, 32767, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    huge->ClaimWidth(0x9000);
    POINT cursor{100 + 0x10, 60 + 5};
    ClientToScreen(form->Handle(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
    POINT expected = cursor;
    ScreenToClient(huge->Handle(), &expected);
    ASSERT_GT(expected.x, 32000);
    const LPARAM wrapped = MAKELPARAM(expected.x + 0x8000, expected.y);
    SendMessageW(huge->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, wrapped);
    SendMessageW(huge->Handle(), WM_LBUTTONUP, 0, wrapped);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[1].At.x, expected.x);
    EXPECT_EQ(presses[1].At.y, expected.y);
}

INSTANTIATE_TEST_SUITE_P(BothSkins, SkinButtons, ::testing::Values("Default", "Contrast"));

}  // namespace
}  // namespace velloran
