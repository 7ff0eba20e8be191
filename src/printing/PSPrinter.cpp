// SPDX-License-Identifier: GPL-3.0-or-later
#include "PSPrinter.h"

#include "PSTypes.h"

#include <QCoreApplication>
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
    printer->setResolution(dpi);  // a fresh HighResolution printer is 1200 dpi
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setOutputFileName(outputFile);
    return printer;
}

TOwnedPrinterProvider::TOwnedPrinterProvider(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
TOwnedPrinterProvider::~TOwnedPrinterProvider() = default;

TDefaultPrinterProvider::TDefaultPrinterProvider(QString defaultFileName)
    : defaultFileName_(std::move(defaultFileName)) {}
TDefaultPrinterProvider::~TDefaultPrinterProvider() = default;

QPrinter* TDefaultPrinterProvider::Printer() {
    if (!printer_) {
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
            printer_->setFullPage(true);
        } else {
            QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            if (folder.isEmpty()) folder = QDir::homePath();
            printer_ = MakePdfPrinter(QDir(folder).filePath(defaultFileName_), 600);
        }
    }
    return printer_.get();
}

TPrinterMetrics ReadPrinterMetrics(const QPrinter& printer) {
    TPrinterMetrics m;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    m.physicalSize = QSize(RoundToInt(paper.width()), RoundToInt(paper.height()));
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    if (m.dpiX <= 0) m.dpiX = printer.resolution();
    if (m.dpiY <= 0) m.dpiY = printer.resolution();
    if (printer.fullPage()) {
        const QPageLayout layout = printer.pageLayout();
        const QMarginsF mm = layout.minimumMargins();  // in the layout's units
        const double toPx = [&] {
            switch (layout.units()) {
            case QPageLayout::Millimeter: return m.dpiX / 25.4;
            case QPageLayout::Point: return m.dpiX / 72.0;
            case QPageLayout::Inch: return double(m.dpiX);
            case QPageLayout::Pica: return m.dpiX / 6.0;
            case QPageLayout::Didot: return m.dpiX / 72.0 * 1.07;
            case QPageLayout::Cicero: return m.dpiX / 6.0 * 1.07;
            }
            return m.dpiX / 72.0;
        }();
        const int l = RoundToInt(mm.left() * toPx), t = RoundToInt(mm.top() * toPx);
        const int r = RoundToInt(mm.right() * toPx), b = RoundToInt(mm.bottom() * toPx);
        m.physicalOffset = QPoint(l, t);
        m.printableSize = QSize(std::max(0, m.physicalSize.width() - l - r),
                                std::max(0, m.physicalSize.height() - t - b));
    } else {
        const QRectF page = printer.pageRect(QPrinter::DevicePixel);
        m.physicalOffset = QPoint(RoundToInt(page.left() - paper.left()), RoundToInt(page.top() - paper.top()));
        m.printableSize = QSize(RoundToInt(page.width()), RoundToInt(page.height()));
    }
    return m;
}

bool TQtPrintUi::PrintDialog(QPrinter& printer, int minPage, int maxPage, int& fromPage, int& toPage,
                             QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(minPage, maxPage);
    printer.setFromTo(fromPage, toPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted) return false;
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

}  // namespace printing
