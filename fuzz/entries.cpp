// SPDX-License-Identifier: GPL-3.0-or-later
#include "entries.h"

#include "core/database.h"
#include "core/settingsfile.h"
#include "core/vocabularyfile.h"
#include "tablestore/table.h"
#include "tablestore/tableerror.h"
#include "tablestore/tableio.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzentry {
namespace {

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "fuzz entry: %s\n", what);
    std::abort();
}

QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

ts::TableData readBack(const QByteArray& saved, const char* form) {
    try {
        return ts::io::read(saved);
    } catch (const ts::TableError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fault(form);
    }
}

// What was saved must load again and save to the same bytes. (The first save
// may normalise: XML cannot carry NUL or a lone half of a surrogate pair.)
void checkRoundTrips(const ts::TableData& data) {
    const QByteArray xml = ts::io::writeXml(data);
    if (ts::io::writeXml(readBack(xml, "XML form does not load back")) != xml)
        fault("XML form changed on reload");
    const QByteArray compact = ts::io::writeCompact(data);
    if (ts::io::writeCompact(readBack(compact, "compact form does not load back")) != compact)
        fault("compact form changed on reload");
}

// A definition like the program's own tables, so shaping converts types,
// fills missing columns and keeps unknown ones.
std::vector<ts::FieldDef> sampleDefinition() {
    std::vector<ts::FieldDef> defs(4);
    defs[0] = {QStringLiteral("ID"), ts::FieldType::Integer, 0, {}, false, {}};
    defs[1] = {QStringLiteral("deutsch"), ts::FieldType::String, 100, {}, false, {}};
    defs[2] = {QStringLiteral("Lernkoeffizient"), ts::FieldType::Float, 0, {}, false, {}};
    defs[3] = {QStringLiteral("xdeutsch"), ts::FieldType::String, 100, {}, true, {}};
    return defs;
}

// The loaded rows through a table: every field as ordering, then a walk.
void browseEveryOrdering(const QByteArray& bytes) {
    ts::Table t(QStringLiteral("Fuzz"));
    t.loadFromBuffer(bytes);
    if (t.fields().empty())
        return;
    for (const ts::FieldDef& f : t.fields()) {
        try {
            t.setOrder(f.name);
        } catch (const ts::TableError&) {
            continue; // a name holding ';' cannot be written as an ordering
        }
        for (t.first(); !t.eof(); t.next())
            (void)t.value(0);
    }
}

void table(const QByteArray& bytes) {
    ts::TableData loaded;
    try {
        loaded = ts::io::read(bytes);
    } catch (const ts::TableError&) {
        return;
    }
    checkRoundTrips(loaded);
    checkRoundTrips(ts::io::shapeTo(ts::io::read(bytes), sampleDefinition()));
    if (bytes.size() < 2048)
        browseEveryOrdering(bytes);
}

} // namespace

void tableXml(const uint8_t* data, size_t size) {
    table(bytesOf(data, size));
}

void tableCompact(const uint8_t* data, size_t size) {
    // The compact form is told apart by its first five bytes; give them, so
    // the fuzzer spends its time behind them.
    static const char magic[] = {'M', 'V', 'T', 'B', 1};
    table(QByteArray(magic, sizeof magic) + bytesOf(data, size));
}

void vocabularyFile(const uint8_t* data, size_t size) {
    ts::Table v(QStringLiteral("Vokabeln"));
    core::Database::defineVocabulary(v);
    v.createDataSet();
    try {
        core::vocabularyfile::load(v, bytesOf(data, size), QStringLiteral("fuzz.v02"));
    } catch (const ts::TableError& e) {
        if (!e.message().startsWith(QStringLiteral("Die Vokabeldatei")))
            fault("vocabulary error without the file's message");
        return;
    }
    v.setOrder(QStringLiteral("deutsch"));
    const QByteArray saved = core::vocabularyfile::mask(v.saveToBuffer(ts::Table::Format::Xml));
    ts::Table again(QStringLiteral("Vokabeln"));
    core::Database::defineVocabulary(again);
    again.createDataSet();
    try {
        core::vocabularyfile::load(again, saved, QStringLiteral("fuzz.v02"));
    } catch (const ts::TableError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fault("saved vocabulary does not load back");
    }
    if (again.recordCount() != v.recordCount())
        fault("saved vocabulary lost rows");
}

void settingsFile(const uint8_t* data, size_t size) {
    using namespace core::settingsfile;
    const QByteArray once = format(parse(bytesOf(data, size)));
    if (format(parse(once)) != once)
        fault("settings changed on reload");
}

const std::vector<Named>& all() {
    static const std::vector<Named> entries = {
        {"table_xml", tableXml},         {"table_compact", tableCompact},         {"vocabulary_file", vocabularyFile},
        {"settings_file", settingsFile}, {"filter_expression", filterExpression},
    };
    return entries;
}

} // namespace fuzzentry
