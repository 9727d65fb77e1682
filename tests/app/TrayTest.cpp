// The program's tray icon: in the notification area from the start, its menu on a right click,
// the status window on a double click, and back after the shell restarts.
#include <gtest/gtest.h>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "tests/app/AppTestSupport.h"
#include "tests/tray/TrayTestSupport.h"

using namespace velloran;
using namespace velloran::apptest;
using namespace velloran::traytest;

namespace {

class TrayTest : public TProgramWindowsTest {
protected:
    static void Mouse(LPARAM action) { SendMessageA(MainForm->TrayIcon->Handle(), TrayCallbackMessage, 0, action); }
    static std::vector<std::string> ShownItems(HMENU menu) {
        std::vector<std::string> out;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            MENUITEMINFOA info{sizeof info};
            info.fMask = MIIM_FTYPE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof text;
            GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
            out.push_back(info.fType & MFT_SEPARATOR ? "-" : text);
        }
        return out;
    }
};

TEST_F(TrayTest, TheIconIsInTheNotificationAreaWhileTheProgramRuns) {
    CreateForms();
    TTrayIcon* tray = MainForm->TrayIcon;
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->Added());
    EXPECT_TRUE(InShell(tray->Handle()));
    EXPECT_EQ(tray->Hint(), "Velloran");
    EXPECT_EQ(tray->Icon()->Width(), 16);
    EXPECT_EQ(tray->Icon()->Height(), 16);
    EXPECT_EQ(tray->PopupMenu(), MainForm->PopupMenu);
    EXPECT_FALSE(tray->Animated());

    const HWND wnd = tray->Handle();
    Free(LyricsForm);
    Free(QuotesForm);
    Free(MainForm);
    EXPECT_FALSE(InShell(wnd));
}

TEST_F(TrayTest, ARightClickOpensTheMenuWithItsVisibleItemsInOrder) {
    CreateForms();
    {
        TMenuSpy spy;
        Mouse(WM_RBUTTONUP);  // a release without a press opens nothing
        EXPECT_EQ(spy.Menu, nullptr);
        Mouse(WM_RBUTTONDOWN);
        Mouse(WM_RBUTTONUP);
        ASSERT_EQ(spy.Menu, MainForm->PopupMenu->Handle());
    }
    EXPECT_EQ(ShownItems(MainForm->PopupMenu->Handle()),
              (std::vector<std::string>{"&Change Status Message", "&Define Quotes...", "&Define Lyrics...",
                                        "&Change Yahoo! ID", "-", "&Start With Windows", "-", "&Help", "-", "&Exit"}));
    EXPECT_FALSE(MainForm->Visible());
}

TEST_F(TrayTest, ADoubleClickOpensTheStatusWindowOnce) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=hello %song%\r\n");
    CreateForms();
    int shows = 0;
    auto formShow = MainForm->OnShow;
    MainForm->OnShow = [&](TObject* sender) {
        ++shows;
        formShow(sender);
    };
    Mouse(WM_LBUTTONDOWN);
    Mouse(WM_LBUTTONUP);
    EXPECT_FALSE(MainForm->Visible());  // a single click does nothing in this program
    Mouse(WM_LBUTTONDBLCLK);
    Mouse(WM_LBUTTONUP);
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(MainForm->Status->Text(), "hello %song%");
}

TEST_F(TrayTest, ADisabledIconIgnoresTheMouse) {
    CreateForms();
    MainForm->TrayIcon->SetEnabled(false);
    TMenuSpy spy;
    Mouse(WM_RBUTTONDOWN);
    Mouse(WM_RBUTTONUP);
    Mouse(WM_LBUTTONDBLCLK);
    EXPECT_EQ(spy.Menu, nullptr);
    EXPECT_FALSE(MainForm->Visible());
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellRestarts) {
    CreateForms();
    const HWND wnd = MainForm->TrayIcon->Handle();
    NOTIFYICONDATAA gone{};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = wnd;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));  // as a restarted shell has lost it
    ASSERT_FALSE(InShell(wnd));
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return InShell(wnd); }));
    EXPECT_TRUE(MainForm->TrayIcon->Added());
}

}  // namespace
