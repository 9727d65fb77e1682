#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using fwtest::CountGdiObjects;

// 32-bit pixels through GetDIBits, independent of the canvas under test. A negative height
// asks for the top row first.
std::vector<uint32_t> ReadDib(HBITMAP bitmap, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB};
    std::vector<uint32_t> pixels(static_cast<size_t>(width * std::abs(height)));
    TWindowDC screen(nullptr);
    EXPECT_EQ(GetDIBits(screen.get(), bitmap, 0, std::abs(height), pixels.data(), &bi, DIB_RGB_COLORS),
              std::abs(height));
    return pixels;
}

// GetDIBits order is 0x00RRGGBB; TColor is 0x00BBGGRR.
uint32_t Dib(TColor color) {
    const COLORREF c = ColorToRGB(color);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

struct TPixel {
    int X, Y;
    TColor Color;
};

void ExpectPixels(const TBitmap& bitmap, std::initializer_list<TPixel> expected) {
    const std::vector<uint32_t> px = ReadDib(bitmap.Handle(), bitmap.Width(), -bitmap.Height());
    for (const TPixel& p : expected)
        EXPECT_EQ(px[static_cast<size_t>(p.Y * bitmap.Width() + p.X)] & 0xFFFFFF, Dib(p.Color))
            << "at " << p.X << "," << p.Y;
}

void Fill(TBitmap& bitmap, TColor color, RECT rect) {
    bitmap.Canvas().Brush()->SetStyle(bsSolid);
    bitmap.Canvas().Brush()->SetColor(color);
    bitmap.Canvas().FillRect(rect);
}

void MakeBitmap(TBitmap& bitmap, int width, int height, TColor color) {
    bitmap.SetSize(width, height);
    Fill(bitmap, color, {0, 0, width, height});
}

// ---- colours, fonts, brushes, pens -----------------------------------------------------------

TEST(Colors, SystemColorsAndRegisteredNames) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clMenuBar), GetSysColor(COLOR_MENUBAR));
    EXPECT_EQ(ColorToRGB(clNavy), RGB(0, 0, 128));

    RegisterGraphicsClasses();
    RegisterGraphicsClasses();
    ASSERT_NE(FindIntegerConstant("clbtnface"), nullptr);
    EXPECT_EQ(*FindIntegerConstant("cl3DDkShadow"), clSystemColor | COLOR_3DDKSHADOW);
    EXPECT_EQ(*FindIntegerConstant("SYMBOL_CHARSET"), SYMBOL_CHARSET);
    TFont font;
    SetPropText(font, "Color", "clHighlight");
    EXPECT_EQ(font.Color(), clHighlight);

    const TClassInfo* cls = FindClass("TImageList");
    ASSERT_NE(cls, nullptr);
    TComponent owner(nullptr);
    TComponent* list = cls->Create(&owner);
    SetPropText(*list, "Width", "24");
    EXPECT_EQ(static_cast<TImageList*>(list)->Width(), 24);
}

TEST(Font, SizeAndHeightAt96Dpi) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(11);  // 14.67 pixels
    EXPECT_EQ(font.Height(), -15);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetHeight(-17);  // 12.75 points
    EXPECT_EQ(GetPropOrd(font, "Size"), 13);
}

TEST(Font, ChangeCallsOnChangeAndMakesNewHandle) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first);  // cached

    font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(GetObjectType(first), 0u);  // the old handle was deleted
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(font.Handle(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    font.SetStyle(font.Style());  // same value: no change
    EXPECT_EQ(changes, 1);

    SetPropText(font, "Pitch", "fpFixed");
    SetPropText(font, "Name", "Courier New");
    SetPropText(font, "Style", "[fsUnderline,fsStrikeOut]");
    EXPECT_EQ(changes, 4);
    ASSERT_TRUE(GetObjectA(font.Handle(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_TRUE(lf.lfUnderline && lf.lfStrikeOut);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);

    TFont copy;
    copy.OnChange = [&](TObject*) { ++changes; };
    SetPropText(font, "Charset", "SYMBOL_CHARSET");
    font.SetHeight(-20);
    font.SetColor(clRed);
    copy.Assign(font);
    EXPECT_EQ(changes, 8);  // three changes to font, one to copy
    for (const char* prop : {"Charset", "Color", "Height", "Name", "Pitch", "Style"})
        EXPECT_EQ(GetPropText(copy, prop), GetPropText(font, prop)) << prop;
}

TEST(BrushAndPen, HandlesFollowTheirProperties) {
    TBrush brush;
    SetPropText(brush, "Style", "bsDiagCross");
    SetPropOrd(brush, "Color", clGreen);
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(brush.Handle(), sizeof lb, &lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
    EXPECT_EQ(lb.lbColor, RGB(0, 128, 0));

    TPen pen;
    SetPropOrd(pen, "Width", 3);
    SetPropText(pen, "Style", "psDot");
    LOGPEN lp{};
    ASSERT_TRUE(GetObjectA(pen.Handle(), sizeof lp, &lp));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
}

// ---- canvas ----------------------------------------------------------------------------------

TEST(Canvas, ShapesGiveExactPixels) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 20, 12, clRed);
    Fill(bitmap, clBlue, {5, 2, 10, 6});
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen()->SetColor(clLime);
    canvas.Brush()->SetColor(clYellow);
    canvas.Rectangle({12, 2, 18, 8});
    canvas.MoveTo(0, 10);
    canvas.LineTo(20, 10);
    canvas.SetPixels(19, 0, clBtnFace);
    canvas.Brush()->SetColor(clAqua);
    canvas.FrameRect({0, 0, 4, 4});
    ExpectPixels(bitmap, {{4, 5, clRed}, {5, 2, clBlue}, {9, 5, clBlue}, {10, 5, clRed},      // fill
                          {12, 2, clLime}, {17, 7, clLime}, {13, 3, clYellow}, {18, 5, clRed},  // rectangle
                          {7, 10, clLime}, {7, 11, clRed}, {19, 0, clBtnFace},                  // line, pixel
                          {0, 3, clAqua}, {1, 1, clRed}});                                      // frame
    EXPECT_EQ(canvas.Pixels(5, 2), clBlue);
    EXPECT_EQ(canvas.Pixels(50, 50), clNone);
}

TEST(Canvas, TextStaysInItsExtent) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 60, 30, clWhite);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font()->SetColor(clRed);
    canvas.Brush()->SetColor(clBlue);
    canvas.Brush()->SetStyle(bsClear);  // no background behind the glyphs
    const SIZE extent = canvas.TextExtent("HIH");
    ASSERT_GT(extent.cy, 0);
    EXPECT_GT(extent.cx, canvas.TextWidth("H"));
    EXPECT_EQ(canvas.TextHeight("H"), extent.cy);
    canvas.TextOut(3, 4, "HIH");

    const std::vector<uint32_t> px = ReadDib(bitmap.Handle(), 60, -30);
    int red = 0, blue = 0, outside = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t p = px[static_cast<size_t>(y * 60 + x)] & 0xFFFFFF;
            const bool inside = x >= 3 && x < 3 + extent.cx && y >= 4 && y < 4 + extent.cy;
            red += p == Dib(clRed);
            blue += p == Dib(clBlue);
            outside += !inside && p != Dib(clWhite);
        }
    }
    EXPECT_GT(red, 5);  // the stems of H and I are solid
    EXPECT_EQ(blue, 0);
    EXPECT_EQ(outside, 0);

    canvas.Brush()->SetStyle(bsSolid);  // now the text cell is filled
    canvas.TextOut(30, 4, "I");
    ExpectPixels(bitmap, {{30, 4, clBlue}});
}

TEST(Canvas, TextRectClipsAndDrawTextMeasures) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 40, 20, clWhite);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush()->SetColor(clLime);
    canvas.TextRect({0, 0, 6, 20}, 0, 0, "WWWWWW");
    ExpectPixels(bitmap, {{10, 2, clWhite}, {6, 1, clWhite}, {5, 19, clLime}});

    RECT r{0, 0, 100, 0};
    EXPECT_EQ(canvas.DrawTextA("Wy", r, DT_CALCRECT | DT_SINGLELINE), canvas.TextHeight("Wy"));
    EXPECT_EQ(r.right, canvas.TextWidth("Wy"));
}

TEST(Canvas, PutsTheDcsOwnObjectsBack) {
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    auto current = [&](UINT kind) { return GetCurrentObject(dc.get(), kind); };
    const HGDIOBJ font = current(OBJ_FONT), brush = current(OBJ_BRUSH), pen = current(OBJ_PEN);
    {
        TCanvas canvas(dc.get());
        canvas.Rectangle({0, 0, 2, 2});
        canvas.TextOut(0, 0, "x");
        EXPECT_EQ(current(OBJ_FONT), canvas.Font()->Handle());
        EXPECT_EQ(current(OBJ_BRUSH), canvas.Brush()->Handle());
        EXPECT_EQ(current(OBJ_PEN), canvas.Pen()->Handle());

        // A change lets go of the old font first; the next text call selects the new one.
        canvas.Font()->SetSize(20);
        EXPECT_EQ(current(OBJ_FONT), font);
        canvas.TextWidth("x");
        EXPECT_EQ(current(OBJ_FONT), canvas.Font()->Handle());

        canvas.SetHandle(nullptr);
        EXPECT_EQ(current(OBJ_FONT), font);
        EXPECT_EQ(current(OBJ_BRUSH), brush);
        EXPECT_EQ(current(OBJ_PEN), pen);
        EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EGraphicsError);

        canvas.SetHandle(dc.get());
        canvas.Rectangle({0, 0, 2, 2});
        EXPECT_NE(current(OBJ_PEN), pen);
    }
    EXPECT_EQ(current(OBJ_BRUSH), brush);
    EXPECT_EQ(current(OBJ_PEN), pen);
}

TEST(Canvas, CopiesAndStretchesBitmaps) {
    TBitmap source;  // fuchsia, green 2x2 in the middle
    MakeBitmap(source, 4, 4, clFuchsia);
    Fill(source, clGreen, {1, 1, 3, 3});
    TBitmap dest;
    MakeBitmap(dest, 16, 16, clWhite);

    dest.Canvas().Draw(0, 0, source);
    source.Transparent = true;
    source.TransparentColor = clFuchsia;
    dest.Canvas().Draw(4, 0, source);
    source.TransparentColor = clDefault;  // the bottom-left pixel, fuchsia here
    source.Canvas().SetPixels(0, 0, clYellow);
    dest.Canvas().Draw(8, 0, source);
    ExpectPixels(dest, {{0, 0, clFuchsia}, {2, 2, clGreen},                 // opaque
                        {4, 0, clWhite}, {6, 2, clGreen},                   // fuchsia skipped
                        {8, 0, clYellow}, {8, 3, clWhite}, {9, 1, clGreen}});  // bottom-left skipped

    source.Transparent = false;
    source.Canvas().SetPixels(0, 0, clFuchsia);
    dest.Canvas().StretchDraw({0, 8, 8, 16}, source);  // twice the size
    dest.Canvas().CopyRect({12, 12, 14, 14}, source.Canvas(), {1, 1, 3, 3});
    ExpectPixels(dest, {{1, 9, clFuchsia}, {2, 10, clGreen}, {5, 13, clGreen}, {6, 14, clFuchsia},
                        {12, 12, clGreen}, {13, 13, clGreen}, {14, 14, clWhite}});
}

// ---- bitmap ----------------------------------------------------------------------------------

TEST(Bitmap, ResizeKeepsPixelsAndAUsableCanvas) {
    TBitmap bitmap;
    bitmap.SetWidth(4);
    EXPECT_TRUE(bitmap.Empty());  // no height yet
    bitmap.SetHeight(4);
    ASSERT_FALSE(bitmap.Empty());
    Fill(bitmap, clRed, {0, 0, 4, 4});
    bitmap.SetSize(8, 6);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(bitmap.Handle(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 8);
    EXPECT_EQ(bm.bmHeight, 6);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    ExpectPixels(bitmap, {{3, 3, clRed}, {7, 5, clBlack}});
    Fill(bitmap, clBlue, {6, 4, 8, 6});
    ExpectPixels(bitmap, {{7, 5, clBlue}});
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, HandleCanBeSelectedElsewhereWhileTheCanvasLives) {
    TBitmap bitmap;
    MakeBitmap(bitmap, 4, 4, clRed);
    TCanvas& canvas = bitmap.Canvas();
    {
        TMemoryDC other(CreateCompatibleDC(nullptr));
        TSelectObject select(other.get(), bitmap.Handle());
        EXPECT_EQ(GetCurrentObject(other.get(), OBJ_BITMAP), bitmap.Handle());
        EXPECT_EQ(GetPixel(other.get(), 1, 1), RGB(255, 0, 0));
    }
    canvas.SetPixels(1, 1, clLime);
    ExpectPixels(bitmap, {{1, 1, clLime}});
}

TEST(Bitmap, AssignAndOwnershipTransfer) {
    TBitmap source;
    MakeBitmap(source, 5, 3, clTeal);
    source.Transparent = true;
    source.TransparentColor = clTeal;
    TBitmap copy;
    copy.Assign(source);
    EXPECT_TRUE(copy.Transparent);
    EXPECT_EQ(copy.TransparentColor, clTeal);
    EXPECT_NE(copy.Handle(), source.Handle());
    ExpectPixels(copy, {{4, 2, clTeal}});
    Fill(copy, clOlive, {0, 0, 5, 3});
    ExpectPixels(source, {{4, 2, clTeal}});

    HBITMAP raw = copy.ReleaseHandle();
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    {
        TBitmap owner;
        owner.SetHandle(raw);
        EXPECT_EQ(owner.Width(), 5);
        EXPECT_EQ(owner.Height(), 3);
        EXPECT_EQ(owner.Canvas().Pixels(2, 1), clOlive);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

// Caches of what was made from a bitmap are keyed by its identity: every change of the handle,
// the size or the pixels gives a new one; reading or selecting the bitmap does not.
TEST(Bitmap, IdentityRenewedByEveryChangeOfHandleSizeOrPixels) {
    TBitmap source;
    MakeBitmap(source, 3, 2, clTeal);
    const std::vector<uint8_t> data = source.SaveToData();
    const std::pair<const char*, std::function<void(TBitmap&)>> changes[] = {
        {"SetSize", [](TBitmap& b) { b.SetSize(5, 2); }},
        {"SetHandle", [](TBitmap& b) { b.SetHandle(CreateBitmap(3, 2, 1, 32, nullptr)); }},
        {"ReleaseHandle", [](TBitmap& b) { DeleteObject(b.ReleaseHandle()); }},
        {"Assign", [&](TBitmap& b) { b.Assign(source); }},
        {"LoadFromData", [&](TBitmap& b) { b.LoadFromData(data); }},
        {"LoadFromData malformed", [](TBitmap& b) { b.LoadFromData({1, 2, 3}); }},
        {"PixelsChanged", [](TBitmap& b) { b.PixelsChanged(); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        TBitmap bitmap;
        MakeBitmap(bitmap, 3, 2, clOlive);
        const TBitmapIdentity made = bitmap.Identity();
        bitmap.Handle();
        bitmap.SetSize(3, 2);
        Fill(bitmap, clRed, {0, 0, 1, 1});
        EXPECT_EQ(bitmap.Identity(), made);
        change(bitmap);
        EXPECT_NE(bitmap.Identity(), made);
        EXPECT_EQ(bitmap.Identity().Bitmap, &bitmap);
    }
    auto first = std::make_unique<TBitmap>();
    const TBitmapIdentity gone = first->Identity();
    first.reset();
    EXPECT_NE(std::make_unique<TBitmap>()->Identity(), gone);  // even where the old one stood
}

TEST(Bitmap, LoadsResourceBitmaps) {
    // comctl32 carries the standard toolbar images as bitmap 120.
    TModuleHandle comctl(LoadLibraryA("comctl32.dll"));
    ASSERT_TRUE(comctl);
    const HINSTANCE module = static_cast<HINSTANCE>(comctl.get());
    TBitmap bitmap;
    bitmap.LoadFromResourceName(module, "#120");
    TBitmapHandle reference(static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(120), IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(reference);
    BITMAP bm{};
    GetObjectA(reference.get(), sizeof bm, &bm);
    ASSERT_EQ(bitmap.Width(), bm.bmWidth);
    ASSERT_EQ(bitmap.Height(), bm.bmHeight);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelectObject select(dc.get(), reference.get());
    for (int x = 0; x < bm.bmWidth; x += 7)
        EXPECT_EQ(bitmap.Canvas().Pixels(x, bm.bmHeight / 2), static_cast<TColor>(GetPixel(dc.get(), x, bm.bmHeight / 2)));

    EXPECT_THROW(bitmap.LoadFromResourceName(module, "NO_SUCH_BITMAP"), EGraphicsError);
    EXPECT_FALSE(bitmap.Empty());
}

// ---- icon ------------------------------------------------------------------------------------

struct TTestIcon {
    std::vector<uint32_t> Colors;  // bottom row first, as GetDIBits returns them
    std::vector<uint32_t> Mask;    // 0 or 0xFFFFFF per pixel
    TIcon Icon;
};

// 16x16, 32 bits with alpha; the top-left quarter is transparent.
void MakeTestIcon(TTestIcon& t) {
    constexpr int n = 16;
    t.Colors.resize(n * n);
    t.Mask.resize(n * n);
    for (int row = 0; row < n; ++row) {
        for (int x = 0; x < n; ++x) {
            const bool clear = row >= n / 2 && x < n / 2;
            const size_t i = static_cast<size_t>(row * n + x);
            t.Colors[i] = clear ? 0 : 0xFF000000u | (x * 16u) << 16 | (row * 16u) << 8 | 0x40u;
            t.Mask[i] = clear ? 0xFFFFFF : 0;
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), n, n, 1, 32, BI_RGB};
    void* bits = nullptr;
    TBitmapHandle color(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(color);
    std::memcpy(bits, t.Colors.data(), t.Colors.size() * 4);
    std::vector<uint8_t> maskBits(2 * n);  // 2 bytes per row, top row first
    for (int y = 0; y < n / 2; ++y) maskBits[static_cast<size_t>(2 * y)] = 0xFF;
    TBitmapHandle mask(CreateBitmap(n, n, 1, 1, maskBits.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    t.Icon.SetHandle(CreateIconIndirect(&info));
    ASSERT_FALSE(t.Icon.Empty());
}

TEST(Icon, RoundTripKeepsPixels) {
    TTestIcon source;
    MakeTestIcon(source);
    EXPECT_EQ(source.Icon.Width(), 16);
    EXPECT_EQ(source.Icon.Height(), 16);
    const std::vector<uint8_t> bytes = source.Icon.SaveToBytes();
    ASSERT_EQ(bytes.size(), 6u + 16 + 40 + 16 * 16 * 4 + 16 * 4);

    TIcon loaded;
    loaded.LoadFromStream(bytes);
    ASSERT_FALSE(loaded.Empty());
    EXPECT_EQ(loaded.Width(), 16);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(loaded.Handle(), &info));
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    EXPECT_EQ(ReadDib(color.get(), 16, 16), source.Colors);
    std::vector<uint32_t> masks = ReadDib(mask.get(), 16, 16);
    for (auto& m : masks) m &= 0xFFFFFF;
    EXPECT_EQ(masks, source.Mask);
    EXPECT_EQ(loaded.SaveToBytes(), bytes);
}

TEST(Icon, MalformedDataGivesAnEmptyIcon) {
    TTestIcon source;
    MakeTestIcon(source);
    const std::vector<uint8_t> good = source.Icon.SaveToBytes();
    auto put32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    auto put16 = [](std::vector<uint8_t>& b, size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); };

    std::vector<std::vector<uint8_t>> bad;
    for (size_t cut : {size_t{0}, size_t{3}, size_t{6}, size_t{21}, size_t{30}, size_t{61}, good.size() - 1})
        bad.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    auto variant = [&](auto change) {
        std::vector<uint8_t> b = good;
        change(b);
        bad.push_back(std::move(b));
    };
    variant([&](auto& b) { put16(b, 2, 2); });                   // a cursor
    variant([&](auto& b) { put16(b, 4, 0); });                   // no images
    variant([&](auto& b) { put16(b, 4, 0xFFFF); });              // more entries than bytes
    variant([&](auto& b) { put32(b, 14, 0xFFFFFFFF); });         // image size
    variant([&](auto& b) { put32(b, 18, 0xFFFFFFF0); });         // offset past the end
    variant([&](auto& b) { put32(b, 18, 0xFFFFFFFF); put32(b, 14, 2); });  // offset + size wraps
    variant([&](auto& b) { put32(b, 22, 0x7FFFFFFF); });         // header size
    variant([&](auto& b) { put32(b, 26, 0x7FFFFFFF); });         // width
    variant([&](auto& b) { put32(b, 30, 0x80000000); });         // negative height
    variant([&](auto& b) { put32(b, 30, 33); });                 // odd height
    variant([&](auto& b) { put16(b, 36, 13); });                 // bit count
    variant([&](auto& b) { put32(b, 38, BI_RLE8); });            // compression
    variant([&](auto& b) { put32(b, 26, 256); put32(b, 30, 512); });  // pixels past the end
    variant([&](auto& b) { put16(b, 36, 8); put32(b, 54, 0x10000); });  // palette too large
    variant([&](auto& b) {  // half the AND mask missing, directory and file agreeing
        b.resize(b.size() - 32);
        put32(b, 14, static_cast<uint32_t>(b.size() - 22));
    });

    for (size_t i = 0; i < bad.size(); ++i) {
        TIcon icon;
        icon.LoadFromStream(good);
        ASSERT_FALSE(icon.Empty());
        icon.LoadFromStream(bad[i]);
        EXPECT_TRUE(icon.Empty()) << "case " << i;
        EXPECT_TRUE(icon.SaveToBytes().empty());
    }
}

TEST(Icon, MonochromeIconSavesAsColour) {
    // Mask 16x32: the AND half on top (all opaque), the XOR half below (left half white).
    std::vector<uint8_t> bits(2 * 32, 0);
    for (int y = 16; y < 32; ++y) bits[static_cast<size_t>(2 * y)] = 0xFF;
    TBitmapHandle mask(CreateBitmap(16, 32, 1, 1, bits.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), nullptr};
    TIcon icon;
    icon.SetHandle(CreateIconIndirect(&info));
    EXPECT_EQ(icon.Height(), 16);
    TIcon loaded;
    loaded.LoadFromStream(icon.SaveToBytes());
    ASSERT_FALSE(loaded.Empty());
    TBitmap canvas;
    MakeBitmap(canvas, 16, 16, clRed);
    DrawIconEx(canvas.Canvas().Handle(), 0, 0, loaded.Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    ExpectPixels(canvas, {{2, 5, clWhite}, {12, 5, clBlack}});
}

// ---- image list ------------------------------------------------------------------------------

// 8x8 fuchsia with a green 4x4 square at (2, 2).
void MakeGlyph(TBitmap& glyph) {
    MakeBitmap(glyph, 8, 8, clFuchsia);
    Fill(glyph, clGreen, {2, 2, 6, 6});
}

TEST(ImageList, AddMaskedDrawsOnlyTheShape) {
    TImageList list(nullptr);
    list.SetSize(8, 8);
    TBitmap glyph;
    MakeGlyph(glyph);
    EXPECT_EQ(list.AddMasked(glyph, clFuchsia), 0);
    EXPECT_EQ(list.AddMasked(glyph, clFuchsia), 1);
    EXPECT_EQ(list.Count(), 2);
    ExpectPixels(glyph, {{0, 0, clFuchsia}});  // the caller's bitmap is untouched

    TBitmap target;
    MakeBitmap(target, 16, 16, clWhite);
    list.Draw(target.Canvas(), 4, 4, 1);
    list.Draw(target.Canvas(), 0, 0, 5);  // no such image: nothing drawn
    ExpectPixels(target, {{4, 4, clWhite}, {6, 6, clGreen}, {9, 9, clGreen}, {10, 10, clWhite}, {2, 2, clWhite}});

    TBitmap back;
    list.GetBitmap(0, back);
    EXPECT_EQ(back.Width(), 8);
    ExpectPixels(back, {{3, 3, clGreen}});
}

TEST(ImageList, AddWithMaskAndIcon) {
    TImageList list(nullptr);
    list.SetSize(8, 8);
    TBitmap glyph, mask;
    MakeGlyph(glyph);
    MakeBitmap(mask, 8, 8, clWhite);
    Fill(mask, clBlack, {0, 0, 4, 8});  // the left half shows
    EXPECT_EQ(list.Add(glyph, &mask), 0);

    TTestIcon icon;
    MakeTestIcon(icon);
    TImageList icons(nullptr);
    EXPECT_EQ(icons.AddIcon(icon.Icon), 0);

    TBitmap target;
    MakeBitmap(target, 24, 16, clWhite);
    list.Draw(target.Canvas(), 0, 0, 0);
    icons.Draw(target.Canvas(), 8, 0, 0);
    ExpectPixels(target, {{0, 0, clFuchsia}, {3, 3, clGreen}, {4, 3, clWhite}, {9, 1, clWhite}});
    EXPECT_EQ(ReadDib(target.Handle(), 24, -16)[12 * 24 + 20] & 0xFFFFFF, icon.Colors[3 * 16 + 12] & 0xFFFFFF);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
    TImageList list(nullptr);
    list.SetSize(8, 8);
    TBitmap glyph;
    MakeGlyph(glyph);
    list.AddMasked(glyph, clFuchsia);
    TBitmap target;
    MakeBitmap(target, 16, 16, clWhite);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    ExpectPixels(target, {{2, 2, clBtnShadow}, {5, 5, clBtnShadow}, {6, 6, clBtnHighlight},
                          {1, 1, clWhite}, {7, 7, clWhite}});
}

TEST(ImageList, ResizingEmptiesTheList) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    TBitmap glyph;
    MakeBitmap(glyph, 16, 16, clRed);
    list.Add(glyph, nullptr);
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Add(glyph, nullptr);
    list.SetHeight(24);
    EXPECT_EQ(list.Count(), 0);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list.Handle(), &cx, &cy));
    EXPECT_EQ(cy, 24);
    EXPECT_THROW(list.SetWidth(0), EGraphicsError);
}

// ---- handle leaks ----------------------------------------------------------------------------

void ExerciseEverything(const std::vector<uint8_t>& iconBytes) {
    TFont font;
    font.Handle();
    font.SetSize(14);
    TBitmap bitmap;
    MakeBitmap(bitmap, 10, 10, clRed);
    bitmap.Canvas().Font()->Assign(font);
    bitmap.Canvas().TextOut(0, 0, "Leak");
    bitmap.Canvas().Rectangle({0, 0, 5, 5});
    bitmap.SetSize(20, 20);
    bitmap.Canvas().LineTo(3, 3);
    bitmap.Transparent = true;
    TBitmap copy;
    copy.Assign(bitmap);
    copy.Canvas().Draw(1, 1, bitmap);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TCanvas canvas(dc.get());
    canvas.FillRect({0, 0, 1, 1});
    canvas.Font()->SetStyle(FontStyleBit(fsBold));
    canvas.TextWidth("x");
    TIcon icon;
    icon.LoadFromStream(iconBytes);
    icon.SaveToBytes();
    TImageList list(nullptr);
    list.SetSize(20, 20);
    list.AddMasked(bitmap, clRed);
    list.AddIcon(icon);
    list.Draw(copy.Canvas(), 0, 0, 0, false);
    list.GetBitmap(1, copy);
}

TEST(Leaks, HundredRoundsGiveEveryHandleBack) {
    TTestIcon source;
    MakeTestIcon(source);
    const std::vector<uint8_t> bytes = source.Icon.SaveToBytes();
    ExerciseEverything(bytes);  // first use fills GDI's own caches
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 100; ++i) ExerciseEverything(bytes);
    EXPECT_EQ(CountGdiObjects(), before);

    TFont leaked;
    leaked.Handle();
    EXPECT_EQ(CountGdiObjects(), before + 1);  // the count does see a single object
}

}  // namespace
}  // namespace velloran
