// Opening the menu bar's drop-downs, and the menu loop around them: while a drop-down is
// tracked, a message-filter hook watches the loop's mouse and arrow keys and moves on to the
// neighbouring top-level menu the way the system's own menu bar does.
#include <windows.h>

#include "framework/Handles.h"
#include "skin/data/ImgUtil.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/WinSkinMenu.h"

namespace velloran {

namespace {

// What the loop's selection is on.
struct TLoopItem {
    HMENU Menu = nullptr;     // the menu that holds the item; null before the first selection
    HMENU SubMenu = nullptr;  // the item's own drop-down
    bool RightToLeft = false;
};

// One menu loop runs at a time.
struct TMenuLoop {
    THookHandle Hook;
    TWinSkinForm* Form = nullptr;
    int OpenIndex = -1;
    TLoopItem Current;
    bool Switching = false;
    bool FirstKeySent = false;
    POINT LastPoint{};
};

TMenuLoop& Loop() {
    static TMenuLoop loop;
    return loop;
}

enum class TNeighbour { kNone, kPrevious, kNext };

TMenuBtn* Neighbour(TWinSkinMenu& bar, int index, TNeighbour which) {
    const int count = static_cast<int>(bar.Buttons.size());
    if (which == TNeighbour::kNone || count == 0 || index < 0) return nullptr;
    const int next = which == TNeighbour::kNext ? (index + 1) % count : (index + count - 1) % count;
    return bar.Buttons[static_cast<size_t>(next)].get();
}

TNeighbour ArrowNeighbour(WPARAM key, HMENU tracked) {
    const TLoopItem& item = Loop().Current;
    if (key == VK_LEFT) {
        // Inside a submenu the system closes that submenu instead.
        const bool topLevel = !item.Menu || item.Menu == tracked || item.SubMenu == tracked;
        return topLevel ? TNeighbour::kPrevious : TNeighbour::kNone;
    }
    if (key == VK_RIGHT) return item.SubMenu ? TNeighbour::kNone : TNeighbour::kNext;
    return TNeighbour::kNone;
}

// The button the loop's message asks for, or null.
TMenuBtn* ButtonForMessage(TMenuLoop& loop, TWinSkinMenu& bar, MSG& msg) {
    TWinSkinForm& form = *loop.Form;
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) loop.Switching = false;
            return Neighbour(bar, loop.OpenIndex, ArrowNeighbour(msg.wParam, form.TrackedPopup));
        case WM_MOUSEMOVE:
            if (msg.pt.x == loop.LastPoint.x && msg.pt.y == loop.LastPoint.y) return nullptr;
            loop.LastPoint = msg.pt;
            return bar.MenuButtonAt(form.ToWindowPoint(msg.pt.x, msg.pt.y));
        default:
            return nullptr;
    }
}

LRESULT CALLBACK MenuLoopHook(int code, WPARAM wParam, LPARAM lParam) {
    TMenuLoop& loop = Loop();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    // Inside a right-to-left menu the arrows point the other way.
    if (code >= 0 && msg && msg->message == WM_KEYDOWN && loop.Current.RightToLeft) {
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
    if (result != 0 || code != MSGF_MENU || !msg || !loop.Form || !loop.Form->MenuBar) return result;
    try {
        if (!loop.FirstKeySent) {
            // Selects the drop-down's first item, as the system's own bar does.
            PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
            loop.FirstKeySent = true;
        }
        switch (msg->message) {
            case WM_SYSKEYDOWN:
                if (msg->wParam == VK_MENU) loop.Form->MenuTracking = false;
                return result;
            case WM_MENUSELECT:
                MenuLoopSelect(msg->wParam, msg->lParam);
                return result;
            default:
                break;
        }
        TMenuBtn* button = ButtonForMessage(loop, *loop.Form->MenuBar, *msg);
        if (button && button->Index != loop.OpenIndex) {
            loop.Switching = true;
            // The posted press opens the next menu once this one is closed.
            loop.Form->ClickMenuButton(button);
            EndMenu();
        }
    } catch (...) {
        // The loop goes on as the system runs it.
    }
    return result;
}

}  // namespace

void MenuLoopSelect(WPARAM wParam, LPARAM lParam) {
    TMenuLoop& loop = Loop();
    if (!loop.Form) return;
    const auto menu = reinterpret_cast<HMENU>(lParam);
    if (HIWORD(wParam) == 0xFFFF && !menu) {
        if (!loop.Switching) loop.Form->MenuTracking = false;
        return;
    }
    loop.Switching = false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    const bool popup = (HIWORD(wParam) & MF_POPUP) != 0;
    if (!GetMenuItemInfoW(menu, LOWORD(wParam), popup ? TRUE : FALSE, &info)) info = {};
    loop.Current = {menu, info.hSubMenu, (info.fType & MFT_RIGHTORDER) != 0};
}

bool MenuLoopHookInstalled() { return static_cast<bool>(Loop().Hook); }

void TWinSkinForm::ClickMenuButton(TMenuBtn* button) {
    GetWindowRect(Handle, &WindowRect);
    const int x = button->Rect.left + WindowRect.left + 1;
    const int y = button->Rect.top + WindowRect.top + 1;
    PostMessageW(Handle, WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

bool TWinSkinForm::OpenMenuButton(TMenuBtn* button) {
    if (!button) return false;
    PostMessageW(Handle, WM_COMMAND, button->Command, 0);
    if (!button->SubMenu) return false;

    TMenuLoop& loop = Loop();
    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    // Everything the loop sets up is taken down however tracking ends.
    struct TLoopScope {
        TWinSkinForm& Form;
        TMenuLoop& Loop;
        bool OwnsHook;
        ~TLoopScope() {
            if (OwnsHook) Loop.Hook.reset();
            Loop.Current = {};
            Loop.OpenIndex = -1;
            Loop.FirstKeySent = false;
            Loop.Form = nullptr;
            Form.MenuTracking = false;
            Form.TrackedPopup = nullptr;
        }
    } scope{*this, loop, !loop.Hook};

    loop.OpenIndex = button->Index;
    loop.Form = this;
    GetWindowRect(Handle, &WindowRect);
    if (WindowsMajorVersion() != 4 || !IsWindowsNT()) MarkItemsOwnerDrawn(button->SubMenu);
    MenuTracking = true;
    const bool rightToLeft = MenuBar->RightToLeft();
    const int x = (rightToLeft ? button->Rect.right : button->Rect.left) + WindowRect.left;
    const int y = button->Rect.bottom + WindowRect.top;
    if (manager) {
        manager->MenuKind = 1;
        manager->MenuBarPopup = true;
    }
    TrackedPopup = button->SubMenu;
    if (scope.OwnsHook) loop.Hook.reset(SetWindowsHookExW(WH_MSGFILTER, &MenuLoopHook, nullptr, GetCurrentThreadId()));
    loop.Switching = false;
    loop.FirstKeySent = false;
    GetCursorPos(&loop.LastPoint);
    if (button->ItemEnabled) {
        const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | (rightToLeft ? TPM_RIGHTALIGN : 0);
        TrackPopupMenu(button->SubMenu, flags, x, y, 0, Handle, nullptr);
    }
    return true;
}

}  // namespace velloran
