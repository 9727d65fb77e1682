#pragma once
// A small window of the skinner's own laid exactly over one native scroll bar of a control. It
// paints the skin's scroll bar there and hands every mouse press back to the native bar as a
// non-client press, so that the system's own tracking loop and auto-repeat do the scrolling
// while the overlay only draws.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Handles.h"

namespace velloran {

class TSkinData;

// The parts of a bar, numbered as the platform's scroll requests, so that the request code of a
// WM_VSCROLL can be kept as the hot part.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = SB_LINEUP,
    spSecondArrow = SB_LINEDOWN,
    spTrackBefore = SB_PAGEUP,
    spTrackAfter = SB_PAGEDOWN,
    spThumb = SB_THUMBTRACK
};

// The window's horizontal bar, its vertical bar, or a whole scroll bar control.
enum TOverlayMode : uint8_t { omHorizontal = 0, omVertical = 1, omControl = 2 };

// The thumb along the bar's axis, from the bar's own origin.
struct TThumbExtent {
    int Start = 0;
    int End = 0;
};

// The part under a point `along` the axis of a bar `length` long with arrows `arrow` long.
TScrollPart ScrollHitTest(int along, int arrow, TThumbExtent thumb, int length);
// The thumb moved by the cursor's travel since the press, kept between the arrows; `current` is
// the thumb as the bar has it now.
TThumbExtent DraggedThumb(TThumbExtent current, int pressStart, int travel, int arrow, int length);
// The thumb of a scroll bar control `length` long from its range, page and position; a thumb
// of a page shorter than 8 pixels is drawn 8 long.
TThumbExtent ControlThumb(int length, int arrow, const SCROLLINFO& info);

// Reads a window's scroll bar; replaceable so that a platform without the function can be seen.
using TScrollBarInfoReader = bool (*)(HWND window, LONG objectId, SCROLLBARINFO& info);
// Installs a reader (null: the platform's) and answers the one it replaces.
TScrollBarInfoReader SetScrollBarInfoReader(TScrollBarInfoReader reader);

// One bar as the platform gives it.
struct TScrollBarState {
    RECT Bar{};  // screen coordinates
    TThumbExtent Thumb;
    bool Enabled = true;
    bool Invisible = false;
};
// The horizontal or vertical bar of a window; false when the platform gives nothing.
bool ReadWindowScrollBar(HWND window, bool vertical, TScrollBarState& state);

// What one paint of a skinned bar shows.
struct TScrollBarLook {
    bool Vertical = true;
    int ArrowSize = 0;
    bool Enabled = true;
    TThumbExtent Thumb;
    int HotPart = spNone;
    bool Pressed = false;
};
// Composes the skin's scroll bar of width x height off screen and copies it to `at` in dc;
// nothing when the skin has no scroll-bar glyphs.
void PaintSkinnedScrollBar(HDC dc, POINT at, TSkinData& skinData, const TScrollBarLook& look, int width, int height);

class TWScrollbar {
public:
    // An overlay for the horizontal or vertical bar of `target`, a child of the target's parent,
    // placed at once. The skin comes from `skinData`, which outlives the overlay.
    TWScrollbar(TSkinData& skinData, HWND target, TOverlayMode mode);
    // An overlay over the whole of a scroll bar control, vertical unless `vertical` is false.
    TWScrollbar(TSkinData& skinData, HWND control, bool vertical);
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Lays the overlay over the bar, or hides it when the bar or its window is not shown; stays
    // hidden when the platform gives no scroll-bar information.
    void Place();
    void Hide();
    void Repaint();
    // Enables or disables the overlay with its control.
    void SetEnabled(bool enabled);
    void SetHotPart(int part) { hotPart_ = part; }

    HWND Handle() const { return wnd_.get(); }
    bool Shown() const { return shown_; }
    bool Pressed() const { return pressed_; }
    int HotPart() const { return hotPart_; }
    bool Vertical() const { return vertical_; }
    // The bar in the target window's client coordinates, as last placed.
    const RECT& ClientBar() const { return clientBar_; }
    // The bar in the target's window coordinates, as last placed.
    RECT WindowBar() const;

private:
    using TBarState = TScrollBarState;
    bool ReadBar(TBarState& state) const;
    TScrollPart HitTest(POINT client) const;
    void Paint(HDC dc);
    void Press(POINT client);
    void Release(POINT client);
    UINT HitCode() const { return Vertical() ? HTVSCROLL : HTHSCROLL; }
    void Create();
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    TSkinData& skinData_;
    HWND target_;
    TOverlayMode mode_;
    bool vertical_;
    int arrowSize_;
    int length_ = 0;
    POINT origin_{};
    POINT pressCursor_{};
    int pressThumbStart_ = 0;
    int hotPart_ = spNone;
    RECT clientBar_{};
    bool shown_ = false;
    bool pressed_ = false;
    // Cleared when the overlay goes; a press outlives it when skinning ends during the system's
    // tracking loop.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    TWindowHandle wnd_;
};

}  // namespace velloran
