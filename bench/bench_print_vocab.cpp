// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark of the vocabulary's printing on real tables:
//  1. 1,000 flash-card pages (18,000 words) printed to PDF;
//  2. paging through the preview of a 200,000-row vocabulary list, and
//     narrowing it with a print selection.
// Usage: bench_print_vocab [output folder]   (default: a temporary folder)
// It leaves sample-cards.pdf, sample-cards-back.pdf, sample-list.pdf and
// sample-test.pdf there (one page each) for a look.
#include "druckerdialog.h"
#include "printpreviewpanel.h"
#include "pspreview.h"
#include "pstoolbar.h"
#include "printlayouts.h"
#include "printlesson.h"
#include "core/database.h"
#include "tablestore/cursorguard.h"
#include "wordgen.h"
#include "support/recordinghost.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <cstdio>

using namespace printing;

namespace {
void makeTable(ts::Table& t, int rows) {
    core::Database::defineVocabulary(t);
    t.createDataSet();
    {
        const ts::BulkInsertGuard bulk(t);
        bench::fillVocabulary(t, rows);
    }
    t.setOrder(QStringLiteral("ID"));
    t.setDisplayLabel(QStringLiteral("auslaendisch"), QStringLiteral("englisch"));
}

void printCards(ts::Table& t, const QString& file, int pages, bool german) {
    TOwnedPrinterProvider provider(MakePdfPrinter(file, 600));
    TPrintJob job;
    job.SetPrinterProvider(&provider);
    setupFlashCardJob(job);
    job.OnDraw = [&](TCustomPrintJob* j, TPrintCanvas& c, int page, const TRect& area, TDrawArea, TDrawTarget) {
        DrawFlashCardPage(c, t, area, j->PageRect().Width(), 3, 6, german, page);
    };
    job.SetPageCount(std::min(pages, flashCardPageCount(t.recordCount(), 3, 6)));
    job.Print();
}

void printGridSample(ts::Table& t, const QString& file, bool list) {
    TOwnedPrinterProvider provider(MakePdfPrinter(file, 600));
    TDBGridPrintJob job;
    job.SetPrinterProvider(&provider);
    setupVocabularyGridJob(job);
    if (list)
        applyVocabularyListSettings(job, t);
    else
        applyVocabularyTestSettings(job, t, true);
    job.PrintRange(1, 1, false, false);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    QDir().mkpath(outDir);
    const QDir out(outDir);

    ts::Table vocab(QStringLiteral("Vokabeln"));
    makeTable(vocab, 200000);
    {
        // The program's path: the preview panel's flash-card job over a
        // selection of 18,000 of the 200,000 words.
        TOwnedPrinterProvider cardPrinter(MakePdfPrinter(out.filePath(QStringLiteral("cards-1000.pdf")), 600));
        // As the main window does, the panel's reset lifts the table's filter.
        struct BenchHost : RecordingHost {
            explicit BenchHost(ts::Table& t) : table(t) {}
            void ResetView() override { table.setFiltered(false); }
            ts::Table& table;
        } host(vocab);
        PrintPreviewPanel panel(vocab, host, nullptr, &cardPrinter, nullptr);
        vocab.setFilter(QStringLiteral("ID <= 18000"));
        panel.showFlashCards();
        QElapsedTimer timer;
        timer.start();
        panel.PrintJob1->Print();
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("1000 flash-card pages to PDF (%d sheets): %.0f ms total, %.2f ms per page\n",
                    panel.PrintJob1->PrintedSheetCount(), ms, ms / 1000);
        panel.left();
        vocab.setFiltered(false);
    }
    {
        ts::Table cards(QStringLiteral("Vokabeln"));
        makeTable(cards, 40);
        printCards(cards, out.filePath(QStringLiteral("sample-cards.pdf")), 1, true);
        printCards(cards, out.filePath(QStringLiteral("sample-cards-back.pdf")), 1, false);
        printGridSample(cards, out.filePath(QStringLiteral("sample-list.pdf")), true);
        printGridSample(cards, out.filePath(QStringLiteral("sample-test.pdf")), false);
    }

    TOwnedPrinterProvider provider(MakePdfPrinter(out.filePath(QStringLiteral("list.pdf")), 600));
    TDBGridPrintJob job;
    job.SetPrinterProvider(&provider);
    setupVocabularyGridJob(job);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* toolbar = new TPreviewToolbar(&window);
    auto* preview = new TPreview(&window);
    layout->addWidget(toolbar);
    layout->addWidget(preview, 1);
    window.resize(1000, 750);
    window.show();
    QApplication::processEvents();
    toolbar->SetPreview(preview);
    preview->SetViewMode(vmPageWidth);

    RecordingHost dialogHost;
    QElapsedTimer t;
    t.start();
    {
        // Opening a print dialog gathers the subject groups of every row.
        PrintChoiceDialog dialog(PrintKind::List, vocab, dialogHost);
        t.restart();
        dialog.FormShow();
        std::printf("print dialog opened on %d rows (%d subject groups): %.1f ms\n", vocab.recordCount(),
                    int(dialog.subjectGroupEntries().size()), t.nsecsElapsed() / 1e6);
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(out.filePath(QStringLiteral("dialog-list.png")));
    }
    {
        PrintChoiceDialog dialog(PrintKind::Test, vocab, dialogHost);
        dialog.setLanguageName(QStringLiteral("englisch"));
        dialog.show();
        QApplication::processEvents();
        dialog.grab().save(out.filePath(QStringLiteral("dialog-test.png")));
    }
    t.restart();
    preview->SetPrintJob(&job);
    applyVocabularyListSettings(job, vocab);
    QApplication::processEvents();
    std::printf("list preview of %d rows opened (%d pages): %.1f ms\n", vocab.recordCount(), job.PageCount(),
                t.nsecsElapsed() / 1e6);

    const int steps = 300;
    t.restart();
    for (int i = 0; i < steps; ++i) {
        toolbar->ButtonClick(btnNextPage);
        preview->DrawPanel()->repaint();
    }
    std::printf("next page (draw + paint): %.3f ms per page\n", t.nsecsElapsed() / 1e6 / steps);
    t.restart();
    for (int i = 0; i < 100; ++i) {
        toolbar->ButtonClick(i % 2 ? btnFirstPage : btnLastPage);
        preview->DrawPanel()->repaint();
    }
    std::printf("first/last page jumps (draw + paint): %.3f ms per jump\n", t.nsecsElapsed() / 1e6 / 100);

    // The test over the whole table: numbered, each word once.
    t.restart();
    applyVocabularyTestSettings(job, vocab, true);
    QApplication::processEvents();
    std::printf("test preview of %d rows opened (%d pages): %.1f ms\n", vocab.recordCount(), job.PageCount(),
                t.nsecsElapsed() / 1e6);
    t.restart();
    for (int i = 0; i < 100; ++i) {
        toolbar->ButtonClick(btnNextPage);
        preview->DrawPanel()->repaint();
    }
    std::printf("test next page (draw + paint): %.3f ms per page\n", t.nsecsElapsed() / 1e6 / 100);
    t.restart();
    applyVocabularyTestSettings(job, vocab, true, QStringLiteral("ALLE VOKABELN"), true);
    QApplication::processEvents();
    std::printf("test with answer key opened (%d pages): %.1f ms\n", job.PageCount(), t.nsecsElapsed() / 1e6);
    {
        // A lesson of every seventh word, as scattered as a lesson gets.
        std::vector<int> ids;
        for (int id = 1; id <= 200000; id += 7)
            ids.push_back(id);
        t.restart();
        vocab.setFilter(QStringLiteral("1 = 1 and ") + idFilterClause(ids));
        vocab.setFiltered(true);
        QApplication::processEvents();
        std::printf("lesson of %d scattered words selected from 200000 rows (%d pages): %.1f ms\n", vocab.recordCount(),
                    job.PageCount(), t.nsecsElapsed() / 1e6);
        vocab.setFiltered(false);
    }
    applyVocabularyListSettings(job, vocab);

    // A print selection over the whole table: filter, order, recount, redraw.
    PrintSelection s;
    s.level3 = false;
    s.subjectGroups = {QStringLiteral("Tiere"), QStringLiteral("Schule"), QStringLiteral("Kinder's Welt")};
    t.restart();
    vocab.setFilter(buildPrintFilter(s));
    vocab.setOrder(QStringLiteral("deutsch"));
    vocab.setFiltered(true);
    QApplication::processEvents();
    std::printf("selection with filter and order on %d rows -> %d rows, %d pages: %.1f ms\n", 200000,
                vocab.recordCount(), job.PageCount(), t.nsecsElapsed() / 1e6);
    window.grab().save(out.filePath(QStringLiteral("preview-list.png")));
    std::printf("output in %s\n", qPrintable(outDir));
    return 0;
}
