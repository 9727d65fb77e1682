// What the tab skinners read from a tab control: the edge its tabs stand on, the page area and
// each tab's text and image.
#include "skin/controls/SkinTabs.h"

#include <commctrl.h>

#include "skin/controls/SkinSpin.h"
#include "skin/data/ImgUtil.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {
// How far the page image reaches past the display area.
constexpr int kPageOverlap = 4;
// The longest tab text read.
constexpr int kTabTextLength = 80;
}  // namespace

TTabEdge TabEdgeOfStyle(DWORD style) {
    const bool bottom = (style & TCS_BOTTOM) != 0;
    if (style & TCS_VERTICAL) return bottom ? teRight : teLeft;
    return bottom ? teBottom : teTop;
}

RECT TabPageRect(HWND tabs, const RECT& window, TTabEdge edge) {
    RECT page = window;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, kPageOverlap, kPageOverlap);
    switch (edge) {
        case teTop:
            ++page.top;
            break;
        case teBottom:
            --page.bottom;
            break;
        case teLeft:
            ++page.left;
            break;
        case teRight:
            --page.right;
            break;
    }
    return page;
}

bool ReadTab(HWND tabs, bool unicode, int index, TTabRead& tab) {
    constexpr UINT kMask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    if (unicode) {
        wchar_t text[kTabTextLength] = {};
        TCITEMW item{};
        item.mask = kMask;
        item.pszText = text;
        item.cchTextMax = kTabTextLength;
        if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return false;
        tab.Text = text;
        tab.Image = item.iImage;
        return true;
    }
    char text[kTabTextLength] = {};
    TCITEMA item{};
    item.mask = kMask;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    if (!SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return false;
    tab.Text = AnsiToWide(text);
    tab.Image = item.iImage;
    return true;
}

void SkinTabArrows(TWinSkinForm* form, HWND arrows, TSkinData* skinData, TCanvas* canvas) {
    if (!form || !arrows || form->FindSkinner(arrows)) return;
    auto* spin = new TSkinUpDown(form);
    spin->Horizontal = true;
    spin->InitSkinHandle(arrows, skinData, form, canvas);
}

HWND TabArrows(HWND tabs) { return FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr); }

}  // namespace velloran
