// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fieldlink.h"

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace databound {

// A titled group of radio buttons in columns (filled column by column) for
// one field of the current record. The field holds either the caption of the
// chosen button or its number counted from 1. A value that matches no button
// checks none; choosing a button stores its value at once.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    enum class Stores { Caption, Number };

    explicit RadioGroup(QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_->dataSource(); }
    QString fieldName() const { return link_->fieldName(); }

    void setItems(const QStringList& captions);
    const QStringList& items() const { return items_; }
    void setColumns(int columns);
    int columns() const { return columns_; }
    void setStores(Stores stores);
    Stores stores() const { return stores_; }

    int itemIndex() const; // the checked button, -1 for none
    QRadioButton* button(int index) const;

signals:
    void itemClicked(int index);

private:
    void arrange();
    void showValue();
    void chosen(int index);

    FieldLink* link_;
    QButtonGroup* group_;
    QStringList items_;
    int columns_ = 1;
    Stores stores_ = Stores::Caption;
};

} // namespace databound
