// SPDX-License-Identifier: GPL-3.0-or-later
#include "psprinter.h"

#include "pstypes.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace printing {

std::unique_ptr<QPrinter> MakePdfPrinter(const QString& outputFile, int dpi) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dpi); // a fresh HighResolution printer is 1200 dpi
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setOutputFileName(outputFile);
    return printer;
}

TOwnedPrinterProvider::TOwnedPrinterProvider(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
TOwnedPrinterProvider::~TOwnedPrinterProvider() = default;

TDefaultPrinterProvider::TDefaultPrinterProvider(Hooks hooks, QString baseName)
    : hooks_(std::move(hooks)), baseName_(std::move(baseName)) {}
TDefaultPrinterProvider::~TDefaultPrinterProvider() = default;

QPrinter* TDefaultPrinterProvider::Printer() {
    if (!printer_) {
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
            printer_->setFullPage(true);
        } else {
            folder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder_.isEmpty())
                folder_ = QDir::homePath();
            // A placeholder for the print dialog: each run names its own file.
            printer_ = MakePdfPrinter(placeholder(), 600);
        }
    }
    return printer_.get();
}

bool TDefaultPrinterProvider::isPdf() const {
    return printer_ && printer_->outputFormat() == QPrinter::PdfFormat;
}

void TDefaultPrinterProvider::inform(const QString& text) const {
    if (hooks_.inform)
        hooks_.inform(text);
}

QString TDefaultPrinterProvider::UnusedFileName(const QString& folder, const QString& baseName, const QDate& date) {
    const QString stem = baseName + QLatin1Char(' ') + date.toString(QStringLiteral("yyyy-MM-dd"));
    const QDir dir(folder);
    QString name = dir.filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
    return name;
}

bool TDefaultPrinterProvider::StartDocument() {
    if (!isPdf())
        return true;
    // A file named in the print dialog is the suggestion; else a new name.
    const QString named = printer_->outputFileName();
    const QString suggested = !named.isEmpty() && named != placeholder() && !QFileInfo::exists(named)
                                  ? named
                                  : UnusedFileName(folder_, baseName_, QDate::currentDate());
    std::optional<QString> chosen = hooks_.chooseFile ? hooks_.chooseFile(suggested) : std::optional(suggested);
    if (!chosen || chosen->trimmed().isEmpty())
        return false; // the user cancelled
    QString file = QDir::cleanPath(*chosen);
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    const QFileInfo info(file);
    if (info.isDir()) {
        inform(QStringLiteral("„%1“ ist ein Ordner. Bitte wählen Sie einen Dateinamen.")
                   .arg(QDir::toNativeSeparators(file)));
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        inform(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden. Es wurde nichts gedruckt.")
                   .arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    target_ = info.absoluteFilePath();
    printer_->setOutputFileName(target_);
    folder_ = info.absolutePath();
    return true;
}

void TDefaultPrinterProvider::EndDocument(bool ok) {
    if (!isPdf() || target_.isEmpty())
        return;
    const QString file = QDir::toNativeSeparators(target_);
    target_.clear();
    if (ok)
        inform(QStringLiteral("Der Ausdruck wurde als PDF-Datei gespeichert:\n%1").arg(file));
    else
        inform(QStringLiteral("Die PDF-Datei „%1“ konnte nicht geschrieben werden.").arg(file));
    // The next run asks again; nothing is written over without asking.
    printer_->setOutputFileName(placeholder());
}

QString TDefaultPrinterProvider::placeholder() const {
    return QDir(folder_).filePath(baseName_ + QStringLiteral(".pdf"));
}

TPrinterMetrics ReadPrinterMetrics(const QPrinter& printer) {
    TPrinterMetrics m;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    m.physicalSize = QSize(RoundToInt(paper.width()), RoundToInt(paper.height()));
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    if (m.dpiX <= 0)
        m.dpiX = printer.resolution();
    if (m.dpiY <= 0)
        m.dpiY = printer.resolution();
    if (printer.fullPage()) {
        const QPageLayout layout = printer.pageLayout();
        const QMarginsF mm = layout.minimumMargins(); // in the layout's units
        const double toPx = [&] {
            switch (layout.units()) {
            case QPageLayout::Millimeter:
                return m.dpiX / 25.4;
            case QPageLayout::Point:
                return m.dpiX / 72.0;
            case QPageLayout::Inch:
                return double(m.dpiX);
            case QPageLayout::Pica:
                return m.dpiX / 6.0;
            case QPageLayout::Didot:
                return m.dpiX / 72.0 * 1.07;
            case QPageLayout::Cicero:
                return m.dpiX / 6.0 * 1.07;
            }
            return m.dpiX / 72.0;
        }();
        const int l = RoundToInt(mm.left() * toPx), t = RoundToInt(mm.top() * toPx);
        const int r = RoundToInt(mm.right() * toPx), b = RoundToInt(mm.bottom() * toPx);
        m.physicalOffset = QPoint(l, t);
        m.printableSize =
            QSize(std::max(0, m.physicalSize.width() - l - r), std::max(0, m.physicalSize.height() - t - b));
    } else {
        const QRectF page = printer.pageRect(QPrinter::DevicePixel);
        m.physicalOffset = QPoint(RoundToInt(page.left() - paper.left()), RoundToInt(page.top() - paper.top()));
        m.printableSize = QSize(RoundToInt(page.width()), RoundToInt(page.height()));
    }
    return m;
}

bool TQtPrintUi::PrintDialog(QPrinter& printer, int minPage, int maxPage, int& fromPage, int& toPage, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(minPage, maxPage);
    printer.setFromTo(fromPage, toPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange && printer.fromPage() > 0) {
        fromPage = printer.fromPage();
        toPage = printer.toPage();
    } else {
        fromPage = minPage;
        toPage = maxPage;
    }
    return true;
}

bool TQtPrintUi::PrinterSetupDialog(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TQtPrintUi::AskYesNo(const QString& caption, const QString& text, QWidget* parent) {
    return QMessageBox::warning(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void TQtPrintUi::ShowMessage(const QString& text, QWidget* parent) {
    QMessageBox::information(parent, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

} // namespace printing
