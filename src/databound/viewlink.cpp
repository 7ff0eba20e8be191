// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewlink.h"

namespace databound {

ViewLink::ViewLink(QAbstractItemView* view, TableModel* model) : QObject(view), view_(view), model_(model) {
    // Scrolling is ours, and deferred: a pass over many records with the
    // link on would otherwise move the viewport's pixels once per record.
    view_->setAutoScroll(false);
    connect(model_, &TableModel::currentRowChanged, this, &ViewLink::showCurrent);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ViewLink::rowSelected);
    showCurrent();
}

void ViewLink::showCurrent() {
    QItemSelectionModel* sel = view_->selectionModel();
    const int row = model_->currentRow();
    const QScopedValueRollback guard(syncing_, true);
    if (row < 0) {
        if (sel->hasSelection() || sel->currentIndex().isValid())
            sel->clear();
        return;
    }
    const int col = std::clamp(sel->currentIndex().column(), 0, std::max(0, model_->columnCount() - 1));
    const QModelIndex idx = model_->index(row, col);
    if (sel->currentIndex() != idx || !sel->isRowSelected(row))
        sel->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!scrollQueued_) {
        scrollQueued_ = true;
        QMetaObject::invokeMethod(this, &ViewLink::scrollToCurrent, Qt::QueuedConnection);
    }
}

void ViewLink::scrollToCurrent() {
    scrollQueued_ = false;
    const QModelIndex idx = view_->selectionModel()->currentIndex();
    if (idx.isValid())
        view_->scrollTo(idx);
}

void ViewLink::rowSelected(const QModelIndex& current) {
    if (syncing_ || model_->isRestructuring() || !current.isValid() || current.row() == model_->currentRow())
        return;
    const int vi = model_->viewIndex(current.row());
    if (vi >= 0 && model_->dataSource())
        model_->dataSource()->moveTo(vi);
    showCurrent(); // also after a refused save or a record that moved
}

} // namespace databound
