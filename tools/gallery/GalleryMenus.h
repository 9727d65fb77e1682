#pragma once
// The gallery's menus: the main form's menu bar and context menu with every kind of item the skin draws, and the
// items the other pages' menus are made of.
#include <string>

#include "framework/Menus.h"

namespace velloran {

class TGalleryMainForm;

// An item owned by `owner` at the end of `parent`.
TMenuItem* AddMenuItem(TComponent& owner, TMenuItem& parent, const std::string& caption, TNotifyEvent onClick = nullptr);

// The main form's menu: pages and boxes (a submenu), checked items with and without an image, a
// default item, a disabled one, shortcuts and separators.
TMainMenu* MakeGalleryMenu(TGalleryMainForm& form);

// The context menu of the main form's client area: the pages in a submenu, checked items with
// and without an image (from `images`), the default item with its shortcut, a disabled item and
// separators.
TPopupMenu* MakeGalleryContextMenu(TGalleryMainForm& form, TImageList* images);

}  // namespace velloran
