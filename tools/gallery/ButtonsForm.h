#pragma once
// A window of buttons and check boxes: push, bit, menu and speed buttons, check boxes, radio
// buttons and a radio group, a panel, a control the skin is told to leave alone, and the outside
// vendor's controls, each in the states the skin draws; and a button that opens a dialog made from
// a dialog template, whose controls have no objects.
#include "framework/Forms.h"

namespace velloran {

class TImageList;

class TGalleryButtonsForm : public TForm {
    VELLORAN_CLASS(TGalleryButtonsForm)
public:
    explicit TGalleryButtonsForm(TComponent* owner);
    // Opens the dialog made from a template, as the page's button does.
    HWND OpenBareDialog();

private:
    void AddPushButtons();
    void AddGlyphButtons();
    void AddChecks();
    void AddOthers();
    void AddVendorChecks();

    TImageList* images_ = nullptr;
};

}  // namespace velloran
