#include "framework/ComboBoxExs.h"

#include <commctrl.h>

namespace velloran {

namespace {
// Room for the dropped list in the window's first size, as for the plain combo box.
constexpr int kListHeight = 8 * 16;
}  // namespace

const TClassInfo& TComboBoxEx::StaticClassInfo() {
    using C = TComboBoxEx;
    static const TClassInfo info =
        DefineClass<C>("TComboBoxEx", &TWinControl::StaticClassInfo(),
                       {props::Enum("Style", ComboBoxStyleEnum, &C::Style, &C::SetStyle),
                        props::Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex)});
    return info;
}

TComboBoxEx::TComboBoxEx(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 145;
    height_ = 22;
}

void TComboBoxEx::CreateParams(TCreateParams& p) {
    // The class is registered on demand.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    TWinControl::CreateParams(p);
    p.SysClassName = WC_COMBOBOXEXA;
    p.Style |= style_ == csSimple ? CBS_SIMPLE : style_ == csDropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    if (style_ != csSimple) p.Height += kListHeight;
}

void TComboBoxEx::InitializeWnd() {
    TWinControl::InitializeWnd();
    for (const TItem& item : items_) InsertItem(item);
    SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TComboBoxEx::SetStyle(TComboBoxStyle style) {
    if (style_ == style) return;
    itemIndex_ = ItemIndex();
    style_ = style;
    if (HandleAllocated()) RecreateWnd();
}

void TComboBoxEx::AddItem(const std::string& text, int indent) {
    items_.push_back({text, indent});
    if (handle_) InsertItem(items_.back());
}

void TComboBoxEx::InsertItem(const TItem& item) {
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_TEXT | CBEIF_INDENT;
    entry.iItem = -1;  // at the end
    entry.pszText = const_cast<char*>(item.Text.c_str());
    entry.iIndent = item.Indent;
    SendMessageA(handle_, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
}

int TComboBoxEx::ItemIndex() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBoxEx::SetItemIndex(int index) {
    itemIndex_ = index;
    if (handle_) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

HWND TComboBoxEx::ComboHandle() const {
    return handle_ ? reinterpret_cast<HWND>(SendMessageA(handle_, CBEM_GETCOMBOCONTROL, 0, 0)) : nullptr;
}

void TComboBoxEx::SetDroppedDown(bool dropped) {
    if (const HWND combo = ComboHandle()) SendMessageA(combo, CB_SHOWDROPDOWN, dropped ? TRUE : FALSE, 0);
}

}  // namespace velloran
