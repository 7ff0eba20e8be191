// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary rows for the printing tests.
#pragma once

#include "support/vocabularyrows.h"
#include "tablestore/cursorguard.h"

#include <QString>

namespace printing::test {

inline void addWord(ts::Table& t, int id, const QString& de, const QString& foreign = {}, const QString& group = {},
                    const QString& kind = QStringLiteral("Substantiv"), int level = 1, const QString& note = {}) {
    testsupport::appendRow(t, {id, de, foreign, note, group, kind, level});
}

// Words "Wort1".."WortN" with "Fremd1".."FremdN", IDs 1..N.
inline void fillNumbered(ts::Table& t, int count) {
    const ts::BulkInsertGuard bulk(t);
    for (int i = 1; i <= count; ++i)
        addWord(t, i, QStringLiteral("Wort%1").arg(i), QStringLiteral("Fremd%1").arg(i), QStringLiteral("Haus"));
}

inline void makeVocabulary(ts::Table& t) {
    testsupport::openVocabularyTable(t);
    t.setOrder(QStringLiteral("ID"));
}

} // namespace printing::test
