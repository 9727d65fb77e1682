#include "skin/controls/SkinComboBoxes.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/SkinComboLists.h"
#include "skin/controls/SkinEdits.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {
// The window some systems give as the parent of a simple combo's list that is no real child.
const HWND kDesktopListParent = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10014));

int Frames(const TDataSkinObject& object) { return std::max(object.Frame, 1); }
}  // namespace

const TClassInfo& TSkinComBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinComBox>("TSkinComBox", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox() { DetachParts(); }

void TSkinComBox::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    const bool before = Attached;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (Attached && !before) AttachParts();
}

void TSkinComBox::InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    const bool before = Attached;
    TSkinControl::InitSkinHandle(window, skinData, form, canvas);
    if (Attached && !before) AttachParts();
}

void TSkinComBox::AttachParts() {
    ReadLayout();
    const bool simple = (style_ & 3) == CBS_SIMPLE;
    if (!simple) {
        if (haveInfo_) SkinList<TComboxScrollBar>();
        const HWND editPart = GetTopWindow(Window);
        if (editPart && !Unicode)
            editPart_ = std::make_unique<TWindowSubclass>(editPart, [this](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
                const LRESULT result = TWindowSubclass::CallNext(wnd, msg, wp, lp);
                if (msg == WM_PAINT)
                    PaintWindow(nullptr);
                else
                    TrackPress(msg);
                return result;
            });
    } else if (haveInfo_) {
        const auto listStyle = static_cast<DWORD>(GetWindowLongPtrW(info_.hwndList, GWL_STYLE));
        if ((listStyle & WS_CHILD) && !(listStyle & WS_POPUP) && GetParent(info_.hwndList) != kDesktopListParent)
            SkinList<TSkinScrollbarH>();
    }
}

template <class T>
void TSkinComBox::SkinList() {
    if (!info_.hwndList) return;
    listSkinner_.reset(new T(nullptr));
    listSkinner_->InitSkinHandle(info_.hwndList, SkinData, Form, Canvas);
    // Held by the combo's skinner, which gives it back with its own; the form does not free it.
    Form->UnregisterSkinner(listSkinner_.get());
}

void TSkinComBox::DetachParts() {
    editPart_.reset();
    if (listSkinner_ && !listSkinner_->WindowDestroyed()) listSkinner_->RestoreControl();
    listSkinner_.reset();
}

// The list's skinner is the combo's, not the form's: it hears of a new skin from here.
void TSkinComBox::SkinChanged() {
    TSkinControl::SkinChanged();
    if (listSkinner_) listSkinner_->SkinChanged();
}

void TSkinComBox::SkinSwitched(bool on) {
    if (listSkinner_) SendMessageW(listSkinner_->SkinnedWindow(), SM_SKINENABLE, on ? 1 : 0, 0);
}

void TSkinComBox::RestoreControl() {
    DetachParts();
    TSkinControl::RestoreControl();
}

void TSkinComBox::ReadLayout() {
    style_ = WindowStyle();
    exStyle_ = static_cast<DWORD>(GetWindowLongPtrW(Window, GWL_EXSTYLE));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    haveInfo_ = SafeGetComboBoxInfo(Window, info);
    if (haveInfo_) {
        info_ = info;
        hotRect_ = info_.rcButton;
    }
}

void TSkinComBox::SetHot(bool hot) {
    if (hot == Hot()) return;
    MouseState = hot ? (MouseState | mfHot) : (MouseState & ~mfHot);
    if (hot) RequestMouseLeave(Window);
    Refresh();
}

void TSkinComBox::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            break;
        case WM_MOUSEMOVE: {
            const POINT point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            const bool enabled = IsWindowEnabled(Window) != FALSE;
            if (!Hot() && enabled && PtInRect(&hotRect_, point))
                SetHot(true);
            else if (Hot() && (!enabled || !PtInRect(&hotRect_, point)))
                SetHot(false);
            break;
        }
        case WM_DRAWITEM:
        case WM_NCPAINT:
            Refresh();
            break;
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            SetHot(false);
            break;
        case CN_COMMAND:
            if (HIWORD(m.WParam) == CBN_DROPDOWN) droppedDown_ = true;
            if (HIWORD(m.WParam) == CBN_CLOSEUP) droppedDown_ = false;
            break;
        default:
            if (!TrackPress(m.Msg)) TSkinControl::AfterProc(m);
            break;
    }
}

bool TSkinComBox::TrackPress(UINT msg) {
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK && msg != WM_LBUTTONUP) return false;
    MouseState = msg == WM_LBUTTONUP ? (MouseState & ~mfPressed) : (MouseState | mfPressed);
    Refresh();
    return true;
}

TComboFrame TSkinComBox::ReadState() const {
    if (style_ & WS_DISABLED) return cfDisabled;
    if (Pressed()) return cfPressed;
    const HWND focus = GetFocus();
    if (Hot() || (focus && (focus == Window || IsChild(Window, focus)))) return cfHot;
    return cfNormal;
}

RECT TSkinComBox::TextArea(const RECT& rect, int buttonWidth) const {
    if (LeftLayout()) return RECT{buttonWidth + 4, 2, rect.right - 2, rect.bottom - 2};
    return RECT{2, 2, rect.right - buttonWidth - 4, rect.bottom - 2};
}

void TSkinComBox::PaintControl(HDC dc, const RECT& rect) {
    const TDataSkinBorder* button = SkinData->ComboButton.get();
    if (!button || button->Bitmap->Empty()) return;
    ReadLayout();
    if (haveInfo_ && (info_.stateButton & STATE_SYSTEM_INVISIBLE)) return;
    const TComboFrame state = ReadState();
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    TOffscreen offscreen(dc, width, height);
    if (!offscreen) return;
    FillColour(offscreen.DC(), rect, SkinBackground());
    if (button->Style == 1)
        PaintSimpleLook(offscreen.DC(), rect, state);
    else if (Extended)
        PaintExtended(offscreen.DC(), rect, state);
    else if (button->Style == 2)
        PaintOneImage(offscreen.DC(), rect, state);
    else
        PaintEdgeAndButton(offscreen.DC(), rect, state);
    // The control keeps painting its own text; the skin goes around it.
    const int buttonWidth = button->Style == 1 ? GetSystemMetrics(SM_CYVTHUMB) : GetSystemMetrics(SM_CXHSCROLL);
    const RECT text = TextArea(rect, buttonWidth);
    TSavedDC saved(dc);
    SelectClipRgn(dc, nullptr);
    ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
    offscreen.CopyTo(dc, 0, 0);
}

void TSkinComBox::PaintSimpleLook(HDC dc, const RECT& rect, TComboFrame state) {
    TDataSkinBorder& button = *SkinData->ComboButton;
    const COLORREF own = ColorToRGB(Control ? Control->Color() : static_cast<TColor>(clWindow));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameColour(dc, inner, own);
    const int strip = GetSystemMetrics(SM_CYVTHUMB);
    const RECT stripRect = LeftLayout() ? RECT{1, 1, 1 + strip, rect.bottom - 1}
                                        : RECT{rect.right - 1 - strip, 1, rect.right - 1, rect.bottom - 1};
    FillColour(dc, stripRect, own);
    FrameColour(dc, rect, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])));
    const int frameWidth = button.Bitmap->Width() / Frames(button);
    RECT place = LeftLayout() ? RECT{stripRect.left, stripRect.top, stripRect.left + frameWidth, stripRect.bottom}
                              : RECT{stripRect.right - frameWidth, stripRect.top, stripRect.right, stripRect.bottom};
    if (button.Bitmap->Height() < place.bottom - place.top) place.bottom = place.top + button.Bitmap->Height();
    DrawStripFrame(dc, place, Frames(button), state, *button.Bitmap);
    hotRect_ = place;
}

void TSkinComBox::PaintExtended(HDC dc, const RECT& rect, TComboFrame state) {
    RECT client{};
    GetClientRect(Window, &client);
    if (client.right != rect.right || client.bottom != rect.bottom)
        DrawEditFrame(dc, rect, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])), 1);
    TDataSkinObject* arrow = SkinData->ComboArrow.get();
    if (!haveInfo_ || !arrow || arrow->Bitmap->Empty()) return;
    FillColour(dc, info_.rcButton, SkinBackground());
    DrawStripFrame(dc, info_.rcButton, Frames(*arrow), state, *arrow->Bitmap);
}

void TSkinComBox::PaintOneImage(HDC dc, const RECT& rect, TComboFrame state) {
    // The left layout's image is the composed strip mirrored whole, so its frames run in reverse.
    const bool mirrored = LeftLayout() && SkinData->SunkEdge;
    TDataSkinObject* image = mirrored ? SkinData->SunkEdge.get() : SkinData->ComboButton.get();
    const int frames = Frames(*image);
    DrawSkinFrame(dc, rect, frames, mirrored ? frames - state + 1 : state, *image);
}

void TSkinComBox::PaintEdgeAndButton(HDC dc, const RECT& rect, TComboFrame state) {
    TDataSkinBorder& button = *SkinData->ComboButton;
    if (SkinData->SunkEdge) DrawSkinFrame(dc, rect, Frames(*SkinData->SunkEdge), state, *SkinData->SunkEdge);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const RECT place = LeftLayout() ? RECT{0, 0, arrow + 2, rect.bottom} : RECT{rect.right - arrow - 2, 0, rect.right, rect.bottom};
    // The left layout's art is the whole strip mirrored, so its frames run in reverse order.
    const bool mirrored = LeftLayout() && !button.Bitmap2->Empty();
    const int frames = Frames(button);
    DrawStripFrame(dc, place, frames, mirrored ? frames - state + 1 : state, mirrored ? *button.Bitmap2 : *button.Bitmap);
    hotRect_ = place;
    if (SkinData->ExtraImages)
        CenterFrame(dc, place, *SkinData->ExtraImages->Bitmap, true, Frames(*SkinData->ExtraImages), state);
}

}  // namespace velloran
