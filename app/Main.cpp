#include "app/Main.h"

#include "app/ListEditor.h"
#include "app/Publisher.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "framework/Dialogs.h"
#include "skin/form/MenuOwnerDraw.h"

namespace velloran {

TMainForm* MainForm = nullptr;

const char* const kHelpText =
    "Known tags:\r\n\r\n"
    "%song%\t\tInsert current song title in Winamp\r\n"
    "%progress%\tInsert current song progress from Winamp\r\n"
    "%quote%\tInsert a quote from the list of quotes\r\n\r\n"
    "%lyrics%\t\tInsert lyrics from the list of lyrics\r\n\r\n"
    "Velloran - your music, your status. Written by the Velloran developers.";

namespace {
constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr LPARAM kPlayerQuery = 105;
constexpr int kTitleBufferSize = 2048;
}  // namespace

const TClassInfo& TMainForm::StaticClassInfo() {
    using C = TMainForm;
    using namespace props;
    static const TClassInfo info = DefineClass<C>(
        "TMainForm", &TForm::StaticClassInfo(), {},
        {Method("FormCreate", &C::FormCreate), Method("FormShow", &C::FormShow), Method("FormDestroy", &C::FormDestroy),
         Method("StatusKeyPress", &C::StatusKeyPress), Method("btnOKClick", &C::btnOKClick),
         Method("btnCancelClick", &C::btnCancelClick), Method("chkBusyClick", &C::chkBusyClick),
         Method("chkTrillianClick", &C::chkTrillianClick), Method("chkAutoRespondClick", &C::chkAutoRespondClick),
         Method("ChangeStatusMessage1Click", &C::ChangeStatusMessage1Click),
         Method("DefineQuotes1Click", &C::DefineQuotes1Click), Method("DefineLyrics1Click", &C::DefineLyrics1Click),
         Method("ChangeYahooID1Click", &C::ChangeYahooID1Click),
         Method("ChangeAwayMessage1Click", &C::ChangeAwayMessage1Click),
         Method("chkEnableAwayMsgClick", &C::chkEnableAwayMsgClick),
         Method("StartWithWindows1Click", &C::StartWithWindows1Click), Method("Help1Click", &C::Help1Click),
         Method("Exit1Click", &C::Exit1Click), Method("TimerTimer", &C::TimerTimer), Method("TrayIconDblClick", &C::TrayIconDblClick),
         Method("AwayTimerTimer", &C::AwayTimerTimer)},
        {Field("Label1", &C::Label1), Field("Status", &C::Status), Field("btnOK", &C::btnOK),
         Field("btnCancel", &C::btnCancel), Field("chkBusy", &C::chkBusy), Field("chkTrillian", &C::chkTrillian),
         Field("chkAutoRespond", &C::chkAutoRespond), Field("TrayIcon", &C::TrayIcon),
         Field("PopupMenu", &C::PopupMenu),
         Field("ChangeStatusMessage1", &C::ChangeStatusMessage1), Field("DefineQuotes1", &C::DefineQuotes1),
         Field("DefineLyrics1", &C::DefineLyrics1), Field("ChangeYahooID1", &C::ChangeYahooID1),
         Field("ChangeAwayMessage1", &C::ChangeAwayMessage1), Field("chkEnableAwayMsg", &C::chkEnableAwayMsg),
         Field("StartWithWindows1", &C::StartWithWindows1), Field("Help1", &C::Help1), Field("Exit1", &C::Exit1),
         Field("Timer", &C::Timer), Field("AwayTimer", &C::AwayTimer),
         Field("SkinData", &C::SkinData)});
    return info;
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    MainForm = this;
    RegisterTrayClasses();
    RegisterSkinDataClasses();
    LoadFormData();
}

TMainForm::~TMainForm() {
    if (MainForm == this) MainForm = nullptr;
}

void TrimWorkingSet() {
    OSVERSIONINFOA version{sizeof version};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void TMainForm::FormCreate(TObject*) {
    WatchedWindows = new TStringList();
    QuoteIndex = -1;
    LyricIndex = -1;
    ShowWindow(Application->Handle(), SW_HIDE);

    TSettingsFile settings = TSettingsFile::Default();
    MessageTemplate = settings.ReadString("General", "Msg", "");
    StartWithWindows1->SetChecked(settings.ReadBool("Startup", "StartWithWindows", false));
    YahooId = settings.ReadString("Yahoo!", "ID", "");
    AwayMessage = settings.ReadString(
        "Yahoo!", "AwayMessage",
        "I am currently away from the computer. I have received your message and I will get back to you as soon as "
        "possible.");
    Busy = settings.ReadBool("Yahoo!", "Busy", false);
    chkTrillian->SetChecked(settings.ReadBool("Yahoo!", "Trillian", false));
    chkAutoRespond->SetChecked(settings.ReadBool("Yahoo!", "TrillianAutoRespond", false));
    chkEnableAwayMsg->SetChecked(settings.ReadBool("Yahoo!", "EnableAwayMsg", false));
    EnableAwayMsg = chkEnableAwayMsg->Checked();
    chkBusy->SetChecked(Busy);
    // The tray menu opens long before this window is first shown and skinned: its items take the
    // skin's look from the start.
    if (SkinData && !SkinData->Empty) SetMenusOwnerDraw(*SkinData, *this, true);
    TrimWorkingSet();
}

void TMainForm::FormShow(TObject*) {
    Status->SetText(MessageTemplate);
    Status->SetFocus();
}

void TMainForm::FormDestroy(TObject*) {
    delete WatchedWindows;
    WatchedWindows = nullptr;
}

void TMainForm::StatusKeyPress(TObject* sender, char& key) {
    if (key != '\r') return;
    key = 0;  // handled here: no beep from the single-line edit
    btnOKClick(sender);
}

void TMainForm::btnOKClick(TObject* sender) {
    MessageTemplate = Status->Text();
    TSettingsFile::Default().WriteString("General", "Msg", MessageTemplate);
    Hide();
    ForcePublish = true;
    TimerTimer(sender);
}

void TMainForm::btnCancelClick(TObject*) { Hide(); }

void TMainForm::chkBusyClick(TObject*) {
    Busy = chkBusy->Checked();
    TSettingsFile::Default().WriteBool("Yahoo!", "Busy", Busy);
}

void TMainForm::chkTrillianClick(TObject*) {
    TSettingsFile::Default().WriteBool("Yahoo!", "Trillian", chkTrillian->Checked());
}

void TMainForm::chkAutoRespondClick(TObject*) {
    TSettingsFile::Default().WriteBool("Yahoo!", "TrillianAutoRespond", chkAutoRespond->Checked());
}

void TMainForm::TrayIconDblClick(TObject* sender) { ChangeStatusMessage1Click(sender); }

void TMainForm::ChangeStatusMessage1Click(TObject*) {
    if (ShowingStatusDialog) return;
    ShowingStatusDialog = true;
    struct TClearFlag {
        bool& flag;
        ~TClearFlag() { flag = false; }
    } clear{ShowingStatusDialog};
    Application->BringToFront();
    Show();
    BringToFront();
}

void TMainForm::DefineQuotes1Click(TObject*) { QuotesForm->Show(); }

void TMainForm::DefineLyrics1Click(TObject*) { LyricsForm->Show(); }

void TMainForm::ChangeYahooID1Click(TObject*) {
    std::string id = YahooId;
    if (!InputQuery("Change Yahoo! ID", "Enter the new Yahoo! ID:", id)) return;
    YahooId = id;
    TSettingsFile::Default().WriteString("Yahoo!", "ID", YahooId);
}

void TMainForm::ChangeAwayMessage1Click(TObject*) {
    std::string text = AwayMessage;
    if (!InputQuery("Change Away Message", "Enter the new away message:", text)) return;
    AwayMessage = text;
    TSettingsFile::Default().WriteString("Yahoo!", "AwayMessage", AwayMessage);
}

void TMainForm::chkEnableAwayMsgClick(TObject*) {
    chkEnableAwayMsg->SetChecked(!chkEnableAwayMsg->Checked());
    EnableAwayMsg = chkEnableAwayMsg->Checked();
    TSettingsFile::Default().WriteBool("Yahoo!", "EnableAwayMsg", EnableAwayMsg);
}

void TMainForm::StartWithWindows1Click(TObject*) {
    StartWithWindows1->SetChecked(!StartWithWindows1->Checked());
    if (StartWithWindows1->Checked())
        AddToStartup(Application->ExeName());
    else
        RemoveFromStartup();
    TSettingsFile::Default().WriteBool("Startup", "StartWithWindows", StartWithWindows1->Checked());
}

void TMainForm::Help1Click(TObject*) { Application->MessageBox(kHelpText, "Help", MB_OK | MB_ICONINFORMATION); }

void TMainForm::Exit1Click(TObject*) { Close(); }

void TMainForm::WndProc(TMessage& m) {
    if (m.Msg == WM_QUERYENDSESSION) {
        Close();
        m.Result = 1;
        return;
    }
    // The process may be ended as soon as this returns: open editors keep what was typed.
    if (m.Msg == WM_ENDSESSION && m.WParam) {
        if (QuotesForm) QuotesForm->SaveAtExit();
        if (LyricsForm) LyricsForm->SaveAtExit();
    }
    TForm::WndProc(m);
}

// ---- the periodic update -----------------------------------------------------------------

void TMainForm::TimerTimer(TObject*) {
    Timer->SetEnabled(false);
    UpdateStatus(MessageTemplate);
    Timer->SetEnabled(true);
}

void TMainForm::UpdateStatus(const std::string& messageTemplate) {
    std::optional<std::string> text = ExpandStatus(*this, messageTemplate, *this);
    if (!text) return;
    TrimWorkingSet();
    PublishStatus(*text, YahooId, Busy);
}

void TMainForm::PublishStatus(const std::string& message, const std::string& yahooId, bool busy) {
    WriteProfileStatus(yahooId, message, busy);
    NotifyMessenger();
    if (chkTrillian->Checked()) CallTrillianPlugin(message, chkAutoRespond->Checked());
}

int32_t TMainForm::QueryWinamp(int mode) {
    HWND player = FindWindowA(kPlayerClass, nullptr);
    if (!player) return 0;
    return static_cast<int32_t>(SendMessageA(player, WM_USER, static_cast<WPARAM>(mode), kPlayerQuery));
}

std::string TMainForm::PlayerTitle() {
    char buffer[kTitleBufferSize];
    buffer[0] = 0;
    if (HWND player = FindWindowA(kPlayerClass, nullptr)) GetWindowTextA(player, buffer, kTitleBufferSize);
    return buffer;
}

int TMainForm::QuoteCount() { return QuotesForm->EntryCount(); }
std::optional<std::string> TMainForm::QuoteLine(int index) { return QuotesForm->Entry(index); }
bool TMainForm::QuotesRandom() { return QuotesForm->chkRandom->Checked(); }
int TMainForm::LyricCount() { return LyricsForm->EntryCount(); }
std::optional<std::string> TMainForm::LyricLine(int index) { return LyricsForm->Entry(index); }
bool TMainForm::LyricsRandom() { return LyricsForm->chkRandom->Checked(); }

}  // namespace velloran
