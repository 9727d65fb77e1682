#pragma once
// The skin manager as the form skinners see it: the state every skinned window of the process
// shares, and the manager's part when a skinner's window goes or an MDI child is maximised. The
// manager sits above the form skinners (it makes them), so they reach it only through this.
#include <windows.h>

#include <cstdint>

#include "skin/data/SkinEngine.h"

namespace velloran {

class TBitmap;
class TForm;
class TMenuItemImages;
class TWinSkinForm;

// What an item of an open popup menu lies on: the popup's background image, where the popup's
// client area (the items' coordinates) begins in it, and the popup's store of composed items.
struct TPopupBackground {
    TBitmap* Image = nullptr;
    POINT ClientOffset{};
    TMenuItemImages* Items = nullptr;
};

// The values of MenuKind.
enum TMenuKind : int32_t { menuContext = 0, menuWindow = 1, menuSystem = 2 };

class TFormSkinnerHost : public TSkinEngine {
public:
    // The running manager, or null.
    static TFormSkinnerHost* Current() { return dynamic_cast<TFormSkinnerHost*>(TSkinEngine::Current()); }

    // Called by a skinner's destructor.
    virtual void RemoveFormSkinner(TWinSkinForm* skinner) = 0;
    // Asks for the skinners of destroyed windows to be freed once the current message is done.
    virtual void SchedulePurge() = 0;
    // Switches every MDI child to or from the maximised presentation.
    virtual void SetMdiMaximized(bool on) = 0;
    // True while SetMdiMaximized switches the children, whose frames change size meanwhile.
    virtual bool SwitchingMdi() const = 0;
    // The menu is about to be drawn: the newest skinned popup not yet showing a menu shows it.
    virtual void AssignMenuHandle(HMENU menu) = 0;
    // The background of the skinned popup showing the menu; no image when there is none.
    virtual TPopupBackground PopupBackground(HMENU menu) const = 0;

    // Which kind of menu is about to open: 0 a context menu, 1 a window's menu, 2 the system
    // menu. Back to 0 when the last popup closes.
    int32_t MenuKind = 0;
    // A drop-down of a skinned menu bar is open; reset with MenuKind when the last popup closes.
    bool MenuBarPopup = false;
    bool MdiMaximized = false;
    // The next window skinned stays hidden until its skin is complete.
    bool HideWhileSkinning = false;
    // The MDI client of the skinned MDI frame, and the frame's form object.
    HWND MdiClient = nullptr;
    TForm* MdiFrameForm = nullptr;
    // This manager's instance stamp: null for the program's own manager.
    uintptr_t Stamp = 0;
};

}  // namespace velloran
