// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablemodel.h"

#include <QAbstractItemView>
#include <QScopedValueRollback>

namespace databound {

// Keeps an item view and its table's cursor together both ways: the current
// record is the selected, visible row, and a row the user selects (by mouse
// or keyboard) becomes the current record, saving a pending one first.
class ViewLink : public QObject {
    Q_OBJECT
public:
    // The view must already show `model`.
    ViewLink(QAbstractItemView* view, TableModel* model);

    // Selects and scrolls to the current record's row.
    void showCurrent();

private:
    void rowSelected(const QModelIndex& current);

    QAbstractItemView* view_;
    TableModel* model_;
    bool syncing_ = false;
};

} // namespace databound
