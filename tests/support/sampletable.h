// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

#include <QStringList>

namespace testsupport {

// A small table shaped like the vocabulary: ID, deutsch, auslaendisch, Stufe.
inline void defineWords(ts::Table& t) {
    t.clearFields();
    t.addField("ID", ts::FieldType::Integer);
    t.addField("deutsch", ts::FieldType::String, 100);
    t.addField("auslaendisch", ts::FieldType::String, 100);
    t.addField("Stufe", ts::FieldType::Float);
}

inline void addWord(ts::Table& t, int id, const QVariant& de, const QVariant& en, const QVariant& stufe = {}) {
    t.insert();
    t.setValue("ID", id);
    t.setValue("deutsch", de);
    t.setValue("auslaendisch", en);
    t.setValue("Stufe", stufe);
    t.post();
}

// The values of one field along the current view, walking with next().
inline QStringList column(ts::Table& t, const QString& field) {
    QStringList out;
    t.first();
    while (!t.eof()) {
        out << t.text(field);
        t.next();
    }
    return out;
}

} // namespace testsupport
