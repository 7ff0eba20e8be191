// SPDX-License-Identifier: GPL-3.0-or-later
#include "pstoolbar.h"

#include "pscombo.h"
#include "psjob.h"
#include "pspreview.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace printing {

namespace {
const char* const Hints[] = {
    "Print",     "Print dialog", "Printer setup dialog", "First page", "Previous page", "Next page",
    "Last page", "Whole page",   "Page width",           "Zoom out",   "Zoom in",       "Refresh",
    "Close"};
const char* const Names[] = {
    "btnPrint",    "btnPrintDialog", "btnPrinterSetupDialog", "btnFirstPage", "btnPrevPage", "btnNextPage",
    "btnLastPage", "btnWholePage",   "btnPageWidth",          "btnZoomOut",   "btnZoomIn",   "btnRefresh",
    "btnClose",    "btnUser"};

void DrawPrinter(QPainter& p, int x) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(x + 4, 1, 8, 5); // paper
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(x + 1, 6, 14, 6); // body
    p.setBrush(Qt::white);
    p.drawRect(x + 4, 10, 8, 5); // sheet out
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(x + 13, 8);
}

void DrawSheet(QPainter& p, int x, int left, int top, int w, int h) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(x + left, top, w, h);
}

void DrawTriangle(QPainter& p, int x, bool right, int offset) {
    QPainterPath path;
    const int cx = x + offset;
    if (right) {
        path.moveTo(cx, 3);
        path.lineTo(cx + 6, 8);
        path.lineTo(cx, 13);
    } else {
        path.moveTo(cx + 6, 3);
        path.lineTo(cx, 8);
        path.lineTo(cx + 6, 13);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(20, 60, 150));
}

void DrawLens(QPainter& p, int x, bool plus) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(x + 1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(90, 60, 20), 2.5));
    p.drawLine(QPointF(x + 10, 10), QPointF(x + 14.5, 14.5));
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.drawLine(QPointF(x + 4, 6), QPointF(x + 8, 6));
    if (plus)
        p.drawLine(QPointF(x + 6, 4), QPointF(x + 6, 8));
    p.setRenderHint(QPainter::Antialiasing, false);
}
} // namespace

QPixmap PreviewGlyphStrip() {
    QPixmap strip(16 * btnClose + 16, 16);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int k = btnPrint; k <= btnClose; ++k) {
        const int x = 16 * k;
        switch (static_cast<TButtonKind>(k)) {
        case btnPrint:
            DrawPrinter(p, x);
            break;
        case btnPrintDialog:
            DrawPrinter(p, x);
            p.setPen(QColor(20, 60, 150));
            p.drawLine(x + 1, 15, x + 7, 15);
            p.drawLine(x + 1, 14, x + 7, 14);
            break;
        case btnPrinterSetupDialog:
            DrawSheet(p, x, 3, 1, 10, 13);
            p.setPen(QColor(20, 60, 150));
            for (int y = 4; y <= 11; y += 3)
                p.drawLine(x + 5, y, x + 11, y);
            break;
        case btnFirstPage:
            p.fillRect(x + 3, 3, 2, 11, QColor(20, 60, 150));
            DrawTriangle(p, x, false, 6);
            break;
        case btnPrevPage:
            DrawTriangle(p, x, false, 5);
            break;
        case btnNextPage:
            DrawTriangle(p, x, true, 5);
            break;
        case btnLastPage:
            DrawTriangle(p, x, true, 4);
            p.fillRect(x + 11, 3, 2, 11, QColor(20, 60, 150));
            break;
        case btnWholePage:
            DrawSheet(p, x, 4, 1, 8, 13);
            break;
        case btnPageWidth:
            DrawSheet(p, x, 1, 3, 14, 12);
            p.setPen(QColor(20, 60, 150));
            p.drawLine(x + 2, 1, x + 14, 1);
            break;
        case btnZoomOut:
            DrawLens(p, x, false);
            break;
        case btnZoomIn:
            DrawLens(p, x, true);
            break;
        case btnRefresh: {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(QColor(0, 130, 0), 2));
            p.drawArc(QRectF(x + 2.5, 2.5, 11, 11), 30 * 16, 280 * 16);
            QPainterPath head;
            head.moveTo(x + 10, 1);
            head.lineTo(x + 15, 4);
            head.lineTo(x + 10, 7);
            head.closeSubpath();
            p.fillPath(head, QColor(0, 130, 0));
            p.setRenderHint(QPainter::Antialiasing, false);
            break;
        }
        case btnClose:
            p.setPen(QPen(QColor(180, 20, 20), 2));
            p.drawLine(x + 3, 3, x + 12, 12);
            p.drawLine(x + 12, 3, x + 3, 12);
            break;
        case btnUser:
            break;
        }
    }
    return strip;
}

QPixmap PreviewGlyph(TButtonKind kind) {
    static_assert(btnClose == 12);
    if (kind == btnUser)
        return {};
    return PreviewGlyphStrip().copy(16 * kind, 0, 16, 16);
}

QString TCustomPreviewToolbar::Hint(TButtonKind kind) {
    if (kind == btnUser)
        return {};
    return QString::fromLatin1(Hints[kind]);
}

TCustomPreviewToolbar::TCustomPreviewToolbar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PreviewToolbar"));
    setFixedHeight(ToolbarHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QPixmap strip = PreviewGlyphStrip();
    for (int k = 0; k < ButtonKindCount; ++k) {
        auto* b = new QToolButton(this);
        const auto kind = static_cast<TButtonKind>(k);
        b->setObjectName(QString::fromLatin1(Names[k]));
        b->setFixedSize(ToolButtonSize, ToolButtonSize);
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(flat_);
        b->setFocusPolicy(Qt::NoFocus);
        if (kind != btnUser) {
            b->setIcon(QIcon(strip.copy(16 * k, 0, 16, 16)));
            b->setToolTip(Hint(kind));
        }
        connect(b, &QToolButton::clicked, this, [this, kind] { ButtonClick(kind); });
        buttonWidgets_[k] = b;
    }
    combo_ = new TPreviewComboBox(this);
    combo_->setFixedSize(ScaleBoxWidth, 22);
    if (parent)
        parent->installEventFilter(this);
    LayoutButtons();
    FollowParent();
}

QSize TCustomPreviewToolbar::sizeHint() const {
    int right = 0;
    for (auto* b : buttonWidgets_)
        if (!b->isHidden())
            right = std::max(right, b->x() + b->width());
    if (!combo_->isHidden())
        right = std::max(right, combo_->x() + combo_->width());
    return {right + 1, ToolbarHeight};
}

bool TCustomPreviewToolbar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        FollowParent();
    return QWidget::eventFilter(watched, event);
}

void TCustomPreviewToolbar::FollowParent() {
    // aligned to the top of the parent (when the parent has no layout)
    if (QWidget* p = parentWidget(); p && !p->layout())
        setGeometry(0, 0, p->width(), ToolbarHeight);
}

void TCustomPreviewToolbar::LayoutButtons() {
    int place = 0;
    bool boxPlaced = false;
    int shift = 0;
    auto placeBox = [&] {
        if (boxPlaced)
            return;
        boxPlaced = true;
        if (!scaleBox_)
            return;
        combo_->move(1 + ToolButtonSize * place + 2, 2);
        shift = ScaleBoxWidth + 4;
    };
    for (int k = 0; k < ButtonKindCount; ++k) {
        QToolButton* b = buttonWidgets_[k];
        const bool visible = buttons_.contains(static_cast<TButtonKind>(k));
        b->setVisible(visible);
        if (!visible)
            continue;
        if (k >= scaleBoxPos_)
            placeBox();
        b->move(1 + ToolButtonSize * place + shift, 1);
        ++place;
    }
    placeBox();
    combo_->setVisible(scaleBox_);
    buttonWidgets_[btnUser]->setEnabled(userButtonEnabled_);
    buttonWidgets_[btnUser]->setIcon(QIcon(userGlyph_));
    buttonWidgets_[btnUser]->setToolTip(userHint_);
    updateGeometry();
}

void TCustomPreviewToolbar::SetPreview(TCustomPreview* preview) {
    if (preview == preview_)
        return;
    if (connection_)
        disconnect(connection_);
    preview_ = preview;
    if (preview_)
        connection_ = connect(preview_, &TCustomPreview::PreviewUpdated, this, &TCustomPreviewToolbar::UpdateButtons);
    combo_->SetPreview(preview);
    UpdateButtons();
}

void TCustomPreviewToolbar::SetButtons(TButtonKinds buttons) {
    buttons_ = buttons;
    LayoutButtons();
}

void TCustomPreviewToolbar::SetFlat(bool flat) {
    flat_ = flat;
    for (auto* b : buttonWidgets_)
        b->setAutoRaise(flat);
}

void TCustomPreviewToolbar::SetScaleBox(bool on) {
    scaleBox_ = on;
    LayoutButtons();
}

void TCustomPreviewToolbar::SetScaleBoxPos(int pos) {
    scaleBoxPos_ = pos;
    LayoutButtons();
}

void TCustomPreviewToolbar::SetUserButtonEnabled(bool on) {
    userButtonEnabled_ = on;
    LayoutButtons();
}

void TCustomPreviewToolbar::SetUserButtonGlyph(const QPixmap& glyph) {
    userGlyph_ = glyph;
    LayoutButtons();
}

void TCustomPreviewToolbar::SetUserButtonHint(const QString& hint) {
    userHint_ = hint;
    LayoutButtons();
}

void TCustomPreviewToolbar::ButtonClick(TButtonKind kind) {
    bool allow = true;
    if (OnButtonClick)
        OnButtonClick(this, kind, allow);
    if (allow) {
        TCustomPrintJob* job = preview_ ? preview_->PrintJob() : nullptr;
        if (kind == btnClose) {
            if (QWidget* form = window())
                form->close();
        } else if (kind == btnUser) {
            if (OnUserButtonClick)
                OnUserButtonClick(this);
        } else if (preview_ && job) {
            switch (kind) {
            case btnPrint:
                job->Print();
                break;
            case btnPrintDialog:
                job->PrintWithDialog();
                break;
            case btnPrinterSetupDialog:
                job->PrinterSetupDialog();
                break;
            case btnFirstPage:
                preview_->SetPageIndex(1);
                break;
            case btnPrevPage:
                preview_->SetPageIndex(preview_->PageIndex() - 1);
                break;
            case btnNextPage:
                preview_->SetPageIndex(preview_->PageIndex() + 1);
                break;
            case btnLastPage:
                preview_->SetPageIndex(job->PageCount());
                break;
            case btnWholePage:
                preview_->SetViewMode(vmWholePage);
                break;
            case btnPageWidth:
                preview_->SetViewMode(vmPageWidth);
                break;
            case btnZoomOut:
                preview_->ZoomOut();
                break;
            case btnZoomIn:
                preview_->ZoomIn();
                break;
            case btnRefresh:
                job->Update();
                break;
            case btnClose:
            case btnUser:
                break;
            }
        }
    }
    UpdateButtons();
}

void TCustomPreviewToolbar::UpdateButtons() {
    TCustomPrintJob* job = preview_ ? preview_->PrintJob() : nullptr;
    if (preview_ && job && job->PrinterAvailable()) {
        const int page = preview_->PageIndex();
        const int count = job->PageCount();
        const int scale = preview_->ViewScale();
        buttonWidgets_[btnFirstPage]->setEnabled(page > 1);
        buttonWidgets_[btnPrevPage]->setEnabled(page > 1);
        buttonWidgets_[btnNextPage]->setEnabled(page < count);
        buttonWidgets_[btnLastPage]->setEnabled(page < count);
        buttonWidgets_[btnZoomOut]->setEnabled(scale > MinViewScale);
        buttonWidgets_[btnZoomIn]->setEnabled(scale < MaxViewScale);
        combo_->setEnabled(true);
    }
    if (OnUpdate)
        OnUpdate(this);
}

} // namespace printing
