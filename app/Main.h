#pragma once
// The status window: holds the engine's state and settings, runs every command of the window
// and of the tray menu, and drives the periodic update.
#include "app/StatusEngine.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/data/WinSkinData.h"
#include "tray/TrayIcon.h"

namespace velloran {

class TMainForm : public TForm, public TStatusEngineState, private TStatusSources {
    VELLORAN_CLASS(TMainForm)
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    TLabel* Label1 = nullptr;
    TEdit* Status = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;
    TCheckBox* chkBusy = nullptr;
    TCheckBox* chkTrillian = nullptr;
    TCheckBox* chkAutoRespond = nullptr;
    TTrayIcon* TrayIcon = nullptr;
    TPopupMenu* PopupMenu = nullptr;
    TMenuItem* ChangeStatusMessage1 = nullptr;
    TMenuItem* DefineQuotes1 = nullptr;
    TMenuItem* DefineLyrics1 = nullptr;
    TMenuItem* ChangeYahooID1 = nullptr;
    TMenuItem* ChangeAwayMessage1 = nullptr;
    TMenuItem* chkEnableAwayMsg = nullptr;
    TMenuItem* StartWithWindows1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TTimer* Timer = nullptr;
    TTimer* AwayTimer = nullptr;
    TSkinData* SkinData = nullptr;

    // Window handles the away watcher has answered, as decimal text.
    TStringList* WatchedWindows = nullptr;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void StatusKeyPress(TObject* sender, char& key);
    void btnOKClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    void chkBusyClick(TObject* sender);
    void chkTrillianClick(TObject* sender);
    void chkAutoRespondClick(TObject* sender);
    void ChangeStatusMessage1Click(TObject* sender);
    void DefineQuotes1Click(TObject* sender);
    void DefineLyrics1Click(TObject* sender);
    void ChangeYahooID1Click(TObject* sender);
    void ChangeAwayMessage1Click(TObject* sender);
    void chkEnableAwayMsgClick(TObject* sender);
    void StartWithWindows1Click(TObject* sender);
    void Help1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    void TrayIconDblClick(TObject* sender);
    void TimerTimer(TObject* sender);
    void AwayTimerTimer(TObject* sender);

    void UpdateStatus(const std::string& messageTemplate);
    void PublishStatus(const std::string& message, const std::string& yahooId, bool busy);
    int32_t QueryWinamp(int mode);

    void WndProc(TMessage& message) override;

private:
    std::string PlayerTitle() override;
    int32_t QueryPlayer(int mode) override { return QueryWinamp(mode); }
    int QuoteCount() override;
    std::optional<std::string> QuoteLine(int index) override;
    bool QuotesRandom() override;
    int LyricCount() override;
    std::optional<std::string> LyricLine(int index) override;
    bool LyricsRandom() override;
    int RandomIndex(int count) override { return random_.Index(count); }

    TClockSeededRandom random_;
};

// Records a Yahoo! Messenger instant-message window whose caption is active; `param` is the
// main window. Always answers TRUE so that the enumeration goes on.
BOOL CALLBACK EnumImWindowsProc(HWND window, LPARAM param);

// Asks the system to trim the process's working set (NT family only).
void TrimWorkingSet();

// The help box's text: the tag list, then the credit line.
extern const char* const kHelpText;

extern TMainForm* MainForm;

}  // namespace velloran
