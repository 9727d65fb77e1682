#pragma once
// Hands menu items to the skin's item painters through their draw and measure events, and takes
// them back.
namespace velloran {

class TComponent;
class TMenuItem;
class TSkinData;

// The item and all its sub-items: on gives them the skin's draw and main-menu measure events;
// off clears the draw event (a measure event only sizes the item, it paints nothing).
void SetItemsOwnerDraw(const TSkinData& skin, TMenuItem* item, bool on);
// The popup menus of the form (and of its owned forms and frames), when the skin paints popup
// menus and the menu's Tag is not the skin's DisableTag: owner-drawn by the skin, or given back.
void SetMenusOwnerDraw(const TSkinData& skin, TComponent& form, bool on);
// The main menus of the form: the items of their drop-downs owner-drawn by the skin, or given back.
void SetMainMenusOwnerDraw(const TSkinData& skin, TComponent& form, bool on);

}  // namespace velloran
