// The skinned system menu: a popup menu of the skinner's own, built afresh each time it opens
// from the window's system menu, with the skin's menu images beside the window commands.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Menus.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

// Marks the popup as the system menu for whoever skins popup menus.
constexpr int32_t kSysMenuTag = 33333;
// The framework's shortcut word: Alt is bit 15 over the virtual key.
constexpr int kAltF4 = 0x8000 | VK_F4;
constexpr int kSysMenuTextLength = 80;
// The manager's MenuKind for a system menu.
constexpr int32_t kSystemMenuKind = 2;

// Windows NT 4 and older lack the system menu items this menu copies; they get a fixed menu.
bool NtBeforeWindows2000() { return IsWindowsNT() && WindowsMajorVersion() < 5; }

TMenuItem* AddItem(TPopupMenu& popup, const std::string& caption, int32_t tag, int imageIndex,
                   std::function<void()> click) {
    auto* item = new TMenuItem(&popup);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(imageIndex);
    if (click) item->OnClick = [click = std::move(click)](TObject*) { click(); };
    popup.Items()->Add(item);
    return item;
}

void AddFixedItems(TWinSkinForm& form, TPopupMenu& popup) {
    AddItem(popup, " Restore ", 0, 0, [&form] { form.Restore(); });
    if (form.Caps & capMaximize) AddItem(popup, " Maximize ", 1, 1, [&form] { form.ToggleMaximize(); });
    if (form.Caps & capMinimize) AddItem(popup, " Minimize ", 2, 2, [&form] { form.ToggleMinimize(); });
    AddItem(popup, "-", 100, 100, nullptr);
    TMenuItem* close = AddItem(popup, " Close ", 3, 3, [&form] {
        form.SetHoverTimer(false);
        PostMessage(form.Handle, WM_CLOSE, 0, 0);
    });
    close->SetShortCut(kAltF4);
}

int CommandImage(UINT command) {
    switch (command) {
        case SC_RESTORE:
            return 0;
        case SC_MAXIMIZE:
            return 1;
        case SC_MINIMIZE:
            return 2;
        case SC_CLOSE:
            return 3;
        default:
            return -1;
    }
}

// Whether the window's state allows the command; true for commands the state does not touch.
bool CommandAllowed(const TWinSkinForm& form, UINT command) {
    switch (command) {
        case SC_SIZE:
        case SC_MOVE:
            return form.WindowState != stateMaximized;
        case SC_MINIMIZE:
            return form.WindowState != stateMinimized && (form.Caps & capMinimize);
        case SC_MAXIMIZE:
            return form.WindowState != stateMaximized && (form.Caps & capMaximize);
        case SC_RESTORE:
            return form.WindowState != stateNormal;
        default:
            return true;
    }
}

void AddSystemMenuItems(TWinSkinForm& form, TPopupMenu& popup) {
    const int count = GetMenuItemCount(form.SystemMenu);
    for (int i = 0; i < count; ++i) {
        char text[kSysMenuTextLength + 1] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(form.SystemMenu, static_cast<UINT>(i), TRUE, &info)) continue;
        const UINT command = info.wID;
        HWND wnd = form.Handle;
        TMenuItem* item =
            AddItem(popup, text[0] ? std::string(text) : std::string("-"), static_cast<int32_t>(command),
                    CommandImage(command), [wnd, command] { PostMessage(wnd, WM_SYSCOMMAND, command, 0); });
        item->SetEnabled(CommandAllowed(form, command));
        // Any grayed or disabled bit counts, also beside the default or checked mark: a disabled
        // Close that is the default item must not become clickable here.
        if (info.fState & (MFS_GRAYED | MFS_DISABLED)) item->SetEnabled(false);
        if (info.fState & MFS_CHECKED) item->SetChecked(true);
    }
}

// The skin's item painter draws and measures every item.
void PaintItemsFromSkin(TSkinData& skin, TPopupMenu& popup) {
    popup.SetOwnerDraw(true);
    TMenuItem* items = popup.Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        item->OnDrawItem = [&skin, item](TObject*, TCanvas* canvas, RECT rect, bool selected) {
            DrawMenuItem(skin, canvas->Handle(), *item, rect, selected);
        };
        item->OnMeasureItem = [&skin, item](TObject*, TCanvas*, int& width, int&) {
            MeasurePopupItem(skin, *item, width);
        };
    }
}

}  // namespace

void TWinSkinForm::ShowSystemMenu(int x, int y) {
    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    // A manager of another module's instance does not open menus in this one.
    if (manager && manager->Stamp != 0) return;
    const DWORD now = GetTickCount();
    if (DoubleClickTime < 0 || now - LastSysMenuTime > static_cast<DWORD>(DoubleClickTime)) {
        if (manager) manager->MenuKind = kSystemMenuKind;
        LastSysMenuTime = now;
        BuildSysMenuPopup();
        SysMenuPopup->Popup(x, y);
    } else if (HotObject) {
        // A second click on the icon within the double-click time closes the window.
        SetHoverTimer(false);
        PostMessage(Handle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::BuildSysMenuPopup() {
    Free(SysMenuPopup);
    SysMenuPopup = new TPopupMenu(this);
    SysMenuPopup->SetTag(kSysMenuTag);
    if (SkinData) SysMenuPopup->SetImages(SkinData->MenuImages.get());
    if (NtBeforeWindows2000())
        AddFixedItems(*this, *SysMenuPopup);
    else if (SystemMenu)
        AddSystemMenuItems(*this, *SysMenuPopup);
    if (SkinData) PaintItemsFromSkin(*SkinData, *SysMenuPopup);
}

}  // namespace velloran
