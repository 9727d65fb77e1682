#include "framework/ListViews.h"

#include "framework/Messages.h"

namespace velloran {

const TEnumInfo ViewStyleEnum{{"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};

namespace {
constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
// Cell texts longer than this compare by their beginning only.
constexpr int kSortTextLength = 256;

struct TSortRequest {
    HWND List;
    int Column;
    bool Ascending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM request) {
    const auto& sort = *reinterpret_cast<const TSortRequest*>(request);
    char texts[2][kSortTextLength];
    const LPARAM rows[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        LVITEMA cell{};
        cell.iSubItem = sort.Column;
        cell.pszText = texts[i];
        cell.cchTextMax = kSortTextLength;
        texts[i][0] = '\0';
        SendMessageA(sort.List, LVM_GETITEMTEXTA, static_cast<WPARAM>(rows[i]), reinterpret_cast<LPARAM>(&cell));
    }
    const int order = lstrcmpiA(texts[0], texts[1]);
    return sort.Ascending ? order : -order;
}
}  // namespace

const TClassInfo& TListView::StaticClassInfo() {
    using C = TListView;
    static const TClassInfo info = DefineClass<C>("TListView", &TWinControl::StaticClassInfo(),
                                                  {props::Enum("ViewStyle", ViewStyleEnum, &C::ViewStyle, &C::SetViewStyle),
                                                   props::Bool("ColumnClick", &C::ColumnClick, &C::SetColumnClick)});
    return info;
}

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 250;
    height_ = 150;
}

void TListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = WC_LISTVIEWA;
    p.Style |= kViewStyles[viewStyle_] | LVS_SHOWSELALWAYS | LVS_SINGLESEL | (columnClick_ ? 0 : LVS_NOSORTHEADER);
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::SetViewStyle(TViewStyle style) {
    if (viewStyle_ == style) return;
    viewStyle_ = style;
    if (!HandleAllocated()) return;
    const LONG_PTR others = GetWindowLongPtrA(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    SetWindowLongPtrA(Handle(), GWL_STYLE, others | kViewStyles[style]);
}

void TListView::AddColumn(const std::string& caption, int width) {
    const int count = static_cast<int>(
        SendMessageA(reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption.c_str());
    column.cx = width;
    column.iSubItem = count;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column));
}

void TListView::AddItem(const std::vector<std::string>& cells) {
    if (cells.empty()) return;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount();
    item.pszText = const_cast<char*>(cells[0].c_str());
    const int row = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t i = 1; i < cells.size(); ++i) {
        LVITEMA cell{};
        cell.iSubItem = static_cast<int>(i);
        cell.pszText = const_cast<char*>(cells[i].c_str());
        SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
}

void TListView::SetColumnClick(bool value) {
    if (columnClick_ == value) return;
    columnClick_ = value;
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    SetWindowLongPtrA(Handle(), GWL_STYLE, value ? style & ~LVS_NOSORTHEADER : style | LVS_NOSORTHEADER);
}

void TListView::SortBy(int column, bool ascending) {
    sortColumn_ = column;
    sortAscending_ = ascending;
    TSortRequest request{Handle(), column, ascending};
    SendMessageA(handle_, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&request), reinterpret_cast<LPARAM>(&CompareRows));
}

void TListView::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && columnClick_ && IsNotification(m.LParam) &&
        reinterpret_cast<const NMHDR*>(m.LParam)->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW*>(m.LParam)->iSubItem;
        SortBy(column, column != sortColumn_ || !sortAscending_);
    }
    TWinControl::WndProc(m);
}

int TListView::ItemCount() const {
    return HandleAllocated() ? static_cast<int>(SendMessageA(handle_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

const TClassInfo& TTreeView::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TTreeView>("TTreeView", &TWinControl::StaticClassInfo());
    return info;
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 121;
    height_ = 97;
}

void TTreeView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = WC_TREEVIEWA;
    p.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

HTREEITEM TTreeView::AddItem(HTREEITEM parent, const std::string& text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text.c_str());
    return reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TTreeView::Expand(HTREEITEM item) { SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }

void RegisterListViewControls() {
    for (const TClassInfo* c : {&TListView::StaticClassInfo(), &TTreeView::StaticClassInfo()}) RegisterComponentClass(*c);
}

}  // namespace velloran
