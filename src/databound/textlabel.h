// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fieldlink.h"

#include <QLabel>

namespace databound {

// A label showing one field of the current record, always up to date.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_->dataSource(); }
    QString fieldName() const { return link_->fieldName(); }

private:
    FieldLink* link_;
};

} // namespace databound
