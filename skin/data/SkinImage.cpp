#include "skin/data/SkinImage.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <vector>

#include "skin/data/ImgUtil.h"
#include "skin/data/KeyedCopy.h"

namespace velloran {
namespace {

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }
bool IsInverted(const RECT& rect) { return rect.right < rect.left || rect.bottom < rect.top; }
bool HasArea(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

RECT Moved(RECT rect, int dx, int dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}

// Stretching copy; an empty or inverted side would draw nothing or a mirror image.
void CopyPart(HDC dest, const RECT& to, HDC source, const RECT& from) {
    if (!HasArea(to) || !HasArea(from)) return;
    StretchBlt(dest, to.left, to.top, Width(to), Height(to), source, from.left, from.top, Width(from), Height(from),
               SRCCOPY);
}

// An off-screen image to compose into; empty when a side is 0 or less.
std::unique_ptr<TBitmap> NewImage(int width, int height) {
    auto image = std::make_unique<TBitmap>();
    image->SetSize(width, height);
    if (!image->Empty()) SetStretchBltMode(image->Canvas().Handle(), COLORONCOLOR);
    return image;
}

// The composed image at the rectangle's top-left corner.
void DrawImage(HDC dc, const RECT& rect, TBitmap& image, bool transparent) {
    if (image.Empty()) return;
    if (transparent)
        TransparentBlit(dc, rect, image, kSkinKeyColor);
    else
        BitBlt(dc, rect.left, rect.top, image.Width(), image.Height(), image.Canvas().Handle(), 0, 0, SRCCOPY);
}

// Collects the rectangles of a region and turns them into the region in batches, so that no
// single region call gets an oversized buffer.
class TRegionBuilder {
public:
    void Add(const RECT& rect) {
        if (count_ == capacity_) {
            capacity_ += kGrowth;
            data_.resize(kHeaderSize + static_cast<std::size_t>(capacity_) * sizeof(RECT));
        }
        std::memcpy(data_.data() + kHeaderSize + static_cast<std::size_t>(count_) * sizeof(RECT), &rect, sizeof rect);
        ++count_;
        bounds_.left = std::min(bounds_.left, rect.left);
        bounds_.top = std::min(bounds_.top, rect.top);
        bounds_.right = std::max(bounds_.right, rect.right);
        bounds_.bottom = std::max(bounds_.bottom, rect.bottom);
        if (count_ == kBatch) Flush();
    }

    TRegionHandle Finish() {
        Flush();
        if (!result_) result_.reset(CreateRectRgn(0, 0, 0, 0));
        if (!result_) throw EGraphicsError("Cannot create a region");
        return std::move(result_);
    }

private:
    static constexpr int kBatch = 2000;
    static constexpr int kGrowth = 500;
    static constexpr std::size_t kHeaderSize = sizeof(RGNDATAHEADER);
    static constexpr RECT kNoBounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};

    void Flush() {
        if (count_ == 0) return;
        const DWORD rectBytes = static_cast<DWORD>(count_) * sizeof(RECT);
        const RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(count_), rectBytes,
                                   bounds_};
        std::memcpy(data_.data(), &header, sizeof header);
        TRegionHandle part(ExtCreateRegion(nullptr, static_cast<DWORD>(kHeaderSize) + rectBytes,
                                           reinterpret_cast<const RGNDATA*>(data_.data())));
        if (!part) throw EGraphicsError("Cannot create a region");
        if (result_)
            CombineRgn(result_.get(), result_.get(), part.get(), RGN_OR);
        else
            result_ = std::move(part);
        count_ = 0;
        bounds_ = kNoBounds;
    }

    std::vector<std::uint8_t> data_;  // the header, then room for capacity_ rectangles
    int capacity_ = 0;
    int count_ = 0;
    RECT bounds_ = kNoBounds;
    TRegionHandle result_;
};

}  // namespace

RECT StripFrame(const TBitmap& strip, bool vertical, int frameCount, int frame) {
    const int count = std::max(frameCount, 1);
    const int index = std::clamp(frame, 1, count) - 1;
    if (vertical) {
        const int height = strip.Height() / count;
        return {0, index * height, strip.Width(), (index + 1) * height};
    }
    const int width = strip.Width() / count;
    return {index * width, 0, (index + 1) * width, strip.Height()};
}

std::unique_ptr<TBitmap> ComposeSkinImage(const RECT& target, TBitmap& strip, const TSkinMargins& margins,
                                          bool vertical, bool tile, int frameCount, int frame) {
    const int dw = Width(target);
    const int dh = Height(target);
    auto image = NewImage(dw, dh);
    if (image->Empty() || strip.Empty()) return image;

    int l = std::max(margins.Left, 0), t = std::max(margins.Top, 0);
    int r = std::max(margins.Right, 0), b = std::max(margins.Bottom, 0);
    if (dw < l + r) l = r = 0;
    if (dh < t + b) t = b = 0;

    const RECT frameRect = StripFrame(strip, vertical, frameCount, frame);
    const int fw = Width(frameRect);
    const int fh = Height(frameRect);
    const HDC out = image->Canvas().Handle();
    const HDC source = strip.Canvas().Handle();
    const auto part = [&](const RECT& to, const RECT& from) {
        CopyPart(out, to, source, Moved(from, frameRect.left, frameRect.top));
    };

    // The tiled centre may run past its right and bottom sides; the parts drawn after it cover
    // that overflow, so the order matters.
    if (l * t > 0) part({0, 0, l, t}, {0, 0, l, t});
    if (l * b > 0) part({0, dh - b, l, dh}, {0, fh - b, l, fh});
    if (r * t > 0) part({dw - r, 0, dw, t}, {fw - r, 0, fw, t});
    if (l > 0) part({0, t, l, dh - b}, {0, t, l, fh - b});
    if (t > 0) part({l, 0, dw - r, t}, {l, 0, fw - r, t});
    const RECT centre{l, t, dw - r, dh - b};
    const RECT centreSource = Moved({l, t, fw - r, fh - b}, frameRect.left, frameRect.top);
    if (tile)
        TileBitmap(out, centre, strip, centreSource);
    else
        CopyPart(out, centre, source, centreSource);
    if (r * b > 0) part({dw - r, dh - b, dw, dh}, {fw - r, fh - b, fw, fh});
    if (r > 0) part({dw - r, t, dw, dh - b}, {fw - r, t, fw, fh - b});
    if (b > 0) part({l, dh - b, dw - r, dh}, {l, fh - b, fw - r, fh});
    return image;
}

void TileBitmap(HDC dc, const RECT& target, TBitmap& source, const RECT& sourceRect) {
    const int w = Width(sourceRect);
    const int h = Height(sourceRect);
    if (w <= 0 || h <= 0 || source.Empty()) return;
    const HDC sourceDC = source.Canvas().Handle();
    for (int x = target.left; x < target.right; x += w)
        for (int y = target.top; y < target.bottom; y += h)
            BitBlt(dc, x, y, w, h, sourceDC, sourceRect.left, sourceRect.top, SRCCOPY);
}

void DrawSkinObject(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, bool tile, bool transparent,
                    int frameCount, int frame, const TSkinMargins& margins) {
    if (IsInverted(rect) || strip.Empty()) return;
    const auto image = ComposeSkinImage(rect, strip, margins, vertical, tile, frameCount, frame);
    DrawImage(dc, rect, *image, transparent);
}

void TileStrip(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, bool transparent, int frameCount, int frame,
               const TSkinMargins& margins) {
    if (IsInverted(rect) || strip.Empty()) return;
    const int dw = Width(rect);
    const int dh = Height(rect);
    const auto image = NewImage(dw, dh);
    if (image->Empty()) return;

    const RECT f = StripFrame(strip, vertical, frameCount, frame);
    const int l = std::max(margins.Left, 0);
    const int r = std::max(margins.Right, 0);
    const int middle = Width(f) - l - r;
    const HDC out = image->Canvas().Handle();
    const HDC source = strip.Canvas().Handle();

    CopyPart(out, {0, 0, l, dh}, source, {f.left, f.top, f.left + l, f.bottom});
    if (middle > 0) {
        const RECT middleSource{f.left + l, f.top, f.left + l + middle, f.bottom};
        for (int x = l; x < dw - r; x += middle) CopyPart(out, {x, 0, x + middle, dh}, source, middleSource);
    } else {
        const RECT gap{l, 0, dw - r, dh};
        if (HasArea(gap)) {
            TBrushHandle key(CreateSolidBrush(kSkinKeyColor));
            FillRect(out, &gap, key.get());
        }
    }
    // Drawn last: it covers the overflow of the last middle tile.
    CopyPart(out, {dw - r, 0, dw, dh}, source, {f.right - r, f.top, f.right, f.bottom});
    DrawImage(dc, rect, *image, transparent);
}

std::unique_ptr<TBitmap> StretchedFrame(const RECT& rect, TBitmap& strip, int frameCount, int frame) {
    if (IsInverted(rect) || strip.Empty()) return std::make_unique<TBitmap>();
    auto image = NewImage(Width(rect), Height(rect));
    if (!image->Empty())
        CopyPart(image->Canvas().Handle(), {0, 0, Width(rect), Height(rect)}, strip.Canvas().Handle(),
                 StripFrame(strip, false, frameCount, frame));
    return image;
}

void StretchFrame(HDC dc, const RECT& rect, TBitmap& strip, bool transparent, int frameCount, int frame) {
    const auto image = StretchedFrame(rect, strip, frameCount, frame);
    if (!image->Empty()) DrawImage(dc, rect, *image, transparent);
}

void CenterFrame(HDC dc, const RECT& rect, TBitmap& strip, bool transparent, int frameCount, int frame) {
    if (IsInverted(rect) || strip.Empty()) return;
    const RECT f = StripFrame(strip, false, frameCount, frame);
    const int fw = Width(f);
    const int fh = Height(f);
    const int left = rect.left + (Width(rect) - fw) / 2;
    const int top = rect.top + (Height(rect) - fh) / 2;
    const HDC source = strip.Canvas().Handle();
    if (transparent)
        KeyedCopy(dc, left, top, fw, fh, source, f.left, f.top, kSkinKeyColor);
    else if (fw > 0 && fh > 0)
        BitBlt(dc, left, top, fw, fh, source, f.left, f.top, SRCCOPY);
}

void ThreeSliceStretch(HDC dc, const RECT& rect, TBitmap& strip, bool vertical, int frameCount, int frame,
                       int leftSlice, int rightSlice) {
    if (IsInverted(rect) || strip.Empty()) return;
    const RECT f = StripFrame(strip, vertical, frameCount, frame);
    const HDC source = strip.Canvas().Handle();
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (Width(f) > Width(rect)) {
        CopyPart(dc, rect, source, f);
    } else {
        const int l = leftSlice;
        const int r = rightSlice;
        CopyPart(dc, {rect.left, rect.top, rect.left + l, rect.bottom}, source, {f.left, f.top, f.left + l, f.bottom});
        CopyPart(dc, {rect.left + l, rect.top, rect.right - r, rect.bottom}, source,
                 {f.left + l, f.top, f.right - r, f.bottom});
        CopyPart(dc, {rect.right - r, rect.top, rect.right, rect.bottom}, source,
                 {f.right - r, f.top, f.right, f.bottom});
    }
    if (previousMode) SetStretchBltMode(dc, previousMode);
}

void TransparentBlit(HDC dc, const RECT& rect, TBitmap& bitmap, COLORREF key) {
    if (IsInverted(rect) || bitmap.Empty()) return;
    // Only what the bitmap covers: past its sides there is nothing to copy.
    KeyedCopy(dc, rect.left, rect.top, std::min(Width(rect), bitmap.Width()), std::min(Height(rect), bitmap.Height()),
              bitmap.Canvas().Handle(), 0, 0, key);
}

void PaintParentBackground(TControl& control, HDC dc) {
    TWinControl* const parent = control.Parent();
    if (!parent) return;
    const RECT clip = Moved(control.ClientRect(), control.Left(), control.Top());
    TSavedDC saved(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control.Left(), origin.y - control.Top(), nullptr);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    const auto paintParent = [&] {
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    };
    if (!control.HasState(csDesigning)) {
        paintParent();
        return;
    }
    // In the designer a parent that fails to paint this way must not break the designer.
    try {
        paintParent();
    } catch (const std::exception&) {
    }
}

TRegionHandle RegionFromBitmap(const TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, COLORREF key) {
    const TDecodedBitmap image = GetBitmapPixels(bitmap);
    const auto within = [](std::uint32_t value, int low, int tolerance) {
        const int channel = static_cast<int>(value & 0xFF);
        return channel >= low && channel <= std::min(255, low + tolerance);
    };
    const int red = GetRValue(key), green = GetGValue(key), blue = GetBValue(key);
    const auto isKey = [&](std::uint32_t pixel) {  // pixel is 0x00RRGGBB
        return within(pixel >> 16, red, redTolerance) && within(pixel >> 8, green, greenTolerance) &&
               within(pixel, blue, blueTolerance);
    };

    TRegionBuilder region;
    for (int y = 0; y < image.Height; ++y) {
        const std::uint32_t* row =
            image.Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width);
        for (int x = 0; x < image.Width; ++x) {
            const int start = x;
            while (x < image.Width && !isKey(row[x])) ++x;
            if (x > start) region.Add({start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return region.Finish();
}

}  // namespace velloran
