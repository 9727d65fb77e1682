#include "framework/ComboBoxes.h"

#include "framework/Messages.h"

namespace velloran {

namespace {
// The height of one item of the dropped list, for the window's first size.
constexpr int kListItemHeight = 16;
}  // namespace

const TEnumInfo ComboBoxStyleEnum{{"csDropDown", "csSimple", "csDropDownList"}};

const TClassInfo& TComboBox::StaticClassInfo() {
    using C = TComboBox;
    static const TClassInfo info = DefineClass<C>(
        "TComboBox", &TWinControl::StaticClassInfo(),
        {props::Enum("Style", ComboBoxStyleEnum, &C::Style, &C::SetStyle),
         props::Int("DropDownCount", &C::DropDownCount, &C::SetDropDownCount),
         props::Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex), props::Event("OnChange", &C::OnChange)});
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 145;
    height_ = 21;
}

void TComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "COMBOBOX";
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    p.Style |= style_ == csSimple ? CBS_SIMPLE : style_ == csDropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    // A simple combo's list fills the height it is given, leaving no unpainted strip below it.
    if (style_ == csSimple) p.Style |= CBS_NOINTEGRALHEIGHT;
    // The system takes the height of a dropping combo as that of its field with the list open.
    if (style_ != csSimple) p.Height += dropDownCount_ * kListItemHeight;
}

void TComboBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    for (const std::string& item : items_) SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style_ == style) return;
    itemIndex_ = ItemIndex();
    style_ = style;
    RecreateWnd();
}

int TComboBox::ItemIndex() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (handle_) SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::AddItem(const std::string& text) {
    items_.push_back(text);
    if (handle_) SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TComboBox::DroppedDown() const { return handle_ && SendMessageA(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TComboBox::SetDroppedDown(bool dropped) {
    if (handle_) SendMessageA(handle_, CB_SHOWDROPDOWN, dropped ? TRUE : FALSE, 0);
}

void TComboBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == CBN_SELCHANGE && OnChange) OnChange(this);
    TWinControl::WndProc(m);
}

}  // namespace velloran
