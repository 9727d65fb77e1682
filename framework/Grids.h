#pragma once
// The grid: rows and columns of cells under fixed title rows and beside fixed title columns,
// scrolled a whole cell at a time by both scroll bars; the string grid keeps a text per cell.
#include <map>
#include <string>
#include <utility>

#include "framework/Controls.h"

namespace velloran {

class TCustomGrid : public TWinControl {
    VELLORAN_CLASS(TCustomGrid)
public:
    explicit TCustomGrid(TComponent* owner);
    int ColCount() const { return colCount_; }
    void SetColCount(int count);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);
    int DefaultColWidth() const { return colWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int height);
    // The first scrolling column and row shown after the fixed ones.
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void PaintWindow(HDC dc) override;
    // The text a cell shows.
    virtual std::string CellText(int col, int row) const = 0;

private:
    // How many whole scrolling columns or rows fit beside the fixed ones.
    int VisibleCols() const;
    int VisibleRows() const;
    void UpdateScrollBars();
    // A scroll bar request: the new first column or row, from the current one.
    int Scrolled(int bar, int code, int first, int last) const;
    void DrawCell(HDC dc, int col, int row, RECT cell) const;

    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int colWidth_ = 64, rowHeight_ = 24;
    int leftCol_ = 1, topRow_ = 1;
};

class TStringGrid : public TCustomGrid {
    VELLORAN_CLASS(TStringGrid)
public:
    explicit TStringGrid(TComponent* owner);
    std::string Cell(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);

protected:
    std::string CellText(int col, int row) const override { return Cell(col, row); }

private:
    std::map<std::pair<int, int>, std::string> cells_;
};

void RegisterGridControls();

}  // namespace velloran
