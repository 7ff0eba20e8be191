// SPDX-License-Identifier: GPL-3.0-or-later
// Print job: properties, page size, area rectangles, margin
// check, drawing a page, printing a page range, dialogs.
#include "psjob.h"
#include "printtestsupport.h"

#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace printing;
using namespace printing::test;

namespace {
// A PDF printer whose margins (0.5 inch = 300 px at 600 dpi on every side)
// count as the unprintable strip: not a full-page printer.
std::unique_ptr<QPrinter> PrinterWithOffsets(const QString& file) {
    auto p = MakePdfPrinter(file, 600);
    p->setFullPage(false);
    p->setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
    return p;
}

int PdfPageCount(const QString& file) {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        return -1;
    QProcess p;
    p.start(pdfinfo, {file});
    p.waitForFinished();
    const auto m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}
} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
private slots:
    void defaults() {
        TPrintJob job;
        QCOMPARE(job.PageCount(), 1);
        QCOMPARE(job.MarginsError(), meAutoFix);
        QCOMPARE(job.MarginsUnits(), unPixels);
        QCOMPARE(job.PageMode(), pmDefault);
        QCOMPARE(job.Orientation(), orDefault);
        QVERIFY(job.Options().empty());
        QVERIFY(!job.RelativeCoords());
        QVERIFY(!job.MultiDoc());
        QCOMPARE(job.DefaultDrawing(), (TDrawAreas{daHeader, daPage, daFooter}));
    }

    void pageCountZeroOrNegativeStoresOne() {
        TPrintJob job;
        job.SetPageCount(0);
        QCOMPARE(job.PageCount(), 1);
        job.SetPageCount(-5);
        QCOMPARE(job.PageCount(), 1);
        job.SetPageCount(7);
        QCOMPARE(job.PageCount(), 7);
    }

    void pageSizeWithoutPrinter() {
        TPrintJob job;
        NoPrinterProvider none;
        job.SetPrinterProvider(&none);
        QVERIFY(!job.PrinterAvailable());
        QCOMPARE(job.PageRect(), (TRect{0, 0, 2000, 3000}));
        QCOMPARE(job.Metrics().dpiX, 300);
        QCOMPARE(job.Metrics().dpiY, 300);
        // updates do nothing without a printer
        int updates = 0;
        job.OnUpdate = [&](TCustomPrintJob*) { ++updates; };
        job.Update();
        QCOMPARE(updates, 0);
    }

    void pageSizeFromPdfPrinter() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        QCOMPARE(job.Metrics().dpiX, 600);
        QCOMPARE(job.Metrics().dpiY, 600);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 4958, 7017}));
        QCOMPARE(job.PageWidth(), 4958.0);
        QCOMPARE(job.PageHeight(), 7017.0);
        QCOMPARE(job.PrintableRect(), (TRect{0, 0, 4958, 7017}));
        // in millimetres: 4958 px = 209.89 mm, and back
        job.SetPageUnits(unMillimeters);
        QCOMPARE(job.PageWidth(), 209.89);
        QCOMPARE(job.PageHeight(), 297.05);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 4958, 7017}));
    }

    void defaultProviderFallsBackToPdfAt600Dpi() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed");
        TDefaultPrinterProvider provider;
        QPrinter* printer = provider.Printer();
        QVERIFY(printer);
        QCOMPARE(provider.Printer(), printer); // created once
        QCOMPARE(printer->outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(printer->resolution(), 600);
        QVERIFY(printer->outputFileName().endsWith(QStringLiteral("Vokabeltrainer.pdf")));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 4958, 7017}));
    }

    void customPageSize() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageMode(pmCustom);
        job.SetPageUnits(unInches);
        job.SetPageWidth(5);
        job.SetPageHeight(4);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 3000, 2400}));
        job.SetPageUnits(unPercents);      // kept, converted against the sheet
        QCOMPARE(job.PageWidth(), 60.508); // 3000 / 4958
        QCOMPARE(job.PageRect(), (TRect{0, 0, 3000, 2400}));
    }

    void orientation() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetOrientation(orLandscape);
        QCOMPARE(pdf.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 7017, 4958}));
        job.SetOrientation(orPortrait);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 4958, 7017}));
        // orDefault leaves the printer's own setting
        pdf.Printer()->setPageOrientation(QPageLayout::Landscape);
        job.SetOrientation(orDefault);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 7017, 4958}));
    }

    void areaRectangles() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetMarginsUnits(unInches);
        job.SetMargins({0.2, 0.2, 0.173, 0.173});
        job.SetHeaderUnits(unInches);
        job.SetHeader(0.3);
        job.SetFooterUnits(unInches);
        job.SetFooter(0.3);
        // no options: margins not applied, no bands
        QCOMPARE(job.MarginsRect(), (TRect{0, 0, 4958, 7017}));
        QCOMPARE(job.HeaderRect(), TRect{});
        QCOMPARE(job.FooterRect(), TRect{});
        QCOMPARE(job.PageAreaRect(), (TRect{0, 0, 4958, 7017}));
        job.SetOptions({joHeader, joFooter});
        QCOMPARE(job.HeaderRect(), (TRect{0, 0, 4958, 180}));
        QCOMPARE(job.FooterRect(), (TRect{0, 6837, 4958, 7017}));
        QCOMPARE(job.PageAreaRect(), (TRect{0, 180, 4958, 6837}));
        job.SetOptions({joMargins, joHeader, joFooter});
        QCOMPARE(job.MarginsRect(), (TRect{120, 120, 4854, 6913}));
        QCOMPARE(job.HeaderRect(), (TRect{120, 120, 4854, 300}));
        QCOMPARE(job.FooterRect(), (TRect{120, 6733, 4854, 6913}));
        QCOMPARE(job.PageAreaRect(), (TRect{120, 300, 4854, 6733}));
        // header in percent of the margins rectangle's height (6793 px)
        job.SetHeaderUnits(unPercents);
        job.SetHeader(10);
        QCOMPARE(job.HeaderRect(), (TRect{120, 120, 4854, 120 + 679}));
        // margins in percent: left/right of the page width, top/bottom of the height
        job.SetMarginsUnits(unPercents);
        job.SetMargins({10, 10, 10, 10});
        QCOMPARE(job.MarginsRect(), (TRect{496, 702, 4958 - 496, 7017 - 702}));
    }

    void marginCheckAutoFix() {
        TOwnedPrinterProvider provider(PrinterWithOffsets(QString()));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        QCOMPARE(job.PrintableRect(), (TRect{300, 300, 4658, 6717}));
        job.SetOptions({joMargins});
        job.SetMargins({100, 400, 100, 400});
        QCOMPARE(job.Margins(), (TMargins{300, 400, 300, 400}));
        job.SetMarginsUnits(unMillimeters);
        job.SetMargins({5, 20, 5, 20});
        QCOMPARE(job.Margins(), (TMargins{12.7, 20, 12.7, 20}));
    }

    void marginCheckMessageBox() {
        TOwnedPrinterProvider provider(PrinterWithOffsets(QString()));
        ScriptedPrintUi ui;
        TPrintJob job;
        job.SetPrintUi(&ui);
        job.SetPrinterProvider(&provider);
        job.SetOptions({joMargins});
        job.SetMarginsError(meMessageBox);
        ui.yesNoAnswer = false;
        job.SetMargins({10, 10, 400, 400});
        QVERIFY(!ui.questions.isEmpty());
        QCOMPARE(ui.questions.first(),
                 QStringLiteral("One or more margins are set outside the printable area of the page.\n"
                                "Do you want to fix them?"));
        QCOMPARE(job.Margins(), (TMargins{10, 10, 400, 400}));
        ui.yesNoAnswer = true;
        ui.questions.clear();
        job.SetMargins({10, 10, 400, 400});
        QCOMPARE(job.Margins(), (TMargins{300, 300, 400, 400}));
        // inside the printable area: no question
        ui.questions.clear();
        job.SetMargins({400, 400, 400, 400});
        QVERIFY(ui.questions.isEmpty());
    }

    void marginCheckException() {
        TOwnedPrinterProvider provider(PrinterWithOffsets(QString()));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        job.SetOptions({joMargins});
        job.SetMarginsError(meException);
        bool thrown = false;
        try {
            job.SetMargins({0, 0, 0, 0});
        } catch (const EPrintJobException& e) {
            thrown = true;
            QCOMPARE(e.Message(),
                     QStringLiteral("One or more margins are set outside the printable area of the page."));
        }
        QVERIFY(thrown);
    }

    void marginCheckSkipped() {
        TOwnedPrinterProvider provider(PrinterWithOffsets(QString()));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        // meNone
        job.SetOptions({joMargins});
        job.SetMarginsError(meNone);
        job.SetMargins({1, 1, 1, 1});
        QCOMPARE(job.Margins(), (TMargins{1, 1, 1, 1}));
        // margins that are not applied are not checked (deviation: sound behaviour)
        job.SetOptions({});
        job.SetMarginsError(meException);
        job.SetMargins({2, 2, 2, 2});
        QCOMPARE(job.Margins(), (TMargins{2, 2, 2, 2}));
        // while loading from the form
        job.SetMarginsError(meAutoFix);
        job.BeginLoad();
        job.SetOptions({joMargins});
        job.SetMargins({3, 3, 3, 3});
        QCOMPARE(job.Margins(), (TMargins{3, 3, 3, 3}));
        job.Loaded();
        QCOMPARE(job.Margins(), (TMargins{300, 300, 300, 300}));
        // without a printer
        TPrintJob other;
        other.SetOptions({joMargins});
        other.SetMarginsError(meException);
        other.SetMargins({-5, -5, -5, -5});
        QCOMPARE(other.Margins(), (TMargins{-5, -5, -5, -5}));
    }

    void drawPageInitialisesCanvas() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        TFontSpec seen;
        TPenSpec pen;
        TBrushSpec brush;
        int pixelSize = 0;
        TDrawTarget initTarget = dtPrint;
        job.OnInitDraw = [&](TCustomPrintJob*, TPrintCanvas& c, TDrawTarget t) {
            seen = c.Font;
            pen = c.Pen;
            brush = c.Brush;
            pixelSize = c.FontPixelSize();
            initTarget = t;
        };
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPageOn(canvas, 1);
        QCOMPARE(initTarget, dtExternal);
        QCOMPARE(seen.Family, QStringLiteral("Arial"));
        QCOMPARE(seen.PointSize, 10.0);
        QVERIFY(!seen.Bold && !seen.Italic);
        QCOMPARE(seen.Color, QColor(Qt::black));
        QCOMPARE(pen.Width, 0);
        QCOMPARE(pen.Style, psSolid);
        QCOMPARE(brush.Color, QColor(Qt::white));
        QCOMPARE(pixelSize, 83); // 10 pt at 600 dpi
        QCOMPARE(canvas.FontResolution(), 600.0);
        QCOMPARE(rec.ops.size(), size_t(1));
        QCOMPARE(rec.ops[0].kind, TDrawOp::Fill);
        QCOMPARE(rec.ops[0].rect, (TRect{0, 0, 4958, 7017}));
        QCOMPARE(rec.ops[0].color, QColor(Qt::white));
    }

    void drawAreasAndCallback() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetOptions({joHeader, joFooter});
        job.SetHeader(200);
        job.SetFooter(100);
        struct Call {
            int page;
            TRect rect;
            TDrawArea area;
            TDrawTarget target;
        };
        QList<Call> calls;
        job.OnDraw = [&](TCustomPrintJob*, TPrintCanvas& c, int page, const TRect& r, TDrawArea a, TDrawTarget t) {
            calls.append({page, r, a, t});
            c.TextOut(r.Left + 10, r.Top + 10, QStringLiteral("A%1").arg(int(a)));
        };
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPage(canvas, 3, dtMetaPreview);
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[0].area, daPage);
        QCOMPARE(calls[1].area, daHeader);
        QCOMPARE(calls[2].area, daFooter);
        QCOMPARE(calls[0].page, 3);
        QCOMPARE(calls[0].target, dtMetaPreview);
        QCOMPARE(calls[0].rect, (TRect{0, 200, 4958, 6917}));
        QCOMPARE(calls[1].rect, (TRect{0, 0, 4958, 200}));
        QCOMPARE(calls[2].rect, (TRect{0, 6917, 4958, 7017}));
        QCOMPARE(rec.FindText(QStringLiteral("A1"))->p1, QPoint(10, 210));

        // relative coordinates: each area starts at (0, 0), drawing lands at
        // the same place of the sheet
        calls.clear();
        job.SetRelativeCoords(true);
        TRecordedPage rel;
        TPrintCanvas c2(&rel);
        job.DrawPage(c2, 1, dtMetaPreview);
        QCOMPARE(calls[0].rect, (TRect{0, 0, 4958, 6717}));
        QCOMPARE(calls[1].rect, (TRect{0, 0, 4958, 200}));
        QCOMPARE(calls[2].rect, (TRect{0, 0, 4958, 100}));
        QCOMPARE(rel.FindText(QStringLiteral("A1"))->p1, QPoint(10, 210));
        QCOMPARE(rel.FindText(QStringLiteral("A2"))->p1, QPoint(10, 6927));
        QCOMPARE(c2.Origin(), QPoint(0, 0)); // restored

        // areas outside DefaultDrawing go to OnDraw directly
        calls.clear();
        job.SetDefaultDrawing({daPage});
        TRecordedPage r3;
        TPrintCanvas c3(&r3);
        job.DrawPage(c3, 1, dtMetaPreview);
        QCOMPARE(calls.size(), 3);
    }

    void callbackMayChangePageCount() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(100);
        job.OnDraw = [](TCustomPrintJob* j, TPrintCanvas&, int page, const TRect&, TDrawArea, TDrawTarget) {
            j->SetPageCount(page);
        };
        TRecordedPage rec;
        TPrintCanvas canvas(&rec);
        job.DrawPage(canvas, 4, dtMetaPreview);
        QCOMPARE(job.PageCount(), 4);
    }

    void updateLock() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        int updates = 0;
        job.OnUpdate = [&](TCustomPrintJob*) { ++updates; };
        job.BeginUpdate();
        job.SetPageCount(5);
        job.Update();
        QCOMPARE(updates, 0);
        job.EndUpdate();
        QCOMPARE(updates, 0); // dropped, not deferred
        job.Update();
        QCOMPARE(updates, 1);
        job.SetTitle(QStringLiteral("x"));
        QCOMPARE(updates, 2);
    }

    void printAllPages() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetTitle(QStringLiteral("Testdruck"));
        job.SetPageCount(3);
        QStringList log;
        job.OnAllowPrint = [&](TCustomPrintJob*, bool& allow) {
            log << "allow";
            QVERIFY(allow);
        };
        job.OnStartPrint = [&](TCustomPrintJob*) { log << "start"; };
        job.OnEndPrint = [&](TCustomPrintJob*) { log << "end"; };
        job.OnStartPrintPage = [&](TCustomPrintJob*, int p) { log << QStringLiteral("sp%1").arg(p); };
        job.OnEndPrintPage = [&](TCustomPrintJob*, int p) { log << QStringLiteral("ep%1").arg(p); };
        job.OnPrintProgress = [&](TCustomPrintJob*, int pos, int min, int max) {
            log << QStringLiteral("pr%1/%2-%3").arg(pos).arg(min).arg(max);
        };
        QList<TDrawTarget> targets;
        job.OnDraw = [&](TCustomPrintJob*, TPrintCanvas& c, int page, const TRect&, TDrawArea, TDrawTarget t) {
            targets << t;
            c.TextOut(600, 600, QStringLiteral("Seite %1").arg(page));
        };
        QVERIFY(job.Print());
        QCOMPARE(log, (QStringList{"allow", "start", "sp1", "ep1", "pr1/1-3", "sp2", "ep2", "pr2/1-3", "sp3", "ep3",
                                   "pr3/1-3", "end"}));
        QCOMPARE(targets, (QList<TDrawTarget>{dtPrint, dtPrint, dtPrint}));
        QCOMPARE(pdf.Printer()->docName(), QStringLiteral("Testdruck"));
        QCOMPARE(job.PrintedSheetCount(), 3);
        QVERIFY(QFile::exists(pdf.File()));
        const int pages = PdfPageCount(pdf.File());
        if (pages >= 0)
            QCOMPARE(pages, 3);
        QVERIFY(job.LastPrintedPage().FindText(QStringLiteral("Seite 3")));
    }

    void printRefused() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        bool started = false;
        job.OnAllowPrint = [](TCustomPrintJob*, bool& allow) { allow = false; };
        job.OnStartPrint = [&](TCustomPrintJob*) { started = true; };
        QVERIFY(!job.Print());
        QVERIFY(!started);
        QVERIFY(!QFile::exists(pdf.File()));
    }

    void printReverseAndRange() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(5);
        QList<int> pages;
        job.OnStartPrintPage = [&](TCustomPrintJob*, int p) { pages << p; };
        QVERIFY(job.PrintRange(2, 4, true, false));
        QCOMPARE(pages, (QList<int>{4, 3, 2}));
        pages.clear();
        QVERIFY(job.PrintRange(4, 9, false, false)); // cut to the page count
        QCOMPARE(pages, (QList<int>{4, 5}));
    }

    void abortStopsBeforeNextPage() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(5);
        QList<int> pages;
        job.OnEndPrintPage = [&](TCustomPrintJob* j, int p) {
            pages << p;
            if (p == 2)
                j->Abort();
        };
        bool ended = false;
        job.OnEndPrint = [&](TCustomPrintJob*) { ended = true; };
        QVERIFY(job.Print());
        QCOMPARE(pages, (QList<int>{1, 2}));
        QVERIFY(ended);
        QVERIFY(!job.AbortRequested());       // cleared
        QCOMPARE(job.PrintedSheetCount(), 2); // no sheet after the last page
    }

    void noBlankSheetsWhenPageCountDrops() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(100); // provisional, as the flash-card preview sets it
        job.OnDraw = [](TCustomPrintJob* j, TPrintCanvas& c, int page, const TRect&, TDrawArea, TDrawTarget) {
            c.TextOut(100, 100, QString::number(page));
            if (page == 2)
                j->SetPageCount(2); // the records ran out on page 2
        };
        QVERIFY(job.Print());
        QCOMPARE(job.PrintedSheetCount(), 2);
        const int pages = PdfPageCount(pdf.File());
        if (pages >= 0)
            QCOMPARE(pages, 2);
    }

    void multiDocOneFilePerPage() {
        PdfPrinterFixture pdf;
        TPrintJob job;
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(3);
        job.SetMultiDoc(true);
        QVERIFY(job.Print());
        QVERIFY(QFile::exists(pdf.File(QStringLiteral("out-1.pdf"))));
        QVERIFY(QFile::exists(pdf.File(QStringLiteral("out-2.pdf"))));
        QVERIFY(QFile::exists(pdf.File(QStringLiteral("out-3.pdf"))));
        QCOMPARE(pdf.Printer()->outputFileName(), pdf.File());
    }

    void printWithDialog() {
        PdfPrinterFixture pdf;
        ScriptedPrintUi ui;
        TPrintJob job;
        job.SetPrintUi(&ui);
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(6);
        int setupChanges = 0;
        job.OnPrinterSetupChange = [&](TCustomPrintJob*) { ++setupChanges; };
        QList<int> pages;
        job.OnStartPrintPage = [&](TCustomPrintJob*, int p) { pages << p; };
        ui.chosenFrom = 2;
        ui.chosenTo = 3;
        QVERIFY(job.PrintWithDialog());
        QCOMPARE(ui.limitMin, 1);
        QCOMPARE(ui.limitMax, 6);
        QCOMPARE(ui.presetFrom, 1);
        QCOMPARE(ui.presetTo, 6);
        QCOMPARE(pages, (QList<int>{2, 3}));
        QCOMPARE(setupChanges, 1);
        // cancelled
        pages.clear();
        ui.printDialogAnswer = false;
        QVERIFY(!job.PrintWithDialog());
        QVERIFY(pages.isEmpty());
        QCOMPARE(setupChanges, 1);
    }

    void printerSetupDialog() {
        PdfPrinterFixture pdf;
        ScriptedPrintUi ui;
        TPrintJob job;
        job.SetPrintUi(&ui);
        job.SetPrinterProvider(&pdf.provider);
        int setupChanges = 0, updates = 0;
        job.OnPrinterSetupChange = [&](TCustomPrintJob*) { ++setupChanges; };
        job.OnUpdate = [&](TCustomPrintJob*) { ++updates; };
        ui.onSetup = [](QPrinter& p) { p.setPageOrientation(QPageLayout::Landscape); };
        QVERIFY(job.PrinterSetupDialog());
        QCOMPARE(setupChanges, 1);
        QCOMPARE(updates, 2);
        QCOMPARE(job.PageRect(), (TRect{0, 0, 7017, 4958}));
        ui.setupAnswer = false;
        QVERIFY(!job.PrinterSetupDialog());
        QCOMPARE(setupChanges, 1);
    }

    // Page coordinates are sheet coordinates on paper too: text drawn at a
    // fixed point lands at the same place of the PDF sheet as in the preview,
    // also on a printer with an unprintable strip.
    void fixedCoordinatesLandOnTheSameSpotOfTheSheet() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext not installed");
        QTemporaryDir dir;
        TOwnedPrinterProvider provider(PrinterWithOffsets(dir.filePath(QStringLiteral("fixed.pdf"))));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        job.OnDraw = [](TCustomPrintJob*, TPrintCanvas& c, int, const TRect&, TDrawArea, TDrawTarget) {
            c.Font.PointSize = 20;
            c.TextOut(1200, 2400, QStringLiteral("Landmark"));
        };
        QVERIFY(job.Print());
        // the printed recording used the same coordinates as a preview would
        QCOMPARE(job.LastPrintedPage().FindText(QStringLiteral("Landmark"))->p1, QPoint(1200, 2400));
        QProcess p;
        p.start(pdftotext, {QStringLiteral("-bbox"), dir.filePath(QStringLiteral("fixed.pdf")), QStringLiteral("-")});
        QVERIFY(p.waitForFinished());
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const auto m =
            QRegularExpression(
                QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">Landmark"))
                .match(out);
        QVERIFY2(m.hasMatch(), qPrintable(out));
        // 1200 px at 600 dpi = 144 pt from the left edge of the sheet, 2400 px = 288 pt from the top
        QVERIFY2(std::abs(m.captured(1).toDouble() - 144.0) < 3.0, qPrintable(m.captured(1)));
        QVERIFY2(std::abs(m.captured(2).toDouble() - 288.0) < 6.0, qPrintable(m.captured(2)));
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_print_job.moc"
