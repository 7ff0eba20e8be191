// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary rows for the printing tests.
#pragma once

#include "core/database.h"
#include "tablestore/cursorguard.h"
#include "tablestore/table.h"

#include <QString>

namespace printing::test {

inline void addWord(ts::Table& t, int id, const QString& de, const QString& foreign = {}, const QString& group = {},
                    const QString& kind = QStringLiteral("Substantiv"), int level = 1, const QString& note = {}) {
    t.insert();
    t.setValue("ID", id);
    t.setValue("deutsch", de);
    t.setValue("auslaendisch", foreign);
    t.setValue("Sachgruppe", group);
    t.setValue("Gattung", kind);
    t.setValue("Schwierigkeitsgrad", level);
    t.setValue("Bemerkung", note);
    t.post();
}

// Words "Wort1".."WortN" with "Fremd1".."FremdN", IDs 1..N.
inline void fillNumbered(ts::Table& t, int count) {
    const ts::BulkInsertGuard bulk(t);
    for (int i = 1; i <= count; ++i)
        addWord(t, i, QStringLiteral("Wort%1").arg(i), QStringLiteral("Fremd%1").arg(i), QStringLiteral("Haus"));
}

inline void makeVocabulary(ts::Table& t) {
    core::Database::defineVocabulary(t);
    t.createDataSet();
    t.setOrder(QStringLiteral("ID"));
}

} // namespace printing::test
