#pragma once
// What the form skinner knows of the skinners of its children. Those live in skin/controls, which
// builds on the form skinner; the form skinner reaches them only through these two interfaces:
// each child skinner, and the selection that chooses and makes them (installed by the control
// skinners' library with SetChildSelection).
#include <windows.h>

#include <cstdint>

#include "framework/Classes.h"

namespace velloran {

// Who frees a skinner: whoever holds it, or, once that one let it go while one of the skinner's
// procedures was running, the last of those procedures to return.
enum TSkinnerRelease : uint8_t { srHeld, srFreeOnReturn };

class TControl;
class TWinSkinForm;

class TChildSkinner : public TComponent {
public:
    using TComponent::TComponent;
    // The skinned window, and the control object behind it (null for a bare window).
    virtual HWND SkinnedWindow() const = 0;
    virtual TControl* SkinnedControl() const = 0;
    // The window has been destroyed: the skinner has already given everything back.
    virtual bool WindowDestroyed() const = 0;
    // Gives the control what attaching changed (its colour, its parent background).
    virtual void RestoreControl() = 0;
    // The skin data took another skin.
    virtual void SkinChanged() = 0;
    // A skinner of a scroll bar family, which SM_RESKINSCROLL may replace.
    virtual bool ScrollSkinner() const { return false; }
    // The form lets the skinner go: freed now, or, while one of its own procedures runs, by the
    // last of them to return.
    virtual void Release();
};

class TChildSelection {
public:
    virtual ~TChildSelection() = default;
    // Offers a control of the form: skins it, or its children, or leaves it alone.
    virtual void SkinControl(TWinSkinForm& form, TControl& control) = 0;
    // Offers a child window without a control object, by its window class.
    virtual void SkinChildWindow(TWinSkinForm& form, HWND window) = 0;
    // A scroll-bar skinner for the window of `skinner`, attached in its place; false (and the
    // skinner kept) when there is none to give.
    virtual bool ReskinScroll(TWinSkinForm& form, TChildSkinner& skinner) = 0;
};

// The selection every form skinner uses; null until the control skinners' library installs one,
// and then form skinners leave their children alone.
void SetChildSelection(TChildSelection* selection);
TChildSelection* ChildSelection();

}  // namespace velloran
