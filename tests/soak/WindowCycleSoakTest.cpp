// Every window and menu of the program opened and hidden again many times by the real pointer
// (xdotool): the tray menu, the status window from the tray icon, its system menu, the two list
// editors, the Yahoo! ID box and the help box, each from the tray menu. Each must open and go
// again on every cycle, and the process must give back every object and byte it took.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "skin/form/WinSkinForm.h"
#include "skin/manager/SkinManage.h"
#include "tests/app/AppTestSupport.h"
#include "tests/skin/MenuScript.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/soak/ProcessFigures.h"

namespace velloran::soak {
namespace {

using namespace apptest;
using skintest::TMenuScript;
using skintest::Xdotool;

// Positions of the tray menu's shown items.
enum class TTrayItem { ChangeStatus = 0, DefineQuotes = 1, DefineLyrics = 2, ChangeYahooId = 3, Help = 7 };

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT WindowCentre(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return Centre(r);
}

// The real pointer moved, and the click sent once the system's own cursor has arrived (this
// program's message pump, not the framework tests'). A click on a spot clicked less than the
// double-click time ago would reach the program as a double click, clicks elsewhere in between
// or not (a cycle's first click lands where the last cycle's did): it waits that time out.
bool RealClick(POINT p, const char* click = "click 1") {
    struct TClick {
        POINT At;
        DWORD Time;
    };
    static std::vector<TClick> recent;
    const DWORD apart = GetDoubleClickTime() + 100;
    for (const TClick& c : recent) {
        const DWORD since = GetTickCount() - c.Time;
        if (since < apart && std::abs(p.x - c.At.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
            std::abs(p.y - c.At.y) <= GetSystemMetrics(SM_CYDOUBLECLK))
            PumpFor(static_cast<int>(apart - since));
    }
    std::erase_if(recent, [apart](const TClick& c) { return GetTickCount() - c.Time >= apart; });
    const auto arrived = [p] {
        POINT at{};
        return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
    };
    const bool clicked = Xdotool(skintest::XMouseMove(p)) && PumpUntil(arrived, 2000) && Xdotool(click);
    recent.push_back({p, GetTickCount()});
    return clicked;
}

// The program's icon: the only one in Wine's tray window, in its first square slot.
POINT TrayIconCentre() {
    const HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
    RECT client{};
    GetClientRect(tray, &client);
    POINT p{client.bottom / 2, client.bottom / 2};
    ClientToScreen(tray, &p);
    return p;
}

bool PopupShown(HMENU menu) {
    for (const auto& popup : TSkinManage::Instance()->PopupSkinners())
        if (popup->MenuHandle == menu && IsWindowVisible(popup->Window)) return true;
    return false;
}

bool NoPopupLeft() { return TSkinManage::Instance()->PopupSkinners().empty(); }

HWND ShownWindow(const char* caption) {
    const HWND wnd = FindWindowA(nullptr, caption);
    return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

HWND ButtonOf(HWND box, const char* caption) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[32] = "";
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text) == caption) return child;
    }
    return nullptr;
}

class WindowCycleSoak : public TProgramWindowsTest {
protected:
    void SetUp() override {
        TProgramWindowsTest::SetUp();
        CreateForms();
        // A click on this window of the program's own closes a menu without choosing anything.
        bystander_.emplace(WS_POPUP | WS_VISIBLE, 80, 60);
        SetWindowPos(bystander_->get(), HWND_TOP, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        // The deferred skin work after the first activation would close a menu opened before it.
        PumpFor(700);
    }
    void TearDown() override {
        bystander_.reset();
        TProgramWindowsTest::TearDown();
    }

public:

    // The tray menu opened by a right click on the icon; `whileOpen` steps then run inside its
    // modal loop (and inside any box its command opens) until the last one is done.
    bool ThroughTrayMenu(std::vector<TMenuScript::TStep> whileOpen, const std::function<bool()>& doneAfter) {
        HMENU menu = MainForm->PopupMenu->Handle();
        std::vector<TMenuScript::TStep> steps{[menu] { return PopupShown(menu); }};
        steps.insert(steps.end(), whileOpen.begin(), whileOpen.end());
        TMenuScript script{steps, true};
        const bool ran = script.Run([&] {
            if (RealClick(TrayIconCentre(), "click 3"))
                PumpUntil([&] { return script.Next == script.Steps.size() && doneAfter(); });
        });
        return ran && PumpUntil(doneAfter) && PumpUntil(NoPopupLeft);
    }

    bool ChooseFromTrayMenu(TTrayItem item, std::vector<TMenuScript::TStep> then, const std::function<bool()>& doneAfter) {
        HMENU menu = MainForm->PopupMenu->Handle();
        std::vector<TMenuScript::TStep> steps{[menu, item] {
            RECT r{};
            GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &r);
            return RealClick(Centre(r));
        }};
        steps.insert(steps.end(), then.begin(), then.end());
        return ThroughTrayMenu(steps, doneAfter);
    }

    bool CloseMenuAside() { return RealClick(WindowCentre(bystander_->get())); }

    static bool HideByButton(TForm& form, TWinControl& button) {
        return PumpUntil([&] { return form.Visible(); }) && RealClick(WindowCentre(button.Handle())) &&
               PumpUntil([&] { return !form.Visible(); });
    }

    // A modal box of the program's, shown from a menu command, closed by a click on its button.
    static TMenuScript::TStep ClickInBox(const char* caption, const char* button) {
        return [caption, button] {
            const HWND box = ShownWindow(caption);
            return box && RealClick(WindowCentre(ButtonOf(box, button)));
        };
    }

private:
    std::optional<skintest::TPlainWindow> bystander_;
};

// Whether name is one of the comma-separated names in list.
bool NamedIn(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        if (list.substr(0, comma) == name) return true;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

struct TCycleCase {
    const char* Name;
    std::function<bool(WindowCycleSoak&)> Cycle;
};

TEST_F(WindowCycleSoak, EachWindowAndMenuOpensAndHidesByTheRealPointerAndTheProcessStaysFlat) {
    if (!skintest::HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    ASSERT_NE(FindWindowA("__winex11_standalone_tray", nullptr), nullptr) << "no tray window to click";
    const auto statusSystemMenuShown = [] {
        TWinSkinForm* skinner = TSkinManage::Instance()->FindFormSkinner(MainForm->Handle());
        return skinner && skinner->SysMenuPopup && PopupShown(skinner->SysMenuPopup->Handle());
    };
    const TCycleCase cases[] = {
        {"tray menu",
         [](WindowCycleSoak& t) { return t.ThroughTrayMenu({[&t] { return t.CloseMenuAside(); }}, [] { return true; }); }},
        {"status window",
         [](WindowCycleSoak&) {
             return RealClick(TrayIconCentre(), "click --repeat 2 --delay 60 1") &&
                    HideByButton(*MainForm, *MainForm->btnCancel);
         }},
        {"status window's system menu",
         [&](WindowCycleSoak& t) {
             // A right click on the bare caption, between the title and the buttons.
             MainForm->Show();
             TWinSkinForm* skinner = TSkinManage::Instance()->FindFormSkinner(MainForm->Handle());
             if (!skinner) return false;
             RECT frame{};
             GetWindowRect(MainForm->Handle(), &frame);
             const POINT caption{frame.left + skinner->BorderLeft + 4, frame.top + skinner->BorderTop / 2};
             TMenuScript script{{statusSystemMenuShown, [&t] { return t.CloseMenuAside(); }}, true};
             const bool ran = script.Run([&] {
                 if (RealClick(caption, "click 3")) PumpUntil([&] { return script.Next == script.Steps.size(); });
             });
             return ran && PumpUntil(NoPopupLeft);
         }},
        {"quote editor",
         [](WindowCycleSoak& t) {
             return t.ChooseFromTrayMenu(TTrayItem::DefineQuotes, {}, [] { return QuotesForm->Visible(); }) &&
                    HideByButton(*QuotesForm, *QuotesForm->btnClose);
         }},
        {"lyric editor",
         [](WindowCycleSoak& t) {
             return t.ChooseFromTrayMenu(TTrayItem::DefineLyrics, {}, [] { return LyricsForm->Visible(); }) &&
                    HideByButton(*LyricsForm, *LyricsForm->btnClose);
         }},
        {"Yahoo! ID box",
         [](WindowCycleSoak& t) {
             return t.ChooseFromTrayMenu(TTrayItem::ChangeYahooId, {ClickInBox("Change Yahoo! ID", "Cancel")},
                                         [] { return !ShownWindow("Change Yahoo! ID"); });
         }},
        {"help box",
         [](WindowCycleSoak& t) {
             return t.ChooseFromTrayMenu(TTrayItem::Help, {ClickInBox("Help", "OK")}, [] { return !ShownWindow("Help"); });
         }},
    };
    const int cycles = SoakCount("VELLORAN_SOAK_CYCLES", 2);
    // VELLORAN_SOAK_WINDOWS="help box,quote editor" runs only the cases named, so that a long run
    // can be split or resumed.
    const char* only = std::getenv("VELLORAN_SOAK_WINDOWS");
    for (const TCycleCase& c : cases) {
        if (only && !NamedIn(only, c.Name)) continue;
        SCOPED_TRACE(c.Name);
        // One cycle first: the first opening skins the window for good.
        ASSERT_TRUE(c.Cycle(*this)) << "warm-up";
        TSoakRun run(std::string("open and hide the ") + c.Name, cycles);
        for (int i = 0; i < cycles; ++i) ASSERT_TRUE(c.Cycle(*this)) << "cycle " << i;
        MainForm->Hide();
        PumpFor(50);
        run.Finish();
    }
}

}  // namespace
}  // namespace velloran::soak
