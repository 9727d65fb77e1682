// Mean times, over N runs (the first argument, 200 by default), of a full load of the default
// skin (unpack, parse, bitmaps, derived images), of RegionFromBitmap on a 1920 x 32 caption
// frame: a caption with rounded top corners (a few runs per line), and a checkerboard of magenta
// (one run per pixel, the worst case), and of the form skinner on a 1024 x 768 window: a full
// frame paint and a rebuild of its shaped region; and of the gallery's buttons page: one full
// repaint unskinned and skinned (with their ratio), and one hover repaint of a skinned push button.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinnerSelection.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tools/gallery/ButtonsForm.h"
#include "tools/skinpack/SkinFiles.h"

namespace {

using namespace velloran;

constexpr int kWidth = 1920;
constexpr int kHeight = 32;
constexpr int kCornerRadius = 6;

void Fill(TBitmap& bitmap, const std::function<std::uint32_t(int x, int y)>& pixel) {
    TDecodedBitmap image;
    image.Width = kWidth;
    image.Height = kHeight;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image.Pixels.push_back(pixel(x, y));
    SetBitmapPixels(bitmap, image);
}

bool OutsideCorner(int x, int y) {
    const int dx = kCornerRadius - std::min(x, kWidth - 1 - x);
    const int dy = kCornerRadius - y;
    return dx > 0 && dy > 0 && dx * dx + dy * dy > kCornerRadius * kCornerRadius;
}

template <class F>
double MeanMilliseconds(int runs, F&& work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / runs;
}

double RegionMilliseconds(const TBitmap& frame, int runs, int& rectangleCount) {
    const TRegionHandle region = RegionFromBitmap(frame, 0, 0, 1, 1, 1, kSkinKeyColor);
    rectangleCount = static_cast<int>((GetRegionData(region.get(), 0, nullptr) - sizeof(RGNDATAHEADER)) / sizeof(RECT));
    return MeanMilliseconds(runs, [&] { RegionFromBitmap(frame, 0, 0, 1, 1, 1, kSkinKeyColor); });
}

// The default skin packed from the source tree, on Wine's drive for the Unix root.
std::vector<uint8_t> PackedDefaultSkin() { return PackedSkinAt("Z:" VELLORAN_SOURCE_DIR "/resources/skins/Default"); }

double LoadSkinMilliseconds(int runs) {
    TSkinData data(nullptr);
    data.SkinStream = PackedDefaultSkin();
    if (!data.LoadSkin()) return -1;
    return MeanMilliseconds(runs, [&] { data.LoadSkin(); });
}

void FrameTimings(int runs) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinTimingWindow";
    RegisterClassA(&wc);
    const TWindowHandle window(CreateWindowExA(0, wc.lpszClassName, "A window with a skinned frame",
                                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                                               wc.hInstance, nullptr));
    TSkinData data(nullptr);
    data.SkinStream = PackedDefaultSkin();
    if (!data.LoadSkin() || !window) return;
    std::unique_ptr<TWinSkinForm, void (*)(TWinSkinForm*)> skinner(new TWinSkinForm(nullptr),
                                                                   [](TWinSkinForm* s) { Free(s); });
    skinner->Handle = window.get();
    skinner->SkinWindow(&data);
    SendMessageA(window.get(), SM_INITSKIN, 0, kInitSkinFromManager);
    const double paint = MeanMilliseconds(runs, [&] { skinner->PaintFrame(nullptr); });
    std::printf("PaintFrame of a 1024x768 window: %.3f ms mean over %d runs\n", paint, runs);
    const double region = MeanMilliseconds(runs, [&] {
        skinner->Stage = stRefreshing;
        skinner->UpdateRegion();
    });
    skinner->Stage = stSkinned;
    std::printf("UpdateRegion (shaped) of a 1024x768 window: %.3f ms mean over %d runs\n", region, runs);
}

void RepaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ButtonsPageTimings(int runs) {
    TSkinData data(nullptr);
    data.SkinStream = PackedDefaultSkin();
    if (!data.LoadSkin()) return;
    InstallSkinnerSelection();
    TGalleryButtonsForm form(nullptr);
    form.Show();
    const double plain = MeanMilliseconds(runs, [&] { RepaintAll(form.Handle()); });

    std::unique_ptr<TWinSkinForm, void (*)(TWinSkinForm*)> skinner(new TWinSkinForm(&form),
                                                                   [](TWinSkinForm* s) { Free(s); });
    skinner->Handle = form.Handle();
    skinner->SkinForm(&data, &form);
    SendMessageA(form.Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    const double skinned = MeanMilliseconds(runs, [&] { RepaintAll(form.Handle()); });
    std::printf("Full repaint of the buttons page: %.3f ms unskinned, %.3f ms skinned (%zu control skinners), "
                "ratio %.2f, mean over %d runs\n",
                plain, skinned, skinner->Skinners().size(), skinned / plain, runs);

    TButton* button = nullptr;
    for (TComponent* component : form.ComponentList())
        if ((button = dynamic_cast<TButton*>(component)) && skinner->FindSkinner(button->Handle())) break;
    if (!button) return;
    // Entering lights the button up, leaving puts it back: two repaints.
    const double hover = MeanMilliseconds(runs, [&] {
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    });
    std::printf("Hover repaint of a skinned push button: %.3f ms mean over %d runs\n", hover / 2, runs);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    std::printf("LoadSkin of the default skin: %.3f ms mean over %d runs\n", LoadSkinMilliseconds(runs), runs);

    TBitmap caption, checker;
    Fill(caption, [](int x, int y) { return OutsideCorner(x, y) ? 0xFF00FFu : 0x3060A0u; });
    Fill(checker, [](int x, int y) { return (x + y) % 2 == 0 ? 0x3060A0u : 0xFF00FFu; });

    int rectangles = 0;
    const double captionMs = RegionMilliseconds(caption, runs, rectangles);
    std::printf("RegionFromBitmap %dx%d caption with rounded corners: %.3f ms mean over %d runs (%d rectangles)\n",
                kWidth, kHeight, captionMs, runs, rectangles);
    const double checkerMs = RegionMilliseconds(checker, runs, rectangles);
    std::printf("RegionFromBitmap %dx%d checkerboard: %.3f ms mean over %d runs (%d rectangles)\n", kWidth, kHeight,
                checkerMs, runs, rectangles);
    FrameTimings(runs);
    ButtonsPageTimings(runs);
    return 0;
}
