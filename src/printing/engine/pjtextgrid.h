// SPDX-License-Identifier: GPL-3.0-or-later
// Grid print jobs, second layer: TCustomTextGridPrintJob (fonts, cell
// text, clip mode) and TTextGridPrintJob, a grid fed by callbacks.
#pragma once

#include "pjgrid.h"

#include <QList>
#include <QStringList>

namespace printing {

// cmWrap: a body text too wide for its cell is broken at a blank or hyphen
// onto a second line in the same cell (in a smaller font when two lines do
// not fit its height); what does not fit even so ends in an ellipsis.
enum TClipMode { cmNone, cmClip, cmEllipsis, cmWrap };

class TCustomTextGridPrintJob : public TCustomGridPrintJob {
    Q_OBJECT
public:
    explicit TCustomTextGridPrintJob(QObject* owner = nullptr);

    TFontSpec HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const TFontSpec& font);
    TFontSpec PageFont() const { return pageFont_; }
    void SetPageFont(const TFontSpec& font);
    TFontSpec FooterFont() const { return footerFont_; }
    void SetFooterFont(const TFontSpec& font);
    TClipMode ClipMode() const { return clipMode_; }
    void SetClipMode(TClipMode mode);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool on);

    std::function<void(TCustomTextGridPrintJob*, int col, int row, TPrintCanvas&)> OnCustomizeCellCanvas;

    // Text cells: index column "#", IndexStart + row, empty footer; field
    // columns: ColumnTitle in the header, BodyText in the body (empty for rows
    // and columns without data), "Page %d of %d" in the last footer cell.
    QString CellText(int col, int row) override;
    // Index column and footer row right-aligned, else ColumnAlignment.
    Qt::Alignment CellAlignment(int col, int row) const override;
    void DrawCell(TPrintCanvas& canvas, int col, int row, const TRect& cell) override;
    void CustomizeCellCanvas(int col, int row, TPrintCanvas& canvas) override;
    TFontSpec MeasureFont() const override { return pageFont_; }

    // ---- data hooks ----
    virtual QString ColumnTitle(int col) const;
    virtual QString BodyText(int col, int row); // not const: may move a cursor
    virtual Qt::Alignment ColumnAlignment(int col) const;

    // The rectangle the text of a cell is drawn in, for a
    // canvas whose font is already the cell's font.
    static TRect TextRect(const TRect& cell, const TPrintCanvas& canvas);
    // The text format for the current clip mode and Multiline.
    TTextFormat TextFormat(Qt::Alignment alignment) const;

private:
    // Draws `text` as two lines in `r`; false when no break makes the first
    // line fit.
    bool DrawWrapped(TPrintCanvas& canvas, const TRect& r, const QString& text, Qt::Alignment alignment);
    TFontSpec headerFont_, pageFont_, footerFont_;
    TClipMode clipMode_ = cmEllipsis;
    bool multiline_ = false;
};

// A text grid whose contents are given directly: counts, titles, display
// widths, alignments and a cell-text callback.
class TTextGridPrintJob : public TCustomTextGridPrintJob {
    Q_OBJECT
public:
    using TCustomTextGridPrintJob::TCustomTextGridPrintJob;

    void SetColumnTitles(const QStringList& titles) {
        titles_ = titles;
        Update();
    }
    void SetColumnDisplayWidths(const QList<int>& widths) {
        widths_ = widths;
        Update();
    }
    void SetColumnAlignments(const QList<Qt::Alignment>& a) {
        alignments_ = a;
        Update();
    }
    std::function<void(int col, int row, QString& text)> OnGetCellText;

    QString ColumnTitle(int col) const override { return titles_.value(col); }
    int ColumnDisplayWidth(int col) const override { return widths_.value(col); }
    Qt::Alignment ColumnAlignment(int col) const override { return alignments_.value(col, Qt::AlignLeft); }
    QString BodyText(int col, int row) override {
        QString text;
        if (OnGetCellText)
            OnGetCellText(col, row, text);
        return text;
    }

private:
    QStringList titles_;
    QList<int> widths_;
    QList<Qt::Alignment> alignments_;
};

} // namespace printing
