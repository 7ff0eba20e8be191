// SPDX-License-Identifier: GPL-3.0-or-later
#include "cursorguard.h"
#include "table.h"
#include "tableerror.h"

#include <algorithm>

namespace ts {

CursorGuard::CursorGuard(Table& table, Cursor cursor, Rows rows, const QString& keyField)
    : t_(table), cursor_(cursor), keyField_(keyField), filter_(table.filter()), order_(table.order()),
      tieBreak_(table.tieBreak()), rankField_(table.rankField()), rankText_(table.rankText()),
      filtered_(table.isFiltered()), caseInsensitive_(table.isFilterCaseInsensitive()), recNo_(table.recNo()) {
    if (cursor_ == Cursor::ByKey && table.isOpen() && recNo_ > 0)
        key_ = table.value(keyField_);
    if (rows == Rows::All)
        t_.setFiltered(false);
}

CursorGuard::~CursorGuard() {
    try {
        restoreView();
        if (t_.isOpen())
            restoreCursor();
    } catch (const TableError&) {
        // Filter and order were valid when noted; a table whose fields were
        // redefined meanwhile keeps what it has.
    }
}

void CursorGuard::restoreView() {
    const bool filterDiffers = t_.filter() != filter_ || t_.isFilterCaseInsensitive() != caseInsensitive_ ||
                               t_.rankField() != rankField_ || t_.rankText() != rankText_;
    const bool orderDiffers = t_.order() != order_ || t_.tieBreak() != tieBreak_;
    // Every setting below re-filters a filtered table on its own: with the
    // filter off meanwhile, 200,000 rows are filtered once at the end.
    if ((filterDiffers || orderDiffers) && t_.isFiltered())
        t_.setFiltered(false);
    if (orderDiffers)
        t_.setOrder(order_, tieBreak_);
    if (t_.isFilterCaseInsensitive() != caseInsensitive_)
        t_.setFilterCaseInsensitive(caseInsensitive_);
    if (t_.filter() != filter_)
        t_.setFilter(filter_);
    if (t_.rankField() != rankField_ || t_.rankText() != rankText_)
        t_.rankByMatch(rankField_, rankText_);
    if (t_.isFiltered() != filtered_)
        t_.setFiltered(filtered_);
}

void CursorGuard::restoreCursor() {
    switch (cursor_) {
    case Cursor::ByKey:
        if (key_.isValid() && t_.locate(keyField_, key_))
            return;
        break;
    case Cursor::ByRowNumber:
        if (recNo_ > 0 && t_.recordCount() > 0) {
            t_.setRecNo(std::min(recNo_, t_.recordCount()));
            return;
        }
        break;
    case Cursor::FirstRow:
        break;
    }
    t_.first();
}

BulkInsertGuard::BulkInsertGuard(Table& table) : t_(table) {
    t_.beginBulkInsert();
}

BulkInsertGuard::~BulkInsertGuard() {
    try {
        t_.endBulkInsert();
    } catch (const TableError&) {
        // Ending re-sorts the rows there are; nothing is left half done.
    }
}

} // namespace ts
