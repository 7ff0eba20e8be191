// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace databound {

// The link between one table and the controls that show it. Controls never
// listen to the table itself: switching the link off (setEnabled(false))
// silences every control bound here at once, so a bulk pass can move the
// cursor over all records without a single redraw. Switching it on again
// makes every control show the record that is current by then.
//
// While off, the controls keep showing what they showed and refuse input.
// Several data sources may share one table; each has its own link.
class DataSource : public QObject {
    Q_OBJECT
public:
    using ErrorHandler = std::function<void(const QString& message)>;

    explicit DataSource(ts::Table* table = nullptr, QObject* parent = nullptr);

    ts::Table* table() const { return table_; }
    void setTable(ts::Table* table);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on);

    // Bound to an open table and linked: the controls show its records.
    bool isActive() const { return enabled_ && table_ && table_->isOpen(); }
    // The field's number, -1 when the table is closed or has no such field.
    int fieldIndex(const QString& name) const;

    // Where engine errors raised by the user's typing or clicking are shown
    // (the window's message box). Without one they go to the debug log.
    void setErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }
    void reportError(const QString& message) const;

    // Runs `op` on the table; a refused operation is reported and gives false.
    bool guard(const std::function<void(ts::Table&)>& op) const;

    // Puts the current record into editing (a new one in an empty table)
    // and stores `value` in `field`. Reported and false when refused.
    bool writeField(int field, const QVariant& value);

    // Makes the record at `viewIndex` current, counted in the view as it was
    // before a pending record is settled: when that save moves the record
    // (or drops it from the filter), the index is corrected so the record
    // the user pointed at becomes current, not whichever took its place.
    bool moveTo(int viewIndex);

signals:
    void layoutChanged();
    void currentChanged();
    void valueChanged(int field);
    // Everything may differ: after the link was switched on or the table replaced.
    void reset();
    void enabledChanged(bool on);

private:
    void connectTable();

    QPointer<ts::Table> table_;
    bool enabled_ = true;
    ErrorHandler onError_;
    QList<QMetaObject::Connection> connections_;
};

} // namespace databound
