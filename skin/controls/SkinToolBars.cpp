#include "skin/controls/SkinToolBars.h"

#include <algorithm>

#include "framework/Menus.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/MenuOwnerDraw.h"
#include "skin/form/ToolbarDraw.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

const TClassInfo& TSkinToolBarBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinToolBarBox>("TSkinToolBarBox", &TSkinBox::StaticClassInfo());
    return info;
}

void TSkinToolBarBox::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinBox::InitSkin(form, skinData, useSkinColour, canvas);
    auto* bar = dynamic_cast<TToolBar*>(Control);
    if (!Attached || !bar) return;
    savedFlat_ = bar->Flat();
    savedDraw_ = bar->OnCustomDraw;
    savedDrawButton_ = bar->OnCustomDrawButton;
    savedFontColour_ = bar->Font()->Color();
    bar->SetFlat(true);
    bar->Font()->SetColor(static_cast<TColor>(skinData->Colors[ciButtonText]));
    TSkinData* skin = skinData;
    bar->OnCustomDraw = [skin](TToolBar* sender, const RECT& rect, bool&) {
        PaintToolbarBackground(*skin, sender->Canvas().Handle(), rect);
    };
    TWinSkinForm* painter = form;
    bar->OnCustomDrawButton = [painter](TToolBar* sender, TToolButton*, const NMTBCUSTOMDRAW& draw, uint32_t& flags,
                                        bool&) {
        if (PaintToolbarButton(*painter, draw, sender->Canvas())) flags |= tdNoEdges | tdNoBackground;
    };
    LendMenus(*bar);
    lent_ = true;
    bar->Invalidate();
}

void TSkinToolBarBox::LendMenus(TToolBar& bar) {
    for (int i = 0; i < bar.ButtonCount(); ++i) {
        TPopupMenu* menu = bar.Buttons(i)->DropdownMenu();
        if (!menu || std::any_of(lentMenus_.begin(), lentMenus_.end(), [menu](const TLentMenu& lent) { return lent.Menu == menu; }))
            continue;
        lentMenus_.push_back({menu, menu->OwnerDraw()});
        SetItemsOwnerDraw(*SkinData, menu->Items(), true);
        menu->SetOwnerDraw(true);
    }
}

void TSkinToolBarBox::RestoreControl() {
    TSkinBox::RestoreControl();
    auto* bar = dynamic_cast<TToolBar*>(Control);
    if (!lent_ || !bar) return;
    lent_ = false;
    bar->OnCustomDraw = savedDraw_;
    bar->OnCustomDrawButton = savedDrawButton_;
    // A menu freed since keeps nothing to give back: only those the bar still offers are reached.
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        TPopupMenu* menu = bar->Buttons(i)->DropdownMenu();
        const auto lent = std::find_if(lentMenus_.begin(), lentMenus_.end(), [menu](const TLentMenu& m) { return m.Menu == menu; });
        if (!menu || lent == lentMenus_.end()) continue;
        SetItemsOwnerDraw(*SkinData, menu->Items(), false);
        menu->SetOwnerDraw(lent->OwnerDraw);
        lentMenus_.erase(lent);
    }
    lentMenus_.clear();
    if (State != sgWindowDestroyed) {
        bar->Font()->SetColor(savedFontColour_);
        bar->SetFlat(savedFlat_);
        bar->Invalidate();
    }
}

void TSkinToolBarBox::SkinChanged() {
    TSkinBox::SkinChanged();
    if (lent_ && Control) Control->Font()->SetColor(static_cast<TColor>(SkinData->Colors[ciButtonText]));
    if (Control) Control->Invalidate();
}

const TClassInfo& TSkinCoolBarBands::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinCoolBarBands>("TSkinCoolBarBands", &TSkinControl::StaticClassInfo());
    return info;
}

void TSkinCoolBarBands::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!Attached || !bar) return;
    for (int i = 0; i < bar->BandCount(); ++i) savedColours_.push_back({bar->Bands(i).Color, bar->Bands(i).TextColor});
    ColourBands();
}

void TSkinCoolBarBands::ColourBands() {
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!bar) return;
    const auto text = static_cast<TColor>(ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonText])));
    for (int i = 0; i < bar->BandCount(); ++i) bar->SetBandColors(i, static_cast<TColor>(SkinBackground()), text);
}

void TSkinCoolBarBands::RestoreControl() {
    TSkinControl::RestoreControl();
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!bar || State == sgWindowDestroyed) return;
    const int count = std::min(bar->BandCount(), static_cast<int>(savedColours_.size()));
    for (int i = 0; i < count; ++i) {
        const TBandColours& saved = savedColours_[static_cast<size_t>(i)];
        bar->SetBandColors(i, saved.Back, saved.Text);
    }
    savedColours_.clear();
}

void TSkinCoolBarBands::SkinChanged() {
    ColourBands();
    TSkinControl::SkinChanged();
}

}  // namespace velloran
