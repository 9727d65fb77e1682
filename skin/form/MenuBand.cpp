#include "skin/form/MenuBand.h"

#include "framework/Handles.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

constexpr int kItemPadding = 7;

std::wstring ItemCaption(HMENU menu, int position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return {};
    return text;
}

}  // namespace

void TMenuBand::Layout(HDC dc, const RECT& band) {
    items_.clear();
    const HMENU menu = form_.WindowMenu;
    if (!menu || !IsMenu(menu)) return;
    TSelectObject font(dc, MenuFont());
    int x = band.left;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        TItem item{ItemCaption(menu, i)};
        RECT measure{0, 0, 0, 0};
        DrawTextW(dc, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &measure,
                  DT_CALCRECT | DT_SINGLELINE);
        item.Rect = {x, band.top, x + measure.right + 2 * kItemPadding, band.bottom};
        x = item.Rect.right;
        items_.push_back(std::move(item));
    }
}

void TMenuBand::Paint(HDC dc, const RECT& band) {
    if (band.right <= band.left || band.bottom <= band.top) return;
    TSkinData& skin = *form_.SkinData;
    // Composed off screen and copied once, like the rest of the frame.
    TBitmap image;
    image.SetSize(band.right - band.left, band.bottom - band.top);
    TCanvas& canvas = image.Canvas();
    const HDC off = canvas.Handle();
    const RECT local{0, 0, band.right - band.left, band.bottom - band.top};
    FillRect(off, &local, skin.FaceBrush.get());

    const RECT origin{0, 0, local.right, local.bottom};
    Layout(off, origin);
    {
        TSelectObject font(off, MenuFont());
        const int oldMode = SetBkMode(off, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(off, ColorToRGB(static_cast<TColor>(skin.Colors[ciMenuBarText])));
        for (TItem& item : items_) {
            RECT text = item.Rect;
            DrawTextW(off, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &text,
                      DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            OffsetRect(&item.Rect, band.left, band.top);
        }
        SetTextColor(off, oldColor);
        SetBkMode(off, oldMode);
    }
    // A maximised MDI child's buttons live in this band.
    for (size_t i = 0; i < form_.Buttons.size(); ++i) {
        TWinSysButton& button = *form_.Buttons[i];
        if (button.SkinButton->Visibility != 100 || button.SkinButton->Bitmap->Empty()) continue;
        if (!form_.ButtonVisible(static_cast<int>(i))) continue;
        RECT r = button.Rect;
        OffsetRect(&r, -band.left, -band.top);
        StretchFrame(off, r, *button.SkinButton->Bitmap, true, button.SkinButton->Frame, 1);
    }
    BitBlt(dc, band.left, band.top, local.right, local.bottom, off, 0, 0, SRCCOPY);
}

int TMenuBand::ItemAt(POINT windowPoint) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (PtInRect(&items_[i].Rect, windowPoint)) return static_cast<int>(i);
    return -1;
}

void TMenuBand::Open(int index) {
    const HMENU menu = form_.WindowMenu;
    if (index < 0 || static_cast<size_t>(index) >= items_.size() || !menu || !IsMenu(menu)) return;
    RECT window{};
    GetWindowRect(form_.Handle, &window);
    const RECT& r = items_[static_cast<size_t>(index)].Rect;
    if (HMENU popup = GetSubMenu(menu, index)) {
        SendMessageW(form_.Handle, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, window.left + r.left,
                       window.top + r.bottom, 0, form_.Handle, nullptr);
    } else {
        PostMessageW(form_.Handle, WM_COMMAND, GetMenuItemID(menu, index), 0);
    }
}

}  // namespace velloran
