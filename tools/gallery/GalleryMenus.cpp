#include "tools/gallery/GalleryMenus.h"

#include <windows.h>

#include "framework/ImgList.h"
#include "tools/gallery/GalleryBoxes.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/GalleryPages.h"

namespace velloran {

namespace {

constexpr int kImageSize = 16;
constexpr int kShiftAlt = 0x8000;
constexpr TColor kImageKey = clFuchsia;

// A small grid picture for the menu's image list, on the key colour.
TImageList* MakeMenuImages(TComponent& owner) {
    auto* images = new TImageList(&owner);
    images->SetSize(kImageSize, kImageSize);
    TBitmap grid;
    grid.SetSize(kImageSize, kImageSize);
    TCanvas& canvas = grid.Canvas();
    canvas.Brush()->SetColor(kImageKey);
    canvas.FillRect({0, 0, kImageSize, kImageSize});
    canvas.Brush()->SetColor(static_cast<TColor>(0x00B07820));
    for (int cell = 0; cell < 4; ++cell) {
        const int x = 2 + (cell % 2) * 7, y = 2 + (cell / 2) * 7;
        canvas.FillRect({x, y, x + 5, y + 5});
    }
    images->AddMasked(grid, kImageKey);
    return images;
}

TMenuItem* AddToggle(TComponent& owner, TMenuItem& parent, const std::string& caption, int imageIndex) {
    TMenuItem* item = AddMenuItem(owner, parent, caption);
    item->SetChecked(true);
    item->SetImageIndex(imageIndex);
    item->OnClick = [item](TObject*) { item->SetChecked(!item->Checked()); };
    return item;
}

// One item per page, each opening its page.
void AddPageItems(TGalleryMainForm& form, TMenuItem& parent) {
    for (const TGalleryPage& page : GalleryPages())
        AddMenuItem(form, parent, page.Caption, [&form, name = page.Name](TObject*) { form.OpenPage(name); });
}

// The default item: repaints the form, F5 shown as its shortcut.
void AddRefreshItem(TGalleryMainForm& form, TMenuItem& parent) {
    TMenuItem* refresh = AddMenuItem(form, parent, "&Refresh", [&form](TObject*) { form.Invalidate(); });
    refresh->SetShortCut(VK_F5);
    refresh->SetDefault(true);
}

}  // namespace

TMenuItem* AddMenuItem(TComponent& owner, TMenuItem& parent, const std::string& caption, TNotifyEvent onClick) {
    auto* item = new TMenuItem(&owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent.Add(item);
    return item;
}

TMainMenu* MakeGalleryMenu(TGalleryMainForm& form) {
    auto* menu = new TMainMenu(&form);
    menu->SetImages(MakeMenuImages(form));
    TMenuItem& bar = *menu->Items();

    TMenuItem* pages = AddMenuItem(form, bar, "&Pages");
    AddPageItems(form, *pages);
    AddMenuItem(form, *pages, "-");
    TMenuItem* boxes = AddMenuItem(form, *pages, "Platform &boxes");
    for (const TGalleryBox& box : GalleryBoxes()) AddMenuItem(form, *boxes, box.Caption, [show = box.Show](TObject*) { show(); });
    AddMenuItem(form, *pages, "-");
    AddMenuItem(form, *pages, "E&xit", [&form](TObject*) { form.Close(); })->SetShortCut(kShiftAlt | VK_F4);

    TMenuItem* view = AddMenuItem(form, bar, "&View");
    AddToggle(form, *view, "&Status line", -1);
    AddToggle(form, *view, "&Grid", 0);
    AddMenuItem(form, *view, "-");
    AddRefreshItem(form, *view);
    AddMenuItem(form, *view, "&Locked layout")->SetEnabled(false);

    TMenuItem* help = AddMenuItem(form, bar, "&Help");
    AddMenuItem(form, *help, "&About the gallery", [&form](TObject*) {
        MessageBoxA(form.Handle(), "The skin engine's windows and controls, page by page.", "Velloran Gallery",
                    MB_OK | MB_ICONINFORMATION);
    });
    return menu;
}

TPopupMenu* MakeGalleryContextMenu(TGalleryMainForm& form, TImageList* images) {
    auto* menu = new TPopupMenu(&form);
    menu->SetImages(images);
    TMenuItem& items = *menu->Items();
    AddPageItems(form, *AddMenuItem(form, items, "&Open page"));
    AddMenuItem(form, items, "-");
    AddToggle(form, items, "Show &hints", -1);
    AddToggle(form, items, "Snap to &grid", 0);
    AddMenuItem(form, items, "-");
    AddRefreshItem(form, items);
    AddMenuItem(form, items, "&Arrange pages")->SetEnabled(false);
    return menu;
}

}  // namespace velloran
