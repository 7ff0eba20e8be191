// SPDX-License-Identifier: GPL-3.0-or-later
// Preview, tool bar and scale box.
#include "pscombo.h"
#include "psjob.h"
#include "pspreview.h"
#include "pstoolbar.h"
#include "printtestsupport.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace printing;
using namespace printing::test;

namespace {
// A form with a tool bar above a preview, showing a five-page job.
struct Form {
    PdfPrinterFixture pdf;
    ScriptedPrintUi ui;
    TPrintJob job;
    QWidget window;
    TPreviewToolbar* toolbar;
    TPreview* preview;
    int draws = 0;

    explicit Form(QSize previewSize = QSize(800, 600), int pages = 5) {
        job.SetPrintUi(&ui);
        job.SetPrinterProvider(&pdf.provider);
        job.SetPageCount(pages);
        job.OnDraw = [this](TCustomPrintJob*, TPrintCanvas& c, int page, const TRect&, TDrawArea, TDrawTarget) {
            ++draws;
            c.TextOut(600, 600, QStringLiteral("P%1").arg(page));
        };
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        toolbar = new TPreviewToolbar(&window);
        preview = new TPreview(&window);
        layout->addWidget(toolbar);
        layout->addWidget(preview);
        window.resize(previewSize.width(), previewSize.height() + ToolbarHeight);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        toolbar->SetPreview(preview);
        preview->SetPrintJob(&job);
    }
    bool Enabled(TButtonKind k) const { return toolbar->Button(k)->isEnabled(); }
    QString PageText() const {
        for (const TDrawOp* t : preview->RecordedPage().Texts())
            if (t->text.startsWith(QLatin1Char('P')))
                return t->text;
        return {};
    }
};

int ScrollBarExtent(QWidget* w) {
    return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
}
} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void defaults() {
        TPreview p;
        QCOMPARE(p.PageIndex(), 1);
        QCOMPARE(p.ViewMode(), vmWholePage);
        QCOMPARE(p.Color(), QColor(128, 128, 128));
        QCOMPARE(p.ShadowColor(), QColor(64, 64, 64));
        QCOMPARE(p.ShadowSize(), 8);
        QVERIFY(!p.ScrollTracking());
        QVERIFY(!p.DragScroll());
        QVERIFY(!p.DrawPanel()->isVisible());
        p.SetShadowSize(500);
        QCOMPARE(p.ShadowSize(), 100);
        p.SetShadowSize(-1);
        QCOMPARE(p.ShadowSize(), 0);
        TPreviewToolbar bar;
        QCOMPARE(bar.height(), 26);
        QVERIFY(bar.Flat());
        QVERIFY(bar.ScaleBox());
        QCOMPARE(bar.ScaleBoxPos(), 9);
        QVERIFY(bar.UserButtonEnabled());
        QCOMPARE(bar.Buttons(), (TButtonKinds{btnPrint, btnPrinterSetupDialog, btnFirstPage, btnPrevPage, btnNextPage,
                                              btnLastPage, btnZoomOut, btnZoomIn}));
        QCOMPARE(bar.ScaleComboBox()->currentText(), QStringLiteral("not linked"));
    }

    void attachShowsPageOneOnce() {
        Form f;
        QCOMPARE(f.preview->PageIndex(), 1);
        QVERIFY(f.preview->DrawPanel()->isVisible());
        QCOMPARE(f.PageText(), QStringLiteral("P1"));
        QCOMPARE(f.job.Previews().size(), 1);
        f.preview->SetPageIndex(3);
        const int updates = f.preview->UpdateCount();
        f.preview->SetPrintJob(&f.job); // the job already attached: nothing
        QCOMPARE(f.preview->UpdateCount(), updates);
        QCOMPARE(f.preview->PageIndex(), 3);
        f.preview->SetPrintJob(nullptr);
        QVERIFY(!f.preview->DrawPanel()->isVisible());
        QCOMPARE(f.job.Previews().size(), 0);
    }

    void wholePageGeometry() {
        Form f(QSize(800, 600));
        QCOMPARE(f.preview->ScrollBox()->size(), QSize(800, 600));
        // height = 600 - shadow 8 - 16 = 576, width = 576 * 4958 / 7017 = 406, centred
        QCOMPARE(f.preview->DrawPanel()->geometry(), QRect(193, 8, 406 + 8, 576 + 8));
        QCOMPARE(f.preview->DrawPanel()->ImageSize(), QSize(406, 576));
        // scale = 406 * 100 * 600 / 4958 / 96 = 51.18
        QCOMPARE(f.preview->ViewScale(), 51);
        QCOMPARE(f.preview->ScrollMax(), QPoint(0, 0));
        // a wide and low box: the width limits
        f.window.resize(300, 900);
        QApplication::processEvents();
        const int boxH = f.preview->ScrollBox()->height();
        Q_UNUSED(boxH);
        QCOMPARE(f.preview->DrawPanel()->ImageSize().width(), 300 - 16);
        QCOMPARE(f.preview->DrawPanel()->ImageSize().height(), 284 * 7017 / 4958);
    }

    void pageWidthGeometry() {
        Form f(QSize(800, 600));
        f.preview->SetViewMode(vmPageWidth);
        const int sb = ScrollBarExtent(f.preview->ScrollBox());
        const int iw = 800 - sb - 20;
        const int ih = iw * 7017 / 4958;
        QCOMPARE(f.preview->DrawPanel()->geometry(), QRect(8, 8, iw + 8, ih + 8));
        QCOMPARE(f.preview->ScrollBox()->Content()->height(), ih + 8 + 16);
        QCOMPARE(f.preview->ViewScale(), qRound(iw * 100.0 * 600 / 4958 / 96));
    }

    void customGeometry() {
        Form f(QSize(800, 600));
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(100);
        // client width = 4958 * 100 * 96 / 600 / 100 + 2 = 795
        QCOMPARE(f.preview->DrawPanel()->ImageSize(), QSize(795, 795 * 7017 / 4958));
        QCOMPARE(f.preview->DrawPanel()->pos(), QPoint(8, 8)); // does not fit: placed at 8
        f.preview->SetViewScale(25);
        const QSize img = f.preview->DrawPanel()->ImageSize();
        QCOMPARE(img.width(), 4958 * 25 * 96 / 600 / 100 + 2); // 200
        // fits: centred on both axes
        QCOMPARE(f.preview->DrawPanel()->pos(), QPoint((800 - img.width() - 8) / 2, (600 - img.height() - 8) / 2));
        // setting the scale has an effect only in custom mode
        f.preview->SetViewMode(vmWholePage);
        f.preview->SetViewScale(300);
        QCOMPARE(f.preview->ViewScale(), 51);
        // the scale stays within 10 ... 1000
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(5000);
        QCOMPARE(f.preview->ViewScale(), 1000);
        f.preview->SetViewScale(3);
        QCOMPARE(f.preview->ViewScale(), 10);
    }

    void zoomSteps() {
        QCOMPARE(TCustomPreview::NextZoomStep(100), 150);
        QCOMPARE(TCustomPreview::NextZoomStep(120), 150);
        QCOMPARE(TCustomPreview::NextZoomStep(1000), 0);
        QCOMPARE(TCustomPreview::PrevZoomStep(100), 75);
        QCOMPARE(TCustomPreview::PrevZoomStep(10), 0);
        Form f(QSize(800, 600));
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(100);
        f.preview->ZoomIn();
        QCOMPARE(f.preview->ViewScale(), 150);
        f.preview->ZoomOut();
        f.preview->ZoomOut();
        QCOMPARE(f.preview->ViewScale(), 75);
        // zooming out from 10 % does nothing, the button is disabled
        f.preview->SetViewScale(10);
        QVERIFY(!f.Enabled(btnZoomOut));
        f.preview->ZoomOut();
        QCOMPARE(f.preview->ViewScale(), 10);
        f.preview->SetViewScale(1000);
        QVERIFY(!f.Enabled(btnZoomIn));
        QVERIFY(f.Enabled(btnZoomOut));
    }

    void zoomInFromPageWidthAt120() {
        // a box in which page width comes out at 120 %: client width 952
        TPreview probe;
        const int sb = ScrollBarExtent(probe.ScrollBox());
        Form f(QSize(952 + sb + 20, 600));
        f.preview->SetViewMode(vmPageWidth);
        QCOMPARE(f.preview->ViewScale(), 120);
        QCOMPARE(f.toolbar->ScaleComboBox()->currentText(), QStringLiteral("Page width (120%)"));
        f.toolbar->ButtonClick(btnZoomIn);
        QCOMPARE(f.preview->ViewMode(), vmCustom);
        QCOMPARE(f.preview->ViewScale(), 150);
        QCOMPARE(f.toolbar->ScaleComboBox()->currentText(), QStringLiteral("150%"));
    }

    void pageIndexIsClamped() {
        Form f;
        int changed = 0;
        f.preview->OnPageChanged = [&](TCustomPreview*) { ++changed; };
        f.preview->SetPageIndex(3);
        QCOMPARE(f.preview->PageIndex(), 3);
        QCOMPARE(f.PageText(), QStringLiteral("P3"));
        f.preview->SetPageIndex(99);
        QCOMPARE(f.preview->PageIndex(), 5);
        f.preview->SetPageIndex(0);
        QCOMPARE(f.preview->PageIndex(), 1);
        const int updates = f.preview->UpdateCount();
        f.preview->SetPageIndex(1); // no change: no update, but OnPageChanged
        QCOMPARE(f.preview->UpdateCount(), updates);
        QCOMPARE(changed, 4);
        TPreview lonely;
        lonely.SetPageIndex(4);
        QCOMPARE(lonely.PageIndex(), 1);
    }

    void loweringPageCountMovesToTheNewLastPage() {
        Form f;
        f.preview->SetPageIndex(5);
        f.job.SetPageCount(2); // updates the job and so the preview
        QCOMPARE(f.preview->PageIndex(), 2);
        QCOMPARE(f.PageText(), QStringLiteral("P2"));
        QVERIFY(!f.Enabled(btnNextPage));
        // a count lowered by the draw callback takes effect at the next update
        f.job.SetPageCount(100);
        f.preview->SetPageIndex(50);
        f.job.OnDraw = [](TCustomPrintJob* j, TPrintCanvas&, int page, const TRect&, TDrawArea, TDrawTarget) {
            if (page > 7)
                j->SetPageCount(7);
        };
        f.preview->RepaintPage();
        QCOMPARE(f.job.PageCount(), 7);
        QCOMPARE(f.preview->PageIndex(), 50); // drawn as page 50 ...
        f.preview->RepaintPage();
        QCOMPARE(f.preview->PageIndex(), 7); // ... and moved at the next update
    }

    void paintingReplaysWithoutDrawing() {
        Form f;
        const int draws = f.draws;
        const int paints = f.preview->DrawPanel()->PaintCount();
        f.preview->DrawPanel()->repaint();
        f.preview->ScrollTo(0, 10);
        (void)f.preview->grab();
        QCOMPARE(f.draws, draws);
        QVERIFY(f.preview->DrawPanel()->PaintCount() > paints);
        // only the current page is drawn for the preview
        f.preview->SetPageIndex(4);
        QCOMPARE(f.draws, draws + 1);
    }

    void previewHidesWhatLiesOutsideThePrintableArea() {
        auto printer = MakePdfPrinter(QString(), 600);
        printer->setFullPage(false);
        printer->setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point); // 300 px strip
        TOwnedPrinterProvider provider(std::move(printer));
        TPrintJob job;
        job.SetPrinterProvider(&provider);
        job.OnDraw = [](TCustomPrintJob*, TPrintCanvas& c, int, const TRect& r, TDrawArea, TDrawTarget) {
            c.Brush.Color = Qt::black;
            c.FillRect(r); // the whole sheet
        };
        TPreview preview;
        preview.resize(800, 600);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.SetPrintJob(&job);
        const QImage img = preview.DrawPanel()->grab().toImage();
        const QSize page = preview.DrawPanel()->ImageSize(); // 406 x 576
        const double s = page.width() / 4958.0;
        QCOMPARE(img.pixelColor(int(150 * s), int(150 * s)), QColor(Qt::white)); // in the strip
        QCOMPARE(img.pixelColor(page.width() / 2, page.height() / 2), QColor(Qt::black));
        QCOMPARE(img.pixelColor(page.width() - 2, page.height() - 2), QColor(Qt::white));
        // the shadow right of and below the sheet
        QCOMPARE(img.pixelColor(page.width() + 4, page.height() / 2), QColor(64, 64, 64));
        QCOMPARE(img.pixelColor(page.width() / 2, page.height() + 4), QColor(64, 64, 64));
    }

    void sameRecordingInPreviewAndOnPaper() {
        Form f;
        f.job.OnDraw = [](TCustomPrintJob*, TPrintCanvas& c, int, const TRect& r, TDrawArea, TDrawTarget) {
            c.TextOut(r.Left + 500, r.Top + 700, QStringLiteral("inside"));
            c.TextOut(2000, 3000, QStringLiteral("fixed"));
        };
        f.preview->RepaintPage();
        QVERIFY(f.job.PrintRange(1, 1, false, false));
        for (const char* name : {"inside", "fixed"}) {
            const TDrawOp* a = f.preview->RecordedPage().FindText(QString::fromLatin1(name));
            const TDrawOp* b = f.job.LastPrintedPage().FindText(QString::fromLatin1(name));
            QVERIFY(a && b);
            QCOMPARE(a->p1, b->p1);
            QCOMPARE(a->rect, b->rect);
        }
    }

    void withoutPrinterThePanelIsHidden() {
        NoPrinterProvider none;
        TPrintJob job;
        job.SetPrinterProvider(&none);
        job.SetPageCount(3);
        TPreview preview;
        TPreviewToolbar bar;
        bar.SetPreview(&preview);
        preview.resize(400, 300);
        preview.SetPrintJob(&job);
        QVERIFY(preview.DrawPanel()->isHidden());
        // nothing is enabled or disabled
        QVERIFY(bar.Button(btnFirstPage)->isEnabled());
        QVERIFY(bar.Button(btnNextPage)->isEnabled());
        bar.ButtonClick(btnNextPage); // does nothing harmful
    }

    void destroyedJobIsDetached() {
        Form f;
        auto* job = new TPrintJob;
        PdfPrinterFixture pdf;
        job->SetPrinterProvider(&pdf.provider);
        f.preview->SetPrintJob(job);
        delete job;
        QCOMPARE(f.preview->PrintJob(), nullptr);
        QVERIFY(f.preview->DrawPanel()->isHidden());
    }

    void keys() {
        Form f(QSize(800, 600));
        f.preview->setFocus();
        // whole page: no scrolling, Page Down goes to the next page at once
        QTest::keyClick(f.preview, Qt::Key_PageDown);
        QCOMPARE(f.preview->PageIndex(), 2);
        QTest::keyClick(f.preview, Qt::Key_PageUp);
        QCOMPARE(f.preview->PageIndex(), 1);
        // a big page: Page Down scrolls first, at the bottom it turns the page
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(200);
        const int visible = f.preview->ScrollBox()->viewport()->height();
        QTest::keyClick(f.preview, Qt::Key_PageDown);
        QCOMPARE(f.preview->PageIndex(), 1);
        QCOMPARE(f.preview->ScrollPos().y(), visible - 8);
        QTest::keyClick(f.preview, Qt::Key_Down);
        QCOMPARE(f.preview->ScrollPos().y(), visible);
        QTest::keyClick(f.preview, Qt::Key_Up);
        QCOMPARE(f.preview->ScrollPos().y(), visible - 8);
        QTest::keyClick(f.preview, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.preview->ScrollPos().y(), f.preview->ScrollMax().y());
        QCOMPARE(f.preview->PageIndex(), 1);
        QTest::keyClick(f.preview, Qt::Key_PageDown);
        QCOMPARE(f.preview->PageIndex(), 2);
        QCOMPARE(f.preview->ScrollPos(), QPoint(0, 0)); // a new page starts at the top left
        QTest::keyClick(f.preview, Qt::Key_PageUp);
        QCOMPARE(f.preview->PageIndex(), 1);
        QTest::keyClick(f.preview, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.preview->ScrollPos().y(), 0);
        // custom 300 %: horizontal keys
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(300);
        QTest::keyClick(f.preview, Qt::Key_Right);
        QCOMPARE(f.preview->ScrollPos().x(), 8);
        QTest::keyClick(f.preview, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(f.preview->ScrollPos().x(), 8 + f.preview->ScrollBox()->viewport()->width() - 8);
        QTest::keyClick(f.preview, Qt::Key_Left);
        QCOMPARE(f.preview->ScrollPos().x(), f.preview->ScrollBox()->viewport()->width() - 8);
        QTest::keyClick(f.preview, Qt::Key_End);
        QCOMPARE(f.preview->ScrollPos().x(), f.preview->ScrollMax().x());
        QCOMPARE(f.preview->ScrollPos().y(), 0);
        QTest::keyClick(f.preview, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.preview->ScrollPos().y(), f.preview->ScrollMax().y());
        QTest::keyClick(f.preview, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.preview->ScrollPos(), QPoint(0, 0));
    }

    void wheelScrollsByScale() {
        Form f(QSize(800, 600));
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(200);
        QWheelEvent down(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.preview->ScrollBox()->viewport(), &down);
        QCOMPARE(f.preview->ScrollPos().y(), 120 * 200 / 480); // 50
        QCOMPARE(f.preview->PageIndex(), 1);
    }

    void mouse() {
        Form f(QSize(800, 600));
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(100);
        TDrawPanel* panel = f.preview->DrawPanel();
        const auto zoomTo300 = [&] { f.preview->SetViewScale(300); };
        QTest::mouseDClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(f.preview->ViewScale(), 150);
        QTest::mouseDClick(f.preview->DrawPanel(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(f.preview->ViewScale(), 100);
        // a click focuses the preview
        f.toolbar->ScaleComboBox()->setFocus();
        QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
        QVERIFY(f.preview->hasFocus());
        // dragging the page with DragScroll
        zoomTo300();
        f.preview->SetDragScroll(true);
        QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
        QCOMPARE(panel->cursor().shape(), Qt::SizeAllCursor);
        QMouseEvent move(QEvent::MouseMove, QPointF(150, 140), panel->mapToGlobal(QPointF(150, 140)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
        QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, QPoint(150, 140));
        QCOMPARE(f.preview->ScrollPos(), QPoint(50, 60));
        QCOMPARE(panel->cursor().shape(), Qt::ArrowCursor);
    }

    // ------------------------------------------------------------ tool bar

    void toolbarLayoutAndHints() {
        Form f;
        TPreviewToolbar* bar = f.toolbar;
        const QList<QPair<TButtonKind, int>> expected = {{btnPrint, 1},
                                                         {btnPrinterSetupDialog, 25},
                                                         {btnFirstPage, 49},
                                                         {btnPrevPage, 73},
                                                         {btnNextPage, 97},
                                                         {btnLastPage, 121},
                                                         {btnZoomOut, 145 + ScaleBoxWidth + 4},
                                                         {btnZoomIn, 169 + ScaleBoxWidth + 4}};
        for (const auto& [kind, x] : expected) {
            QVERIFY(bar->Button(kind)->isVisible());
            QCOMPARE(bar->Button(kind)->geometry(), QRect(x, 1, 24, 24));
        }
        QVERIFY(!bar->Button(btnPrintDialog)->isVisible());
        QVERIFY(!bar->Button(btnClose)->isVisible());
        QCOMPARE(bar->ScaleComboBox()->x(), 145 + 2);
        QCOMPARE(bar->height(), 26);
        QCOMPARE(bar->y(), 0);
        const QStringList hints = {
            "Print",     "Print dialog", "Printer setup dialog", "First page", "Previous page", "Next page",
            "Last page", "Whole page",   "Page width",           "Zoom out",   "Zoom in",       "Refresh",
            "Close"};
        for (int k = 0; k < hints.size(); ++k)
            QCOMPARE(bar->Button(TButtonKind(k))->toolTip(), hints[k]);
        QCOMPARE(bar->ScaleComboBox()->toolTip(), QStringLiteral("View mode and scale"));
        bar->SetUserButtonHint(QStringLiteral("Sprache"));
        QCOMPARE(bar->Button(btnUser)->toolTip(), QStringLiteral("Sprache"));
        // without the scale box the buttons close up
        bar->SetScaleBox(false);
        QCOMPARE(bar->Button(btnZoomOut)->x(), 145);
        // the box before another button
        bar->SetScaleBox(true);
        bar->SetScaleBoxPos(btnFirstPage);
        QCOMPARE(bar->ScaleComboBox()->x(), 49 + 2);
        QCOMPARE(bar->Button(btnFirstPage)->x(), 49 + ScaleBoxWidth + 4);
        QCOMPARE(bar->Button(btnPrinterSetupDialog)->x(), 25);
        // all buttons
        TButtonKinds all;
        for (int k = 0; k < ButtonKindCount; ++k)
            all.insert(TButtonKind(k));
        bar->SetScaleBox(false);
        bar->SetButtons(all);
        QCOMPARE(bar->Button(btnUser)->x(), 1 + 24 * 13);
        QVERIFY(!PreviewGlyph(btnPrint).isNull());
        QCOMPARE(PreviewGlyphStrip().size(), QSize(16 * 13, 16));
    }

    void navigationButtonsEnabledByState() {
        Form one(QSize(600, 400), 1);
        for (TButtonKind k : {btnFirstPage, btnPrevPage, btnNextPage, btnLastPage})
            QVERIFY(!one.Enabled(k));
        QVERIFY(one.toolbar->ScaleComboBox()->isEnabled());

        Form f(QSize(600, 400), 3);
        QVERIFY(!f.Enabled(btnFirstPage) && !f.Enabled(btnPrevPage));
        QVERIFY(f.Enabled(btnNextPage) && f.Enabled(btnLastPage));
        f.toolbar->ButtonClick(btnNextPage);
        QCOMPARE(f.preview->PageIndex(), 2);
        for (TButtonKind k : {btnFirstPage, btnPrevPage, btnNextPage, btnLastPage})
            QVERIFY(f.Enabled(k));
        f.toolbar->ButtonClick(btnLastPage);
        QCOMPARE(f.preview->PageIndex(), 3);
        QVERIFY(!f.Enabled(btnNextPage) && !f.Enabled(btnLastPage));
        f.toolbar->ButtonClick(btnPrevPage);
        QCOMPARE(f.preview->PageIndex(), 2);
        f.toolbar->ButtonClick(btnFirstPage);
        QCOMPARE(f.preview->PageIndex(), 1);
        // a real click
        QTest::mouseClick(f.toolbar->Button(btnNextPage), Qt::LeftButton);
        QCOMPARE(f.preview->PageIndex(), 2);
    }

    void buttonActions() {
        Form f;
        f.toolbar->ButtonClick(btnPageWidth);
        QCOMPARE(f.preview->ViewMode(), vmPageWidth);
        f.toolbar->ButtonClick(btnWholePage);
        QCOMPARE(f.preview->ViewMode(), vmWholePage);
        f.toolbar->ButtonClick(btnZoomIn);
        QCOMPARE(f.preview->ViewMode(), vmCustom);
        QCOMPARE(f.preview->ViewScale(), 75); // from 51 %
        f.toolbar->ButtonClick(btnZoomOut);
        QCOMPARE(f.preview->ViewScale(), 50);
        int updates = 0;
        f.job.OnUpdate = [&](TCustomPrintJob*) { ++updates; };
        f.toolbar->ButtonClick(btnRefresh);
        QCOMPARE(updates, 1);
        f.toolbar->ButtonClick(btnPrint);
        QVERIFY(QFile::exists(f.pdf.File()));
        f.toolbar->ButtonClick(btnPrintDialog);
        QCOMPARE(f.ui.printDialogCalls, 1);
        f.toolbar->ButtonClick(btnPrinterSetupDialog);
        QCOMPARE(f.ui.setupCalls, 1);
        // the user button
        int userClicks = 0;
        f.toolbar->OnUserButtonClick = [&](TCustomPreviewToolbar*) { ++userClicks; };
        f.toolbar->ButtonClick(btnUser);
        QCOMPARE(userClicks, 1);
        f.toolbar->SetUserButtonEnabled(false);
        QVERIFY(!f.toolbar->Button(btnUser)->isEnabled());
    }

    void onButtonClickMayRefuse() {
        Form f;
        QList<TButtonKind> asked;
        f.toolbar->OnButtonClick = [&](TCustomPreviewToolbar*, TButtonKind k, bool& allow) {
            asked << k;
            allow = false;
        };
        f.toolbar->ButtonClick(btnNextPage);
        QCOMPARE(f.preview->PageIndex(), 1);
        QCOMPARE(asked, QList<TButtonKind>{btnNextPage});
    }

    void closeClosesTheForm() {
        Form f;
        QVERIFY(f.window.isVisible());
        f.toolbar->ButtonClick(btnClose);
        QVERIFY(!f.window.isVisible());
    }

    void toolbarWithoutPreviewDoesNothing() {
        TPreviewToolbar bar;
        bar.ButtonClick(btnNextPage);
        bar.ButtonClick(btnZoomIn);
        QVERIFY(bar.Button(btnNextPage)->isEnabled());
    }

    // ----------------------------------------------------------- scale box

    void scaleBoxFollowsThePreview() {
        Form f(QSize(800, 600));
        TPreviewComboBox* box = f.toolbar->ScaleComboBox();
        QCOMPARE(box->currentText(), QStringLiteral("Whole page (51%)"));
        f.preview->SetViewMode(vmCustom);
        f.preview->SetViewScale(300);
        QCOMPARE(box->currentText(), QStringLiteral("300%"));
        f.preview->SetViewMode(vmPageWidth);
        QCOMPARE(box->currentText(), QStringLiteral("Page width (%1%)").arg(f.preview->ViewScale()));
    }

    void scaleBoxList() {
        Form f;
        TPreviewComboBox* box = f.toolbar->ScaleComboBox();
        box->RebuildList();
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items, (QStringList{"Whole page", "Page width", "10%", "25%", "50%", "75%", "100%", "150%", "200%",
                                     "300%", "500%", "700%", "1000%"}));
        box->ChooseEntry(1);
        QCOMPARE(f.preview->ViewMode(), vmPageWidth);
        box->ChooseEntry(6);
        QCOMPARE(f.preview->ViewMode(), vmCustom);
        QCOMPARE(f.preview->ViewScale(), 100);
        box->ChooseEntry(0);
        QCOMPARE(f.preview->ViewMode(), vmWholePage);
        QCOMPARE(box->currentText(), QStringLiteral("Whole page (51%)"));
    }

    void typingOneFullStopFiveSetsFifteen() {
        Form f;
        f.window.activateWindow();
        TPreviewComboBox* box = f.toolbar->ScaleComboBox();
        QLineEdit* edit = box->lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("1.5"));
        QCOMPARE(edit->text(), QStringLiteral("1.5"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(f.preview->ViewMode(), vmCustom);
        QCOMPARE(f.preview->ViewScale(), 15);
        QCOMPARE(box->currentText(), QStringLiteral("15%"));
        QVERIFY(f.preview->hasFocus());
    }

    void typingAcceptsOnlyDigitsBackspaceAndFullStop() {
        Form f;
        QLineEdit* edit = f.toolbar->ScaleComboBox()->lineEdit();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("a2b%5 x"));
        QCOMPARE(edit->text(), QStringLiteral("25"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("2"));
        QVERIFY(TPreviewComboBox::AcceptsChar(QLatin1Char('.')));
        QVERIFY(TPreviewComboBox::AcceptsChar(QLatin1Char('\b')));
        QVERIFY(!TPreviewComboBox::AcceptsChar(QLatin1Char(',')));
    }

    void invalidScaleGivesMessage() {
        Form f;
        QLineEdit* edit = f.toolbar->ScaleComboBox()->lineEdit();
        const int scale = f.preview->ViewScale();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("."));
        QTest::keyClick(edit, Qt::Key_Enter);
        QCOMPARE(f.ui.messages, QStringList{QStringLiteral("Invalid scale value")});
        QCOMPARE(f.preview->ViewScale(), scale);
        QCOMPARE(f.preview->ViewMode(), vmWholePage);
    }

    void escapeRestoresTheText() {
        Form f;
        f.window.activateWindow();
        TPreviewComboBox* box = f.toolbar->ScaleComboBox();
        QLineEdit* edit = box->lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("77"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(box->currentText(), QStringLiteral("Whole page (51%)"));
        QCOMPARE(f.preview->ViewScale(), 51);
        QVERIFY(f.preview->hasFocus());
        // leaving the box restores the text too
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("3"));
        f.preview->setFocus();
        QCOMPARE(box->currentText(), QStringLiteral("Whole page (51%)"));
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
