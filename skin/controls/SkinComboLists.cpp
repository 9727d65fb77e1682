#include "skin/controls/SkinComboLists.h"

#include <windowsx.h>

#include <algorithm>

namespace velloran {

// ---- TSkinScrollbarH ---------------------------------------------------------------------

const TClassInfo& TSkinScrollbarH::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinScrollbarH>("TSkinScrollbarH", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH() = default;

void TSkinScrollbarH::InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkinHandle(window, skinData, form, canvas);
    bars_.Create(*SkinData, Window);
}

void TSkinScrollbarH::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State != sgWindowDestroyed) bars_.Free();
}

void TSkinScrollbarH::SkinSwitched(bool on) {
    if (on)
        bars_.Place();
    else
        bars_.Hide();
}

void TSkinScrollbarH::AfterProc(TMessage& m) {
    if (!IsWindowVisible(Window)) bars_.Hide();
    switch (m.Msg) {
        case WM_SIZE:
        case WM_NCPAINT:
            bars_.Place();
            Refresh();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            bars_.ShowRequest(m.Msg, m.WParam);
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinScrollbarH::PaintControl(HDC dc, const RECT&) {
    bars_.RepaintShown();
    if (const std::optional<RECT> corner = bars_.Corner()) FillColour(dc, *corner, SkinBackground());
}

// ---- TComboxScrollBar --------------------------------------------------------------------

int DraggedPosition(const SCROLLINFO& info, int offset0, int travel, int track, int thumb) {
    const int span = track - thumb;
    // A thumb as long as its track has nowhere to go.
    if (span <= 0) return info.nPos;
    int offset = std::max(0, offset0 + travel);
    const int page = static_cast<int>(info.nPage);
    int position = 0;
    if (page != 0) {
        if (offset > span) offset = span + 1;
        position = MulDiv(offset, info.nMax - info.nMin - page, span) + info.nMin;
        if (position >= info.nMax - page) position = info.nMax - page + 1;
    } else {
        position = std::min(MulDiv(std::min(offset, span), info.nMax - info.nMin, track) + info.nMin, info.nMax);
    }
    return std::max(position, info.nMin);
}

const TClassInfo& TComboxScrollBar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TComboxScrollBar>("TComboxScrollBar", &TSkinControl::StaticClassInfo());
    return info;
}

TComboxScrollBar::TComboxScrollBar(TComponent* owner)
    : TSkinControl(owner), arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {}

void TComboxScrollBar::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State != sgWindowDestroyed) SkinSwitched(false);
}

void TComboxScrollBar::SkinSwitched(bool on) {
    // Off: the list's own bar is drawn again over the skin's.
    if (!on) RedrawWindow(Window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

bool TComboxScrollBar::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            // The system would light its own bar under the pointer.
            if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) {
                m.Result = 0;
                return false;
            }
            break;
        case WM_NCLBUTTONDOWN:
            if (m.WParam == HTVSCROLL && DragThumb(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
                m.Result = 0;
                return false;
            }
            break;
        default:
            break;
    }
    return TSkinControl::BeforeProc(m);
}

void TComboxScrollBar::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCPAINT:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case LBCB_STARTTRACK:
            PaintWindow(nullptr);
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TComboxScrollBar::PaintControl(HDC dc, const RECT& rect) {
    TScrollBarState state;
    if (!ReadWindowScrollBar(Window, true, state) || state.Invisible) return;
    const int width = state.Bar.right - state.Bar.left;
    const int height = state.Bar.bottom - state.Bar.top;
    if (width <= 0 || height <= 0 || width > rect.right || height > rect.bottom) return;
    const POINT at{state.Bar.left - WindowRect.left, state.Bar.top - WindowRect.top};
    PaintSkinnedScrollBar(dc, at, *SkinData, TScrollBarLook{true, arrowSize_, state.Enabled, state.Thumb}, width,
                          height);
}

bool TComboxScrollBar::DragThumb(POINT press) {
    const HWND list = Window;
    TScrollBarState bar;
    if (!ReadWindowScrollBar(list, true, bar) || bar.Invisible) return false;
    const int along = press.y - bar.Bar.top;
    if (along < bar.Thumb.Start || along > bar.Thumb.End) return false;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS};
    if (!GetScrollInfo(list, SB_VERT, &info)) return false;
    const int offset0 = bar.Thumb.Start - arrowSize_;
    const int track = bar.Bar.bottom - bar.Bar.top - 2 * arrowSize_;
    const int thumb = bar.Thumb.End - bar.Thumb.Start;
    int last = info.nPos;
    SetCapture(list);
    // Each move is measured where the message says the pointer was, so that moves queued before
    // the loop began still count. The loop also ends when the capture is taken away or the list
    // goes: the button-up would never come to it then.
    for (;;) {
        MSG msg{};
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsWindow(list) || GetCapture() != list) break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!IsWindow(list)) return true;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            const int position = DraggedPosition(info, offset0, msg.pt.y - press.y, track, thumb);
            if (position != last) {
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
                last = position;
            }
        }
        if (GetCapture() != list) break;
    }
    if (!IsWindow(list)) return true;
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
    PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
    if (GetCapture() == list) ReleaseCapture();
    return true;
}

}  // namespace velloran
