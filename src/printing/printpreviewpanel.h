// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview of the main window: tool bar, "Sprache wechseln", the
// preview itself, and the two jobs that print the vocabulary.
#pragma once

#include "druckerdialog.h"
#include "pjdbgrid.h"
#include "psjob.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QToolButton;

namespace ts {
class Table;
}

namespace printing {

class TPreview;
class TPreviewToolbar;

class PrintPreviewPanel : public QWidget {
    Q_OBJECT
public:
    // `flashCards` holds the flash-card grid; without it the grid is 3 x 6.
    PrintPreviewPanel(ts::Table& vocabulary, core::WindowHost& host, const PrintChoiceDialog* flashCards,
                      IPrinterProvider* printer, IPrintUi* ui, QWidget* parent = nullptr);
    ~PrintPreviewPanel() override;

    // Tests hand in a PDF printer and scripted dialogs.
    void setPrintServices(IPrinterProvider* printer, IPrintUi* ui);
    // The program's printer provider, owned for the whole run.
    void adoptPrinterProvider(std::unique_ptr<IPrinterProvider> printer);

    TPreviewToolbar* PreviewToolbar1;
    QToolButton* SpeedButtonHilfe;
    QPushButton* BSprache; // "Sprache wechseln"
    TPreview* Preview1;
    TPrintJob* PrintJob1;
    TDBGridPrintJob* DBGridPrintJob;

    // Which side the flash cards show; kept for the whole run.
    bool GermanSideShown = true;

    // The three "Vorschau" steps after the dialog left its filter and order
    // on the vocabulary table.
    void showFlashCards();
    void showList();
    void showTest(bool german);
    void preview(PrintKind kind, bool german);
    // What the next list or test names in its title line, and whether the
    // test gets an answer key.
    void setPrintDetails(const QString& lesson, bool answerKey);

    // The panel was left: the grid job lets go of the table.
    void left();

    void BSpracheClick();
    void PrintJob1Draw(TCustomPrintJob* sender, TPrintCanvas& canvas, int pageIndex, const TRect& area);

protected:
    void hideEvent(QHideEvent* e) override;

private:
    // The printer is opened on the first preview, not at start: asking the
    // system for its printers takes time the start should not spend.
    void applyPrintServices();
    std::unique_ptr<IPrinterProvider> ownedPrinter_;
    IPrinterProvider* printer_ = nullptr;
    IPrintUi* ui_ = nullptr;
    bool servicesPending_ = true;
    ts::Table& vocabulary_;
    core::WindowHost& host_;
    const PrintChoiceDialog* flashCards_;
    int cardColumns() const;
    int cardRows() const;
    QString lesson_;
    bool answerKey_ = false;
    int kind_ = 0;     // what is on show, 0 for nothing
    int gridPage_ = 1; // the page the grid job showed when the panel was left
};

} // namespace printing
