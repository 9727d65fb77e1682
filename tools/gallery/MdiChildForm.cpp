#include "tools/gallery/MdiChildForm.h"

#include <string>

#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/MdiFrameForm.h"

namespace velloran {

const TClassInfo& TGalleryMdiChildForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryMdiChildForm>("TGalleryMdiChildForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryMdiChildForm::TGalleryMdiChildForm(TGalleryMdiFrameForm& frame, int number) : TForm(&frame), frame_(frame) {
    SetFormStyle(fsMDIChild);
    SetCaption("Child " + std::to_string(number));
    UseProgramFont(*this);
    // Cascaded as the Window menu would, which cannot arrange them while the frame is hidden.
    constexpr int kCascadeStep = 26;
    SetBounds((number - 1) * kCascadeStep, (number - 1) * kCascadeStep, 240, 150);

    PlaceControl<TLabel>(*this, {10, 10, 200, 16}, "MDI child number " + std::to_string(number));
    PlaceControl<TEdit>(*this, {10, 30, 200, 21})->SetText("Some text");
}

// The framework makes MDI children inside the application's main form only; the gallery's frame
// is a window beside its main form, so the child goes into its own frame's client instead.
HWND TGalleryMdiChildForm::CreateWindowHandle(const TCreateParams& p) {
    defWndProc_ = DefMDIChildProcA;
    MDICREATESTRUCTA create{p.WinClassName.c_str(), p.Caption.c_str(), GetModuleHandleA(nullptr), p.X, p.Y, p.Width,
                            p.Height, p.Style, 0};
    return reinterpret_cast<HWND>(
        SendMessageA(frame_.ClientHandle(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

}  // namespace velloran
