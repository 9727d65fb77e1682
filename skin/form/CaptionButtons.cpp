// Caption buttons: which of the skin's buttons a window shows, where they sit, how they look in
// each state, how the non-client mouse messages drive them and what each one does; and the
// non-client hit test of a skinned window.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/WinSkinMenu.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

// The Action values of the skin's button sections.
enum TButtonAction : int32_t {
    baClose = 0,
    baMaximize = 1,
    baMinimize = 2,
    baIcon = 3,
    baHelp = 4,
    baMdiMinimize = 7,
    baMdiRestore = 8,
    baMdiClose = 9,
    baIconAlt = 11,
    baSystemMenu = 12,
    baMaximizeAlt = 22,
    baMinimizeAlt = 23,
    baMdiMinimizeAlt = 60,
    baMdiRestoreAlt = 61,
    baMdiCloseAlt = 62
};

// Frames of a button strip.
constexpr int kFrameNormal = 1;
constexpr int kFrameHot = 3;
constexpr int kFrameDisabled = 4;  // also the inactive look

bool IsIconAction(int32_t action) { return action == baIcon || action == baIconAlt; }

bool IsMaximized(const TWinSkinForm& form) { return form.WindowState == stateMaximized; }

// One term of a button's visibility: the code of Visibility (first) or of Visibility1.
bool VisibilityHolds(const TWinSkinForm& form, int32_t code, bool first, int32_t action) {
    const bool minOrMax = (form.Caps & (capMinimize | capMaximize)) != 0;
    const bool sysMenu = (form.Caps & capSysMenu) != 0;
    switch (code) {
        case 0:
            return true;
        case 1:
            return IsMaximized(form);
        case 2:
            return !IsMaximized(form);
        case 3:
            return form.Active;
        case 4:
            return !form.Active;
        case 5:
        case 8:
            return first ? minOrMax && sysMenu : minOrMax;
        case 7:
            return (form.Caps & capMaximize) == 0;
        case 9:
            return (form.Caps & capMinimize) == 0;
        case 10:
            return (form.Caps & capHelp) != 0 && (!first || !minOrMax);
        case kMenuBandButton:
            return form.ActiveMdiChildMaximized() && form.WindowMenu != nullptr;
        case 200:
            return !form.MessageDialog && form.BorderKind == bkDialog;
        default:
            break;
    }
    if (code >= 201 && code <= 999) return true;
    if (code >= 1000 && code <= 2000)
        return !first || SendMessage(form.Handle, SM_BUTTONVISIBLE, static_cast<WPARAM>(code), action) > 0;
    return false;
}

void SendToActiveChild(const TWinSkinForm& form, UINT command) {
    if (HWND child = form.ActiveMdiChild()) SendMessage(child, WM_SYSCOMMAND, command, 0);
}

}  // namespace

// ---- TNCObject ----------------------------------------------------------------------------

void TNCObject::MouseDown() {
    if (Form->HotObject && Form->HotObject != this) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = 2;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = 3;
    Paint();
}

void TNCObject::MouseHover() {
    if (Form->HotObject == this) return;
    if (Form->HotObject) Form->HotObject->MouseLeave();
    if (!Visible) return;
    Form->HotObject = this;
    State = 3;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    Form->HotObject = nullptr;
    State = 1;
    Paint();
}

// ---- TWinSysButton ------------------------------------------------------------------------

bool TWinSysButton::IsIcon() const { return IsIconAction(SkinButton->Action); }

void TWinSysButton::Paint() {
    int frame = State;
    if (!Enabled) frame = SkinButton->Frame > 3 ? kFrameDisabled : kFrameNormal;
    if (SkinButton->Visibility == kMenuBandButton && State == kFrameHot) frame = kFrameDisabled;
    TWindowDC dc(Form->Handle, true);
    if (!dc) return;
    if (IsIcon())
        Form->DrawIcon(dc.get(), Rect);
    else
        StretchFrame(dc.get(), Rect, *SkinButton->Bitmap, true, SkinButton->Frame, frame);
}

// ---- building, visibility, layout and painting --------------------------------------------

void TWinSkinForm::RebuildButtons() {
    ComputeBorders();
    FreeButtons();
    if (!SkinData) return;
    for (const auto& entry : SkinData->SysButtons) {
        Buttons.push_back(std::make_unique<TWinSysButton>(this, entry.get()));
        if (!IsIconAction(entry->Action)) continue;
        // The icon button takes its size from the rendered icon when the skin gave no image.
        RenderIcon();
        if (entry->Bitmap->Empty()) entry->Bitmap->Assign(IconBitmap);
        if (SkinData->AppIcon.Empty()) SkinData->AppIcon.Assign(IconBitmap);
        entry->Frame = 1;
    }
    ButtonCount = static_cast<int32_t>(Buttons.size());
}

void TWinSkinForm::FreeButtons() {
    HotObject = nullptr;
    Buttons.clear();
    ButtonCount = 0;
}

bool TWinSkinForm::ButtonVisible(int index) {
    if (index < 0 || index >= static_cast<int>(Buttons.size())) return false;
    TWinSysButton& button = *Buttons[static_cast<size_t>(index)];
    const TDataSkinSysButton& skin = *button.SkinButton;
    bool visible = VisibilityHolds(*this, skin.Visibility, true, skin.Action) &&
                   VisibilityHolds(*this, skin.Visibility1, false, skin.Action);
    const bool sysMenu = (Caps & capSysMenu) != 0;
    switch (skin.Action) {
        case baClose:
            visible = visible && sysMenu;
            break;
        case baMaximize:
            button.Enabled = (Caps & capMaximize) && sysMenu;
            break;
        case baMinimize:
            button.Enabled = (Caps & capMinimize) && sysMenu;
            break;
        case baIcon:
        case baIconAlt:
        case baSystemMenu:
            visible = visible && BorderKind != bkDialog;
            break;
        default:
            break;
    }
    button.Visible = visible;
    return visible;
}

void TWinSkinForm::LayoutButtons() {
    const int menuBarLeft = SkinData && SkinData->MenuBar ? SkinData->MenuBar->LeftWidth : 0;
    for (int i = 0; i < static_cast<int>(Buttons.size()); ++i) {
        // A hidden button keeps its old place: ButtonAt never finds it.
        if (!ButtonVisible(i)) continue;
        TWinSysButton& button = *Buttons[static_cast<size_t>(i)];
        const TDataSkinSysButton& skin = *button.SkinButton;
        if (skin.Bitmap->Empty()) continue;
        const int w = skin.Bitmap->Width() / std::max(skin.Frame, 1);
        const int h = skin.Bitmap->Height();
        POINT at{0, 0};
        switch (skin.Align) {
            case 0:
                at = {skin.XCoord, skin.YCoord};
                break;
            case 1:
                at = {WindowWidth - skin.XCoord, skin.YCoord};
                break;
            case 2:
            case 8:
                at = {TextRect.left - w - skin.XCoord, skin.YCoord};
                break;
            case 3:
            case 9:
                at = {TextRect.right + skin.XCoord, skin.YCoord};
                break;
            case kMenuBandButton:
                at = {WindowWidth - skin.XCoord - BorderRight - menuBarLeft, BorderTop + (MenuHeight - h) / 2};
                break;
            default:
                break;
        }
        button.Rect = {at.x, at.y, at.x + w, at.y + h};
    }
}

void TWinSkinForm::PaintButtons(TCanvas& canvas) {
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        const auto& button = Buttons[i];
        TDataSkinSysButton& skin = *button->SkinButton;
        if (!button->Visible || skin.Bitmap->Empty() || skin.Visibility == kMenuBandButton) continue;
        int frame = Active ? kFrameNormal : kFrameDisabled;
        if (!button->Enabled) frame = kFrameDisabled;
        if (skin.Frame < 4) frame = kFrameNormal;
        if (button->IsIcon())
            DrawIcon(canvas.Handle(), button->Rect);
        else
            PaintButtonFrame(canvas.Handle(), kButtonImageSlot + i, button->Rect, *skin.Bitmap, skin.Frame, frame);
    }
}

void TWinSkinForm::PaintButtonFrame(HDC dc, std::size_t slot, const RECT& rect, TBitmap& strip, int frameCount,
                                    int frame) {
    const TComposeKey key =
        ComposeKey(strip, frameCount, frame, {}, false, false, rect.right - rect.left, rect.bottom - rect.top);
    TBitmap& image = FrameImages.Get(slot, key, [&] { return StretchedFrame(rect, strip, frameCount, frame); });
    if (!image.Empty()) TransparentBlit(dc, rect, image, kSkinKeyColor);
}

void TWinSkinForm::RenderIcon() {
    const int cx = GetSystemMetrics(SM_CXSMICON);
    const int cy = GetSystemMetrics(SM_CYSMICON);
    IconBitmap.SetSize(cx, cy);
    TCanvas& canvas = IconBitmap.Canvas();
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect({0, 0, cx, cy});
    IconSize = cx;
    Icon = reinterpret_cast<HICON>(SendMessage(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!Icon) Icon = reinterpret_cast<HICON>(SendMessage(Handle, WM_GETICON, ICON_BIG, 0));
    if (!Icon) return;
    // The copy picks the icon's own small image where it has one, rather than a shrunk big one.
    TIconHandle smallIcon(static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    DrawIconEx(canvas.Handle(), 0, 0, smallIcon ? smallIcon.get() : Icon, cx, cy, 0, nullptr, DI_NORMAL);
}

void TWinSkinForm::DrawIcon(HDC dc, const RECT& rect) const {
    if (Icon) DrawIconEx(dc, rect.left, rect.top, Icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
}

// ---- points and objects -------------------------------------------------------------------

POINT TWinSkinForm::ToWindowPoint(int screenX, int screenY) const {
    POINT p{screenX, screenY};
    ScreenToClient(Handle, &p);
    if (!(IsMdiChild() && WindowState == stateMinimized)) {
        p.x += BorderLeft;
        p.y += BorderTop + MenuHeight;
    }
    return p;
}

TWinSysButton* TWinSkinForm::ButtonAt(POINT p) const {
    for (const auto& button : Buttons)
        if (button->Visible && button->SkinButton->Action >= 0 && PtInRect(&button->Rect, p)) return button.get();
    return nullptr;
}

TNCObject* TWinSkinForm::ObjectAt(POINT p) const {
    if (TWinSysButton* button = ButtonAt(p)) return button;
    return MenuBar ? MenuBar->MenuButtonAt(p) : nullptr;
}

// ---- actions and window commands ----------------------------------------------------------

void TWinSkinForm::ButtonAction(int x, int y) {
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button) return;
    const int32_t action = button->SkinButton->Action;
    switch (action) {
        case baClose:
            if (!SystemMenuHasClose()) break;
            SetHoverTimer(false);
            PostMessage(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case baMaximize:
        case baMaximizeAlt:
            if (button->Enabled) ToggleMaximize();
            break;
        case baMinimize:
        case baMinimizeAlt:
            if (button->Enabled) ToggleMinimize();
            break;
        case baIcon:
        case baIconAlt:
        case baSystemMenu:
            ShowSystemMenu(x + 1, y + 1);
            break;
        case baHelp:
            PostMessage(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
            break;
        case baMdiMinimize:
        case baMdiMinimizeAlt:
            SendToActiveChild(*this, SC_MINIMIZE);
            break;
        case baMdiRestore:
        case baMdiRestoreAlt:
            SendToActiveChild(*this, SC_RESTORE);
            break;
        case baMdiClose:
        case baMdiCloseAlt:
            SendToActiveChild(*this, SC_CLOSE);
            break;
        default:
            PostMessage(Handle, SM_BUTTONACTION, static_cast<WPARAM>(action), 0);
            break;
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (WindowState == stateMaximized) {
        Restore();
        return;
    }
    if (IsMdiChild())
        if (TFormSkinnerHost* manager = TFormSkinnerHost::Current()) manager->SetMdiMaximized(true);
    WindowState = stateMaximized;
    PostMessage(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::Restore() {
    WindowState = stateNormal;
    PostMessage(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMinimize() {
    if (WindowState == stateMinimized) {
        Restore();
        return;
    }
    WindowState = stateMinimized;
    SetSysMenuStyle(false);  // the minimised window keeps its system menu
    PostMessage(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

HWND TWinSkinForm::ActiveMdiChild(bool* maximized) const {
    BOOL zoomed = FALSE;
    HWND child = nullptr;
    if (MDIKind == mkFrame && MDIClient)
        child = reinterpret_cast<HWND>(SendMessage(MDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
    if (maximized) *maximized = child && zoomed;
    return child;
}

bool TWinSkinForm::ActiveMdiChildMaximized() const {
    bool maximized = false;
    ActiveMdiChild(&maximized);
    return maximized;
}

bool TWinSkinForm::SystemMenuHasClose() const {
    if (!IsWindowsNT() || WindowsMajorVersion() < 5) return true;
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE;
    return SystemMenu && GetMenuItemInfoA(SystemMenu, SC_CLOSE, FALSE, &item);
}

// ---- non-client mouse, hit test and hover -------------------------------------------------

bool TWinSkinForm::NcMouse(TMessage& message) {
    const int screenX = GET_X_LPARAM(message.LParam);
    const int screenY = GET_Y_LPARAM(message.LParam);
    const POINT p = ToWindowPoint(screenX, screenY);
    bool handled = false;
    switch (message.Msg) {
        case WM_NCMOUSEMOVE:
            if (!Active) {
                handled = true;  // an inactive caption does not light up
            } else if (TNCObject* object = ObjectAt(p)) {
                object->MouseHover();
                handled = true;
            } else if (HotObject) {
                HotObject->MouseLeave();
                HotObject = nullptr;
            }
            break;
        case WM_NCLBUTTONDOWN:
            if (TNCObject* object = ObjectAt(p)) {
                if (!Active) SetForegroundWindow(Handle);
                object->MouseDown();
                if (auto* menuButton = dynamic_cast<TMenuBtn*>(object)) {
                    // The bar may have been rebuilt while its drop-down was open.
                    const auto index = static_cast<size_t>(menuButton->Index);
                    OpenMenuButton(menuButton);
                    HotObject = MenuBar && index < MenuBar->Buttons.size() ? MenuBar->Buttons[index].get() : nullptr;
                }
                handled = true;
            } else if (WindowState == stateMaximized && Active && message.WParam == HTCAPTION) {
                message.WParam = HTMENU;  // a maximised window cannot be dragged
            }
            break;
        case WM_NCLBUTTONUP:
            if (TWinSysButton* button = ButtonAt(p)) {
                // A press that began elsewhere does not run the button.
                if (button == HotObject) {
                    button->MouseUp();
                    ButtonAction(screenX, screenY);
                }
                handled = true;
            } else if (MenuBar && MenuBar->MenuButtonAt(p)) {
                handled = true;
            }
            break;
        case WM_NCLBUTTONDBLCLK:
            if (TWinSysButton* button = ButtonAt(p)) {
                if (button->IsIcon()) {
                    SetHoverTimer(false);
                    PostMessage(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
                }
                handled = true;
            } else if (WindowState != stateNormal) {
                Restore();
                handled = true;
            } else if (Caps & capMaximize) {
                ToggleMaximize();
                handled = true;
            }
            break;
        case WM_NCRBUTTONDOWN:
            // A right click on a button is swallowed; only the bare caption opens the system
            // menu, and an MDI child's system menu is the system's own.
            if (ObjectAt(p)) {
                handled = true;
            } else if (message.WParam == HTCAPTION && !IsMdiChild()) {
                ShowSystemMenu(screenX, screenY);
                handled = true;
            }
            break;
        default:
            break;
    }
    if (handled) message.Result = 0;
    return handled;
}

void TWinSkinForm::NcHitTest(TMessage& message) {
    message.Result = TWindowSubclass::CallNext(Handle, message.Msg, message.WParam, message.LParam);
    if (message.Result != HTNOWHERE && message.Result != HTCAPTION) return;
    // The system knows nothing of the skinned caption and menu bar.
    const POINT p = ToWindowPoint(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (p.y > 3) message.Result = HTCAPTION;
    // Only the band itself is the menu: the frame below it stays a place to drag the window by.
    if (p.y > BorderTop && p.y < BorderTop + MenuHeight) message.Result = HTMENU;
}

void TWinSkinForm::HoverCheck() {
    // HotObject is never stale: FreeButtons clears it with the buttons.
    if (MenuTracking || !HotObject) return;
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return;
    const POINT p = ToWindowPoint(cursor.x, cursor.y);
    if (PtInRect(&HotObject->Rect, p)) return;
    HotObject->MouseLeave();
    HotObject = nullptr;
}

}  // namespace velloran
