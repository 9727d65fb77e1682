#include "framework/Grids.h"

#include <algorithm>

namespace velloran {

namespace {
constexpr int kGridLine = 1;
constexpr int kWheelRows = 3;
}  // namespace

// ---- TCustomGrid -------------------------------------------------------------------------

const TClassInfo& TCustomGrid::StaticClassInfo() {
    using C = TCustomGrid;
    static const TClassInfo info = DefineClass<C>(
        "TCustomGrid", &TWinControl::StaticClassInfo(),
        {props::Int("ColCount", &C::ColCount, &C::SetColCount), props::Int("RowCount", &C::RowCount, &C::SetRowCount),
         props::Int("FixedCols", &C::FixedCols, &C::SetFixedCols),
         props::Int("FixedRows", &C::FixedRows, &C::SetFixedRows),
         props::Int("DefaultColWidth", &C::DefaultColWidth, &C::SetDefaultColWidth),
         props::Int("DefaultRowHeight", &C::DefaultRowHeight, &C::SetDefaultRowHeight)});
    return info;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 320;
    height_ = 120;
}

void TCustomGrid::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_HSCROLL | WS_VSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomGrid::InitializeWnd() {
    TWinControl::InitializeWnd();
    UpdateScrollBars();
}

void TCustomGrid::SetColCount(int count) {
    colCount_ = std::max(count, fixedCols_ + 1);
    SetLeftCol(leftCol_);
}

void TCustomGrid::SetRowCount(int count) {
    rowCount_ = std::max(count, fixedRows_ + 1);
    SetTopRow(topRow_);
}

void TCustomGrid::SetFixedCols(int count) {
    fixedCols_ = std::clamp(count, 0, colCount_ - 1);
    SetLeftCol(leftCol_);
}

void TCustomGrid::SetFixedRows(int count) {
    fixedRows_ = std::clamp(count, 0, rowCount_ - 1);
    SetTopRow(topRow_);
}

void TCustomGrid::SetDefaultColWidth(int width) {
    colWidth_ = std::max(width, 1);
    SetLeftCol(leftCol_);
}

void TCustomGrid::SetDefaultRowHeight(int height) {
    rowHeight_ = std::max(height, 1);
    SetTopRow(topRow_);
}

int TCustomGrid::VisibleCols() const {
    const int room = (HandleAllocated() ? ClientWidth() : width_) - fixedCols_ * (colWidth_ + kGridLine);
    return std::max(room / (colWidth_ + kGridLine), 1);
}

int TCustomGrid::VisibleRows() const {
    const int room = (HandleAllocated() ? ClientHeight() : height_) - fixedRows_ * (rowHeight_ + kGridLine);
    return std::max(room / (rowHeight_ + kGridLine), 1);
}

void TCustomGrid::SetLeftCol(int col) {
    leftCol_ = std::clamp(col, fixedCols_, std::max(fixedCols_, colCount_ - VisibleCols()));
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetTopRow(int row) {
    topRow_ = std::clamp(row, fixedRows_, std::max(fixedRows_, rowCount_ - VisibleRows()));
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    SCROLLINFO horizontal{sizeof horizontal, SIF_ALL | SIF_DISABLENOSCROLL, fixedCols_, colCount_ - 1,
                          static_cast<UINT>(VisibleCols()), leftCol_};
    SetScrollInfo(handle_, SB_HORZ, &horizontal, TRUE);
    SCROLLINFO vertical{sizeof vertical, SIF_ALL | SIF_DISABLENOSCROLL, fixedRows_, rowCount_ - 1,
                        static_cast<UINT>(VisibleRows()), topRow_};
    SetScrollInfo(handle_, SB_VERT, &vertical, TRUE);
}

int TCustomGrid::Scrolled(int bar, int code, int first, int last) const {
    const int page = bar == SB_HORZ ? VisibleCols() : VisibleRows();
    switch (code) {
        case SB_LINEUP:
            return first - 1;
        case SB_LINEDOWN:
            return first + 1;
        case SB_PAGEUP:
            return first - page;
        case SB_PAGEDOWN:
            return first + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The thumb's place as the system tracks it, in full 32 bits.
            SCROLLINFO info{sizeof info, SIF_TRACKPOS};
            GetScrollInfo(handle_, bar, &info);
            return info.nTrackPos;
        }
        case SB_TOP:
            return 0;
        case SB_BOTTOM:
            return last;
        default:
            return first;
    }
}

void TCustomGrid::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_HSCROLL:
            SetLeftCol(Scrolled(SB_HORZ, LOWORD(m.WParam), leftCol_, colCount_ - 1));
            return;
        case WM_VSCROLL:
            SetTopRow(Scrolled(SB_VERT, LOWORD(m.WParam), topRow_, rowCount_ - 1));
            return;
        case WM_MOUSEWHEEL:
            SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * kWheelRows);
            return;
        case WM_SIZE:
            TWinControl::WndProc(m);
            SetLeftCol(leftCol_);
            SetTopRow(topRow_);
            return;
        default:
            TWinControl::WndProc(m);
    }
}

void TCustomGrid::PaintWindow(HDC dc) {
    // The cells are in the grid's own colour, never the parent's.
    const RECT client = ClientRect();
    FillRect(dc, &client, ColorBrush());
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    const int width = ClientWidth(), height = ClientHeight();
    // The fixed columns and rows stay; the others start at the first scrolling one shown.
    const auto column = [this](int index) { return index < fixedCols_ ? index : leftCol_ + index - fixedCols_; };
    const auto row = [this](int index) { return index < fixedRows_ ? index : topRow_ + index - fixedRows_; };
    for (int y = 0, r = 0; y < height && row(r) < rowCount_; y += rowHeight_ + kGridLine, ++r)
        for (int x = 0, c = 0; x < width && column(c) < colCount_; x += colWidth_ + kGridLine, ++c)
            DrawCell(dc, column(c), row(r), RECT{x, y, x + colWidth_, y + rowHeight_});
}

void TCustomGrid::DrawCell(HDC dc, int col, int row, RECT cell) const {
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    if (fixed) {
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = cell;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    // The grid lines right of and under the cell.
    const RECT right{cell.right, cell.top, cell.right + kGridLine, cell.bottom + kGridLine};
    const RECT below{cell.left, cell.bottom, cell.right, cell.bottom + kGridLine};
    FillRect(dc, &right, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &below, GetSysColorBrush(COLOR_BTNSHADOW));
    const std::string text = CellText(col, row);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    RECT inner = cell;
    InflateRect(&inner, -2, 0);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

// ---- TStringGrid -------------------------------------------------------------------------

const TClassInfo& TStringGrid::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TStringGrid>("TStringGrid", &TCustomGrid::StaticClassInfo());
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner) {}

std::string TStringGrid::Cell(int col, int row) const {
    const auto found = cells_.find({col, row});
    return found == cells_.end() ? std::string() : found->second;
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
    cells_[{col, row}] = text;
    Invalidate();
}

void RegisterGridControls() { RegisterComponentClass(TStringGrid::StaticClassInfo()); }

}  // namespace velloran
