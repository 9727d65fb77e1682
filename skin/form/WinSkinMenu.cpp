#include "skin/form/WinSkinMenu.h"

#include <algorithm>
#include <cwctype>

#include "framework/Handles.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/MenuItemPaint.h"

namespace velloran {

namespace {

// Room around a caption inside its button.
constexpr int kCaptionPadding = 10;
// Gap left of a maximised MDI child's buttons when the bar runs from the right.
constexpr int kMdiButtonGap = 5;
// The longest item text read from a menu.
constexpr int kItemTextLength = 80;

const TDataSkinObject* BarObject(const TSkinData& skin) {
    const TDataSkinObject* bar = skin.MenuBar.get();
    return bar && !bar->Bitmap->Empty() ? bar : nullptr;
}

COLORREF CaptionColour(const TMenuBtn& button) {
    return button.ItemEnabled ? ColorToRGB(static_cast<TColor>(button.SkinData->Colors[ciMenuBarText]))
                              : GetSysColor(COLOR_BTNSHADOW);
}

// One line centred in the rectangle, its accelerator underlined.
void DrawButtonCaption(HDC dc, const TMenuBtn& button, RECT rect, bool rightToLeft) {
    TSelectObject font(dc, MenuFont());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, CaptionColour(button));
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if (rightToLeft) format |= DT_RTLREADING;
    SkinDrawText(dc, button.Caption, rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

int CaptionWidth(HDC dc, const std::wstring& caption) {
    RECT measure{0, 0, 0, 0};
    SkinDrawText(dc, caption, measure, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    return measure.right - measure.left;
}

// The character after the caption's accelerator mark, or 0; "&&" is a literal ampersand.
wchar_t AcceleratorOf(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

bool IsRightToLeftMenu(HMENU menu) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return menu && GetMenuItemInfoW(menu, 0, TRUE, &info) && (info.fType & MFT_RIGHTORDER);
}

// The item of the form's menu with the command, or null.
TMenuItem* MenuObjectItem(TMainMenu* mainMenu, UINT command) {
    TMenuItem* item = mainMenu ? TMenuItem::FromCommand(command) : nullptr;
    return item && item->GetParentMenu() == mainMenu ? item : nullptr;
}

}  // namespace

// ---- TMenuBtn -----------------------------------------------------------------------------

void TMenuBtn::Paint() {
    TWinSkinMenu* bar = Form->MenuBar.get();
    if (!bar || bar->Background.Empty() || IsRectEmpty(&Rect)) return;
    const RECT& band = bar->BarRect;
    const int w = Rect.right - Rect.left, h = band.bottom - band.top;
    TBitmap image;
    image.SetSize(w, h);
    const HDC off = image.Canvas().Handle();
    BitBlt(off, 0, 0, w, h, bar->Background.Canvas().Handle(), Rect.left - band.left, 0, SRCCOPY);
    const RECT local{0, Rect.top - band.top, w, Rect.bottom - band.top};
    if (State == 2 || State == 3) {
        TBrushHandle frame(CreateSolidBrush(ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonHilight]))));
        FrameRect(off, &local, frame.get());
    }
    DrawButtonCaption(off, *this, local, bar->RightToLeft());
    TWindowDC dc(Form->Handle, true);
    if (dc) BitBlt(dc.get(), Rect.left, band.top, w, h, off, 0, 0, SRCCOPY);
}

// ---- building -----------------------------------------------------------------------------

void MarkItemsOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            // The type alone changes: the item keeps its text and data for the painters.
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        }
        if (info.hSubMenu) MarkItemsOwnerDrawn(info.hSubMenu);
    }
}

void TWinSkinMenu::BuildButtons() {
    const bool oldSystem = WindowsMajorVersion() < 5;
    Build(oldSystem ? TBuildKind::kFromMenuObject : TBuildKind::kFromHandle);
}

void TWinSkinMenu::RebuildForMDI() {
    Build(TBuildKind::kForMdi);
    LayoutButtons();
}

void TWinSkinMenu::Build(TBuildKind kind) {
    if (HMENU menu = GetMenu(Form.Handle)) MenuHandle = menu;
    if (!MenuHandle) return;
    Form.WindowMenu = MenuHandle;
    if (Form.Form) {
        MainMenu = Form.Form->Menu();
        if (!MainMenu) return;
    }
    if (Form.HotObject && dynamic_cast<TMenuBtn*>(Form.HotObject)) Form.HotObject = nullptr;
    Buttons.clear();
    if (kind == TBuildKind::kFromMenuObject && MainMenu)
        BuildFromMenuObject();
    else if (IsMenu(MenuHandle))
        BuildFromHandle(kind == TBuildKind::kForMdi);
    SetMenu(Form.Handle, nullptr);
}

void TWinSkinMenu::BuildFromMenuObject() {
    TMenuItem* items = MainMenu->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        auto button = std::make_unique<TMenuBtn>(&Form, SkinData, i);
        button->Visible = item->Visible();
        button->ItemEnabled = item->Enabled();
        button->Command = item->Command();
        button->Caption = AnsiToWide(item->Caption());
        // The platform menu leaves invisible items out, so positions count visible items only.
        if (item->Count() > 0 && IsMenu(MenuHandle)) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_SUBMENU;
            if (GetMenuItemInfoW(MenuHandle, item->Command(), FALSE, &info)) button->SubMenu = info.hSubMenu;
        }
        Buttons.push_back(std::move(button));
    }
}

void TWinSkinMenu::BuildFromHandle(bool onlyEmptyTexts) {
    const int count = GetMenuItemCount(MenuHandle);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kItemTextLength + 1] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kItemTextLength;
        if (!GetMenuItemInfoW(MenuHandle, static_cast<UINT>(i), TRUE, &info)) text[0] = 0;
        auto button = std::make_unique<TMenuBtn>(&Form, SkinData, i);
        button->SubMenu = info.hSubMenu;
        button->ItemEnabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        button->Visible = true;
        button->Command = info.wID;
        button->Caption = text;
        TMenuItem* item = (!onlyEmptyTexts || button->Caption.empty()) ? MenuObjectItem(MainMenu, info.wID) : nullptr;
        if (item) {
            button->Caption = AnsiToWide(item->Caption());
            button->Command = item->Command();
            if (!onlyEmptyTexts) {
                button->ItemEnabled = item->Enabled();
                if (item->Count() == 0) button->SubMenu = nullptr;
            }
        }
        Buttons.push_back(std::move(button));
    }
}

// ---- layout and painting ------------------------------------------------------------------

bool TWinSkinMenu::RightToLeft() const { return Form.RightToLeft || IsRightToLeftMenu(MenuHandle); }

int TWinSkinMenu::StartOffset(int bandWidth) const {
    const TDataSkinObject* bar = BarObject(*SkinData);
    if (!bar) return 6;
    const int offset = RightToLeft() ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    return bandWidth < offset ? 12 : offset;
}

void TWinSkinMenu::PlaceButtons(HDC dc, const RECT& band, bool paint) {
    const int width = band.right - band.left, height = band.bottom - band.top;
    const bool rightToLeft = RightToLeft();
    int at = StartOffset(width);
    if (rightToLeft) {
        at = width - at;
        // A maximised MDI child's buttons sit at the band's right end: the captions stay clear.
        if (Form.MDIKind == mkFrame && Form.ActiveMdiChildMaximized())
            for (const auto& button : Form.Buttons)
                if (button->Visible && button->SkinButton->Visibility == kMenuBandButton)
                    at = std::min<int>(at, button->Rect.left - band.left - kMdiButtonGap);
    }
    TSelectObject font(dc, MenuFont());
    for (const auto& button : Buttons) {
        if (!button->Visible) {
            button->Rect = {};
            continue;
        }
        const int w = CaptionWidth(dc, button->Caption);
        const int slot = w > 0 ? w + kCaptionPadding : 0;
        RECT r = rightToLeft ? RECT{at - slot, 0, at, height - 1} : RECT{at, 0, at + slot, height - 1};
        at += rightToLeft ? -slot : slot;
        if (paint) DrawButtonCaption(dc, *button, r, rightToLeft);
        OffsetRect(&r, band.left, band.top);
        button->Rect = r;
    }
}

void TWinSkinMenu::LayoutButtons() {
    RECT window{};
    if (!GetWindowRect(Form.Handle, &window)) return;
    const RECT band{Form.BorderLeft, Form.BorderTop, (window.right - window.left) - Form.BorderRight,
                    Form.BorderTop + Form.MenuHeight};
    if (IsRectEmpty(&band)) return;
    TWindowDC screen(nullptr);
    PlaceButtons(screen.get(), band, false);
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& band) {
    const int width = band.right - band.left, height = band.bottom - band.top;
    if (width <= 0 || height <= 0) return;
    work_.SetSize(width, height);
    const HDC off = work_.Canvas().Handle();
    const RECT local{0, 0, width, height};
    if (const TDataSkinObject* bar = BarObject(*SkinData)) {
        const int frame = Form.Active ? 1 : 2;
        if (bar->Tile == 1)
            DrawSkinObject(off, local, *bar->Bitmap, true, false, false, 2, frame, bar->Margins());
        else
            TileStrip(off, local, *bar->Bitmap, true, false, 2, frame, bar->Margins());
    } else {
        TBrushHandle face(CreateSolidBrush(ColorToRGB(static_cast<TColor>(SkinData->Colors[ciMenubar]))));
        FillRect(off, &local, face.get());
    }
    BarRect = band;
    Background.SetSize(width, height);
    BitBlt(Background.Canvas().Handle(), 0, 0, width, height, off, 0, 0, SRCCOPY);
    PlaceButtons(off, band, true);
    if (Form.MDIKind == mkFrame && Form.ActiveMdiChildMaximized()) PaintMdiChildButtons(off, band);
    BitBlt(dc, band.left, band.top, width, height, off, 0, 0, SRCCOPY);
}

void TWinSkinMenu::PaintMdiChildButtons(HDC dc, const RECT& band) {
    for (size_t i = 0; i < Form.Buttons.size(); ++i) {
        TWinSysButton& button = *Form.Buttons[i];
        if (button.SkinButton->Visibility != kMenuBandButton || button.SkinButton->Bitmap->Empty()) continue;
        if (!Form.ButtonVisible(static_cast<int>(i))) continue;
        RECT r = button.Rect;
        OffsetRect(&r, -band.left, -band.top);
        StretchFrame(dc, r, *button.SkinButton->Bitmap, true, button.SkinButton->Frame, 1);
    }
    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    if (manager && !manager->MdiMaximized) manager->SetMdiMaximized(true);
}

// ---- finding buttons ----------------------------------------------------------------------

TMenuBtn* TWinSkinMenu::MenuButtonAt(POINT p) const {
    for (const auto& button : Buttons)
        if (!button->Caption.empty() && PtInRect(&button->Rect, p)) return button.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::MenuButtonByAccel(wchar_t key) const {
    if (!key) return nullptr;
    for (const auto& button : Buttons) {
        if (!button->ItemEnabled || !button->Visible) continue;
        const wchar_t mark = AcceleratorOf(button->Caption);
        if (mark && std::towupper(mark) == std::towupper(key)) return button.get();
    }
    return nullptr;
}

}  // namespace velloran
