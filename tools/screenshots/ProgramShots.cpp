#include "tools/screenshots/ProgramShots.h"

#include "app/ListEditor.h"
#include "app/Main.h"
#include "tray/TrayIcon.h"

namespace velloran {

void ShootProgramWindows(TShotSession& session, const std::string& skinFile) {
    Application->SetTitle("Velloran\xAE");
    Application->SetShowMainForm(false);
    Application->CreateForm(MainForm);
    Application->CreateForm(QuotesForm);
    Application->CreateForm(LyricsForm);
    if (!skinFile.empty()) MainForm->SkinData->SetSkinFile(skinFile);

    session.ShootForm("status", *MainForm);
    session.ShootForm("quotes", *QuotesForm);
    session.ShootModal("inputbox", [] { MainForm->ChangeYahooID1Click(nullptr); });
    session.ShootModal("messagebox", [] { MainForm->Help1Click(nullptr); });
    // The tray icon's menu as a right click on the icon opens it.
    session.ShootPopupMenu("traymenu", [] {
        const HWND tray = MainForm->TrayIcon->Handle();
        SendMessageW(tray, TrayCallbackMessage, 0, WM_RBUTTONDOWN);
        SendMessageW(tray, TrayCallbackMessage, 0, WM_RBUTTONUP);
    });
}

}  // namespace velloran
