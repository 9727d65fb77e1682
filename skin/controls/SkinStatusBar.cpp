#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include "framework/StatusBars.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// Room between a panel's edges and its text.
constexpr int kTextInset = 2;
// Each panel's own rectangle leaves out the gap the system puts between panels.
constexpr int kPanelWidening = 2;

// Every status bar is painted in this one bitmap: bars are painted one at a time, on the UI thread.
TOffscreen& SharedOffscreen(HDC like, int width, int height) {
    static std::unique_ptr<TOffscreen> shared;
    if (!shared || !shared->HasSize(width, height)) shared = std::make_unique<TOffscreen>(like, width, height);
    return *shared;
}

TStatusEdgeFrame EdgeOfBevel(TStatusPanelBevel bevel) {
    return bevel == pbRaised ? seRaised : bevel == pbNone ? seFlat : seLowered;
}

UINT AlignmentFlag(TAlignment alignment, bool rightToLeft) {
    if (alignment == taCenter) return DT_CENTER;
    const bool right = (alignment == taRightJustify) != rightToLeft;
    return right ? DT_RIGHT : DT_LEFT;
}

// A text the system would draw as nothing still takes a blank, as the bar's own painter does.
std::wstring OrBlank(std::wstring text) { return text.empty() ? std::wstring(L" ") : text; }
}  // namespace

const TClassInfo& TSkinStatusBar::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinStatusBar>("TSkinStatusBar", &TSkinControl::StaticClassInfo());
    return info;
}

RECT TSkinStatusBar::GripPlace(const RECT& bar, SIZE grip) {
    return {bar.right - 1 - grip.cx, bar.bottom - 1 - grip.cy, bar.right - 1, bar.bottom - 1};
}

bool TSkinStatusBar::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_ERASEBKGND:
            PaintWithoutErase(m);
            return false;
        default:
            return TSkinControl::BeforeProc(m);
    }
}

bool TSkinStatusBar::RightToLeft() const {
    if (Control) return Control->UseRightToLeftReading();
    return (GetWindowLongPtrW(Window, GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
}

bool TSkinStatusBar::SimpleMode() const {
    if (PropIs(Control, "SimplePanel", "True")) return true;
    if (SendMessageW(Window, SB_ISSIMPLE, 0, 0)) return true;
    return SendMessageW(Window, SB_GETPARTS, 0, 0) <= 0;
}

std::wstring TSkinStatusBar::SimpleText() const {
    if (Control) return GetPropText(Control, "SimpleText");
    const auto length = LOWORD(SendMessageW(Window, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(Window, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

std::vector<TStatusPanelLook> TSkinStatusBar::Panels() const {
    std::vector<TStatusPanelLook> looks;
    if (auto* bar = dynamic_cast<TStatusBar*>(Control)) {
        for (int i = 0; i < bar->PanelCount(); ++i) {
            const TStatusPanel& panel = *bar->Panels(i);
            looks.push_back({AnsiToWide(panel.Text()), EdgeOfBevel(panel.Bevel()),
                             AlignmentFlag(panel.Alignment(), panel.UseRightToLeftAlignment() || RightToLeft()),
                             panel.Style() == psOwnerDraw});
        }
        return looks;
    }
    // A bar without panel objects: the window knows each panel's text and bevel.
    const int count = static_cast<int>(SendMessageW(Window, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT lengthAndType = SendMessageW(Window, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
        const UINT type = HIWORD(lengthAndType);
        TStatusPanelLook look;
        look.OwnerDraw = (type & SBT_OWNERDRAW) != 0;
        look.Edge = (type & SBT_POPOUT) ? seRaised : (type & SBT_NOBORDERS) ? seFlat : seLowered;
        look.Alignment = RightToLeft() ? DT_RIGHT : DT_LEFT;
        if (!look.OwnerDraw) {
            std::wstring text(LOWORD(lengthAndType) + 1u, L'\0');
            SendMessageW(Window, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            text.resize(LOWORD(lengthAndType));
            look.Text = std::move(text);
        }
        looks.push_back(std::move(look));
    }
    return looks;
}

void TSkinStatusBar::DrawEdges(HDC dc, const RECT& rect, TStatusEdgeFrame frame) {
    TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    if (edges && !edges->Bitmap->Empty()) DrawSkinFrame(dc, rect, edges->Frame, frame, *edges);
}

void TSkinStatusBar::PaintControl(HDC dc, const RECT& rect) {
    TOffscreen& off = SharedOffscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    const HDC paint = off.DC();
    FillColour(paint, rect, SkinBackground());
    TSelectObject font(paint, ControlFont());
    const TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    SetTextColor(paint, edges ? ColorToRGB(static_cast<TColor>(edges->NormalColour2)) : FontColour());
    SetBkMode(paint, TRANSPARENT);
    if (SimpleMode())
        PaintSimple(paint, rect);
    else
        PaintPanels(paint, rect);
    if (WindowStyle() & SBARS_SIZEGRIP) PaintGrip(paint, rect);
    off.CopyTo(dc, rect.left, rect.top);
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(dc);
}

void TSkinStatusBar::PaintSimple(HDC dc, const RECT& rect) {
    DrawEdges(dc, rect, seLowered);
    RECT text{rect.left + kTextInset, rect.top, rect.right - kTextInset, rect.bottom};
    const UINT alignment = RightToLeft() ? DT_RIGHT : DT_LEFT;
    SkinDrawText(dc, OrBlank(SimpleText()), text, TextFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | alignment));
}

void TSkinStatusBar::PaintPanels(HDC dc, const RECT& rect) {
    const std::vector<TStatusPanelLook> panels = Panels();
    auto* bar = dynamic_cast<TStatusBar*>(Control);
    for (size_t i = 0; i < panels.size(); ++i) {
        RECT place{};
        if (!SendMessageW(Window, SB_GETRECT, i, reinterpret_cast<LPARAM>(&place))) continue;
        place.right += kPanelWidening;
        if (i + 1 == panels.size()) place.right = rect.right;
        const TStatusPanelLook& panel = panels[i];
        DrawEdges(dc, place, panel.Edge);
        if (panel.OwnerDraw) {
            // The owner draws the contents over the skin's panel.
            if (bar && static_cast<int>(i) < bar->PanelCount()) bar->DrawPanel(*bar->Panels(static_cast<int>(i)), dc, place);
            continue;
        }
        RECT text{place.left + kTextInset, place.top, place.right - kTextInset, place.bottom};
        SkinDrawText(dc, OrBlank(panel.Text), text,
                     TextFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | panel.Alignment));
    }
}

void TSkinStatusBar::PaintGrip(HDC dc, const RECT& rect) {
    TDataSkinObject* extra = SkinData->ExtraImages.get();
    if (!extra || extra->Bitmap->Empty() || extra->Frame < kSizeGripFrame) return;
    const SIZE grip{extra->Bitmap->Width() / extra->Frame, extra->Bitmap->Height()};
    DrawStripFrame(dc, GripPlace(rect, grip), extra->Frame, kSizeGripFrame, *extra->Bitmap);
}

}  // namespace velloran
