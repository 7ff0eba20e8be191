// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark of the print engine:
//  1. printing 1,000 simple pages (18 texts and 9 lines each, like a
//     flash-card page) to PDF;
//  2. paging through the preview of a grid job with 200,000 rows.
// Usage: bench_print [output folder]   (default: a temporary folder)
// Besides the figures it leaves grid.pdf, cards.pdf and preview.png there.
#include "pjtextgrid.h"
#include "psjob.h"
#include "pspreview.h"
#include "psprinter.h"
#include "pstoolbar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <cstdio>

using namespace printing;

namespace {
void DrawCardPage(TPrintCanvas& c, int page) {
    c.TextAlignH = haCenter;
    c.TextAlignV = vaTop;
    for (int n = 0; n < 18; ++n) {
        const int col = n / 6, row = n % 6;
        c.TextOut(col * 1617 + 808, row * 1133 + 567, QStringLiteral("Wort %1").arg((page - 1) * 18 + n + 1));
    }
    c.Pen.Width = 1;
    for (int k = 1; k <= 6; ++k)
        c.Line(0, k * 1133, 100000, k * 1133);
    for (int k = 1; k <= 3; ++k)
        c.Line(k * 1617, 0, k * 1617, 10000);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    QDir().mkpath(outDir);

    // ---- 1. 1,000 pages to PDF ----
    {
        TOwnedPrinterProvider provider(MakePdfPrinter(QDir(outDir).filePath(QStringLiteral("cards.pdf")), 600));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        job.SetOrientation(orPortrait);
        job.SetPageCount(1000);
        job.OnDraw = [](TCustomPrintJob*, TPrintCanvas& c, int page, const TRect&, TDrawArea, TDrawTarget) {
            DrawCardPage(c, page);
        };
        QElapsedTimer t;
        t.start();
        job.Print();
        const double ms = t.nsecsElapsed() / 1e6;
        std::printf("print 1000 pages to PDF: %.0f ms total, %.2f ms per page (%d sheets)\n", ms, ms / 1000,
                    job.PrintedSheetCount());
        TPreview preview;
        preview.resize(600, 800);
        preview.show();
        QApplication::processEvents();
        preview.SetPrintJob(&job);
        preview.grab().save(QDir(outDir).filePath(QStringLiteral("preview-cards.png")));
    }

    // ---- 2. preview of a 200,000-row grid ----
    {
        TOwnedPrinterProvider provider(MakePdfPrinter(QDir(outDir).filePath(QStringLiteral("grid.pdf")), 600));
        TTextGridPrintJob job;
        job.BeginUpdate();
        job.SetPrinterProvider(&provider);
        job.SetOrientation(orLandscape);
        job.SetOptions({joHeader, joFooter});
        job.SetHeaderUnits(unInches);
        job.SetHeader(0.3);
        job.SetFooterUnits(unInches);
        job.SetFooter(0.3);
        TFontSpec f10;
        f10.PointSize = 10;
        TFontSpec f12;
        f12.PointSize = 12;
        job.SetHeaderFont(f10);
        job.SetPageFont(f10);
        job.SetFooterFont(f12);
        job.SetHeaderCellBorders({cbTop, cbLeft, cbRight, cbBottom});
        job.SetPageCellBorders({cbLeft, cbRight});
        job.SetColCount(6);
        job.SetColumnDisplayWidths({20, 20, 14, 11, 5, 13});
        job.SetColumnTitles({QStringLiteral("deutsch"), QStringLiteral("Englisch"), QStringLiteral("Sachgruppe"),
                             QStringLiteral("Gattung"), QStringLiteral("Schwierigkeitsgrad"),
                             QStringLiteral("Bemerkung")});
        job.SetColumnAlignments(
            {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft});
        job.OnGetCellText = [](int col, int row, QString& text) {
            switch (col) {
            case 0:
                text = QStringLiteral("Wort %1").arg(row + 1);
                break;
            case 1:
                text = QStringLiteral("word %1").arg(row + 1);
                break;
            case 2:
                text = QStringLiteral("Allgemein");
                break;
            case 3:
                text = QStringLiteral("Substantiv");
                break;
            case 4:
                text = QString::number(row % 3 + 1);
                break;
            case 5:
                text = row % 7 == 0 ? QStringLiteral("eine sehr lange Bemerkung, die nicht in die Zelle passt")
                                    : QString();
                break;
            }
        };
        job.SetRowsPerPage(30);
        job.SetRowCount(200000);
        job.EndUpdate();
        job.Update();

        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* toolbar = new TPreviewToolbar(&window);
        auto* preview = new TPreview(&window);
        layout->addWidget(toolbar);
        layout->addWidget(preview);
        window.resize(1000, 750);
        window.show();
        QApplication::processEvents();
        toolbar->SetPreview(preview);
        preview->SetViewMode(vmPageWidth);
        preview->SetPrintJob(&job);
        QApplication::processEvents();
        std::printf("grid job: %d rows, %d pages\n", job.RowCount(), job.PageCount());

        const int steps = 500;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < steps; ++i) {
            toolbar->ButtonClick(btnNextPage);
            preview->DrawPanel()->repaint(); // the page on screen, as the user sees it
        }
        double ms = t.nsecsElapsed() / 1e6;
        std::printf("preview next page (update + paint), %d steps: %.3f ms per step\n", steps, ms / steps);

        t.restart();
        for (int i = 0; i < steps; ++i)
            toolbar->ButtonClick(btnNextPage);
        ms = t.nsecsElapsed() / 1e6;
        std::printf("preview next page (update only), %d steps: %.3f ms per step\n", steps, ms / steps);

        t.restart();
        for (int i = 0; i < 100; ++i) {
            toolbar->ButtonClick(i % 2 ? btnFirstPage : btnLastPage);
            preview->DrawPanel()->repaint();
        }
        ms = t.nsecsElapsed() / 1e6;
        std::printf("preview first/last page jumps (update + paint): %.3f ms per step\n", ms / 100);

        t.restart();
        for (int i = 0; i < 100; ++i)
            preview->DrawPanel()->repaint();
        ms = t.nsecsElapsed() / 1e6;
        std::printf("preview repaint only (replay of the recorded page): %.3f ms per paint\n", ms / 100);

        preview->SetPageIndex(2);
        window.grab().save(QDir(outDir).filePath(QStringLiteral("preview.png")));
        preview->SetViewMode(vmWholePage);
        window.grab().save(QDir(outDir).filePath(QStringLiteral("preview-whole.png")));

        t.restart();
        job.PrintRange(6666, 6667, false, false); // the last two pages
        ms = t.nsecsElapsed() / 1e6;
        std::printf("print 2 grid pages to PDF: %.1f ms\n", ms);
    }
    std::printf("output in %s\n", qPrintable(outDir));
    return 0;
}
