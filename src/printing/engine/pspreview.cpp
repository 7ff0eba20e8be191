// SPDX-License-Identifier: GPL-3.0-or-later
#include "pspreview.h"

#include "psjob.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace printing {

// ---------------------------------------------------------------- TDrawPanel

TDrawPanel::TDrawPanel(TCustomPreview* preview, QWidget* parent) : QWidget(parent), preview_(preview) {
    setObjectName(QStringLiteral("DrawPanel"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QSize TDrawPanel::ImageSize() const {
    const int s = preview_->ShadowSize();
    return {std::max(0, width() - s), std::max(0, height() - s)};
}

void TDrawPanel::paintEvent(QPaintEvent*) {
    ++paintCount_;
    QPainter painter(this);
    const int s = preview_->ShadowSize();
    const QSize img = ImageSize();
    // background of the panel (behind the shadow's offset corners)
    painter.fillRect(rect(), preview_->Color());
    if (s > 0) {
        painter.fillRect(QRect(img.width(), s, s, img.height()), preview_->ShadowColor());
        painter.fillRect(QRect(s, img.height(), img.width(), s), preview_->ShadowColor());
    }
    painter.fillRect(QRect(QPoint(0, 0), img), Qt::white);
    if (Page.size.isEmpty() || img.isEmpty())
        return;
    painter.setClipRect(QRect(QPoint(0, 0), img));
    painter.scale(double(img.width()) / Page.size.width(), double(img.height()) / Page.size.height());
    // the preview hides what lies outside the printable area of the sheet
    painter.setClipRect(PrintableArea, Qt::IntersectClip);
    Page.Replay(painter);
}

void TDrawPanel::mousePressEvent(QMouseEvent* event) {
    preview_->PanelPressed(event);
}
void TDrawPanel::mouseMoveEvent(QMouseEvent* event) {
    preview_->PanelMoved(event);
}
void TDrawPanel::mouseReleaseEvent(QMouseEvent* event) {
    preview_->PanelReleased(event);
}
void TDrawPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    preview_->PanelDoubleClicked(event);
}

// --------------------------------------------------------- TSpecialScrollBox

TSpecialScrollBox::TSpecialScrollBox(TCustomPreview* preview)
    : QScrollArea(preview), preview_(preview), content_(new QWidget) {
    setObjectName(QStringLiteral("ScrollBox"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    content_->setObjectName(QStringLiteral("ScrollContent"));
    setWidget(content_);
    horizontalScrollBar()->setSingleStep(ScrollStep);
    verticalScrollBar()->setSingleStep(ScrollStep);
}

void TSpecialScrollBox::wheelEvent(QWheelEvent* event) {
    preview_->Wheel(event->angleDelta().y());
    event->accept();
}

void TSpecialScrollBox::keyPressEvent(QKeyEvent* event) {
    // keys belong to the preview
    QApplication::sendEvent(preview_, event);
}

// ------------------------------------------------------------ TCustomPreview

TCustomPreview::TCustomPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Preview"));
    setFocusPolicy(Qt::StrongFocus);
    scrollBox_ = new TSpecialScrollBox(this);
    panel_ = new TDrawPanel(this, scrollBox_->Content());
    panel_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollBox_);
    SetColor(color_);
    SetScrollTracking(false);
}

TCustomPreview::~TCustomPreview() {
    if (job_)
        job_->UnlinkPreview(this);
}

IPrintUi& TCustomPreview::PrintUi() {
    if (ui_)
        return *ui_;
    if (job_)
        return job_->PrintUi();
    if (!defaultUi_)
        defaultUi_ = std::make_unique<TQtPrintUi>();
    return *defaultUi_;
}

int TCustomPreview::ScreenDpi() const {
    const int dpi = logicalDpiX();
    return dpi > 0 ? dpi : 96;
}

void TCustomPreview::SetColor(const QColor& color) {
    color_ = color;
    for (QWidget* w : {static_cast<QWidget*>(scrollBox_->viewport()), scrollBox_->Content()}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, color_);
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }
    panel_->update();
}

void TCustomPreview::SetShadowColor(const QColor& color) {
    shadowColor_ = color;
    panel_->update();
}

void TCustomPreview::SetShadowSize(int size) {
    shadowSize_ = std::clamp(size, 0, 100);
    UpdatePreview();
}

void TCustomPreview::SetScrollTracking(bool on) {
    scrollTracking_ = on;
    scrollBox_->horizontalScrollBar()->setTracking(on);
    scrollBox_->verticalScrollBar()->setTracking(on);
}

void TCustomPreview::SetPrintJob(TCustomPrintJob* job) {
    if (job == job_)
        return;
    if (job_)
        job_->UnlinkPreview(this);
    job_ = job;
    if (job_)
        job_->LinkPreview(this);
    pageIndex_ = 1;
    panel_->setVisible(job_ != nullptr);
    UpdatePreview();
}

void TCustomPreview::JobDestroyed(TCustomPrintJob* job) {
    if (job_ == job || job_.isNull()) {
        job_ = nullptr;
        panel_->hide();
    }
}

void TCustomPreview::SetPageIndex(int index) {
    const int count = job_ ? job_->PageCount() : 1;
    index = std::clamp(index, 1, std::max(1, count));
    if (index != pageIndex_) {
        pageIndex_ = index;
        ScrollTo(0, 0);
        UpdatePreview();
    }
    if (OnPageChanged)
        OnPageChanged(this);
}

void TCustomPreview::SetViewMode(TViewMode mode) {
    viewMode_ = mode;
    UpdatePreview();
}

void TCustomPreview::SetViewScale(int percent) {
    if (viewMode_ != vmCustom)
        return;
    viewScale_ = std::clamp(percent, MinViewScale, MaxViewScale);
    UpdatePreview();
}

int TCustomPreview::NextZoomStep(int scale) {
    for (int step : ZoomSteps)
        if (step > scale)
            return step;
    return 0;
}

int TCustomPreview::PrevZoomStep(int scale) {
    int found = 0;
    for (int step : ZoomSteps)
        if (step < scale)
            found = step;
    return found;
}

void TCustomPreview::ZoomIn() {
    const int step = NextZoomStep(viewScale_);
    if (step == 0)
        return;
    viewMode_ = vmCustom;
    SetViewScale(step);
}

void TCustomPreview::ZoomOut() {
    const int step = PrevZoomStep(viewScale_);
    if (step == 0)
        return;
    viewMode_ = vmCustom;
    SetViewScale(step);
}

void TCustomPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UpdatePreview();
}

void TCustomPreview::LayoutPanel() {
    const TRect page = job_->PageRect();
    const int pw = std::max(1, page.Width()), ph = std::max(1, page.Height());
    const TPrinterMetrics& m = job_->Metrics();
    const int printerDpi = std::max(1, m.dpiX);
    const int screenDpi = ScreenDpi();
    const int s = shadowSize_;
    const int sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBox_);
    const int boxW = scrollBox_->width(), boxH = scrollBox_->height();
    auto heightFor = [&](int w) { return std::max(1, int(qint64(w) * ph / pw)); };
    auto widthFor = [&](int h) { return std::max(1, int(qint64(h) * pw / ph)); };

    int iw = 1, ih = 1;
    QPoint pos(8, 8);
    QSize content;
    switch (viewMode_) {
    case vmWholePage: {
        scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ih = std::max(1, boxH - s - 16);
        iw = widthFor(ih);
        if (iw > boxW - 16) {
            iw = std::max(1, boxW - 16);
            ih = heightFor(iw);
        }
        pos = QPoint((boxW - iw - s) / 2, (boxH - ih - s) / 2);
        content = QSize(boxW, boxH);
        break;
    }
    case vmPageWidth: {
        scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        iw = std::max(1, boxW - sb - 20);
        ih = heightFor(iw);
        pos = QPoint(8, 8);
        content = QSize(std::max(1, boxW - (ih + s + 16 > boxH ? sb : 0)), ih + s + 16);
        break;
    }
    case vmCustom: {
        scrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        scrollBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        iw = int(qint64(pw) * viewScale_ * screenDpi / printerDpi / 100) + 2;
        ih = heightFor(iw);
        const int needW = iw + s + 16, needH = ih + s + 16;
        int vw = boxW, vh = boxH;
        for (int pass = 0; pass < 2; ++pass) { // scroll bars take room from each other
            if (needW > vw)
                vh = boxH - sb;
            if (needH > vh)
                vw = boxW - sb;
        }
        pos.setX(needW <= vw ? (vw - iw - s) / 2 : 8);
        pos.setY(needH <= vh ? (vh - ih - s) / 2 : 8);
        content = QSize(std::max(vw, needW), std::max(vh, needH));
        break;
    }
    }
    if (viewMode_ != vmCustom) {
        const qint64 scale = (qint64(iw) * 100 * printerDpi + qint64(pw) * screenDpi / 2) / (qint64(pw) * screenDpi);
        viewScale_ = int(std::clamp<qint64>(scale, MinViewScale, MaxViewScale));
    }
    scrollBox_->Content()->resize(content);
    panel_->setGeometry(pos.x(), pos.y(), iw + s, ih + s);
}

void TCustomPreview::UpdatePreview() {
    if (updating_)
        return;
    if (!job_ || !job_->PrinterAvailable()) {
        panel_->hide();
        return;
    }
    updating_ = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{updating_};
    ++updateCount_;
    job_->UpdatePageSize();
    if (pageIndex_ > job_->PageCount())
        pageIndex_ = job_->PageCount();
    if (pageIndex_ < 1)
        pageIndex_ = 1;
    LayoutPanel();

    // Record the current page.
    const TRect page = job_->PageRect();
    TRecordedPage& rec = panel_->Page;
    rec.Clear();
    rec.size = QSize(page.Width(), page.Height());
    {
        TPrintCanvas canvas(&rec, job_->Metrics().dpiY);
        canvas.Brush = TBrushSpec{};
        canvas.FillRect(page);
        job_->DrawPage(canvas, pageIndex_, dtMetaPreview);
    }
    const TRect pr = job_->PrintableRect();
    panel_->PrintableArea = QRect(pr.Left, pr.Top, pr.Width(), pr.Height());

    panel_->update();
    panel_->show();
    emit PreviewUpdated();
    if (OnUpdate)
        OnUpdate(this);
}

// -------------------------------------------------------------- scrolling

void TCustomPreview::ScrollTo(int x, int y) {
    scrollBox_->horizontalScrollBar()->setValue(x);
    scrollBox_->verticalScrollBar()->setValue(y);
}

QPoint TCustomPreview::ScrollPos() const {
    return {scrollBox_->horizontalScrollBar()->value(), scrollBox_->verticalScrollBar()->value()};
}

QPoint TCustomPreview::ScrollMax() const {
    return {scrollBox_->horizontalScrollBar()->maximum(), scrollBox_->verticalScrollBar()->maximum()};
}

void TCustomPreview::Wheel(int delta) {
    QScrollBar* v = scrollBox_->verticalScrollBar();
    v->setValue(v->value() - delta * viewScale_ / 480);
}

void TCustomPreview::keyPressEvent(QKeyEvent* event) {
    QScrollBar* h = scrollBox_->horizontalScrollBar();
    QScrollBar* v = scrollBox_->verticalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int pageV = std::max(ScrollStep, scrollBox_->viewport()->height() - ScrollStep);
    const int pageH = std::max(ScrollStep, scrollBox_->viewport()->width() - ScrollStep);
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (ctrl)
            v->setValue(v->minimum());
        else if (v->value() <= v->minimum())
            SetPageIndex(pageIndex_ - 1);
        else
            v->setValue(v->value() - pageV);
        break;
    case Qt::Key_PageDown:
        if (ctrl)
            v->setValue(v->maximum());
        else if (v->value() >= v->maximum())
            SetPageIndex(pageIndex_ + 1);
        else
            v->setValue(v->value() + pageV);
        break;
    case Qt::Key_Up:
        v->setValue(v->value() - ScrollStep);
        break;
    case Qt::Key_Down:
        v->setValue(v->value() + ScrollStep);
        break;
    case Qt::Key_Home:
        h->setValue(h->minimum());
        if (ctrl)
            v->setValue(v->minimum());
        break;
    case Qt::Key_End:
        h->setValue(h->maximum());
        if (ctrl)
            v->setValue(v->maximum());
        break;
    case Qt::Key_Left:
        h->setValue(h->value() - (ctrl ? pageH : ScrollStep));
        break;
    case Qt::Key_Right:
        h->setValue(h->value() + (ctrl ? pageH : ScrollStep));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ------------------------------------------------------------------ mouse

void TCustomPreview::PanelPressed(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (dragScroll_ && event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragStart_ = event->globalPosition().toPoint();
        dragScrollStart_ = ScrollPos();
        panel_->setCursor(Qt::SizeAllCursor);
    }
}

void TCustomPreview::PanelMoved(QMouseEvent* event) {
    if (!dragging_)
        return;
    const QPoint d = event->globalPosition().toPoint() - dragStart_;
    ScrollTo(dragScrollStart_.x() - d.x(), dragScrollStart_.y() - d.y());
}

void TCustomPreview::PanelReleased(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        panel_->unsetCursor();
    }
}

void TCustomPreview::PanelDoubleClicked(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ZoomIn();
    else if (event->button() == Qt::RightButton)
        ZoomOut();
}

} // namespace printing
