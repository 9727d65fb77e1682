// The dormant away watcher, with its timer switched on by the tests, against instant-message
// windows of this process (the platform answers the flash query only for a process's own windows).
#include <gtest/gtest.h>

#include "app/Main.h"
#include "tests/app/AppTestSupport.h"

using namespace velloran;
using namespace velloran::apptest;

namespace {

// A top-level window posing as an instant-message window; it notes the caption changes it is told.
class TImWindow {
public:
    TImWindow(const char* cls, const char* title) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TImWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
        wnd_.reset(CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW, 40, 40, 200, 120, nullptr, nullptr, wc.hInstance,
                                   nullptr));
        SetWindowLongPtrA(wnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(wnd_.get(), SW_SHOWNOACTIVATE);
    }
    HWND Handle() const { return wnd_.get(); }
    void Activate() const {
        SetForegroundWindow(wnd_.get());
        PumpUntil([&] { return GetForegroundWindow() == wnd_.get(); });
    }
    int InactiveCaptionRequests() const { return inactiveRequests_; }
    std::string Decimal() const {
        return std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(wnd_.get())));
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<TImWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (self && msg == WM_NCACTIVATE && !wp) ++self->inactiveRequests_;
        return DefWindowProcA(wnd, msg, wp, lp);
    }
    TWindowHandle wnd_;
    int inactiveRequests_ = 0;
};

constexpr char kImClass[] = "YSearchMenuWndClass";

class AwayWatcherTest : public TProgramWindowsTest {
protected:
    void StartWatching() {
        WriteTextFile(SettingsPath(), "[Yahoo!]\r\nEnableAwayMsg=1\r\n");
        CreateForms();
        ASSERT_TRUE(MainForm->EnableAwayMsg);
    }
    static std::vector<std::string> Watched() {
        std::vector<std::string> out;
        for (int i = 0; i < MainForm->WatchedWindows->Count(); ++i) out.push_back(MainForm->WatchedWindows->Get(i));
        return out;
    }
};

TEST_F(AwayWatcherTest, AnActiveInstantMessageWindowIsRecordedOnce) {
    StartWatching();
    TImWindow im(kImClass, "bob - Instant Message");
    im.Activate();
    MainForm->AwayTimer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([] { return MainForm->WatchedWindows->Count() > 0; }));
    EXPECT_TRUE(MainForm->AwayTimer->Enabled());
    for (int tick = 0; tick < 3; ++tick) {
        im.Activate();
        MainForm->AwayTimerTimer(nullptr);
    }
    EXPECT_EQ(Watched(), std::vector<std::string>{im.Decimal()});
}

TEST_F(AwayWatcherTest, OtherTitlesClassesAndInactiveCaptionsAreIgnored) {
    StartWatching();
    TImWindow chat(kImClass, "bob - Chat");
    TImWindow otherClass("YSearchMenuWndClassX", "bob - Instant Message");
    TImWindow inactive(kImClass, "carol - Instant Message");
    const int inactiveBefore = inactive.InactiveCaptionRequests();
    for (const TImWindow* w : {&chat, &otherClass}) {
        w->Activate();
        MainForm->AwayTimerTimer(nullptr);
    }
    EXPECT_TRUE(Watched().empty());
    // The inactive one is left out, but its flashing is still stopped.
    EXPECT_GT(inactive.InactiveCaptionRequests(), inactiveBefore);

    // Upper or lower case makes no difference to the title test.
    TImWindow shouting(kImClass, "DAN - INSTANT MESSAGE");
    shouting.Activate();
    MainForm->AwayTimerTimer(nullptr);
    EXPECT_EQ(Watched(), std::vector<std::string>{shouting.Decimal()});
}

TEST_F(AwayWatcherTest, NothingIsWatchedWhileTheTimerIsOffOrTheSwitchIsOff) {
    StartWatching();
    TImWindow im(kImClass, "eve - Instant Message");
    im.Activate();
    EXPECT_FALSE(MainForm->AwayTimer->Enabled());
    PumpFor(1200);  // more than two periods of the timer, had it been running
    EXPECT_TRUE(Watched().empty());

    MainForm->EnableAwayMsg = false;
    MainForm->AwayTimer->SetEnabled(true);
    MainForm->AwayTimerTimer(nullptr);
    PumpFor(1200);
    EXPECT_TRUE(Watched().empty());
    EXPECT_TRUE(MainForm->AwayTimer->Enabled());
}

}  // namespace
