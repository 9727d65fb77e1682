#pragma once
// The skinner of one open popup menu window: it paints the window's frame and background from
// the skin's MenuBackground object and keeps that image for the item painters, which draw the
// items over their part of it.
#include <windows.h>

#include <memory>

#include "framework/Subclass.h"
#include "skin/form/FormSkinnerHost.h"

namespace velloran {

class TBitmap;
class TSkinData;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Attach(HWND window, TSkinData* skinData, HMENU menu);
    // Gives the window its own procedure back; does nothing when detached.
    void Detach();
    bool Attached() const { return subclass_ && subclass_->Attached(); }
    // The last composed background and where the client area begins in it.
    TPopupBackground Backdrop() const;

    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    std::unique_ptr<TBitmap> Background;
    HMENU MenuHandle = nullptr;

private:
    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The skin has a MenuBackground image to paint the popup with.
    bool HasSkinBackground() const;
    void ComposeBackground();
    void PaintFrame();
    // The background at (0, 0), then the window's own printing clipped inside the frame.
    LRESULT Print(HDC dc, LPARAM flags);
    // A popup whose frame the platform draws in the client area: composed off screen with the
    // skin's frame over it, then shown in one copy.
    void PaintWithoutNonClientArea();
    bool HasNonClientArea() const;
    LRESULT EraseBackground(WPARAM dc);

    std::unique_ptr<TWindowSubclass> subclass_;
};

}  // namespace velloran
