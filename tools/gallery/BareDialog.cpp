#include "tools/gallery/BareDialog.h"

#include <string>

#include "framework/DialogTemplate.h"

namespace velloran {

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            CheckDlgButton(dialog, bdCheck, BST_CHECKED);
            CheckDlgButton(dialog, bdThreeState, BST_INDETERMINATE);
            CheckRadioButton(dialog, bdRadioOne, bdRadioTwo, bdRadioOne);
            return TRUE;
        case WM_COMMAND: {
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            const WORD id = LOWORD(wParam);
            if (id == IDOK || id == IDCANCEL) {
                DestroyWindow(dialog);
                return TRUE;
            }
            wchar_t text[64] = L"";
            GetWindowTextW(reinterpret_cast<HWND>(lParam), text, 64);
            SetDlgItemTextW(dialog, bdLastClick, (std::wstring(L"Clicked: ") + text).c_str());
            return TRUE;
        }
        case WM_CLOSE:
            DestroyWindow(dialog);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND OpenBareDialog(HWND owner) {
    static const TDialogTemplate bare(
        L"Bare dialog", 186, 104,
        {{L"BUTTON", L"Check box", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, bdCheck, 8, 8, 100, 12},
         {L"BUTTON", L"Three states", BS_AUTO3STATE | WS_TABSTOP, bdThreeState, 8, 22, 100, 12},
         {L"BUTTON", L"Radio one", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, bdRadioOne, 8, 40, 100, 12},
         {L"BUTTON", L"Radio two", BS_AUTORADIOBUTTON, bdRadioTwo, 8, 54, 100, 12},
         {L"STATIC", L"Clicked: nothing yet", SS_LEFT | WS_GROUP, bdLastClick, 8, 70, 170, 10},
         {L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 8, 84, 50, 14},
         {L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 68, 84, 50, 14},
         {L"BUTTON", L"Apply", BS_PUSHBUTTON | WS_TABSTOP, bdApply, 128, 84, 50, 14}});
    const HWND dialog = bare.Create(owner, &BareDialogProc);
    if (dialog) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

}  // namespace velloran
