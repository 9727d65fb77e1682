// The program's own windows under its skin: the status window is skinned the first time it is
// activated, keeps its client size, and shows the skin's frame, caption text and close button;
// the tray menu and the system menu are skinned.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/data/ImgUtil.h"
#include "skin/form/SkinMessages.h"
#include "tests/app/AppTestSupport.h"
#include "tests/skin/MenuScript.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tray/TrayIcon.h"

namespace velloran::apptest {
namespace {

using namespace skintest;
using SkinnedWindowsTest = TProgramWindowsTest;

COLORREF Resolved(TColorValue color) { return static_cast<COLORREF>(ResolveColor(color, &WindowsSystemColor)); }

uint32_t AsPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

bool AnyPixelIn(const TDecodedBitmap& shot, const RECT& r, uint32_t pixel) {
    for (int y = std::max(0, static_cast<int>(r.top)); y < r.bottom && y < shot.Height; ++y)
        for (int x = std::max(0, static_cast<int>(r.left)); x < r.right && x < shot.Width; ++x)
            if (PixelAt(shot, x, y) == pixel) return true;
    return false;
}

TEST_F(SkinnedWindowsTest, TheStatusWindowIsSkinnedWhenFirstActivated) {
    CreateForms();
    const HWND status = MainForm->Handle();
    PumpFor(400);
    EXPECT_NE(SendMessageW(status, SM_ISSKINNED, 0, 0), 1);

    TWinSkinForm* skinner = ShowSkinned(status, &PumpUntil);
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->BorderKind, bkDialog);
    EXPECT_EQ(ClientSize(status).cx, 378);
    EXPECT_EQ(ClientSize(status).cy, 127);

    RECT window{};
    GetWindowRect(status, &window);
    const int width = window.right - window.left;
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(status, region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));  // the rounded, transparent corners
    EXPECT_FALSE(PtInRegion(region.get(), width - 1, 0));
    EXPECT_TRUE(PtInRegion(region.get(), width / 2, skinner->BorderTop / 2));

    // The caption band: the top frame, the caption text in the active colour, the close button.
    const int row = skinner->BorderTop - 2, column = skinner->BorderLeft + 1;
    TDecodedBitmap shot = ScreenPixels(status);
    EXPECT_EQ(PixelAt(shot, column, row), PixelAt(ComposedTopFrame(*skinner, 1), 1, row));
    EXPECT_TRUE(AnyPixelIn(shot, skinner->TextRect, AsPixel(Resolved(skinner->SkinData->Colors[ciTitleTextActive]))));
    const TWinSysButton* close = nullptr;
    for (const auto& button : skinner->Buttons)
        if (button->SkinButton->Action == 0 && button->Visible) close = button.get();
    ASSERT_NE(close, nullptr);
    TBitmap& strip = *close->SkinButton->Bitmap;
    const TDecodedBitmap glyph = GetBitmapPixels(strip);
    const int frameWidth = strip.Width() / close->SkinButton->Frame;
    ASSERT_EQ(close->Rect.right - close->Rect.left, frameWidth);
    int compared = 0;
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < frameWidth; ++x) {
            const uint32_t source = PixelAt(glyph, x, y);
            if (source == 0xFF00FF) continue;
            EXPECT_EQ(PixelAt(shot, close->Rect.left + x, close->Rect.top + y), source) << x << "," << y;
            ++compared;
        }
    EXPECT_GT(compared, 0);

    // Inactive: the second frame of the frame images.
    TPlainWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 80);
    SetWindowPos(other.get(), HWND_BOTTOM, 700, 500, 0, 0, SWP_NOSIZE);
    SetForegroundWindow(other.get());
    ASSERT_TRUE(PumpUntil([&] { return !skinner->Active; }));
    PumpFor(50);
    shot = ScreenPixels(status);
    EXPECT_EQ(PixelAt(shot, column, row), PixelAt(ComposedTopFrame(*skinner, 2), 1, row));
}

TEST_F(SkinnedWindowsTest, TheButtonsAndCheckBoxesOfTheStatusWindowAndListEditorsAreSkinned) {
    CreateForms();
    TWinSkinForm* skinner = ShowSkinned(MainForm->Handle(), &PumpUntil);
    ASSERT_NE(skinner, nullptr);
    for (TWinControl* control : std::initializer_list<TWinControl*>{MainForm->btnOK, MainForm->btnCancel,
                                                                    MainForm->chkBusy, MainForm->chkTrillian,
                                                                    MainForm->chkAutoRespond})
        EXPECT_EQ(SendMessageW(control->Handle(), SM_ISSKINNED, 0, 0), 1) << control->Name();

    // The busy box shows the skin's check image for its state.
    TCheckBox& busy = *MainForm->chkBusy;
    auto* boxSkinner = ChildSkinner<TSkinCheckBox>(MainForm->Handle(), busy.Handle());
    ASSERT_NE(boxSkinner, nullptr);
    TDataSkinButton& art = skinner->SkinData->Button;
    RECT r{};
    GetWindowRect(busy.Handle(), &r);
    const int frames = art.CheckFrame, width = art.CheckBitmap->Width() / frames, height = art.CheckBitmap->Height();
    const int top = (r.bottom - r.top - height) / 2;
    EXPECT_EQ(Mismatches(PaintedPixels(busy.Handle()), StripFramePixels(*art.CheckBitmap, frames, boxSkinner->FrameIndex()),
                         RECT{0, top, width, top + height}, SkinColour(*skinner->SkinData, ciButtonFace)),
              0);

    // With a long list, each editor's memo has its vertical bar drawn by the skin.
    std::string list;
    for (int i = 0; i < 200; ++i) list += "A line of the list, number " + std::to_string(i) + "\r\n";
    for (TListEditorForm* editor : std::initializer_list<TListEditorForm*>{QuotesForm, LyricsForm}) {
        editor->Memo->Lines()->SetText(list);
        ASSERT_NE(ShowSkinned(editor->Handle(), &PumpUntil), nullptr);
        EXPECT_EQ(SendMessageW(editor->chkRandom->Handle(), SM_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(SendMessageW(editor->btnClose->Handle(), SM_ISSKINNED, 0, 0), 1);
        auto* memoSkinner = ChildSkinner<TSkinScrollbar>(editor->Handle(), editor->Memo->Handle());
        ASSERT_NE(memoSkinner, nullptr);
        ASSERT_TRUE(memoSkinner->Vertical()->Shown());
        HWND bar = memoSkinner->Vertical()->Handle();
        GetWindowRect(bar, &r);
        const int barWidth = r.right - r.left, arrow = GetSystemMetrics(SM_CXHSCROLL);
        TBitmap glyph;
        glyph.SetSize(barWidth, arrow);
        StretchFrame(glyph.Canvas().Handle(), RECT{0, 0, barWidth, arrow}, *skinner->SkinData->Scrollbar->Bitmap, false,
                     23, 9);
        EXPECT_EQ(Mismatches(PaintedPixels(bar), GetBitmapPixels(glyph), RECT{0, 0, barWidth, arrow},
                             SkinColour(*skinner->SkinData, ciButtonFace)),
                  0);
        editor->Hide();
    }
}

// The tray menu, opened by a right click on the icon before the status window was ever shown:
// a skinned popup with the skin's items, whose commands still run, each once.
TEST_F(SkinnedWindowsTest, TheTrayMenuIsSkinnedFromTheStartAndItsCommandsStillRun) {
    CreateForms();
    TSkinManage& manager = *TSkinManage::Instance();
    TPopupMenu& menu = *MainForm->PopupMenu;
    EXPECT_TRUE(menu.OwnerDraw());
    for (const bool before : {false, true}) {
        ASSERT_EQ(MainForm->StartWithWindows1->Checked(), before);
        HWND popup = nullptr;
        TMenuScript script{{[&] {
                                if (manager.PopupSkinners().empty()) return false;
                                popup = manager.PopupSkinners().front()->Window;
                                UpdateWindow(popup);
                                return manager.PopupSkinners().front()->MenuHandle == menu.Handle();
                            },
                            [&] {
                                // Down to "Start With Windows", past the separator, and chosen.
                                const auto press = [popup](WPARAM key) {
                                    PostMessageA(popup, WM_KEYDOWN, key, 1);
                                    PostMessageA(popup, WM_KEYUP, key, 0xC0000001);
                                };
                                for (int i = 0; i < 5; ++i) press(VK_DOWN);
                                press(VK_RETURN);
                                return true;
                            }},
                           true};
        EXPECT_TRUE(script.Run([] {
            SendMessageA(MainForm->TrayIcon->Handle(), TrayCallbackMessage, 0, WM_RBUTTONDOWN);
            SendMessageA(MainForm->TrayIcon->Handle(), TrayCallbackMessage, 0, WM_RBUTTONUP);
        }));
        PumpFor(50);
        EXPECT_EQ(MainForm->StartWithWindows1->Checked(), !before);
        EXPECT_TRUE(manager.PopupSkinners().empty());
        EXPECT_FALSE(MainForm->Visible());
    }
}

TEST_F(SkinnedWindowsTest, TheStatusWindowsSystemMenuIsASkinnedPopup) {
    CreateForms();
    TWinSkinForm* skinner = ShowSkinned(MainForm->Handle(), &PumpUntil);
    ASSERT_NE(skinner, nullptr);
    TSkinManage& manager = *TSkinManage::Instance();
    bool skinned = false;
    TMenuScript script{{[&] {
        if (manager.PopupSkinners().empty()) return false;
        TWinSkinPopMenu& popup = *manager.PopupSkinners().front();
        UpdateWindow(popup.Window);
        skinned = popup.Background && popup.MenuHandle == skinner->SysMenuPopup->Handle();
        return skinned;
    }}};
    EXPECT_TRUE(script.Run([&] { skinner->ShowSystemMenu(120, 120); }));
    EXPECT_TRUE(skinned);
    EXPECT_TRUE(manager.PopupSkinners().empty());
}

}  // namespace
}  // namespace velloran::apptest
