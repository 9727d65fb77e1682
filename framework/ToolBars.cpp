#include "framework/ToolBars.h"

#include <algorithm>

#include "framework/Menus.h"
#include "framework/Messages.h"

namespace velloran {

namespace {
// Command identifiers of the buttons: the index above this base, clear of the system's own.
constexpr int kFirstCommand = 100;
}  // namespace

const TEnumInfo ToolButtonStyleEnum{{"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator"}};

const TClassInfo& TToolButton::StaticClassInfo() {
    using C = TToolButton;
    static const TClassInfo info = DefineClass<C>(
        "TToolButton", &TComponent::StaticClassInfo(),
        {props::Bool("Enabled", &C::Enabled, &C::SetEnabled),
         props::Enum("Style", ToolButtonStyleEnum, &C::Style, nullptr),
         props::Reference("DropdownMenu", &C::DropdownMenu, &C::SetDropdownMenu),
         props::Event("OnClick", &C::OnClick)});
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

int TToolButton::Index() const {
    if (!bar_) return -1;
    for (int i = 0; i < bar_->ButtonCount(); ++i)
        if (bar_->Buttons(i) == this) return i;
    return -1;
}

void TToolButton::SetEnabled(bool value) {
    enabled_ = value;
    if (bar_ && bar_->HandleAllocated())
        SendMessageW(bar_->Handle(), TB_ENABLEBUTTON, static_cast<WPARAM>(kFirstCommand + Index()), value);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (dropdownMenu_) dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == dropdownMenu_) dropdownMenu_ = nullptr;
}

const TClassInfo& TToolBar::StaticClassInfo() {
    using C = TToolBar;
    static const TClassInfo info = DefineClass<C>("TToolBar", &TWinControl::StaticClassInfo(),
                                                  {props::Bool("Flat", &C::Flat, &C::SetFlat),
                                                   props::Event("OnCustomDraw", &C::OnCustomDraw),
                                                   props::Event("OnCustomDrawButton", &C::OnCustomDrawButton)});
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 29;
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = TOOLBARCLASSNAMEA;
    // The bar keeps the place and size it is given.
    p.Style |= TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
               (flat_ ? TBSTYLE_FLAT : 0);
}

void TToolBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // Captions only: no image list.
    SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    for (int i = 0; i < ButtonCount(); ++i) InsertButton(i);
}

TToolButton* TToolBar::AddButton(const std::string& caption, TToolButtonStyle style) {
    auto* button = new TToolButton(this);
    button->caption_ = caption;
    button->style_ = style;
    button->bar_ = this;
    buttons_.push_back(button);
    if (HandleAllocated()) InsertButton(ButtonCount() - 1);
    return button;
}

void TToolBar::InsertButton(int index) {
    const TToolButton& button = *buttons_[static_cast<size_t>(index)];
    static const BYTE styles[] = {BTNS_BUTTON, BTNS_CHECK, BTNS_DROPDOWN, BTNS_SEP};
    TBBUTTON item{};
    item.iBitmap = button.style_ == tbsSeparator ? 6 : I_IMAGENONE;
    item.idCommand = kFirstCommand + index;
    item.fsState = button.enabled_ ? TBSTATE_ENABLED : 0;
    item.fsStyle = static_cast<BYTE>(styles[button.style_] | (button.style_ == tbsSeparator ? 0 : BTNS_AUTOSIZE));
    item.iString = button.style_ == tbsSeparator ? 0 : reinterpret_cast<INT_PTR>(button.caption_.c_str());
    SendMessageA(handle_, TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

RECT TToolBar::ButtonRect(int index) {
    RECT rect{};
    if (HandleAllocated()) SendMessageW(handle_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TToolBar::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    if (!HandleAllocated()) return;
    const LRESULT style = SendMessageW(handle_, TB_GETSTYLE, 0, 0);
    SendMessageW(handle_, TB_SETSTYLE, 0, value ? (style | TBSTYLE_FLAT) : (style & ~TBSTYLE_FLAT));
    InvalidateRect(handle_, nullptr, TRUE);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
    struct TCanvasScope {
        TCanvas& Canvas;
        ~TCanvasScope() { Canvas.SetHandle(nullptr); }
    } scope{canvas_};
    canvas_.SetHandle(draw.nmcd.hdc);
    bool defaultDraw = true;
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            if (OnCustomDraw) OnCustomDraw(this, ClientRect(), defaultDraw);
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
            return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        case CDDS_ITEMPREPAINT: {
            const int index = static_cast<int>(draw.nmcd.dwItemSpec) - kFirstCommand;
            if (!OnCustomDrawButton || index < 0 || index >= ButtonCount()) return CDRF_DODEFAULT;
            uint32_t flags = 0;
            canvas_.Font()->SetColor(Font()->Color());
            OnCustomDrawButton(this, Buttons(index), draw, flags, defaultDraw);
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
            draw.clrText = ColorToRGB(canvas_.Font()->Color());
            return ((flags & tdNoEdges) ? TBCDRF_NOEDGES | TBCDRF_NOOFFSET : 0) |
                   ((flags & tdNoBackground) ? TBCDRF_NOBACKGROUND : 0);
        }
        default:
            return CDRF_DODEFAULT;
    }
}

void TToolBar::DropDown(int index) {
    TPopupMenu* menu = Buttons(index)->DropdownMenu();
    if (!menu) return;
    const RECT rect = ButtonRect(index);
    POINT below{rect.left, rect.bottom};
    ClientToScreen(handle_, &below);
    menu->SetPopupComponent(Buttons(index));
    menu->Popup(below.x, below.y);
}

void TToolBar::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        // The bar shows its colour, or its parent's look, between and under its buttons, the same
        // whatever look the system would give bars.
        PaintBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    }
    if (m.Msg == CN_COMMAND) {
        const int index = static_cast<int>(LOWORD(m.WParam)) - kFirstCommand;
        if (index >= 0 && index < ButtonCount() && Buttons(index)->OnClick) Buttons(index)->OnClick(Buttons(index));
        m.Result = 0;
        return;
    }
    if (m.Msg == CN_NOTIFY && IsNotification(m.LParam)) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == NM_CUSTOMDRAW) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
            return;
        }
        if (header->code == TBN_DROPDOWN) {
            const int index = reinterpret_cast<NMTOOLBARW*>(m.LParam)->iItem - kFirstCommand;
            if (index >= 0 && index < ButtonCount()) DropDown(index);
            m.Result = TBDDRET_DEFAULT;
            return;
        }
    }
    TWinControl::WndProc(m);
}

void RegisterToolBars() {
    for (const TClassInfo* c : {&TToolBar::StaticClassInfo(), &TToolButton::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
