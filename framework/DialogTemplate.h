#pragma once
// A dialog of the system's dialog class made from a template built in memory: windows without
// control objects, as the system's own dialogs are.
#include <windows.h>

#include <vector>

namespace velloran {

// One control of a dialog template; position and size in dialog units.
struct TDialogItem {
    const wchar_t* Class;
    const wchar_t* Text;
    DWORD Style;  // WS_CHILD and WS_VISIBLE are added
    WORD Id;
    short X, Y, Cx, Cy;
};

class TDialogTemplate {
public:
    // A captioned dialog of cx x cy dialog units in the 8-point shell font.
    TDialogTemplate(const wchar_t* caption, short cx, short cy, const std::vector<TDialogItem>& items);

    // A modeless dialog; null when the system refused it.
    HWND Create(HWND owner, DLGPROC proc, LPARAM param = 0) const;

private:
    std::vector<WORD> words_;
};

}  // namespace velloran
