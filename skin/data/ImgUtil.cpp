#include "skin/data/ImgUtil.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <span>
#include <stdexcept>

#include "framework/Handles.h"
#include "skin/data/SkinImage.h"

namespace velloran {
namespace {

constexpr std::uint32_t kRgbMask = 0xFFFFFF;

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit bitmap of the image's size: its bits, as GetBitmapBits and SetBitmapBits move them,
// are the image's rows from the top without padding. Those two need no DC, unlike GetDIBits and
// SetDIBits with the screen's, which costs more than the copy on a remote display (Wine's X11).
bool SharesRowLayout(HBITMAP handle, const TDecodedBitmap& image) {
    BITMAP format{};
    return GetObjectA(handle, sizeof format, &format) && format.bmBitsPixel == 32 && format.bmWidth == image.Width &&
           std::abs(format.bmHeight) == image.Height;
}

LONG PixelBytes(const TDecodedBitmap& image) { return static_cast<LONG>(image.Pixels.size() * sizeof(std::uint32_t)); }

bool WriteRows(HBITMAP handle, const TDecodedBitmap& image) {
    return SharesRowLayout(handle, image) &&
           SetBitmapBits(handle, static_cast<DWORD>(PixelBytes(image)), image.Pixels.data()) == PixelBytes(image);
}

bool IsDibSection(HBITMAP handle) {
    DIBSECTION section{};
    return handle && GetObjectA(handle, sizeof section, &section) == static_cast<int>(sizeof section);
}

std::size_t PixelIndex(const TDecodedBitmap& image, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) + static_cast<std::size_t>(x);
}

// Pixel (x, y) of the result is pixel sourceOf(x, y) of the image, the result being
// `height` wide and `width` high.
template <class TSourceOf>
TDecodedBitmap Rotated(const TDecodedBitmap& image, TSourceOf sourceOf) {
    TDecodedBitmap result;
    result.Width = image.Height;
    result.Height = image.Width;
    result.Pixels.resize(image.Pixels.size());
    for (int y = 0; y < result.Height; ++y)
        for (int x = 0; x < result.Width; ++x) {
            const POINT from = sourceOf(x, y);
            result.Pixels[PixelIndex(result, x, y)] = image.Pixels[PixelIndex(image, from.x, from.y)];
        }
    return result;
}

std::string WideToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

// The user32 functions that some supported Windows versions lack, looked up on first use and
// kept until the program ends, when the library reference is given back.
class TOptionalUser32 {
public:
    static const TOptionalUser32& Instance() {
        static const TOptionalUser32 functions;
        return functions;
    }

    decltype(&::GetScrollBarInfo) GetScrollBarInfo = nullptr;
    decltype(&::TrackMouseEvent) TrackMouseEvent = nullptr;
    decltype(&::GetComboBoxInfo) GetComboBoxInfo = nullptr;
    decltype(&::DisableProcessWindowsGhosting) DisableProcessWindowsGhosting = nullptr;

private:
    TOptionalUser32() : module_(LoadLibraryA("user32.dll")) {
        if (!module_) return;
        Lookup(GetScrollBarInfo, "GetScrollBarInfo");
        Lookup(TrackMouseEvent, "TrackMouseEvent");
        Lookup(GetComboBoxInfo, "GetComboBoxInfo");
        Lookup(DisableProcessWindowsGhosting, "DisableProcessWindowsGhosting");
    }

    template <class TFunction>
    void Lookup(TFunction& function, const char* name) {
        function = reinterpret_cast<TFunction>(GetProcAddress(module_.get(), name));
    }

    TModuleHandle module_;
};

}  // namespace

TColorValue WindowsSystemColor(int index) { return GetSysColor(index); }

bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }
int WindowsMajorVersion() { return LOBYTE(LOWORD(GetVersion())); }
int WindowsMinorVersion() { return HIBYTE(LOWORD(GetVersion())); }

std::string WindowClassName(HWND wnd) {
    char name[256] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

// ---- pixels ------------------------------------------------------------------------------------

TDecodedBitmap GetBitmapPixels(const TBitmap& bitmap) {
    if (bitmap.Empty() || bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
    // Handle() also takes the bitmap out of its canvas's DC, which GetDIBits requires.
    const HBITMAP handle = bitmap.Handle();
    TDecodedBitmap image;
    image.Width = bitmap.Width();
    image.Height = bitmap.Height();
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    if (!SharesRowLayout(handle, image) || GetBitmapBits(handle, PixelBytes(image), image.Pixels.data()) != PixelBytes(image)) {
        BITMAPINFO info = TopDown32(image.Width, image.Height);
        TWindowDC screen(nullptr);
        if (GetDIBits(screen.get(), handle, 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
                      DIB_RGB_COLORS) != image.Height)
            throw EGraphicsError("Cannot read the pixels of a bitmap");
    }
    // Drawing may leave anything in the unused byte; the routines compare colours only.
    for (std::uint32_t& pixel : image.Pixels) pixel &= kRgbMask;
    return image;
}

void SetBitmapPixels(TBitmap& bitmap, const TDecodedBitmap& image) {
    if (image.Empty()) {
        bitmap.SetHandle(nullptr);
        return;
    }
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
        throw std::invalid_argument("Pixel count does not match the image size");
    // A DIB section of the right size takes the pixels in place: new pixel memory is what a
    // bitmap costs most under Wine, where each page of it faults on its first write.
    if (IsDibSection(bitmap.Handle()) && WriteRows(bitmap.Handle(), image)) {
        // What was made from the old pixels (composed frames, masks, menu backgrounds) is stale.
        bitmap.PixelsChanged();
        return;
    }
    TBitmap fresh;
    fresh.SetSize(image.Width, image.Height);
    // The framework's bitmaps are 32-bit DIB sections: their rows take the pixels as they are.
    if (!WriteRows(fresh.Handle(), image)) throw EGraphicsError("Cannot set the pixels of a bitmap");
    bitmap.SetHandle(fresh.ReleaseHandle());
}

void LoadBitmapMember(const std::vector<std::uint8_t>& bytes, TBitmap& bitmap) {
    SetBitmapPixels(bitmap, ReadBitmapFile(bytes));
}

void LoadProgramBitmap(const std::string& name, TBitmap& bitmap) {
    const HINSTANCE program = GetModuleHandleA(nullptr);
    if (!FindResourceA(program, name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP))) {
        bitmap.SetHandle(nullptr);
        return;
    }
    bitmap.LoadFromResourceName(program, name);
}

void ReplaceMagenta(TBitmap& bitmap, TColorValue color) {
    TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Empty()) return;
    const TColorValue rgb = ResolveColor(color, &WindowsSystemColor);
    // TColorValue is 0x00BBGGRR, the pixels 0x00RRGGBB; magenta reads the same both ways.
    const std::uint32_t replacement = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    std::replace(image.Pixels.begin(), image.Pixels.end(), std::uint32_t{kSkinKeyColor}, replacement);
    SetBitmapPixels(bitmap, image);
}

void MirrorBitmap(TBitmap& bitmap) {
    TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Empty()) return;
    for (int y = 0; y < image.Height; ++y) {
        const auto row = image.Pixels.begin() + static_cast<std::ptrdiff_t>(PixelIndex(image, 0, y));
        std::reverse(row, row + image.Width);
    }
    SetBitmapPixels(bitmap, image);
}

void FlipBitmap(TBitmap& bitmap) {
    TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Empty()) return;
    for (int top = 0, bottom = image.Height - 1; top < bottom; ++top, --bottom) {
        const auto upper = image.Pixels.begin() + static_cast<std::ptrdiff_t>(PixelIndex(image, 0, top));
        const auto lower = image.Pixels.begin() + static_cast<std::ptrdiff_t>(PixelIndex(image, 0, bottom));
        std::swap_ranges(upper, upper + image.Width, lower);
    }
    SetBitmapPixels(bitmap, image);
}

void RotateLeft(TBitmap& bitmap) {
    const TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Empty()) return;
    const int width = image.Width;
    SetBitmapPixels(bitmap, Rotated(image, [width](int x, int y) { return POINT{width - 1 - y, x}; }));
}

void RotateRight(TBitmap& bitmap) {
    const TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Empty()) return;
    const int height = image.Height;
    SetBitmapPixels(bitmap, Rotated(image, [height](int x, int y) { return POINT{y, height - 1 - x}; }));
}

// ---- drawing -----------------------------------------------------------------------------------

void GradientFill(HDC dc, const RECT& rect, TColorValue from, bool vertical, TColorValue to) {
    if (rect.right <= rect.left || rect.bottom <= rect.top || !RectVisible(dc, &rect)) return;
    from = ResolveColor(from, &WindowsSystemColor);
    to = ResolveColor(to, &WindowsSystemColor);
    RECT clip{};
    GetClipBox(dc, &clip);

    const int start = vertical ? rect.top : rect.left;
    const int end = vertical ? rect.bottom : rect.right;
    const int clipStart = vertical ? clip.top : clip.left;
    const int clipEnd = vertical ? clip.bottom : clip.right;
    const int count = end - start;
    const int first = clipStart > start ? clipStart - start : 0;
    const int last = clipEnd < end ? clipEnd - start - 1 : count - 1;
    if (last < first) return;

    TGradientCache& cache = SharedGradientCache();
    const std::span<const TColorValue> table = cache.Table(cache.GradientTable(count, from, to));
    for (int i = first; i <= last; ++i) {
        const int at = start + i;
        const RECT line = vertical ? RECT{rect.left, at, rect.right, at + 1} : RECT{at, rect.top, at + 1, rect.bottom};
        TBrushHandle brush(CreateSolidBrush(table[static_cast<std::size_t>(i)]));
        FillRect(dc, &line, brush.get());
    }
}

int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
    // The text is only read here, so the platform may not write into it.
    format &= ~static_cast<UINT>(DT_MODIFYSTRING);
    if (IsWindowsNT()) {
        if (text.empty()) text = L"";
        return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
    }
    const std::string ansi = WideToAnsi(text);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
    return wide;
}

// ---- optional user32 functions -----------------------------------------------------------------

bool HasGetScrollBarInfo() { return TOptionalUser32::Instance().GetScrollBarInfo != nullptr; }

bool SafeGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info) {
    const auto getScrollBarInfo = TOptionalUser32::Instance().GetScrollBarInfo;
    if (!getScrollBarInfo) return false;
    info.cbSize = sizeof info;
    return getScrollBarInfo(wnd, objectId, &info) != FALSE;
}

bool SafeGetComboBoxInfo(HWND combo, COMBOBOXINFO& info) {
    const auto getComboBoxInfo = TOptionalUser32::Instance().GetComboBoxInfo;
    if (!getComboBoxInfo) return false;
    info.cbSize = sizeof info;
    return getComboBoxInfo(combo, &info) != FALSE;
}

void RequestMouseLeave(HWND wnd) {
    const auto trackMouseEvent = TOptionalUser32::Instance().TrackMouseEvent;
    if (!trackMouseEvent) return;
    // Asking costs far more than looking (the system sets a timer up), and most moves come
    // while the leave is already awaited: by this window's earlier move, or by the native control.
    // 16 bytes in the 32-bit program.
    TRACKMOUSEEVENT tracking{sizeof(TRACKMOUSEEVENT), TME_QUERY, nullptr, 0};
    if (trackMouseEvent(&tracking) && tracking.hwndTrack == wnd && (tracking.dwFlags & TME_LEAVE)) return;
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_LEAVE, wnd, 0};
    trackMouseEvent(&request);
}

bool DisableWindowsGhosting() {
    const auto disableGhosting = TOptionalUser32::Instance().DisableProcessWindowsGhosting;
    if (!disableGhosting) return false;
    disableGhosting();
    return true;
}

bool ReadNonClientMetrics(NONCLIENTMETRICSA& metrics) {
    metrics = {};
    // The size without the padded border width, which systems before Vista refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    return SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) != FALSE;
}

void LoadSystemCaptionFont(TFont& font) {
    NONCLIENTMETRICSA metrics;
    if (!ReadNonClientMetrics(metrics)) return;
    const LOGFONTA& caption = metrics.lfCaptionFont;
    font.SetName(caption.lfFaceName);
    font.SetHeight(caption.lfHeight);
    font.SetCharset(caption.lfCharSet);
    TFontStyles style = 0;
    if (caption.lfWeight >= FW_BOLD) style |= FontStyleBit(fsBold);
    if (caption.lfItalic) style |= FontStyleBit(fsItalic);
    font.SetStyle(style);
}

}  // namespace velloran
