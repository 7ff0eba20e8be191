// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/vocabularyfile.h"
#include "tablestore/cursorguard.h"
#include "tablestore/table.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <optional>

namespace testsupport {

// One row of a vocabulary table. A field left out is not set at all, so the
// row keeps what a new record of that table starts with: null, or what the
// table's insert hook puts there (the program's vocabulary numbers its rows).
struct VocabularyRow {
    std::optional<int> id = {};
    QString german;
    std::optional<QString> foreign = {};
    std::optional<QString> remark = {};
    std::optional<QString> group = {}; // Sachgruppe
    std::optional<QString> kind = {};  // Gattung
    std::optional<int> level = {};     // Schwierigkeitsgrad
};

inline void appendRow(ts::Table& vocabulary, const VocabularyRow& row) {
    vocabulary.insert();
    if (row.id)
        vocabulary.setValue("ID", *row.id);
    vocabulary.setValue("deutsch", row.german);
    const auto set = [&](const char* field, const auto& value) {
        if (value)
            vocabulary.setValue(field, *value);
    };
    set("auslaendisch", row.foreign);
    set("Sachgruppe", row.group);
    set("Gattung", row.kind);
    set("Schwierigkeitsgrad", row.level);
    set("Bemerkung", row.remark);
    vocabulary.post();
}

inline void appendRows(ts::Table& vocabulary, const QList<VocabularyRow>& rows) {
    for (const VocabularyRow& row : rows)
        appendRow(vocabulary, row);
}

// An empty table of the program's own vocabulary shape.
inline void openVocabularyTable(ts::Table& vocabulary) {
    core::Database::defineVocabulary(vocabulary);
    vocabulary.createDataSet();
}

// The rows written as a vocabulary file by the program's own writer, the
// folder created first as the program would find it.
inline void writeVocabularyFile(const QString& path, const QList<VocabularyRow>& rows) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ts::Table v("v");
    openVocabularyTable(v);
    {
        const ts::BulkInsertGuard bulk(v);
        appendRows(v, rows);
    }
    core::vocabularyfile::write(v, path);
}

// The vocabulary file of `language` in a data folder.
inline void writeLanguage(const QString& dataFolder, const QString& language, const QList<VocabularyRow>& rows) {
    writeVocabularyFile(dataFolder + language + ".v02", rows);
}

} // namespace testsupport
