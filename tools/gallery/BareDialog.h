#pragma once
// A dialog made from a dialog template, without any control object: its push buttons, check
// boxes and radio buttons are windows of the system's classes only, so the skin reaches them
// through their window classes. The line at its bottom names the last button clicked.
#include <windows.h>

namespace velloran {

enum TBareDialogItem : WORD {
    bdApply = 100,  // beside IDOK (the default button) and IDCANCEL, which close the dialog
    bdCheck,
    bdThreeState,
    bdRadioOne,
    bdRadioTwo,
    bdLastClick
};

// Opens the dialog, modeless, owned by `owner`; it destroys itself when closed.
HWND OpenBareDialog(HWND owner);

}  // namespace velloran
