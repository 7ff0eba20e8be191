// SPDX-License-Identifier: GPL-3.0-or-later
#include "printpreviewpanel.h"

#include "databound/standardwidgets.h"
#include "pspreview.h"
#include "pstoolbar.h"
#include "printlayouts.h"
#include "tablestore/table.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace printing {

PrintPreviewPanel::PrintPreviewPanel(ts::Table& vocabulary, core::WindowHost& host, const PrintChoiceDialog* flashCards,
                                     IPrinterProvider* printer, IPrintUi* ui, QWidget* parent)
    : QWidget(parent), vocabulary_(vocabulary), host_(host), flashCards_(flashCards) {
    setObjectName(QStringLiteral("Druckvorschau"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout;
    PreviewToolbar1 = new TPreviewToolbar(this);
    PreviewToolbar1->setObjectName(QStringLiteral("PreviewToolbar1"));
    PreviewToolbar1->SetUserButtonEnabled(false);
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host_, core::ManualPlace::Main);
    BSprache = new QPushButton(QStringLiteral("Sprache wechseln"), this);
    BSprache->setObjectName(QStringLiteral("BSprache"));
    BSprache->hide();
    bar->addWidget(PreviewToolbar1);
    bar->addWidget(SpeedButtonHilfe);
    bar->addWidget(BSprache);
    bar->addStretch(1);
    layout->addLayout(bar);
    Preview1 = new TPreview(this);
    Preview1->setObjectName(QStringLiteral("Preview1"));
    Preview1->SetViewMode(vmPageWidth);
    layout->addWidget(Preview1, 1);
    PreviewToolbar1->SetPreview(Preview1);

    PrintJob1 = new TPrintJob(this);
    PrintJob1->setObjectName(QStringLiteral("PrintJob1"));
    PrintJob1->OnDraw = [this](TCustomPrintJob* sender, TPrintCanvas& canvas, int page, const TRect& area, TDrawArea,
                               TDrawTarget) { PrintJob1Draw(sender, canvas, page, area); };
    DBGridPrintJob = new TDBGridPrintJob(this);
    DBGridPrintJob->setObjectName(QStringLiteral("DBGridPrintJob"));
    setPrintServices(printer, ui);
    applyPrintServices(); // the fixed settings, before any printer is known

    connect(BSprache, &QPushButton::clicked, this, &PrintPreviewPanel::BSpracheClick);
}

PrintPreviewPanel::~PrintPreviewPanel() {
    // No link to the table outlives this window, and nothing is redrawn on
    // the way out.
    DBGridPrintJob->BeginUpdate();
    DBGridPrintJob->SetDataSource(nullptr);
}

void PrintPreviewPanel::setPrintServices(IPrinterProvider* printer, IPrintUi* ui) {
    printer_ = printer;
    ui_ = ui;
    servicesPending_ = true;
}

void PrintPreviewPanel::applyPrintServices() {
    if (!servicesPending_)
        return;
    servicesPending_ = false;
    IPrinterProvider* printer = printer_;
    IPrintUi* ui = ui_;
    for (TCustomPrintJob* job :
         {static_cast<TCustomPrintJob*>(PrintJob1), static_cast<TCustomPrintJob*>(DBGridPrintJob)}) {
        job->SetPrintUi(ui);
        job->SetDialogParent(this);
    }
    Preview1->SetPrintUi(ui);
    PrintJob1->BeginUpdate();
    PrintJob1->SetPrinterProvider(printer);
    setupFlashCardJob(*PrintJob1);
    PrintJob1->EndUpdate();
    DBGridPrintJob->BeginUpdate();
    DBGridPrintJob->SetPrinterProvider(printer);
    setupVocabularyGridJob(*DBGridPrintJob);
    DBGridPrintJob->EndUpdate();
}

int PrintPreviewPanel::cardColumns() const {
    return flashCards_ ? flashCards_->cardColumns() : 3;
}
int PrintPreviewPanel::cardRows() const {
    return flashCards_ ? flashCards_->cardRows() : 6;
}

void PrintPreviewPanel::PrintJob1Draw(TCustomPrintJob* sender, TPrintCanvas& canvas, int pageIndex, const TRect& area) {
    if (kind_ != int(PrintKind::FlashCards))
        return;
    // Switching a filter on filters every row again: only when it is off.
    if (!vocabulary_.isFiltered())
        vocabulary_.setFiltered(true);
    const int columns = cardColumns();
    const int rows = cardRows();
    DrawFlashCardPage(canvas, vocabulary_, area, sender->PageRect().Width(), columns, rows, GermanSideShown, pageIndex);
    // The count follows the selection, so the preview and the printer never
    // offer pages that would come out blank.
    sender->SetPageCount(flashCardPageCount(vocabulary_.recordCount(), columns, rows));
    BSprache->show();
}

void PrintPreviewPanel::showFlashCards() {
    host_.ResetView();
    BSprache->show();
    kind_ = int(PrintKind::FlashCards);
    Preview1->SetPrintJob(PrintJob1);
    host_.showPanelOf(this);
    vocabulary_.setFiltered(true);
    const int columns = cardColumns();
    const int rows = cardRows();
    // Setting the count redraws the page on show from the new selection.
    PrintJob1->SetPageCount(flashCardPageCount(vocabulary_.recordCount(), columns, rows));
}

void PrintPreviewPanel::showList() {
    host_.ResetView();
    BSprache->hide();
    kind_ = int(PrintKind::List);
    Preview1->SetPrintJob(DBGridPrintJob);
    vocabulary_.setFiltered(true);
    applyVocabularyListSettings(*DBGridPrintJob, vocabulary_, lesson_);
    Preview1->SetPageIndex(gridPage_);
    host_.showPanelOf(this);
}

void PrintPreviewPanel::showTest(bool german) {
    host_.ResetView();
    vocabulary_.setFiltered(true);
    kind_ = int(PrintKind::Test);
    Preview1->SetPrintJob(DBGridPrintJob);
    BSprache->hide();
    applyVocabularyTestSettings(*DBGridPrintJob, vocabulary_, german, lesson_, answerKey_);
    Preview1->SetPageIndex(gridPage_);
    host_.showPanelOf(this);
}

void PrintPreviewPanel::preview(PrintKind kind, bool german) {
    applyPrintServices();
    switch (kind) {
    case PrintKind::FlashCards:
        showFlashCards();
        break;
    case PrintKind::List:
        showList();
        break;
    case PrintKind::Test:
        showTest(german);
        break;
    }
}

void PrintPreviewPanel::setPrintDetails(const QString& lesson, bool answerKey) {
    lesson_ = lesson;
    answerKey_ = answerKey;
}

void PrintPreviewPanel::adoptPrinterProvider(std::unique_ptr<IPrinterProvider> printer) {
    setPrintServices(printer.get(), nullptr);
    ownedPrinter_ = std::move(printer);
}

void PrintPreviewPanel::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    // Hidden with its panel (not by a minimised window): the preview was left.
    if (!e->spontaneous())
        left();
}

void PrintPreviewPanel::left() {
    // Unbinding cuts the job to one page: its page is noted first, for the
    // next list or test to open on.
    if (Preview1->PrintJob() == DBGridPrintJob && DBGridPrintJob->DataSource())
        gridPage_ = Preview1->PageIndex();
    kind_ = 0;
    DBGridPrintJob->SetDataSource(nullptr);
}

void PrintPreviewPanel::BSpracheClick() {
    GermanSideShown = !GermanSideShown;
    Preview1->RepaintPage();
}

} // namespace printing
