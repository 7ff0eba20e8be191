// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjtextgrid.h"

#include <algorithm>

namespace printing {

namespace {
TFontSpec Arial12() {
    TFontSpec f;
    f.PointSize = 12;
    return f;
}
} // namespace

TCustomTextGridPrintJob::TCustomTextGridPrintJob(QObject* owner)
    : TCustomGridPrintJob(owner), headerFont_(Arial12()), pageFont_(Arial12()), footerFont_(Arial12()) {}

void TCustomTextGridPrintJob::SetHeaderFont(const TFontSpec& font) {
    headerFont_ = font;
    Update();
}
void TCustomTextGridPrintJob::SetPageFont(const TFontSpec& font) {
    pageFont_ = font;
    Update();
}
void TCustomTextGridPrintJob::SetFooterFont(const TFontSpec& font) {
    footerFont_ = font;
    Update();
}
void TCustomTextGridPrintJob::SetClipMode(TClipMode mode) {
    clipMode_ = mode;
    Update();
}
void TCustomTextGridPrintJob::SetMultiline(bool on) {
    multiline_ = on;
    Update();
}

QString TCustomTextGridPrintJob::ColumnTitle(int) const {
    return {};
}
QString TCustomTextGridPrintJob::BodyText(int, int) {
    return {};
}
Qt::Alignment TCustomTextGridPrintJob::ColumnAlignment(int) const {
    return Qt::AlignLeft;
}

QString TCustomTextGridPrintJob::CellText(int col, int row) {
    if (col == IndexCol) {
        if (row == HeaderRow)
            return QStringLiteral("#");
        if (row == FooterRow)
            return {};
        if (row < 0 || row >= DataRowCount())
            return {};
        return QString::number(qint64(IndexStart()) + row);
    }
    if (row == HeaderRow)
        return col < DataColCount() ? ColumnTitle(col) : QString();
    if (row == FooterRow) {
        if (col == ColCount() - 1)
            return QStringLiteral("Page %1 of %2").arg(DrawingPage()).arg(PageCount());
        return {};
    }
    if (col < 0 || col >= DataColCount() || row < 0 || row >= DataRowCount())
        return {};
    return BodyText(col, row);
}

Qt::Alignment TCustomTextGridPrintJob::CellAlignment(int col, int row) const {
    if (col == IndexCol || row == FooterRow)
        return Qt::AlignRight;
    const Qt::Alignment a = ColumnAlignment(col) & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignRight)
        return Qt::AlignRight;
    if (a & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

TRect TCustomTextGridPrintJob::TextRect(const TRect& cell, const TPrintCanvas& canvas) {
    const int inset = canvas.TextWidth(QStringLiteral("  ")) - 1;
    TRect r{cell.Left + inset, cell.Top + 1, cell.Right - inset, cell.Bottom - 1};
    return r.Translated(1, 1);
}

TTextFormat TCustomTextGridPrintJob::TextFormat(Qt::Alignment alignment) const {
    TTextFormat f;
    f.Horizontal = alignment;
    f.WordWrap = multiline_;
    f.Clip = clipMode_ != cmNone;
    f.Ellipsis = clipMode_ == cmEllipsis || clipMode_ == cmWrap;
    return f;
}

void TCustomTextGridPrintJob::CustomizeCellCanvas(int col, int row, TPrintCanvas& canvas) {
    if (OnCustomizeCellCanvas)
        OnCustomizeCellCanvas(this, col, row, canvas);
}

void TCustomTextGridPrintJob::DrawCell(TPrintCanvas& canvas, int col, int row, const TRect& cell) {
    const QString text = CellText(col, row);
    canvas.Font = row == HeaderRow ? headerFont_ : row == FooterRow ? footerFont_ : pageFont_;
    const TTextFormat format = TextFormat(CellAlignment(col, row));
    const TRect r = TextRect(cell, canvas);
    CustomizeCellCanvas(col, row, canvas);
    if (clipMode_ == cmWrap && row != HeaderRow && row != FooterRow && canvas.TextWidth(text) > r.Width() &&
        DrawWrapped(canvas, r, text, format.Horizontal))
        return;
    canvas.DrawText(r, text, format);
}

bool TCustomTextGridPrintJob::DrawWrapped(TPrintCanvas& canvas, const TRect& r, const QString& text,
                                          Qt::Alignment alignment) {
    // Two lines must fit the row: the font shrinks as far as needed, but
    // not below what can still be read.
    const int lineHeight = canvas.TextHeight(QStringLiteral("Äg"));
    if (2 * lineHeight > r.Height() && lineHeight > 0)
        canvas.Font.PointSize = std::max(5.0, canvas.Font.PointSize * r.Height() / (2.0 * lineHeight));
    // The last break after which the first line still fits.
    int split = -1;
    for (int i = 1; i < text.size(); ++i) {
        const QChar c = text.at(i - 1);
        if (c != u' ' && c != u'-' && c != u'/')
            continue;
        if (canvas.TextWidth(text.left(i).trimmed()) > r.Width())
            break;
        split = i;
    }
    if (split < 0)
        return false;
    TTextFormat format;
    format.Horizontal = alignment;
    format.Ellipsis = true;
    const int middle = r.Top + r.Height() / 2;
    canvas.DrawText({r.Left, r.Top, r.Right, middle}, text.left(split).trimmed(), format);
    canvas.DrawText({r.Left, middle, r.Right, r.Bottom}, text.mid(split).trimmed(), format);
    return true;
}

} // namespace printing
