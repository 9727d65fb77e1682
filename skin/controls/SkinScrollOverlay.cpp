#include "skin/controls/SkinScrollOverlay.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "framework/UtilWindow.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {

constexpr char kOverlayClass[] = "TWScrollbar";
// Frames of the skin's scroll-bar glyph strip.
constexpr int kGlyphFrames = 23;
constexpr int kTrackFrames = 4;
enum TGlyphFrame : int {
    gfLeftArrow = 1,
    gfRightArrow = 5,
    gfUpArrow = 9,
    gfDownArrow = 13,
    gfHorizontalGrip = 17,
    gfVerticalGrip = 20
};
enum TTrackFrame : int { tfEnabled = 1, tfDisabled = 3 };
enum TThumbFrame : int { thNormal = 1, thPressed = 2, thHot = 3 };

TScrollBarInfoReader g_reader = nullptr;

bool ReadScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info) {
    return g_reader ? g_reader(window, objectId, info) : SafeGetScrollBarInfo(window, objectId, info);
}

void RegisterOverlayClass() {
    static const bool registered = RegisterPlainWindowClass(kOverlayClass, LoadCursor(nullptr, IDC_ARROW));
    if (!registered) throw std::runtime_error("Cannot register the scroll-bar overlay class");
}

int Along(POINT p, bool vertical) { return vertical ? p.y : p.x; }

// A rectangle from `from` to `to` along the axis, `breadth` across it.
RECT AxisRect(bool vertical, int from, int to, int breadth) {
    return vertical ? RECT{0, from, breadth, to} : RECT{from, 0, to, breadth};
}

}  // namespace

TScrollPart ScrollHitTest(int along, int arrow, TThumbExtent thumb, int length) {
    if (along < arrow) return spFirstArrow;
    if (along < thumb.Start) return spTrackBefore;
    if (along < thumb.End) return spThumb;
    if (along < length - arrow) return spTrackAfter;
    return spSecondArrow;
}

TThumbExtent DraggedThumb(TThumbExtent current, int pressStart, int travel, int arrow, int length) {
    const int highest = length + current.Start - arrow - current.End;
    const int start = std::max(arrow, std::min(pressStart + travel, highest));
    return {start, current.End + (start - current.Start)};
}

TThumbExtent ControlThumb(int length, int arrow, const SCROLLINFO& info) {
    constexpr int kShortest = 8;
    const int range = info.nMax == info.nMin ? 9999999 : info.nMax - info.nMin;
    const int offset = info.nPos - info.nMin;
    const auto startOver = [&](int span) { return offset == 0 ? arrow : MulDiv(span, offset, range) + arrow; };
    if (info.nPage == 0) {
        const int start = startOver(length - 3 * arrow);
        return {start, start + arrow};
    }
    const int thumb = MulDiv(length - 2 * arrow, static_cast<int>(info.nPage) - 1, range);
    if (thumb > kShortest - 1) {
        const int start = startOver(length - 2 * arrow);
        return {start, start + thumb};
    }
    const int start = startOver(length - 2 * arrow - kShortest);
    return {start, start + kShortest};
}

TScrollBarInfoReader SetScrollBarInfoReader(TScrollBarInfoReader reader) {
    const TScrollBarInfoReader previous = g_reader;
    g_reader = reader;
    return previous;
}

bool ReadWindowScrollBar(HWND window, bool vertical, TScrollBarState& state) {
    SCROLLBARINFO info{};
    if (!ReadScrollBarInfo(window, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, info)) return false;
    state.Bar = info.rcScrollBar;
    state.Thumb = {info.xyThumbTop, info.xyThumbBottom};
    // Some platforms mark only the two arrows of a disabled bar, or nothing for the bar of a
    // disabled window.
    const bool arrowsUnavailable = (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) && (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE);
    state.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && !arrowsUnavailable && IsWindowEnabled(window);
    state.Invisible = (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0;
    return true;
}

TWScrollbar::TWScrollbar(TSkinData& skinData, HWND target, TOverlayMode mode)
    : skinData_(skinData),
      target_(target),
      mode_(mode),
      vertical_(mode == omVertical),
      arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {
    Create();
}

TWScrollbar::TWScrollbar(TSkinData& skinData, HWND control, bool vertical)
    : skinData_(skinData),
      target_(control),
      mode_(omControl),
      vertical_(vertical),
      arrowSize_(GetSystemMetrics(SM_CXHSCROLL)) {
    Create();
}

void TWScrollbar::Create() {
    RegisterOverlayClass();
    wnd_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kOverlayClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                               GetParent(target_), nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!wnd_) throw std::runtime_error("Cannot create a scroll-bar overlay");
    SetWindowLongPtrA(wnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(wnd_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWScrollbar::Proc));
    Place();
}

TWScrollbar::~TWScrollbar() {
    *alive_ = false;
    if (wnd_) SetWindowLongPtrA(wnd_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
}

bool TWScrollbar::ReadBar(TBarState& state) const {
    if (mode_ == omControl) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS};
        if (!GetWindowRect(target_, &state.Bar) || !GetScrollInfo(target_, SB_CTL, &info)) return false;
        const int length = Vertical() ? state.Bar.bottom - state.Bar.top : state.Bar.right - state.Bar.left;
        state.Thumb = ControlThumb(length, arrowSize_, info);
        state.Enabled = IsWindowEnabled(target_) != FALSE;
        return true;
    }
    return ReadWindowScrollBar(target_, Vertical(), state);
}

void TWScrollbar::Place() {
    TBarState state;
    if (!ReadBar(state)) {
        Hide();
        return;
    }
    if (!(GetWindowLongPtrW(target_, GWL_STYLE) & WS_VISIBLE) || state.Invisible) {
        Hide();
        return;
    }
    const RECT& bar = state.Bar;
    clientBar_ = bar;
    MapWindowPoints(nullptr, target_, reinterpret_cast<POINT*>(&clientBar_), 2);
    const int width = bar.right - bar.left;
    const int height = bar.bottom - bar.top;
    length_ = Vertical() ? height : width;
    POINT corner{bar.left, bar.top};
    ScreenToClient(GetParent(target_), &corner);
    // Just above its control in the z-order, so that siblings over the control stay over it.
    const HWND above = GetWindow(target_, GW_HWNDPREV);
    const UINT order = above == wnd_.get() ? SWP_NOZORDER : 0;
    SetWindowPos(wnd_.get(), above ? above : HWND_TOP, corner.x, corner.y, width, height,
                 order | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MoveWindow(wnd_.get(), corner.x, corner.y, width, height, TRUE);
    shown_ = true;
}

void TWScrollbar::Hide() {
    ShowWindow(wnd_.get(), SW_HIDE);
    shown_ = false;
}

// Drawn at once into the window, which then has nothing left to paint: the overlay covers its
// whole window with every paint.
void TWScrollbar::Repaint() {
    const TWindowDC dc(wnd_.get());
    if (!dc) return;
    Paint(dc.get());
    ValidateRect(wnd_.get(), nullptr);
}

void TWScrollbar::SetEnabled(bool enabled) { EnableWindow(wnd_.get(), enabled); }

RECT TWScrollbar::WindowBar() const {
    RECT window{};
    GetWindowRect(target_, &window);
    POINT client{0, 0};
    ClientToScreen(target_, &client);
    RECT bar = clientBar_;
    OffsetRect(&bar, client.x - window.left, client.y - window.top);
    return bar;
}

TScrollPart TWScrollbar::HitTest(POINT client) const {
    TBarState state;
    if (!ReadBar(state)) return spNone;
    return ScrollHitTest(Along(client, Vertical()), arrowSize_, state.Thumb, length_);
}

// ---- painting ----------------------------------------------------------------------------

void TWScrollbar::Paint(HDC dc) {
    TBarState state;
    if (!ReadBar(state) || state.Invisible) return;
    RECT client{};
    GetClientRect(wnd_.get(), &client);
    const int width = state.Bar.right - state.Bar.left;
    const int height = state.Bar.bottom - state.Bar.top;
    if (width <= 0 || height <= 0 || width > client.right || height > client.bottom) return;
    const bool vertical = Vertical();
    TThumbExtent thumb = state.Thumb;
    if (pressed_ && hotPart_ == spThumb && mode_ != omControl) {
        POINT cursor{};
        GetCursorPos(&cursor);
        thumb = DraggedThumb(state.Thumb, pressThumbStart_, Along(cursor, vertical) - Along(pressCursor_, vertical),
                             arrowSize_, vertical ? height : width);
    }
    PaintSkinnedScrollBar(dc, POINT{0, 0}, skinData_,
                          TScrollBarLook{vertical, arrowSize_, state.Enabled, thumb, hotPart_, pressed_}, width, height);
}

namespace {

// Composes one bar: the track between the arrows, the arrows, the thumb and its grip.
void DrawScrollBar(HDC dc, TSkinData& skinData, const TScrollBarLook& look, int width, int height) {
    const bool vertical = look.Vertical;
    const int arrowSize = look.ArrowSize;
    const int length = vertical ? height : width;
    TBitmap& glyphs = *skinData.Scrollbar->Bitmap;
    const int glyphHeight = glyphs.Height();
    const int breadth = std::abs(glyphHeight - arrowSize) > 2 ? arrowSize : glyphHeight;
    SetStretchBltMode(dc, COLORONCOLOR);
    TBrushHandle background(CreateSolidBrush(ColorToRGB(static_cast<TColor>(skinData.Colors[ciButtonFace]))));
    const RECT whole{0, 0, width, height};
    FillRect(dc, &whole, background.get());

    // The track between the arrows; both orientations tile as the horizontal one says.
    TDataSkinObject& track = vertical ? *skinData.VertScroll : *skinData.HorzScroll;
    const RECT trackRect = AxisRect(vertical, arrowSize, length - arrowSize, vertical ? width : height);
    if (trackRect.right >= trackRect.left && trackRect.bottom >= trackRect.top && !track.Bitmap->Empty())
        DrawSkinObject(dc, trackRect, *track.Bitmap, false, skinData.HorzScroll->Tile == 1, track.Trans == 1,
                       kTrackFrames, look.Enabled ? tfEnabled : tfDisabled, track.Margins());

    const int arrow = length < 2 * arrowSize ? length / 2 : arrowSize;
    const auto arrowFrame = [&look](int base, TScrollPart part) {
        if (look.HotPart != part) return base;
        return base + (look.Pressed ? 1 : 3);
    };
    const int across = vertical ? width : height;
    StretchFrame(dc, AxisRect(vertical, 0, arrow, across), glyphs, true, kGlyphFrames,
                 arrowFrame(vertical ? gfUpArrow : gfLeftArrow, spFirstArrow));
    StretchFrame(dc, AxisRect(vertical, length - arrow, length, across), glyphs, true, kGlyphFrames,
                 arrowFrame(vertical ? gfDownArrow : gfRightArrow, spSecondArrow));

    if (!look.Enabled) return;
    const TThumbExtent thumb = look.Thumb;
    if (thumb.Start < 0 || thumb.End > length || thumb.End <= thumb.Start) return;
    const bool hotThumb = look.HotPart == spThumb;
    TDataSkinObject& shape = *skinData.HorzScrollThumb;
    TDataSkinObject& thumbObject = vertical ? *skinData.VertScrollThumb : shape;
    if (!thumbObject.Bitmap->Empty())
        DrawSkinObject(dc, AxisRect(vertical, thumb.Start, thumb.End, breadth), *thumbObject.Bitmap, false,
                       shape.Tile == 1, shape.Trans == 1, std::max(1, shape.Frame),
                       hotThumb ? (look.Pressed ? thPressed : thHot) : thNormal, thumbObject.Margins());

    const int thumbLength = thumb.End - thumb.Start;
    if (thumbLength <= glyphHeight - 2) return;
    const int gripStart = thumb.Start + (thumbLength - glyphHeight) / 2;
    if (gripStart < 0 || gripStart + glyphHeight > length) return;
    const int grip = (vertical ? gfVerticalGrip : gfHorizontalGrip) + (hotThumb ? (look.Pressed ? 1 : 2) : 0);
    StretchFrame(dc, AxisRect(vertical, gripStart, gripStart + glyphHeight, breadth), glyphs, true, kGlyphFrames,
                 grip);
}

}  // namespace

void PaintSkinnedScrollBar(HDC dc, POINT at, TSkinData& skinData, const TScrollBarLook& look, int width, int height) {
    TDataSkinObject* strip = skinData.Scrollbar.get();
    if (!strip || strip->Bitmap->Empty()) return;
    TOffscreen off(dc, width, height);
    // An off-screen bitmap that cannot be had ends this paint; the next one tries again.
    if (!off) return;
    DrawScrollBar(off.DC(), skinData, look, width, height);
    off.CopyTo(dc, at.x, at.y);
}

// ---- mouse -------------------------------------------------------------------------------

void TWScrollbar::Press(POINT client) {
    GetCursorPos(&pressCursor_);
    TBarState state;
    if (ReadBar(state)) {
        pressThumbStart_ = state.Thumb.Start;
        origin_ = {state.Bar.left, state.Bar.top};
    }
    hotPart_ = HitTest(client);
    const POINT screen{client.x + origin_.x, client.y + origin_.y};
    pressed_ = true;
    Repaint();
    ReleaseCapture();
    // Returns when the system's tracking of the native bar ends; the overlay may be gone by
    // then when skinning went off meanwhile.
    const std::shared_ptr<bool> alive = alive_;
    if (mode_ == omControl)
        SendMessageW(target_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    else
        SendMessageW(target_, WM_NCLBUTTONDOWN, HitCode(), MAKELPARAM(screen.x, screen.y));
    if (!*alive) return;
    pressed_ = false;
    ReleaseCapture();
    // The pointer may have left during the tracking, with no move here to say so.
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(wnd_.get(), &cursor);
    RECT area{};
    GetClientRect(wnd_.get(), &area);
    hotPart_ = PtInRect(&area, cursor) ? HitTest(cursor) : spNone;
    if (hotPart_ != spNone) RequestMouseLeave(wnd_.get());
    Repaint();
}

void TWScrollbar::Release(POINT client) {
    const POINT screen{client.x + origin_.x, client.y + origin_.y};
    pressed_ = false;
    ReleaseCapture();
    if (mode_ == omControl) {
        PostMessageW(target_, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        Repaint();
    } else {
        PostMessageW(target_, WM_NCLBUTTONUP, HitCode(), MAKELPARAM(screen.x, screen.y));
    }
}

LRESULT CALLBACK TWScrollbar::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(wnd, msg, wParam, lParam);
    try {
        return self->OnMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing escapes into the system's dispatch; the bar is simply not drawn this time.
        return 0;
    }
}

LRESULT TWScrollbar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            if (wParam) {
                Paint(reinterpret_cast<HDC>(wParam));
            } else {
                TPaintScope paint(wnd_.get());
                Paint(paint.dc());
            }
            return 0;
        case WM_MOUSEMOVE:
            if (const int part = HitTest(point); part != hotPart_) {
                hotPart_ = part;
                Repaint();
            }
            RequestMouseLeave(wnd_.get());
            return 0;
        case WM_MOUSELEAVE:
            if (!pressed_) {
                hotPart_ = spNone;
                Repaint();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(point);
            return 0;
        case WM_LBUTTONUP:
            Release(point);
            return 0;
        default:
            return DefWindowProcA(wnd_.get(), msg, wParam, lParam);
    }
}

}  // namespace velloran
