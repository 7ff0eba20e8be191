// SPDX-License-Identifier: GPL-3.0-or-later
#include "pscombo.h"

#include "psjob.h"
#include "pspreview.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace printing {

TPreviewComboBox::TPreviewComboBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("ScaleBox"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // typed text is taken as it is (no inline completion from the list)
    setToolTip(QStringLiteral("View mode and scale"));
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
    connect(this, qOverload<int>(&QComboBox::activated), this, &TPreviewComboBox::ChooseEntry);
    RebuildList();
    UpdateFromPreview();
}

void TPreviewComboBox::SetPreview(TCustomPreview* preview) {
    if (preview == preview_)
        return;
    if (connection_)
        disconnect(connection_);
    preview_ = preview;
    if (preview_)
        connection_ = connect(preview_, &TCustomPreview::PreviewUpdated, this, &TPreviewComboBox::UpdateFromPreview);
    UpdateFromPreview();
}

QString TPreviewComboBox::StateText() const {
    if (!preview_)
        return QStringLiteral("not linked");
    switch (preview_->ViewMode()) {
    case vmWholePage:
        return QStringLiteral("Whole page (%1%)").arg(preview_->ViewScale());
    case vmPageWidth:
        return QStringLiteral("Page width (%1%)").arg(preview_->ViewScale());
    case vmCustom:
        break;
    }
    return QStringLiteral("%1%").arg(preview_->ViewScale());
}

void TPreviewComboBox::UpdateFromPreview() {
    lineEdit()->setText(StateText());
}

void TPreviewComboBox::RestoreText() {
    UpdateFromPreview();
}

void TPreviewComboBox::RebuildList() {
    const QString text = lineEdit()->text();
    const QSignalBlocker block(this);
    clear();
    addItem(QStringLiteral("Whole page"));
    addItem(QStringLiteral("Page width"));
    for (int step : ZoomSteps)
        addItem(QStringLiteral("%1%").arg(step));
    lineEdit()->setText(text);
}

void TPreviewComboBox::showPopup() {
    RebuildList();
    QComboBox::showPopup();
}

void TPreviewComboBox::ChooseEntry(int index) {
    if (!preview_ || index < 0 || index >= count()) {
        UpdateFromPreview();
        return;
    }
    if (index == 0) {
        preview_->SetViewMode(vmWholePage);
    } else if (index == 1) {
        preview_->SetViewMode(vmPageWidth);
    } else {
        QString digits;
        for (QChar c : itemText(index))
            if (c.isDigit())
                digits += c;
        preview_->SetViewMode(vmCustom);
        preview_->SetViewScale(digits.toInt());
    }
    UpdateFromPreview();
}

bool TPreviewComboBox::AcceptsChar(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\b') || c == QLatin1Char('.');
}

bool TPreviewComboBox::ApplyTypedText() {
    QString digits;
    for (QChar c : lineEdit()->text())
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    if (digits.isEmpty()) {
        if (preview_)
            preview_->PrintUi().ShowMessage(QStringLiteral("Invalid scale value"), this);
        return false;
    }
    const qint64 value = std::min<qint64>(digits.left(9).toLongLong(), MaxViewScale);
    if (preview_) {
        preview_->SetViewMode(vmCustom);
        preview_->SetViewScale(int(value));
    }
    UpdateFromPreview();
    ReturnFocus();
    return true;
}

void TPreviewComboBox::ReturnFocus() {
    if (preview_)
        preview_->setFocus(Qt::OtherFocusReason);
}

bool TPreviewComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ApplyTypedText();
            return true;
        case Qt::Key_Escape:
            RestoreText();
            ReturnFocus();
            return true;
        case Qt::Key_Backspace:
            return false;
        default:
            break;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
            for (QChar c : text)
                if (!AcceptsChar(c))
                    return true; // swallowed
        }
        return false;
    }
    if ((watched == lineEdit() || watched == this) && event->type() == QEvent::FocusOut) {
        if (!hasFocus() && !lineEdit()->hasFocus())
            RestoreText();
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace printing
