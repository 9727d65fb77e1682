#include "tools/screenshots/ProgramShots.h"

#include "app/ListEditor.h"
#include "app/Main.h"

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
}

}  // namespace velloran
