// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablemodel.h"

#include <QTableView>

namespace databound {

class ViewLink;

// A grid of a table's records: one row per record of the current view, the
// current record selected as a whole row and kept in sight. Selecting a row
// makes its record current (saving a pending record first). The window
// decides what a title click or Ctrl+Entf means; the grid only reports them.
//
// With in-place editing on, typing over a cell starts editing the record with
// the typed character as the cell's new text, and leaving the row saves it.
// A looked-up column is changed by choosing another record of its source.
class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return model_->dataSource(); }
    TableModel* tableModel() const { return model_; }

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return model_->columns(); }
    void setColumnTitle(int column, const QString& title) { model_->setColumnTitle(column, title); }
    QString columnTitle(int column) const;
    // Widths by field name, so stored widths survive a change of columns.
    // These are the widths the columns were given or dragged to; a shown
    // grid wider than their sum shares the spare width among its columns.
    int fieldColumnWidth(const QString& field) const; // -1 when no column shows it
    void setFieldColumnWidth(const QString& field, int width);

    // The selected records as positions in the table's view, in view order
    // (a new record being typed is not among them).
    std::vector<int> selectedViewIndexes() const;

    void setInPlaceEditing(bool on);
    bool inPlaceEditing() const { return model_->isEditable(); }

    // The title of the column the table is ordered by shows which way.
    void setOrderIndicator(bool on);
    void showOrder();

signals:
    void titleClicked(const QString& title);
    void deleteRequested(); // Ctrl+Entf
    // A printable character typed while no in-place editing takes it.
    void characterTyped(const QString& text);
    void recordDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Shows every column at its width plus its share of the spare width.
    void fitColumns();
    void columnDragged(int column, int newWidth);
    QList<int> widths_; // per column, as given or dragged
    QList<int> shares_; // per column, the spare width it shows on top
    bool fitting_ = false;
    int columnOfField(const QString& field) const;
    bool hasPendingRecord() const;

    TableModel* model_;
    ViewLink* link_;
    bool orderIndicator_ = false;
    QMetaObject::Connection orderFollows_;
};

} // namespace databound
