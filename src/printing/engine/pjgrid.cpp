// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjgrid.h"

#include <algorithm>

namespace printing {

TCustomGridPrintJob::TCustomGridPrintJob(QObject* owner) : TCustomPrintJob(owner) {}

// ---------------------------------------------------------------- counting

void TCustomGridPrintJob::StoreCounts(int cols, int rows) {
    dataColCount_ = std::max(0, cols);
    dataRowCount_ = std::max(0, rows);
    colCount_ = std::max(1, cols);
    const int newRows = std::max(1, rows);
    if (newRows != rowCount_) {
        rowCount_ = newRows;
        RecalcPageCount();
    }
}

void TCustomGridPrintJob::RecalcPageCount() {
    StorePageCount(((rowCount_ + rowsPerPage_ - 1) / rowsPerPage_) * PagesAcross());
}

void TCustomGridPrintJob::SetColCount(int count) {
    StoreCounts(count, dataRowCount_);
    Update();
}

void TCustomGridPrintJob::SetRowCount(int count) {
    StoreCounts(dataColCount_, count);
    Update();
}

void TCustomGridPrintJob::SetRowsPerPage(int rows) {
    rowsPerPage_ = std::max(1, rows);
    RecalcPageCount();
    Update();
}

void TCustomGridPrintJob::SetTableBorders(TCellBorders b) {
    tableBorders_ = b;
    Update();
}
void TCustomGridPrintJob::SetHeaderCellBorders(TCellBorders b) {
    headerCellBorders_ = b;
    Update();
}
void TCustomGridPrintJob::SetPageCellBorders(TCellBorders b) {
    pageCellBorders_ = b;
    Update();
}
void TCustomGridPrintJob::SetFooterCellBorders(TCellBorders b) {
    footerCellBorders_ = b;
    Update();
}
void TCustomGridPrintJob::SetIndexColumn(bool on) {
    indexColumn_ = on;
    Update();
}
void TCustomGridPrintJob::SetIndexStart(int start) {
    indexStart_ = start;
    Update();
}

void TCustomGridPrintJob::PerformUpdate() {
    Recount();
    TCustomPrintJob::PerformUpdate();
}

// ---------------------------------------------------------------- geometry

int TCustomGridPrintJob::ColumnDisplayWidth(int) const {
    return 0;
}

TFontSpec TCustomGridPrintJob::MeasureFont() const {
    TFontSpec f;
    f.PointSize = 12;
    return f;
}

int TCustomGridPrintJob::IndexColumnWidth() const {
    TPrintCanvas canvas(nullptr, Metrics().dpiY);
    canvas.Font = MeasureFont();
    return canvas.TextWidth(QStringLiteral("    ") + QString::number(qint64(indexStart_) + rowCount_)) + 2;
}

int TCustomGridPrintJob::ColumnWidth(int col) const {
    if (col == IndexCol)
        return indexColumn_ ? IndexColumnWidth() : 0;
    qint64 sum = 0;
    for (int i = 0; i < colCount_; ++i)
        sum += std::max(0, ColumnDisplayWidth(i));
    if (sum <= 0)
        return 100;
    int w = PageAreaRect().Width();
    if (indexColumn_)
        w -= IndexColumnWidth();
    return int(qint64(std::max(0, ColumnDisplayWidth(col))) * w / sum) - 1;
}

int TCustomGridPrintJob::PageColumn(int) const {
    return 0;
}

std::vector<int> TCustomGridPrintJob::ColumnLines(const TRect& area) const {
    std::vector<int> lines;
    lines.reserve(colCount_ + 2);
    int x = area.Left;
    const int indexWidth = indexColumn_ ? IndexColumnWidth() : 0;
    if (indexColumn_) {
        lines.push_back(x);
        x += indexWidth;
    }
    qint64 sum = 0;
    for (int i = 0; i < colCount_; ++i)
        sum += std::max(0, ColumnDisplayWidth(i));
    const int w = PageAreaRect().Width() - indexWidth;
    for (int i = 0; i < colCount_; ++i) {
        lines.push_back(x);
        x += sum <= 0 ? 100 : int(qint64(std::max(0, ColumnDisplayWidth(i))) * w / sum) - 1;
    }
    lines.push_back(x);
    return lines;
}

int TCustomGridPrintJob::ColumnLeft(const TRect& area, int col) const {
    const std::vector<int> lines = ColumnLines(area);
    const int idx = col == IndexCol ? 0 : col + (indexColumn_ ? 1 : 0);
    return lines.at(std::clamp<size_t>(size_t(idx), 0, lines.size() - 1));
}

int TCustomGridPrintJob::FirstRowOfPage(int page) const {
    return (page - 1) * rowsPerPage_;
}

int TCustomGridPrintJob::LastRowOfPage(int page) const {
    return std::min(page * rowsPerPage_, rowCount_) - 1;
}

int TCustomGridPrintJob::RowTop(const TRect& area, int page, int row) const {
    const qint64 k = row - qint64(page - 1) * rowsPerPage_;
    return area.Top + int((qint64(area.Height() - 1) * k) / rowsPerPage_) - 1;
}

TRect TCustomGridPrintJob::CellRect(const TRect& area, int page, int col, int row) const {
    const std::vector<int> lines = ColumnLines(area);
    const size_t idx = size_t(col == IndexCol ? 0 : col + (indexColumn_ ? 1 : 0));
    return {lines.at(idx), RowTop(area, page, row), lines.at(idx + 1), RowTop(area, page, row + 1)};
}

TRect TCustomGridPrintJob::HeaderCellRect(const TRect& band, int col) const {
    const std::vector<int> lines = ColumnLines(band);
    const size_t idx = size_t(col == IndexCol ? 0 : col + (indexColumn_ ? 1 : 0));
    return {lines.at(idx), band.Top, lines.at(idx + 1), band.Bottom - 1};
}

TRect TCustomGridPrintJob::FooterCellRect(const TRect& band, int col) const {
    return HeaderCellRect(band, col);
}

// ----------------------------------------------------------------- drawing

void TCustomGridPrintJob::DrawCell(TPrintCanvas&, int, int, const TRect&) {}

void TCustomGridPrintJob::CustomizeCellCanvas(int, int, TPrintCanvas&) {}

QString TCustomGridPrintJob::CellText(int, int) {
    return {};
}

Qt::Alignment TCustomGridPrintJob::CellAlignment(int col, int row) const {
    if (col == IndexCol || row == FooterRow)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

void TCustomGridPrintJob::DrawCellBorders(TPrintCanvas& canvas, const TRect& c, TCellBorders borders) {
    if (borders.empty())
        return;
    canvas.Pen = TPenSpec{}; // black, width 0, solid (copy mode)
    if (borders.contains(cbTop))
        canvas.Line(c.Left, c.Top, c.Right, c.Top);
    if (borders.contains(cbBottom))
        canvas.Line(c.Left, c.Bottom, c.Right, c.Bottom);
    if (borders.contains(cbLeft))
        canvas.Line(c.Left, c.Top, c.Left, c.Bottom);
    if (borders.contains(cbRight))
        canvas.Line(c.Right, c.Top, c.Right, c.Bottom);
}

void TCustomGridPrintJob::DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) {
    // The update lock is held while the page is drawn, so that reading the
    // cells (which may move a data source) sets off no updates.
    BeginUpdate();
    drawingPage_ = pageIndex;
    try {
        TCustomPrintJob::DrawPage(canvas, pageIndex, target);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCustomGridPrintJob::DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area,
                                   TDrawTarget) {
    drawingPage_ = pageIndex;
    switch (area) {
    case daHeader:
        DrawBand(canvas, rect, HeaderRow, headerCellBorders_);
        break;
    case daFooter:
        DrawBand(canvas, rect, FooterRow, footerCellBorders_);
        break;
    case daPage:
        DrawBody(canvas, pageIndex, rect);
        break;
    }
}

void TCustomGridPrintJob::DrawBand(TPrintCanvas& canvas, const TRect& band, int row, TCellBorders borders) {
    const std::vector<int> lines = ColumnLines(band);
    const int first = indexColumn_ ? IndexCol : 0;
    auto cell = [&](int col) {
        const size_t idx = size_t(col == IndexCol ? 0 : col + (indexColumn_ ? 1 : 0));
        return TRect{lines[idx], band.Top, lines[idx + 1], band.Bottom - 1};
    };
    for (int col = first; col < colCount_; col = col == IndexCol ? 0 : col + 1)
        DrawCellBorders(canvas, cell(col), borders);
    for (int col = first; col < colCount_; col = col == IndexCol ? 0 : col + 1)
        DrawCell(canvas, col, row, cell(col));
}

void TCustomGridPrintJob::DrawBody(TPrintCanvas& canvas, int page, const TRect& area) {
    const std::vector<int> lines = ColumnLines(area);
    const int first = indexColumn_ ? IndexCol : 0;
    const int firstRow = FirstRowOfPage(page);
    const int lastRow = LastRowOfPage(page);
    auto cell = [&](int col, int row) {
        const size_t idx = size_t(col == IndexCol ? 0 : col + (indexColumn_ ? 1 : 0));
        return TRect{lines[idx], RowTop(area, page, row), lines[idx + 1], RowTop(area, page, row + 1)};
    };
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = first; col < colCount_; col = col == IndexCol ? 0 : col + 1)
            DrawCellBorders(canvas, cell(col, row), pageCellBorders_);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int col = first; col < colCount_; col = col == IndexCol ? 0 : col + 1)
            DrawCell(canvas, col, row, cell(col, row));
    if (!tableBorders_.empty()) {
        // From the margins rectangle's top left corner (in the coordinates of
        // this area), as wide as all columns, down to the margins rectangle's
        // bottom, on the last page to the bottom of the last row.
        const TRect margins = MarginsRect();
        const TRect pageArea = PageAreaRect();
        const int dx = area.Left - pageArea.Left, dy = area.Top - pageArea.Top;
        TRect t;
        t.Left = margins.Left + dx;
        t.Top = margins.Top + dy;
        t.Right = t.Left + (lines.back() - lines.front());
        t.Bottom = lastRow >= rowCount_ - 1 ? RowTop(area, page, lastRow + 1) : margins.Bottom - 1 + dy;
        DrawCellBorders(canvas, t, tableBorders_);
    }
}

} // namespace printing
