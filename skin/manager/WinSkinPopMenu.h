#pragma once
// The skinner of one open popup menu window: it paints the window's frame and background from
// the skin's MenuBackground object and keeps that image for the item painters, which draw the
// items over their part of it. The image is composed again only when the window's size or the
// skin's image changes; the items' composed bases live as long as it does.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Subclass.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/MenuItemImages.h"

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
    // The last composed background, where the client area begins in it, and the items' store.
    TPopupBackground Backdrop() const;

    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    std::unique_ptr<TBitmap> Background;
    HMENU MenuHandle = nullptr;

private:
    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The skin has a MenuBackground image to paint the popup with.
    bool HasSkinBackground() const;
    // Composes the background unless the one there is of the window's size and the skin's image.
    void UpdateBackground();
    void PaintFrame();
    // The background at (0, 0), then the window's own printing clipped inside the frame.
    LRESULT Print(HDC dc, LPARAM flags);
    // A popup whose frame the platform draws in the client area: composed off screen with the
    // skin's frame over it, then shown in one copy.
    void PaintWithoutNonClientArea();
    bool HasNonClientArea() const;
    LRESULT EraseBackground(WPARAM dc);

    std::unique_ptr<TWindowSubclass> subclass_;
    // The skin image the background was composed from.
    TBitmapIdentity backgroundSource_;
    std::unique_ptr<TMenuItemImages> itemImages_ = std::make_unique<TMenuItemImages>();
};

}  // namespace velloran
