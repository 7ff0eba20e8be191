// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit.h"

namespace databound {

Edit::Edit(QWidget* parent) : QLineEdit(parent), link_(new FieldLink(this, [this] { showValue(); })) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { link_->write(text); });
}

void Edit::bind(DataSource* source, const QString& field) {
    link_->bind(source, field);
}

void Edit::setReadOnly(bool on) {
    readOnly_ = on;
    showValue();
}

void Edit::showValue() {
    const DataSource* ds = link_->dataSource();
    QLineEdit::setReadOnly(readOnly_ || !ds || !ds->isActive());
    // Setting even the same limit again resets the text and the caret.
    if (const int max = link_->maxLength() > 0 ? link_->maxLength() : 32767; max != maxLength())
        setMaxLength(max);
    const QString t = link_->text();
    if (text() != t)
        setText(t); // only when different: the caret stays where the user types
}

} // namespace databound
