// The unpacker against its baseline on the mixed corpus; then mean times, over N runs (the first
// argument, 200 by default), of a full load of the default skin (unpack, parse, bitmaps, derived
// images) again into one component, into new components, and with the contrast skin in turn, of RegionFromBitmap on a 1920 x 32 caption frame: a caption with rounded top corners
// (a few runs per line), and a checkerboard of magenta (one run per pixel, the worst case), and of
// the form skinner on a 1024 x 768 window: a full frame paint and a rebuild of its shaped region;
// of every gallery page: one full repaint unskinned and skinned (with their ratio); of the
// buttons page: one hover repaint of a skinned push button with its pieces; and of a long memo: a page step
// unskinned and skinned, and one repaint of its skinned scroll bar.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "tests/bench/TimingSupport.h"

namespace {

using namespace velloran;
using namespace velloran::bench;

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

double RegionMilliseconds(const TBitmap& frame, int runs, int& rectangleCount) {
    const TRegionHandle region = RegionFromBitmap(frame, 0, 0, 1, 1, 1, kSkinKeyColor);
    rectangleCount = static_cast<int>((GetRegionData(region.get(), 0, nullptr) - sizeof(RGNDATAHEADER)) / sizeof(RECT));
    return MeanMilliseconds(runs, [&] { RegionFromBitmap(frame, 0, 0, 1, 1, 1, kSkinKeyColor); });
}

double LoadSkinMilliseconds(int runs) {
    TSkinData data(nullptr);
    data.SkinStream = PackedDefaultSkin();
    if (!data.LoadSkin()) return -1;
    return MeanMilliseconds(runs, [&] { data.LoadSkin(); });
}

// A first load, into components made beforehand, which have no objects of an earlier skin to reuse.
double FirstLoadSkinMilliseconds(int components) {
    const std::vector<uint8_t> packed = PackedDefaultSkin();
    std::vector<std::unique_ptr<TSkinData>> fresh;
    for (int i = 0; i < components; ++i) fresh.push_back(std::make_unique<TSkinData>(nullptr));
    auto next = fresh.begin();
    return MeanMilliseconds(components, [&] {
        (*next)->SkinStream = packed;
        (*next++)->LoadSkin();
    });
}

// A switch of skin each run: the default and the contrast skin in turn into one component.
double SwitchSkinMilliseconds(int runs) {
    const std::vector<uint8_t> skins[] = {PackedDefaultSkin(),
                                          PackedSkinAt("Z:" VELLORAN_SOURCE_DIR "/resources/skins/Contrast")};
    TSkinData data(nullptr);
    int run = 0;
    return MeanMilliseconds(runs, [&] {
        data.SkinStream = skins[run++ % 2];
        data.LoadSkin();
    });
}

// The frame painted by the system (WM_NCPAINT of an unskinned twin) and by the skin, in one run.
void FramePaintPair(const char* what, HWND plain, HWND skinned, int runs) {
    const double system = MeanMilliseconds(runs, [&] { SendMessageA(plain, WM_NCPAINT, 1, 0); });
    const double skin = MeanMilliseconds(runs, [&] { SendMessageA(skinned, WM_NCPAINT, 1, 0); });
    std::printf("Frame paint (WM_NCPAINT) of %s: %.3f ms unskinned, %.3f ms skinned, ratio %.2f, mean over %d runs\n",
                what, system, skin, skin / system, runs);
}

// Where a frame paint of the skinned window goes, piece by piece.
void FramePaintPieces(TWinSkinForm& skinner, int runs) {
    const HWND wnd = skinner.Handle;
    const int w = skinner.WindowWidth, h = skinner.WindowHeight;
    const int l = skinner.BorderLeft, t = skinner.BorderTop, r = skinner.BorderRight, b = skinner.BorderBottom;
    const TWindowDC dc(wnd, true);
    TBitmap& caption = skinner.FrameBitmap;
    const HDC bitmap = caption.Canvas().Handle();
    const RECT top{l, 0, w - r, t};
    const auto piece = [runs](const char* what, const std::function<void()>& work) {
        std::printf("  %-58s %8.3f ms\n", what, MeanMilliseconds(runs, work));
    };
    std::printf("Pieces of that frame paint, mean over %d runs:\n", runs);
    piece("GetWindowDC and ReleaseDC", [&] { const TWindowDC other(wnd, true); });
    piece("left side composed and drawn (PaintBorder)", [&] { skinner.PaintBorder(1, {0, 0, l, h}, dc.get()); });
    piece("bottom side composed and drawn (PaintBorder)",
          [&] { skinner.PaintBorder(4, {l, h - b, w - r, h}, dc.get()); });
    piece("whole caption band (PaintCaption)", [&] { skinner.PaintCaption(dc.get()); });
    piece("  its read-back of the window's top rows",
          [&] { BitBlt(bitmap, 0, 0, w, t, dc.get(), 0, 0, SRCCOPY); });
    piece("  its top side composed and drawn", [&] { skinner.PaintBorder(3, top, bitmap); });
    piece("  its caption text with the text background",
          [&] { skinner.PaintCaptionText(caption.Canvas(), top); });
    piece("  its buttons laid out and drawn", [&] {
        skinner.LayoutButtons();
        skinner.PaintButtons(caption.Canvas());
    });
    piece("  its final blit to the window", [&] { BitBlt(dc.get(), 0, 0, w, t, bitmap, 0, 0, SRCCOPY); });
}

void FrameTimings(TSkinData& data, int runs) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinTimingWindow";
    RegisterClassA(&wc);
    const auto makeWindow = [&](int width, int height) {
        return TWindowHandle(CreateWindowExA(0, wc.lpszClassName, "A window with a skinned frame",
                                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                             wc.hInstance, nullptr));
    };
    const TWindowHandle window = makeWindow(1024, 768);
    if (!window) return;
    std::unique_ptr<TWinSkinForm, void (*)(TWinSkinForm*)> skinner(new TWinSkinForm(nullptr),
                                                                   [](TWinSkinForm* s) { Free(s); });
    skinner->Handle = window.get();
    skinner->SkinWindow(&data);
    SendMessageA(window.get(), SM_INITSKIN, 0, kInitSkinFromManager);
    // Skinning keeps the client size; the twin takes the skinned window's outer size.
    RECT rect{};
    GetWindowRect(window.get(), &rect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const TWindowHandle twin = makeWindow(w, h);
    const double paint = MeanMilliseconds(runs, [&] { skinner->PaintFrame(nullptr); });
    std::printf("PaintFrame of a 1024x768 window: %.3f ms mean over %d runs\n", paint, runs);
    FramePaintPair("that window", twin.get(), window.get(), runs);
    FramePaintPieces(*skinner, runs);
    // A new size: the frames' masks are kept.
    const double region = MeanMilliseconds(runs, [&] {
        skinner->RegionWidth = 0;
        skinner->UpdateRegion();
    });
    std::printf("UpdateRegion (shaped) of a 1024x768 window: %.3f ms mean over %d runs\n", region, runs);
    const double made = MeanMilliseconds(runs, [&] { skinner->WindowRegion(w, h); });
    std::printf("  of which the region made (WindowRegion): %.3f ms, set on the window (SetWindowRgn): the rest\n",
                made);
    // A changed skin: the masks are read again.
    const double refreshed = MeanMilliseconds(runs, [&] {
        skinner->Stage = stRefreshing;
        skinner->UpdateRegion();
    });
    skinner->Stage = stSkinned;
    std::printf("UpdateRegion (shaped) after a skin change: %.3f ms mean over %d runs\n", refreshed, runs);
    // The share of the window's repaint, which SetWindowRgn asks for, in UpdateRegion's time.
    const double setQuietly = MeanMilliseconds(
        runs, [&] { SetWindowRgn(window.get(), skinner->WindowRegion(w, h).release(), FALSE); });
    std::printf("  the same region made and set without a repaint: %.3f ms; the rest is the window repainted\n",
                setQuietly);
    // What the platform alone takes to set that region: made once, set on the unskinned twin, no
    // repaint.
    const TRegionHandle shape = skinner->WindowRegion(w, h);
    const double platform = MeanMilliseconds(runs, [&] {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, shape.get(), nullptr, RGN_COPY);
        SetWindowRgn(twin.get(), copy, FALSE);
    });
    SetWindowRgn(twin.get(), nullptr, FALSE);
    std::printf("  the platform setting that region on the unskinned twin: %.3f ms\n", platform);
    skinner->RegionWidth = 0;
    skinner->UpdateRegion();
}

// The program's status window: a dialog-framed form of its client size and caption.
void StatusWindowTimings(TSkinData& data, int runs) {
    const auto makeForm = [] {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsDialog);
        form->SetClientWidth(378);
        form->SetClientHeight(127);
        form->SetCaption("Velloran");
        form->Show();
        return form;
    };
    const auto plain = makeForm();
    const auto skinned = makeForm();
    const TSkinnedForm skinner(data, *skinned);
    FramePaintPair("the status window", plain->Handle(), skinned->Handle(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    // "menus" as the second argument times the popup menus alone.
    if (argc > 2 && std::string(argv[2]) == "menus") {
        MenuTimings(std::min(runs, 50));
        return 0;
    }
    // "frame" as the second argument: the frame and region figures alone.
    const bool frameOnly = argc > 2 && std::string(argv[2]) == "frame";
    TSkinData data(nullptr);
    data.SkinStream = PackedDefaultSkin();
    if (!data.LoadSkin()) return 1;
    FrameTimings(data, runs);
    StatusWindowTimings(data, runs);
    if (frameOnly) return 0;

    UnpackTimings();

    std::printf("LoadSkin of the default skin: %.3f ms mean over %d runs\n", LoadSkinMilliseconds(runs), runs);
    const int components = std::min(runs, 50);
    std::printf("LoadSkin of the default skin into a new component: %.3f ms mean over %d components\n",
                FirstLoadSkinMilliseconds(components), components);
    std::printf("LoadSkin of the default and the contrast skin in turn: %.3f ms mean over %d runs\n",
                SwitchSkinMilliseconds(runs), runs);

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
    PageRepaintTimings(data, runs);
    ButtonsPageTimings(data, runs);
    MemoScrollTimings(data, runs);
    BarsPageTimings(data, runs);
    TabSwitchTimings(data, runs);
    MenuTimings(std::min(runs, 50));
    return 0;
}
