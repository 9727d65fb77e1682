#pragma once
// Colours, fonts, brushes, pens, canvases, bitmaps and icons: what every control paints with.
// Text is 8-bit ANSI throughout.
//
// Note: <windows.h> maps TextOut to TextOutA, so TCanvas::TextOut is really named TextOutA;
// callers see no difference as long as they include this header (which includes <windows.h>).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Handles.h"

namespace velloran {

class EGraphicsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Colours -------------------------------------------------------------------------------

// red + green * 256 + blue * 65536; 0xFF000000 + n stands for the system colour n.
using TColor = int32_t;

inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
inline constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
inline constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
inline constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
inline constexpr TColor clMenu = clSystemColor | COLOR_MENU;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
inline constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
inline constexpr TColor clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER;
inline constexpr TColor clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER;
inline constexpr TColor clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
inline constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
inline constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
inline constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
inline constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
inline constexpr TColor clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION;
inline constexpr TColor clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION;
inline constexpr TColor clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT;
inline constexpr TColor clMenuBar = clSystemColor | COLOR_MENUBAR;

// System colours resolved through GetSysColor; every other value is returned as it is.
COLORREF ColorToRGB(TColor color);

// Colour and charset names for form data (Color = clBtnFace, Charset = ANSI_CHARSET) and the
// TImageList class. Safe to call more than once.
void RegisterGraphicsClasses();

// ---- Fonts, brushes, pens --------------------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint32_t;  // bit (1 << style) per style, as published sets are stored
constexpr TFontStyles FontStyleBit(TFontStyle style) { return 1u << style; }

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

extern const TEnumInfo FontStyleEnum;
extern const TEnumInfo FontPitchEnum;
extern const TEnumInfo BrushStyleEnum;
extern const TEnumInfo PenStyleEnum;

// A font, brush or pen: a description plus the GDI handle made from it on first use. Any
// change drops the handle; the next Handle() makes a new one.
class TGraphicsObject : public TPersistent {
    VELLORAN_CLASS(TGraphicsObject)
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    // Called after every change, before the old handle is deleted, so that a DC holding it can
    // let go of it. A canvas sets this on the objects it owns.
    std::function<void(TObject*)> OnChange;

protected:
    HGDIOBJ CachedHandle() const;
    virtual HGDIOBJ CreateHandle() const = 0;
    void Changed();

    template <class V>
    void Update(V& field, const V& value) {
        if (field == value) return;
        field = value;
        Changed();
    }

private:
    mutable TGdiObject handle_;
};

class TFont : public TGraphicsObject {
    VELLORAN_CLASS(TFont)
public:
    HFONT Handle() const { return static_cast<HFONT>(CachedHandle()); }
    void Assign(const TFont& other);

    int Charset() const { return charset_; }
    void SetCharset(int charset) { Update(charset_, charset); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Update(color_, color); }
    int Height() const { return height_; }  // negative: character height in pixels
    void SetHeight(int height) { Update(height_, height); }
    std::string Name() const { return name_; }
    void SetName(const std::string& name) { Update(name_, name); }
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch) { Update(pitch_, pitch); }
    int Size() const;  // points at 96 pixels per inch
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style) { Update(style_, style); }

protected:
    HGDIOBJ CreateHandle() const override;

private:
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    int height_ = -11;
    std::string name_ = "Tahoma";
    TFontPitch pitch_ = fpDefault;
    TFontStyles style_ = 0;
};

class TBrush : public TGraphicsObject {
    VELLORAN_CLASS(TBrush)
public:
    HBRUSH Handle() const { return static_cast<HBRUSH>(CachedHandle()); }
    void Assign(const TBrush& other);

    TColor Color() const { return color_; }
    void SetColor(TColor color) { Update(color_, color); }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { Update(style_, style); }

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

class TPen : public TGraphicsObject {
    VELLORAN_CLASS(TPen)
public:
    HPEN Handle() const { return static_cast<HPEN>(CachedHandle()); }
    void Assign(const TPen& other);

    TColor Color() const { return color_; }
    void SetColor(TColor color) { Update(color_, color); }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style) { Update(style_, style); }
    int Width() const { return width_; }
    void SetWidth(int width) { Update(width_, width); }

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor color_ = clBlack;
    TPenStyle style_ = psSolid;
    int width_ = 1;
};

// ---- Canvas ----------------------------------------------------------------------------------

class TBitmap;

// Drawing on a DC the canvas does not own. The canvas selects its font, brush and pen into the
// DC when an operation needs them and puts the DC's own objects back when the DC changes, when
// one of its objects changes, and when the canvas goes.
class TCanvas : public TPersistent {
    VELLORAN_CLASS(TCanvas)
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle();  // null when there is no DC
    void SetHandle(HDC dc);

    TFont* Font() { return &font_; }
    TBrush* Brush() { return &brush_; }
    TPen* Pen() { return &pen_; }

    // Operations on a canvas without a DC throw EGraphicsError.
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(const RECT& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const RECT& clip, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    int DrawTextA(const std::string& text, RECT& rect, UINT flags);  // returns the text height
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const RECT& rect, TBitmap& bitmap);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    TColor Pixels(int x, int y);  // clNone outside the DC's surface
    void SetPixels(int x, int y, TColor color);

protected:
    // A canvas that owns its DC (a bitmap's) makes it here, with SetHandle, when Handle() finds none.
    virtual void CreateHandle() {}

private:
    enum TPart { FontPart, BrushPart, PenPart, PartCount };
    HDC Require(std::initializer_list<TPart> parts);
    void Select(TPart part);
    void Deselect(TPart part);
    void DeselectAll();
    bool BrushIsClear() const { return brush_.Style() == bsClear; }

    HDC dc_ = nullptr;
    HGDIOBJ originals_[PartCount] = {};  // the DC's objects our selections replaced
    TFont font_;
    TBrush brush_;
    TPen pen_;
};

// ---- Bitmap ----------------------------------------------------------------------------------

// Which bitmap, holding which pixels: two identities are equal while the bitmap's handle, size
// and pixels stay as they were, so a cache keyed by one knows whether what it made is stale.
struct TBitmapIdentity {
    const TBitmap* Bitmap = nullptr;
    std::uint64_t Serial = 0;
    bool operator==(const TBitmapIdentity&) const = default;
};

// A 32-bit DIB section, so drawing gives the same pixels whatever the screen depth and the
// bitmap can go straight to AlphaBlend, TransparentBlt and image lists. A handle passed to
// SetHandle is kept as it is. Handle() takes the bitmap out of the canvas's DC so that it can be
// selected elsewhere; the canvas gets a new DC on its next use, so do not keep Canvas().Handle()
// across a call to Handle().
class TBitmap : public TPersistent {
    VELLORAN_CLASS(TBitmap)
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Resizing keeps the pixels that still fit; new ones are black. A zero side frees the handle.
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    bool Empty() const { return !handle_; }
    // Changes whenever the handle, the size or (through PixelsChanged) the pixels change, not
    // after drawing on the canvas, and is never given to two bitmaps of the process: what was
    // made from the bitmap is still valid while it stays.
    std::uint64_t Serial() const { return serial_; }
    TBitmapIdentity Identity() const { return {this, serial_}; }
    // To be called after writing pixels through the handle (SetBitmapBits, a DC of one's own):
    // renews the serial and calls OnChange.
    void PixelsChanged();

    HBITMAP Handle() const;
    void SetHandle(HBITMAP bitmap);  // takes ownership; null empties the bitmap
    HBITMAP ReleaseHandle();         // gives up ownership; the bitmap becomes empty
    TCanvas& Canvas();

    void Assign(const TBitmap& other);  // pixels, Transparent and TransparentColor
    // RT_BITMAP resource by name, or "#123" for a numeric identifier. Throws when missing.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    // Form data keeps a bitmap as its published binary property Data, laid out as the platform's
    // framework writes it: the length of a bitmap file (4 bytes, little-endian), then the file.
    // Uncompressed files of 1 to 32 bits per pixel are read; anything else, and malformed data,
    // leaves the bitmap empty. Written as 32 bits per pixel.
    void LoadFromData(const std::vector<uint8_t>& data);
    std::vector<uint8_t> SaveToData() const;

    // Called after the size, the handle or (through PixelsChanged) the pixels changed, not after
    // drawing on the canvas.
    std::function<void(TObject*)> OnChange;

    // Draw and StretchDraw skip pixels of TransparentColor when Transparent is set; clDefault
    // means the colour of the bottom-left pixel.
    bool Transparent = false;
    TColor TransparentColor = clDefault;
    COLORREF TransparentRGB();

private:
    class TBitmapCanvas;
    void FreeContext() const;
    void Replace(TBitmapHandle handle, int width, int height);

    TBitmapHandle handle_;
    int width_ = 0;
    int height_ = 0;
    std::uint64_t serial_;
    std::unique_ptr<TBitmapCanvas> canvas_;
};

// Draws a shape embossed, as disabled glyphs are: mask is a monochrome DC whose black pixels
// are the shape; it goes in the button highlight colour one pixel down and right, then in the
// button shadow colour over it.
void DrawEmbossed(HDC dc, int x, int y, int width, int height, HDC mask);

// ---- Icon ------------------------------------------------------------------------------------

// Form data stores an icon as its published binary property Data, the icon-file bytes.
class TIcon : public TPersistent {
    VELLORAN_CLASS(TIcon)
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    HICON Handle() const { return handle_.get(); }
    void SetHandle(HICON icon);  // takes ownership; null empties the icon
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return !handle_; }
    void Assign(const TIcon& other);  // a copy of other's image; empty when other is

    // Icon file data; the first image is used. Only DIB images are read: PNG images and
    // malformed data leave the icon empty.
    void LoadFromStream(const std::vector<uint8_t>& bytes);
    // A one-image icon file, 32 bits per pixel plus the AND mask; empty when the icon is.
    std::vector<uint8_t> SaveToBytes() const;
    // RT_GROUP_ICON resource by name, or "#123" for a numeric identifier, at its own size.
    // Throws when missing.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    // Called after every change of the image.
    std::function<void(TObject*)> OnChange;

private:
    TIconHandle handle_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace velloran
