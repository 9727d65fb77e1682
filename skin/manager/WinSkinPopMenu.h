#pragma once
// The skinner of one open popup menu window: it paints the window's frame and background from
// the skin's MenuBackground object and keeps that image for the item painters, which draw the
// items over their part of it. The image and the items' images come from the manager's store,
// shared with the popups of the same size opened before and after.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Subclass.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/manager/PopupImages.h"

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
    // The last composed background, where the client area begins in it, and the items' images.
    TPopupBackground Backdrop();

    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    std::shared_ptr<TBitmap> Background;
    HMENU MenuHandle = nullptr;

private:
    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The skin has a MenuBackground image to paint the popup with.
    bool HasSkinBackground() const;
    // Takes the background of the window's size and the skin's image, composed first when the
    // store has none.
    void UpdateBackground();
    // The images for the window's size and the skin image with the serial.
    void TakeImages(std::uint64_t source);
    void PaintFrame();
    // The background at (0, 0), then the window's own printing clipped inside the frame.
    LRESULT Print(HDC dc, LPARAM flags);
    // A popup whose frame the platform draws in the client area: composed off screen with the
    // skin's frame over it, then shown in one copy.
    void PaintWithoutNonClientArea();
    bool HasNonClientArea() const;
    LRESULT EraseBackground(WPARAM dc);

    std::unique_ptr<TWindowSubclass> subclass_;
    // The serial of the skin image the background was composed from.
    std::uint64_t backgroundSource_ = 0;
    std::shared_ptr<TPopupImages> images_;
};

}  // namespace velloran
