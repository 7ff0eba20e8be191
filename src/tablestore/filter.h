// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage.h"

#include <functional>
#include <memory>

namespace ts {

namespace filter {
class Node;
}

// A parsed filter expression bound to one table's storage.
//
// The language: field names (any letter case, [in brackets] when they hold a
// blank), string literals in single quotes with '' for a quote, numbers,
// = <> < > <= >=, LIKE / NOT LIKE with % and _, IS [NOT] NULL,
// field IN (value, value, ...), AND, OR, NOT and parentheses. Comparisons with an empty (null) value are neither true
// nor false, as in SQL. A numeric field compared with a quoted literal compares by value. With case-insensitive
// matching, texts are compared lower-cased.
class Filter {
public:
    using LookupFn = std::function<QVariant(RowId, int field)>;

    // Throws TableError with a German message when the text is malformed or
    // names an unknown field.
    Filter(const QString& expression, const TableData& data, bool caseInsensitive, LookupFn lookup);
    ~Filter();

    bool matches(RowId row) const;
    // The rows of `ascending` (sorted row ids) for which the expression holds.
    // `isAllRows` says that `ascending` holds every live row, which lets a
    // "contains" search scan a whole column at once.
    std::vector<RowId> select(const std::vector<RowId>& ascending, bool isAllRows) const;

private:
    LookupFn lookup_;
    std::unique_ptr<filter::Node> root_;
};

// Quotes any text as a filter literal: O'Neill -> 'O''Neill'.
QString quoteLiteral(QStringView text);

} // namespace ts
