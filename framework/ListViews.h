#pragma once
// The list view (rows of items under a header of columns, shown in report style) and the tree
// view (items nested under items).
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
extern const TEnumInfo ViewStyleEnum;

class TListView : public TWinControl {
    VELLORAN_CLASS(TListView)
public:
    explicit TListView(TComponent* owner);
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    // A column at the right, `width` pixels wide.
    void AddColumn(const std::string& caption, int width);
    // A row at the end: the first cell is the item, the others its sub-items.
    void AddItem(const std::vector<std::string>& cells);
    int ItemCount() const;
    // A click on a column's title sorts the rows by that column; a second click reverses them.
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool value);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }
    void SortBy(int column, bool ascending);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TViewStyle viewStyle_ = vsIcon;
    bool columnClick_ = true;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

class TTreeView : public TWinControl {
    VELLORAN_CLASS(TTreeView)
public:
    explicit TTreeView(TComponent* owner);
    // A new item under `parent` (null: at the top), last among its siblings; answers the item.
    HTREEITEM AddItem(HTREEITEM parent, const std::string& text);
    void Expand(HTREEITEM item);

protected:
    void CreateParams(TCreateParams& params) override;
};

void RegisterListViewControls();

}  // namespace velloran
