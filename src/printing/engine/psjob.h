// SPDX-License-Identifier: GPL-3.0-or-later
// Print jobs: TCustomPrintJob and TPrintJob.
#pragma once

#include "pscanvas.h"
#include "psprinter.h"
#include "pstypes.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QPainter;
class QWidget;

namespace printing {

class TCustomPreview;

class TCustomPrintJob : public QObject {
    Q_OBJECT
public:
    explicit TCustomPrintJob(QObject* owner = nullptr);
    ~TCustomPrintJob() override;

    // ---- services (seams) ----
    // The provider of the printer; without one (or when it hands out none)
    // the job has no printer. Setting it updates the job.
    void SetPrinterProvider(IPrinterProvider* provider);
    IPrinterProvider* PrinterProvider() const { return provider_; }
    QPrinter* Printer() const;
    // The dialogs and messages; the default is the Qt one owned by the job.
    void SetPrintUi(IPrintUi* ui) { ui_ = ui; }
    IPrintUi& PrintUi();
    // Parent window of dialogs and messages.
    void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }
    QWidget* DialogParent() const { return dialogParent_; }
    // The capabilities in force (read by the last page-size update); without a
    // printer 2000 x 3000 pixels at 300 dpi.
    const TPrinterMetrics& Metrics() const { return metrics_; }

    // ---- properties ----
    int PageCount() const { return pageCount_; }
    void SetPageCount(int count);
    QString Title() const { return title_; }
    void SetTitle(const QString& title);
    TMargins Margins() const { return margins_; }
    void SetMargins(const TMargins& margins);
    TUnits MarginsUnits() const { return marginsUnits_; }
    void SetMarginsUnits(TUnits units);
    TMarginsError MarginsError() const { return marginsError_; }
    void SetMarginsError(TMarginsError mode);
    double Header() const { return header_; }
    void SetHeader(double height);
    TUnits HeaderUnits() const { return headerUnits_; }
    void SetHeaderUnits(TUnits units);
    double Footer() const { return footer_; }
    void SetFooter(double height);
    TUnits FooterUnits() const { return footerUnits_; }
    void SetFooterUnits(TUnits units);
    TPageMode PageMode() const { return pageMode_; }
    void SetPageMode(TPageMode mode);
    double PageWidth() const { return pageWidth_; }
    void SetPageWidth(double width);
    double PageHeight() const { return pageHeight_; }
    void SetPageHeight(double height);
    TUnits PageUnits() const { return pageUnits_; }
    void SetPageUnits(TUnits units);
    TPageOrientation Orientation() const { return orientation_; }
    void SetOrientation(TPageOrientation orientation);
    TJobOptions Options() const { return options_; }
    void SetOptions(TJobOptions options);
    bool RelativeCoords() const { return relativeCoords_; }
    void SetRelativeCoords(bool on);
    bool MultiDoc() const { return multiDoc_; }
    void SetMultiDoc(bool on);
    TDrawAreas DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(TDrawAreas areas);

    // ---- events (OnCreate is not offered: nothing can observe a C++
    // constructor from outside) ----
    std::function<void(TCustomPrintJob*)> OnDestroy;
    std::function<void(TCustomPrintJob*)> OnUpdate;
    std::function<void(TCustomPrintJob*)> OnPrinterSetupChange;
    std::function<void(TCustomPrintJob*)> OnStartPrint;
    std::function<void(TCustomPrintJob*)> OnEndPrint;
    std::function<void(TCustomPrintJob*, TPrintCanvas&, TDrawTarget)> OnInitDraw;
    std::function<void(TCustomPrintJob*, TPrintCanvas&, int pageIndex, const TRect& rect, TDrawArea area,
                       TDrawTarget target)>
        OnDraw;
    std::function<void(TCustomPrintJob*, bool& allow)> OnAllowPrint;
    std::function<void(TCustomPrintJob*, int pos, int min, int max)> OnPrintProgress;
    std::function<void(TCustomPrintJob*, int pageIndex)> OnStartPrintPage;
    std::function<void(TCustomPrintJob*, int pageIndex)> OnEndPrintPage;

    // ---- virtual operations, in slot order ----
    // Draws a page on a caller's canvas (target dtExternal by default).
    virtual void DrawPageOn(TPrintCanvas& canvas, int pageIndex, TDrawTarget target = dtExternal);
    // Default canvas state for a page; fills the page rectangle; OnInitDraw.
    virtual void InitCanvas(TPrintCanvas& canvas);
    // Drawing a page.
    virtual void DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target);
    // The job's own drawing of one area (TPrintJob: the OnDraw callback).
    virtual void DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area, TDrawTarget target);
    virtual void PrinterSetupChange();
    virtual bool AllowPrint();
    virtual void StartPrint();
    virtual void EndPrint();
    virtual void PrintProgress(int pos, int min, int max);
    virtual void StartPrintPage(int pageIndex);
    virtual void EndPrintPage(int pageIndex);
    virtual void NewPage();
    // Pages 1..PageCount, forward, one document unless MultiDoc. False when
    // nothing could be printed (no printer, refused, device not opened).
    virtual bool Print();
    virtual bool PrintWithDialog();
    virtual bool PrinterSetupDialog();
    virtual void Abort();
    // Area rectangles in page pixels; the page coordinates are those of the
    // sheet on every target (see the report on deviations).
    virtual TRect PageRect() const;
    virtual TRect PrintableRect() const;
    virtual TRect MarginsRect() const;
    virtual TRect HeaderRect() const;
    virtual TRect PageAreaRect() const;
    virtual TRect FooterRect() const;
    virtual void UpdatePageSize();
    virtual bool PrinterAvailable() const;
    virtual void Update();

    // ---- further operations ----
    // Prints the pages from..to (reverse: to down to from); one document per
    // page when oneDocPerPage.
    bool PrintRange(int fromPage, int toPage, bool reverse, bool oneDocPerPage);
    void BeginUpdate() { ++updateLock_; }
    void EndUpdate() {
        if (updateLock_ > 0)
            --updateLock_;
    }
    int UpdateLockCount() const { return updateLock_; }
    // Loading from a form: the margin check is skipped until Loaded(), which
    // runs it once and updates.
    void BeginLoad() { loading_ = true; }
    void Loaded();
    // The margin check (may throw EPrintJobException).
    void CheckMargins();
    bool IsPrinting() const { return printing_; }
    bool AbortRequested() const { return aborted_; }
    TDrawTarget DrawTarget() const { return target_; }
    bool IsDrawing() const { return drawDepth_ > 0; }
    // What the last printed page drew (for checks).
    const TRecordedPage& LastPrintedPage() const { return lastPrinted_; }
    int PrintedSheetCount() const { return printedSheets_; }

    // Previews linked to the job.
    QList<TCustomPreview*> Previews() const;

protected:
    virtual void PerformUpdate();
    // Stores the page count (at least 1) without updating.
    void StorePageCount(int count) { pageCount_ = count < 1 ? 1 : count; }
    void DrawOneArea(TPrintCanvas& canvas, int pageIndex, TDrawArea area, TDrawTarget target);
    // Applies Orientation to the printer unless it is printing.
    void ApplyOrientation();
    int PixelsX(double value, TUnits units, double reference) const;
    int PixelsY(double value, TUnits units, double reference) const;

private:
    friend class TCustomPreview;
    void LinkPreview(TCustomPreview* preview);
    void UnlinkPreview(TCustomPreview* preview);
    bool BeginDocument(QPainter& painter, int pageForFileName);
    void ApplyMarginsFix();

    IPrinterProvider* provider_ = nullptr;
    IPrintUi* ui_ = nullptr;
    std::unique_ptr<IPrintUi> defaultUi_;
    QWidget* dialogParent_ = nullptr;
    TPrinterMetrics metrics_;

    int pageCount_ = 1;
    QString title_;
    TMargins margins_;
    TUnits marginsUnits_ = unPixels;
    TMarginsError marginsError_ = meAutoFix;
    double header_ = 0;
    TUnits headerUnits_ = unPixels;
    double footer_ = 0;
    TUnits footerUnits_ = unPixels;
    TPageMode pageMode_ = pmDefault;
    double pageWidth_ = 2000, pageHeight_ = 3000;
    TUnits pageUnits_ = unPixels;
    TPageOrientation orientation_ = orDefault;
    TJobOptions options_;
    bool relativeCoords_ = false;
    bool multiDoc_ = false;
    TDrawAreas defaultDrawing_{daHeader, daPage, daFooter};

    QList<QPointer<TCustomPreview>> previews_;
    int updateLock_ = 0;
    int drawDepth_ = 0;
    bool loading_ = false;
    bool printing_ = false;
    bool aborted_ = false;
    TDrawTarget target_ = dtExternal;
    TRecordedPage lastPrinted_;
    int printedSheets_ = 0;
    QString pdfBaseName_;
};

// The free-form job: every area goes to OnDraw.
class TPrintJob : public TCustomPrintJob {
    Q_OBJECT
public:
    using TCustomPrintJob::TCustomPrintJob;
};

} // namespace printing
