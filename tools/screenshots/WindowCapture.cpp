#include "tools/screenshots/WindowCapture.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "framework/Handles.h"

namespace velloran {

namespace {

// The process's own visible windows above `window`, the nearest first.
std::vector<HWND> OwnWindowsAbove(HWND window) {
    DWORD ownProcess = 0;
    GetWindowThreadProcessId(window, &ownProcess);
    std::vector<HWND> above;
    for (HWND w = GetWindow(window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == ownProcess && IsWindowVisible(w)) above.push_back(w);
    }
    return above;
}

// The window's rectangle grown by the topmost pop-ups over it (an open list, a menu and the
// submenus that hang off it), so that a menu reaching past the window's edge is whole.
RECT RectWithPopups(HWND window, const std::vector<HWND>& above) {
    RECT rect{};
    GetWindowRect(window, &rect);
    for (bool grown = true; grown;) {
        grown = false;
        for (HWND popup : above) {
            RECT place{}, overlap{}, joined{};
            if (!(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST) || !GetWindowRect(popup, &place) ||
                !IntersectRect(&overlap, &place, &rect) || EqualRect(&overlap, &place))
                continue;
            UnionRect(&joined, &rect, &place);
            rect = joined;
            grown = true;
        }
    }
    return rect;
}

// The pop-ups over `rect`, copied over the picture from their own DCs: the screen's pixels do
// not always show such pop-ups.
void CopyPopupsAbove(const std::vector<HWND>& above, const RECT& rect, HDC picture) {
    // From the lowest up, so that the topmost comes last.
    for (auto popup = above.rbegin(); popup != above.rend(); ++popup) {
        RECT place{}, overlap{};
        if (!GetWindowRect(*popup, &place) || !IntersectRect(&overlap, &place, &rect)) continue;
        TWindowDC source(*popup, true);
        if (source)
            BitBlt(picture, place.left - rect.left, place.top - rect.top, place.right - place.left,
                   place.bottom - place.top, source.get(), 0, 0, SRCCOPY);
    }
}

}  // namespace

void SaveWindowBitmap(HWND window, const std::filesystem::path& file) {
    if (!IsWindow(window)) throw std::runtime_error("No window to capture for " + file.string());
    const std::vector<HWND> above = OwnWindowsAbove(window);
    const RECT rect = RectWithPopups(window, above);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) throw std::runtime_error("Empty window for " + file.string());

    // Bottom-up, 24 bits per pixel, rows padded to four bytes: the file's own layout.
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    void* bits = nullptr;
    TBitmapHandle pixels(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC memory(CreateCompatibleDC(nullptr));
    TWindowDC screen(nullptr);
    if (!pixels || !memory || !screen) throw std::runtime_error("No bitmap for " + file.string());
    {
        TSelectObject select(memory.get(), pixels.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT))
            throw std::runtime_error("Cannot read the screen for " + file.string());
        CopyPopupsAbove(above, rect, memory.get());
    }
    GdiFlush();

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), header.biSizeImage);
    if (!out.flush()) throw std::runtime_error("Cannot write " + file.string());
}

}  // namespace velloran
