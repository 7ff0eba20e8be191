// SPDX-License-Identifier: GPL-3.0-or-later
#include "datasource.h"
#include "tablestore/tableerror.h"

#include <QDebug>

namespace databound {

DataSource::DataSource(ts::Table* table, QObject* parent) : QObject(parent), table_(table) {
    connectTable();
}

void DataSource::setTable(ts::Table* table) {
    if (table == table_)
        return;
    table_ = table;
    connectTable();
    emit reset();
}

void DataSource::connectTable() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    if (!table_)
        return;
    // Relayed only while linked; a silenced pass is caught up by reset().
    // Row by row changes of a bulk insert are not relayed either: the end of
    // the insert reorders the table and says so once, so a view bound to a
    // table that gains 200,000 rows is rebuilt once, not 200,000 times.
    connections_ << connect(table_, &ts::Table::layoutChanged, this, [this] {
        if (enabled_)
            emit layoutChanged();
    });
    connections_ << connect(table_, &ts::Table::currentChanged, this, [this] {
        if (enabled_ && !table_->inBulkInsert())
            emit currentChanged();
    });
    connections_ << connect(table_, &ts::Table::valueChanged, this, [this](int field) {
        if (enabled_ && !table_->inBulkInsert())
            emit valueChanged(field);
    });
    connections_ << connect(table_, &QObject::destroyed, this, [this] { emit reset(); });
}

void DataSource::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    // Switching off leaves every view as it is (frozen, not blanked: a
    // dialog that detaches must not make the window behind it flicker).
    if (on)
        emit reset();
    emit enabledChanged(on);
}

int DataSource::fieldIndex(const QString& name) const {
    return table_ && table_->isOpen() ? table_->fieldIndex(name) : -1;
}

void DataSource::reportError(const QString& message) const {
    if (onError_)
        onError_(message);
    else
        qWarning().noquote() << message;
}

bool DataSource::guard(const std::function<void(ts::Table&)>& op) const {
    if (!table_)
        return false;
    try {
        op(*table_);
        return true;
    } catch (const ts::TableError& e) {
        reportError(e.message());
        return false;
    }
}

bool DataSource::writeField(int field, const QVariant& value) {
    if (!isActive() || field < 0)
        return false;
    return guard([&](ts::Table& t) {
        if (t.state() == ts::Table::State::Browse)
            t.edit();
        t.setValue(field, value);
    });
}

bool DataSource::moveTo(int viewIndex) {
    if (!isActive())
        return false;
    return guard([&](ts::Table& t) {
        using State = ts::Table::State;
        int target = viewIndex;
        if (t.state() != State::Browse) {
            const bool inserting = t.state() == State::Insert;
            const bool willPost = t.isModified();
            const int editedAt = t.currentIndex();
            const int before = t.recordCount();
            t.settle();
            if (willPost) {
                const int after = t.recordCount();
                const int placedAt = t.currentIndex();
                if (inserting && after == before + 1) {
                    if (target >= placedAt)
                        ++target;
                } else if (!inserting && target == editedAt) {
                    target = after == before ? placedAt : std::min(editedAt, after - 1);
                } else if (!inserting) {
                    if (target > editedAt)
                        --target; // as if the saved record had left its place...
                    if (after == before && target >= placedAt)
                        ++target; // ...and come back at its new one
                }
            }
        }
        if (target + 1 != t.recNo())
            t.setRecNo(target + 1);
    });
}

} // namespace databound
