// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fieldlink.h"

#include <QComboBox>

namespace databound {

// An editable drop-down showing one text field of the current record. The
// window fills the entries; typing or choosing one stores the text in the
// record, as the edit does. Changing the entries never changes the field.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_->dataSource(); }
    QString fieldName() const { return link_->fieldName(); }

    void setItems(const QStringList& items);
    QStringList items() const;
    // Stores the text as the box shows it, a completion included; for keys
    // that act on the record before the box itself has seen them.
    void commitShownText();

private:
    void showValue();

    FieldLink* link_;
};

} // namespace databound
