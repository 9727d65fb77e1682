#include "tests/tray/TestIcons.h"

#include <algorithm>
#include <vector>

namespace velloran::traytest {

namespace {
constexpr int kSide = 16;

BITMAPINFO Dib32() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, kSide, 1, 32, BI_RGB};
    return bi;
}
}  // namespace

void PaintIcon(TIcon& icon, uint32_t rgb) {
    BITMAPINFO bi = Dib32();
    void* bits = nullptr;
    TBitmapHandle color(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::fill_n(static_cast<uint32_t*>(bits), kSide * kSide, 0xFF000000u | rgb);
    const std::vector<uint8_t> opaque(kSide * 2, 0);
    TBitmapHandle mask(CreateBitmap(kSide, kSide, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    icon.SetHandle(CreateIconIndirect(&info));
}

uint32_t IconColor(const TIcon& icon) {
    ICONINFO info{};
    if (icon.Empty() || !GetIconInfo(icon.Handle(), &info)) return 0xFFFFFFFF;
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO bi = Dib32();
    std::vector<uint32_t> pixels(kSide * kSide);
    TWindowDC screen(nullptr);
    if (!color || !GetDIBits(screen.get(), color.get(), 0, kSide, pixels.data(), &bi, DIB_RGB_COLORS))
        return 0xFFFFFFFF;
    return pixels.front() & 0xFFFFFF;
}

}  // namespace velloran::traytest
