#pragma once
// The tab controls: a row of tabs over a client area (TTabControl), the same with one page per tab
// (TPageControl and its TTabSheet), and the older notebook whose pages are named by a list of
// strings (TTabbedNotebook). All are the system's tab control underneath.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/ExtCtrls.h"

namespace velloran {

class TImageList;
class TTabSheet;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
extern const TEnumInfo TabPositionEnum;
extern const TEnumInfo TabStyleEnum;

// What a tab shows.
struct TTabItem {
    std::string Caption;
    int ImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject*, bool& allowChange)>;

class TCustomTabControl : public TWinControl {
    VELLORAN_CLASS(TCustomTabControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { ChangeStyle(multiLine_, value); }
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value) { ChangeStyle(tabPosition_, value); }
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value) { ChangeStyle(style_, value); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { ChangeStyle(hotTrack_, value); }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value) { ChangeStyle(ownerDraw_, value); }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // The selected tab, -1 for none.
    int TabIndex() const;
    void SetTabIndex(int index);
    int TabCount() const { return static_cast<int>(TabItems().size()); }
    // The area inside the tabs' frame, in client coordinates.
    RECT DisplayRect();
    // The tab at a client point, -1 for none.
    int IndexOfTabAt(POINT point);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    void BoundsChanged() override;
    // The tabs, in order.
    virtual std::vector<TTabItem> TabItems() const = 0;
    // The selection moved to another tab.
    virtual void Change();
    // Puts the tabs into the window again after TabItems changed.
    void TabsChanged();
    // The display area or the tabs changed: the pages that fill the area follow.
    virtual void LayoutPages() {}

private:
    template <class V>
    void ChangeStyle(V& field, V value) {
        if (field == value) return;
        field = value;
        if (HandleAllocated()) RecreateWnd();
    }

    bool multiLine_ = false;
    TTabPosition tabPosition_ = tpTop;
    TTabStyle style_ = tsTabs;
    bool hotTrack_ = false;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    int tabIndex_ = -1;  // kept while there is no window
};

// Tabs over an area that the program fills itself, changing what it shows in OnChange.
class TTabControl : public TCustomTabControl {
    VELLORAN_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* owner);
    std::vector<std::string> Tabs() const { return tabs_; }
    void SetTabs(const std::vector<std::string>& tabs);

protected:
    std::vector<TTabItem> TabItems() const override;

private:
    std::vector<std::string> tabs_;
};

// Tabs over pages: each visible TTabSheet child has a tab, and the page of the selected tab shows.
class TPageControl : public TCustomTabControl {
    VELLORAN_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The page of a tab, null for none: pages whose tab is hidden have none.
    TTabSheet* PageOfTab(int tabIndex) const;

    // Asked whether a page may close when its tab's close box is clicked; allowed unless the
    // handler says otherwise.
    std::function<void(TObject*, TTabSheet* page, bool& allowClose)> OnCloseQuery;
    bool CanClosePage(TTabSheet* page);

protected:
    std::vector<TTabItem> TabItems() const override;
    void Change() override;
    void LayoutPages() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PageChanged();
    void ShowActivePage();

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};

class TTabSheet : public TWinControl {
    VELLORAN_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;
    int PageIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    void SetText(const std::string& text) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

// A page of a tabbed notebook: a panel without bevels that the notebook shows for its tab. Its
// caption names the tab; the page itself shows only its colour.
class TTabPage : public TCustomPanel {
    VELLORAN_CLASS(TTabPage)
public:
    explicit TTabPage(TComponent* owner);

protected:
    void PaintWindow(HDC dc) override { TWinControl::PaintWindow(dc); }
};

// Tabs named by the Pages list, each with a TTabPage made for it.
class TTabbedNotebook : public TCustomTabControl {
    VELLORAN_CLASS(TTabbedNotebook)
public:
    explicit TTabbedNotebook(TComponent* owner);
    std::vector<std::string> Pages() const;
    void SetPages(const std::vector<std::string>& names);
    int PageIndex() const { return TabIndex(); }
    void SetPageIndex(int index);
    TTabPage* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }

protected:
    std::vector<TTabItem> TabItems() const override;
    void Change() override;
    void LayoutPages() override;

private:
    std::vector<TTabPage*> pages_;
};

// Makes the classes known to form data by name.
void RegisterTabControls();

}  // namespace velloran
