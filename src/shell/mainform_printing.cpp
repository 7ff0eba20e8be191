// SPDX-License-Identifier: GPL-3.0-or-later
// Printing in the main window: the print dialogs and the preview panel.
#include "mainform.h"
#include "printing/druckerdialog.h"
#include "printing/printpreviewpanel.h"
#include "printing/engine/psprinter.h"
#include "workpanel.h"

#include <QVBoxLayout>

namespace shell {

void Mainform::createPrintingWindows() {
    ts::Table& vocabulary = ctx_.db.vocabulary;
    karteikartenDruckF = new printing::DruckerDialogF(vocabulary, *this, this);
    vokabellisteDruckF = new printing::DruckerDialogListeF(vocabulary, *this, this);
    vokabeltestDruckF = new printing::DruckerDialogtestF(vocabulary, *this, this);
    for (printing::PrintChoiceDialog* d : {karteikartenDruckF, vokabellisteDruckF, vokabeltestDruckF})
        d->setLessonSource(&ctx_.db);
    druckvorschau =
        new printing::PrintPreviewPanel(vocabulary, *this, karteikartenDruckF, nullptr, nullptr, PDruckvorschau);
    printing::TDefaultPrinterProvider::Hooks printerHooks;
    printerHooks.chooseFile = [this](const QString& suggested) {
        return ctx_.folderChooser().chooseSaveFile(suggested, QStringLiteral("PDF-Dateien (*.pdf)"));
    };
    printerHooks.inform = [this](const QString& text) { ctx_.prompter().information(text); };
    druckvorschau->adoptPrinterProvider(std::make_unique<printing::TDefaultPrinterProvider>(printerHooks));
    PDruckvorschau->contentLayout()->addWidget(druckvorschau, 1);
}

void Mainform::previewPrint(printing::PrintKind kind, bool german) {
    const printing::PrintChoiceDialog* dialog = printDialogOf(kind);
    druckvorschau->setPrintDetails(dialog->lessonName(), dialog->answerKey());
    druckvorschau->preview(kind, german);
}

void Mainform::labelLanguagePrinting(const QString& L) {
    for (printing::PrintChoiceDialog* d : {karteikartenDruckF, vokabellisteDruckF, vokabeltestDruckF})
        if (d)
            d->setLanguageName(L);
}

void Mainform::usePrintServices(printing::IPrinterProvider* printer, printing::IPrintUi* ui) {
    druckvorschau->setPrintServices(printer, ui);
}

printing::PrintChoiceDialog* Mainform::printDialogOf(printing::PrintKind kind) const {
    return kind == printing::PrintKind::FlashCards ? karteikartenDruckF
           : kind == printing::PrintKind::List     ? vokabellisteDruckF
                                                   : vokabeltestDruckF;
}

void Mainform::PrintCommand(printing::PrintKind kind) {
    if (visiblePanel() == PDruckvorschau)
        ResetView();
    printKind_ = kind;
    printing::PrintChoiceDialog* dialog = printDialogOf(kind);
    // Modal for the user; the call returns at once, so the dialog's own
    // buttons finish the command.
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace shell
