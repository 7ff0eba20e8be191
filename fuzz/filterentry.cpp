// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries.h"

#include "tablestore/filter.h"
#include "tablestore/table.h"
#include "tablestore/tableerror.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzentry {
namespace {

struct Sample {
    QVariant id, deutsch, blank, value;
};

// Nulls, empty texts, letters that fold, and the characters LIKE and the
// literal syntax treat specially.
const Sample kRows[] = {
    {1, QStringLiteral("Haus"), QStringLiteral("groß"), 1.5},
    {2, QStringLiteral("HAUS"), QString(""), -0.25},
    {3, QString(), QStringLiteral("Straße"), QVariant()},
    {QVariant(), QStringLiteral("Äpfel"), QVariant(), 1e300},
    {5, QStringLiteral("O'Neill 100%"), QStringLiteral("a_b"), 0.0},
    {-6, QStringLiteral("😀 עברית"), QStringLiteral("\\n"), 3.0},
    {7, QStringLiteral("haus"), QStringLiteral("Haus"), 7.0},
};

std::vector<ts::FieldDef> definition() {
    std::vector<ts::FieldDef> defs(5);
    defs[0] = {QStringLiteral("ID"), ts::FieldType::Integer, 0, {}, false, {}};
    defs[1] = {QStringLiteral("deutsch"), ts::FieldType::String, 100, {}, false, {}};
    defs[2] = {QStringLiteral("Mit Blank"), ts::FieldType::String, 100, {}, false, {}};
    defs[3] = {QStringLiteral("Wert"), ts::FieldType::Float, 0, {}, false, {}};
    defs[4] = {QStringLiteral("xdeutsch"), ts::FieldType::String, 100, {}, true, {}};
    return defs;
}

ts::TableData sampleData() {
    ts::TableData d;
    d.setFields(definition());
    for (const Sample& s : kRows) {
        const ts::RowId r = d.appendRow();
        d.columns[0].set(r, s.id);
        d.columns[1].set(r, s.deutsch);
        d.columns[2].set(r, s.blank);
        d.columns[3].set(r, s.value);
    }
    d.removeRow(2); // a tombstone the column scans must skip
    return d;
}

QVariant lookedUp(ts::RowId r, int) {
    return r % 3 ? QVariant(QStringLiteral("Bäume")) : QVariant();
}

// The fast paths of select() must agree with evaluating row by row.
void compareSelectWithMatches(const QString& expression, const ts::TableData& d, bool ci) {
    std::unique_ptr<ts::Filter> f;
    try {
        f = std::make_unique<ts::Filter>(expression, d, ci, lookedUp);
    } catch (const ts::TableError&) {
        return;
    }
    std::vector<ts::RowId> live, expected;
    for (ts::RowId r = 0; r < d.rowCount(); ++r)
        if (d.alive[r]) {
            live.push_back(r);
            if (f->matches(r))
                expected.push_back(r);
        }
    if (f->select(live, true) != expected || f->select(live, false) != expected) {
        std::fprintf(stderr, "fuzz entry: select() disagrees with matches()\n");
        std::abort();
    }
}

// The same text as filter, ordering and located field list of a real table.
void throughTable(const QString& text, bool ci) {
    ts::Table t(QStringLiteral("Fuzz"));
    for (const ts::FieldDef& f : definition())
        if (!f.lookup)
            t.addField(f.name, f.type, f.size);
    t.createDataSet();
    for (const Sample& s : kRows) {
        t.insert();
        t.setValue(0, s.id);
        t.setValue(1, s.deutsch);
        t.setValue(2, s.blank);
        t.setValue(3, s.value);
        t.post();
    }
    t.setFilterCaseInsensitive(ci);
    try {
        t.setFilter(text);
        t.setFiltered(true);
    } catch (const ts::TableError&) {}
    try {
        t.setOrder(text);
    } catch (const ts::TableError&) {}
    try {
        t.locate(text, QVariant(QStringLiteral("haus")));
        t.locatePrefix(text, QStringLiteral("h"));
    } catch (const ts::TableError&) {}
    for (t.first(); !t.eof(); t.next())
        (void)t.value(1);
}

} // namespace

void filterExpression(const uint8_t* data, size_t size) {
    if (size == 0)
        return;
    // The first byte chooses the matching; the rest is the expression.
    const bool ci = data[0] & 1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    compareSelectWithMatches(text, sampleData(), ci);
    throughTable(text, ci);
}

} // namespace fuzzentry
