#include "framework/StatusBars.h"

#include <commctrl.h>

namespace velloran {

const TEnumInfo StatusPanelBevelEnum{{"pbNone", "pbLowered", "pbRaised"}};
const TEnumInfo StatusPanelStyleEnum{{"psText", "psOwnerDraw"}};

const TClassInfo& TStatusPanel::StaticClassInfo() {
    using C = TStatusPanel;
    static const TClassInfo info = DefineClass<C>(
        "TStatusPanel", &TPersistent::StaticClassInfo(),
        {props::String("Text", &C::Text, &C::SetText), props::Int("Width", &C::Width, &C::SetWidth),
         props::Enum("Bevel", StatusPanelBevelEnum, &C::Bevel, &C::SetBevel),
         props::Enum("Alignment", AlignmentEnum, &C::Alignment, &C::SetAlignment),
         props::Enum("Style", StatusPanelStyleEnum, &C::Style, &C::SetStyle),
         props::Enum("BiDiMode", BiDiModeEnum, &C::BiDiMode, &C::SetBiDiMode)});
    return info;
}

const TClassInfo& TStatusBar::StaticClassInfo() {
    using C = TStatusBar;
    static const TClassInfo info =
        DefineClass<C>("TStatusBar", &TWinControl::StaticClassInfo(),
                       {props::Bool("SimplePanel", &C::SimplePanel, &C::SetSimplePanel),
                        props::String("SimpleText", &C::SimpleText, &C::SetSimpleText),
                        props::Bool("SizeGrip", &C::SizeGrip, &C::SetSizeGrip)});
    return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 20;
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = STATUSCLASSNAMEA;
    // Placed by its bounds like any control, not pinned to the parent's bottom by the system.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (sizeGrip_ ? SBARS_SIZEGRIP : 0);
}

void TStatusBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    PanelsChanged();
}

void TStatusBar::BiDiModeChanged() {
    TWinControl::BiDiModeChanged();
    PanelsChanged();
}

TStatusPanel* TStatusBar::AddPanel(const std::string& text, int width) {
    panels_.push_back(std::make_unique<TStatusPanel>(*this));
    TStatusPanel* panel = panels_.back().get();
    panel->SetWidth(width);
    panel->SetText(text);
    return panel;
}

void TStatusBar::SetSimplePanel(bool value) {
    simplePanel_ = value;
    PanelsChanged();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    PanelsChanged();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value) return;
    sizeGrip_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TStatusBar::PanelsChanged() {
    if (!handle_) return;
    const bool simple = simplePanel_ || panels_.empty();
    SendMessageA(handle_, SB_SIMPLE, simple ? TRUE : FALSE, 0);
    const UINT readingOrder = UseRightToLeftReading() ? SBT_RTLREADING : 0;
    if (simple) {
        SendMessageA(handle_, SB_SETTEXTA, SB_SIMPLEID | readingOrder, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    } else {
        std::vector<int> edges;
        int right = 0;
        for (const auto& panel : panels_) edges.push_back(right += panel->Width());
        // The last panel reaches the bar's right end.
        edges.back() = -1;
        SendMessageA(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        for (size_t i = 0; i < panels_.size(); ++i) {
            const TStatusPanel& panel = *panels_[i];
            const UINT bevel = panel.Bevel() == pbNone ? SBT_NOBORDERS : panel.Bevel() == pbRaised ? SBT_POPOUT : 0;
            const UINT drawn = panel.Style() == psOwnerDraw ? SBT_OWNERDRAW : 0;
            const UINT reading = panel.BiDiMode() != bdLeftToRight ? SBT_RTLREADING : readingOrder;
            const std::string text = panel.Text();
            const LPARAM data = drawn ? reinterpret_cast<LPARAM>(&panel) : reinterpret_cast<LPARAM>(text.c_str());
            SendMessageA(handle_, SB_SETTEXTA, i | bevel | drawn | reading, data);
        }
    }
    Invalidate();
}

void TStatusBar::DrawPanel(TStatusPanel& panel, HDC dc, const RECT& rect) {
    if (OnDrawPanel) OnDrawPanel(this, &panel, dc, rect);
}

void TStatusBar::WndProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (item->itemID < panels_.size()) DrawPanel(*panels_[item->itemID], item->hDC, item->rcItem);
        m.Result = TRUE;
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace velloran
