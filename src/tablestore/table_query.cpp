// SPDX-License-Identifier: GPL-3.0-or-later
// Orderings, filters, locating and the indexes behind them.
#include "table.h"
#include "tableerror.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <functional>
#include <unordered_map>

namespace ts {

namespace {

int cmpNum(double a, double b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int cmpVariant(const QVariant& a, const QVariant& b) {
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return text::compareGerman(text::view(a.toString()), text::view(b.toString()));
    return cmpNum(a.toDouble(), b.toDouble());
}

bool sameVariant(const QVariant& a, const QVariant& b) {
    const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn;
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return a.toDouble() == b.toDouble();
}

bool sameValue(const Column& c, RowId r, const QVariant& v) {
    const bool vn = !v.isValid() || v.isNull();
    if (c.null[r] || vn)
        return bool(c.null[r]) == vn;
    switch (c.type) {
    case FieldType::Integer:
        return c.ints[r] == v.toInt();
    case FieldType::Float:
        return c.floats[r] == v.toDouble();
    case FieldType::String:
        return c.strings.get(r) == text::view(v.toString());
    }
    return false;
}
} // namespace

// ------------------------------------------------------------ ordering

int Table::compareField(int field, RowId a, RowId b) const {
    const int ci = data_.columnOf[size_t(field)];
    if (ci < 0)
        return cmpVariant(storedOrLookup(a, field), storedOrLookup(b, field));
    const Column& c = data_.columns[size_t(ci)];
    if (c.null[a] || c.null[b])
        return c.null[a] == c.null[b] ? 0 : (c.null[a] ? -1 : 1);
    switch (c.type) {
    case FieldType::Integer:
        return cmpNum(c.ints[a], c.ints[b]);
    case FieldType::Float:
        return cmpNum(c.floats[a], c.floats[b]);
    case FieldType::String: {
        const int k = c.sortKey(a).compare(c.sortKey(b));
        if (k != 0)
            return k < 0 ? -1 : 1;
        return text::compareTie(c.strings.get(a), c.strings.get(b));
    }
    }
    return 0;
}

bool Table::less(RowId a, RowId b) const {
    for (size_t i = 0; i < orderFields_.size(); ++i) {
        const int c = compareField(orderFields_[i], a, b);
        if (c != 0)
            return orderDown_[i] ? c > 0 : c < 0;
    }
    // Without an ordering the rows stay as added, tie field or not.
    if (tieField_ >= 0 && !orderFields_.empty())
        if (const int c = compareField(tieField_, a, b); c != 0)
            return c < 0;
    return a < b; // ties keep the order of insertion
}

namespace {
// Ten characters of a text sort key from `from` on, six bits each, the
// same coding as the prefix key. `exact` tells whether equal chunks mean
// equal characters (no merged codes and the key ends inside the chunk or
// goes on past it).
struct Chunk {
    uint64_t key = 0;
    bool exact = true;
    bool ended = false;
};

Chunk textChunk(text::View k, size_t from) {
    Chunk c;
    for (size_t i = from; i < from + 10; ++i) {
        uint64_t code = 0;
        if (i < k.size()) {
            const char16_t ch = k[i];
            code = ch < u'0' ? 1 : ch <= u'9' ? 2 + (ch - u'0') : ch < u'a' ? 12 : ch <= u'z' ? 13 + (ch - u'a') : 39;
        } else {
            c.ended = true;
        }
        c.key = (c.key << 6) | code;
        if (code == 1 || code == 12 || code == 39) {
            // A merged code hides which character it was; what follows must
            // not decide the order, so the chunk stops here.
            c.exact = false;
            c.key <<= 6 * (from + 9 - i);
            break;
        }
    }
    return c;
}
} // namespace

namespace {
// The first field's value squeezed into 64 bits that order like the value, so
// most comparisons of a sort are one integer comparison.
uint64_t prefixKey(const Column& c, RowId r) {
    if (c.null[r])
        return 0;
    switch (c.type) {
    case FieldType::Integer:
        return (uint64_t(uint32_t(c.ints[r]) ^ 0x80000000u) << 1) | 1;
    case FieldType::Float: {
        uint64_t bits;
        std::memcpy(&bits, &c.floats[r], sizeof bits);
        bits = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
        return bits == 0 ? 1 : bits; // keep 0 for the empty value
    }
    case FieldType::String: {
        // Rows it cannot tell apart are compared in full.
        return (textChunk(c.sortKey(r), 0).key << 3) | 1;
    }
    }
    return 0;
}
} // namespace

void Table::sortRows(std::vector<RowId>& rows) const {
    std::vector<int32_t> tieRank;
    // A tie field the ordering holds already can break no tie.
    if (tieField_ >= 0 && std::find(orderFields_.begin(), orderFields_.end(), tieField_) == orderFields_.end()) {
        // The tie field's own sequence, sorted once the fast way: a tie then
        // costs one integer comparison instead of comparing two texts.
        std::vector<RowId> byTie = rows;
        sortRowsBy(byTie, {tieField_}, {false}, nullptr);
        tieRank.assign(data_.rowCount(), 0);
        for (size_t i = 0; i < byTie.size(); ++i)
            tieRank[byTie[i]] = int32_t(i);
    }
    sortRowsBy(rows, orderFields_, orderDown_, tieRank.empty() ? nullptr : &tieRank);
}

// `tieRank`, when given, orders what the fields find equal (and holds the
// order of insertion for its own ties); without it, the order of insertion.
void Table::sortRowsBy(std::vector<RowId>& rows, const std::vector<int>& fields, const std::vector<bool>& downs,
                       const std::vector<int32_t>* tieRank) const {
    const auto tie = [tieRank](RowId a, RowId b) { return tieRank ? (*tieRank)[a] < (*tieRank)[b] : a < b; };
    const int ci = data_.columnOf[size_t(fields.front())];
    if (ci < 0) {
        std::sort(rows.begin(), rows.end(), [&](RowId a, RowId b) {
            for (size_t i = 0; i < fields.size(); ++i)
                if (const int c = compareField(fields[i], a, b); c != 0)
                    return downs[i] ? c > 0 : c < 0;
            return tie(a, b);
        });
        return;
    }
    const Column& c = data_.columns[size_t(ci)];
    struct Keyed {
        uint64_t key;
        RowId row;
    };
    // Downwards, the keys are turned over: the largest sorts first.
    const bool down = downs.front();
    const auto turned = [down](uint64_t key) { return down ? ~key : key; };
    std::vector<Keyed> keyed(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keyed[i] = Keyed{turned(prefixKey(c, rows[i])), rows[i]};
    const bool isText = c.type == FieldType::String;
    auto full = [&](const Keyed& a, const Keyed& b) {
        if (a.key != b.key)
            return a.key < b.key;
        int k = 0;
        if (c.null[a.row] != c.null[b.row])
            k = c.null[a.row] ? -1 : 1;
        else if (!c.null[a.row])
            k = isText ? c.sortKey(a.row).compare(c.sortKey(b.row)) : compareField(fields.front(), a.row, b.row);
        if (k == 0 && isText && !c.null[a.row])
            k = text::compareTie(c.strings.get(a.row), c.strings.get(b.row));
        if (down)
            k = -k;
        for (size_t f = 1; k == 0 && f < fields.size(); ++f) {
            k = compareField(fields[f], a.row, b.row);
            if (downs[f])
                k = -k;
        }
        return k != 0 ? k < 0 : tie(a.row, b.row);
    };
    if (!isText) {
        std::sort(keyed.begin(), keyed.end(), full);
    } else {
        // Texts: sort by ten characters at a time. Rows that tie on a chunk
        // which spells the same characters are refined by the next chunk;
        // only rows whose keys cannot be told apart that way get the full
        // comparison with its slow look-ups.
        std::function<void(Keyed*, Keyed*, size_t)> refine = [&](Keyed* b, Keyed* e, size_t level) {
            std::sort(b, e, [](const Keyed& x, const Keyed& y) { return x.key < y.key; });
            for (Keyed* run = b; run < e;) {
                Keyed* end = run + 1;
                while (end < e && end->key == run->key)
                    ++end;
                if (end - run > 1) {
                    bool deeper = !c.null[run->row] && level < 10;
                    if (deeper) {
                        const Chunk probe = textChunk(c.sortKey(run->row), level * 10);
                        deeper = probe.exact && !probe.ended;
                    }
                    if (deeper) {
                        for (Keyed* k = run; k < end; ++k)
                            k->key = turned(textChunk(c.sortKey(k->row), (level + 1) * 10).key);
                        refine(run, end, level + 1);
                    } else {
                        std::sort(run, end, full);
                    }
                }
                run = end;
            }
        };
        refine(keyed.data(), keyed.data() + keyed.size(), 0);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].row;
}

std::vector<RowId> Table::allRowsAscending() const {
    std::vector<RowId> rows;
    rows.reserve(data_.aliveCount);
    for (RowId r = 0; r < data_.rowCount(); ++r)
        if (data_.alive[r])
            rows.push_back(r);
    return rows;
}

std::pair<QString, bool> Table::orderPart(const QString& part) {
    const QString name = part.trimmed();
    static const QString kDown = QStringLiteral(" DESC");
    if (name.endsWith(kDown, Qt::CaseInsensitive))
        return {name.chopped(kDown.size()).trimmed(), true};
    return {name, false};
}

void Table::setOrder(const QString& fieldList, const QString& tieBreak) {
    std::vector<int> resolved;
    std::vector<bool> down;
    for (const QString& n : fieldList.split(u';', Qt::SkipEmptyParts)) {
        const auto [name, isDown] = orderPart(n);
        if (name.isEmpty())
            continue;
        resolved.push_back(field(name));
        down.push_back(isDown);
    }
    const QString tie = tieBreak.trimmed();
    const int tieField = tie.isEmpty() ? -1 : field(tie);
    if (isOpen())
        settle();
    orderText_ = fieldList;
    orderFields_ = std::move(resolved);
    orderDown_ = std::move(down);
    tieText_ = tie;
    tieField_ = tieField;
    if (isOpen())
        rebuildView(true, true);
}

void Table::setTieBreak(const QString& fieldName) {
    if (fieldName.trimmed() == tieText_)
        return;
    setOrder(orderText_, fieldName);
}

// `resort` only when the ordering or the rows changed wholesale; posts and
// deletes keep ordered_ sorted themselves, so switching a filter never sorts.
void Table::rebuildView(bool keepCurrent, bool resort) {
    const auto& before = filtered_ && filter_ ? view_ : ordered_;
    const bool hadRow = keepCurrent && cur_ >= 0 && size_t(cur_) < before.size();
    const RowId keep = hadRow ? before[size_t(cur_)] : 0;

    if (resort) {
        ordered_ = allRowsAscending();
        if (!orderFields_.empty())
            sortRows(ordered_);
    }
    view_.clear();
    if (filtered_ && filter_)
        fillView(filter_->select(allRowsAscending(), true));
    posValid_ = false;
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    cur_ = v.empty() ? -1 : 0;
    if (hadRow) {
        ensureViewPositions();
        if (posOfRow_[keep] >= 0)
            cur_ = posOfRow_[keep];
    }
    bof_ = cur_ <= 0;
    eof_ = v.empty();
    emit layoutChanged();
    emit currentChanged();
}

void Table::placeRow(RowId row, bool isNew) {
    const int oldCur = cur_;
    if (!isNew)
        ordered_.erase(std::find(ordered_.begin(), ordered_.end(), row));
    auto cmp = [this](RowId a, RowId b) { return less(a, b); };
    auto vcmp = [this](RowId a, RowId b) { return viewLess(a, b); };
    ordered_.insert(std::lower_bound(ordered_.begin(), ordered_.end(), row, cmp), row);
    auto* v = &ordered_;
    if (filtered_ && filter_) {
        v = &view_;
        if (!isNew) {
            auto it = std::find(view_.begin(), view_.end(), row);
            if (it != view_.end())
                view_.erase(it);
        }
        if (filter_->matches(row))
            view_.insert(std::lower_bound(view_.begin(), view_.end(), row, vcmp), row);
    }
    posValid_ = false;
    const auto it = v == &view_ ? std::lower_bound(v->begin(), v->end(), row, vcmp)
                                : std::lower_bound(v->begin(), v->end(), row, cmp);
    if (it != v->end() && *it == row)
        cur_ = int(it - v->begin());
    else // the saved record no longer passes the filter: stay near its place
        cur_ = std::min(std::max(oldCur, 0), int(v->size()) - 1);
    bof_ = eof_ = v->empty();
}

// ------------------------------------------------------------ filter

void Table::compileFilter(const QString& text, bool ci) {
    TableData shape;
    const TableData* data = &data_;
    if (!isOpen()) {
        shape.setFields(defined_);
        data = &shape;
    }
    auto f = std::make_unique<Filter>(text, *data, ci, [this](RowId r, int fld) { return storedOrLookup(r, fld); });
    if (isOpen())
        filter_ = std::move(f);
}

void Table::setFilter(const QString& expression) {
    compileFilter(expression, filterCi_); // throws before anything changes
    if (isOpen())
        settle();
    if (expression != filterText_) {
        // A ranking belongs to the search it was made for.
        rankField_ = -1;
        rankFieldName_.clear();
        rankText_.clear();
    }
    filterText_ = expression;
    if (isOpen() && filtered_)
        rebuildView(false, false);
}

void Table::setFiltered(bool on) {
    if (isOpen())
        settle();
    filtered_ = on;
    if (isOpen())
        rebuildView(false, false);
}

void Table::setFilterCaseInsensitive(bool on) {
    if (on == filterCi_)
        return;
    if (isOpen()) {
        settle();
        compileFilter(filterText_, on);
    }
    filterCi_ = on;
    if (isOpen() && filtered_)
        rebuildView(false, false);
}

// ------------------------------------------------------------ locate and lookups

void Table::ensureViewPositions() const {
    if (posValid_)
        return;
    posOfRow_.assign(data_.rowCount(), -1);
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    for (size_t i = 0; i < v.size(); ++i)
        posOfRow_[v[i]] = int32_t(i);
    posValid_ = true;
}

const Table::IntIndex& Table::intIndex(int column) const {
    auto& slot = indexes_[column];
    if (!slot) {
        slot = std::make_unique<IntIndex>();
        const Column& c = data_.columns[size_t(column)];
        slot->map.reserve(data_.aliveCount);
        for (RowId r = 0; r < data_.rowCount(); ++r)
            if (data_.alive[r] && !c.null[r])
                slot->map.emplace(c.ints[r], r);
    }
    return *slot;
}

void Table::indexRow(RowId row, bool add) {
    for (auto& [column, idx] : indexes_) {
        if (!idx)
            continue;
        const Column& c = data_.columns[size_t(column)];
        if (c.null[row])
            continue;
        if (add) {
            idx->map.emplace(c.ints[row], row);
            continue;
        }
        auto [b, e] = idx->map.equal_range(c.ints[row]);
        for (auto it = b; it != e; ++it)
            if (it->second == row) {
                idx->map.erase(it);
                break;
            }
    }
}

bool Table::locate(const QString& fieldList, const QVariantList& values) {
    requireOpen();
    settle();
    std::vector<int> fs;
    if (!fieldList.contains(u';'))
        fs.push_back(field(fieldList.trimmed()));
    else
        for (const QString& n : fieldList.split(u';', Qt::SkipEmptyParts))
            fs.push_back(field(n.trimmed()));
    if (fs.empty() || fs.size() != size_t(values.size()))
        throw TableError(tr("Suche in '%1': %2 Felder, aber %3 Werte.").arg(name_).arg(fs.size()).arg(values.size()));
    QVariantList vals;
    for (size_t i = 0; i < fs.size(); ++i) {
        try {
            vals.push_back(convertForField(data_.fields[size_t(fs[i])], values[qsizetype(i)]));
        } catch (const TableError&) {
            return false; // a value of the wrong kind matches nothing
        }
    }
    auto matchesRow = [&](RowId r, size_t from) {
        for (size_t i = from; i < fs.size(); ++i) {
            const int ci = data_.columnOf[size_t(fs[i])];
            const bool same = ci >= 0 ? sameValue(data_.columns[size_t(ci)], r, vals[qsizetype(i)])
                                      : sameVariant(storedOrLookup(r, fs[i]), vals[qsizetype(i)]);
            if (!same)
                return false;
        }
        return true;
    };
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    int found = -1;
    const int c0 = data_.columnOf[size_t(fs[0])];
    if (c0 >= 0 && data_.columns[size_t(c0)].type == FieldType::Integer && vals[0].isValid()) {
        ensureViewPositions();
        auto [b, e] = intIndex(c0).map.equal_range(vals[0].toInt());
        for (auto it = b; it != e; ++it) {
            const int pos = posOfRow_[it->second];
            if (pos >= 0 && (found < 0 || pos < found) && matchesRow(it->second, 1))
                found = pos;
        }
    } else {
        for (size_t i = 0; i < v.size(); ++i)
            if (matchesRow(v[i], 0)) {
                found = int(i);
                break;
            }
    }
    if (found < 0)
        return false;
    bof_ = eof_ = false;
    setCursor(found);
    return true;
}

bool Table::locatePrefix(const QString& fieldName, const QString& prefix) {
    requireOpen();
    settle();
    const int f = field(fieldName);
    const std::u16string want = text::lowered(text::view(prefix));
    const auto& v = filtered_ && filter_ ? view_ : ordered_;
    const int ci = data_.columnOf[size_t(f)];
    const bool textColumn = ci >= 0 && data_.columns[size_t(ci)].type == FieldType::String;
    for (size_t i = 0; i < v.size(); ++i) {
        bool hit;
        if (textColumn) {
            const Column& c = data_.columns[size_t(ci)];
            hit = !c.null[v[i]] && c.foldedText().row(v[i]).starts_with(want);
        } else {
            hit = text::lowered(text::view(storedOrLookup(v[i], f).toString())).starts_with(want);
        }
        if (hit) {
            bof_ = eof_ = false;
            setCursor(int(i));
            return true;
        }
    }
    return false;
}

QVariant Table::lookup(int keyField, const QVariant& key, int resultField) const {
    if (!isOpen() || keyField < 0 || resultField < 0 || size_t(keyField) >= data_.fields.size() ||
        size_t(resultField) >= data_.fields.size())
        return {};
    QVariant k;
    try {
        k = convertForField(data_.fields[size_t(keyField)], key);
    } catch (const TableError&) {
        return {};
    }
    if (!k.isValid())
        return {};
    const int ci = data_.columnOf[size_t(keyField)];
    if (ci >= 0 && data_.columns[size_t(ci)].type == FieldType::Integer) {
        auto [b, e] = intIndex(ci).map.equal_range(k.toInt());
        bool any = false;
        RowId best = 0;
        for (auto it = b; it != e; ++it)
            if (!any || it->second < best) {
                best = it->second;
                any = true;
            }
        return any ? storedOrLookup(best, resultField) : QVariant();
    }
    for (RowId r = 0; r < data_.rowCount(); ++r)
        if (data_.alive[r] && cmpVariant(storedOrLookup(r, keyField), k) == 0)
            return storedOrLookup(r, resultField);
    return {};
}

QVariant Table::lookupFor(int field, const QVariant& key) const {
    const LookupDef& d = data_.fields[size_t(field)].lookupDef;
    if (!d.source)
        return {};
    return d.source->lookup(d.source->fieldIndex(d.sourceKeyField), key, d.source->fieldIndex(d.resultField));
}

QVariant Table::storedOrLookup(RowId row, int field) const {
    const int ci = data_.columnOf[size_t(field)];
    if (ci >= 0)
        return data_.columns[size_t(ci)].get(row);
    const int key = fieldIndex(data_.fields[size_t(field)].lookupDef.keyField);
    return key < 0 ? QVariant() : lookupFor(field, storedOrLookup(row, key));
}

int Table::countOf(const QString& name, const QVariant& value) const {
    const int f = field(name);
    if (!isOpen())
        return 0;
    QVariant v;
    try {
        v = convertForField(data_.fields[size_t(f)], value);
    } catch (const TableError&) {
        return 0; // a value of the wrong kind matches nothing
    }
    const int ci = data_.columnOf[size_t(f)];
    if (ci >= 0 && data_.columns[size_t(ci)].type == FieldType::Integer && v.isValid())
        return int(intIndex(ci).map.count(v.toInt()));
    int n = 0;
    for (RowId r = 0; r < data_.rowCount(); ++r)
        if (data_.alive[r] && sameVariant(storedOrLookup(r, f), v))
            ++n;
    return n;
}

int Table::maxInteger(const QString& name) const {
    const int f = field(name);
    const int ci = data_.columnOf[size_t(f)];
    int best = 0;
    bool any = false;
    for (RowId r = 0; r < data_.rowCount(); ++r) {
        if (!data_.alive[r])
            continue;
        const QVariant v = ci >= 0 ? data_.columns[size_t(ci)].get(r) : storedOrLookup(r, f);
        if (v.isValid() && (!any || v.toInt() > best)) {
            best = v.toInt();
            any = true;
        }
    }
    return best;
}

} // namespace ts
