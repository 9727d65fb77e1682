#pragma once
// Support for the tests of the control skinners: a skinned form with controls, a bare dialog made
// from an in-memory template, what a skinner paints, and the frames cut from the skin's bitmaps
// that it must show.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/DialogTemplate.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinControl.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/tools/XinputRelay.h"

namespace velloran::skintest {

// A form to put controls on, at a known place.
inline fwtest::TOwned<TForm> MakeControlForm(const char* caption = "Controls") {
    fwtest::TOwned<TForm> form(new TForm(nullptr));
    form->SetBounds(60, 60, 0, 0);
    form->SetClientWidth(320);
    form->SetClientHeight(200);
    form->SetCaption(caption);
    return form;
}

template <class T>
T* AddControl(TForm& form, const char* caption, int left, int top, int width, int height) {
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    return control;
}

// The skinner of a child window, through its form's skinner.
template <class T = TSkinControl>
T* ChildSkinner(HWND parent, HWND child) {
    TWinSkinForm* form = SkinnerOf(parent);
    return form ? dynamic_cast<T*>(form->FindSkinner(child)) : nullptr;
}

// What the window paints into a DC that comes with WM_PAINT (0x00RRGGBB, rows from the top).
inline TDecodedBitmap PaintedPixels(HWND wnd) {
    return WindowSizedPixels(wnd, [wnd](HDC dc, HDC) { SendMessageW(wnd, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
}

inline uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
inline uint32_t SkinColour(const TSkinData& data, int index) {
    return Rgb(ColorToRGB(static_cast<TColor>(data.Colors[static_cast<size_t>(index)])));
}

// The pixels of `actual` inside `area` (actual's coordinates) that differ from `expected` placed
// at the area's top-left; magenta in `expected` stands for `background`.
inline int Mismatches(const TDecodedBitmap& actual, const TDecodedBitmap& expected, const RECT& area,
                      uint32_t background, const RECT& skip = RECT{}) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const POINT p{x, y};
            if (PtInRect(&skip, p)) continue;
            uint32_t want = PixelAt(expected, x - area.left, y - area.top);
            if (want == 0xFF00FF) want = background;
            if (PixelAt(actual, x, y) != want) ++count;
        }
    return count;
}

// Frame `frame` of a skin object fitted to width x height, as the button painters fit it.
inline TDecodedBitmap FittedFrame(TDataSkinObject& object, int frameCount, int frame, int width, int height) {
    auto image = ComposeSkinImage(RECT{0, 0, width, height}, *object.Bitmap, object.Margins(), false,
                                  object.Tile == 1, frameCount, frame);
    return image ? GetBitmapPixels(*image) : TDecodedBitmap{};
}

// Frame `frame` of a horizontal strip at its own size.
inline TDecodedBitmap StripFramePixels(TBitmap& strip, int frameCount, int frame) {
    const int width = strip.Width() / frameCount;
    TBitmap out;
    out.SetSize(width, strip.Height());
    StretchFrame(out.Canvas().Handle(), RECT{0, 0, width, strip.Height()}, strip, false, frameCount, frame);
    return GetBitmapPixels(out);
}

// Runs `interact` (given the cycle number) 1,100 times, switching between the project's two
// skins every hundredth cycle, and checks that the last 1,000 cycles leave the process's GDI and
// USER object counts where they found them.
inline void ExpectNoHandleLeftAfterCycles(TSkinnedProcess& skinning, const std::string& name,
                                          const std::function<void(int)>& interact) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path files[] = {dir / ("velloran-" + name + "-default.skn"),
                                           dir / ("velloran-" + name + "-contrast.skn")};
    WriteProjectSkin("Default", files[0]);
    WriteProjectSkin("Contrast", files[1]);
    const auto cycle = [&](int i) {
        interact(i);
        if (i % 100 == 99) {
            int changed = 0;
            skinning.Data->OnSkinChanged = [&changed](TObject*) { ++changed; };
            skinning.Data->SetSkinFile(files[(i / 100) % 2].string());
            fwtest::PumpUntil([&] { return changed > 0; });
            skinning.Data->OnSkinChanged = nullptr;
        }
        fwtest::PumpFor(0);
    };
    for (int i = 0; i < 100; ++i) cycle(i);
    const int gdi = fwtest::CountGdiObjects(), user = fwtest::CountUserObjects();
    for (int i = 100; i < 1100; ++i) cycle(i);
    fwtest::PumpFor(50);
    EXPECT_EQ(fwtest::CountGdiObjects(), gdi);
    EXPECT_EQ(fwtest::CountUserObjects(), user);
    for (const auto& file : files) std::filesystem::remove(file);
}

// xdotool through the relay the test runs beside (scripts/xinput-relay.sh).
using velloran::xinput::HasXinputRelay;
using velloran::xinput::Xdotool;

inline std::string XMouseMove(POINT p) { return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y); }

// The real pointer moved to a screen point. X root coordinates are the screen coordinates of
// Wine's unmanaged windows: the move counts once the system's own cursor is at that point.
inline bool XMoveTo(POINT p) {
    const auto arrived = [p] {
        POINT at{};
        return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
    };
    return Xdotool(XMouseMove(p)) && fwtest::PumpUntil(arrived, 2000);
}

inline bool XClickAt(POINT p) { return XMoveTo(p) && Xdotool("click 1"); }

// The left button pressed at `from`, carried halfway and on to `to`, and let go there. Nothing
// is pumped while it is down: the whole drag waits in the queue for whatever tracks it.
inline bool XDrag(POINT from, POINT to) {
    const POINT halfway{(from.x + to.x) / 2, (from.y + to.y) / 2};
    return XMoveTo(from) && Xdotool("mousedown 1") && Xdotool(XMouseMove(halfway)) && Xdotool(XMouseMove(to)) &&
           Xdotool("mouseup 1");
}

// A modeless dialog of the system's dialog class made from an in-memory template.
inline HWND CreateTemplateDialog(const std::vector<TDialogItem>& items, DLGPROC proc, LPARAM param = 0) {
    return TDialogTemplate(L"Bare dialog", 200, 120, items).Create(nullptr, proc, param);
}

}  // namespace velloran::skintest
