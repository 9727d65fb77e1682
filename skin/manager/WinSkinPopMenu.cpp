#include "skin/manager/WinSkinPopMenu.h"

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/manager/SkinManage.h"

namespace velloran {

namespace {

// The frame the platform keeps around a popup's items.
constexpr int kPopupFrame = 3;

RECT WindowArea(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

bool SkinningEnabled() {
    const TSkinEngine* engine = TSkinEngine::Current();
    return engine && engine->Enabled;
}

}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, HMENU menu) {
    Window = window;
    SkinData = skinData;
    MenuHandle = menu;
    subclass_ = std::make_unique<TWindowSubclass>(
        window, [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) { return WindowProc(wnd, msg, wParam, lParam); });
}

// The link leaves the chain but stays until the skinner goes: Detach may run inside it.
void TWinSkinPopMenu::Detach() {
    if (!Attached()) return;
    subclass_->Detach();
    Background.reset();
    images_.reset();
}

TPopupBackground TWinSkinPopMenu::Backdrop() {
    TPopupBackground backdrop;
    backdrop.Image = Background.get();
    RECT window{};
    GetWindowRect(Window, &window);
    POINT client{0, 0};
    ClientToScreen(Window, &client);
    backdrop.ClientOffset = {client.x - window.left, client.y - window.top};
    RECT clientArea{};
    GetClientRect(Window, &clientArea);
    if (!images_) TakeImages(0);
    images_->Items.Reserve(clientArea.right, clientArea.bottom);
    backdrop.Items = &images_->Items;
    return backdrop;
}

bool TWinSkinPopMenu::HasSkinBackground() const {
    return SkinData && !SkinData->Empty && SkinData->MenuBackground && !SkinData->MenuBackground->Bitmap->Empty();
}

bool TWinSkinPopMenu::HasNonClientArea() const {
    RECT client{};
    GetClientRect(Window, &client);
    const RECT window = WindowArea(Window);
    return client.right != window.right || client.bottom != window.bottom;
}

void TWinSkinPopMenu::TakeImages(std::uint64_t source) {
    const RECT area = WindowArea(Window);
    TSkinManage* manager = TSkinManage::Instance();
    images_ = manager ? manager->PopupImages().For(area.right, area.bottom, source) : std::make_shared<TPopupImages>();
}

void TWinSkinPopMenu::UpdateBackground() {
    TDataSkinObject& object = *SkinData->MenuBackground;
    const RECT area = WindowArea(Window);
    const std::uint64_t source = object.Bitmap->Serial();
    if (Background && Background->Width() == area.right && Background->Height() == area.bottom &&
        backgroundSource_ == source)
        return;
    TakeImages(source);
    if (!images_->Background)
        images_->Background = ComposeSkinImage(area, *object.Bitmap, object.Margins(), false, object.Tile != 0, 1, 1);
    Background = images_->Background;
    backgroundSource_ = source;
}

LRESULT TWinSkinPopMenu::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SM_ISSKINNED) return 1;
    if (!SkinningEnabled()) return TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
    switch (msg) {
        case WM_DESTROY:
            Detach();
            return TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
        case WM_ERASEBKGND:
            return EraseBackground(wParam);
        case WM_NCPAINT:
            if (!HasSkinBackground() || !HasNonClientArea()) break;
            PaintFrame();
            return 0;
        case WM_PAINT:
            if (!HasSkinBackground() || HasNonClientArea()) break;
            PaintWithoutNonClientArea();
            return 0;
        case WM_PRINT:
            if (!HasSkinBackground()) break;
            return Print(reinterpret_cast<HDC>(wParam), lParam);
        default:
            break;
    }
    return TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
}

LRESULT TWinSkinPopMenu::EraseBackground(WPARAM dc) {
    if (!IsWindowsNT()) return 0;
    // The skin's background stays when the skin asks for it.
    if (!(SkinData->Options() & SkinBit(xoMenuBG))) TWindowSubclass::CallNext(Window, WM_ERASEBKGND, dc, 0);
    return 1;
}

// The whole window is painted, so the window DC serves whatever region the message names.
void TWinSkinPopMenu::PaintFrame() {
    UpdateBackground();
    if (!Background) return;
    TWindowDC dc(Window, true);
    const RECT area = WindowArea(Window);
    BitBlt(dc.get(), 0, 0, area.right, area.bottom, Background->Canvas().Handle(), 0, 0, SRCCOPY);
}

LRESULT TWinSkinPopMenu::Print(HDC dc, LPARAM flags) {
    const RECT area = WindowArea(Window);
    UpdateBackground();
    if (Background) BitBlt(dc, 0, 0, area.right, area.bottom, Background->Canvas().Handle(), 0, 0, SRCCOPY);
    RECT inner = area;
    InflateRect(&inner, -kPopupFrame, -kPopupFrame);
    TRegionHandle clip(CreateRectRgnIndirect(&inner));
    TSavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SelectClipRgn(dc, clip.get());
    return TWindowSubclass::CallNext(Window, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
}

void TWinSkinPopMenu::PaintWithoutNonClientArea() {
    TPaintScope paint(Window);
    const RECT area = WindowArea(Window);
    TBitmap work;
    work.SetSize(area.right, area.bottom);
    Print(work.Canvas().Handle(), PRF_CLIENT);
    BitBlt(paint.dc(), 0, 0, area.right, area.bottom, work.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace velloran
