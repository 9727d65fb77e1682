// Caption buttons on the project's default skin with hand-made buttons (strips of solid frames):
// visibility and action rules, layout, the hit test, the mouse and the system menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/Menus.h"
#include "framework/Subclass.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/tray/TrayTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;
using traytest::TMenuSpy;

constexpr int kWidth = 300;
// Frames 1 to 4 of every test strip (0x00RRGGBB), each 20 × 16.
constexpr uint32_t kFrame[] = {0, 0xC00000, 0x00C000, 0x0000C0, 0xC0C000};

struct TButtonDef {
    int32_t Action, Align, X, Y, Visibility, Visibility1;
    int Frames = 4;  // 0: no image
};

std::optional<WPARAM> TakePosted(HWND wnd, UINT msg) {
    MSG m{};
    if (!PeekMessageW(&m, wnd, msg, msg, PM_REMOVE)) return std::nullopt;
    return m.wParam;
}

class CaptionButtons : public ::testing::Test {
protected:
    void SetUp() override {
        skinner_->Handle = window_.get();
        skinner_->SkinData = data_.get();
        skinner_->WindowWidth = kWidth;
    }
    void UseButtons(std::initializer_list<TButtonDef> defs) {
        data_->SysButtons.clear();
        for (const TButtonDef& s : defs) {
            auto& b = data_->SysButtons.emplace_back(std::make_unique<TDataSkinSysButton>("BUTTON"));
            b->Action = s.Action, b->Align = s.Align, b->XCoord = s.X, b->YCoord = s.Y;
            b->Visibility = s.Visibility, b->Visibility1 = s.Visibility1, b->Frame = s.Frames;
            TDecodedBitmap strip{20 * s.Frames, s.Frames ? 16 : 0, {}};
            for (int i = 0; i < strip.Width * strip.Height; ++i)
                strip.Pixels.push_back(kFrame[1 + i % strip.Width / 20]);
            SetBitmapPixels(*b->Bitmap, strip);
        }
        skinner_->RebuildButtons();
    }
    void Attach() {
        skinner_->SkinWindow(data_.get());
        SendMessageW(window_.get(), SM_INITSKIN, 0, kInitSkinFromManager);
        SetForegroundWindow(window_.get());
        skinner_->Active = true;
        Repaint();
    }
    void Repaint() { RedrawWindow(window_.get(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }
    TWinSysButton& Button(int i) { return *skinner_->Buttons.at(static_cast<size_t>(i)); }
    POINT At(int i) {
        const RECT& r = Button(i).Rect;
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Send(UINT msg, POINT p, WPARAM hit = HTCAPTION) {
        RECT r{};
        GetWindowRect(window_.get(), &r);
        SendMessageW(window_.get(), msg, hit, MAKELPARAM(r.left + p.x, r.top + p.y));
    }
    // Read from the window's own surface: the screen shows a paint only once it is flushed.
    uint32_t Pixel(POINT p) {
        TWindowDC dc(window_.get(), true);
        const COLORREF c = GetPixel(dc.get(), p.x, p.y);
        return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
    void Click(int i) {
        Send(WM_NCLBUTTONDOWN, At(i));
        Send(WM_NCLBUTTONUP, At(i));
    }
    // What reached the window's own procedure: passed on by the skinner, or sent to the window.
    std::vector<WPARAM> Passed(UINT msg) const {
        std::vector<WPARAM> seen;
        for (const auto& [m, wParam] : passed_)
            if (m == msg) seen.push_back(wParam);
        return seen;
    }

    TOwned<TSkinData> data_ = LoadProjectSkin("Default");
    TPlainWindow window_{WS_OVERLAPPEDWINDOW | WS_VISIBLE, kWidth, 200, WS_EX_TOPMOST};
    std::function<LRESULT(WPARAM, LPARAM)> answer_ = [](WPARAM, LPARAM) { return 0; };
    std::vector<WPARAM> asked_;
    std::vector<std::pair<UINT, WPARAM>> passed_;
    BOOL childMaximized_ = TRUE;
    // Below the skinner: answers SM_BUTTONVISIBLE, stands in for an MDI client whose active
    // child is the window itself, and keeps the mouse and system commands that arrive.
    TWindowSubclass inner_{window_.get(), [this](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                               if (m == SM_BUTTONVISIBLE) return asked_.push_back(wp), answer_(wp, lp);
                               if (m == WM_MDIGETACTIVE) {
                                   *reinterpret_cast<BOOL*>(lp) = childMaximized_;
                                   return reinterpret_cast<LRESULT>(w);
                               }
                               if (m != WM_SYSCOMMAND && (m < WM_NCMOUSEMOVE || m > WM_NCMBUTTONDBLCLK))
                                   return TWindowSubclass::CallNext(w, m, wp, lp);
                               passed_.emplace_back(m, wp);
                               return 0;
                           }};
    TOwned<TWinSkinForm> skinner_{new TWinSkinForm(nullptr)};
};

TEST_F(CaptionButtons, VisibilityCodesOfBothTermsAndTheActionRules) {
    UseButtons({{50, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0}});
    TDataSkinSysButton& skin = *data_->SysButtons[0];
    TWinSkinForm& f = *skinner_;
    auto shown = [&](int32_t first, int32_t second) {
        skin.Visibility = first, skin.Visibility1 = second;
        return f.ButtonVisible(0) && Button(0).Visible;
    };
    f.Active = true;
    EXPECT_TRUE(shown(3, 0) && !shown(4, 0) && shown(0, 3));
    f.Active = false, f.WindowState = stateMaximized;
    EXPECT_TRUE(!shown(3, 0) && shown(4, 0) && shown(1, 0) && !shown(2, 0));
    f.WindowState = stateNormal;
    EXPECT_TRUE(!shown(1, 0) && shown(2, 0));
    for (int32_t code : {5, 8}) {
        f.Caps = capMinimize;  // no system menu: only the second term holds
        EXPECT_TRUE(!shown(code, 0) && shown(0, code)) << code;
        f.Caps = capMaximize | capSysMenu;
        EXPECT_TRUE(shown(code, 0)) << code;
        f.Caps = capSysMenu;
        EXPECT_FALSE(shown(0, code)) << code;
    }
    f.Caps = capHelp | capMinimize;
    EXPECT_TRUE(!shown(10, 0) && shown(0, 10) && shown(7, 0) && !shown(9, 0));
    f.Caps = capHelp | capMaximize;
    EXPECT_TRUE(!shown(7, 0) && shown(9, 0));
    f.Caps = capHelp;
    EXPECT_TRUE(shown(10, 0));
    f.BorderKind = bkDialog;
    EXPECT_TRUE(shown(200, 0));
    f.MessageDialog = true;
    EXPECT_FALSE(shown(0, 200));
    f.MDIKind = mkFrame, f.MDIClient = window_.get();  // stands in for the MDI client
    EXPECT_FALSE(shown(100, 100));                     // no menu bar
    TMenuHandle menu(CreateMenu());
    f.WindowMenu = menu.get();
    EXPECT_TRUE(shown(100, 0) && shown(0, 100));
    childMaximized_ = FALSE;
    EXPECT_FALSE(shown(100, 0) || shown(0, 100));
    EXPECT_TRUE(shown(201, 999));
    answer_ = [](WPARAM code, LPARAM action) { return code == 1500 && action == 50 ? 1 : 0; };
    EXPECT_TRUE(shown(1500, 0) && !shown(1501, 0) && shown(0, 2000));
    answer_ = [](WPARAM, LPARAM) { return 1; };
    EXPECT_TRUE(shown(1000, 0) && shown(2000, 0));
    for (int32_t never : {-1, 6, 150, 2001, -2}) EXPECT_FALSE(shown(never, 0) || shown(0, never)) << never;
    EXPECT_EQ(asked_, (std::vector<WPARAM>{1500, 1501, 1000, 2000}));

    // Close needs the system menu; maximise and minimise are disabled without their box.
    f.Caps = capMaximize | capMinimize;
    EXPECT_TRUE(!f.ButtonVisible(1) && f.ButtonVisible(2) && f.ButtonVisible(3));
    EXPECT_TRUE(!Button(2).Enabled && !Button(3).Enabled);
    f.Caps = capSysMenu | capMinimize;
    EXPECT_TRUE(f.ButtonVisible(1) && f.ButtonVisible(2) && f.ButtonVisible(3));
    EXPECT_TRUE(!Button(2).Enabled && Button(3).Enabled);
    for (int32_t icon : {3, 11, 12}) {
        skin.Visibility = skin.Visibility1 = 0, skin.Action = icon;
        f.BorderKind = bkSingle;
        EXPECT_TRUE(f.ButtonVisible(0)) << icon;
        f.BorderKind = bkDialog;
        EXPECT_FALSE(f.ButtonVisible(0)) << icon;
    }
}

TEST_F(CaptionButtons, LayoutPlacesEveryAlignmentAndPaintShowsThePlainFrame) {
    UseButtons({{50, 0, 7, 5, 0, 0},
                {50, 1, 40, 5, 0, 0},
                {50, 2, 3, 1, 0, 0},
                {50, 8, 3, 1, 0, 0},
                {50, 3, 3, 2, 0, 0},
                {50, 9, 3, 2, 0, 0},
                {50, 100, 30, 0, 0, 0},
                {50, 5, 9, 9, 0, 0},
                {50, 0, 60, 5, -1, 0},
                {50, 0, 60, 5, 0, 0, 0},
                {50, 0, 90, 5, 0, 0, 3}});
    TWinSkinForm& f = *skinner_;
    f.TextRect = {50, 0, 150, 20};
    f.BorderTop = 24, f.BorderRight = 8, f.MenuHeight = 20;
    Button(8).Rect = {1, 2, 3, 4};  // hidden: keeps its place
    f.LayoutButtons();
    const int band = kWidth - 30 - 8 - data_->MenuBar->LeftWidth;
    const std::vector<RECT> expected{{7, 5, 27, 21},    {260, 5, 280, 21}, {27, 1, 47, 17},           {27, 1, 47, 17},
                                     {153, 2, 173, 18}, {153, 2, 173, 18}, {band, 26, band + 20, 42}, {0, 0, 20, 16},
                                     {1, 2, 3, 4},      {0, 0, 0, 0}};
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(EqualRect(&Button(int(i)).Rect, &expected[i])) << i;

    auto paint = [&](bool active, int button) {
        TBitmap canvas;
        canvas.SetSize(kWidth, 50);
        f.Active = active;
        f.PaintButtons(canvas.Canvas());
        return PixelAt(GetBitmapPixels(canvas), At(button).x, At(button).y);
    };
    EXPECT_EQ(paint(true, 0), kFrame[1]);
    EXPECT_EQ(paint(false, 0), kFrame[4]);
    EXPECT_EQ(paint(false, 10), kFrame[1]);  // a strip of three frames has no inactive look
}

TEST_F(CaptionButtons, ActionsOfTheHotButton) {
    UseButtons({{4, 0, 0, 0, 0, 0},
                {300, 0, 0, 0, 0, 0},
                {23, 0, 0, 0, 0, 0},
                {60, 0, 0, 0, 0, 0},
                {8, 0, 0, 0, 0, 0},
                {62, 100, 30, 0, 100, 100}});
    TWinSkinForm& f = *skinner_;
    HWND wnd = window_.get();
    auto act = [&](int i) {
        f.HotObject = &Button(i);
        f.ButtonAction(0, 0);
    };
    act(0);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_CONTEXTHELP);
    act(1);
    EXPECT_EQ(TakePosted(wnd, SM_BUTTONACTION), 300u);
    act(2);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_MINIMIZE);
    EXPECT_EQ(f.WindowState, stateMinimized);
    act(3);  // the MDI actions do nothing outside an MDI frame
    EXPECT_TRUE(Passed(WM_SYSCOMMAND).empty());
    f.MDIKind = mkFrame, f.MDIClient = wnd;
    for (int i : {3, 4, 5}) act(i);
    EXPECT_EQ(Passed(WM_SYSCOMMAND), (std::vector<WPARAM>{SC_MINIMIZE, SC_RESTORE, SC_CLOSE}));
    // A menu-band button under the mouse shows frame 4.
    TMenuHandle menu(CreateMenu());
    f.WindowMenu = menu.get(), f.HotObject = nullptr;
    f.LayoutButtons();
    Button(5).MouseHover();
    EXPECT_EQ(Pixel(At(5)), kFrame[4]);
}

TEST_F(CaptionButtons, HitTestMakesTheSkinnedBandsCaptionAndMenuAndKeepsTheBorders) {
    TPlainWindow popup(WS_POPUP | WS_VISIBLE, kWidth, 200);
    TOwned<TWinSkinForm> hit(new TWinSkinForm(nullptr));
    hit->Handle = popup.get();
    hit->BorderLeft = hit->BorderRight = hit->BorderBottom = 8, hit->BorderTop = 24, hit->MenuHeight = 20;
    TWindowSubclass route(popup.get(), [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_NCCALCSIZE && wp) {
            RECT& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0];
            r = {r.left + 8, r.top + 44, r.right - 8, r.bottom - 8};
            return 0;
        }
        if (m != WM_NCHITTEST) return TWindowSubclass::CallNext(w, m, wp, lp);
        TMessage message{m, wp, lp, 0};
        hit->NcHitTest(message);
        return message.Result;
    });
    SetWindowPos(popup.get(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    auto test = [&](int x, int y) {
        RECT r{};
        GetWindowRect(popup.get(), &r);
        return SendMessageW(popup.get(), WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    const std::vector<std::tuple<int, int, LRESULT>> points{{150, 3, HTNOWHERE}, {150, 4, HTCAPTION},
                                                            {3, 24, HTCAPTION},  {150, 25, HTMENU},
                                                            {150, 43, HTMENU},   {150, 44, HTCLIENT},
                                                            {3, 100, HTCAPTION}};
    for (const auto& [x, y, code] : points) EXPECT_EQ(test(x, y), code) << x << "," << y;
    SetWindowLongPtrW(popup.get(), GWL_STYLE, WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
    EXPECT_EQ(test(0, 100), HTLEFT);
    EXPECT_EQ(test(150, 0), HTTOP);
    EXPECT_EQ(test(150, 10), HTCAPTION);
}

TEST_F(CaptionButtons, HoverLightsTheButtonUntilTheCursorLeavesIt) {
    UseButtons({{0, 1, 40, 4, 0, 0}});
    Attach();
    const POINT close = At(0);
    EXPECT_EQ(Pixel(close), kFrame[1]);
    Send(WM_NCMOUSEMOVE, close);
    EXPECT_EQ(skinner_->HotObject, &Button(0));
    EXPECT_EQ(Pixel(close), kFrame[3]);

    RECT r{};
    GetWindowRect(window_.get(), &r);
    SetCursorPos(r.left + close.x, r.top + close.y);
    skinner_->HoverCheck();
    EXPECT_EQ(Button(0).State, 3);
    SetCursorPos(r.right + 50, r.bottom + 50);
    skinner_->HoverCheck();
    EXPECT_EQ(skinner_->HotObject, nullptr);
    EXPECT_EQ(Pixel(close), kFrame[1]);

    // Moving off the button leaves it too; an inactive window's caption does not light up.
    Send(WM_NCMOUSEMOVE, close);
    Send(WM_NCMOUSEMOVE, {150, 10});
    EXPECT_EQ(Button(0).State, 1);
    skinner_->Active = false;
    Send(WM_NCMOUSEMOVE, close);
    Send(WM_NCMOUSEMOVE, {150, 10});
    EXPECT_EQ(Button(0).State, 1);
    EXPECT_EQ(Passed(WM_NCMOUSEMOVE), std::vector<WPARAM>{HTCAPTION});
}

TEST_F(CaptionButtons, ClicksCloseAndToggleMaximiseUnlessTheWindowHasNoMaximiseBox) {
    UseButtons({{0, 1, 40, 4, 0, 0}, {1, 1, 70, 4, 0, 0}});
    Attach();
    HWND wnd = window_.get();
    Send(WM_NCLBUTTONDOWN, At(0));
    EXPECT_EQ(Pixel(At(0)), kFrame[2]);
    Send(WM_NCLBUTTONUP, At(1));  // released over another button: nothing
    EXPECT_FALSE(TakePosted(wnd, WM_SYSCOMMAND));
    Send(WM_NCLBUTTONUP, At(0));
    EXPECT_EQ(Pixel(At(0)), kFrame[3]);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_CLOSE);
    Click(1);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_MAXIMIZE);
    EXPECT_EQ(skinner_->WindowState, stateMaximized);
    Click(1);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_RESTORE);
    EXPECT_EQ(skinner_->WindowState, stateNormal);
    EXPECT_TRUE(Passed(WM_NCLBUTTONDOWN).empty() && Passed(WM_NCLBUTTONUP).empty());

    skinner_->Caps &= ~capMaximize;
    Repaint();
    EXPECT_EQ(Pixel(At(1)), kFrame[4]);
    Send(WM_NCLBUTTONDOWN, At(1));
    EXPECT_EQ(Pixel(At(1)), kFrame[4]);
    Send(WM_NCLBUTTONUP, At(1));
    EXPECT_FALSE(TakePosted(wnd, WM_SYSCOMMAND));
}

TEST_F(CaptionButtons, CaptionDoubleClicksAndPressesOfAMaximisedWindow) {
    UseButtons({{0, 1, 40, 4, 0, 0}, {3, 0, 6, 4, 0, 0, 0}});
    Attach();
    HWND wnd = window_.get();
    const POINT caption{150, 10};
    Send(WM_NCLBUTTONDBLCLK, caption);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_MAXIMIZE);
    Send(WM_NCLBUTTONDOWN, caption);  // a maximised window cannot be dragged
    Send(WM_NCLBUTTONDBLCLK, caption);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_RESTORE);
    skinner_->Caps &= ~capMaximize;
    Send(WM_NCLBUTTONDOWN, caption);
    Send(WM_NCLBUTTONDBLCLK, caption);
    EXPECT_EQ(Passed(WM_NCLBUTTONDOWN), (std::vector<WPARAM>{HTMENU, HTCAPTION}));
    EXPECT_EQ(Passed(WM_NCLBUTTONDBLCLK), std::vector<WPARAM>{HTCAPTION});

    // The icon button takes the small icon's size, drawn on magenta; a double click on it closes
    // the window at once.
    const int size = GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(data_->SysButtons[1]->Frame, 1);
    EXPECT_EQ(data_->SysButtons[1]->Bitmap->Width(), size);
    const std::vector<uint32_t> magenta(size_t(size * size), 0xFF00FF);
    EXPECT_EQ(GetBitmapPixels(skinner_->IconBitmap).Pixels, magenta);
    SendMessageW(wnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION)));
    EXPECT_NE(GetBitmapPixels(skinner_->IconBitmap).Pixels, magenta);
    Send(WM_NCLBUTTONDBLCLK, At(0));
    EXPECT_FALSE(TakePosted(wnd, WM_SYSCOMMAND));
    Send(WM_NCLBUTTONDBLCLK, At(1));
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), SC_CLOSE);
    EXPECT_EQ(Passed(WM_NCLBUTTONDBLCLK).size(), 1u);
}

TEST_F(CaptionButtons, RightClickAndIconOpenTheSystemMenuASecondIconClickCloses) {
    UseButtons({{3, 0, 6, 4, 0, 0, 0}});
    Attach();
    HWND wnd = window_.get();
    skinner_->DoubleClickTime = 60000;  // any second click counts as quick
    skinner_->LastSysMenuTime = GetTickCount() - 120000;
    {
        TMenuSpy spy;
        Send(WM_NCRBUTTONDOWN, {150, 10});
        EXPECT_EQ(GetMenuItemCount(spy.Menu), GetMenuItemCount(skinner_->SystemMenu));
    }
    ASSERT_NE(skinner_->SysMenuPopup, nullptr);
    EXPECT_EQ(skinner_->SysMenuPopup->Tag(), 33333);
    EXPECT_EQ(skinner_->SysMenuPopup->Images(), data_->MenuImages.get());
    Click(0);
    EXPECT_TRUE(TakePosted(wnd, WM_CLOSE));

    skinner_->DoubleClickTime = -1;
    TMenuSpy spy;
    Click(0);
    EXPECT_NE(spy.Menu, nullptr);
    EXPECT_FALSE(TakePosted(wnd, WM_CLOSE));
    EXPECT_TRUE(Passed(WM_NCRBUTTONDOWN).empty());
    skinner_->MDIKind = mkChild;  // an MDI child's system menu is the system's own
    Send(WM_NCRBUTTONDOWN, {150, 10});
    EXPECT_EQ(Passed(WM_NCRBUTTONDOWN), std::vector<WPARAM>{HTCAPTION});
}

TEST_F(CaptionButtons, RightClickOnAButtonAndTheMenuKeyWithoutAMenuAreSwallowed) {
    UseButtons({{0, 1, 40, 4, 0, 0}});
    Attach();
    HWND wnd = window_.get();
    skinner_->DoubleClickTime = -1;
    {
        TMenuSpy spy;
        Send(WM_NCRBUTTONDOWN, At(0));
        EXPECT_EQ(spy.Menu, nullptr);
    }
    EXPECT_EQ(skinner_->SysMenuPopup, nullptr);
    EXPECT_TRUE(Passed(WM_NCRBUTTONDOWN).empty());

    // The menu key alone is answered without a menu to open; a letter no menu has goes on.
    EXPECT_EQ(SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
    EXPECT_TRUE(Passed(WM_SYSCOMMAND).empty());
    SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, 'q');
    EXPECT_EQ(Passed(WM_SYSCOMMAND), std::vector<WPARAM>{SC_KEYMENU});
}

TEST_F(CaptionButtons, TheMenuKeyAloneOpensTheFirstMenuOfTheBand) {
    TMenuHandle menu(CreateMenu());
    HMENU first = CreatePopupMenu(), second = CreatePopupMenu();
    AppendMenuA(first, MF_STRING, 101, "Open");
    AppendMenuA(second, MF_STRING, 201, "About");
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(first), "&File");
    AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(second), "&Help");
    SetMenu(window_.get(), menu.get());
    UseButtons({});
    Attach();
    ASSERT_NE(skinner_->MenuBar, nullptr);
    TMenuSpy spy;
    EXPECT_EQ(SendMessageW(window_.get(), WM_SYSCOMMAND, SC_KEYMENU, 0), 1);
    EXPECT_EQ(spy.Menu, first);
    EXPECT_TRUE(Passed(WM_SYSCOMMAND).empty());
    SetMenu(window_.get(), nullptr);
}

TEST_F(CaptionButtons, SystemMenuCopiesTheWindowsItemsWithTheStatesOfTheWindow) {
    UseButtons({});
    Attach();
    HMENU system = skinner_->SystemMenu;
    for (UINT command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EnableMenuItem(system, command, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(system, SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_DISABLED);
    SetMenuDefaultItem(system, SC_CLOSE, FALSE);
    CheckMenuItem(system, SC_SIZE, MF_BYCOMMAND | MF_CHECKED);
    skinner_->Caps = capSysMenu | capMinimize;
    auto item = [&](UINT command) -> TMenuItem& {
        TMenuItem* items = skinner_->SysMenuPopup->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Tag() == int32_t(command)) return *items->Items(i);
        throw std::runtime_error("no item");
    };
    skinner_->BuildSysMenuPopup();
    ASSERT_EQ(skinner_->SysMenuPopup->Items()->Count(), GetMenuItemCount(system));
    char text[100] = {};
    GetMenuStringA(system, SC_MINIMIZE, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(item(SC_MINIMIZE).Caption(), text);
    EXPECT_EQ(item(0).Caption(), "-");
    const std::vector<std::tuple<UINT, int, bool>> normal{{SC_RESTORE, 0, false},  {SC_MOVE, -1, false},
                                                          {SC_SIZE, -1, true},     {SC_MINIMIZE, 2, true},
                                                          {SC_MAXIMIZE, 1, false}, {SC_CLOSE, 3, false}};
    for (const auto& [command, image, enabled] : normal) {
        EXPECT_EQ(item(command).ImageIndex(), image) << command;
        EXPECT_EQ(item(command).Enabled(), enabled) << command;
        EXPECT_EQ(item(command).Checked(), command == SC_SIZE) << command;
    }
    skinner_->WindowState = stateMaximized;
    skinner_->BuildSysMenuPopup();
    EXPECT_TRUE(item(SC_RESTORE).Enabled() && !item(SC_SIZE).Enabled() && item(SC_MINIMIZE).Enabled());
    item(SC_MINIMIZE).Click();
    EXPECT_EQ(TakePosted(window_.get(), WM_SYSCOMMAND), SC_MINIMIZE);

    // The items are the skin's: owner-drawn by its item painter, widened by its measure.
    EXPECT_TRUE(skinner_->SysMenuPopup->OwnerDraw());
    auto paint = [&](const std::function<void(HDC)>& draw) {
        TBitmap image;
        image.SetSize(120, 20);
        draw(image.Canvas().Handle());
        return GetBitmapPixels(image).Pixels;
    };
    const RECT rect{0, 0, 120, 20};
    EXPECT_EQ(paint([&](HDC dc) { item(SC_CLOSE).DrawItem(dc, rect, true); }),
              paint([&](HDC dc) { DrawMenuItem(*data_, dc, item(SC_CLOSE), rect, true); }));
    TWindowDC screen(nullptr);
    int width = 0, own = 0, added = 0, height = 0;
    item(SC_CLOSE).MeasureItem(screen.get(), width, height);
    item(SC_CLOSE).OnMeasureItem = nullptr;
    item(SC_CLOSE).MeasureItem(screen.get(), own, height);
    MeasurePopupItem(*data_, item(SC_CLOSE), added);
    EXPECT_GT(added, 0);
    EXPECT_EQ(width, own + added);
}

}  // namespace
}  // namespace velloran
