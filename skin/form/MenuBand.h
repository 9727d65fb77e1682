#pragma once
// The menu band of a skinned window with a menu: the window's own menu bar is taken away (its
// place is inside the skinned frame), so the band shows the menu's top-level items on the skin's
// face colour, opens their menus, and carries a maximised MDI child's caption buttons.
#include <windows.h>

#include <string>
#include <vector>

namespace velloran {

class TWinSkinForm;

class TMenuBand {
public:
    explicit TMenuBand(TWinSkinForm& form) : form_(form) {}

    // Paints the band (window coordinates) into the window DC.
    void Paint(HDC dc, const RECT& band);
    // The top-level item at the window point, or -1.
    int ItemAt(POINT windowPoint) const;
    // Opens the menu of the item below it; commands reach the window as from its own menu bar.
    void Open(int index);

private:
    struct TItem {
        std::wstring Caption;
        RECT Rect{};
    };
    void Layout(HDC dc, const RECT& band);

    TWinSkinForm& form_;
    std::vector<TItem> items_;
};

}  // namespace velloran
