#include "skin/form/MenuOwnerDraw.h"

#include <functional>

#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/MenuItemPaint.h"

namespace velloran {

namespace {

// A rich-edit form of a third-party library draws its own menus.
constexpr char kOwnMenusForm[] = "TwwRichEditForm";

TMenuDrawItemEvent SkinDraw(const TSkinData& skin) {
    return [&skin](TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
        DrawMenuItem(skin, canvas->Handle(), *static_cast<TMenuItem*>(sender), rect, selected);
    };
}

TMenuMeasureItemEvent MainMeasure(const TSkinData& skin) {
    return [&skin](TObject* sender, TCanvas* canvas, int& width, int& height) {
        MeasureMainItem(skin, *static_cast<TMenuItem*>(sender), canvas->Handle(), width, height);
    };
}

// Every menu of the class among the components of the form, of its owned forms and of the
// frames on it.
template <class TKind>
void ForEachMenu(TComponent& owner, const std::function<void(TKind&)>& visit) {
    for (TComponent* component : owner.ComponentList()) {
        if (auto* menu = dynamic_cast<TKind*>(component))
            visit(*menu);
        else if (dynamic_cast<TWinControl*>(component) && component->ComponentCount() > 0)
            ForEachMenu(*component, visit);
    }
}

// Depth 1 is a top-level item of the menu.
void ForEachItem(TMenuItem& parent, int depth, const std::function<void(TMenuItem&, int)>& visit) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        visit(item, depth);
        ForEachItem(item, depth + 1, visit);
    }
}

}  // namespace

void SetItemsOwnerDraw(const TSkinData& skin, TMenuItem* item, bool on) {
    if (!item) return;
    if (on) {
        item->OnDrawItem = SkinDraw(skin);
        item->OnMeasureItem = MainMeasure(skin);
    } else {
        item->OnDrawItem = nullptr;
    }
    for (int i = 0; i < item->Count(); ++i) SetItemsOwnerDraw(skin, item->Items(i), on);
}

void SetMenusOwnerDraw(const TSkinData& skin, TComponent& form, bool on) {
    if (form.ClassName() == kOwnMenusForm || !(skin.SkinControls() & SkinBit(xcPopupMenu))) return;
    ForEachMenu<TPopupMenu>(form, [&](TPopupMenu& menu) {
        if (menu.Tag() == skin.DisableTag()) return;
        ForEachItem(*menu.Items(), 1, [&](TMenuItem& item, int) {
            if (!on) {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
                return;
            }
            item.OnDrawItem = SkinDraw(skin);
            if (!item.OnMeasureItem)
                item.OnMeasureItem = [&skin](TObject* sender, TCanvas*, int& width, int&) {
                    MeasurePopupItem(skin, *static_cast<TMenuItem*>(sender), width);
                };
        });
        menu.SetOwnerDraw(on);
    });
}

void SetMainMenusOwnerDraw(const TSkinData& skin, TComponent& form, bool on) {
    ForEachMenu<TMainMenu>(form, [&](TMainMenu& menu) {
        ForEachItem(*menu.Items(), 1, [&](TMenuItem& item, int depth) {
            if (!on) {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
            } else if (depth >= 2 && !item.OnDrawItem) {
                item.OnDrawItem = SkinDraw(skin);
                item.OnMeasureItem = MainMeasure(skin);
            }
        });
        menu.SetOwnerDraw(on);
    });
}

}  // namespace velloran
