#include "skin/controls/SkinSpin.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// What an embedded spin keeps clear of its edit's top, bottom and right edges: the edit's frame.
constexpr LONG kEditFrameClearance = 3;
constexpr COLORREF kWhite = RGB(255, 255, 255);
}  // namespace

const TClassInfo& TSkinUpDown::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinUpDown>("TSkinUpDown", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinUpDown::TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}

bool TSkinUpDown::IsHorizontal() const { return Horizontal || (WindowStyle() & UDS_HORZ); }

RECT TSkinUpDown::PaintedRect() const {
    RECT own{};
    GetWindowRect(Window, &own);
    RECT painted{0, 0, own.right - own.left, own.bottom - own.top};
    RECT edit{};
    if (!Embedded || !GetWindowRect(GetParent(Window), &edit)) return painted;
    painted.top += std::max(0L, kEditFrameClearance - (own.top - edit.top));
    painted.bottom -= std::max(0L, kEditFrameClearance - (edit.bottom - own.bottom));
    painted.right -= std::max(0L, kEditFrameClearance - (edit.right - own.right));
    return painted;
}

TSpinHalf TSkinUpDown::HalfAt(POINT point) const {
    RECT own{};
    GetWindowRect(Window, &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    if (point.x < 0 || point.y < 0 || point.x >= width || point.y >= height) return shNone;
    if (IsHorizontal()) return point.x < width / 2 ? shFirst : shSecond;
    return point.y < height / 2 ? shFirst : shSecond;
}

void TSkinUpDown::Track(LPARAM point) { mouse_ = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}; }

bool TSkinUpDown::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            PaintBeginEnd(m);
            return false;
        case WM_ERASEBKGND:
            if (!Control) {
                RECT client{};
                GetClientRect(Window, &client);
                FillColour(reinterpret_cast<HDC>(m.WParam), client, kWhite);
            }
            m.Result = 1;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Track(m.LParam);
            CallDefault(m);
            MouseState |= mfPressed;
            PaintWindow(nullptr);
            return false;
        case WM_LBUTTONUP:
            MouseState &= ~mfPressed;
            CallDefault(m);
            PaintWindow(nullptr);
            return false;
        default:
            return TSkinControl::BeforeProc(m);
    }
}

void TSkinUpDown::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            const TSpinHalf before = HalfAt(mouse_);
            Track(m.LParam);
            if (!IsWindowEnabled(Window)) break;
            if (!Hot()) {
                MouseState |= mfHot;
                RequestMouseLeave(Window);
                PaintWindow(nullptr);
            } else if (HalfAt(mouse_) != before) {
                PaintWindow(nullptr);
            }
            break;
        }
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            if (!Hot()) break;
            MouseState &= ~mfHot;
            mouse_ = POINT{-1, -1};
            PaintWindow(nullptr);
            break;
        default:
            TSkinControl::AfterProc(m);
            break;
    }
}

TSpinFrame TSkinUpDown::HalfState(TSpinHalf half) const {
    if (!IsWindowEnabled(Window)) return sfDisabled;
    if (half != HalfAt(mouse_)) return sfNormal;
    if (Pressed()) return sfPressed;
    return Hot() ? sfHot : sfNormal;
}

void TSkinUpDown::PaintControl(HDC dc, const RECT& rect) {
    if (Embedded) FillColour(dc, rect, kWhite);
    const RECT area = PaintedRect();
    const int width = area.right - area.left, height = area.bottom - area.top;
    TOffscreen offscreen(dc, width, height);
    if (!offscreen) return;
    FillColour(offscreen.DC(), RECT{0, 0, width, height}, SkinBackground());
    const bool horizontal = IsHorizontal();
    const RECT halves[] = {horizontal ? RECT{0, 0, width / 2, height} : RECT{0, 0, width, height / 2},
                           horizontal ? RECT{width / 2, 0, width, height} : RECT{0, height / 2, width, height}};
    const TDataSkinBorder* art = (horizontal ? SkinData->UpDownHorz : SkinData->UpDownVert).get();
    const bool fromSkin = art && !art->Bitmap->Empty();
    for (const TSpinHalf half : {shFirst, shSecond}) {
        const TSpinFrame state = HalfState(half);
        // Up and left take frames 1-4, down and right 5-8.
        if (fromSkin)
            DrawHalfFromSkin(offscreen.DC(), halves[half], state + 4 * half);
        else
            DrawHalfFallback(offscreen.DC(), halves[half], half, state);
    }
    offscreen.CopyTo(dc, area.left, area.top);
}

void TSkinUpDown::DrawHalfFromSkin(HDC dc, const RECT& half, int frame) const {
    const TDataSkinBorder& art = *(IsHorizontal() ? SkinData->UpDownHorz : SkinData->UpDownVert);
    const int frames = std::max(art.Frame, 1);
    DrawStripFrame(dc, half, frames, frame, *art.Bitmap);
    if (art.Bitmap2->Empty()) return;
    const int glyphWidth = art.Bitmap2->Width() / frames, glyphHeight = art.Bitmap2->Height();
    const int left = half.left + (half.right - half.left - glyphWidth) / 2;
    const int top = half.top + (half.bottom - half.top - glyphHeight) / 2;
    StretchFrame(dc, RECT{left, top, left + glyphWidth, top + glyphHeight}, *art.Bitmap2, true, frames, frame);
}

void TSkinUpDown::DrawHalfFallback(HDC dc, const RECT& half, TSpinHalf which, TSpinFrame state) const {
    const COLORREF line = ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonDkShadow]));
    const COLORREF fill = ColorToRGB(static_cast<TColor>(
        SkinData->Colors[state == sfPressed || state == sfHot ? ciButtonShadow : ciButtonFace]));
    TPenHandle pen(CreatePen(PS_SOLID, 1, line));
    TBrushHandle brush(CreateSolidBrush(fill));
    TBrushHandle arrowBrush(CreateSolidBrush(line));
    TSelectObject selectPen(dc, pen.get());
    {
        TSelectObject selectBrush(dc, brush.get());
        Rectangle(dc, half.left, half.top, half.right, half.bottom);
    }
    const bool horizontal = IsHorizontal();
    const int cx = (half.left + half.right) / 2;
    const int cy = (half.top + half.bottom) / 2 - (horizontal ? 0 : 2);
    // A small triangle pointing the half's way: up or left for the first, down or right for the second.
    const int towards = which == shFirst ? -1 : 1;
    const int apex = 2 * towards, base = -towards;
    POINT points[3];
    if (horizontal)
        points[0] = {cx + apex, cy}, points[1] = {cx + base, cy - 3}, points[2] = {cx + base, cy + 3};
    else
        points[0] = {cx, cy + apex}, points[1] = {cx - 3, cy + base}, points[2] = {cx + 3, cy + base};
    TSelectObject selectArrow(dc, arrowBrush.get());
    Polygon(dc, points, 3);
}

}  // namespace velloran
