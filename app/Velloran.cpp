// Program entry: the application object, its title, the three windows, the message loop.
#include <windows.h>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "skin/manager/SkinManage.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace velloran;
    {
        TApplication application(nullptr);
        try {
            Application->Initialize();
            Application->SetTitle("Velloran\xAE");
            Application->SetShowMainForm(false);
            Application->CreateForm(MainForm);
            Application->CreateForm(QuotesForm);
            Application->CreateForm(LyricsForm);
            Application->Run();
        } catch (...) {
            Application->HandleException(std::current_exception());
        }
    }
    // The windows are gone: the manager unhooks.
    TSkinManage::Shutdown();
    return 0;
}
