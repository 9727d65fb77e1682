// The skinned menu bar of a form with a real menu, on both project skins: the band against the
// skin's MenuBar strip, and the drop-downs driven by real pointer input (xdotool) and real keys
// (SendInput) while the system tracks them.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/FormReader.h"
#include "framework/Menus.h"
#include "skin/form/WinSkinMenu.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/skin/SkinFormTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr char kMenuFormData[] = R"(object MenuBarForm: TMenuBarForm
  Left = 40
  Top = 40
  Width = 420
  Height = 240
  Caption = 'Menu bar'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object FileMenu: TMenuItem
      Caption = '&File'
      object OpenItem: TMenuItem
        Caption = '&Open'
      end
      object FileLine: TMenuItem
        Caption = '-'
      end
      object ExitItem: TMenuItem
        Caption = 'E&xit'
      end
    end
    object EditMenu: TMenuItem
      Caption = '&Edit'
      object CutItem: TMenuItem
        Caption = 'Cu&t'
      end
    end
    object ViewMenu: TMenuItem
      Caption = '&View'
      object ZoomItem: TMenuItem
        Caption = '&Zoom'
        object ZoomInItem: TMenuItem
          Caption = '&In'
        end
      end
    end
    object HelpMenu: TMenuItem
      Caption = '&Help'
      object AboutItem: TMenuItem
        Caption = '&About'
      end
    end
  end
end
)";

class TMenuBarForm : public TForm {
    VELLORAN_CLASS(TMenuBarForm)
public:
    explicit TMenuBarForm(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kMenuFormData); }
    TMenuItem& Item(const char* name) { return *static_cast<TMenuItem*>(FindComponent(name)); }
};

const TClassInfo& TMenuBarForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMenuBarForm>("TMenuBarForm", &TForm::StaticClassInfo());
    return info;
}

// The visible drop-down of this thread, or null.
HWND OpenPopupWindow() {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) return w;
    return nullptr;
}

HMENU OpenMenu() {
    HWND w = OpenPopupWindow();
    return w ? reinterpret_cast<HMENU>(SendMessageA(w, MN_GETHMENU, 0, 0)) : nullptr;
}

// Runs steps from a thread timer, so that they also run inside the system's menu loop. A step
// answers whether it is done; the driver records every drop-down it sees open, and closes a
// menu left open after its deadline so that a failing test ends.
class TMenuDriver {
public:
    using TStep = std::function<bool()>;
    explicit TMenuDriver(std::vector<TStep> steps) : steps_(std::move(steps)) {
        driver_ = this;
        timer_ = SetTimer(nullptr, 0, 10, &Tick);
    }
    ~TMenuDriver() {
        KillTimer(nullptr, timer_);
        driver_ = nullptr;
    }
    TMenuDriver(const TMenuDriver&) = delete;
    TMenuDriver& operator=(const TMenuDriver&) = delete;

    bool Done() const { return next_ == steps_.size(); }
    bool Finish() { return PumpUntil([this] { return Done() && !OpenPopupWindow(); }, 8000); }
    std::vector<HMENU> Seen;  // the drop-downs seen open, each once per opening

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TMenuDriver* d = driver_;
        if (!d) return;
        const HMENU open = OpenMenu();
        if (open && (d->Seen.empty() || d->Seen.back() != open || d->lastClosed_)) d->Seen.push_back(open);
        d->lastClosed_ = open == nullptr;
        if (!d->Done() && d->steps_[d->next_]()) ++d->next_;
        if (open && ++d->ticks_ > 600) EndMenu();
    }
    static inline TMenuDriver* driver_ = nullptr;
    std::vector<TStep> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool lastClosed_ = true;
};

// A step: once the menu is open, run the action.
TMenuDriver::TStep WhenOpen(HMENU menu, std::function<void()> action) {
    return [menu, action = std::move(action)] {
        if (OpenMenu() != menu) return false;
        action();
        return true;
    };
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [vk, up] : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        if (vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Press(WORD vk) { SendKeys({{vk, false}, {vk, true}}); }
void AltAnd(WORD vk) { SendKeys({{VK_MENU, false}, {vk, false}, {vk, true}, {VK_MENU, true}}); }

// The band of the window as the screen shows it, and the same band composed from the skin's
// strip with the frame.
struct TBand {
    TDecodedBitmap Shot, Expected;
    RECT Rect;
};

TBand BandOf(const TWinSkinForm& skinner, int frame) {
    RECT window{};
    GetWindowRect(skinner.Handle, &window);
    const RECT band{skinner.BorderLeft, skinner.BorderTop, (window.right - window.left) - skinner.BorderRight,
                    skinner.BorderTop + skinner.MenuHeight};
    TDataSkinObject& bar = *skinner.SkinData->MenuBar;
    TBitmap expected;
    expected.SetSize(band.right - band.left, band.bottom - band.top);
    const RECT local{0, 0, band.right - band.left, band.bottom - band.top};
    if (bar.Tile == 1)
        DrawSkinObject(expected.Canvas().Handle(), local, *bar.Bitmap, true, false, false, 2, frame, bar.Margins());
    else
        TileStrip(expected.Canvas().Handle(), local, *bar.Bitmap, true, false, 2, frame, bar.Margins());
    return {ScreenPixels(skinner.Handle), GetBitmapPixels(expected), band};
}

// Pixels of the band, outside every button, that differ from the composed strip.
int BandMismatches(const TWinSkinForm& skinner, const TBand& band) {
    int count = 0;
    for (int y = band.Rect.top; y < band.Rect.bottom; ++y)
        for (int x = band.Rect.left; x < band.Rect.right; ++x) {
            bool onButton = false;
            for (const auto& button : skinner.MenuBar->Buttons) onButton |= PtInRect(&button->Rect, POINT{x, y}) != 0;
            if (!onButton) count += PixelAt(band.Shot, x, y) != PixelAt(band.Expected, x - band.Rect.left, y - band.Rect.top);
        }
    return count;
}

POINT ScreenCentre(const TWinSkinForm& skinner, const RECT& r) {
    RECT window{};
    GetWindowRect(skinner.Handle, &window);
    return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
}

class MenuBar : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        form_ = app_.Frame;
        skinner_ = ShowSkinned(form_->Handle());
        ASSERT_NE(skinner_, nullptr);
        ASSERT_NE(skinner_->MenuBar, nullptr);
        ASSERT_EQ(Bar().Buttons.size(), 4u);
        PumpFor(50);
    }
    TWinSkinMenu& Bar() const { return *skinner_->MenuBar; }
    TMenuBtn& Button(int i) const { return *Bar().Buttons.at(static_cast<size_t>(i)); }
    HMENU Sub(int i) const { return Button(i).SubMenu; }
    POINT ButtonCentre(int i) const { return ScreenCentre(*skinner_, Button(i).Rect); }

    TSkinnedProcess skinning_{GetParam()};
    TMdiApplication<TMenuBarForm> app_;
    TMenuBarForm* form_ = nullptr;
    TWinSkinForm* skinner_ = nullptr;
};

TEST_P(MenuBar, BuildsOneButtonPerItemAndPaintsTheStripsActiveAndInactiveFrames) {
    EXPECT_EQ(GetMenu(form_->Handle()), nullptr);
    const struct {
        const wchar_t* Caption;
        const char* Item;
    } buttons[] = {{L"&File", "FileMenu"}, {L"&Edit", "EditMenu"}, {L"&View", "ViewMenu"}, {L"&Help", "HelpMenu"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Button(i).Caption, buttons[i].Caption);
        EXPECT_NE(Sub(i), nullptr);
        EXPECT_EQ(Button(i).Command, form_->Item(buttons[i].Item).Command());
    }
    // Left to right from the strip's left margin, each slot its caption and 10 pixels wide.
    EXPECT_EQ(Button(0).Rect.left, skinner_->BorderLeft + skinner_->SkinData->MenuBar->LeftWidth + 4);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(Button(i).Rect.left, Button(i - 1).Rect.right);
    EXPECT_GT(Button(0).Rect.right - Button(0).Rect.left, 10);

    TPlainWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80);
    MoveWindow(other.get(), 600, 400, 100, 80, TRUE);  // clear of the band
    for (const int frame : {1, 2}) {
        SCOPED_TRACE(frame);
        SetForegroundWindow(frame == 1 ? form_->Handle() : other.get());
        SetWindowPos(form_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntil([&] { return skinner_->Active == (frame == 1); }));
        PumpFor(50);
        const TBand band = BandOf(*skinner_, frame);
        ASSERT_NE(band.Expected.Pixels, BandOf(*skinner_, 3 - frame).Expected.Pixels);
        EXPECT_EQ(BandMismatches(*skinner_, band), 0);
        // The captions are drawn over it: a button differs from the bare strip.
        RECT r = Button(0).Rect;
        int differing = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                differing += PixelAt(band.Shot, x, y) != PixelAt(band.Expected, x - band.Rect.left, y - band.Rect.top);
        EXPECT_GT(differing, 0);
    }
}

TEST_P(MenuBar, AHotButtonIsFramedInTheHighlightColourAndHotTrackingOpensItsMenu) {
    TMenuDriver driver({WhenOpen(Sub(2), [] { EndMenu(); })});
    const POINT view = ButtonCentre(2);
    EXPECT_EQ(SendMessageW(form_->Handle(), SM_MENUHOTTRACK, 0, MAKELPARAM(view.x, view.y)), 0);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(driver.Seen, std::vector<HMENU>{Sub(2)});

    if (!HasXinputRelay()) GTEST_SKIP() << "no xdotool relay";
    const RECT r = Button(1).Rect;
    const uint32_t hilight = SkinColour(*skinner_->SkinData, ciButtonHilight);
    const auto framed = [&] {
        PumpFor(100);  // the window's drawing reaches the screen
        const TDecodedBitmap shot = ScreenPixels(form_->Handle());
        int onFrame = 0;
        for (int x = r.left; x < r.right; ++x) onFrame += (PixelAt(shot, x, r.top) == hilight) + (PixelAt(shot, x, r.bottom - 1) == hilight);
        for (int y = r.top; y < r.bottom; ++y) onFrame += (PixelAt(shot, r.left, y) == hilight) + (PixelAt(shot, r.right - 1, y) == hilight);
        return onFrame == 2 * ((r.right - r.left) + (r.bottom - r.top));
    };
    ASSERT_TRUE(XMoveTo({ButtonCentre(3).x, ButtonCentre(3).y + 200}));
    EXPECT_FALSE(framed());
    ASSERT_TRUE(XMoveTo(ButtonCentre(1)));
    EXPECT_TRUE(PumpUntil([&] { return skinner_->HotObject == &Button(1); }));
    EXPECT_TRUE(framed());
    ASSERT_TRUE(XMoveTo({ButtonCentre(3).x, ButtonCentre(3).y + 200}));
    EXPECT_TRUE(PumpUntil([&] { return skinner_->HotObject == nullptr; }));
    EXPECT_FALSE(framed());
}

TEST_P(MenuBar, MovingThePointerAlongTheOpenBarSwitchesDropDownsWithoutAClick) {
    if (!HasXinputRelay()) GTEST_SKIP() << "no xdotool relay";
    TMenuDriver driver({WhenOpen(Sub(0), [&] { Xdotool(XMouseMove(ButtonCentre(1))); }),
                        WhenOpen(Sub(1), [&] { Xdotool(XMouseMove(ButtonCentre(3))); }),
                        WhenOpen(Sub(3), [&] { Xdotool(XMouseMove(ButtonCentre(2))); }),
                        WhenOpen(Sub(2), [] { EndMenu(); })});
    ASSERT_TRUE(XClickAt(ButtonCentre(0)));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(driver.Seen, (std::vector<HMENU>{Sub(0), Sub(1), Sub(3), Sub(2)}));
    EXPECT_FALSE(MenuLoopHookInstalled());
    EXPECT_FALSE(skinner_->MenuTracking);
}

TEST_P(MenuBar, ArrowsWrapAroundTheBarOpenSubmenusAndAChosenItemRunsOnce) {
    const HMENU zoom = GetSubMenu(Sub(2), 0);
    ASSERT_NE(zoom, nullptr);
    bool hookDuringLoop = false;
    TMenuDriver driver({WhenOpen(Sub(3), [&] {
                            hookDuringLoop = MenuLoopHookInstalled();
                            Press(VK_RIGHT);
                        }),
                        WhenOpen(Sub(0), [] { Press(VK_LEFT); }), WhenOpen(Sub(3), [] { Press(VK_LEFT); }),
                        // View's first item has a submenu: Right opens it, Left closes it again.
                        WhenOpen(Sub(2), [] { Press(VK_RIGHT); }), WhenOpen(zoom, [] { Press(VK_LEFT); }),
                        WhenOpen(Sub(2), [] { EndMenu(); })});
    PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'h');
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(driver.Seen, (std::vector<HMENU>{Sub(3), Sub(0), Sub(3), Sub(2), zoom, Sub(2)}));
    EXPECT_TRUE(hookDuringLoop);
    EXPECT_FALSE(MenuLoopHookInstalled());

    int opened = 0;
    form_->Item("OpenItem").OnClick = [&](TObject*) { ++opened; };
    // The first item is selected on opening: Enter chooses "Open".
    TMenuDriver choose({WhenOpen(Sub(0), [] { Press(VK_RETURN); })});
    PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(choose.Finish());
    PumpFor(100);
    EXPECT_EQ(opened, 1);
}

TEST_P(MenuBar, AClickOnAnItemRunsItsCommandOnce) {
    if (!HasXinputRelay()) GTEST_SKIP() << "no xdotool relay";
    int cut = 0;
    form_->Item("CutItem").OnClick = [&](TObject*) { ++cut; };
    TMenuDriver driver({WhenOpen(Sub(1), [&] {
        RECT item{};
        GetMenuItemRect(nullptr, Sub(1), 0, &item);
        Xdotool(XMouseMove({(item.left + item.right) / 2, (item.top + item.bottom) / 2}));
        Xdotool("click 1");
    })});
    ASSERT_TRUE(XClickAt(ButtonCentre(1)));
    ASSERT_TRUE(driver.Finish());
    PumpFor(100);
    EXPECT_EQ(cut, 1);
    EXPECT_EQ(driver.Seen, std::vector<HMENU>{Sub(1)});
}

TEST_P(MenuBar, AltAndALetterOpenTheMarkedMenuAlsoFromASecondaryForm) {
    TMenuDriver driver({WhenOpen(Sub(1), [] { EndMenu(); })});
    AltAnd('E');
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(driver.Seen, std::vector<HMENU>{Sub(1)});

    // A form without that button hands the key to the main form.
    TOwned<TForm> second(new TForm(nullptr));
    second->SetBounds(300, 300, 200, 120);
    ASSERT_NE(ShowSkinned(second->Handle()), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == second->Handle(); }));
    TMenuDriver forwarded({WhenOpen(Sub(2), [] { EndMenu(); })});
    AltAnd('V');
    ASSERT_TRUE(forwarded.Finish());
    EXPECT_EQ(forwarded.Seen, std::vector<HMENU>{Sub(2)});

    // A letter no caption marks opens nothing.
    SetForegroundWindow(form_->Handle());
    TMenuDriver none({});
    AltAnd('Q');
    PumpFor(200);
    EXPECT_TRUE(none.Seen.empty());
}

TEST_P(MenuBar, OpeningNavigatingAndClosingLeaksNoHandles) {
    const auto cycle = [&] {
        TMenuDriver driver({WhenOpen(Sub(0), [] { PostMessageW(OpenPopupWindow(), WM_KEYDOWN, VK_RIGHT, 0); }),
                            WhenOpen(Sub(1), [] { EndMenu(); })});
        PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return driver.Finish() && driver.Seen == std::vector<HMENU>{Sub(0), Sub(1)};
    };
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(cycle());
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    int failed = 0;
    for (int i = 0; i < 500; ++i) failed += !cycle();
    PumpFor(50);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
}

TEST_P(MenuBar, SwitchingSkinningOffGivesTheWindowItsMenuBack) {
    const HMENU menu = Bar().MenuHandle;
    ASSERT_EQ(menu, form_->Menu()->Handle());
    skinning_.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning_.Manager().FormSkinners().empty(); }));
    EXPECT_EQ(GetMenu(form_->Handle()), menu);
}

INSTANTIATE_TEST_SUITE_P(Skins, MenuBar, ::testing::Values("Default", "Contrast"));

// ---- right to left ---------------------------------------------------------------------

TEST(MenuBarRightToLeft, ButtonsRunFromTheRightAndTheArrowsSwap) {
    TSkinnedProcess skinning;
    TMdiApplication<TMenuBarForm> app;
    app.Frame->SetBiDiMode(bdRightToLeft);
    app.Frame->Menu()->SetRightToLeft(true);
    TWinSkinForm* skinner = ShowSkinned(app.Frame->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(skinner->MenuBar, nullptr);
    TWinSkinMenu& bar = *skinner->MenuBar;
    ASSERT_TRUE(bar.RightToLeft());
    RECT window{};
    GetWindowRect(skinner->Handle, &window);
    const int bandRight = (window.right - window.left) - skinner->BorderRight;
    EXPECT_EQ(bar.Buttons[0]->Rect.right, bandRight - skinner->SkinData->MenuBar->RightWidth - 8);
    for (size_t i = 1; i < bar.Buttons.size(); ++i) EXPECT_EQ(bar.Buttons[i]->Rect.right, bar.Buttons[i - 1]->Rect.left);

    auto sub = [&](int i) { return bar.Buttons.at(static_cast<size_t>(i))->SubMenu; };
    // Left goes on to the next menu, which is on the left; Right from the first wraps to the last.
    TMenuDriver driver({WhenOpen(sub(0), [] { Press(VK_LEFT); }), WhenOpen(sub(1), [] { Press(VK_RIGHT); }),
                        WhenOpen(sub(0), [] { Press(VK_RIGHT); }), WhenOpen(sub(3), [] { EndMenu(); })});
    PostMessageW(skinner->Handle, WM_SYSCOMMAND, SC_KEYMENU, 0);
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(driver.Seen, (std::vector<HMENU>{sub(0), sub(1), sub(0), sub(3)}));
}

}  // namespace
}  // namespace velloran
