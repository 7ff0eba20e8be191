// SPDX-License-Identifier: GPL-3.0-or-later
// The printer and the print dialogs behind small seams: the printer provider
// hands out the QPrinter to use, the print UI shows the platform dialogs and
// the engine's two messages. Tests supply a
// PDF printer and a scripted UI; the program supplies the defaults below.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QDate;
class QPrinter;
class QWidget;

namespace printing {

class IPrinterProvider {
public:
    virtual ~IPrinterProvider() = default;
    // The printer to use, or null when there is none.
    virtual QPrinter* Printer() = 0;
    // Before a print run: false calls it off (told to the user where needed).
    virtual bool StartDocument() { return true; }
    // After the run; `ok` when every page went out.
    virtual void EndDocument(bool /*ok*/) {}
};

// Creates a PDF printer: A4, portrait, full page (page coordinates start at
// the corner of the sheet), `dpi` dots per inch on both axes.
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& outputFile, int dpi = 600);

// A provider that owns a printer made by the caller (or a PDF printer).
class TOwnedPrinterProvider : public IPrinterProvider {
public:
    explicit TOwnedPrinterProvider(std::unique_ptr<QPrinter> printer);
    ~TOwnedPrinterProvider() override;
    QPrinter* Printer() override { return printer_.get(); }

private:
    std::unique_ptr<QPrinter> printer_;
};

// The program's provider: the system's default printer when there is one,
// otherwise Qt's PDF printer (A4, 600 dpi). Each print run to PDF asks where
// to save, suggesting a name not yet taken in the documents folder, creates
// the folder and says where the file went or why it could not be written.
// The printer is created on first use.
class TDefaultPrinterProvider : public IPrinterProvider {
public:
    struct Hooks {
        // The save-file dialog: the suggested path in, the chosen one out.
        std::function<std::optional<QString>(const QString& suggested)> chooseFile;
        std::function<void(const QString& text)> inform;
    };
    explicit TDefaultPrinterProvider(Hooks hooks = {}, QString baseName = QStringLiteral("Vokabeltrainer"));
    ~TDefaultPrinterProvider() override;
    QPrinter* Printer() override;
    bool StartDocument() override;
    void EndDocument(bool ok) override;

    // "<folder>/<base> <date>.pdf", or with " (2)", " (3)" … when taken.
    static QString UnusedFileName(const QString& folder, const QString& baseName, const QDate& date);

private:
    bool isPdf() const;
    QString placeholder() const;
    void inform(const QString& text) const;

    Hooks hooks_;
    QString baseName_;
    QString folder_; // where the last PDF went; the documents folder at first
    QString target_; // the file of the print run under way
    std::unique_ptr<QPrinter> printer_;
};

// Device capabilities of a printer in device pixels (physical page size, physical offsets, printable size, dots
// per inch per axis).
struct TPrinterMetrics {
    QSize physicalSize;    // the whole sheet
    QPoint physicalOffset; // corner of the printable area on the sheet
    QSize printableSize;   // the printable area
    int dpiX = 300, dpiY = 300;
    QRect PrintableRect() const { return {physicalOffset, printableSize}; }
};

// Reads the metrics. With full-page printers the printable area is the sheet
// less the device's minimum margins; otherwise it is the printer's page
// rectangle (its margins count as unprintable).
TPrinterMetrics ReadPrinterMetrics(const QPrinter& printer);

// Dialogs and messages of the engine.
class IPrintUi {
public:
    virtual ~IPrintUi() = default;
    // The platform print dialog with page numbers enabled and limited to
    // minPage..maxPage; from/to carry the preset and the chosen range.
    virtual bool PrintDialog(QPrinter& printer, int minPage, int maxPage, int& fromPage, int& toPage,
                             QWidget* parent) = 0;
    // The platform printer setup dialog.
    virtual bool PrinterSetupDialog(QPrinter& printer, QWidget* parent) = 0;
    // A warning with the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) = 0;
    // An information message with one OK button.
    virtual void ShowMessage(const QString& text, QWidget* parent) = 0;
};

// The production UI: QPrintDialog, QPageSetupDialog, QMessageBox.
class TQtPrintUi : public IPrintUi {
public:
    bool PrintDialog(QPrinter& printer, int minPage, int maxPage, int& fromPage, int& toPage, QWidget* parent) override;
    bool PrinterSetupDialog(QPrinter& printer, QWidget* parent) override;
    bool AskYesNo(const QString& caption, const QString& text, QWidget* parent) override;
    void ShowMessage(const QString& text, QWidget* parent) override;
};

} // namespace printing
