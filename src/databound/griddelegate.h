// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablemodel.h"

#include <QStyledItemDelegate>

namespace databound {

// The records of another table as a list: one field of its current view,
// read in place like the grid's rows. Feeds the drop-down of a looked-up
// column; the choice is written as the record's key.
class SourceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    SourceListModel(const ts::Table* table, int field, int keyField, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    int rowOfKey(const QVariant& key) const; // -1 when absent

private:
    const ts::Table* table_;
    int field_;
    int keyField_;
    int rows_;
};

// In-place editors of a grid: a line edit limited to the field's size, and
// for a looked-up column a drop-down of the source table's values; choosing
// one sets this record's key field at once.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(TableModel* model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    TableModel* model_;
};

} // namespace databound
