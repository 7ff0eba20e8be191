// SPDX-License-Identifier: GPL-3.0-or-later
// Grid print jobs (the generic, not data-bound part).
#include "pjtextgrid.h"
#include "printtestsupport.h"

#include <QtTest>

using namespace printing;
using namespace printing::test;

namespace {
// A grid over an in-memory table, as a data-bound subclass would be: counts
// are taken in Recount(), cells through the data hooks.
class TableGridJob : public TCustomTextGridPrintJob {
public:
    QList<QStringList> rows; // rows of cells
    QStringList titles;
    QList<int> widths;
    int bodyReads = 0;
    int lockSeenDuringRead = -1;

    void Recount() override { StoreCounts(int(widths.size()), int(rows.size())); }
    int ColumnDisplayWidth(int col) const override { return widths.value(col); }
    QString ColumnTitle(int col) const override { return titles.value(col); }
    QString BodyText(int col, int row) override {
        ++bodyReads;
        lockSeenDuringRead = UpdateLockCount();
        return rows.value(row).value(col);
    }
    Qt::Alignment ColumnAlignment(int col) const override {
        return titles.value(col) == QStringLiteral("Zahl") ? Qt::AlignRight : Qt::AlignLeft;
    }
};

struct GridFixture {
    PdfPrinterFixture pdf;
    TTextGridPrintJob job;
    GridFixture() {
        job.SetPrinterProvider(&pdf.provider);
        job.SetOptions({joHeader, joFooter});
        job.SetHeaderUnits(unInches);
        job.SetHeader(0.3);
        job.SetFooterUnits(unInches);
        job.SetFooter(0.3);
    }
    TRecordedPage Draw(int page) {
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPage(canvas, page, dtMetaPreview);
        return rec;
    }
};

bool AllVertical(const TRecordedPage& rec, int minY, int maxY) {
    for (const TDrawOp* l : rec.Lines())
        if (l->p1.y() >= minY && l->p2.y() <= maxY && l->p1.x() != l->p2.x())
            return false;
    return true;
}
} // namespace

class TestPrintGrid : public QObject {
    Q_OBJECT
private slots:
    void defaults() {
        TTextGridPrintJob job;
        QCOMPARE(job.ColCount(), 1);
        QCOMPARE(job.RowCount(), 1);
        QCOMPARE(job.RowsPerPage(), 1);
        QCOMPARE(job.PagesAcross(), 1);
        QVERIFY(job.TableBorders().empty());
        QVERIFY(job.PageCellBorders().empty());
        QVERIFY(!job.IndexColumn());
        QCOMPARE(job.IndexStart(), 0);
        QCOMPARE(job.ClipMode(), cmEllipsis);
        QVERIFY(!job.Multiline());
        QCOMPARE(job.PageFont().Family, QStringLiteral("Arial"));
        QCOMPARE(job.PageFont().PointSize, 12.0);
        QCOMPARE(job.HeaderFont().PointSize, 12.0);
        QCOMPARE(job.FooterFont().PointSize, 12.0);
        QCOMPARE(job.PageColumn(0), 0);
    }

    void rowsPerPageZeroStoresOne() {
        TTextGridPrintJob job;
        job.SetRowsPerPage(0);
        QCOMPARE(job.RowsPerPage(), 1);
        job.SetRowsPerPage(-3);
        QCOMPARE(job.RowsPerPage(), 1);
    }

    void pageCounting() {
        GridFixture f;
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(61);
        QCOMPARE(f.job.PageCount(), 3);
        f.job.SetRowCount(60);
        QCOMPARE(f.job.PageCount(), 2);
        f.job.SetRowCount(31);
        QCOMPARE(f.job.PageCount(), 2);
        f.job.SetRowCount(0); // stored as 1: one page
        QCOMPARE(f.job.RowCount(), 1);
        QCOMPARE(f.job.DataRowCount(), 0);
        QCOMPARE(f.job.PageCount(), 1);
        f.job.SetRowCount(45);
        f.job.SetRowsPerPage(20); // rows per page changes the page count too
        QCOMPARE(f.job.PageCount(), 3);
        f.job.SetColCount(0);
        QCOMPARE(f.job.ColCount(), 1);
    }

    void rowTops() {
        GridFixture f;
        const TRect area = f.job.PageAreaRect();
        QCOMPARE(area, (TRect{0, 180, 4958, 6837})); // A4 portrait, 0.3 inch bands
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(61);
        // y(k) = top + ((height - 1) * (k - (p - 1) * rows)) div rows - 1
        QCOMPARE(f.job.RowTop(area, 1, 0), 179);
        QCOMPARE(f.job.RowTop(area, 1, 1), 180 + 6656 / 30 - 1); // 400
        QCOMPARE(f.job.RowTop(area, 1, 1), 400);
        QCOMPARE(f.job.RowTop(area, 1, 2), 180 + 13312 / 30 - 1); // 622
        QCOMPARE(f.job.RowTop(area, 1, 30), 6835);
        QCOMPARE(f.job.RowTop(area, 2, 30), 179);
        QCOMPARE(f.job.RowTop(area, 2, 45), 180 + 6656 * 15 / 30 - 1);
        // 20 rows per page give higher rows
        f.job.SetRowsPerPage(20);
        QCOMPARE(f.job.RowTop(area, 1, 1), 180 + 6656 / 20 - 1); // 511
    }

    void sixtyOneRowsGiveThreePagesAndPageThreeHasOneRowAtTheTop() {
        GridFixture f;
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(61);
        f.job.SetColumnDisplayWidths({10});
        f.job.SetPageCellBorders({cbTop, cbBottom});
        f.job.OnGetCellText = [](int, int row, QString& t) { t = QStringLiteral("R%1").arg(row); };
        QCOMPARE(f.job.PageCount(), 3);
        QCOMPARE(f.job.FirstRowOfPage(3), 60);
        QCOMPARE(f.job.LastRowOfPage(3), 60);
        const TRecordedPage rec = f.Draw(3);
        QVERIFY(rec.FindText(QStringLiteral("R60")));
        QVERIFY(!rec.FindText(QStringLiteral("R59")));
        const TDrawOp* t = rec.FindText(QStringLiteral("R60"));
        // the cell spans y(60) = 179 to y(61) = 400; the text rectangle is the
        // cell less one pixel at the top and bottom, moved one pixel down
        QCOMPARE(t->rect.Top, 179 + 1 + 1);
        QCOMPARE(t->rect.Bottom, 400 - 1 + 1);
        // the body has exactly the two lines of the one row
        int bodyLines = 0;
        for (const TDrawOp* l : rec.Lines())
            if (l->p1.y() >= 179 && l->p1.y() <= 6837)
                ++bodyLines;
        QCOMPARE(bodyLines, 2);
    }

    void columnWidthsFollowDisplayWidths() {
        GridFixture f;
        f.job.SetColCount(2);
        f.job.SetColumnDisplayWidths({20, 10});
        // W = 4958: 20 * 4958 div 30 - 1, 10 * 4958 div 30 - 1
        QCOMPARE(f.job.ColumnWidth(0), 3304);
        QCOMPARE(f.job.ColumnWidth(1), 1651);
        const TRect area = f.job.PageAreaRect();
        QCOMPARE(f.job.ColumnLeft(area, 0), 0);
        QCOMPARE(f.job.ColumnLeft(area, 1), 3304);
        QCOMPARE(f.job.ColumnLeft(area, 2), 3304 + 1651);
    }

    void vocabularyListColumns() {
        GridFixture f;
        f.job.SetOrientation(orLandscape);
        f.job.SetColCount(6);
        f.job.SetColumnDisplayWidths({20, 20, 14, 11, 5, 13});
        QCOMPARE(f.job.PageAreaRect().Width(), 7017);
        QCOMPARE(f.job.ColumnWidth(0), 1689);
        QCOMPARE(f.job.ColumnWidth(1), 1689);
        QCOMPARE(f.job.ColumnWidth(2), 1182);
        QCOMPARE(f.job.ColumnWidth(3), 928);
        QCOMPARE(f.job.ColumnWidth(4), 421);
        QCOMPARE(f.job.ColumnWidth(5), 1098);
    }

    void oneColumnTakesTheAreaLessOnePixel() {
        GridFixture f;
        f.job.SetColumnDisplayWidths({20});
        QCOMPARE(f.job.ColumnWidth(0), 4958 - 1);
        f.job.SetOptions({joMargins, joHeader, joFooter});
        f.job.SetMargins({100, 100, 100, 100});
        QCOMPARE(f.job.ColumnWidth(0), 4758 - 1);
        QCOMPARE(f.job.ColumnLeft(f.job.PageAreaRect(), 0), 100);
    }

    void withoutDisplayWidthsEveryColumnIs100Pixels() {
        GridFixture f;
        f.job.SetColCount(3);
        QCOMPARE(f.job.ColumnWidth(0), 100);
        QCOMPARE(f.job.ColumnWidth(2), 100);
        QCOMPARE(f.job.ColumnLeft(f.job.PageAreaRect(), 2), 200);
    }

    void leftAndRightBordersGiveOnlyVerticalLines() {
        GridFixture f;
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(10);
        f.job.SetColCount(3);
        f.job.SetColumnDisplayWidths({1, 1, 1});
        f.job.SetPageCellBorders({cbLeft, cbRight});
        const TRecordedPage rec = f.Draw(1);
        const TRect area = f.job.PageAreaRect();
        int n = 0;
        for (const TDrawOp* l : rec.Lines()) {
            QCOMPARE(l->p1.x(), l->p2.x());
            ++n;
        }
        QCOMPARE(n, 10 * 3 * 2);
        // neighbouring cells share their line: right of column 0 = left of column 1
        QVERIFY(AllVertical(rec, area.Top - 1, area.Bottom));
        const TRect c0 = f.job.CellRect(area, 1, 0, 0), c1 = f.job.CellRect(area, 1, 1, 0);
        QCOMPARE(c0.Right, c1.Left);
    }

    void topAndBottomBordersGiveOnlyHorizontalLines() {
        GridFixture f;
        f.job.SetRowsPerPage(20);
        f.job.SetRowCount(5);
        f.job.SetColumnDisplayWidths({1});
        f.job.SetPageCellBorders({cbTop, cbBottom});
        const TRecordedPage rec = f.Draw(1);
        int n = 0;
        for (const TDrawOp* l : rec.Lines()) {
            QCOMPARE(l->p1.y(), l->p2.y());
            ++n;
        }
        QCOMPARE(n, 5 * 2);
        const TRect area = f.job.PageAreaRect();
        // the first row's top line lies on the last pixel row of the header band
        QCOMPARE(rec.Lines().front()->p1.y(), area.Top - 1);
        QCOMPARE(rec.Lines().front()->p1.x(), 0);
        QCOMPARE(rec.Lines().front()->p2.x(), 4957);
    }

    void headerCellsAreBoxedOverTheWholeBand() {
        GridFixture f;
        f.job.SetColCount(2);
        f.job.SetColumnDisplayWidths({1, 1});
        f.job.SetColumnTitles({QStringLiteral("deutsch"), QStringLiteral("Englisch")});
        f.job.SetHeaderCellBorders({cbTop, cbLeft, cbRight, cbBottom});
        const TRect band = f.job.HeaderRect();
        QCOMPARE(band, (TRect{0, 0, 4958, 180}));
        QCOMPARE(f.job.HeaderCellRect(band, 0), (TRect{0, 0, 2478, 179}));
        QCOMPARE(f.job.HeaderCellRect(band, 1), (TRect{2478, 0, 4956, 179}));
        const TRecordedPage rec = f.Draw(1);
        QCOMPARE(int(rec.Lines().size()), 8);
        const TDrawOp* t = rec.FindText(QStringLiteral("Englisch"));
        QVERIFY(t);
        QCOMPARE(t->pixelSize, 100); // 12 pt at 600 dpi
        QVERIFY(t->flags & Qt::AlignLeft);
        QVERIFY(t->flags & Qt::AlignVCenter);
    }

    void cellTextRectangle() {
        GridFixture f;
        f.job.SetColumnDisplayWidths({1});
        f.job.SetRowsPerPage(10);
        f.job.SetRowCount(1);
        f.job.OnGetCellText = [](int, int, QString& t) { t = QStringLiteral("Haus"); };
        const TRecordedPage rec = f.Draw(1);
        const TDrawOp* t = rec.FindText(QStringLiteral("Haus"));
        QVERIFY(t);
        TPrintCanvas measure(nullptr, 600);
        measure.Font = f.job.PageFont();
        const int inset = measure.TextWidth(QStringLiteral("  ")) - 1;
        const TRect cell = f.job.CellRect(f.job.PageAreaRect(), 1, 0, 0);
        QCOMPARE(t->rect, (TRect{cell.Left + inset + 1, cell.Top + 2, cell.Right - inset + 1, cell.Bottom}));
        QVERIFY(t->clip);
    }

    void longTextEndsInEllipsisByDefault() {
        GridFixture f;
        f.job.SetColCount(4);
        f.job.SetColumnDisplayWidths({1, 1, 1, 1});
        f.job.SetRowsPerPage(10);
        f.job.SetRowCount(1);
        const QString longText = QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitaenswitwenrentenversicherung");
        f.job.OnGetCellText = [&](int col, int, QString& t) { t = col == 0 ? longText : QStringLiteral("kurz"); };
        TRecordedPage rec = f.Draw(1);
        const auto texts = rec.Texts();
        const TDrawOp* shown = nullptr;
        for (const TDrawOp* t : texts)
            if (t->text.startsWith(QStringLiteral("Donau")))
                shown = t;
        QVERIFY(shown);
        QVERIFY(shown->text.endsWith(QChar(0x2026)));
        QVERIFY(shown->text.size() < longText.size());
        QVERIFY(rec.FindText(QStringLiteral("kurz")));
        // cmClip: the whole text, clipped; cmNone: not clipped
        f.job.SetClipMode(cmClip);
        rec = f.Draw(1);
        QVERIFY(rec.FindText(longText));
        QVERIFY(rec.FindText(longText)->clip);
        f.job.SetClipMode(cmNone);
        rec = f.Draw(1);
        QVERIFY(!rec.FindText(longText)->clip);
        // Multiline: word wrap, top aligned
        f.job.SetMultiline(true);
        rec = f.Draw(1);
        QVERIFY(rec.FindText(longText)->flags & Qt::TextWordWrap);
        QVERIFY(rec.FindText(longText)->flags & Qt::AlignTop);
    }

    void footerShowsPageOfPagesRightAligned() {
        GridFixture f;
        f.job.SetColCount(3);
        f.job.SetColumnDisplayWidths({1, 1, 1});
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(31);
        TFontSpec footer;
        footer.PointSize = 12;
        f.job.SetFooterFont(footer);
        const TRecordedPage rec = f.Draw(2);
        const TDrawOp* t = rec.FindText(QStringLiteral("Page 2 of 2"));
        QVERIFY(t);
        QVERIFY(t->flags & Qt::AlignRight);
        // in the last column, in the footer band
        const TRect band = f.job.FooterRect();
        const TRect cell = f.job.FooterCellRect(band, 2);
        QVERIFY(t->rect.Left > cell.Left && t->rect.Right <= cell.Right + 1);
        QVERIFY(t->rect.Top >= band.Top);
        QCOMPARE(rec.FindText(QStringLiteral("Page 1 of 2")), nullptr);
    }

    void indexColumn() {
        GridFixture f;
        f.job.SetColumnDisplayWidths({1});
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(61);
        f.job.SetIndexColumn(true);
        f.job.SetIndexStart(1);
        TPrintCanvas measure(nullptr, 600);
        measure.Font = f.job.PageFont();
        const int iw = measure.TextWidth(QStringLiteral("    62")) + 2;
        QCOMPARE(f.job.IndexColumnWidth(), iw);
        QCOMPARE(f.job.ColumnWidth(IndexCol), iw);
        QCOMPARE(f.job.ColumnWidth(0), 4958 - iw - 1);
        QCOMPARE(f.job.ColumnLeft(f.job.PageAreaRect(), 0), iw);
        const TRecordedPage rec = f.Draw(2);
        QVERIFY(rec.FindText(QStringLiteral("#")));
        const TDrawOp* n = rec.FindText(QStringLiteral("31")); // row 30 with IndexStart 1
        QVERIFY(n);
        QVERIFY(n->flags & Qt::AlignRight);
        QVERIFY(rec.FindText(QStringLiteral("60")));
        QVERIFY(!rec.FindText(QStringLiteral("61")));
    }

    void emptyDataGivesOnePageOfEmptyCells() {
        TableGridJob job;
        PdfPrinterFixture pdf;
        job.SetPrinterProvider(&pdf.provider);
        job.widths = {20, 10};
        job.titles = {QStringLiteral("deutsch"), QStringLiteral("Zahl")};
        job.SetOptions({joHeader, joFooter});
        job.SetHeader(150);
        job.SetFooter(150);
        job.SetRowsPerPage(30);
        job.SetIndexColumn(true);
        job.Update();
        QCOMPARE(job.RowCount(), 1);
        QCOMPARE(job.PageCount(), 1);
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPage(canvas, 1, dtMetaPreview);
        QCOMPARE(job.bodyReads, 0);
        for (const TDrawOp* t : rec.Texts()) {
            if (t->rect.Top > 150 && t->rect.Top < 6800) // body
                QVERIFY2(t->text.isEmpty(), qPrintable(t->text));
        }
        QVERIFY(rec.FindText(QStringLiteral("deutsch")));
    }

    void dataBoundSubclassRecountsOnUpdate() {
        TableGridJob job;
        PdfPrinterFixture pdf;
        job.SetPrinterProvider(&pdf.provider);
        job.widths = {20, 10};
        job.titles = {QStringLiteral("deutsch"), QStringLiteral("Zahl")};
        for (int i = 0; i < 31; ++i)
            job.rows.append({QStringLiteral("Wort%1").arg(i), QString::number(i)});
        job.SetRowsPerPage(30); // updates: recount
        QCOMPARE(job.ColCount(), 2);
        QCOMPARE(job.RowCount(), 31);
        QCOMPARE(job.PageCount(), 2);
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPage(canvas, 2, dtMetaPreview);
        QVERIFY(rec.FindText(QStringLiteral("Wort30")));
        QVERIFY(rec.FindText(QStringLiteral("30"))->flags & Qt::AlignRight);
        QCOMPARE(job.bodyReads, 2);          // a page reads only its own rows
        QVERIFY(job.lockSeenDuringRead > 0); // the update lock is held while drawing
        QCOMPARE(job.UpdateLockCount(), 0);
        job.rows.removeLast();
        job.Update();
        QCOMPARE(job.PageCount(), 1);
    }

    void tableBorders() {
        GridFixture f;
        f.job.SetColCount(2);
        f.job.SetColumnDisplayWidths({1, 1});
        f.job.SetRowsPerPage(30);
        f.job.SetRowCount(40);
        f.job.SetTableBorders({cbTop, cbLeft, cbRight, cbBottom});
        const TRect area = f.job.PageAreaRect();
        TRecordedPage rec = f.Draw(1);
        QCOMPARE(int(rec.Lines().size()), 4);
        // from the margins rectangle's corner, as wide as all columns, down to its bottom
        QCOMPARE(rec.Lines()[0]->p1, QPoint(0, 0));
        QCOMPARE(rec.Lines()[0]->p2, QPoint(4956, 0));
        QCOMPARE(rec.Lines()[1]->p1.y(), 7016);
        // last page: down to the bottom of the last row
        rec = f.Draw(2);
        QCOMPARE(rec.Lines()[1]->p1.y(), f.job.RowTop(area, 2, 40));
    }

    void customizeCellCanvas() {
        GridFixture f;
        f.job.SetRowsPerPage(5);
        f.job.SetRowCount(2);
        f.job.SetColumnDisplayWidths({1});
        f.job.OnGetCellText = [](int, int row, QString& t) { t = QStringLiteral("r%1").arg(row); };
        QList<QPair<int, int>> seen;
        f.job.OnCustomizeCellCanvas = [&](TCustomTextGridPrintJob*, int col, int row, TPrintCanvas& c) {
            seen.append({col, row});
            if (row == 1)
                c.Font.Color = Qt::red;
        };
        const TRecordedPage rec = f.Draw(1);
        QVERIFY(seen.contains(qMakePair(0, HeaderRow)));
        QVERIFY(seen.contains(qMakePair(0, FooterRow)));
        QVERIFY(seen.contains(qMakePair(0, 1)));
        QCOMPARE(rec.FindText(QStringLiteral("r1"))->color, QColor(Qt::red));
        QCOMPARE(rec.FindText(QStringLiteral("r0"))->color, QColor(Qt::black));
    }

    void gridAreasOutsideDefaultDrawingGoToOnDraw() {
        GridFixture f;
        f.job.SetColumnTitles({QStringLiteral("Titel")});
        f.job.SetDefaultDrawing({daPage, daFooter});
        QList<TDrawArea> areas;
        f.job.OnDraw = [&](TCustomPrintJob*, TPrintCanvas&, int, const TRect&, TDrawArea a, TDrawTarget) {
            areas << a;
        };
        const TRecordedPage rec = f.Draw(1);
        QCOMPARE(areas, QList<TDrawArea>{daHeader});
        QVERIFY(!rec.FindText(QStringLiteral("Titel")));
    }
};

QTEST_MAIN(TestPrintGrid)
#include "tst_print_grid.moc"
