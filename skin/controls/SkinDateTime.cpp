#include "skin/controls/SkinDateTime.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/UtilWindow.h"
#include "skin/controls/SkinEdits.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
constexpr char kArrowButtonClass[] = "TArrowButton";
constexpr int kHotFrame = 4, kNormalFrame = 1;

void RegisterArrowButtonClass() {
    static const bool registered = RegisterPlainWindowClass(kArrowButtonClass, LoadCursor(nullptr, IDC_ARROW));
    (void)registered;
}

SIZE WindowSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
}  // namespace

// ---- TArrowButton ------------------------------------------------------------------------

TArrowButton::TArrowButton(TSkinDateTime& owner, HWND picker)
    : owner_(owner), picker_(picker), arrowWidth_(GetSystemMetrics(SM_CXHSCROLL)) {
    RegisterArrowButtonClass();
    window_.reset(CreateWindowExA(0, kArrowButtonClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, picker, nullptr,
                                  GetModuleHandleA(nullptr), nullptr));
    if (!window_) return;
    subclass_ = std::make_unique<TWindowSubclass>(window_.get(), [this](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
            case WM_PAINT:
                PaintForMessage(wnd, wp, [this](HDC dc) { Paint(dc); });
                return LRESULT{0};
            case WM_ERASEBKGND:
                return LRESULT{1};
            default:
                Handle(msg, lp);
                return TWindowSubclass::CallNext(wnd, msg, wp, lp);
        }
    });
    Place();
}

void TArrowButton::Place() {
    if (!window_) return;
    const SIZE picker = WindowSize(picker_);
    const bool left = (GetWindowLongPtrW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int x = left ? 2 : picker.cx - arrowWidth_ - 4;
    SetWindowPos(window_.get(), HWND_TOP, x, 0, arrowWidth_, picker.cy - 4, SWP_NOACTIVATE);
}

void TArrowButton::SetHot(bool hot) {
    if (hot_ == hot) return;
    hot_ = hot;
    if (hot) RequestMouseLeave(window_.get());
    InvalidateRect(window_.get(), nullptr, FALSE);
}

void TArrowButton::Handle(UINT msg, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (IsWindowEnabled(picker_)) SetHot(true);
            break;
        case WM_MOUSELEAVE:
            SetHot(false);
            break;
        case WM_LBUTTONDOWN: {
            // The picker opens its calendar for a click on its own button, which lies under this one.
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(window_.get(), picker_, &at, 1);
            PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            PostMessageW(picker_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            break;
        }
        case WM_LBUTTONUP:
            SetFocus(picker_);
            break;
        default:
            break;
    }
}

void TArrowButton::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_.get(), &client);
    TOffscreen offscreen(dc, client.right, client.bottom);
    if (!offscreen) return;
    TBrushHandle face(CreateSolidBrush(owner_.Background()));
    FillRect(offscreen.DC(), &client, face.get());
    TDataSkinObject* arrow = owner_.Data().ComboArrow.get();
    if (arrow && !arrow->Bitmap->Empty())
        StretchFrame(offscreen.DC(), RECT{0, 0, client.right, WindowSize(picker_).cy - 4}, *arrow->Bitmap, false,
                     std::max(arrow->Frame, 1), hot_ ? kHotFrame : kNormalFrame);
    offscreen.CopyTo(dc, 0, 0);
}

// ---- TSkinDateTime -----------------------------------------------------------------------

const TClassInfo& TSkinDateTime::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinDateTime>("TSkinDateTime", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinDateTime::TSkinDateTime(TComponent* owner) : TSkinControl(owner) {}

TSkinDateTime::~TSkinDateTime() { RemoveArrow(); }

void TSkinDateTime::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    const bool before = Attached;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Attached || before) return;
    arrow_ = std::make_unique<TArrowButton>(*this, Window);
    const DWORD style = WindowStyle();
    addedClipChildren_ = !(style & WS_CLIPCHILDREN);
    if (addedClipChildren_) SetWindowLongPtrW(Window, GWL_STYLE, static_cast<LONG_PTR>(style | WS_CLIPCHILDREN));
}

void TSkinDateTime::RemoveArrow() {
    arrow_.reset();
    if (addedClipChildren_ && IsWindow(Window))
        SetWindowLongPtrW(Window, GWL_STYLE, static_cast<LONG_PTR>(WindowStyle() & ~WS_CLIPCHILDREN));
    addedClipChildren_ = false;
}

void TSkinDateTime::RestoreControl() {
    RemoveArrow();
    TSkinControl::RestoreControl();
}

void TSkinDateTime::AfterProc(TMessage& m) {
    if (m.Msg == WM_SIZE && arrow_) InvalidateRect(arrow_->Handle(), nullptr, FALSE);
    TSkinControl::AfterProc(m);
}

void TSkinDateTime::PaintControl(HDC dc, const RECT& rect) {
    if (arrow_) arrow_->Place();
    RECT client{};
    GetClientRect(Window, &client);
    if (client.right == rect.right && client.bottom == rect.bottom) return;
    TSavedDC saved(dc);
    SelectClipRgn(dc, nullptr);
    DrawEditFrame(dc, rect, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])), 1);
}

}  // namespace velloran
