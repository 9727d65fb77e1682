#include "tools/gallery/GalleryBoxes.h"

#include <windows.h>

#include "framework/Dialogs.h"
#include "framework/Forms.h"

namespace velloran {

namespace {

void ShowInformation() {
    ShowMessageBox("Every window of this gallery is drawn by the current skin.", "Information",
                   MB_OK | MB_ICONINFORMATION);
}

void AskQuestion() { ShowMessageBox("Do you like this skin?", "Question", MB_YESNO | MB_ICONQUESTION); }

void ShowWarning() { ShowMessageBox("This is how a warning looks.", "Warning", MB_OK | MB_ICONWARNING); }

void AskText() {
    std::string text = "Velloran";
    InputQuery("Input box", "Type some text:", text);
}

}  // namespace

const std::vector<TGalleryBox>& GalleryBoxes() {
    static const std::vector<TGalleryBox> boxes{
        {"Information", &ShowInformation},
        {"Question", &AskQuestion},
        {"Warning", &ShowWarning},
        {"Input box", &AskText},
    };
    return boxes;
}

}  // namespace velloran
