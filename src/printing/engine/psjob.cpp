// SPDX-License-Identifier: GPL-3.0-or-later
#include "psjob.h"

#include "pspreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace printing {

namespace {
TPrinterMetrics NoPrinterMetrics() {
    TPrinterMetrics m;
    m.physicalSize = QSize(2000, 3000);
    m.physicalOffset = QPoint(0, 0);
    m.printableSize = QSize(2000, 3000);
    m.dpiX = m.dpiY = 300;
    return m;
}

// Keeps a counter raised for the lifetime of the guard.
struct CounterGuard {
    explicit CounterGuard(int& c) : c_(c) { ++c_; }
    ~CounterGuard() { --c_; }
    CounterGuard(const CounterGuard&) = delete;
    CounterGuard& operator=(const CounterGuard&) = delete;
    int& c_;
};
} // namespace

TCustomPrintJob::TCustomPrintJob(QObject* owner) : QObject(owner), metrics_(NoPrinterMetrics()) {}

TCustomPrintJob::~TCustomPrintJob() {
    if (OnDestroy)
        OnDestroy(this);
    const auto previews = previews_;
    previews_.clear();
    for (const auto& p : previews)
        if (p)
            p->JobDestroyed(this);
}

// ---------------------------------------------------------------- services

void TCustomPrintJob::SetPrinterProvider(IPrinterProvider* provider) {
    provider_ = provider;
    UpdatePageSize();
    Update();
}

QPrinter* TCustomPrintJob::Printer() const {
    return provider_ ? provider_->Printer() : nullptr;
}

IPrintUi& TCustomPrintJob::PrintUi() {
    if (ui_)
        return *ui_;
    if (!defaultUi_)
        defaultUi_ = std::make_unique<TQtPrintUi>();
    return *defaultUi_;
}

bool TCustomPrintJob::PrinterAvailable() const {
    return Printer() != nullptr;
}

QList<TCustomPreview*> TCustomPrintJob::Previews() const {
    QList<TCustomPreview*> r;
    for (const auto& p : previews_)
        if (p)
            r.append(p.data());
    return r;
}

void TCustomPrintJob::LinkPreview(TCustomPreview* preview) {
    for (const auto& p : previews_)
        if (p == preview)
            return;
    previews_.append(preview);
}

void TCustomPrintJob::UnlinkPreview(TCustomPreview* preview) {
    previews_.removeIf([preview](const QPointer<TCustomPreview>& p) { return p.isNull() || p == preview; });
}

// -------------------------------------------------------------- properties

void TCustomPrintJob::SetPageCount(int count) {
    pageCount_ = std::max(1, count);
    Update();
}

void TCustomPrintJob::SetTitle(const QString& title) {
    title_ = title;
    Update();
}

void TCustomPrintJob::SetMargins(const TMargins& margins) {
    margins_ = margins;
    CheckMargins();
    Update();
}

void TCustomPrintJob::SetMarginsUnits(TUnits units) {
    marginsUnits_ = units;
    Update();
}

void TCustomPrintJob::SetMarginsError(TMarginsError mode) {
    marginsError_ = mode;
    Update();
}

void TCustomPrintJob::SetHeader(double height) {
    header_ = height;
    Update();
}

void TCustomPrintJob::SetHeaderUnits(TUnits units) {
    headerUnits_ = units;
    Update();
}

void TCustomPrintJob::SetFooter(double height) {
    footer_ = height;
    Update();
}

void TCustomPrintJob::SetFooterUnits(TUnits units) {
    footerUnits_ = units;
    Update();
}

void TCustomPrintJob::SetPageMode(TPageMode mode) {
    pageMode_ = mode;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetPageWidth(double width) {
    pageWidth_ = width;
    Update();
}

void TCustomPrintJob::SetPageHeight(double height) {
    pageHeight_ = height;
    Update();
}

void TCustomPrintJob::SetPageUnits(TUnits units) {
    if (units == pageUnits_)
        return;
    // Keep the same page: convert the stored size to the new units.
    const double w = metrics_.physicalSize.width(), h = metrics_.physicalSize.height();
    pageWidth_ = ConvertUnits(pageWidth_, pageUnits_, units, metrics_.dpiX, w);
    pageHeight_ = ConvertUnits(pageHeight_, pageUnits_, units, metrics_.dpiY, h);
    pageUnits_ = units;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetOrientation(TPageOrientation orientation) {
    orientation_ = orientation;
    UpdatePageSize();
    Update();
}

void TCustomPrintJob::SetOptions(TJobOptions options) {
    options_ = options;
    Update();
}

void TCustomPrintJob::SetRelativeCoords(bool on) {
    relativeCoords_ = on;
    Update();
}

void TCustomPrintJob::SetMultiDoc(bool on) {
    multiDoc_ = on;
    Update();
}

void TCustomPrintJob::SetDefaultDrawing(TDrawAreas areas) {
    defaultDrawing_ = areas;
    Update();
}

// ---------------------------------------------------------------- geometry

int TCustomPrintJob::PixelsX(double value, TUnits units, double reference) const {
    return RoundToInt(ConvertUnits(value, units, unPixels, metrics_.dpiX, reference));
}

int TCustomPrintJob::PixelsY(double value, TUnits units, double reference) const {
    return RoundToInt(ConvertUnits(value, units, unPixels, metrics_.dpiY, reference));
}

void TCustomPrintJob::ApplyOrientation() {
    QPrinter* printer = Printer();
    if (!printer || orientation_ == orDefault || printer->printerState() == QPrinter::Active)
        return;
    const auto wanted = orientation_ == orLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (printer->pageLayout().orientation() != wanted)
        printer->setPageOrientation(wanted);
}

void TCustomPrintJob::UpdatePageSize() {
    QPrinter* printer = Printer();
    if (!printer) {
        metrics_ = NoPrinterMetrics();
        if (pageMode_ != pmCustom) {
            pageWidth_ = ConvertUnits(2000, unPixels, pageUnits_, 300, 2000);
            pageHeight_ = ConvertUnits(3000, unPixels, pageUnits_, 300, 3000);
        }
        return;
    }
    ApplyOrientation();
    metrics_ = ReadPrinterMetrics(*printer);
    if (pageMode_ != pmCustom) {
        const double w = metrics_.physicalSize.width(), h = metrics_.physicalSize.height();
        pageWidth_ = ConvertUnits(w, unPixels, pageUnits_, metrics_.dpiX, w);
        pageHeight_ = ConvertUnits(h, unPixels, pageUnits_, metrics_.dpiY, h);
    }
}

TRect TCustomPrintJob::PageRect() const {
    const double w = metrics_.physicalSize.width(), h = metrics_.physicalSize.height();
    return {0, 0, PixelsX(pageWidth_, pageUnits_, w), PixelsY(pageHeight_, pageUnits_, h)};
}

TRect TCustomPrintJob::PrintableRect() const {
    const QPoint o = metrics_.physicalOffset;
    return {o.x(), o.y(), o.x() + metrics_.printableSize.width(), o.y() + metrics_.printableSize.height()};
}

TRect TCustomPrintJob::MarginsRect() const {
    TRect r = PageRect();
    if (options_.contains(joMargins)) {
        const double w = r.Width(), h = r.Height();
        r.Left += PixelsX(margins_.Left, marginsUnits_, w);
        r.Right -= PixelsX(margins_.Right, marginsUnits_, w);
        r.Top += PixelsY(margins_.Top, marginsUnits_, h);
        r.Bottom -= PixelsY(margins_.Bottom, marginsUnits_, h);
    }
    return r;
}

TRect TCustomPrintJob::HeaderRect() const {
    if (!options_.contains(joHeader))
        return {};
    TRect m = MarginsRect();
    m.Bottom = m.Top + PixelsY(header_, headerUnits_, m.Height());
    return m;
}

TRect TCustomPrintJob::FooterRect() const {
    if (!options_.contains(joFooter))
        return {};
    TRect m = MarginsRect();
    m.Top = m.Bottom - PixelsY(footer_, footerUnits_, m.Height());
    return m;
}

TRect TCustomPrintJob::PageAreaRect() const {
    TRect r = MarginsRect();
    if (options_.contains(joHeader))
        r.Top = HeaderRect().Bottom;
    if (options_.contains(joFooter))
        r.Bottom = FooterRect().Top;
    return r;
}

// ------------------------------------------------------------ margin check

void TCustomPrintJob::Loaded() {
    loading_ = false;
    CheckMargins();
    Update();
}

void TCustomPrintJob::CheckMargins() {
    if (loading_ || marginsError_ == meNone || !PrinterAvailable())
        return;
    // Margins that are not applied cannot lie outside anything (see report).
    if (!options_.contains(joMargins))
        return;
    const TRect m = MarginsRect();
    const TRect p = PrintableRect();
    const bool left = m.Left<p.Left, top = m.Top<p.Top, right = m.Right> p.Right, bottom = m.Bottom> p.Bottom;
    if (!(left || top || right || bottom))
        return;
    const QString text = QString::fromLatin1(MarginsOutsideText);
    switch (marginsError_) {
    case meNone:
        return;
    case meMessageBox:
        if (!PrintUi().AskYesNo(QGuiApplication::applicationDisplayName(),
                                text + QLatin1Char('\n') + QString::fromLatin1(MarginsFixQuestion), dialogParent_))
            return;
        break;
    case meException:
        throw EPrintJobException(text);
    case meAutoFix:
        break;
    }
    const TRect page = PageRect();
    const double w = page.Width(), h = page.Height();
    const int physW = metrics_.physicalSize.width(), physH = metrics_.physicalSize.height();
    if (left)
        margins_.Left = ConvertUnits(p.Left, unPixels, marginsUnits_, metrics_.dpiX, w);
    if (top)
        margins_.Top = ConvertUnits(p.Top, unPixels, marginsUnits_, metrics_.dpiY, h);
    if (right)
        margins_.Right = ConvertUnits(physW - p.Right, unPixels, marginsUnits_, metrics_.dpiX, w);
    if (bottom)
        margins_.Bottom = ConvertUnits(physH - p.Bottom, unPixels, marginsUnits_, metrics_.dpiY, h);
}

// ------------------------------------------------------------------ update

void TCustomPrintJob::Update() {
    // Updates asked for while the lock is held or while a page is being drawn
    // (a draw callback may set PageCount) are dropped.
    if (updateLock_ > 0 || drawDepth_ > 0 || !PrinterAvailable())
        return;
    PerformUpdate();
}

void TCustomPrintJob::PerformUpdate() {
    UpdatePageSize();
    CheckMargins();
    for (TCustomPreview* p : Previews()) {
        try {
            p->UpdatePreview();
        } catch (...) {
            // an error in one preview does not stop the others
        }
    }
    if (OnUpdate)
        OnUpdate(this);
}

// ----------------------------------------------------------------- drawing

void TCustomPrintJob::DrawPageOn(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) {
    DrawPage(canvas, pageIndex, target);
}

void TCustomPrintJob::InitCanvas(TPrintCanvas& canvas) {
    canvas.Font = TFontSpec{};   // Arial 10 pt, black, regular
    canvas.Pen = TPenSpec{};     // black, solid, width 0
    canvas.Brush = TBrushSpec{}; // white, solid
    canvas.TextAlignH = haLeft;
    canvas.TextAlignV = vaTop;
    canvas.FillRect(PageRect());
    if (OnInitDraw)
        OnInitDraw(this, canvas, target_);
}

void TCustomPrintJob::DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) {
    CounterGuard drawing(drawDepth_);
    target_ = target;
    UpdatePageSize();
    canvas.SetFontResolution(metrics_.dpiY);
    InitCanvas(canvas);
    DrawOneArea(canvas, pageIndex, daPage, target);
    if (options_.contains(joHeader))
        DrawOneArea(canvas, pageIndex, daHeader, target);
    if (options_.contains(joFooter))
        DrawOneArea(canvas, pageIndex, daFooter, target);
}

void TCustomPrintJob::DrawOneArea(TPrintCanvas& canvas, int pageIndex, TDrawArea area, TDrawTarget target) {
    TRect rect = area == daHeader ? HeaderRect() : area == daFooter ? FooterRect() : PageAreaRect();
    const QPoint savedOrigin = canvas.Origin();
    if (relativeCoords_) {
        canvas.SetOrigin(savedOrigin + QPoint(rect.Left, rect.Top));
        rect = rect.Translated(-rect.Left, -rect.Top);
    }
    if (defaultDrawing_.contains(area))
        DrawArea(canvas, pageIndex, rect, area, target);
    else if (OnDraw)
        OnDraw(this, canvas, pageIndex, rect, area, target);
    canvas.SetOrigin(savedOrigin);
}

void TCustomPrintJob::DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area,
                               TDrawTarget target) {
    if (OnDraw)
        OnDraw(this, canvas, pageIndex, rect, area, target);
}

// ---------------------------------------------------------------- printing

void TCustomPrintJob::PrinterSetupChange() {
    if (OnPrinterSetupChange)
        OnPrinterSetupChange(this);
}

bool TCustomPrintJob::AllowPrint() {
    bool allow = true;
    if (OnAllowPrint)
        OnAllowPrint(this, allow);
    return allow;
}

void TCustomPrintJob::StartPrint() {
    if (OnStartPrint)
        OnStartPrint(this);
}

void TCustomPrintJob::EndPrint() {
    if (OnEndPrint)
        OnEndPrint(this);
}

void TCustomPrintJob::PrintProgress(int pos, int min, int max) {
    if (OnPrintProgress)
        OnPrintProgress(this, pos, min, max);
}

void TCustomPrintJob::StartPrintPage(int pageIndex) {
    if (OnStartPrintPage)
        OnStartPrintPage(this, pageIndex);
}

void TCustomPrintJob::EndPrintPage(int pageIndex) {
    if (OnEndPrintPage)
        OnEndPrintPage(this, pageIndex);
}

void TCustomPrintJob::NewPage() {
    if (QPrinter* printer = Printer())
        printer->newPage();
    ++printedSheets_;
}

void TCustomPrintJob::Abort() {
    aborted_ = true;
}

bool TCustomPrintJob::Print() {
    return PrintRange(1, pageCount_, false, multiDoc_);
}

bool TCustomPrintJob::BeginDocument(QPainter& painter, int pageForFileName) {
    QPrinter* printer = Printer();
    if (pageForFileName > 0 && !pdfBaseName_.isEmpty()) {
        // One document per page on a PDF printer: one file per page, else
        // every document would overwrite the one before.
        const QFileInfo fi(pdfBaseName_);
        const QString suffix = fi.suffix().isEmpty() ? QStringLiteral("pdf") : fi.suffix();
        printer->setOutputFileName(
            fi.dir().filePath(QStringLiteral("%1-%2.%3").arg(fi.completeBaseName()).arg(pageForFileName).arg(suffix)));
    }
    if (!painter.begin(printer))
        return false;
    ++printedSheets_;
    return true;
}

bool TCustomPrintJob::PrintRange(int fromPage, int toPage, bool reverse, bool oneDocPerPage) {
    QPrinter* printer = Printer();
    if (!printer || printing_)
        return false; // no second print run from within the first
    if (!AllowPrint())
        return false;
    if (provider_ && !provider_->StartDocument())
        return false;
    aborted_ = false;
    ApplyOrientation();
    printer->setDocName(title_);
    StartPrint();
    printing_ = true;
    printedSheets_ = 0;

    // The range is fixed when printing starts.
    fromPage = std::max(1, fromPage);
    toPage = std::min(toPage, pageCount_);
    pdfBaseName_.clear();
    const QString originalFile = printer->outputFileName();
    if (oneDocPerPage && printer->outputFormat() == QPrinter::PdfFormat && !originalFile.isEmpty())
        pdfBaseName_ = originalFile;

    QPainter painter;
    bool ok = true;
    if (!oneDocPerPage)
        ok = BeginDocument(painter, 0);
    int printed = 0;
    for (int i = 0; ok && i <= toPage - fromPage; ++i) {
        const int page = reverse ? toPage - i : fromPage + i;
        if (aborted_) {
            aborted_ = false;
            break;
        }
        // A page beyond the page count in force (a draw callback may lower
        // it) is never sent: no blank sheets.
        if (page > pageCount_) {
            if (reverse)
                continue;
            break;
        }
        if (oneDocPerPage) {
            if (!BeginDocument(painter, page)) {
                ok = false;
                break;
            }
        } else if (printed > 0) {
            NewPage();
        }
        StartPrintPage(page);
        lastPrinted_.Clear();
        TPrintCanvas canvas(&lastPrinted_, metrics_.dpiY);
        DrawPage(canvas, page, dtPrint);
        lastPrinted_.size = QSize(PageRect().Width(), PageRect().Height());
        {
            // Page coordinates are sheet coordinates on every target; what lies
            // outside the printable area is cut off as in the preview.
            painter.save();
            if (!printer->fullPage())
                painter.translate(-metrics_.physicalOffset);
            const TRect pr = PrintableRect();
            painter.setClipRect(QRect(pr.Left, pr.Top, pr.Width(), pr.Height()));
            lastPrinted_.Replay(painter);
            painter.restore();
        }
        EndPrintPage(page);
        if (oneDocPerPage)
            painter.end();
        ++printed;
        PrintProgress(page, fromPage, toPage);
        QCoreApplication::processEvents();
    }
    if (painter.isActive())
        painter.end();
    if (!pdfBaseName_.isEmpty())
        printer->setOutputFileName(originalFile);
    pdfBaseName_.clear();
    printing_ = false;
    EndPrint();
    if (provider_)
        provider_->EndDocument(ok && printed > 0);
    return ok && printed > 0;
}

bool TCustomPrintJob::PrintWithDialog() {
    QPrinter* printer = Printer();
    if (!printer)
        return false;
    int from = 1, to = pageCount_;
    if (!PrintUi().PrintDialog(*printer, 1, pageCount_, from, to, dialogParent_))
        return false;
    Update();
    aborted_ = false;
    printer->setDocName(title_);
    Update();
    PrinterSetupChange();
    return PrintRange(from, to, printer->pageOrder() == QPrinter::LastPageFirst, multiDoc_);
}

bool TCustomPrintJob::PrinterSetupDialog() {
    QPrinter* printer = Printer();
    if (!printer)
        return false;
    if (!PrintUi().PrinterSetupDialog(*printer, dialogParent_))
        return false;
    Update();
    PrinterSetupChange();
    Update();
    return true;
}

} // namespace printing
