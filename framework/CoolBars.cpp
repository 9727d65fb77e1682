#include "framework/CoolBars.h"

#include <commctrl.h>

#include <algorithm>

namespace velloran {

const TClassInfo& TCoolBar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TCoolBar>("TCoolBar", &TWinControl::StaticClassInfo());
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 75;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_COOL_CLASSES};
    InitCommonControlsEx(&classes);
}

void TCoolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = REBARCLASSNAMEA;
    // The bar keeps the place and size it is given.
    p.Style |= RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPCHILDREN;
}

void TCoolBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    REBARINFO info{sizeof info};
    SendMessageW(handle_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    for (int i = 0; i < BandCount(); ++i) InsertBand(i);
}

void TCoolBar::AddBand(const TCoolBand& band) {
    bands_.push_back(band);
    if (band.Control) band.Control->SetParent(this);
    if (HandleAllocated()) InsertBand(BandCount() - 1);
}

void TCoolBar::InsertBand(int index) {
    const TCoolBand& band = bands_[static_cast<size_t>(index)];
    REBARBANDINFOA info{};
    info.cbSize = REBARBANDINFOA_V3_SIZE;
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_SIZE | RBBIM_COLORS | RBBIM_CHILDSIZE | RBBIM_CHILD;
    info.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (band.Break ? RBBS_BREAK : 0);
    info.lpText = const_cast<char*>(band.Text.c_str());
    info.cx = band.Width;
    info.clrFore = ColorToRGB(band.TextColor);
    info.clrBack = ColorToRGB(band.Color);
    info.hwndChild = band.Control ? band.Control->Handle() : nullptr;
    info.cyMinChild = band.Control ? std::max(band.MinHeight, band.Control->Height()) : band.MinHeight;
    info.cxMinChild = band.Control ? band.Control->Width() / 2 : 0;
    SendMessageA(handle_, RB_INSERTBANDA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TCoolBar::SetBandColors(int index, TColor color, TColor textColor) {
    TCoolBand& band = bands_.at(static_cast<size_t>(index));
    band.Color = color;
    band.TextColor = textColor;
    if (!HandleAllocated()) return;
    REBARBANDINFOA info{};
    info.cbSize = REBARBANDINFOA_V3_SIZE;
    info.fMask = RBBIM_COLORS;
    info.clrFore = ColorToRGB(textColor);
    info.clrBack = ColorToRGB(color);
    SendMessageA(handle_, RB_SETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    InvalidateRect(handle_, nullptr, TRUE);
}

RECT TCoolBar::BandRect(int index) {
    RECT rect{};
    if (HandleAllocated()) SendMessageW(handle_, RB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TCoolBar::WndProc(TMessage& m) {
    if (m.Msg != WM_ERASEBKGND) {
        TWinControl::WndProc(m);
        return;
    }
    // The bar under its bands, then each band in its colour, whatever look the system gives bars.
    const HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintBackground(dc);
    for (int i = 0; i < BandCount(); ++i) {
        const RECT rect = BandRect(i);
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(bands_[static_cast<size_t>(i)].Color)));
        FillRect(dc, &rect, brush.get());
    }
    m.Result = 1;
}

void RegisterCoolBars() { RegisterComponentClass(TCoolBar::StaticClassInfo()); }

}  // namespace velloran
