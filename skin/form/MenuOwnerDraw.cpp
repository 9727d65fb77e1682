#include "skin/form/MenuOwnerDraw.h"

#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "skin/form/MenuItemPaint.h"

namespace velloran {

void SetItemsOwnerDraw(const TSkinData& skin, TMenuItem* item, bool on) {
    if (!item) return;
    if (on) {
        item->OnDrawItem = [&skin](TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
            DrawMenuItem(skin, canvas->Handle(), *static_cast<TMenuItem*>(sender), rect, selected);
        };
        item->OnMeasureItem = [&skin](TObject* sender, TCanvas* canvas, int& width, int& height) {
            MeasureMainItem(skin, *static_cast<TMenuItem*>(sender), canvas->Handle(), width, height);
        };
    } else {
        item->OnDrawItem = nullptr;
    }
    for (int i = 0; i < item->Count(); ++i) SetItemsOwnerDraw(skin, item->Items(i), on);
}

}  // namespace velloran
