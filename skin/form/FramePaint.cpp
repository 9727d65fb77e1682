// The skinned non-client area: the four frame images, the caption band with its text and
// buttons, the menu band, and the window region cut from the frames' transparent pixels.
#include <windows.h>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/MaskRegion.h"
#include "skin/form/WinSkinMenu.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {
namespace {

enum TFramePart { fpLeft = 1, fpRight = 2, fpTop = 3, fpBottom = 4 };

constexpr int kMaxAnsiCaption = 1000;  // WM_GETTEXT buffer of a window that is not Unicode
constexpr int kDialogTextShift = 16;   // a dialog has no icon button to leave room for
constexpr int kPopupButtonGap = 5;
constexpr int kRightToLeftTextShift = 10;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

COLORREF SkinColor(const TSkinData& data, int slot) {
    return ColorToRGB(static_cast<TColor>(data.Colors[slot]));
}

TDataSkinBorder* FrameObject(TSkinData& data, int part) {
    switch (part) {
        case fpLeft:
            return &data.FrameLeft;
        case fpRight:
            return &data.FrameRight;
        case fpTop:
            return &data.FrameTop;
        case fpBottom:
            return &data.FrameBottom;
        default:
            return nullptr;
    }
}

// Frame 1 is the active look, frame 2 the inactive one; an image of one frame shows that frame
// either way (a frame past the end is taken as the last).
int ActiveFrame(bool active) { return active ? 1 : 2; }

// An inverted rectangle (a window narrower than its side frames) covers nothing, rather than
// the normalised rectangle CreateRectRgn would make of it.
TRegionHandle RectRegion(const RECT& rect) {
    if (rect.right < rect.left || rect.bottom < rect.top) return TRegionHandle(CreateRectRgn(0, 0, 0, 0));
    return TRegionHandle(CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom));
}

// The opaque pixels of one side's image drawn at the side's size.
TPixelMask DrawnSide(TWinSkinForm& form, int part, const RECT& side) {
    TBitmap image;
    image.SetSize(Width(side), Height(side));
    form.PaintBorder(part, {0, 0, Width(side), Height(side)}, image.Canvas().Handle());
    return OpaquePixels(image);
}

// The client rectangle with the opaque pixels of the transparent sides and the whole of the others.
TRegionHandle ShapedRegion(TWinSkinForm& form, int w, int h) {
    TSkinData& data = *form.SkinData;
    const int l = form.BorderLeft, t = form.BorderTop, r = form.BorderRight, b = form.BorderBottom;
    const RECT client{l, t, w - r, h - b};
    if (form.BorderKind == bkNone) return RectRegion(client);

    const int frame = ActiveFrame(form.Active);
    const auto side = [frame](TDataSkinBorder& object, const RECT& rect, bool stacked, bool shaped) {
        return TFrameSide{rect, shaped ? &object : nullptr, stacked, frame};
    };
    // In the order of the parts fpLeft .. fpBottom.
    const std::array<TFrameSide, 4> sides{
        side(data.FrameLeft, {0, 0, l, h}, false, data.FrameLeft.Trans == 1 && h > 1),
        side(data.FrameRight, {w - r, 0, w, h}, false, data.FrameRight.Trans == 1 && h > 1),
        side(data.FrameTop, {l, 0, w - r, t}, true, data.FrameTop.Trans == 1 && t > 1 && w - l - r > 0),
        side(data.FrameBottom, {l, h - b, w - r, h}, true, data.FrameBottom.Trans == 1 && b >= 2)};
    return form.FrameShape.Region(client, sides, [&](int index) {
        return DrawnSide(form, fpLeft + index, sides[static_cast<std::size_t>(index)].Rect);
    });
}

bool AnyTransparentFrame(const TSkinData& data) {
    return data.FrameLeft.Trans != 0 || data.FrameRight.Trans != 0 || data.FrameTop.Trans != 0 ||
           data.FrameBottom.Trans != 0;
}

// The system owns a region once it is set on a window; it is ours to delete only when setting
// it failed. Answers the region now on the window, or null.
HRGN GiveRegionToWindow(HWND wnd, TRegionHandle region) {
    if (!region || !SetWindowRgn(wnd, region.get(), TRUE)) return nullptr;
    return region.release();
}

}  // namespace

void TWinSkinForm::NcPaint(TMessage& message) {
    SetSysMenuStyle(true);
    message.Result = 0;
    if (!SkinData || !SkinData->FramePaintEnabled) return;
    if (MaximizedMdiChild() || BorderKind == bkNone) {
        CallDefault(message);
        return;
    }
    PaintFrame(nullptr);
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if (!SkinData || (Stage != stSkinned && Stage != stRefreshing)) return;
    if (BorderKind == bkNone || MaximizedMdiChild()) return;
    std::optional<TWindowDC> windowDC;
    if (!dc) {
        windowDC.emplace(Handle, true);
        dc = windowDC->get();
        if (!dc) return;
    }
    try {
        RECT rect{};
        if (GetWindowRect(Handle, &rect)) {
            WindowRect = rect;
            WindowWidth = Width(rect);
            WindowHeight = Height(rect);
            const int w = WindowWidth, h = WindowHeight;
            if (WindowState == stateMinimized) {
                PaintCaption(dc);
            } else {
                PaintBorder(fpLeft, {0, 0, BorderLeft, h}, dc);
                PaintBorder(fpRight, {w - BorderRight, 0, w, h}, dc);
                PaintBorder(fpBottom, {BorderLeft, h - BorderBottom, w - BorderRight, h}, dc);
                PaintCaption(dc);
                PaintMenuBand(dc, {BorderLeft, BorderTop, w - BorderRight, BorderTop + MenuHeight});
            }
        }
    } catch (const std::exception&) {
        // A frame that cannot be painted now is painted by the next WM_NCPAINT.
    }
    // Every caption button was just drawn plain; the next mouse move makes one hot again.
    HotObject = nullptr;
}

void TWinSkinForm::PaintBorder(int part, const RECT& rect, HDC dc) {
    const int w = Width(rect), h = Height(rect);
    TDataSkinBorder* frame = SkinData ? FrameObject(*SkinData, part) : nullptr;
    if (w <= 0 || h <= 0 || !frame || frame->Frame <= 0 || frame->Bitmap->Empty()) return;
    const bool stacked = part == fpTop || part == fpBottom, tile = frame->Tile != 1;
    const int index = ActiveFrame(Active);
    const TComposeKey key = ComposeKey(*frame->Bitmap, frame->Frame, index, frame->Margins(), stacked, tile, w, h);
    TBitmap& image = FrameImages.Get(static_cast<std::size_t>(part - fpLeft) + kSideImageSlot, key, [&] {
        return ComposeSkinImage(rect, *frame->Bitmap, frame->Margins(), stacked, tile, frame->Frame, index);
    });
    if (image.Empty()) return;
    BitBlt(dc, rect.left, rect.top, w, h, image.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintCaption(HDC dc) {
    if (!SkinData) return;
    const int w = WindowWidth, h = WindowHeight;
    RECT top{};
    if (WindowState == stateMinimized) {
        FrameBitmap.SetSize(w, h);
        if (FrameBitmap.Empty()) return;
        const TBrushHandle face(CreateSolidBrush(SkinColor(*SkinData, ciButtonFace)));
        const RECT all{0, 0, w, h};
        FillRect(FrameBitmap.Canvas().Handle(), &all, face.get());
        top = {0, 0, w, BorderTop};
    } else {
        FrameBitmap.SetSize(w, BorderTop);
        if (FrameBitmap.Empty()) return;
        // Starts from what is on the window, so the corners the side frames drew stay.
        BitBlt(FrameBitmap.Canvas().Handle(), 0, 0, w, BorderTop, dc, 0, 0, SRCCOPY);
        top = {BorderLeft, 0, w - BorderRight, BorderTop};
    }
    PaintBorder(fpTop, top, FrameBitmap.Canvas().Handle());
    PaintCaptionText(FrameBitmap.Canvas(), top);
    LayoutButtons();
    PaintButtons(FrameBitmap.Canvas());
    BitBlt(dc, 0, 0, FrameBitmap.Width(), FrameBitmap.Height(), FrameBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::PaintCaptionText(TCanvas& canvas, const RECT& caption) {
    const HDC dc = canvas.Handle();
    if (!dc || !SkinData) return;
    const TDataSkinTitle& title = SkinData->Title;
    const std::wstring text = CaptionText();

    RightReserve = 0;
    for (size_t i = 0; i < Buttons.size(); ++i) {
        const TDataSkinSysButton& button = *Buttons[i]->SkinButton;
        if (button.Align == 1 && !button.Bitmap->Empty() && ButtonVisible(static_cast<int>(i)))
            RightReserve = std::max(RightReserve, button.XCoord);
    }

    // Font, background mode and text colour go back to the canvas's when this returns or throws.
    const TSavedDC saved(dc);
    SelectObject(dc, TitleFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, SkinColor(*SkinData, Active ? ciTitleTextActive : ciTitleTextNoActive));

    RECT x = caption;
    SkinDrawText(dc, text, x, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    x.right += title.TextBackLeft + title.TextBackRight;
    const int cw = Width(caption), ch = Height(caption);
    const int xw = Width(x), xh = Height(x);

    int dx = 0;
    switch (title.TextAlignment) {
        case 0:
            dx = title.LeftWidth;
            break;
        case 1:
            dx = (cw - xw) / 2;
            break;
        case 2:
            dx = cw - title.RightWidth - xw;
            break;
        default:
            break;
    }
    if (RightToLeft) {
        switch (title.TextAlignment) {
            case 0:
                dx = cw - RightReserve - xw;
                break;
            case 1:
                dx = (cw - xw - RightReserve) / 2;
                break;
            case 2:
                dx = title.LeftWidth;
                break;
            default:
                break;
        }
    }
    const int dy = (ch - xh) / 2 + title.TopHeight / 2;
    OffsetRect(&x, dx, dy);
    if (RightToLeft && dx <= 0) x.left = title.LeftWidth;

    if (RightToLeft) {
        OffsetRect(&x, kRightToLeftTextShift, 0);
    } else if (Style & WS_POPUP) {
        const int limit = caption.right - RightReserve - kPopupButtonGap;
        if (limit < x.right && RightReserve > kPopupButtonGap) x.right = limit;
    } else if (caption.right - title.RightWidth < x.right) {
        x.right = caption.right - title.RightWidth;
    }
    if (BorderKind == bkDialog && title.TextAlignment == 0) x.left -= kDialogTextShift;
    TextRect = x;

    if (!title.Bitmap->Empty()) PaintTextBack(dc, {x.left, caption.top, x.right, caption.bottom});
    x.left += title.TextBackLeft;
    x.right -= title.TextBackRight;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (RightToLeft) format |= DT_RIGHT | DT_RTLREADING;
    SkinDrawText(dc, text, x, format);
}

void TWinSkinForm::PaintTextBack(HDC dc, const RECT& rect) {
    const TDataSkinTitle& title = SkinData->Title;
    const TSkinMargins margins{title.TextBackLeft, 0, title.TextBackRight, 0};
    const int frame = ActiveFrame(Active), w = Width(rect), h = Height(rect);
    // Composed opaque and kept; keyed onto the caption as the transparent strip would be.
    TBitmap& image = FrameImages.Get(kTextBackImageSlot, ComposeKey(*title.Bitmap, 2, frame, margins, true, true, w, h),
                                     [&] {
                                         auto back = std::make_unique<TBitmap>();
                                         back->SetSize(w, h);
                                         if (!back->Empty())
                                             TileStrip(back->Canvas().Handle(), {0, 0, w, h}, *title.Bitmap, true,
                                                       false, 2, frame, margins);
                                         return back;
                                     });
    TransparentBlit(dc, rect, image, kSkinKeyColor);
}

void TWinSkinForm::PaintMenuBand(HDC dc, const RECT& band) {
    if (MenuHeight <= 0 || !SkinData || !SkinData->FaceBrush) return;
    if (MenuBar)
        MenuBar->PaintBar(dc, band);
    else
        FillRect(dc, &band, SkinData->FaceBrush.get());
}

void TWinSkinForm::UpdateRegion() {
    if (Stage == stDestroyed || !SkinFrame || !SkinData) return;
    RECT rect{};
    if (!GetWindowRect(Handle, &rect)) return;
    const int w = Width(rect), h = Height(rect);
    if (w <= 0 || h <= 0) return;
    if (IsMdiChild() && WindowState != stateNormal) return;
    if (w == RegionWidth && h == RegionHeight && !IsMdiChild() && Stage != stRefreshing) return;

    // A refresh takes a changed skin: the masks of the old one's frames must not shape it.
    if (Stage == stRefreshing) FrameShape.Drop();
    // A rectangle is cheap: it is made again at every size event rather than cached.
    const bool shaped = AnyTransparentFrame(*SkinData);
    TRegionHandle region;
    try {
        region = WindowRegion(w, h);
    } catch (const std::exception&) {
        return;  // the window keeps the region it has; the next size event tries again
    }
    // The system frees the region it held when it takes the new one.
    OwnsRegion = false;
    Region = GiveRegionToWindow(Handle, std::move(region));
    OwnsRegion = Region != nullptr;
    // A size cached by an earlier shaped region would keep this rectangle at that size later.
    const bool cache = shaped && OwnsRegion;
    RegionWidth = cache ? w : 0;
    RegionHeight = cache ? h : 0;
}

TRegionHandle TWinSkinForm::WindowRegion(int width, int height) {
    return AnyTransparentFrame(*SkinData) ? ShapedRegion(*this, width, height) : RectRegion({0, 0, width, height});
}

void TWinSkinForm::DropRegion() {
    if (!OwnsRegion) return;
    SetWindowRgn(Handle, nullptr, IsMdiChild());
    OwnsRegion = false;
    Region = nullptr;
    // Nothing is cached any more: the next UpdateRegion must set a region whatever the size.
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::SetSysMenuStyle(bool strip) {
    if (Caps & capKeepSysMenu) return;
    Style = static_cast<DWORD>(Unicode ? GetWindowLongW(Handle, GWL_STYLE) : GetWindowLongA(Handle, GWL_STYLE));
    const DWORD before = Style;
    if (strip)
        Style &= ~static_cast<DWORD>(WS_SYSMENU);
    else if (SystemMenu)
        Style |= WS_SYSMENU;
    // Every frame paint comes here: an unchanged style is not set again, which would cost the
    // window two style-change messages each time.
    if (Style == before) return;
    if (Unicode)
        SetWindowLongW(Handle, GWL_STYLE, static_cast<LONG>(Style));
    else
        SetWindowLongA(Handle, GWL_STYLE, static_cast<LONG>(Style));
}

std::wstring TWinSkinForm::WindowText() const {
    if (Unicode && IsWindowsNT()) {
        std::wstring text(static_cast<size_t>(std::max(GetWindowTextLengthW(Handle), 0)) + 1, L'\0');
        text.resize(
            static_cast<size_t>(std::max(GetWindowTextW(Handle, text.data(), static_cast<int>(text.size())), 0)));
        return text;
    }
    char buffer[kMaxAnsiCaption] = {};
    const LRESULT length = SendMessageA(Handle, WM_GETTEXT, kMaxAnsiCaption, reinterpret_cast<LPARAM>(buffer));
    return AnsiToWide(
        std::string_view(buffer, static_cast<size_t>(std::clamp<LRESULT>(length, 0, kMaxAnsiCaption - 1))));
}

std::wstring TWinSkinForm::CaptionText() const { return CaptionPrefix + WindowText() + CaptionSuffix; }

}  // namespace velloran
