#include "skin/controls/SkinHeader.h"

#include <commctrl.h>

#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// Room between an item's edges and its image and text.
constexpr int kItemPadding = 4;
}  // namespace

const TClassInfo& TSkinHeader::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinHeader>("TSkinHeader", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinHeader::TSkinHeader(TComponent* owner) : TSkinControl(owner) {}

bool TSkinHeader::HasImage() const { return SkinData->Headerbar && !SkinData->Headerbar->Bitmap->Empty(); }

bool TSkinHeader::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_ERASEBKGND:
            if (!HasImage()) break;
            PaintWithoutErase(m);
            return false;
        default:
            break;
    }
    return TSkinControl::BeforeProc(m);
}

void TSkinHeader::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            // Painted before the header's own handler when the skin has the image.
            break;
        case WM_MOUSEMOVE: {
            const POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            int over = -1;
            for (size_t i = 0; i < items_.size(); ++i)
                if (PtInRect(&items_[i], p)) over = static_cast<int>(i);
            if (over != hotItem_) {
                hotItem_ = over;
                Refresh();
            }
            RequestMouseLeave(Window);
            break;
        }
        case WM_MOUSELEAVE:
            hotItem_ = -1;
            Refresh();
            break;
        default:
            TSkinControl::AfterProc(m);
    }
}

void TSkinHeader::PaintControl(HDC dc, const RECT& rect) {
    if (!HasImage()) return;
    Enabled = IsWindowEnabled(Window) != FALSE;
    TOffscreen off(dc, rect.right, rect.bottom);
    if (!off) return;
    FillColour(off.DC(), rect, SkinBackground());
    TSelectObject font(off.DC(), ControlFont());
    SetBkMode(off.DC(), TRANSPARENT);
    SetTextColor(off.DC(), Enabled ? FontColour() : GetSysColor(COLOR_BTNSHADOW));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Window, HDM_GETIMAGELIST, 0, 0));
    const int count = static_cast<int>(SendMessageW(Window, HDM_GETITEMCOUNT, 0, 0));
    items_.assign(static_cast<size_t>(count > 0 ? count : 0), RECT{});
    for (int i = 0; i < count; ++i) {
        SendMessageW(Window, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&items_[static_cast<size_t>(i)]));
        DrawItem(off.DC(), i, items_[static_cast<size_t>(i)], images);
    }
    off.CopyTo(dc, rect.left, rect.top);
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& item, HIMAGELIST images) {
    TDataSkinObject& art = *SkinData->Headerbar;
    DrawSkinFrame(dc, item, art.Frame, index == hotItem_ ? hfHot : hfNormal, art);
    wchar_t text[260] = {};
    HDITEMW info{};
    info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    info.pszText = text;
    info.cchTextMax = static_cast<int>(std::size(text));
    if (!SendMessageW(Window, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) return;
    RECT space{item.left + kItemPadding, item.top, item.right - kItemPadding, item.bottom};
    if (images && (info.fmt & HDF_IMAGE) && info.iImage >= 0) {
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        ImageList_Draw(images, info.iImage, dc, space.left, item.top + (item.bottom - item.top - height) / 2,
                       ILD_TRANSPARENT);
        space.left += width + kItemPadding;
    }
    const UINT alignment = (info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER  ? DT_CENTER
                           : (info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                                                                       : DT_LEFT;
    SkinDrawText(dc, text, space, TextFlags(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | alignment));
}

}  // namespace velloran
