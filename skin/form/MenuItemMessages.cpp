// The owner-drawn items of a skinned window's menus: the drop-downs of its menu bar and its
// system menu. Items of the form's main menu are painted as item objects; items without one (the
// system's commands, the MDI window list) are painted from the menu handle, except the
// application's own commands, which their owner draws.
#include <windows.h>

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "framework/Menus.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/MenuOwnerDraw.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

// Commands up to this one are the application's: without an item object they are its owner's.
constexpr UINT kLastApplicationCommand = 4095;

bool ApplicationCommand(UINT command) { return command >= 1 && command <= kLastApplicationCommand; }

// The item of the form's main menu with the command, or null.
TMenuItem* MainMenuItem(const TForm* form, UINT command) {
    TMenuItem* item = TMenuItem::FromCommand(command);
    return item && form && form->Menu() && item->GetParentMenu() == form->Menu() ? item : nullptr;
}

}  // namespace

void TWinSkinForm::SetFormMenusOwnerDraw(bool on) {
    if (!Form || !SkinData) return;
    SetMenusOwnerDraw(*SkinData, *Form, on);
    if (SkinData->SkinControls() & SkinBit(xcMenuItem)) SetMainMenusOwnerDraw(*SkinData, *Form, on);
}

void TWinSkinForm::MeasureMenuItemMessage(TMessage& m) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (measure.CtlType != ODT_MENU || !WindowMenu) {
        CallDefault(m);
        return;
    }
    if (Form) {
        if (TMenuItem* item = MainMenuItem(Form, measure.itemID)) {
            TWindowDC dc(Handle, true);
            TSelectObject font(dc.get(), MenuFont());
            int width = 0, height = 0;
            MeasureMainItem(*SkinData, *item, dc.get(), width, height);
            measure.itemWidth = static_cast<UINT>(std::max(width, 0));
            measure.itemHeight = static_cast<UINT>(std::max(height, 0));
            m.Result = TRUE;
            return;
        }
        if (ApplicationCommand(measure.itemID)) {
            CallDefault(m);
            return;
        }
    }
    // The message names no menu: the item is looked for in the bar's open drop-down, the menu being
    // opened, then in the window's menus.
    HMENU menu = nullptr;
    for (HMENU candidate : {TrackedPopup, initialisedPopup_, WindowMenu, SystemMenu})
        if (!menu && candidate && IsMenu(candidate)) menu = MenuHolding(candidate, measure.itemID);
    int width = 0, height = static_cast<int>(measure.itemHeight);
    MeasureRawItem(*SkinData, menu, measure.itemID, width, height);
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
    m.Result = TRUE;
}

void TWinSkinForm::DrawMenuItemMessage(TMessage& m) {
    auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    // Windows NT 4 draws an MDI frame's menu items itself.
    const bool systemDrawn = MDIKind == mkFrame && IsWindowsNT() && WindowsMajorVersion() == 4;
    if (draw.CtlType != ODT_MENU || !WindowMenu || systemDrawn) {
        CallDefault(m);
        return;
    }
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    if (TFormSkinnerHost* host = TFormSkinnerHost::Current()) host->AssignMenuHandle(menu);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    if (Form) {
        if (TMenuItem* item = MainMenuItem(Form, draw.itemID)) {
            DrawMenuItem(*SkinData, draw.hDC, *item, draw.rcItem, selected);
            m.Result = TRUE;
            return;
        }
        if (ApplicationCommand(draw.itemID)) {
            CallDefault(m);
            return;
        }
    }
    DrawRawItem(*SkinData, draw.hDC, menu, draw.itemID, draw.rcItem, selected);
    m.Result = TRUE;
}

}  // namespace velloran
