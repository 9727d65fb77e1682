#pragma once
// One small owner per Win32 handle kind. Each releases its handle in the destructor, so every
// path out of a scope, the error path included, gives the handle back.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace velloran {

// Generic move-only owner; Traits supplies Invalid() and Release(h).
template <class Traits>
class TUniqueHandle {
public:
    using handle_type = typename Traits::handle_type;

    TUniqueHandle() noexcept = default;
    explicit TUniqueHandle(handle_type h) noexcept : h_(h) {}
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : h_(other.release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~TUniqueHandle() { reset(); }

    handle_type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
    handle_type release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(handle_type h = Traits::Invalid()) noexcept {
        handle_type old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Release(old);
    }

private:
    handle_type h_ = Traits::Invalid();
};

namespace handle_traits {
template <class H, auto Fn>
struct Simple {
    using handle_type = H;
    static constexpr H Invalid() noexcept { return nullptr; }
    static void Release(H h) noexcept { Fn(h); }
};
struct Key {
    using handle_type = HKEY;
    static HKEY Invalid() noexcept { return nullptr; }
    static void Release(HKEY h) noexcept { RegCloseKey(h); }
};
struct Kernel {
    using handle_type = HANDLE;
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Release(HANDLE h) noexcept { CloseHandle(h); }
};
struct File {
    using handle_type = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE h) noexcept { CloseHandle(h); }
};
inline void DeleteGdiObject(HGDIOBJ h) noexcept { DeleteObject(h); }
inline void DeleteMemoryDC(HDC h) noexcept { DeleteDC(h); }
inline void ReleaseModule(HMODULE h) noexcept { FreeLibrary(h); }
inline void DestroyMenuHandle(HMENU h) noexcept { DestroyMenu(h); }
inline void DestroyIconHandle(HICON h) noexcept { DestroyIcon(h); }
inline void UnhookHook(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
inline void DestroyWindowHandle(HWND h) noexcept { DestroyWindow(h); }
inline void DestroyImageList(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
}  // namespace handle_traits

using TGdiObject = TUniqueHandle<handle_traits::Simple<HGDIOBJ, handle_traits::DeleteGdiObject>>;
using TBitmapHandle = TUniqueHandle<handle_traits::Simple<HBITMAP, handle_traits::DeleteGdiObject>>;
using TFontHandle = TUniqueHandle<handle_traits::Simple<HFONT, handle_traits::DeleteGdiObject>>;
using TBrushHandle = TUniqueHandle<handle_traits::Simple<HBRUSH, handle_traits::DeleteGdiObject>>;
using TPenHandle = TUniqueHandle<handle_traits::Simple<HPEN, handle_traits::DeleteGdiObject>>;
using TRegionHandle = TUniqueHandle<handle_traits::Simple<HRGN, handle_traits::DeleteGdiObject>>;
using TMemoryDC = TUniqueHandle<handle_traits::Simple<HDC, handle_traits::DeleteMemoryDC>>;
using TModuleHandle = TUniqueHandle<handle_traits::Simple<HMODULE, handle_traits::ReleaseModule>>;
using TMenuHandle = TUniqueHandle<handle_traits::Simple<HMENU, handle_traits::DestroyMenuHandle>>;
using TIconHandle = TUniqueHandle<handle_traits::Simple<HICON, handle_traits::DestroyIconHandle>>;
using THookHandle = TUniqueHandle<handle_traits::Simple<HHOOK, handle_traits::UnhookHook>>;
using TWindowHandle = TUniqueHandle<handle_traits::Simple<HWND, handle_traits::DestroyWindowHandle>>;
using TImageListHandle = TUniqueHandle<handle_traits::Simple<HIMAGELIST, handle_traits::DestroyImageList>>;
using TRegKey = TUniqueHandle<handle_traits::Key>;
using TKernelHandle = TUniqueHandle<handle_traits::Kernel>;
using TFileHandle = TUniqueHandle<handle_traits::File>;

// A DC obtained with GetDC/GetWindowDC, released with ReleaseDC.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd, bool wholeWindow = false) noexcept
        : wnd_(wnd), dc_(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() { if (dc_) ReleaseDC(wnd_, dc_); }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint/EndPaint pair.
class TPaintScope {
public:
    explicit TPaintScope(HWND wnd) noexcept : wnd_(wnd) { dc_ = BeginPaint(wnd, &ps_); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;
    ~TPaintScope() { EndPaint(wnd_, &ps_); }
    HDC dc() const noexcept { return dc_; }
    const RECT& rect() const noexcept { return ps_.rcPaint; }

private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back when the scope ends.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() { if (old_) SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC/RestoreDC pair, for changes (clip, origin, modes) that must not outlive a paint step.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) noexcept : dc_(dc), id_(SaveDC(dc)) {}
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    ~TSavedDC() { if (id_) RestoreDC(dc_, id_); }

private:
    HDC dc_;
    int id_;
};

// A shown window's painting, its children's included, switched off while a scope changes it
// many times over (WM_SETREDRAW); the scope's owner invalidates the window when it is done. A
// hidden window is left as it is: switching its painting back on would show it.
class TRedrawOff {
public:
    explicit TRedrawOff(HWND wnd) noexcept
        : wnd_((GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE) ? wnd : nullptr) {
        if (wnd_) SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
    }
    TRedrawOff(const TRedrawOff&) = delete;
    TRedrawOff& operator=(const TRedrawOff&) = delete;
    ~TRedrawOff() { if (wnd_ && IsWindow(wnd_)) SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0); }

private:
    HWND wnd_;
};

// A window timer, killed when the owner goes.
class TTimerHandle {
public:
    TTimerHandle() noexcept = default;
    TTimerHandle(const TTimerHandle&) = delete;
    TTimerHandle& operator=(const TTimerHandle&) = delete;
    ~TTimerHandle() { Stop(); }
    bool Start(HWND wnd, UINT_PTR id, UINT ms) noexcept {
        Stop();
        if (!SetTimer(wnd, id, ms, nullptr)) return false;
        wnd_ = wnd;
        id_ = id;
        return true;
    }
    void Stop() noexcept {
        if (wnd_) KillTimer(wnd_, id_);
        wnd_ = nullptr;
    }
    bool Running() const noexcept { return wnd_ != nullptr; }

private:
    HWND wnd_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace velloran
