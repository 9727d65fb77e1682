#pragma once
// The tab set: the older row of tabs that hang from its top edge, usually under a notebook. It
// lays its tabs out itself, from FirstIndex on, each as wide as its caption and a little more,
// as many as fit between the margins; when not all of them fit, its scroller (its first
// component) steps FirstIndex.
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/UpDowns.h"

namespace velloran {

class TTabSet;

// The pair of arrows at the right end of a tab set.
class TTabScroller : public TUpDown {
    VELLORAN_CLASS(TTabScroller)
public:
    explicit TTabScroller(TComponent* owner);
    void WndProc(TMessage& message) override;
};

class TTabSet : public TWinControl {
    VELLORAN_CLASS(TTabSet)
public:
    // Room a tab gives its caption, and what must stay free after the last tab: a little, or
    // room for the scroller as well.
    static constexpr int kTabPadding = 9;
    static constexpr int kEndRoom = 9;
    static constexpr int kScrollerRoom = 21;

    explicit TTabSet(TComponent* owner);

    std::vector<std::string> Tabs() const { return tabs_; }
    void SetTabs(const std::vector<std::string>& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    // The first tab shown.
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int value);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int value);
    TTabScroller* Scroller() const { return scroller_; }

    // The tabs shown, from FirstIndex on, in client coordinates.
    std::vector<RECT> TabRects();

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void InitializeWnd() override;
    void BoundsChanged() override;
    void PaintWindow(HDC dc) override;

private:
    // Shows the scroller when not every tab fits, and gives it the range of FirstIndex.
    void UpdateScroller();
    // The rectangles of the tabs that fit from tab `first` on, with or without room for the scroller.
    std::vector<RECT> LayOut(int first, bool scrollerShown);
    void Changed();

    std::vector<std::string> tabs_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    TTabScroller* scroller_ = nullptr;
};

void RegisterTabSets();

}  // namespace velloran
