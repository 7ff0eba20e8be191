// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

namespace ts {

class Table;

// Notes a table's view — filter text, filter on or off, letter case, the
// ranking of the filtered rows, order — and its current record, and puts
// them back when it goes out of scope, however the scope is left. Only what changed is set again, so a guard
// around code that leaves the view alone costs no filter pass.
//
// Afterwards the cursor is on the noted record when it can be found again,
// otherwise on the first row, as after any re-filtering. The factory says how
// the record is found: by a key field's value, by its row number, or not at
// all (the first row).
class CursorGuard {
public:
    enum class Rows {
        AsFiltered, // the view as it is
        All,        // the filter off while the guard lives
    };

    // The record whose `keyField` holds the noted value; a record deleted
    // meanwhile leaves the first row.
    static CursorGuard byKey(Table& table, const QString& keyField, Rows rows = Rows::AsFiltered) {
        return CursorGuard(table, Cursor::ByKey, rows, keyField);
    }
    // The noted row number, or the last row when fewer remain.
    static CursorGuard byRowNumber(Table& table, Rows rows = Rows::AsFiltered) {
        return CursorGuard(table, Cursor::ByRowNumber, rows, {});
    }
    // The first row of the restored view.
    static CursorGuard atFirstRow(Table& table, Rows rows = Rows::AsFiltered) {
        return CursorGuard(table, Cursor::FirstRow, rows, {});
    }

    ~CursorGuard();
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

private:
    enum class Cursor { ByKey, ByRowNumber, FirstRow };
    CursorGuard(Table& table, Cursor cursor, Rows rows, const QString& keyField);
    void restoreView();
    void restoreCursor();

    Table& t_;
    Cursor cursor_;
    QString keyField_;
    QString filter_;
    QString order_;
    QString tieBreak_;
    QString rankField_;
    QString rankText_;
    bool filtered_;
    bool caseInsensitive_;
    int recNo_;
    QVariant key_; // invalid without a current record
};

// Many inserts in a row (see Table::beginBulkInsert), ended however the
// scope is left.
class BulkInsertGuard {
public:
    explicit BulkInsertGuard(Table& table);
    ~BulkInsertGuard();
    BulkInsertGuard(const BulkInsertGuard&) = delete;
    BulkInsertGuard& operator=(const BulkInsertGuard&) = delete;

private:
    Table& t_;
};

} // namespace ts
