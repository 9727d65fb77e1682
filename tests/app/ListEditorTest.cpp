// The quote and lyric editors on the real windows and files, alone and feeding the engine.
#include <gtest/gtest.h>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "tests/app/AppTestSupport.h"

using namespace velloran;
using namespace velloran::apptest;

namespace {

class ListEditorTest : public TProgramWindowsTest {
protected:
    static std::string QuotesPath() { return TestFolder() + "Velloran.dat"; }
    static std::string LyricsPath() { return TestFolder() + "Velloran Lyrics.dat"; }

    static std::vector<std::string> Entries(TListEditorForm* editor) {
        std::vector<std::string> out;
        for (int i = 0; i < editor->EntryCount(); ++i) out.push_back(editor->Entry(i).value_or("<unreadable>"));
        return out;
    }

    // The published status text of the given profile, without its terminating zero.
    static std::string Published(const std::string& id) {
        auto v = ReadValue(Profile(id), "5");
        if (!v || v->Data.empty()) return "<none>";
        return std::string(v->Data.begin(), v->Data.end() - 1);
    }

    static void CloseWithButton(TListEditorForm* editor) { SendMessageA(editor->btnClose->Handle(), BM_CLICK, 0, 0); }

    // "Define Quotes..." from the tray menu, answering the boxes it brings up; returns their texts.
    static std::vector<std::string> DefineQuotes() {
        TBoxWatcher watcher(kTitle);
        SendMessageA(TPopupMenu::PopupWindow(), WM_COMMAND, MainForm->DefineQuotes1->Command(), 0);
        return watcher.Texts();
    }

    static bool OnScreen(TListEditorForm* editor) { return editor->Visible() && IsWindowVisible(editor->Handle()); }
};

// Another program holding a file open without sharing it, until it lets go.
class TFileLock {
public:
    explicit TFileLock(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool Held() const { return static_cast<bool>(file_); }
    void Release() { file_.reset(); }

private:
    TFileHandle file_;
};

TEST_F(ListEditorTest, LoadingSplitsLinesAsTheEditControlDoes) {
    WriteTextFile(QuotesPath(), "A\r\n\r\nB\r\n");
    static const char kLyrics[] = "one\ntwo\rthree\n\rfour\0hidden\n";
    WriteTextFile(LyricsPath(), std::string(kLyrics, sizeof kLyrics - 1));
    CreateForms();
    EXPECT_EQ(Entries(QuotesForm), (std::vector<std::string>{"A", "", "B"}));
    // LF CR is two breaks; the text ends at the zero byte.
    EXPECT_EQ(Entries(LyricsForm), (std::vector<std::string>{"one", "two", "three", "", "four"}));
    EXPECT_EQ(LyricsForm->Memo->Text(), "one\r\ntwo\r\nthree\r\n\r\nfour");

    // A line longer than the read limit is cut to it.
    WriteTextFile(QuotesPath(), std::string(5000, 'q') + "\r\nshort\r\n");
    QuotesForm->Show();
    ASSERT_EQ(QuotesForm->EntryCount(), 2);
    EXPECT_EQ(QuotesForm->Entry(0)->size(), 4096u);
    EXPECT_EQ(QuotesForm->Entry(1), "short");
    EXPECT_FALSE(QuotesForm->Entry(2).has_value());
}

TEST_F(ListEditorTest, SavingWritesTheEditorTextWithCrLfExactly) {
    WriteTextFile(QuotesPath(), "x\ny\n");
    WriteTextFile(SettingsPath(), "[General]\r\nRandom=0\r\nRandomLyrics=1\r\n");
    CreateForms();
    EXPECT_FALSE(QuotesForm->chkRandom->Checked());
    EXPECT_TRUE(LyricsForm->chkRandom->Checked());

    QuotesForm->Show();
    CloseWithButton(QuotesForm);
    EXPECT_FALSE(QuotesForm->Visible());
    EXPECT_EQ(ReadTextFile(QuotesPath()), "x\r\ny\r\n");

    // No final break in the editor, none in the file.
    LyricsForm->Show();
    LyricsForm->Memo->SetText("first\r\nlast");
    LyricsForm->Hide();
    EXPECT_EQ(ReadTextFile(LyricsPath()), "first\r\nlast");
    EXPECT_NE(ReadTextFile(SettingsPath()).find("RandomLyrics=1"), std::string::npos);
}

TEST_F(ListEditorTest, TheCaptionCloseButtonOnlyHidesAndSaves) {
    CreateForms();
    QuotesForm->Show();
    QuotesForm->Memo->SetText("kept");
    SendMessageA(QuotesForm->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(50);
    ASSERT_NE(QuotesForm, nullptr);
    EXPECT_TRUE(IsWindow(QuotesForm->Handle()));
    EXPECT_FALSE(IsWindowVisible(QuotesForm->Handle()));
    EXPECT_EQ(ReadTextFile(QuotesPath()), "kept");
}

TEST_F(ListEditorTest, MissingRandomSettingMeansCheckedAndUncheckingIsWritten) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=x\r\n");
    CreateForms();
    EXPECT_TRUE(QuotesForm->chkRandom->Checked());
    EXPECT_TRUE(LyricsForm->chkRandom->Checked());
    QuotesForm->Show();
    SendMessageA(QuotesForm->chkRandom->Handle(), BM_CLICK, 0, 0);
    // The engine sees the box at once; the disk only when the window is hidden.
    EXPECT_FALSE(QuotesForm->chkRandom->Checked());
    EXPECT_EQ(ReadTextFile(SettingsPath()).find("Random=0"), std::string::npos);
    CloseWithButton(QuotesForm);
    EXPECT_NE(ReadTextFile(SettingsPath()).find("Random=0"), std::string::npos);
}

TEST_F(ListEditorTest, ADeletedFileMattersOnlyWhenTheWindowIsShownAgain) {
    WriteTextFile(QuotesPath(), "one\r\ntwo\r\n");
    CreateForms();
    RemovePath(QuotesPath());
    EXPECT_EQ(QuotesForm->EntryCount(), 2);
    QuotesForm->Show();
    EXPECT_EQ(QuotesForm->EntryCount(), 0);
    EXPECT_EQ(QuotesForm->Memo->Text(), "");
    CloseWithButton(QuotesForm);
    EXPECT_EQ(GetFileAttributesA(QuotesPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ReadTextFile(QuotesPath()), "");
}

TEST_F(ListEditorTest, FilesThatCannotBeOpenedOrCreatedEndTheLoadOrSaveWithABox) {
    // Another program holds the list file: it can be neither read nor replaced.
    WriteTextFile(QuotesPath(), "theirs\r\n");
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=%quote%\r\nRandom=0\r\n[Yahoo!]\r\nID=fay\r\n");
    TFileLock lock(QuotesPath());
    ASSERT_TRUE(lock.Held());
    const std::string openFailure = "Cannot open file \"" + QuotesPath() + "\". ";
    {
        TBoxWatcher watcher(kTitle);
        CreateForms();
        ASSERT_TRUE(PumpUntil([&] { return !watcher.Texts().empty(); }));
        EXPECT_EQ(watcher.Texts()[0].rfind(openFailure, 0), 0u) << watcher.Texts()[0];
    }
    // The box first, then the editor on screen, where it can be used and closed.
    const HWND editor = QuotesForm->Handle();
    bool onScreenDuringBox = true;
    {
        TBoxWatcher watcher(kTitle, [&](HWND box) {
            onScreenDuringBox = IsWindowVisible(editor) != 0;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(TPopupMenu::PopupWindow(), WM_COMMAND, MainForm->DefineQuotes1->Command(), 0);
        ASSERT_EQ(watcher.Texts().size(), 1u);
        EXPECT_EQ(watcher.Texts()[0].rfind(openFailure, 0), 0u) << watcher.Texts()[0];
    }
    EXPECT_FALSE(onScreenDuringBox);
    ASSERT_TRUE(OnScreen(QuotesForm));
    QuotesForm->Memo->SetText("typed");
    QuotesForm->chkRandom->SetChecked(true);
    {
        TBoxWatcher watcher(kTitle);
        CloseWithButton(QuotesForm);
        ASSERT_TRUE(PumpUntil([&] { return !watcher.Texts().empty(); }));
        EXPECT_EQ(watcher.Texts()[0].rfind("Cannot create file \"" + QuotesPath() + "\". ", 0), 0u)
            << watcher.Texts()[0];
    }
    // Hidden all the same, and the later steps skipped: no setting, no publication.
    EXPECT_FALSE(QuotesForm->Visible());
    EXPECT_FALSE(IsWindowVisible(QuotesForm->Handle()));
    EXPECT_EQ(ReadTextFile(SettingsPath()).find("Random=1"), std::string::npos);
    EXPECT_EQ(Published("fay"), "<none>");

    // Once the other program lets go, opening the editor again reads the file.
    lock.Release();
    EXPECT_EQ(DefineQuotes(), std::vector<std::string>{});
    EXPECT_TRUE(OnScreen(QuotesForm));
    EXPECT_EQ(QuotesForm->Memo->Text(), "theirs\r\n");
}

TEST_F(ListEditorTest, AnEditorWhoseFileCouldNotBeReadWritesNothingAtTheEnd) {
    WriteTextFile(QuotesPath(), "ours\r\n");
    CreateForms();
    // Another program rewrites the file and holds it while the editor is opened.
    WriteTextFile(QuotesPath(), "theirs\r\n");
    TFileLock lock(QuotesPath());
    ASSERT_TRUE(lock.Held());
    ASSERT_EQ(DefineQuotes().size(), 1u);
    ASSERT_TRUE(OnScreen(QuotesForm));
    EXPECT_EQ(QuotesForm->Memo->Text(), "ours\r\n");
    lock.Release();

    // The program ends, by the session and then as usual, with the editor still open.
    TBoxWatcher watcher(kTitle);
    SendMessageA(MainForm->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadTextFile(QuotesPath()), "theirs\r\n");
    Free(QuotesForm);
    EXPECT_EQ(ReadTextFile(QuotesPath()), "theirs\r\n");
    EXPECT_EQ(watcher.Texts(), std::vector<std::string>{});
}

TEST_F(ListEditorTest, AFolderInTheListFilesPlaceIsAnEmptyListThatCannotBeSaved) {
    ASSERT_TRUE(CreateDirectoryA(QuotesPath().c_str(), nullptr));
    {
        TBoxWatcher watcher(kTitle);
        CreateForms();
        EXPECT_EQ(QuotesForm->EntryCount(), 0);
        QuotesForm->Show();
        EXPECT_EQ(watcher.Texts(), std::vector<std::string>{});
    }
    EXPECT_TRUE(OnScreen(QuotesForm));
    EXPECT_EQ(QuotesForm->Memo->Text(), "");
    TBoxWatcher watcher(kTitle);
    CloseWithButton(QuotesForm);
    ASSERT_TRUE(PumpUntil([&] { return !watcher.Texts().empty(); }));
    EXPECT_EQ(watcher.Texts()[0].rfind("Cannot create file \"" + QuotesPath() + "\". ", 0), 0u) << watcher.Texts()[0];
    EXPECT_NE(GetFileAttributesA(QuotesPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(ListEditorTest, SequentialQuotesCycleOverTheSongs) {
    WriteTextFile(QuotesPath(), "A\r\nB\r\nC\r\n");
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=[%quote%]\r\nRandom=0\r\n[Yahoo!]\r\nID=gus\r\n");
    TFakePlayer player("Song 1 - Winamp", 0, 0);
    CreateForms();
    std::vector<std::string> shown;
    for (const char* song : {"Song 1", "Song 2", "Song 3", "Song 4"}) {
        player.SetTitle(std::string(song) + " - Winamp");
        MainForm->TimerTimer(nullptr);
        shown.push_back(Published("gus"));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"[A]", "[B]", "[C]", "[A]"}));
}

TEST_F(ListEditorTest, ClosingTheEditorRepublishesTheSongsQuoteAndRestartsTheSequence) {
    WriteTextFile(QuotesPath(), "A\r\nB\r\nC\r\n");
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=[%quote%]\r\nRandom=0\r\n[Yahoo!]\r\nID=gus\r\n");
    TFakePlayer player("Song 1 - Winamp", 0, 0);
    CreateForms();
    MainForm->TimerTimer(nullptr);
    player.SetTitle("Song 2 - Winamp");
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Published("gus"), "[B]");

    // Closing during song 2: the kept quote again, and the sequence's first position used up.
    DeleteTree("Software\\Yahoo");
    QuotesForm->Show();
    CloseWithButton(QuotesForm);
    EXPECT_EQ(Published("gus"), "[B]");
    EXPECT_FALSE(MainForm->ForcePublish);
    EXPECT_EQ(MainForm->QuoteIndex, 0);
    player.SetTitle("Song 3 - Winamp");
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Published("gus"), "[B]");
    player.SetTitle("Song 4 - Winamp");
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Published("gus"), "[C]");
}

TEST_F(ListEditorTest, AListEmptiedDuringASongKeepsTheKeptQuoteUntilTheNextSong) {
    WriteTextFile(QuotesPath(), "only\r\n");
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=<%quote%>\r\n[Yahoo!]\r\nID=hal\r\n");
    TFakePlayer player("Tune - Winamp", 0, 0);
    CreateForms();
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Published("hal"), "<only>");
    QuotesForm->Show();
    QuotesForm->Memo->SetText("");
    CloseWithButton(QuotesForm);
    EXPECT_EQ(Published("hal"), "<only>");
    player.SetTitle("Next - Winamp");
    MainForm->TimerTimer(nullptr);
    EXPECT_EQ(Published("hal"), "<>");
}

TEST_F(ListEditorTest, AnEditorOpenAtTheEndOfTheProgramKeepsWhatWasTyped) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=%lyrics%\r\n[Yahoo!]\r\nID=ida\r\n");
    CreateForms();
    LyricsForm->Show();
    LyricsForm->Memo->SetText("la la\r\nlo");
    SendMessageA(LyricsForm->chkRandom->Handle(), BM_CLICK, 0, 0);
    QuotesForm->Show();
    QuotesForm->Memo->SetText("said at the end\r\n");

    // The session ends: the process may go as soon as the main window has answered.
    SendMessageA(MainForm->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadTextFile(LyricsPath()), "la la\r\nlo");
    EXPECT_EQ(ReadTextFile(QuotesPath()), "said at the end\r\n");

    // An ordinary end: the windows are destroyed while the editor is still open.
    LyricsForm->Memo->SetText("changed later");
    Free(LyricsForm);
    EXPECT_EQ(ReadTextFile(LyricsPath()), "changed later");
    EXPECT_NE(ReadTextFile(SettingsPath()).find("RandomLyrics=0"), std::string::npos);
    // Nothing is published once the program is ending.
    EXPECT_EQ(Published("ida"), "<none>");
    EXPECT_EQ(MainForm->LyricIndex, -1);
    EXPECT_FALSE(MainForm->ForcePublish);
}

}  // namespace
