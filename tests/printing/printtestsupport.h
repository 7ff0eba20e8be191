// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the printing tests: a scripted print UI and PDF printers.
#pragma once

#include "psprinter.h"

#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace printing::test {

// Answers the dialogs as scripted and records what was asked.
class ScriptedPrintUi : public IPrintUi {
public:
    bool printDialogAnswer = true;
    int chosenFrom = 0, chosenTo = 0; // 0: keep the preset range
    bool setupAnswer = true;
    std::function<void(QPrinter&)> onSetup;
    bool yesNoAnswer = true;
    int printDialogCalls = 0, setupCalls = 0;
    int presetFrom = 0, presetTo = 0, limitMin = 0, limitMax = 0;
    QStringList questions, questionCaptions, messages;

    bool PrintDialog(QPrinter&, int minPage, int maxPage, int& fromPage, int& toPage, QWidget*) override {
        ++printDialogCalls;
        limitMin = minPage;
        limitMax = maxPage;
        presetFrom = fromPage;
        presetTo = toPage;
        if (chosenFrom > 0) {
            fromPage = chosenFrom;
            toPage = chosenTo;
        }
        return printDialogAnswer;
    }
    bool PrinterSetupDialog(QPrinter& printer, QWidget*) override {
        ++setupCalls;
        if (setupAnswer && onSetup)
            onSetup(printer);
        return setupAnswer;
    }
    bool AskYesNo(const QString& caption, const QString& text, QWidget*) override {
        questionCaptions << caption;
        questions << text;
        return yesNoAnswer;
    }
    void ShowMessage(const QString& text, QWidget*) override { messages << text; }
};

// A PDF printer (A4, 600 dpi, full page) writing into a temporary folder.
struct PdfPrinterFixture {
    QTemporaryDir dir;
    TOwnedPrinterProvider provider{MakePdfPrinter(QString(), 600)};
    PdfPrinterFixture() { provider.Printer()->setOutputFileName(dir.filePath(QStringLiteral("out.pdf"))); }
    QString File(const QString& name = QStringLiteral("out.pdf")) const { return dir.filePath(name); }
    QPrinter* Printer() { return provider.Printer(); }
};

// A provider without a printer.
class NoPrinterProvider : public IPrinterProvider {
public:
    QPrinter* Printer() override { return nullptr; }
};

} // namespace printing::test
