#include "framework/TabControls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/ImgList.h"
#include "framework/Messages.h"

namespace velloran {

const TEnumInfo TabPositionEnum{{"tpTop", "tpBottom", "tpLeft", "tpRight"}};
const TEnumInfo TabStyleEnum{{"tsTabs", "tsButtons", "tsFlatButtons"}};

// ---- TCustomTabControl --------------------------------------------------------------------

const TClassInfo& TCustomTabControl::StaticClassInfo() {
    using C = TCustomTabControl;
    using namespace props;
    static const TClassInfo info = DefineClass<C>(
        "TCustomTabControl", &TWinControl::StaticClassInfo(),
        {Bool("MultiLine", &C::MultiLine, &C::SetMultiLine),
         Enum("TabPosition", TabPositionEnum, &C::TabPosition, &C::SetTabPosition),
         Enum("Style", TabStyleEnum, &C::Style, &C::SetStyle), Bool("HotTrack", &C::HotTrack, &C::SetHotTrack),
         Bool("OwnerDraw", &C::OwnerDraw, &C::SetOwnerDraw), Reference("Images", &C::Images, &C::SetImages),
         Int("TabIndex", &C::TabIndex, &C::SetTabIndex), Event("OnChange", &C::OnChange),
         Event("OnChanging", &C::OnChanging)});
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    width_ = 289;
    height_ = 193;
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = WC_TABCONTROLA;
    p.Style |= TCS_TABS;
    // Tabs at a side stand in a column, which the system draws only as several rows.
    if (multiLine_ || tabPosition_ == tpLeft || tabPosition_ == tpRight) p.Style |= TCS_MULTILINE;
    if (tabPosition_ == tpBottom || tabPosition_ == tpRight) p.Style |= TCS_BOTTOM;
    if (tabPosition_ == tpLeft || tabPosition_ == tpRight) p.Style |= TCS_VERTICAL;
    if (style_ == tsButtons) p.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) p.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (hotTrack_) p.Style |= TCS_HOTTRACK;
    if (ownerDraw_) p.Style |= TCS_OWNERDRAWFIXED;
}

void TCustomTabControl::InitializeWnd() {
    TWinControl::InitializeWnd();
    if (images_) SendMessageA(handle_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    TabsChanged();
}

void TCustomTabControl::TabsChanged() {
    // A window that holds tabs knows the selection; a new one has none yet.
    if (handle_ && SendMessageA(handle_, TCM_GETITEMCOUNT, 0, 0) > 0) tabIndex_ = TabIndex();
    const std::vector<TTabItem> items = TabItems();
    tabIndex_ = std::min(tabIndex_, static_cast<int>(items.size()) - 1);
    if (tabIndex_ < 0 && !items.empty()) tabIndex_ = 0;
    if (handle_) {
        SendMessageA(handle_, TCM_DELETEALLITEMS, 0, 0);
        for (size_t i = 0; i < items.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = const_cast<char*>(items[i].Caption.c_str());
            item.iImage = items[i].ImageIndex;
            SendMessageA(handle_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
        Invalidate();
    }
    LayoutPages();
}

void TCustomTabControl::SetImages(TImageList* images) {
    if (images_ == images) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    if (handle_)
        SendMessageA(handle_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == images_) SetImages(nullptr);
}

int TCustomTabControl::TabIndex() const {
    return handle_ ? static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TCustomTabControl::SetTabIndex(int index) {
    if (index < -1 || index >= TabCount() || index == TabIndex()) return;
    tabIndex_ = index;
    if (handle_) SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Change();
}

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(POINT point) {
    TCHITTESTINFO hit{point, 0};
    return static_cast<int>(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TCustomTabControl::Change() {
    tabIndex_ = TabIndex();
    if (OnChange) OnChange(this);
}

void TCustomTabControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    if (handle_) LayoutPages();
}

void TCustomTabControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && IsNotification(m.LParam)) {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
            bool allow = true;
            if (OnChanging) OnChanging(this, allow);
            m.Result = allow ? FALSE : TRUE;
            return;
        }
        if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            Change();
            return;
        }
    }
    TWinControl::WndProc(m);
}

// ---- TTabControl --------------------------------------------------------------------------

const TClassInfo& TTabControl::StaticClassInfo() {
    using C = TTabControl;
    static const TClassInfo info =
        DefineClass<C>("TTabControl", &TCustomTabControl::StaticClassInfo(), {props::Lines("Tabs", &C::Tabs, &C::SetTabs)});
    return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner) {}

void TTabControl::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    TabsChanged();
}

std::vector<TTabItem> TTabControl::TabItems() const {
    std::vector<TTabItem> items;
    for (const std::string& tab : tabs_) items.push_back({tab, -1});
    return items;
}

// ---- TPageControl -------------------------------------------------------------------------

const TClassInfo& TPageControl::StaticClassInfo() {
    using C = TPageControl;
    static const TClassInfo info =
        DefineClass<C>("TPageControl", &TCustomTabControl::StaticClassInfo(),
                       {props::Reference("ActivePage", &C::ActivePage, &C::SetActivePage),
                        props::Int("ActivePageIndex", &C::ActivePageIndex, &C::SetActivePageIndex)});
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // Pages that outlive the control (owned by the form) forget it.
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

std::vector<TTabItem> TPageControl::TabItems() const {
    std::vector<TTabItem> items;
    for (const TTabSheet* page : pages_)
        if (page->TabVisible()) items.push_back({page->Caption(), page->ImageIndex()});
    return items;
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    int tab = 0;
    for (TTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        if (tab++ == tabIndex) return page;
    }
    return nullptr;
}

int TPageControl::ActivePageIndex() const {
    const auto at = std::find(pages_.begin(), pages_.end(), activePage_);
    return at == pages_.end() ? -1 : static_cast<int>(at - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    activePage_ = page;
    int tab = -1;
    for (int i = 0, visible = 0; page && i < PageCount(); ++i) {
        if (!Pages(i)->TabVisible()) continue;
        if (Pages(i) == page) tab = visible;
        ++visible;
    }
    if (HandleAllocated() && tab >= 0) SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    ShowActivePage();
}

void TPageControl::Change() {
    activePage_ = PageOfTab(TabIndex());
    ShowActivePage();
    TCustomTabControl::Change();
}

void TPageControl::ShowActivePage() {
    LayoutPages();
    for (TTabSheet* page : pages_) page->SetVisible(page == activePage_);
}

void TPageControl::LayoutPages() {
    if (!HandleAllocated()) return;
    const RECT display = DisplayRect();
    for (TTabSheet* page : pages_)
        page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    if (!activePage_) activePage_ = page;
    PageChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto at = std::find(pages_.begin(), pages_.end(), page);
    if (at == pages_.end()) return;
    const size_t index = static_cast<size_t>(at - pages_.begin());
    pages_.erase(at);
    // The page after it takes its place, or the one before when it was the last.
    if (activePage_ == page)
        activePage_ = pages_.empty() ? nullptr : pages_[std::min(index, pages_.size() - 1)];
    PageChanged();
}

// The tabs follow the pages; the active page keeps its tab selected.
void TPageControl::PageChanged() {
    TabsChanged();
    SetActivePage(activePage_);
}

bool TPageControl::CanClosePage(TTabSheet* page) {
    bool allow = true;
    if (OnCloseQuery) OnCloseQuery(this, page, allow);
    return allow;
}

// ---- TTabSheet ----------------------------------------------------------------------------

const TClassInfo& TTabSheet::StaticClassInfo() {
    using C = TTabSheet;
    static const TClassInfo info =
        DefineClass<C>("TTabSheet", &TWinControl::StaticClassInfo(),
                       {props::Reference("PageControl", &C::PageControl, &C::SetPageControl),
                        props::Bool("TabVisible", &C::TabVisible, &C::SetTabVisible),
                        props::Int("ImageIndex", &C::ImageIndex, &C::SetImageIndex),
                        props::Int("PageIndex", &C::PageIndex, nullptr)});
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { visible_ = false; }

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

// A sheet's parent is its page control: putting it on one makes it a page there.
void TTabSheet::SetParent(TWinControl* parent) {
    TPageControl* before = pageControl_;
    TWinControl::SetParent(parent);
    if (before) before->RemovePage(this);
    pageControl_ = dynamic_cast<TPageControl*>(parent);
    if (pageControl_) pageControl_->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (tabVisible_ == value) return;
    tabVisible_ = value;
    if (pageControl_) pageControl_->PageChanged();
}

void TTabSheet::SetImageIndex(int value) {
    if (imageIndex_ == value) return;
    imageIndex_ = value;
    if (pageControl_) pageControl_->PageChanged();
}

void TTabSheet::SetText(const std::string& text) {
    TWinControl::SetText(text);
    if (pageControl_) pageControl_->PageChanged();
}

// ---- TTabbedNotebook ----------------------------------------------------------------------

const TClassInfo& TTabPage::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TTabPage>("TTabPage", &TCustomPanel::StaticClassInfo());
    return info;
}

TTabPage::TTabPage(TComponent* owner) : TCustomPanel(owner) {
    SetBevelOuter(bvNone);
    visible_ = false;
}

const TClassInfo& TTabbedNotebook::StaticClassInfo() {
    using C = TTabbedNotebook;
    static const TClassInfo info =
        DefineClass<C>("TTabbedNotebook", &TCustomTabControl::StaticClassInfo(),
                       {props::Lines("Pages", &C::Pages, &C::SetPages),
                        props::Int("PageIndex", &C::PageIndex, &C::SetPageIndex)});
    return info;
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TCustomTabControl(owner) {}

std::vector<std::string> TTabbedNotebook::Pages() const {
    std::vector<std::string> names;
    for (const TTabPage* page : pages_) names.push_back(page->Caption());
    return names;
}

void TTabbedNotebook::SetPages(const std::vector<std::string>& names) {
    while (pages_.size() > names.size()) {
        Free(pages_.back());
        pages_.pop_back();
    }
    while (pages_.size() < names.size()) {
        auto* page = new TTabPage(this);
        page->SetParent(this);
        pages_.push_back(page);
    }
    for (size_t i = 0; i < names.size(); ++i) pages_[i]->SetCaption(names[i]);
    TabsChanged();
    Change();
}

void TTabbedNotebook::SetPageIndex(int index) { SetTabIndex(index); }

std::vector<TTabItem> TTabbedNotebook::TabItems() const {
    std::vector<TTabItem> items;
    for (const TTabPage* page : pages_) items.push_back({page->Caption(), -1});
    return items;
}

void TTabbedNotebook::Change() {
    LayoutPages();
    TCustomTabControl::Change();
}

void TTabbedNotebook::LayoutPages() {
    const int selected = TabIndex();
    for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->SetVisible(static_cast<int>(i) == selected);
    if (!HandleAllocated()) return;
    const RECT display = DisplayRect();
    for (TTabPage* page : pages_)
        page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
}

void RegisterTabControls() {
    for (const TClassInfo* c : {&TTabControl::StaticClassInfo(), &TPageControl::StaticClassInfo(),
                                &TTabSheet::StaticClassInfo(), &TTabbedNotebook::StaticClassInfo(),
                                &TTabPage::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
