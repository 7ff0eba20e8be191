// SPDX-License-Identifier: GPL-3.0-or-later
// Grid print jobs, first layer: TCustomGridPrintJob, the grid geometry,
// counting, borders and the index column. Rows and columns come from
// virtual functions, so a data-source-backed subclass can supply them.
#pragma once

#include "psjob.h"

#include <climits>
#include <vector>

namespace printing {

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = EnumSet<TCellBorder>;

// Special row and column numbers of the cell operations.
inline constexpr int HeaderRow = -2147483647;
inline constexpr int FooterRow = 2147483647;
inline constexpr int IndexCol = -1;

class TCustomGridPrintJob : public TCustomPrintJob {
    Q_OBJECT
public:
    explicit TCustomGridPrintJob(QObject* owner = nullptr);

    // ---- counting ----
    // Column and row counts are stored as at least 1; the data counts (which
    // may be 0) are kept too, so that a grid without data prints empty cells.
    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    int DataColCount() const { return dataColCount_; }
    int DataRowCount() const { return dataRowCount_; }
    void SetColCount(int count); // stores and updates
    void SetRowCount(int count); // stores and updates
    int RowsPerPage() const { return rowsPerPage_; }
    void SetRowsPerPage(int rows);
    // The grid is never split across pages sideways.
    int PagesAcross() const { return 1; }

    // ---- borders, index column ----
    TCellBorders TableBorders() const { return tableBorders_; }
    void SetTableBorders(TCellBorders b);
    TCellBorders HeaderCellBorders() const { return headerCellBorders_; }
    void SetHeaderCellBorders(TCellBorders b);
    TCellBorders PageCellBorders() const { return pageCellBorders_; }
    void SetPageCellBorders(TCellBorders b);
    TCellBorders FooterCellBorders() const { return footerCellBorders_; }
    void SetFooterCellBorders(TCellBorders b);
    bool IndexColumn() const { return indexColumn_; }
    void SetIndexColumn(bool on);
    int IndexStart() const { return indexStart_; }
    void SetIndexStart(int start);

    // ---- virtual operations added to the base job's, in slot order ----
    // Draws a cell's contents (the base draws nothing; the text grid draws text).
    virtual void DrawCell(TPrintCanvas& canvas, int col, int row, const TRect& cell);
    virtual void CustomizeCellCanvas(int col, int row, TPrintCanvas& canvas);
    // Lines on the cell's edges: the cell rectangle's Left/Top/Right/Bottom are
    // the coordinates of its left/top/right/bottom lines; neighbouring cells
    // share them.
    virtual void DrawCellBorders(TPrintCanvas& canvas, const TRect& cell, TCellBorders borders);
    // Width of a column (IndexCol: the index column).
    virtual int ColumnWidth(int col) const;
    virtual int PageColumn(int col) const;
    virtual QString CellText(int col, int row); // not const: a data-bound job moves its cursor
    virtual Qt::Alignment CellAlignment(int col, int row) const;

    // ---- data hooks for subclasses ----
    // Display width of column `col` (in characters or any unit: only the
    // proportions count). When all are 0 ("no data source") every column is
    // 100 pixels wide.
    virtual int ColumnDisplayWidth(int col) const;
    // The font the index column is measured in (the text grid: PageFont).
    virtual TFontSpec MeasureFont() const;
    // Called at the start of every update: a data-bound subclass counts its
    // rows and columns here with StoreCounts().
    virtual void Recount() {}

    // ---- geometry (page pixels) ----
    int IndexColumnWidth() const;
    int FirstRowOfPage(int page) const;
    int LastRowOfPage(int page) const; // inclusive
    // Top line of body row `row` on page `page` in the page area `area`
    // (row may be LastRowOfPage + 1 for the bottom of the last row).
    int RowTop(const TRect& area, int page, int row) const;
    // Left line of column `col` (IndexCol for the index column) and the
    // right line of the last column when col == ColCount().
    int ColumnLeft(const TRect& area, int col) const;
    // A body cell, a header cell, a footer cell.
    TRect CellRect(const TRect& area, int page, int col, int row) const;
    TRect HeaderCellRect(const TRect& band, int col) const;
    TRect FooterCellRect(const TRect& band, int col) const;
    // The page being drawn (for the footer text).
    int DrawingPage() const { return drawingPage_; }

    void DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) override;
    void DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area, TDrawTarget target) override;

protected:
    void PerformUpdate() override;
    // Stores the counts without updating; the page count follows when the
    // row count changes.
    void StoreCounts(int cols, int rows);
    void RecalcPageCount();
    // Column lines for one area: first entry the index column's left (when
    // shown), then each column's left, last entry the right line of the last
    // column. Index i + (IndexColumn() ? 1 : 0) is column i.
    std::vector<int> ColumnLines(const TRect& area) const;

private:
    void DrawBand(TPrintCanvas& canvas, const TRect& band, int row, TCellBorders borders);
    void DrawBody(TPrintCanvas& canvas, int page, const TRect& area);

    int colCount_ = 1, rowCount_ = 1;
    int dataColCount_ = 1, dataRowCount_ = 1;
    int rowsPerPage_ = 1;
    TCellBorders tableBorders_, headerCellBorders_, pageCellBorders_, footerCellBorders_;
    bool indexColumn_ = false;
    int indexStart_ = 0;
    int drawingPage_ = 1;
};

} // namespace printing
