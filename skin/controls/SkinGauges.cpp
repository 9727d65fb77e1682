#include "skin/controls/SkinGauges.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Messages.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// The chunks sit this far inside the track.
constexpr int kChunkInset = 2;

bool HasBitmap(const TDataSkinObject* object) { return object && !object->Bitmap->Empty(); }

// The image's top and bottom slices kept at their height, the middle stretched, all stretched to
// the width: a vertical channel.
void VerticalThreeSlice(HDC dc, const RECT& place, TBitmap& image, int top, int bottom) {
    const HDC source = image.Canvas().Handle();
    const int width = place.right - place.left, sourceWidth = image.Width(), sourceHeight = image.Height();
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    const auto copy = [&](int y, int height, int sourceY, int sourceSliceHeight) {
        if (height > 0 && sourceSliceHeight > 0)
            StretchBlt(dc, place.left, y, width, height, source, 0, sourceY, sourceWidth, sourceSliceHeight, SRCCOPY);
    };
    if (sourceHeight > place.bottom - place.top) {
        copy(place.top, place.bottom - place.top, 0, sourceHeight);
    } else {
        copy(place.top, top, 0, top);
        copy(place.top + top, place.bottom - place.top - top - bottom, top, sourceHeight - top - bottom);
        copy(place.bottom - bottom, bottom, sourceHeight - bottom, bottom);
    }
    if (mode) SetStretchBltMode(dc, mode);
}

// A small piece composed off screen over what the DC already shows, then put back in one blit.
template <class TDraw>
void ComposeOver(HDC dc, const RECT& place, TDraw draw) {
    const int width = place.right - place.left, height = place.bottom - place.top;
    TOffscreen off(dc, width, height);
    if (!off) return;
    BitBlt(off.DC(), 0, 0, width, height, dc, place.left, place.top, SRCCOPY);
    draw(off.DC(), RECT{0, 0, width, height});
    off.CopyTo(dc, place.left, place.top);
}
// A piece drawn into a bitmap of its own, then over the DC with the skin's key colour left out.
template <class TDraw>
void KeyedOver(HDC dc, const RECT& place, TDraw draw) {
    TBitmap piece;
    piece.SetSize(place.right - place.left, place.bottom - place.top);
    if (piece.Empty()) return;
    draw(piece.Canvas().Handle(), RECT{0, 0, piece.Width(), piece.Height()});
    TransparentBlit(dc, place, piece, kSkinKeyColor);
}
}  // namespace

// ---- TSkinProgress -----------------------------------------------------------------------

const TClassInfo& TSkinProgress::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinProgress>("TSkinProgress", &TSkinControl::StaticClassInfo());
    return info;
}

int TSkinProgress::FilledLength(TProgressStyle style, int length, int p, int lo, int hi) {
    if (hi <= 0 || p <= 0) return 0;
    // The chunk style counts from zero, whatever the low limit.
    if (style == psTrackAndChunks) return MulDiv(length, p, hi);
    return hi == lo ? 0 : MulDiv(length, p - lo, hi - lo);
}

bool TSkinProgress::HasImage() const { return HasBitmap(SkinData->Progress.get()); }

bool TSkinProgress::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (!HasImage()) break;
            [[fallthrough]];
        case WM_ERASEBKGND:
            PaintWithoutErase(m);
            return false;
        default:
            break;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinProgress::PaintControl(HDC dc, const RECT& rect) {
    if (!HasImage()) return;
    const bool vertical = (WindowStyle() & PBS_VERTICAL) != 0;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!vertical) {
        TOffscreen& off = Offscreen(dc, width, height);
        if (!off) return;
        PaintLying(off.DC(), width, height);
        off.CopyTo(dc, rect.left, rect.top);
        return;
    }
    // Drawn lying down with its start at the left, then turned so that it fills from the bottom.
    TBitmap lying;
    lying.SetSize(height, width);
    PaintLying(lying.Canvas().Handle(), height, width);
    RotateLeft(lying);
    BitBlt(dc, rect.left, rect.top, width, height, lying.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::PaintLying(HDC dc, int length, int thickness) {
    TDataSkinBorder& art = *SkinData->Progress;
    const RECT whole{0, 0, length, thickness};
    const int p = static_cast<int>(SendMessageW(Window, PBM_GETPOS, 0, 0));
    const int hi = static_cast<int>(SendMessageW(Window, PBM_GETRANGE, FALSE, 0));
    const int lo = static_cast<int>(SendMessageW(Window, PBM_GETRANGE, TRUE, 0));
    const auto style = art.Style == 0 ? psTrackAndBar : psTrackAndChunks;
    const int filled = FilledLength(style, length, p, lo, hi);
    FillColour(dc, whole, SkinBackground());
    DrawSkinFrame(dc, whole, art.Frame, pfTrack, art);
    if (filled <= 0) return;
    if (style == psTrackAndBar)
        DrawSkinFrame(dc, RECT{0, 0, filled, thickness}, art.Frame, pfBar, art);
    else
        PaintChunks(dc, filled, thickness);
}

void TSkinProgress::PaintChunks(HDC dc, int filled, int thickness) {
    TDataSkinObject* chunk = SkinData->ProgressChunk.get();
    if (!HasBitmap(chunk)) return;
    TBitmap& image = *chunk->Bitmap;
    if (chunk->Tile != 1) {
        ThreeSliceStretch(dc, RECT{kChunkInset, kChunkInset, kChunkInset + filled, thickness - kChunkInset}, image,
                          false, 1, 1, chunk->LeftWidth, chunk->RightWidth);
        return;
    }
    // The chunks repeated along a strip of the filled length, then the strip put in the track.
    const int chunkWidth = image.Width(), chunkHeight = image.Height();
    TOffscreen strip(dc, filled, chunkHeight);
    if (!strip) return;
    for (int i = 0; i <= filled / chunkWidth; ++i)
        BitBlt(strip.DC(), i * chunkWidth, 0, chunkWidth, chunkHeight, image.Canvas().Handle(), 0, 0, SRCCOPY);
    strip.CopyTo(dc, chunk->LeftWidth + kChunkInset, (thickness - chunkHeight) / 2);
}

// ---- TSkinTrackBar -----------------------------------------------------------------------

const TClassInfo& TSkinTrackBar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinTrackBar>("TSkinTrackBar", &TSkinControl::StaticClassInfo());
    return info;
}

// The skin's channel and thumb lie on the parent's background, not on a box of the control's own.
void TSkinTrackBar::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    if (auto* control = dynamic_cast<TControl*>(Owner())) {
        savedTransparent_ = GetPropEnumText(control, "Transparent");
        SetPropText(control, "Transparent", "True");
    }
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
}

void TSkinTrackBar::RestoreControl() {
    TSkinControl::RestoreControl();
    if (Control && !savedTransparent_.empty()) SetPropText(Control, "Transparent", savedTransparent_);
}

bool TSkinTrackBar::CanLendFocus() const {
    return Window && GetActiveWindow() == GetAncestor(Window, GA_ROOT) && IsWindowVisible(Window) &&
           IsWindowEnabled(Window);
}

void TSkinTrackBar::SkinChanged() {
    if (const HWND focused = GetFocus(); focused != Window && CanLendFocus()) {
        SetFocus(Window);
        SetFocus(focused);
    }
    TSkinControl::SkinChanged();
}

bool TSkinTrackBar::Vertical() const { return (WindowStyle() & TBS_VERT) != 0; }

bool TSkinTrackBar::BeforeProc(TMessage& m) {
    if ((m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY) && IsNotification(m.LParam) &&
        reinterpret_cast<const NMHDR*>(m.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW) && CustomDraw(m))
        return false;
    return TSkinControl::BeforeProc(m);
}

bool TSkinTrackBar::CustomDraw(TMessage& m) {
    auto& draw = *reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        m.Result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return false;
    switch (draw.dwItemSpec) {
        case TBCD_TICS:
            m.Result = CDRF_DODEFAULT;
            return true;
        case TBCD_THUMB:
            DrawThumb(draw.hdc);
            m.Result = CDRF_SKIPDEFAULT;
            return true;
        case TBCD_CHANNEL:
            m.Result = DrawChannel(draw.hdc) ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
            return true;
        default:
            return false;
    }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    RECT thumb{};
    SendMessageW(Window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (IsRectEmpty(&thumb)) return;
    TDataSkinObject* image =
        Vertical() && HasBitmap(SkinData->ThumbVert.get()) ? SkinData->ThumbVert.get() : SkinData->ThumbHorz.get();
    ComposeOver(dc, thumb, [&](HDC paint, const RECT& place) {
        if (HasBitmap(image)) {
            DrawStripFrame(paint, place, std::max(image->Frame, kThumbFrame), kThumbFrame, *image->Bitmap);
            return;
        }
        FillColour(paint, place, SkinBackground());
        FrameColour(paint, place, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])));
    });
}

bool TSkinTrackBar::DrawChannel(HDC dc) {
    RECT channel{};
    SendMessageW(Window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool vertical = Vertical();
    // Some systems give a vertical bar's channel as if the bar lay down.
    if (vertical && channel.right - channel.left > channel.bottom - channel.top)
        channel = {channel.top, channel.left, channel.bottom, channel.right};
    TDataSkinObject* vert = SkinData->TrackVert.get();
    if (vertical && HasBitmap(vert)) {
        const int width = std::min<int>(vert->Bitmap->Width(), channel.right - channel.left);
        RECT place = channel;
        place.left += (channel.right - channel.left - width) / 2;
        place.right = place.left + width;
        KeyedOver(dc, place, [&](HDC paint, const RECT& at) {
            VerticalThreeSlice(paint, at, *vert->Bitmap, vert->TopHeight, vert->BottomHeight);
        });
        return true;
    }
    TDataSkinObject* track = SkinData->Track.get();
    if (!HasBitmap(track)) return false;
    const int height = std::min<int>(track->Bitmap->Height(), channel.bottom - channel.top);
    RECT place = channel;
    place.top += (channel.bottom - channel.top - height) / 2;
    place.bottom = place.top + height;
    KeyedOver(dc, place, [&](HDC paint, const RECT& at) {
        ThreeSliceStretch(paint, at, *track->Bitmap, false, std::max(track->Frame, 1), 1, track->LeftWidth,
                          track->RightWidth);
    });
    return true;
}

}  // namespace velloran
