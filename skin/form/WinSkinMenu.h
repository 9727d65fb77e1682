#pragma once
// The skinned menu bar of a window with a menu. The window's own menu bar is taken away (its
// place is inside the skinned frame): the bar holds one button per top-level item, paints the
// band from the skin's MenuBar strip and opens the items' drop-downs at the buttons, while a
// message-filter hook lets the user slide between them as on the system's own bar.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

class TMainMenu;
class TSkinData;

// The Visibility of a maximised MDI child's caption buttons, which live in the bar's band.
constexpr int32_t kMenuBandButton = 100;

// One top-level item of the bar. Its Rect is in window coordinates.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TSkinData* skinData, int index) : TNCObject(form), SkinData(skinData), Index(index) {}

    TSkinData* SkinData;
    int Index;
    std::wstring Caption;
    bool ItemEnabled = true;
    HMENU SubMenu = nullptr;  // the drop-down; null for an item without one
    UINT Command = 0;

    // The button's part of the band as last painted, with the frame of its state and its caption.
    void Paint() override;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TWinSkinForm& form, TSkinData* skinData) : Form(form), SkinData(skinData) {}
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Reads the window's menu into Buttons and takes it from the window.
    void BuildButtons();
    // The same after an MDI child changed the frame's menu: the items' own texts win.
    void RebuildForMDI();
    // The buttons' places for the window's current size, without painting.
    void LayoutButtons();
    // Paints the band (window coordinates) into the window DC.
    void PaintBar(HDC dc, const RECT& band);
    // The first button with a caption whose Rect holds the window point, or null.
    TMenuBtn* MenuButtonAt(POINT p) const;
    // The first enabled, visible button whose caption marks the character as its accelerator.
    TMenuBtn* MenuButtonByAccel(wchar_t key) const;
    // The buttons laid out from the right: a right-to-left window or menu.
    bool RightToLeft() const;
    // The start offset of the first button from the band's leading edge.
    int StartOffset(int bandWidth) const;

    TWinSkinForm& Form;
    TSkinData* SkinData;
    std::vector<std::unique_ptr<TMenuBtn>> Buttons;
    TMainMenu* MainMenu = nullptr;  // the form's menu; null for a bare window
    RECT BarRect{};                 // the band at the last paint
    TBitmap Background;             // the band as last painted, without texts
    HMENU MenuHandle = nullptr;     // the menu taken from the window

private:
    enum class TBuildKind { kFromMenuObject, kFromHandle, kForMdi };
    void Build(TBuildKind kind);
    void BuildFromMenuObject();
    void BuildFromHandle(bool onlyEmptyTexts);
    // Places the visible buttons in the band (window coordinates), measuring with the DC's font;
    // paint draws each caption into the DC as well, at band-relative coordinates.
    void PlaceButtons(HDC dc, const RECT& band, bool paint);
    void PaintMdiChildButtons(HDC dc, const RECT& band);

    TBitmap work_;
};

// The bar's drop-downs are drawn by the skin's item painters: every item, through the submenus.
void MarkItemsOwnerDrawn(HMENU menu);

// The menu loop (MenuLoop.cpp). The selection moved (WM_MENUSELECT's parameters).
void MenuLoopSelect(WPARAM wParam, LPARAM lParam);
// Whether the loop's message filter is in place: only while a drop-down is tracked.
bool MenuLoopHookInstalled();

}  // namespace velloran
