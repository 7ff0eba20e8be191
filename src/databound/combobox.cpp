// SPDX-License-Identifier: GPL-3.0-or-later
#include "combobox.h"

#include <QLineEdit>

namespace databound {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent), link_(new FieldLink(this, [this] { showValue(); })) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { link_->write(text); });
    connect(this, &QComboBox::textActivated, this, [this](const QString& text) { link_->write(text); });
    // The inline completion fills in the rest of an entry without an edit
    // signal; what the user leaves in the box is what counts.
    connect(lineEdit(), &QLineEdit::editingFinished, this, &ComboBox::commitShownText);
    // Adding or removing entries moves the combo's own choice and with it
    // the shown text; the record's value is what must show.
    connect(this, &QComboBox::currentIndexChanged, this, &ComboBox::showValue);
}

void ComboBox::bind(DataSource* source, const QString& field) {
    link_->bind(source, field);
}

void ComboBox::setItems(const QStringList& items) {
    clear();
    addItems(items);
    showValue();
}

void ComboBox::commitShownText() {
    if (link_->hasRecord() && currentText() != link_->text())
        link_->write(currentText());
}

QStringList ComboBox::items() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

void ComboBox::showValue() {
    const DataSource* ds = link_->dataSource();
    lineEdit()->setReadOnly(!ds || !ds->isActive());
    // Setting even the same limit again resets the text and the caret.
    if (const int max = link_->maxLength() > 0 ? link_->maxLength() : 32767; max != lineEdit()->maxLength())
        lineEdit()->setMaxLength(max);
    const QString t = link_->text();
    if (currentText() != t)
        setEditText(t);
}

} // namespace databound
