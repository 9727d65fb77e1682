// The status window on the real windows, the real registry and the real settings file.
#include <gtest/gtest.h>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "app/Publisher.h"
#include "app/Startup.h"
#include "tests/app/AppTestSupport.h"

using namespace velloran;
using namespace velloran::apptest;

namespace {

std::string Bytes(const std::optional<TRegValue>& v) {
    return v ? std::string(v->Data.begin(), v->Data.end()) : std::string("<missing>");
}

DWORD Dword(const std::optional<TRegValue>& v) {
    if (!v || v->Data.size() != 4) return 0xFFFFFFFF;
    return *reinterpret_cast<const DWORD*>(v->Data.data());
}

using MainFormTest = TProgramWindowsTest;

TEST_F(MainFormTest, FirstStartWithoutSettingsUsesDefaultsAndStaysHidden) {
    CreateForms();
    EXPECT_EQ(MainForm->MessageTemplate, "");
    EXPECT_EQ(MainForm->YahooId, "");
    EXPECT_EQ(MainForm->AwayMessage,
              "I am currently away from the computer. I have received your message and I will get back to you as "
              "soon as possible.");
    EXPECT_FALSE(MainForm->Busy);
    EXPECT_FALSE(MainForm->chkBusy->Checked());
    EXPECT_FALSE(MainForm->chkTrillian->Checked());
    EXPECT_FALSE(MainForm->chkAutoRespond->Checked());
    EXPECT_FALSE(MainForm->StartWithWindows1->Checked());
    EXPECT_FALSE(MainForm->chkEnableAwayMsg->Checked());
    EXPECT_EQ(MainForm->QuoteIndex, -1);
    EXPECT_EQ(MainForm->LyricIndex, -1);
    EXPECT_TRUE(MainForm->Timer->Enabled());
    EXPECT_EQ(MainForm->Timer->Interval(), 2500);
    EXPECT_FALSE(MainForm->AwayTimer->Enabled());
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_TRUE(QuotesForm->chkRandom->Checked());
    // Reading the settings wrote nothing.
    EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);

    MainForm->Show();
    char cls[64];
    GetClassNameA(MainForm->Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TMainForm");
    EXPECT_EQ(MainForm->Caption(), "Velloran");
    EXPECT_EQ(MainForm->ClientWidth(), 378);
    EXPECT_EQ(MainForm->ClientHeight(), 127);
    EXPECT_EQ(MainForm->PopupMenu->Items()->Count(), 13);
    EXPECT_EQ(GetMenuItemCount(MainForm->PopupMenu->Handle()), 10);  // three hidden items
    EXPECT_EQ(GetMenuDefaultItem(MainForm->PopupMenu->Handle(), FALSE, 0), static_cast<UINT>(-1));
}

TEST_F(MainFormTest, TheMainWindowCarriesItsSkinParsedAtStart) {
    CreateForms();
    TSkinData* skin = MainForm->SkinData;
    ASSERT_NE(skin, nullptr);
    EXPECT_FALSE(skin->Empty);
    EXPECT_TRUE(skin->Active());
    EXPECT_EQ(skin->DisableTag(), 99);
    EXPECT_EQ(skin->SkinFormtype(), sfMainform);
    EXPECT_EQ(skin->Options(), SkinBit(xoPreview) | SkinBit(xoToolbarBK));
    EXPECT_EQ(skin->Skin3rd().size(), 116u);
    EXPECT_EQ(skin->Skin3rd().front(), "TVirtualStringTree=scrollbar");
    EXPECT_TRUE(skin->SkinControls() & SkinBit(xcMainMenu));
    EXPECT_FALSE(skin->SkinControls() & SkinBit(xcMenuItem));
    EXPECT_EQ(skin->Button.Frame, 5);
    EXPECT_GT(skin->FrameTop.Bitmap->Width(), 0);
}

TEST_F(MainFormTest, SettingsAreReadWithBooleanRules) {
    WriteTextFile(SettingsPath(),
                  "[General]\r\nMsg=Playing %song%\r\n[Startup]\r\nStartWithWindows=1\r\n"
                  "[Yahoo!]\r\nID=alice\r\nBusy=1\r\nTrillian=1\r\nTrillianAutoRespond=0x10\r\nEnableAwayMsg=yes\r\n");
    CreateForms();
    EXPECT_EQ(MainForm->MessageTemplate, "Playing %song%");
    EXPECT_EQ(MainForm->YahooId, "alice");
    EXPECT_TRUE(MainForm->Busy);
    EXPECT_TRUE(MainForm->chkBusy->Checked());
    EXPECT_TRUE(MainForm->chkTrillian->Checked());
    EXPECT_TRUE(MainForm->chkAutoRespond->Checked());     // '0x10' is true
    EXPECT_FALSE(MainForm->chkEnableAwayMsg->Checked());  // 'yes' gives the default
    EXPECT_FALSE(MainForm->EnableAwayMsg);
    // Only the mark: the Run key is neither read nor repaired at start.
    EXPECT_TRUE(MainForm->StartWithWindows1->Checked());
    EXPECT_FALSE(ReadValue(kRunKey, "Velloran").has_value());
}

TEST_F(MainFormTest, CheckBoxesWriteTheirSettings) {
    CreateForms();
    MainForm->Show();
    SendMessageA(MainForm->chkBusy->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(MainForm->Busy);
    SendMessageA(MainForm->chkTrillian->Handle(), BM_CLICK, 0, 0);
    SendMessageA(MainForm->chkAutoRespond->Handle(), BM_CLICK, 0, 0);
    std::string ini = ReadTextFile(SettingsPath());
    EXPECT_NE(ini.find("Busy=1"), std::string::npos);
    EXPECT_NE(ini.find("Trillian=1"), std::string::npos);
    EXPECT_NE(ini.find("TrillianAutoRespond=1"), std::string::npos);
    SendMessageA(MainForm->chkBusy->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(MainForm->Busy);
    EXPECT_NE(ReadTextFile(SettingsPath()).find("Busy=0"), std::string::npos);
    // No publication is triggered by these.
    EXPECT_FALSE(ReadValue(Profile(""), "5").has_value());
}

TEST_F(MainFormTest, StartWithWindowsKeepsAnExistingValueAndUncheckingDeletesIt) {
    CreateForms();
    SetStringValue(kRunKey, "Velloran", "C:\\Other\\Velloran.exe");
    MainForm->StartWithWindows1->Click();
    EXPECT_TRUE(MainForm->StartWithWindows1->Checked());
    EXPECT_EQ(Bytes(ReadValue(kRunKey, "Velloran")), std::string("C:\\Other\\Velloran.exe") + '\0');
    EXPECT_NE(ReadTextFile(SettingsPath()).find("StartWithWindows=1"), std::string::npos);

    MainForm->StartWithWindows1->Click();
    EXPECT_FALSE(ReadValue(kRunKey, "Velloran").has_value());
    EXPECT_NE(ReadTextFile(SettingsPath()).find("StartWithWindows=0"), std::string::npos);

    MainForm->StartWithWindows1->Click();
    EXPECT_EQ(Bytes(ReadValue(kRunKey, "Velloran")), RunValueData(Application->ExeName()) + '\0');
}

TEST(StartupValue, PathsWithBlanksAreQuoted) {
    EXPECT_EQ(RunValueData("C:\\Tools\\Velloran.exe"), "C:\\Tools\\Velloran.exe");
    EXPECT_EQ(RunValueData("C:\\Program Files\\Velloran\\Velloran.exe"),
              "\"C:\\Program Files\\Velloran\\Velloran.exe\"");
}

TEST_F(MainFormTest, OkPublishesAtOnceWithExactValues) {
    WriteTextFile(SettingsPath(), "[Yahoo!]\r\nID=alice\r\n");
    CreateForms();
    TFakeMessenger messenger;
    PressOk("abc");
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_NE(ReadTextFile(SettingsPath()).find("Msg=abc"), std::string::npos);
    const std::string key = "Software\\Yahoo\\Pager\\profiles\\alice\\Custom Msgs";
    auto v5 = ReadValue(key, "5");
    ASSERT_TRUE(v5);
    EXPECT_EQ(v5->Type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Bytes(v5), std::string("abc\0", 4));
    auto bin = ReadValue(key, "5_bin");
    ASSERT_TRUE(bin);
    EXPECT_EQ(bin->Type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Bytes(bin), std::string("abc\0", 4));
    EXPECT_EQ(ReadValue(key, "5_DND")->Type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Dword(ReadValue(key, "5_DND")), 0u);
    EXPECT_EQ(Dword(ReadValue(key, "1_DND")), 0u);
    EXPECT_EQ(Bytes(ReadValue(key, "1_W")), std::string("abc\0", 4));
    EXPECT_TRUE(PumpUntil([&] { return messenger.Notifications() == 1; }));

    // Busy on, empty text: one zero byte, both DND values 1; the same title still publishes.
    SendMessageA(MainForm->chkBusy->Handle(), BM_CLICK, 0, 0);
    PressOk("");
    EXPECT_EQ(Bytes(ReadValue(key, "5_bin")), std::string("\0", 1));
    EXPECT_EQ(Bytes(ReadValue(key, "5")), std::string("\0", 1));
    EXPECT_EQ(Dword(ReadValue(key, "5_DND")), 1u);
    EXPECT_EQ(Dword(ReadValue(key, "1_DND")), 1u);
    EXPECT_TRUE(PumpUntil([&] { return messenger.Notifications() == 2; }));
}

TEST_F(MainFormTest, EnterActsAsOkAndCancelKeepsTheStoredTemplate) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=stored\r\n[Yahoo!]\r\nID=bob\r\n");
    CreateForms();
    MainForm->ChangeStatusMessage1Click(nullptr);
    ASSERT_TRUE(MainForm->Visible());
    EXPECT_EQ(MainForm->Status->Text(), "stored");

    MainForm->Status->SetText("typed but cancelled");
    SendMessageA(MainForm->btnCancel->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_EQ(MainForm->MessageTemplate, "stored");
    MainForm->ChangeStatusMessage1Click(nullptr);
    EXPECT_EQ(MainForm->Status->Text(), "stored");

    // Enter goes through the message loop's dialog-key path to the edit's key press.
    MainForm->Status->SetText("via enter");
    PostMessageA(MainForm->Status->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    for (int i = 0; i < 300 && MainForm->Visible(); ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
    EXPECT_FALSE(MainForm->Visible());
    EXPECT_EQ(MainForm->MessageTemplate, "via enter");
    EXPECT_EQ(Bytes(ReadValue(Profile("bob"), "5")), std::string("via enter") + '\0');
}

TEST_F(MainFormTest, RefusedSettingsWriteShowsTheBoxAndSkipsTheRest) {
    WriteTextFile(SettingsPath(), "");
    RemovePath(SettingsPath());
    CreateDirectoryA(SettingsPath().c_str(), nullptr);  // a folder where the file should be
    CreateForms();
    MainForm->Show();
    MainForm->Status->SetText("never published");
    {
        TBoxWatcher watcher(kTitle);
        SendMessageA(MainForm->btnOK->Handle(), BM_CLICK, 0, 0);
        PumpUntil([&] { return !watcher.Texts().empty(); });
        ASSERT_EQ(watcher.Texts().size(), 1u);
        EXPECT_EQ(watcher.Texts()[0], "Unable to write to " + SettingsPath());
    }
    EXPECT_EQ(MainForm->MessageTemplate, "never published");
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_FALSE(ReadValue(Profile(""), "5").has_value());
    RemoveDirectoryA(SettingsPath().c_str());
}

TEST_F(MainFormTest, PluginRunsAfterRegistryAndPostOncePerPublication) {
    WriteTextFile(SettingsPath(), "[Yahoo!]\r\nID=tester\r\nTrillian=1\r\n");
    CreateForms();
    TFakeMessenger messenger;
    PressOk("abc");
    EXPECT_EQ(ReadTextFile(TestFolder() + "plugin.log"), "load reg5=\"abc\" posted=1\ncall \"abc\" 0\nfree\n");

    RemovePath(TestFolder() + "plugin.log");
    SendMessageA(MainForm->chkTrillian->Handle(), BM_CLICK, 0, 0);  // off: never loaded
    PressOk("def");
    EXPECT_EQ(ReadTextFile(TestFolder() + "plugin.log"), "");
    EXPECT_EQ(Bytes(ReadValue(Profile("tester"), "5")), std::string("def") + '\0');
}

TEST_F(MainFormTest, MissingPluginOrExportIsSilent) {
    WriteTextFile(SettingsPath(), "[Yahoo!]\r\nID=tester\r\nTrillian=1\r\n");
    CreateForms();
    const std::string dll = TestFolder() + "Velloran.dll", saved = TestFolder() + "Velloran.dll.saved";
    ASSERT_TRUE(MoveFileA(dll.c_str(), saved.c_str()));
    {
        TBoxWatcher watcher(kTitle);
        PressOk("no plugin");
        ASSERT_TRUE(CopyFileA((TestFolder() + "noexport\\Velloran.dll").c_str(), dll.c_str(), FALSE));
        PressOk("no export");
        PumpFor(300);
        EXPECT_TRUE(watcher.Texts().empty());
    }
    DeleteFileA(dll.c_str());
    ASSERT_TRUE(MoveFileA(saved.c_str(), dll.c_str()));
    EXPECT_EQ(Bytes(ReadValue(Profile("tester"), "5")), std::string("no export") + '\0');
    EXPECT_EQ(ReadTextFile(TestFolder() + "plugin.log").find("call"), std::string::npos);
}

TEST_F(MainFormTest, RefusedRegistryWriteStopsTheTimerUntilAForcedUpdateSucceeds) {
    WriteTextFile(SettingsPath(), "[Yahoo!]\r\nID=" + std::string(300, 'x') + "\r\n");
    CreateForms();
    {
        TBoxWatcher watcher(kTitle);
        PressOk("refused");
        PumpUntil([&] { return !watcher.Texts().empty(); });
        ASSERT_EQ(watcher.Texts().size(), 1u);
        EXPECT_EQ(watcher.Texts()[0], "Failed to set data for '5'");
    }
    EXPECT_FALSE(MainForm->Timer->Enabled());
    MainForm->YahooId = "carol";
    PressOk("accepted");
    EXPECT_TRUE(MainForm->Timer->Enabled());
    EXPECT_EQ(Bytes(ReadValue(Profile("carol"), "5")), std::string("accepted") + '\0');
}

TEST_F(MainFormTest, TimerPublishesOnlyWhenTheSongChanges) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=Now: %SONG%\r\n[Yahoo!]\r\nID=dave\r\n");
    TFakePlayer player("5. Band - Track - Winamp", 1000, 200);
    TFakeMessenger messenger;
    CreateForms();
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Bytes(ReadValue(Profile("dave"), "5")), std::string("Now: Band - Track") + '\0');
    PumpUntil([&] { return messenger.Notifications() == 1; });
    MainForm->TimerTimer(nullptr);
    PumpFor(100);
    EXPECT_EQ(messenger.Notifications(), 1);
    player.SetTitle("Other - Song - Winamp");
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Bytes(ReadValue(Profile("dave"), "5")), std::string("Now: Other - Song") + '\0');
    EXPECT_TRUE(PumpUntil([&] { return messenger.Notifications() == 2; }));
    EXPECT_EQ(MainForm->QueryWinamp(1), 200);
}

TEST_F(MainFormTest, ChangeYahooIdThroughTheInputBox) {
    CreateForms();
    auto typeAndPress = [](const char* text, int button) {
        return [text, button](HWND box) {
            HWND edit = FindWindowExA(box, nullptr, "TEdit", nullptr);
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
            HWND target = nullptr;
            for (HWND b = FindWindowExA(box, nullptr, "TButton", nullptr); b;
                 b = FindWindowExA(box, b, "TButton", nullptr)) {
                char caption[32];
                GetWindowTextA(b, caption, sizeof caption);
                if ((button == IDOK && std::string(caption) == "OK") ||
                    (button == IDCANCEL && std::string(caption) == "Cancel"))
                    target = b;
            }
            PostMessageA(target, BM_CLICK, 0, 0);
        };
    };
    {
        TBoxWatcher watcher("Change Yahoo! ID", typeAndPress("cancelled", IDCANCEL));
        MainForm->ChangeYahooID1Click(nullptr);
    }
    EXPECT_EQ(MainForm->YahooId, "");
    EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);
    {
        TBoxWatcher watcher("Change Yahoo! ID", typeAndPress("erin", IDOK));
        MainForm->ChangeYahooID1Click(nullptr);
    }
    EXPECT_EQ(MainForm->YahooId, "erin");
    EXPECT_NE(ReadTextFile(SettingsPath()).find("ID=erin"), std::string::npos);
}

TEST_F(MainFormTest, HelpListsTheTagsAndExitEndsTheApplication) {
    CreateForms();
    {
        TBoxWatcher watcher("Help");
        MainForm->Help1Click(nullptr);
        ASSERT_EQ(watcher.Texts().size(), 1u);
        EXPECT_EQ(watcher.Texts()[0].rfind(
                      "Known tags:\r\n\r\n%song%\t\tInsert current song title in Winamp\r\n%progress%\tInsert current "
                      "song progress from Winamp\r\n%quote%\tInsert a quote from the list of quotes\r\n\r\n%lyrics%\t\t"
                      "Insert lyrics from the list of lyrics\r\n\r\n",
                      0),
                  0u);
    }
    EXPECT_EQ(SendMessageA(MainForm->Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    MainForm->Exit1Click(nullptr);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
