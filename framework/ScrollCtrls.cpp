#include "framework/ScrollCtrls.h"

#include <algorithm>
#include <stdexcept>

namespace velloran {

const TEnumInfo ScrollBarKindEnum{{"sbHorizontal", "sbVertical"}};

// ---- TListBox ----------------------------------------------------------------------------

const TClassInfo& TListBoxStrings::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TListBoxStrings>("TListBoxStrings", &TStrings::StaticClassInfo());
    return info;
}

int TListBoxStrings::Count() const { return static_cast<int>(SendMessageA(list_.Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBoxStrings::Get(int index) const {
    const LRESULT length = SendMessageA(list_.Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) throw std::out_of_range("List index out of bounds");
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list_.Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TListBoxStrings::Insert(int index, const std::string& value) {
    const LRESULT at = SendMessageA(list_.Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(value.c_str()));
    if (at < 0) throw std::runtime_error("The list box cannot take more items");
}

void TListBoxStrings::Delete(int index) { SendMessageA(list_.Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TListBoxStrings::Clear() { SendMessageA(list_.Handle(), LB_RESETCONTENT, 0, 0); }

const TClassInfo& TListBox::StaticClassInfo() {
    using C = TListBox;
    static const TClassInfo info =
        DefineClass<C>("TListBox", &TWinControl::StaticClassInfo(),
                       {props::SubObject("Items", &C::Items), props::Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex)});
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 121;
    height_ = 97;
}

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "LISTBOX";
    p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

int TListBox::ItemIndex() const { return handle_ ? static_cast<int>(SendMessageA(handle_, LB_GETCURSEL, 0, 0)) : -1; }

void TListBox::SetItemIndex(int index) { SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

// ---- TScrollBar --------------------------------------------------------------------------

const TClassInfo& TScrollBar::StaticClassInfo() {
    using C = TScrollBar;
    static const TClassInfo info = DefineClass<C>(
        "TScrollBar", &TWinControl::StaticClassInfo(),
        {props::Enum("Kind", ScrollBarKindEnum, &C::Kind, &C::SetKind), props::Int("Min", &C::Min, &C::SetMin),
         props::Int("Max", &C::Max, &C::SetMax), props::Int("PageSize", &C::PageSize, &C::SetPageSize),
         props::Int("Position", &C::Position, &C::SetPosition),
         props::Int("SmallChange", &C::SmallChange, &C::SetSmallChange),
         props::Int("LargeChange", &C::LargeChange, &C::SetLargeChange), props::Event("OnChange", &C::OnChange)});
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "SCROLLBAR";
    p.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    UpdateBar();
}

void TScrollBar::UpdateBar() {
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, min_, max_, static_cast<UINT>(pageSize_), position_};
    SendMessageA(Handle(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    std::swap(width_, height_);
    RecreateWnd();
}

void TScrollBar::SetPosition(int position) {
    // The highest position shows the last page whole.
    const int highest = pageSize_ > 0 ? max_ - pageSize_ + 1 : max_;
    position = std::clamp(position, min_, std::max(min_, highest));
    if (position == position_) return;
    position_ = position;
    UpdateBar();
    if (OnChange) OnChange(this);
}

void TScrollBar::SetMin(int value) {
    min_ = value;
    UpdateBar();
}

void TScrollBar::SetMax(int value) {
    max_ = value;
    UpdateBar();
}

void TScrollBar::SetPageSize(int value) {
    pageSize_ = value;
    UpdateBar();
}

void TScrollBar::Scroll(int code, int thumbPosition) {
    switch (code) {
        case SB_LINEUP:
            SetPosition(position_ - smallChange_);
            break;
        case SB_LINEDOWN:
            SetPosition(position_ + smallChange_);
            break;
        case SB_PAGEUP:
            SetPosition(position_ - largeChange_);
            break;
        case SB_PAGEDOWN:
            SetPosition(position_ + largeChange_);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetPosition(thumbPosition);
            break;
        case SB_TOP:
            SetPosition(min_);
            break;
        case SB_BOTTOM:
            SetPosition(max_);
            break;
        default:
            break;
    }
}

void TScrollBar::WndProc(TMessage& m) {
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        // The thumb's place as the system tracks it, in full 32 bits.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS};
        GetScrollInfo(Handle(), SB_CTL, &info);
        Scroll(LOWORD(m.WParam), info.nTrackPos);
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

void RegisterScrollControls() {
    for (const TClassInfo* c : {&TListBox::StaticClassInfo(), &TScrollBar::StaticClassInfo()}) RegisterComponentClass(*c);
}

}  // namespace velloran
