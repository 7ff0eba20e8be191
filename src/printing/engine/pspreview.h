// SPDX-License-Identifier: GPL-3.0-or-later
// The preview control: TCustomPreview / TPreview with its scroll
// box (TSpecialScrollBox) and page panel (TDrawPanel) that owns the recorded
// page.
#pragma once

#include "pscanvas.h"
#include "psprinter.h"
#include "pstypes.h"

#include <QColor>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <memory>

namespace printing {

class TCustomPrintJob;
class TCustomPreview;

// The zoom steps in percent.
inline constexpr int ZoomSteps[] = {10, 25, 50, 75, 100, 150, 200, 300, 500, 700, 1000};
inline constexpr int MinViewScale = 10;
inline constexpr int MaxViewScale = 1000;
inline constexpr int ScrollStep = 8;

// The page panel: replays the recorded page, scaled, clipped to the printable
// area, with the shadow to the right and below. Painting never calls the job.
class TDrawPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDrawPanel(TCustomPreview* preview, QWidget* parent);
    TRecordedPage Page;      // the recorded current page
    QRect PrintableArea;     // printable area of the sheet, in page pixels
    QSize ImageSize() const; // the sheet on screen (panel less the shadow)
    int PaintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TCustomPreview* preview_;
    int paintCount_ = 0;
};

// The scroll box: holds the page panel in a content widget sized to the
// scroll range; wheel events go to the preview.
class TSpecialScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TSpecialScrollBox(TCustomPreview* preview);
    QWidget* Content() const { return content_; }

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCustomPreview* preview_;
    QWidget* content_;
};

class TCustomPreview : public QWidget {
    Q_OBJECT
public:
    explicit TCustomPreview(QWidget* parent = nullptr);
    ~TCustomPreview() override;

    // ---- properties ----
    TCustomPrintJob* PrintJob() const { return job_; }
    void SetPrintJob(TCustomPrintJob* job);
    int PageIndex() const { return pageIndex_; }
    void SetPageIndex(int index);
    TViewMode ViewMode() const { return viewMode_; }
    void SetViewMode(TViewMode mode);
    int ViewScale() const { return viewScale_; }
    void SetViewScale(int percent);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor& color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    bool ScrollTracking() const { return scrollTracking_; }
    void SetScrollTracking(bool on);
    bool DragScroll() const { return dragScroll_; }
    void SetDragScroll(bool on) { dragScroll_ = on; }

    // ---- events ----
    std::function<void(TCustomPreview*)> OnUpdate;
    std::function<void(TCustomPreview*)> OnPageChanged;

    // ---- operations ----
    void ZoomIn();
    void ZoomOut();
    // Redraws the current page from the job.
    void RepaintPage() { UpdatePreview(); }
    // Preview update.
    void UpdatePreview();

    // Messages of the scale box; default: the job's UI, else a Qt one.
    void SetPrintUi(IPrintUi* ui) { ui_ = ui; }
    IPrintUi& PrintUi();

    // ---- parts and state (also for tests) ----
    TSpecialScrollBox* ScrollBox() const { return scrollBox_; }
    TDrawPanel* DrawPanel() const { return panel_; }
    const TRecordedPage& RecordedPage() const { return panel_->Page; }
    int ScreenDpi() const;
    int UpdateCount() const { return updateCount_; }
    // Scroll positions.
    void ScrollTo(int x, int y);
    QPoint ScrollPos() const;
    QPoint ScrollMax() const;

    // Zoom step helpers.
    static int NextZoomStep(int scale); // first step above, or 0
    static int PrevZoomStep(int scale); // last step below, or 0

signals:
    // After every update: linked controls (tool bar, scale box) follow.
    void PreviewUpdated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TCustomPrintJob;
    friend class TDrawPanel;
    friend class TSpecialScrollBox;
    void JobDestroyed(TCustomPrintJob* job);
    void LayoutPanel();
    void Wheel(int delta);
    void PanelPressed(QMouseEvent* event);
    void PanelMoved(QMouseEvent* event);
    void PanelReleased(QMouseEvent* event);
    void PanelDoubleClicked(QMouseEvent* event);

    QPointer<TCustomPrintJob> job_;
    int pageIndex_ = 1;
    TViewMode viewMode_ = vmWholePage;
    int viewScale_ = 100;
    QColor color_{128, 128, 128};
    QColor shadowColor_{64, 64, 64};
    int shadowSize_ = 8;
    bool scrollTracking_ = false;
    bool dragScroll_ = false;
    IPrintUi* ui_ = nullptr;
    std::unique_ptr<IPrintUi> defaultUi_;

    TSpecialScrollBox* scrollBox_;
    TDrawPanel* panel_;
    bool updating_ = false;
    int updateCount_ = 0;
    bool dragging_ = false;
    QPoint dragStart_;
    QPoint dragScrollStart_;
};

class TPreview : public TCustomPreview {
    Q_OBJECT
public:
    using TCustomPreview::TCustomPreview;
};

} // namespace printing
