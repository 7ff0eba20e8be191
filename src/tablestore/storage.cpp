// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage.h"
#include "tableerror.h"

#include <QCoreApplication>
#include <cmath>

namespace ts {

void StringPool::clear() {
    pool_.clear();
    off_.clear();
    len_.clear();
    garbage_ = 0;
}

void StringPool::reserve(size_t rows, size_t chars) {
    off_.reserve(rows);
    len_.reserve(rows);
    pool_.reserve(chars);
}

void StringPool::push(text::View v) {
    off_.push_back(uint32_t(pool_.size()));
    len_.push_back(uint32_t(v.size()));
    pool_.insert(pool_.end(), v.begin(), v.end());
}

void StringPool::set(RowId r, text::View v) {
    if (v.size() <= len_[r]) {
        // Fits in place: no garbage, no reallocation.
        std::copy(v.begin(), v.end(), pool_.begin() + off_[r]);
        garbage_ += len_[r] - v.size();
        len_[r] = uint32_t(v.size());
        return;
    }
    garbage_ += len_[r];
    off_[r] = uint32_t(pool_.size());
    len_[r] = uint32_t(v.size());
    if (v.data() >= pool_.data() && v.data() < pool_.data() + pool_.size()) {
        // v points into pool_ itself; copy it before the buffer can move.
        const std::u16string copy(v);
        pool_.insert(pool_.end(), copy.begin(), copy.end());
    } else {
        pool_.insert(pool_.end(), v.begin(), v.end());
    }
    compactIfWasteful();
}

void StringPool::compactIfWasteful() {
    if (garbage_ < 4096 || garbage_ * 2 < pool_.size())
        return;
    std::vector<char16_t> fresh;
    fresh.reserve(pool_.size() - garbage_);
    for (size_t r = 0; r < off_.size(); ++r) {
        const uint32_t o = uint32_t(fresh.size());
        fresh.insert(fresh.end(), pool_.begin() + off_[r], pool_.begin() + off_[r] + len_[r]);
        off_[r] = o;
    }
    pool_.swap(fresh);
    garbage_ = 0;
}

void StringPool::shrink() {
    pool_.shrink_to_fit();
    off_.shrink_to_fit();
    len_.shrink_to_fit();
}

size_t StringPool::bytes() const {
    return pool_.capacity() * sizeof(char16_t) + (off_.capacity() + len_.capacity()) * 4;
}

void Column::pushNull() {
    null.push_back(1);
    switch (type) {
    case FieldType::Integer:
        ints.push_back(0);
        break;
    case FieldType::Float:
        floats.push_back(0);
        break;
    case FieldType::String:
        strings.push({});
        break;
    }
    if (folded.valid)
        folded.valid = false;
    if (sortKeysValid)
        sortKeys.push({});
}

QVariant Column::get(RowId r) const {
    if (null[r])
        return {};
    switch (type) {
    case FieldType::Integer:
        return ints[r];
    case FieldType::Float:
        return floats[r];
    case FieldType::String:
        return text::toQString(strings.get(r));
    }
    return {};
}

void Column::set(RowId r, const QVariant& v) {
    const bool isNull = !v.isValid() || v.isNull();
    null[r] = isNull ? 1 : 0;
    switch (type) {
    case FieldType::Integer:
        ints[r] = isNull ? 0 : v.toInt();
        break;
    case FieldType::Float:
        floats[r] = isNull ? 0 : v.toDouble();
        break;
    case FieldType::String: {
        const QString s = isNull ? QString() : v.toString();
        strings.set(r, text::view(s));
        folded.valid = false;
        if (sortKeysValid) {
            std::u16string key;
            text::appendPrimaryKey(key, text::view(s));
            sortKeys.set(r, key);
        }
        break;
    }
    }
}

const FoldedText& Column::foldedText() const {
    if (folded.valid)
        return folded;
    const size_t n = strings.rows();
    std::u16string buf;
    folded.chars.clear();
    folded.start.resize(n + 1);
    for (size_t r = 0; r < n; ++r) {
        folded.start[r] = uint32_t(folded.chars.size());
        buf.clear();
        text::appendLower(buf, strings.get(RowId(r)));
        folded.chars.insert(folded.chars.end(), buf.begin(), buf.end());
        folded.chars.push_back(0);
    }
    folded.start[n] = uint32_t(folded.chars.size());
    folded.valid = true;
    return folded;
}

text::View Column::sortKey(RowId r) const {
    if (!sortKeysValid) {
        sortKeys.clear();
        std::u16string key;
        for (size_t i = 0; i < strings.rows(); ++i) {
            key.clear();
            text::appendPrimaryKey(key, strings.get(RowId(i)));
            sortKeys.push(key);
        }
        sortKeysValid = true;
    }
    return sortKeys.get(r);
}

void Column::invalidateCaches() {
    folded = FoldedText{};
    sortKeys.clear();
    sortKeysValid = false;
}

void TableData::setFields(std::vector<FieldDef> defs) {
    fields = std::move(defs);
    columnOf.assign(fields.size(), -1);
    columns.clear();
    alive.clear();
    aliveCount = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].lookup)
            continue;
        columnOf[i] = int(columns.size());
        Column c;
        c.type = fields[i].type;
        columns.push_back(std::move(c));
    }
}

RowId TableData::appendRow() {
    for (auto& c : columns)
        c.pushNull();
    alive.push_back(1);
    ++aliveCount;
    return RowId(alive.size() - 1);
}

void TableData::removeRow(RowId r) {
    if (alive[r]) {
        alive[r] = 0;
        --aliveCount;
    }
}

void TableData::shrink() {
    alive.shrink_to_fit();
    for (auto& c : columns) {
        c.null.shrink_to_fit();
        c.ints.shrink_to_fit();
        c.floats.shrink_to_fit();
        c.strings.shrink();
    }
}

size_t TableData::bytes() const {
    size_t b = alive.capacity();
    for (const auto& c : columns) {
        b += c.null.capacity() + c.ints.capacity() * 4 + c.floats.capacity() * 8 + c.strings.bytes();
        b += c.folded.chars.capacity() * 2 + c.folded.start.capacity() * 4 + c.sortKeys.bytes();
    }
    return b;
}

QVariant convertForField(const FieldDef& f, const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return {};
    switch (f.type) {
    case FieldType::String:
        return v.toString();
    case FieldType::Integer: {
        bool ok = false;
        const int i = v.typeId() == QMetaType::QString ? v.toString().trimmed().toInt(&ok) : v.toInt(&ok);
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            ok = std::isfinite(d) && d == std::floor(d) && d >= INT32_MIN && d <= INT32_MAX;
        }
        if (!ok) {
            if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
                return {};
            throw TableError(QCoreApplication::translate("ts", "'%1' ist keine gültige ganze Zahl für das Feld '%2'.")
                                 .arg(v.toString(), f.name));
        }
        return i;
    }
    case FieldType::Float: {
        bool ok = false;
        double d = 0;
        if (v.typeId() == QMetaType::QString) {
            QString s = v.toString().trimmed();
            if (s.isEmpty())
                return {};
            d = s.toDouble(&ok);
            if (!ok)
                d = s.replace(u',', u'.').toDouble(&ok);
        } else {
            d = v.toDouble(&ok);
        }
        if (!ok || !std::isfinite(d))
            throw TableError(QCoreApplication::translate("ts", "'%1' ist keine gültige Zahl für das Feld '%2'.")
                                 .arg(v.toString(), f.name));
        return d;
    }
    }
    return {};
}

} // namespace ts
