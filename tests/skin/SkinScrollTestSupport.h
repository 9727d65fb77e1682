#pragma once
// Support for the tests of the scroll-bar skinners: a window's native bar, the overlays laid over
// bars, the skin's arrow glyphs and track fitted to a bar, and real mouse input, through the
// system's own input queue or the X display.
#include <windows.h>

#include <vector>

#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran::skintest {

inline SCROLLBARINFO BarInfo(HWND wnd, LONG id) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(wnd, id, &info);
    return info;
}

inline std::vector<HWND> Overlays(HWND parent) {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(parent, nullptr, "TWScrollbar", nullptr); w;
         w = FindWindowExA(parent, w, "TWScrollbar", nullptr))
        found.push_back(w);
    return found;
}

// Frame `frame` of the glyph strip stretched to width x height (magenta kept).
inline TDecodedBitmap Glyph(TSkinData& data, int frame, int width, int height) {
    TBitmap out;
    out.SetSize(width, height);
    StretchFrame(out.Canvas().Handle(), RECT{0, 0, width, height}, *data.Scrollbar->Bitmap, false, 23, frame);
    return GetBitmapPixels(out);
}

// The vertical track fitted between the arrows, frame 1 enabled or 3 disabled.
inline TDecodedBitmap Track(TSkinData& data, int frame, int width, int height) {
    TDataSkinObject& track = *data.VertScroll;
    auto image = ComposeSkinImage(RECT{0, 0, width, height}, *track.Bitmap, track.Margins(), false,
                                  data.HorzScroll->Tile == 1, 4, frame);
    return GetBitmapPixels(*image);
}

// Real input at a screen point: the system's own pointer and buttons.
inline void MouseAt(POINT p, DWORD buttons = 0) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((p.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((p.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

// Presses the middle of a vertical bar's thumb with the real pointer and lets it go `travel`
// pixels further down.
inline bool DragThumbDown(const SCROLLBARINFO& bar, int travel) {
    const POINT thumb{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                      bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
    return XDrag(thumb, {thumb.x, thumb.y + travel});
}

}  // namespace velloran::skintest
