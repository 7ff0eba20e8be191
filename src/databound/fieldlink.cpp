// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldlink.h"

namespace databound {

FieldLink::FieldLink(QObject* owner, std::function<void()> refresh) : QObject(owner), refresh_(std::move(refresh)) {}

void FieldLink::bind(DataSource* source, const QString& fieldName) {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    fieldName_ = fieldName;
    if (source_) {
        connections_ << connect(source_, &DataSource::layoutChanged, this, &FieldLink::changed);
        connections_ << connect(source_, &DataSource::currentChanged, this, &FieldLink::changed);
        connections_ << connect(source_, &DataSource::reset, this, &FieldLink::changed);
        connections_ << connect(source_, &DataSource::valueChanged, this, [this](int f) {
            // A looked-up field changes with its key field, and the table
            // names that change itself; comparing numbers is enough.
            if (f == field())
                changed();
        });
        connections_ << connect(source_, &QObject::destroyed, this, &FieldLink::changed);
    }
    changed();
}

void FieldLink::changed() {
    if (!writing_)
        refresh_();
}

int FieldLink::field() const {
    return source_ ? source_->fieldIndex(fieldName_) : -1;
}

bool FieldLink::hasRecord() const {
    // The open table, not the link: a control refreshed while the link is
    // off (after refused input) shows the record rather than going blank.
    if (!source_ || !source_->table() || !source_->table()->isOpen())
        return false;
    const ts::Table& t = *source_->table();
    return t.state() == ts::Table::State::Insert || t.currentIndex() >= 0;
}

QVariant FieldLink::value() const {
    const int f = field();
    if (f < 0 || !hasRecord())
        return {};
    try {
        return source_->table()->value(f);
    } catch (...) {
        return {};
    }
}

int FieldLink::maxLength() const {
    if (!source_ || !source_->table())
        return 0;
    const ts::Table& t = *source_->table();
    const int f = t.fieldIndex(fieldName_);
    if (f < 0)
        return 0;
    const ts::FieldDef& def = t.fields()[size_t(f)];
    return def.type == ts::FieldType::String ? def.size : 0;
}

bool FieldLink::write(const QVariant& value) {
    if (!source_)
        return false;
    writing_ = true;
    const bool ok = source_->writeField(field(), value);
    writing_ = false;
    refresh_();
    return ok;
}

} // namespace databound
