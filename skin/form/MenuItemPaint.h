#pragma once
// Menu items drawn and measured from the skin: the item strip of the skin's MenuItem object
// (frame 1 normal, 2 separator, 4 selected) under the glyph, caption and shortcut, in the skin's
// menu colours; a skin without that object gets flat items in its colours. Items come either as
// the application's menu item objects or as raw items of a menu handle that has no objects (the
// system menu and its commands).
#include <windows.h>

#include <string>

namespace velloran {

class TImageList;
class TMenuItem;
class TSkinData;

// What the painter needs to know of one item, whichever kind it came from.
struct TMenuItemLook {
    std::string Caption;   // "-" is a separator
    std::string ShortCut;  // drawn at the right; empty for none
    bool Enabled = true;
    bool Checked = false;
    bool Default = false;
    const TImageList* Images = nullptr;
    int ImageIndex = -1;
    bool IsLine() const { return Caption == "-"; }
    bool operator==(const TMenuItemLook&) const = default;
};

TMenuItemLook LookOf(const TMenuItem& item);
// The raw item of the menu with the command; a separator when it has no text.
TMenuItemLook RawItemLook(HMENU menu, UINT command);
// The framework's shortcut word (Shift 0x2000, Ctrl 0x4000, Alt 0x8000 over the virtual key) as
// menus show it, "Ctrl+S"; empty for 0.
std::string ShortCutText(int shortCut);

// The screen's menu font, plain or bold (for the default item).
HFONT MenuFont(bool bold = false);

// Width added to an item's own measure: popup menus and system-menu items.
void MeasurePopupItem(const TSkinData& skin, const TMenuItem& item, int& width);
// The item's own measuring (its measure event left out), widened for the skin: drop-downs of
// main menus.
void MeasureMainItem(const TSkinData& skin, TMenuItem& item, HDC dc, int& width, int& height);
// A raw item: its text in the menu font, the height the system proposed grown a little.
void MeasureRawItem(const TSkinData& skin, HMENU menu, UINT command, int& width, int& height);

// The menu among the menu and its submenus that holds the command; null when none does.
HMENU MenuHolding(HMENU menu, UINT command);
// The platform menu the item is shown in; null while its menu has not been built.
HMENU ParentMenuHandle(const TMenuItem& item);

// The item lies on its part of the background of the skinned popup showing its menu (the
// manager is told which popup that is first), else on the skin's menu colour.
void DrawMenuItem(const TSkinData& skin, HDC dc, const TMenuItem& item, const RECT& rect, bool selected);
void DrawRawItem(const TSkinData& skin, HDC dc, HMENU menu, UINT command, const RECT& rect, bool selected);
void DrawPlainItem(const TSkinData& skin, HDC dc, const TMenuItemLook& look, const RECT& rect, bool selected);

}  // namespace velloran
