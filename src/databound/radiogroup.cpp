// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace databound {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), link_(new FieldLink(this, [this] { showValue(); })), group_(new QButtonGroup(this)) {
    new QGridLayout(this);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::chosen);
}

void RadioGroup::bind(DataSource* source, const QString& field) {
    link_->bind(source, field);
}

void RadioGroup::setItems(const QStringList& captions) {
    items_ = captions;
    arrange();
}

void RadioGroup::setColumns(int columns) {
    columns_ = std::max(1, columns);
    arrange();
}

void RadioGroup::setStores(Stores stores) {
    stores_ = stores;
    showValue();
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::arrange() {
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    const int perColumn = std::max(1, int((items_.size() + columns_ - 1) / columns_));
    for (qsizetype i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], this);
        group_->addButton(b, int(i));
        grid->addWidget(b, int(i) % perColumn, int(i) / perColumn);
    }
    showValue();
}

void RadioGroup::showValue() {
    const QVariant v = link_->value();
    int index = -1;
    if (stores_ == Stores::Caption) {
        index = v.isNull() ? -1 : int(items_.indexOf(v.toString()));
    } else {
        bool ok = false;
        const int n = v.toInt(&ok);
        index = ok && !v.isNull() && n >= 1 && n <= items_.size() ? n - 1 : -1;
    }
    if (index == group_->checkedId())
        return;
    if (index >= 0) {
        group_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last button.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(false);
    group_->setExclusive(true);
}

void RadioGroup::chosen(int index) {
    const QVariant value = stores_ == Stores::Caption ? QVariant(items_.value(index)) : QVariant(index + 1);
    const QVariant stored = link_->value();
    if (stored.isNull() || stored.toString() != value.toString()) // a click on the checked one changes nothing
        link_->write(value);
    else
        showValue();
    emit itemClicked(index);
}

} // namespace databound
