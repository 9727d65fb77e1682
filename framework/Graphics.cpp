#include "framework/Graphics.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "framework/ImgList.h"

namespace velloran {

// ---- Colours and registration ---------------------------------------------------------------

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

namespace {

struct TNamedConstant {
    const char* Name;
    int64_t Value;
};

const TNamedConstant kColorNames[] = {
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clNone", clNone}, {"clDefault", clDefault},
    {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk}, {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight}, {"clMenuBar", clMenuBar},
};

const TNamedConstant kCharsetNames[] = {
    {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET}, {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET}, {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

}  // namespace

void RegisterGraphicsClasses() {
    static const bool registered = [] {
        for (const auto& c : kColorNames) RegisterIntegerConstant(c.Name, c.Value);
        for (const auto& c : kCharsetNames) RegisterIntegerConstant(c.Name, c.Value);
        RegisterComponentClass(TImageList::StaticClassInfo());
        return true;
    }();
    (void)registered;
}

// ---- Fonts, brushes, pens --------------------------------------------------------------------

const TEnumInfo FontStyleEnum{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
const TEnumInfo FontPitchEnum{{"fpDefault", "fpVariable", "fpFixed"}};
const TEnumInfo BrushStyleEnum{
    {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};
const TEnumInfo PenStyleEnum{{"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};

const TClassInfo& TGraphicsObject::StaticClassInfo() {
    static const TClassInfo info{"TGraphicsObject", &TPersistent::StaticClassInfo()};
    return info;
}

HGDIOBJ TGraphicsObject::CachedHandle() const {
    if (!handle_) handle_.reset(CreateHandle());
    return handle_.get();
}

void TGraphicsObject::Changed() {
    // The old handle outlives the handler so that a DC can deselect it before it is deleted.
    TGdiObject previous = std::move(handle_);
    if (OnChange) OnChange(this);
}

const TClassInfo& TFont::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFont>(
        "TFont", &TGraphicsObject::StaticClassInfo(),
        {props::Int("Charset", &TFont::Charset, &TFont::SetCharset),
         props::Int("Color", &TFont::Color, &TFont::SetColor),
         props::Int("Height", &TFont::Height, &TFont::SetHeight),
         props::String("Name", &TFont::Name, &TFont::SetName),
         props::Enum("Pitch", FontPitchEnum, &TFont::Pitch, &TFont::SetPitch),
         props::Int("Size", &TFont::Size, &TFont::SetSize),
         props::Set("Style", FontStyleEnum, &TFont::Style, &TFont::SetStyle)});
    return info;
}

void TFont::Assign(const TFont& other) {
    if (&other == this) return;
    charset_ = other.charset_;
    color_ = other.color_;
    height_ = other.height_;
    name_ = other.name_;
    pitch_ = other.pitch_;
    style_ = other.style_;
    Changed();
}

// Sizes are in points at 96 pixels per inch; MulDiv rounds to the nearest whole number.
int TFont::Size() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, 96, 72)); }

HGDIOBJ TFont::CreateHandle() const {
    static constexpr BYTE kPitch[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    LOGFONTA lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & FontStyleBit(fsBold)) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & FontStyleBit(fsItalic)) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & FontStyleBit(fsUnderline)) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & FontStyleBit(fsStrikeOut)) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = kPitch[pitch_] | FF_DONTCARE;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

const TClassInfo& TBrush::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TBrush>(
        "TBrush", &TGraphicsObject::StaticClassInfo(),
        {props::Int("Color", &TBrush::Color, &TBrush::SetColor),
         props::Enum("Style", BrushStyleEnum, &TBrush::Style, &TBrush::SetStyle)});
    return info;
}

void TBrush::Assign(const TBrush& other) {
    if (&other == this) return;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

HGDIOBJ TBrush::CreateHandle() const {
    LOGBRUSH lb{};
    lb.lbColor = ColorToRGB(color_);
    if (style_ == bsSolid) {
        lb.lbStyle = BS_SOLID;
    } else if (style_ == bsClear) {
        lb.lbStyle = BS_NULL;
    } else {
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = HS_HORIZONTAL + (style_ - bsHorizontal);
    }
    return CreateBrushIndirect(&lb);
}

const TClassInfo& TPen::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TPen>(
        "TPen", &TGraphicsObject::StaticClassInfo(),
        {props::Int("Color", &TPen::Color, &TPen::SetColor),
         props::Enum("Style", PenStyleEnum, &TPen::Style, &TPen::SetStyle),
         props::Int("Width", &TPen::Width, &TPen::SetWidth)});
    return info;
}

void TPen::Assign(const TPen& other) {
    if (&other == this) return;
    color_ = other.color_;
    style_ = other.style_;
    width_ = other.width_;
    Changed();
}

// The pen styles are declared in the order of the PS_ values.
HGDIOBJ TPen::CreateHandle() const { return CreatePen(style_, width_, ColorToRGB(color_)); }

// ---- Canvas ----------------------------------------------------------------------------------

namespace {

// Colour-on-colour stretching keeps exact source pixels; the DC's own mode comes back after.
class TStretchModeScope {
public:
    explicit TStretchModeScope(HDC dc) : dc_(dc), old_(SetStretchBltMode(dc, COLORONCOLOR)) {}
    TStretchModeScope(const TStretchModeScope&) = delete;
    TStretchModeScope& operator=(const TStretchModeScope&) = delete;
    ~TStretchModeScope() { if (old_) SetStretchBltMode(dc_, old_); }

private:
    HDC dc_;
    int old_;
};

int Length(const std::string& text) { return static_cast<int>(text.size()); }

}  // namespace

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo info{"TCanvas", &TPersistent::StaticClassInfo()};
    return info;
}

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { Deselect(FontPart); };
    brush_.OnChange = [this](TObject*) { Deselect(BrushPart); };
    pen_.OnChange = [this](TObject*) { Deselect(PenPart); };
}

TCanvas::TCanvas(HDC dc) : TCanvas() { dc_ = dc; }

TCanvas::~TCanvas() { DeselectAll(); }

HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    DeselectAll();
    dc_ = dc;
}

HDC TCanvas::Require(std::initializer_list<TPart> parts) {
    HDC dc = Handle();
    if (!dc) throw EGraphicsError("Canvas does not allow drawing");
    for (TPart part : parts)
        if (!originals_[part]) Select(part);
    return dc;
}

void TCanvas::Select(TPart part) {
    HGDIOBJ object = nullptr;
    switch (part) {
    case FontPart:
        object = font_.Handle();
        SetTextColor(dc_, ColorToRGB(font_.Color()));
        break;
    case BrushPart:
        object = brush_.Handle();
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
        SetBkMode(dc_, BrushIsClear() ? TRANSPARENT : OPAQUE);
        break;
    case PenPart:
        object = pen_.Handle();
        break;
    case PartCount:
        return;
    }
    originals_[part] = SelectObject(dc_, object);
}

void TCanvas::Deselect(TPart part) {
    if (!originals_[part]) return;
    SelectObject(dc_, originals_[part]);
    originals_[part] = nullptr;
}

void TCanvas::DeselectAll() {
    Deselect(FontPart);
    Deselect(BrushPart);
    Deselect(PenPart);
}

void TCanvas::FillRect(const RECT& rect) {
    HDC dc = Require({BrushPart});
    ::FillRect(dc, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect) {
    HDC dc = Require({BrushPart});
    ::FrameRect(dc, &rect, brush_.Handle());
}

void TCanvas::Rectangle(const RECT& rect) {
    HDC dc = Require({PenPart, BrushPart});
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Require({}), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) { ::LineTo(Require({PenPart}), x, y); }

void TCanvas::TextOut(int x, int y, const std::string& text) {
    ::TextOutA(Require({FontPart, BrushPart}), x, y, text.data(), Length(text));
}

void TCanvas::TextRect(const RECT& clip, int x, int y, const std::string& text) {
    HDC dc = Require({FontPart, BrushPart});
    const UINT options = ETO_CLIPPED | (BrushIsClear() ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc, x, y, options, &clip, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(Require({FontPart}), text.data(), Length(text), &size);
    return size;
}

int TCanvas::DrawTextA(const std::string& text, RECT& rect, UINT flags) {
    return ::DrawTextA(Require({FontPart, BrushPart}), text.data(), Length(text), &rect, flags);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    RECT rect{x, y, x + bitmap.Width(), y + bitmap.Height()};
    StretchDraw(rect, bitmap);
}

void TCanvas::StretchDraw(const RECT& rect, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC dc = Require({});
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (bitmap.Transparent) {
        const COLORREF skip = bitmap.TransparentRGB();
        TransparentBlt(dc, rect.left, rect.top, w, h, bitmap.Canvas().Handle(), 0, 0, bitmap.Width(),
                       bitmap.Height(), skip);
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(dc, rect.left, rect.top, w, h, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
    } else {
        TStretchModeScope mode(dc);
        StretchBlt(dc, rect.left, rect.top, w, h, bitmap.Canvas().Handle(), 0, 0, bitmap.Width(),
                   bitmap.Height(), SRCCOPY);
    }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
    HDC dc = Require({});
    HDC from = source.Require({});
    TStretchModeScope mode(dc);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from, sourceRect.left,
               sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top, SRCCOPY);
}

TColor TCanvas::Pixels(int x, int y) {
    const COLORREF color = GetPixel(Require({}), x, y);
    return color == CLR_INVALID ? clNone : static_cast<TColor>(color);
}

void TCanvas::SetPixels(int x, int y, TColor color) { SetPixelV(Require({}), x, y, ColorToRGB(color)); }

// ---- Bitmap ----------------------------------------------------------------------------------

// The bitmap's canvas draws through a memory DC that holds the bitmap; the DC exists only
// between the first drawing call and the next Handle() (or change of the bitmap).
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(const TBitmap& owner) : owner_(owner) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext() {
        if (!memoryDC_) return;
        SetHandle(nullptr);
        if (originalBitmap_) SelectObject(memoryDC_.get(), originalBitmap_);
        originalBitmap_ = nullptr;
        memoryDC_.reset();
    }

protected:
    void CreateHandle() override {
        TMemoryDC dc(CreateCompatibleDC(nullptr));
        if (!dc) return;
        if (owner_.handle_) originalBitmap_ = SelectObject(dc.get(), owner_.handle_.get());
        memoryDC_ = std::move(dc);
        SetHandle(memoryDC_.get());
    }

private:
    const TBitmap& owner_;
    TMemoryDC memoryDC_;
    HGDIOBJ originalBitmap_ = nullptr;
};

namespace {

TBitmapHandle CreateDib32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib)
        throw EGraphicsError("Cannot create a bitmap of " + std::to_string(width) + "x" + std::to_string(height));
    return dib;
}

// Neither bitmap may be selected into another DC.
void CopyPixels(HBITMAP from, HBITMAP to, int width, int height) {
    TMemoryDC source(CreateCompatibleDC(nullptr));
    TMemoryDC dest(CreateCompatibleDC(nullptr));
    TSelectObject selectSource(source.get(), from);
    TSelectObject selectDest(dest.get(), to);
    BitBlt(dest.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm)) throw EGraphicsError("Invalid bitmap handle");
    return {bm.bmWidth, std::abs(bm.bmHeight)};
}

}  // namespace

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TBitmap>(
        "TBitmap", &TPersistent::StaticClassInfo(), {props::Binary("Data", &TBitmap::SaveToData, &TBitmap::LoadFromData)});
    return info;
}

namespace {

std::uint64_t NextBitmapSerial() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

TBitmap::TBitmap() : serial_(NextBitmapSerial()) {}

// The canvas goes first: it takes the bitmap out of its DC before the handle is deleted.
TBitmap::~TBitmap() { canvas_.reset(); }

void TBitmap::FreeContext() const {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::Replace(TBitmapHandle handle, int width, int height) {
    FreeContext();
    handle_ = std::move(handle);
    width_ = width;
    height_ = height;
    serial_ = NextBitmapSerial();
    if (OnChange) OnChange(this);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        Replace({}, width, height);
        return;
    }
    TBitmapHandle resized = CreateDib32(width, height);
    if (handle_) {
        FreeContext();
        CopyPixels(handle_.get(), resized.get(), std::min(width, width_), std::min(height, height_));
    }
    Replace(std::move(resized), width, height);
}

HBITMAP TBitmap::Handle() const {
    FreeContext();
    return handle_.get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap == handle_.get()) return;
    if (!bitmap) {
        Replace({}, 0, 0);
        return;
    }
    const SIZE size = BitmapSize(bitmap);
    Replace(TBitmapHandle(bitmap), size.cx, size.cy);
}

void TBitmap::PixelsChanged() {
    serial_ = NextBitmapSerial();
    if (OnChange) OnChange(this);
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeContext();
    width_ = 0;
    height_ = 0;
    serial_ = NextBitmapSerial();
    return handle_.release();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    Transparent = other.Transparent;
    TransparentColor = other.TransparentColor;
    if (other.Empty()) {
        Replace({}, other.width_, other.height_);
        return;
    }
    TBitmapHandle copy = CreateDib32(other.width_, other.height_);
    CopyPixels(other.Handle(), copy.get(), other.width_, other.height_);
    Replace(std::move(copy), other.width_, other.height_);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    TBitmapHandle loaded(static_cast<HBITMAP>(
        LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) throw EGraphicsError("Bitmap resource " + name + " not found");
    // Converted so that every bitmap drawn by the program has the same format.
    const SIZE size = BitmapSize(loaded.get());
    TBitmapHandle converted = CreateDib32(size.cx, size.cy);
    CopyPixels(loaded.get(), converted.get(), size.cx, size.cy);
    Replace(std::move(converted), size.cx, size.cy);
}

COLORREF TBitmap::TransparentRGB() {
    if (TransparentColor != clDefault) return ColorToRGB(TransparentColor);
    if (Empty()) return 0;
    return GetPixel(Canvas().Handle(), 0, height_ - 1);
}

// ---- Icon ------------------------------------------------------------------------------------

namespace {

constexpr size_t kIconDirSize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr int kMaxIconSide = 256;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | static_cast<uint32_t>(ReadU16(p + 2)) << 16; }
void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

uint32_t MaskStride(int width) { return ((static_cast<uint32_t>(width) + 31) / 32) * 4; }

struct TIconImage {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    int Width = 0;
    int Height = 0;
};

// Checks that a DIB icon image (header, colour table, XOR bits, AND bits) lies within its bytes.
bool ReadDibImage(const uint8_t* data, size_t size, TIconImage& image) {
    BITMAPINFOHEADER h;
    if (size < sizeof h) return false;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biSize > size) return false;
    if (h.biWidth < 1 || h.biWidth > kMaxIconSide) return false;
    if (h.biHeight < 2 || h.biHeight > 2 * kMaxIconSide || h.biHeight % 2 != 0) return false;
    if (h.biPlanes != 1 || h.biCompression != BI_RGB) return false;
    const uint32_t bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    uint64_t colors = 0;
    if (bpp <= 8) {
        colors = h.biClrUsed ? h.biClrUsed : (1u << bpp);
        if (colors > (1u << bpp)) return false;
    } else if (h.biClrUsed != 0) {
        return false;
    }
    const uint64_t width = static_cast<uint64_t>(h.biWidth), height = static_cast<uint64_t>(h.biHeight / 2);
    const uint64_t colorStride = ((width * bpp + 31) / 32) * 4;
    const uint64_t needed = h.biSize + colors * 4 + (colorStride + MaskStride(h.biWidth)) * height;
    if (needed > size) return false;
    image = {data, size, static_cast<int>(width), static_cast<int>(height)};
    return true;
}

bool FindFirstImage(const std::vector<uint8_t>& bytes, TIconImage& image) {
    if (bytes.size() < kIconDirSize) return false;
    const uint8_t* p = bytes.data();
    const size_t count = ReadU16(p + 4);
    if (ReadU16(p) != 0 || ReadU16(p + 2) != 1 || count == 0) return false;
    if (bytes.size() < kIconDirSize + count * kIconEntrySize) return false;
    const uint8_t* entry = p + kIconDirSize;
    const size_t size = ReadU32(entry + 8), offset = ReadU32(entry + 12);
    if (offset > bytes.size() || size > bytes.size() - offset) return false;
    return ReadDibImage(p + offset, size, image);
}

// 32-bit pixels of a bitmap, bottom row first as in DIB and icon files; empty on failure.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    TWindowDC screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS) != height)
        return {};
    return pixels;
}

}  // namespace

const TClassInfo& TIcon::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TIcon>(
        "TIcon", &TPersistent::StaticClassInfo(), {props::Binary("Data", &TIcon::SaveToBytes, &TIcon::LoadFromStream)});
    return info;
}

void TIcon::SetHandle(HICON icon) {
    if (icon == handle_.get()) return;
    handle_.reset(icon);
    width_ = 0;
    height_ = 0;
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        // A monochrome icon keeps its AND and XOR halves stacked in the mask.
        if (color && GetObjectA(color.get(), sizeof bm, &bm)) {
            width_ = bm.bmWidth;
            height_ = bm.bmHeight;
        } else if (GetObjectA(mask.get(), sizeof bm, &bm)) {
            width_ = bm.bmWidth;
            height_ = bm.bmHeight / 2;
        }
    }
    if (OnChange) OnChange(this);
}

void TIcon::Assign(const TIcon& other) {
    if (&other == this) return;
    HICON copy = other.Empty() ? nullptr : CopyIcon(other.Handle());
    if (!other.Empty() && !copy) throw EGraphicsError("Cannot copy the icon");
    SetHandle(copy);
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    TIconHandle loaded(static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    if (!loaded) throw EGraphicsError("Icon resource " + name + " not found");
    SetHandle(loaded.release());
}

void TIcon::LoadFromStream(const std::vector<uint8_t>& bytes) {
    TIconImage image;
    if (!FindFirstImage(bytes, image)) {
        SetHandle(nullptr);
        return;
    }
    std::vector<uint8_t> data(image.Data, image.Data + image.Size);
    SetHandle(CreateIconFromResourceEx(data.data(), static_cast<DWORD>(data.size()), TRUE, 0x00030000, image.Width,
                                       image.Height, LR_DEFAULTCOLOR));
}

std::vector<uint8_t> TIcon::SaveToBytes() const {
    ICONINFO info{};
    if (!handle_ || !GetIconInfo(handle_.get(), &info)) return {};
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    const int w = width_, h = height_;
    // Bottom-up rows: a monochrome icon's XOR half comes first, its AND half second.
    const std::vector<uint32_t> maskPixels = ReadPixels(mask.get(), w, color ? h : 2 * h);
    if (maskPixels.empty()) return {};
    const size_t area = static_cast<size_t>(w) * static_cast<size_t>(h);
    const std::vector<uint32_t> colorPixels =
        color ? ReadPixels(color.get(), w, h) : std::vector<uint32_t>(maskPixels.begin(), maskPixels.begin() + area);
    if (colorPixels.empty()) return {};
    const uint32_t* andRows = maskPixels.data() + (color ? 0 : area);

    const uint32_t andStride = MaskStride(w);
    const uint32_t imageBytes = static_cast<uint32_t>(area * 4 + andStride * h);
    const uint32_t headerSize = sizeof(BITMAPINFOHEADER);
    std::vector<uint8_t> out;
    out.reserve(kIconDirSize + kIconEntrySize + headerSize + imageBytes);
    PutU16(out, 0);  // reserved
    PutU16(out, 1);  // icon
    PutU16(out, 1);  // one image
    out.push_back(static_cast<uint8_t>(w >= kMaxIconSide ? 0 : w));
    out.push_back(static_cast<uint8_t>(h >= kMaxIconSide ? 0 : h));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, headerSize + imageBytes);
    PutU32(out, kIconDirSize + kIconEntrySize);

    PutU32(out, headerSize);
    PutU32(out, static_cast<uint32_t>(w));
    PutU32(out, static_cast<uint32_t>(2 * h));  // XOR and AND images together
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, BI_RGB);
    PutU32(out, imageBytes);
    for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution, colours used, colours important

    for (uint32_t pixel : colorPixels) PutU32(out, pixel);
    for (int y = 0; y < h; ++y) {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < w; ++x)
            if (andRows[static_cast<size_t>(y) * w + x] & 0xFFFFFF) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// ---- Bitmap form data --------------------------------------------------------------------------

namespace {

constexpr size_t kLengthPrefixSize = 4;
constexpr size_t kBitmapFileHeaderSize = 14;
constexpr int kMaxBitmapSide = 16384;

// The parts of a bitmap file that GDI is handed, each checked to lie within the data.
struct TBitmapFileParts {
    std::vector<uint32_t> Info;  // header, colour masks and palette, 4-byte aligned for GDI
    std::vector<uint8_t> Bits;
    int Width = 0;
    int Height = 0;  // rows, whichever way they run
};

bool ReadBitmapFileParts(const std::vector<uint8_t>& data, TBitmapFileParts& parts) {
    if (data.size() < kLengthPrefixSize + kBitmapFileHeaderSize + sizeof(BITMAPINFOHEADER)) return false;
    const size_t fileSize = ReadU32(data.data());
    if (fileSize > data.size() - kLengthPrefixSize) return false;
    const uint8_t* file = data.data() + kLengthPrefixSize;
    if (file[0] != 'B' || file[1] != 'M') return false;
    const size_t bitsOffset = ReadU32(file + 10);

    BITMAPINFOHEADER h;
    std::memcpy(&h, file + kBitmapFileHeaderSize, sizeof h);
    const size_t headerEnd = kBitmapFileHeaderSize + h.biSize;
    if (h.biSize < sizeof h || h.biSize > fileSize - kBitmapFileHeaderSize) return false;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biWidth < 1 || h.biWidth > kMaxBitmapSide || height < 1 || height > kMaxBitmapSide || h.biPlanes != 1)
        return false;
    const uint32_t bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    size_t masks = 0;
    if (h.biCompression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32) return false;
        if (h.biSize == sizeof h) masks = 3 * sizeof(uint32_t);  // larger headers hold them
    } else if (h.biCompression != BI_RGB) {
        return false;
    }
    size_t colors = 0;
    if (bpp <= 8) {
        colors = h.biClrUsed ? h.biClrUsed : (size_t{1} << bpp);
        if (colors > (size_t{1} << bpp)) return false;
    }
    const size_t infoEnd = headerEnd + masks + colors * sizeof(RGBQUAD);
    const uint64_t stride = ((static_cast<uint64_t>(h.biWidth) * bpp + 31) / 32) * 4;
    const uint64_t bitsSize = stride * static_cast<uint64_t>(height);
    if (infoEnd > fileSize || bitsOffset < infoEnd || bitsOffset > fileSize || bitsSize > fileSize - bitsOffset)
        return false;

    parts.Info.assign((infoEnd - kBitmapFileHeaderSize + 3) / 4, 0);
    std::memcpy(parts.Info.data(), file + kBitmapFileHeaderSize, infoEnd - kBitmapFileHeaderSize);
    parts.Bits.assign(file + bitsOffset, file + bitsOffset + bitsSize);
    parts.Width = h.biWidth;
    parts.Height = height;
    return true;
}

}  // namespace

void TBitmap::LoadFromData(const std::vector<uint8_t>& data) {
    TBitmapFileParts parts;
    if (!ReadBitmapFileParts(data, parts)) {
        SetHandle(nullptr);
        return;
    }
    TBitmapHandle dib = CreateDib32(parts.Width, parts.Height);
    TWindowDC screen(nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(parts.Info.data());
    if (SetDIBits(screen.get(), dib.get(), 0, static_cast<UINT>(parts.Height), parts.Bits.data(), info,
                  DIB_RGB_COLORS) != parts.Height) {
        SetHandle(nullptr);
        return;
    }
    Replace(std::move(dib), parts.Width, parts.Height);
}

std::vector<uint8_t> TBitmap::SaveToData() const {
    if (Empty()) return {};
    const std::vector<uint32_t> pixels = ReadPixels(Handle(), width_, height_);  // bottom row first
    if (pixels.empty()) return {};
    const uint32_t headerSize = sizeof(BITMAPINFOHEADER);
    const uint32_t bitsOffset = static_cast<uint32_t>(kBitmapFileHeaderSize) + headerSize;
    const uint32_t fileSize = bitsOffset + static_cast<uint32_t>(pixels.size() * 4);
    std::vector<uint8_t> out;
    out.reserve(kLengthPrefixSize + fileSize);
    PutU32(out, fileSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, fileSize);
    PutU32(out, 0);  // reserved
    PutU32(out, bitsOffset);
    PutU32(out, headerSize);
    PutU32(out, static_cast<uint32_t>(width_));
    PutU32(out, static_cast<uint32_t>(height_));
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, BI_RGB);
    PutU32(out, static_cast<uint32_t>(pixels.size() * 4));
    for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution, colours used, colours important
    for (uint32_t pixel : pixels) PutU32(out, pixel);
    return out;
}

// ---- Embossed shapes ---------------------------------------------------------------------------

void DrawEmbossed(HDC dc, int x, int y, int width, int height, HDC mask) {
    // Where the mask is black the brush is painted; where it is white the destination stays.
    constexpr DWORD kPaintPatternWhereBlack = 0x00B8074A;  // PSDPxax
    // Mask bits become black and white on the way to a colour DC only with these colours set.
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const auto paint = [&](int left, int top, int sysColor) {
        TBrushHandle brush(CreateSolidBrush(GetSysColor(sysColor)));
        TSelectObject selectBrush(dc, brush.get());
        BitBlt(dc, left, top, width, height, mask, 0, 0, kPaintPatternWhereBlack);
    };
    paint(x + 1, y + 1, COLOR_BTNHIGHLIGHT);
    paint(x, y, COLOR_BTNSHADOW);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

}  // namespace velloran
