// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ts {

class Table;

enum class FieldType { Integer, String, Float };

// A looked-up field is not stored: its value is the field `resultField` of the
// record of `source` whose `sourceKeyField` equals this table's `keyField`.
struct LookupDef {
    const Table* source = nullptr;
    QString keyField;
    QString sourceKeyField;
    QString resultField;
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;  // maximum characters of a string field
    QString label; // display label (column title when printing); empty: the name
    bool lookup = false;
    LookupDef lookupDef;
};

} // namespace ts
