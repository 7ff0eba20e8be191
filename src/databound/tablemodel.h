// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "datasource.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

namespace databound {

// One column of a grid or list: the field it shows, its title and width.
struct GridColumn {
    QString field;
    QString title; // empty: the field name
    int width = 100;
    bool readOnly = false;
};

// The current view of a table as a Qt model: one row per record of the view,
// read straight from the table's columns (valueAt), so a reset costs nothing
// per row and a grid over 200,000 records stays smooth. A new record that is
// being inserted shows as an extra row in front of the current one, as users
// of table programs expect to see what they type.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Writes into the key field of a looked-up column (the chosen record's key).
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit TableModel(DataSource* source, QObject* parent = nullptr);

    DataSource* dataSource() const { return source_; }
    void setDataSource(DataSource* source);

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return columns_; }
    void setColumnTitle(int column, const QString& title);
    void setEditable(bool on) { editable_ = on; }
    bool isEditable() const { return editable_; }

    int fieldOf(int column) const; // the table's field number, -1 when unknown
    const ts::FieldDef* fieldDef(int column) const;

    // For a looked-up column: the row's value of the key field it follows.
    QVariant lookupKey(const QModelIndex& index) const;

    int currentRow() const;       // the row of the current or new record, -1 for none
    int viewIndex(int row) const; // position in the table's view, -1 for the new record
    bool isNewRecordRow(int row) const { return row >= 0 && row == newRowAt_; }
    // Rows are being added or removed: selection changes now are the view
    // tidying up, not the user choosing a record.
    bool isRestructuring() const { return restructuring_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // How many values the model has read from the table: what a view costs.
    quint64 valueReads() const { return reads_; }

signals:
    // The current record may sit on another row now (or on none).
    void currentRowChanged();

private:
    bool active() const { return source_ && source_->isActive(); }
    void resolveFields();
    int wantedNewRow() const;
    void rebuild();
    void tableLayoutChanged();
    void tableCurrentChanged();
    bool placeNewRow();
    void rowChanged(int row);

    QPointer<DataSource> source_;
    QList<GridColumn> columns_;
    std::vector<int> fields_;
    bool editable_ = false;
    int rows_ = 0;
    int newRowAt_ = -1;
    mutable quint64 reads_ = 0;
    bool restructuring_ = false;
    bool again_ = false;
    QList<QMetaObject::Connection> connections_;
};

} // namespace databound
