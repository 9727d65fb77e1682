#include "skin/controls/SkinTabSet.h"

#include <string>

#include "framework/TypInfo.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// A tab is its caption's width and this much more.
constexpr int kTabPadding = 9;
// What must stay free after the last tab: a little, or room for the scroller as well.
constexpr int kEndRoom = 9;
constexpr int kScrollerRoom = 21;
enum TTabFrame : int { tfNormal = 1, tfSelected = 2 };
}  // namespace

const TClassInfo& TSkinTab31::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinTab31>("TSkinTab31", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

void TSkinTab31::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool, TCanvas* canvas) {
    auto* tabSet = dynamic_cast<TWinControl*>(Owner());
    if (Attached || !tabSet) return;
    InitSkinHandle(tabSet->Handle(), skinData, form, canvas);
    PrepareImage();
    if (TWinControl* scroller = Scroller()) SkinTabArrows(form, scroller->Handle(), skinData, canvas);
}

void TSkinTab31::SkinChanged() {
    PrepareImage();
    TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
    tabImage_.SetSize(0, 0);
    if (!SkinData->Tabs) return;
    tabImage_.Assign(*SkinData->Tabs->Bitmap);
    if (!tabImage_.Empty()) FlipBitmap(tabImage_);
}

TWinControl* TSkinTab31::Scroller() const {
    const TComponent* tabSet = Owner();
    if (!tabSet || tabSet->ComponentCount() == 0) return nullptr;
    auto* first = dynamic_cast<TWinControl*>(tabSet->Components(0));
    return first && ControlClassName(*first) == "TTabScroller" ? first : nullptr;
}

bool TSkinTab31::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        // The tab set's own painter is not asked: it would draw its own look over a DC that came
        // with the message.
        case WM_PAINT:
        case WM_ERASEBKGND:
            PaintWithoutErase(m);
            return false;
        default:
            return TSkinControl::BeforeProc(m);
    }
}

void TSkinTab31::PaintControl(HDC dc, const RECT& rect) {
    const TPersistent* tabSet = Owner();
    const TPropInfo* tabsProp = GetPropInfo(*tabSet, "Tabs");
    const std::vector<std::string> tabs = tabsProp ? tabsProp->Get(*tabSet).Lines : std::vector<std::string>{};
    const int first = static_cast<int>(std::max<int64_t>(GetPropOrd(tabSet, "FirstIndex"), 0));
    const int selected = static_cast<int>(GetPropOrd(tabSet, "TabIndex"));
    const int startMargin = static_cast<int>(std::max<int64_t>(GetPropOrd(tabSet, "StartMargin"), 0));
    const int endMargin = static_cast<int>(std::max<int64_t>(GetPropOrd(tabSet, "EndMargin"), 0));
    const TWinControl* scroller = Scroller();
    const int endRoom = scroller && scroller->Visible() ? kScrollerRoom : kEndRoom;

    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    const HDC paint = off.DC();
    FillColour(paint, rect, SkinBackground());
    auto* font = dynamic_cast<TFont*>(GetPropObject(tabSet, "Font"));
    TSelectObject selectFont(paint, font ? font->Handle() : ControlFont());
    tabRects_.clear();
    const TDataSkinBorder* art = SkinData->Tabs.get();
    int x = startMargin;
    for (int i = first; i < static_cast<int>(tabs.size()); ++i) {
        const std::wstring text = AnsiToWide(tabs[static_cast<size_t>(i)]);
        SIZE extent{};
        GetTextExtentPoint32W(paint, text.c_str(), static_cast<int>(text.size()), &extent);
        const int width = extent.cx + kTabPadding;
        if (x + width + endRoom > rect.right - endMargin) break;
        const RECT tab{x, 0, x + width, rect.bottom};
        tabRects_.push_back(tab);
        x += width;
        if (!art || tabImage_.Empty()) continue;
        const int frame = i == selected ? tfSelected : tfNormal;
        DrawSkinObject(paint, tab, tabImage_, false, art->Tile == 1, art->Trans == 1, art->Frame, frame, art->Margins());
        SetTextColor(paint, ColorToRGB(static_cast<TColor>(frame == tfSelected ? art->MouseOverColour2 : art->NormalColour2)));
        DrawMultiLineCaption(paint, text, tab, DT_CENTER, Enabled);
    }
    off.CopyTo(dc, rect.left, rect.top);
}

}  // namespace velloran
