// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fieldlink.h"

#include <QLineEdit>

namespace databound {

// A line edit showing one field of the current record. Typing puts the record
// into editing and stores the text as it is typed; the field's size limits
// the input. A refused change is reported and the stored value shown again.
class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return link_->dataSource(); }
    QString fieldName() const { return link_->fieldName(); }

    // Read-only by choice; the edit is also read-only while its table is closed.
    void setReadOnly(bool on);

private:
    void showValue();

    FieldLink* link_;
    bool readOnly_ = false;
};

} // namespace databound
