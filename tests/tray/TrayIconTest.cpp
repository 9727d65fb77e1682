// The tray icon against Wine's notification area: what it hands the shell, the mouse actions
// sent to its window, its popup menu, form data, the shell's restart and the animation.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/tray/TestIcons.h"
#include "tests/tray/TrayTestSupport.h"
#include "tray/TrayIcon.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace traytest;

// Exposes the record and keeps the icon of each filling, which every shell update does.
class TProbeTrayIcon : public TTrayIcon {
public:
    TProbeTrayIcon() : TTrayIcon(nullptr) {}
    const NOTIFYICONDATAA& Record() { return NotifyRecord(); }
    int Fills() const { return static_cast<int>(Shown.size()); }
    std::vector<HICON> Shown;

protected:
    void FillNotifyRecord() override {
        TTrayIcon::FillNotifyRecord();
        Shown.push_back(NotifyRecord().hIcon);
    }
};

// Properties first, then the end of loading, as form data does it.
TOwned<TProbeTrayIcon> LoadedTray(const std::function<void(TProbeTrayIcon&)>& setup) {
    TOwned<TProbeTrayIcon> tray(new TProbeTrayIcon);
    tray->SetState(csLoading, true);
    setup(*tray);
    tray->Loaded();
    return tray;
}

void WithIcon(TProbeTrayIcon& tray) { PaintIcon(*tray.Icon(), 0x00FF00); }

LRESULT Send(TTrayIcon& tray, LPARAM action) { return SendMessageA(tray.Handle(), TrayCallbackMessage, 0, action); }

// The events of a tray icon as text, e.g. "down L 8": event, button, shift state.
struct TEventLog {
    std::vector<std::string> Lines;
    std::vector<POINT> Positions;

    explicit TEventLog(TTrayIcon& tray) {
        auto mouse = [this](std::string what) {
            return [this, what](TObject*, TMouseButton button, uint32_t shift, int x, int y) {
                Add(what + " " + "LRM"[button] + " " + std::to_string(shift), x, y);
            };
        };
        tray.OnClick = mouse("click");
        tray.OnMouseDown = mouse("down");
        tray.OnMouseUp = mouse("up");
        tray.OnMouseMove = [this](TObject*, uint32_t shift, int x, int y) {
            Add("move " + std::to_string(shift), x, y);
        };
        tray.OnDblClick = [this](TObject*) { Lines.push_back("dblclick"); };
    }
    void Add(const std::string& line, int x, int y) {
        Lines.push_back(line);
        Positions.push_back({x, y});
    }
};

TEST(TrayIcon, AddsItselfWhenLoadedAndGoesWhenInactiveOrDestroyed) {
    auto tray = LoadedTray([](TProbeTrayIcon& t) {
        WithIcon(t);
        t.SetHint("Velloran|more text");
        EXPECT_FALSE(t.Added());  // nothing reaches the shell while loading
    });
    ASSERT_TRUE(tray->Added());
    EXPECT_TRUE(InShell(tray->Handle()));
    const NOTIFYICONDATAA& record = tray->Record();
    EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 88u : NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(record.hWnd, tray->Handle());
    EXPECT_EQ(record.uID, 0u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0xB054u);
    EXPECT_EQ(record.hIcon, tray->Icon()->Handle());
    EXPECT_STREQ(record.szTip, "Velloran");  // the hint before the bar

    const int fills = tray->Fills();
    tray->SetHint("Velloran|more text");
    EXPECT_EQ(tray->Fills(), fills);  // the same text is no change
    const std::string longHint(70, 'x');
    tray->SetHint(longHint);
    EXPECT_EQ(record.szTip, longHint.substr(0, 63));

    tray->SetActive(false);
    EXPECT_FALSE(InShell(tray->Handle()));
    tray->SetActive(true);
    EXPECT_TRUE(InShell(tray->Handle()));
    const HWND wnd = tray->Handle();
    tray.reset();
    EXPECT_FALSE(InShell(wnd));
}

TEST(TrayIcon, EmptyIconShowsNothingUntilOneIsAssigned) {
    auto tray = LoadedTray([](TProbeTrayIcon&) {});
    EXPECT_FALSE(tray->Added());
    EXPECT_FALSE(InShell(tray->Handle()));
    WithIcon(*tray);
    EXPECT_TRUE(InShell(tray->Handle()));
    tray->Icon()->SetHandle(nullptr);
    EXPECT_FALSE(tray->Added());
    EXPECT_FALSE(InShell(tray->Handle()));
}

TEST(TrayIcon, MouseActionsBecomeEventsAtTheCursor) {
    auto tray = LoadedTray(WithIcon);
    TEventLog log(*tray);
    ASSERT_TRUE(SetCursorPos(321, 234));
    // A double click arrives as down, up, double click, up; a right release without its press
    // is no click.
    for (LPARAM action : {0x200, 0x201, 0x202, 0x203, 0x202, 0x206, 0x207, 0x208, 0x209, 0x205}) Send(*tray, action);
    EXPECT_EQ(log.Lines,
              (std::vector<std::string>{"move 0", "down L 8", "click L 8", "up L 8", "dblclick", "down L 64", "up L 8",
                                        "down R 64", "down M 32", "up M 32", "down M 64", "up R 16"}));
    for (POINT at : log.Positions) EXPECT_TRUE(at.x == 321 && at.y == 234);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Send(*tray, 0x201);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(log.Lines.back(), "down L 13");

    // Disabled, every action goes to the default window procedure.
    log.Lines.clear();
    tray->SetEnabled(false);
    for (LPARAM action = 0x200; action <= 0x209; ++action) EXPECT_EQ(Send(*tray, action), 0);
    EXPECT_TRUE(log.Lines.empty());
}

TEST(TrayIcon, RightClickOpensThePopupMenuAtTheCursor) {
    TOwned<TComponent> form(new TComponent(nullptr));
    auto* popup = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("Exit");
    popup->Items()->Add(item);
    auto tray = LoadedTray(WithIcon);
    tray->SetPopupMenu(popup);
    TEventLog log(*tray);
    ASSERT_TRUE(SetCursorPos(200, 150));
    {
        TMenuSpy spy;
        Send(*tray, 0x205);  // a release alone opens nothing
        EXPECT_EQ(spy.Menu, nullptr);
        Send(*tray, 0x204);
        Send(*tray, 0x205);
        EXPECT_EQ(spy.Menu, popup->Handle());
        EXPECT_TRUE(spy.Rect.left == 200 && spy.Rect.top == 150);
    }
    EXPECT_EQ(popup->PopupComponent(), tray.get());
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"up R 16", "down R 16", "up R 16"}));

    // Without a menu to show, the click is an ordinary one.
    popup->SetAutoPopup(false);
    Send(*tray, 0x204);
    Send(*tray, 0x205);
    EXPECT_EQ(log.Lines[4], "click R 16");
    Free(popup);
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    EXPECT_FALSE(tray->PopupAtCursor(200, 150));
}

TEST(TrayIcon, DoubleClickClicksTheEnabledDefaultItemOrRaisesOnDblClick) {
    TOwned<TComponent> form(new TComponent(nullptr));
    auto* popup = new TPopupMenu(form.get());
    auto* other = new TMenuItem(form.get());
    auto* show = new TMenuItem(form.get());
    popup->Items()->Add(other);
    popup->Items()->Add(show);
    int shows = 0, dblClicks = 0;
    show->OnClick = [&](TObject*) { ++shows; };
    auto tray = LoadedTray(WithIcon);
    tray->SetPopupMenu(popup);
    tray->OnDblClick = [&](TObject*) { ++dblClicks; };

    for (LPARAM action : {0x201, 0x202, 0x203, 0x202}) Send(*tray, action);
    EXPECT_EQ(dblClicks, 1);
    show->SetDefault(true);
    Send(*tray, 0x203);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(dblClicks, 1);
    show->SetEnabled(false);
    Send(*tray, 0x203);
    EXPECT_EQ(dblClicks, 2);
    show->SetEnabled(true);
    tray->SetActive(false);
    EXPECT_FALSE(tray->ClickDefaultItem());
    EXPECT_EQ(shows, 1);
}

TEST(TrayIcon, ErrorOfAHandlerGoesToTheErrorBox) {
    auto tray = LoadedTray(WithIcon);
    tray->OnMouseDown = [](TObject*, TMouseButton, uint32_t, int, int) { throw std::runtime_error("Tray failed"); };
    std::string text;
    TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
        text = MessageBoxText(box);
        PressDialogButton(box, IDOK);
    });
    Send(*tray, 0x201);
    EXPECT_TRUE(watcher.Found());
    EXPECT_EQ(text, "Tray failed");
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    for (uint8_t b : bytes) out += "0123456789ABCDEF"[b >> 4], out += "0123456789ABCDEF"[b & 15];
    return out;
}

TEST(TrayIcon, FormDataCreatesAnAnimatedIconThatShowsOnceRead) {
    RegisterTrayClasses();
    TIcon red, green;
    PaintIcon(red, 0xFF0000);
    PaintIcon(green, 0x00FF00);
    TIconList frames;
    frames.Add(red);
    frames.Add(TIcon{});
    frames.Add(green);
    TOwned<TComponent> root(new TComponent(nullptr));
    ReadRootComponentFromText(*root,
                              "object Root: TComponent\r\n"
                              "  object Menu: TPopupMenu\r\n  end\r\n"
                              "  object Tray: TTrayIcon\r\n"
                              "    Hint = 'Velloran'\r\n"
                              "    Icon.Data = {" +
                                  Hex(green.SaveToBytes()) +
                                  "}\r\n"
                                  "    Icons = {" +
                                  Hex(frames.SaveToBytes()) +
                                  "}\r\n"
                                  "    Animated = True\r\n    Interval = 20\r\n    PopupMenu = Menu\r\n"
                                  "  end\r\nend\r\n");
    auto* tray = dynamic_cast<TTrayIcon*>(root->FindComponent("Tray"));
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(InShell(tray->Handle()));
    EXPECT_EQ(IconColor(*tray->Icon()), 0x00FF00u);
    EXPECT_EQ(tray->Icons()->SaveToBytes(), frames.SaveToBytes());
    EXPECT_EQ(tray->PopupMenu(), root->FindComponent("Menu"));
    // The frames come round in turn; the blank one hides the icon for its turn only.
    for (int frame : {2, 0, 1, 2}) {
        ASSERT_TRUE(PumpUntil([&] { return tray->CurrentIcon() == tray->Icons()->Items(frame); })) << frame;
        EXPECT_EQ(tray->Added(), frame != 1);
    }
}

TEST(TrayIcon, ShellRestartAddsTheActiveIconAgain) {
    auto active = LoadedTray(WithIcon);
    auto inactive = LoadedTray([](TProbeTrayIcon& t) {
        WithIcon(t);
        t.SetActive(false);
    });
    NOTIFYICONDATAA record = active->Record();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return InShell(active->Handle()); }));
    EXPECT_FALSE(InShell(inactive->Handle()));
}

int ThreadCount() {
    TKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{sizeof entry};
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    return count;
}

TOwned<TProbeTrayIcon> AnimatedTray() {
    return LoadedTray([](TProbeTrayIcon& t) {
        WithIcon(t);
        for (uint32_t color : {0xFF0000u, 0x0000FFu}) {
            TIcon frame;
            PaintIcon(frame, color);
            t.Icons()->Add(frame);
        }
        t.SetInterval(1);
        t.SetAnimated(true);
    });
}

// The indices in Icons of the icons shown so far; -1 for any other.
std::vector<int> FramesShown(TProbeTrayIcon& tray) {
    std::vector<int> frames;
    for (HICON shown : tray.Shown) {
        frames.push_back(-1);
        for (int i = 0; i < tray.Icons()->Count(); ++i)
            if (tray.Icons()->Items(i)->Handle() == shown) frames.back() = i;
    }
    return frames;
}

TEST(TrayIcon, AnimationRunsWhileShownAndStopsWhenSwitchedOff) {
    const int threads = ThreadCount();
    auto tray = AnimatedTray();
    EXPECT_EQ(ThreadCount(), threads + 1);
    ASSERT_TRUE(PumpUntil([&] { return tray->Fills() >= 4; }));
    std::vector<int> frames = FramesShown(*tray);
    frames.resize(4);
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 0, 1}));

    tray->SetActive(false);  // a suspended clock: no more updates
    const int fills = tray->Fills();
    PumpFor(100);
    EXPECT_EQ(tray->Fills(), fills);
    tray->SetActive(true);
    EXPECT_TRUE(PumpUntil([&] { return tray->Fills() > fills + 2; }));

    tray->SetAnimated(false);
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(tray->CurrentIcon(), tray->Icon());
    tray->SetAnimated(true);
    tray->Icons()->Clear();  // nothing left to animate
    EXPECT_FALSE(tray->Animated());
    EXPECT_EQ(ThreadCount(), threads);
}

TEST(TrayIcon, DestroyingWhileAnimatingLeavesNoThreadNorHandles) {
    auto cycle = [] {
        auto tray = AnimatedTray();
        const int fills = tray->Fills();
        EXPECT_TRUE(PumpUntil([&] { return tray->Fills() > fills; }));
    };
    cycle();
    const int threads = ThreadCount(), gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 0; i < 10; ++i) cycle();
    PumpFor(50);  // ticks still queued for windows now gone
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
}

}  // namespace
}  // namespace velloran
