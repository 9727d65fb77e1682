#pragma once
// The standard controls that scroll: the list box and the stand-alone scroll bar.
#include <memory>

#include "framework/Controls.h"

namespace velloran {

class TListBox;

// The items of a list box, read from and written to its window.
class TListBoxStrings : public TStrings {
    VELLORAN_CLASS(TListBoxStrings)
public:
    explicit TListBoxStrings(TListBox& list) : list_(list) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;

private:
    TListBox& list_;
};

class TListBox : public TWinControl {
    VELLORAN_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);
    TStrings* Items() const { return items_.get(); }
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TListBoxStrings> items_;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
extern const TEnumInfo ScrollBarKindEnum;

// A scroll bar control that keeps its own position: the system's requests move it by its small
// and large changes, to the thumb's place, or to either end, and OnChange tells of each move.
class TScrollBar : public TWinControl {
    VELLORAN_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Position() const { return position_; }
    void SetPosition(int position);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void Scroll(int code, int thumbPosition);
    void UpdateBar();
    TScrollBarKind kind_ = sbHorizontal;
    int position_ = 0, min_ = 0, max_ = 100, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;
};

void RegisterScrollControls();

}  // namespace velloran
