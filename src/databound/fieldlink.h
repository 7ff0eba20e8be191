// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datasource.h"

#include <QPointer>

namespace databound {

// What every single-field control shares: the binding to one field of a data
// source, the current value, and writing the user's input into the record.
// The control gives a refresh function that shows value(); it is called
// whenever the shown value may have changed, except in the middle of the
// control's own write (so the text the user is typing is not reset under the
// caret), and once after that write.
class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(QObject* owner, std::function<void()> refresh);

    void bind(DataSource* source, const QString& fieldName);
    DataSource* dataSource() const { return source_; }
    const QString& fieldName() const { return fieldName_; }

    int field() const; // -1 when unbound, closed or unknown
    // A record to show: the table is open and has a current or new record.
    bool hasRecord() const;
    QVariant value() const; // invalid without a record
    QString text() const { return value().toString(); }
    // The field's size for a text field, 0 for none (also while closed).
    int maxLength() const;

    // Writes into the current record (starting the edit); false when refused,
    // the message reported and the record unchanged.
    bool write(const QVariant& value);

private:
    void changed();

    std::function<void()> refresh_;
    QPointer<DataSource> source_;
    QString fieldName_;
    bool writing_ = false;
    QList<QMetaObject::Connection> connections_;
};

} // namespace databound
