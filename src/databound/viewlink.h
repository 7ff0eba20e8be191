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

    // Selects the current record's row and brings it into sight.
    void showCurrent();

private:
    void rowSelected(const QModelIndex& current);
    void scrollToCurrent();

    QAbstractItemView* view_;
    TableModel* model_;
    bool syncing_ = false;
    bool scrollQueued_ = false;
};

} // namespace databound
