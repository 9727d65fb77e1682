#include "framework/HeaderControls.h"

#include <commctrl.h>

#include "framework/Messages.h"

namespace velloran {

const TClassInfo& THeaderControl::StaticClassInfo() {
    using C = THeaderControl;
    static const TClassInfo info = DefineClass<C>("THeaderControl", &TWinControl::StaticClassInfo(),
                                                  {props::Bool("HotTrack", &C::HotTrack, &C::SetHotTrack)});
    return info;
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 17;
}

void THeaderControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = WC_HEADERA;
    p.Style |= HDS_BUTTONS | HDS_HORZ | (hotTrack_ ? HDS_HOTTRACK : 0);
}

void THeaderControl::InitializeWnd() {
    TWinControl::InitializeWnd();
    for (int i = 0; i < static_cast<int>(sections_.size()); ++i) InsertSection(i);
}

void THeaderControl::SetHotTrack(bool value) {
    if (hotTrack_ == value) return;
    hotTrack_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void THeaderControl::AddSection(const std::string& text, int width) {
    sections_.push_back({text, width});
    if (HandleAllocated()) InsertSection(static_cast<int>(sections_.size()) - 1);
}

void THeaderControl::InsertSection(int index) {
    const THeaderSection& section = sections_[static_cast<size_t>(index)];
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<char*>(section.Text.c_str());
    item.cxy = section.Width;
    SendMessageA(handle_, HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void THeaderControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && IsNotification(m.LParam)) {
        const auto* header = reinterpret_cast<const NMHEADERA*>(m.LParam);
        if ((header->hdr.code == HDN_ITEMCLICKA || header->hdr.code == HDN_ITEMCLICKW) && OnSectionClick)
            OnSectionClick(this, header->iItem);
    }
    TWinControl::WndProc(m);
}

}  // namespace velloran
