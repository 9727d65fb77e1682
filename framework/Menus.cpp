#include "framework/Menus.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/MenuMetrics.h"

namespace velloran {

namespace {
std::map<UINT, TMenuItem*>& Commands() {
    static std::map<UINT, TMenuItem*> commands;
    return commands;
}

UINT AllocateCommand(TMenuItem* item) {
    static UINT next = 0;
    auto& commands = Commands();
    if (commands.size() >= 0xFFFE) throw std::runtime_error("Too many menu items");
    do {
        next = next % 0xFFFF + 1;  // 1 .. 0xFFFF: menu identifiers are 16 bits in WM_COMMAND
    } while (commands.count(next));
    commands[next] = item;
    return next;
}
}  // namespace

// ---- TMenuItem ---------------------------------------------------------------------------

const TClassInfo& TMenuItem::StaticClassInfo() {
    using C = TMenuItem;
    static const TClassInfo info = DefineClass<C>(
        "TMenuItem", &TComponent::StaticClassInfo(),
        {props::String("Caption", &C::Caption, &C::SetCaption), props::Bool("Checked", &C::Checked, &C::SetChecked),
         props::Bool("Visible", &C::Visible, &C::SetVisible), props::Bool("Enabled", &C::Enabled, &C::SetEnabled),
         props::Bool("Default", &C::Default, &C::SetDefault), props::Bool("RadioItem", &C::RadioItem, &C::SetRadioItem),
         props::Int("ImageIndex", &C::ImageIndex, &C::SetImageIndex), props::Int("ShortCut", &C::ShortCut, &C::SetShortCut),
         props::String("Hint", &C::Hint, &C::SetHint), props::Event("OnClick", &C::OnClick),
         props::Event("OnDrawItem", &C::OnDrawItem), props::Event("OnMeasureItem", &C::OnMeasureItem)});
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
    Commands().erase(command_);
    if (parent_) parent_->Remove(this);
    // Children are owned elsewhere (by the form); they only lose their parent.
    while (!items_.empty()) Remove(items_.back());
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu()) menu->Changed();
}

void TMenuItem::SetCaption(const std::string& c) { caption_ = c; Changed(); }
void TMenuItem::SetChecked(bool v) { checked_ = v; Changed(); }
void TMenuItem::SetVisible(bool v) { visible_ = v; Changed(); }
void TMenuItem::SetEnabled(bool v) { enabled_ = v; Changed(); }
void TMenuItem::SetRadioItem(bool v) { radioItem_ = v; Changed(); }
void TMenuItem::SetImageIndex(int v) { imageIndex_ = v; Changed(); }
void TMenuItem::SetShortCut(int v) { shortCut_ = v; Changed(); }

void TMenuItem::SetDefault(bool v) {
    // Only one item of a level can be the default.
    if (v && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = v;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) throw std::invalid_argument("Invalid menu item");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    Changed();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    auto& list = parent_->items_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::Click() {
    if (OnClick) OnClick(this);
}

void TMenuItem::BuildInto(HMENU menu, UINT typeFlags) {
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
        mii.wID = item->command_;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        if (item->IsLine()) {
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fMask |= MIIM_STRING;
            mii.dwTypeData = const_cast<char*>(item->caption_.c_str());
        }
        mii.fType |= typeFlags;
        if (item->radioItem_) mii.fType |= MFT_RADIOCHECK;
        mii.fState = (item->checked_ ? MFS_CHECKED : 0) | (item->enabled_ ? 0 : MFS_DISABLED) |
                     (item->default_ ? MFS_DEFAULT : 0);
        if (!item->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            item->BuildInto(sub, typeFlags);
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = sub;  // destroyed with its parent menu
        }
        InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
    }
}

void TMenuItem::MeasureItem(HDC dc, int& width, int& height) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    SIZE size{};
    GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    const TMenuMetrics& metrics = MenuMetrics();
    width = size.cx + 2 * metrics.CheckWidth;
    height = IsLine() ? metrics.ItemHeight / 2 : std::max<int>(size.cy + 4, metrics.ItemHeight);
    if (OnMeasureItem) OnMeasureItem(this, &canvas, width, height);
    canvas.SetHandle(nullptr);
}

void TMenuItem::DrawItem(HDC dc, RECT rect, bool selected) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (OnDrawItem) {
        OnDrawItem(this, &canvas, rect, selected);
    } else {
        HBRUSH back = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
        FillRect(dc, &rect, back);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        RECT text = rect;
        text.left += MenuMetrics().CheckWidth + 4;
        if (IsLine()) {
            RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, (rect.top + rect.bottom) / 2 + 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        } else {
            DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, DT_SINGLELINE | DT_VCENTER);
        }
    }
    canvas.SetHandle(nullptr);
}

// ---- TMenu -------------------------------------------------------------------------------

const TClassInfo& TMenu::StaticClassInfo() {
    using C = TMenu;
    static const TClassInfo info = DefineClass<C>(
        "TMenu", &TComponent::StaticClassInfo(),
        {props::Bool("OwnerDraw", &C::OwnerDraw, &C::SetOwnerDraw),
         props::Bool("RightToLeft", &C::RightToLeft, &C::SetRightToLeft), props::Reference("Images", &C::Images, &C::SetImages)});
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    handle_.reset();
    // The items are owned by the form; unhook them from this menu's root before it goes.
    while (items_->Count()) items_->Remove(items_->Items(items_->Count() - 1));
    items_->menu_ = nullptr;
}

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_.reset(CreateMenuHandle());
        if (!handle_) throw std::runtime_error("Cannot create menu");
        items_->BuildInto(handle_.get(), (ownerDraw_ ? MFT_OWNERDRAW : 0u) | (rightToLeft_ ? MFT_RIGHTORDER : 0u));
    }
    return handle_.get();
}

void TMenu::Changed() {
    if (HasState(csDestroying)) return;
    handle_.reset();
}

void TMenu::SetOwnerDraw(bool v) {
    ownerDraw_ = v;
    Changed();
}

void TMenu::SetRightToLeft(bool v) {
    rightToLeft_ = v;
    Changed();
}

void TMenu::SetImages(TImageList* images) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    Changed();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == images_) images_ = nullptr;
}

// ---- TMainMenu ---------------------------------------------------------------------------

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMainMenu>("TMainMenu", &TMenu::StaticClassInfo());
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

void TMainMenu::Changed() {
    // The form shows the menu handle; give it the rebuilt one.
    auto* form = dynamic_cast<TForm*>(Owner());
    bool attached = form && form->Menu() == this && form->HandleAllocated();
    if (attached) ::SetMenu(form->Handle(), nullptr);
    ReleaseForeignItems();
    TMenu::Changed();
    if (attached && !HasState(csDestroying)) {
        ::SetMenu(form->Handle(), Handle());
        DrawMenuBar(form->Handle());
        form->Perform(CM_MENUCHANGED);
    }
}

// An MDI client puts a maximised child's system menu and buttons into its frame's menu; they
// belong to the child, so the old menu must not take them down with it.
void TMainMenu::ReleaseForeignItems() {
    if (!handle_) return;
    for (int position = GetMenuItemCount(handle_.get()) - 1; position >= 0; --position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        if (!GetMenuItemInfoA(handle_.get(), static_cast<UINT>(position), TRUE, &info)) continue;
        if ((info.fType & MFT_BITMAP) || info.wID >= SC_SIZE)
            RemoveMenu(handle_.get(), static_cast<UINT>(position), MF_BYPOSITION);
    }
}

// ---- TPopupMenu --------------------------------------------------------------------------

const TClassInfo& TPopupMenu::StaticClassInfo() {
    using C = TPopupMenu;
    static const TClassInfo info = DefineClass<C>(
        "TPopupMenu", &TMenu::StaticClassInfo(),
        {props::Bool("AutoPopup", &C::AutoPopup, &C::SetAutoPopup), props::Event("OnPopup", &C::OnPopup)});
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::PopupWindow() {
    static TUtilWindow window([](TMessage& m) { return DispatchMenuMessage(m); });
    return window.Handle();
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, PopupWindow(), nullptr);
}

bool DispatchMenuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
        if (m.LParam == 0 && HIWORD(m.WParam) == 0) {
            if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(m.WParam))) {
                item->Click();
                return true;
            }
        }
        return false;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mis->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<TMenuItem*>(mis->itemData);
        if (!item) return false;
        TWindowDC dc(nullptr);
        int w = 0, h = 0;
        item->MeasureItem(dc.get(), w, h);
        mis->itemWidth = static_cast<UINT>(std::max(w, 0));
        mis->itemHeight = static_cast<UINT>(std::max(h, 0));
        m.Result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (dis->CtlType != ODT_MENU) return false;
        auto* item = reinterpret_cast<TMenuItem*>(dis->itemData);
        if (!item) return false;
        item->DrawItem(dis->hDC, dis->rcItem, (dis->itemState & ODS_SELECTED) != 0);
        m.Result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

void RegisterMenuClasses() {
    for (const TClassInfo* c :
         {&TMenuItem::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TPopupMenu::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
