#pragma once
// Support for the tests of skinned windows under Wine: the project's skins (SkinDataTestSupport.h),
// plain windows to skin, and a window's pixels read back from the screen.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/ImgList.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"
#include "skin/manager/SkinManage.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinDataTestSupport.h"

namespace velloran::skintest {

// A plain top-level window of a class of its own, destroyed with the object.
class TPlainWindow {
public:
    TPlainWindow(DWORD style, int width, int height, DWORD exStyle = 0, const char* caption = "Plain window",
                 HWND parent = nullptr) {
        static const ATOM atom = [] {
            WNDCLASSA wc{};
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = "VelloranPlainWindow";
            return RegisterClassA(&wc);
        }();
        (void)atom;
        wnd_.reset(CreateWindowExA(exStyle, "VelloranPlainWindow", caption, style, 40, 40, width, height, parent,
                                   nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    HWND get() const { return wnd_.get(); }

private:
    TWindowHandle wnd_;
};

// What draw puts into a bitmap of the window's size, given a DC on it and the screen's DC.
inline TDecodedBitmap WindowSizedPixels(HWND wnd, const std::function<void(HDC dc, HDC screen)>& draw) {
    RECT r{};
    GetWindowRect(wnd, &r);
    TBitmap shot;
    shot.SetSize(r.right - r.left, r.bottom - r.top);
    {
        TWindowDC screen(nullptr);
        TMemoryDC dc(CreateCompatibleDC(screen.get()));
        TSelectObject select(dc.get(), shot.Handle());
        draw(dc.get(), screen.get());
    }
    return GetBitmapPixels(shot);
}

// The window's pixels as the screen shows them (0x00RRGGBB, rows from the top), window
// coordinates; the parts of other windows over it are read too, so keep it on top.
inline TDecodedBitmap ScreenPixels(HWND wnd) {
    return WindowSizedPixels(wnd, [wnd](HDC dc, HDC screen) {
        RECT r{};
        GetWindowRect(wnd, &r);
        BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    });
}

// The window's pixels once the screen has stopped changing: painted pixels reach the display a
// moment after the paint, later on a busy machine.
inline TDecodedBitmap SettledScreenPixels(HWND wnd) {
    TDecodedBitmap seen = ScreenPixels(wnd);
    for (int tries = 0; tries < 40; ++tries) {
        fwtest::PumpFor(50);
        TDecodedBitmap now = ScreenPixels(wnd);
        if (now.Pixels == seen.Pixels) break;
        seen = std::move(now);
    }
    return seen;
}

// A 16 x 16 menu image: magenta (keyed) but for a red 4 x 4 square in the middle, at (6, 6).
inline void AddMenuGlyph(TImageList& images) {
    images.SetSize(16, 16);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    TDecodedBitmap pixels{16, 16, std::vector<uint32_t>(256, 0xFF00FF)};
    for (int y = 6; y < 10; ++y)
        for (int x = 6; x < 10; ++x) pixels.Pixels[size_t(y * 16 + x)] = 0xFF0000;
    SetBitmapPixels(glyph, pixels);
    images.AddMasked(glyph, clFuchsia);
}

inline uint32_t PixelAt(const TDecodedBitmap& image, int x, int y) {
    return image.Pixels.at(static_cast<size_t>(y) * static_cast<size_t>(image.Width) + static_cast<size_t>(x));
}

// Skinning switched on for the test's windows as the program has it: a main skin data component
// holding a project skin, loaded and active. Ends with the manager gone, every window unskinned.
class TSkinnedProcess {
public:
    explicit TSkinnedProcess(const std::string& skin = "Default") : Data(LoadProjectSkin(skin)) {
        Data->SetActive(true);
        Data->Loaded();
    }
    ~TSkinnedProcess() {
        Data.reset();
        TSkinManage::Shutdown();
    }
    TSkinManage& Manager() const { return *TSkinManage::Instance(); }
    fwtest::TOwned<TSkinData> Data;
};

// An application object whose main form is an MDI frame of class TFrame, for one test: MDI
// children are made inside the application's main form.
template <class TFrame>
struct TMdiApplication {
    TApplication* const Saved = Application;
    TApplication App{nullptr};
    TFrame* Frame = nullptr;
    TMdiApplication() {
        Application = &App;
        App.CreateForm(Frame);
    }
    ~TMdiApplication() {
        App.DestroyComponents();
        Application = Saved;
    }
    TMdiApplication(const TMdiApplication&) = delete;
    TMdiApplication& operator=(const TMdiApplication&) = delete;
};

// The skinner of the window, or null.
inline TWinSkinForm* SkinnerOf(HWND wnd) {
    TSkinManage* manager = TSkinManage::Instance();
    return manager ? manager->FindFormSkinner(wnd) : nullptr;
}

// Shows and activates the window, then waits until its skinner has finished initialising; pump
// runs the test program's message loop until its condition holds or the time is up.
using TPump = bool (*)(const std::function<bool()>& done, int timeoutMs);
inline TWinSkinForm* ShowSkinned(HWND wnd, TPump pump = &fwtest::PumpUntil) {
    ShowWindow(wnd, SW_SHOW);
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    pump([wnd] {
        TWinSkinForm* skinner = SkinnerOf(wnd);
        return skinner && skinner->Stage == stSkinned;
    }, 5000);
    pump([] { return false; }, 50);
    return SkinnerOf(wnd);
}

// The top frame as the skinner composes it for the window's current width, frame 1 (active) or
// 2 (inactive), in the caption band's coordinates (x from the left frame's edge).
inline TDecodedBitmap ComposedTopFrame(const TWinSkinForm& skinner, int frame) {
    RECT window{};
    GetWindowRect(skinner.Handle, &window);
    const RECT target{0, 0, (window.right - window.left) - skinner.BorderLeft - skinner.BorderRight, skinner.BorderTop};
    TDataSkinBorder& top = skinner.SkinData->FrameTop;
    auto image = ComposeSkinImage(target, *top.Bitmap, top.Margins(), true, top.Tile != 1, top.Frame, frame);
    return image ? GetBitmapPixels(*image) : TDecodedBitmap{};
}

inline SIZE ClientSize(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// Whether a skinner (form or control) answers for the window.
inline bool IsSkinned(HWND wnd) { return SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1; }

}  // namespace velloran::skintest
