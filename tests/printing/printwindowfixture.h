// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/vocabularyfile.h"
#include "druckerdialog.h"
#include "printpreviewpanel.h"
#include "printtestsupport.h"
#include "pspreview.h"
#include "support/mainwindowfixture.h"
#include "vocabtestsupport.h"

#include <functional>

namespace printing::test {

// The real main window printing into a PDF printer with a scripted print
// dialog, on the English vocabulary a test fills in before the start.
struct PrintWindowFixture : testsupport::MainWindowFixture {
    std::unique_ptr<PdfPrinterFixture> pdf;
    ScriptedPrintUi ui;

    ts::Table& vocab() { return tc->ctx->db.vocabulary; }
    PrintPreviewPanel* panel() { return form->druckvorschau; }
    TPreview* preview() { return panel()->Preview1; }
    const TRecordedPage& shown() { return preview()->RecordedPage(); }

    // `pdfPrinter` false: the program's own printer, as without a system printer.
    void startWith(const std::function<void(ts::Table&)>& fill, bool pdfPrinter = true) {
        ts::Table t(QStringLiteral("v"));
        makeVocabulary(t);
        fill(t);
        QDir().mkpath(tc->dataFolder());
        core::vocabularyfile::write(t, tc->dataFile(QStringLiteral("englisch.v02")));
        start();
        if (!pdfPrinter)
            return;
        pdf = std::make_unique<PdfPrinterFixture>();
        form->usePrintServices(&pdf->provider, &ui);
    }
    // Opens a print dialog through its menu command; null when it did not open.
    PrintChoiceDialog* open(QAction* command, PrintChoiceDialog* dialog) {
        command->trigger();
        return dialog->isVisible() ? dialog : nullptr;
    }
};

} // namespace printing::test
