// The gallery's entry: every kind of window the skin engine draws, in one program.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skin/manager/SkinManage.h"
#include "tools/gallery/GalleryMainForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace velloran;
    {
        TApplication application(nullptr);
        try {
            Application->Initialize();
            Application->SetTitle("Velloran Gallery");
            // Start shows the main form itself, below the page asked for; Run would raise it again.
            Application->SetShowMainForm(false);
            const TGalleryOptions options =
                ParseGalleryOptions(std::vector<std::string>(__argv + 1, __argv + __argc));
            Application->CreateForm(GalleryMainForm);
            GalleryMainForm->Start(options);
            Application->Run();
        } catch (...) {
            Application->HandleException(std::current_exception());
        }
    }
    // The windows are gone: the manager unhooks.
    TSkinManage::Shutdown();
    return 0;
}
