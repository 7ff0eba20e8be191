// SPDX-License-Identifier: GPL-3.0-or-later
// Grid print jobs, third layer: the grid bound to a table of the table
// engine. Rows are the table's records in its current order and filter,
// columns the fields the job shows.
#pragma once

#include "pjtextgrid.h"
#include "tablestore/table.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>

namespace printing {

class TCustomDBGridPrintJob;

// Follows the bound table: opening, closing, filtering, reordering and
// editing update the job.
class TPrintJobDataLink : public QObject {
    Q_OBJECT
public:
    explicit TPrintJobDataLink(TCustomDBGridPrintJob* job);
    ~TPrintJobDataLink() override;
    void SetTable(ts::Table* table);
    ts::Table* Table() const { return table_; }

private:
    void Disconnect();
    TCustomDBGridPrintJob* job_;
    QPointer<ts::Table> table_;
    QList<QMetaObject::Connection> connections_;
};

class TCustomDBGridPrintJob : public TCustomTextGridPrintJob {
    Q_OBJECT
public:
    explicit TCustomDBGridPrintJob(QObject* owner = nullptr);
    ~TCustomDBGridPrintJob() override;

    // The table printed; null unbinds. Binding updates the job.
    ts::Table* DataSource() const;
    void SetDataSource(ts::Table* table);

    // Which fields are columns, in the table's field order. The table engine
    // keeps no visibility per field, so the job does: an empty list shows
    // every field.
    void SetVisibleFields(const QStringList& fields);
    QStringList VisibleFields() const;
    // The display width of a field (only the proportions count); fields
    // without one count by their type: texts 20, numbers 10.
    void SetDisplayWidth(const QString& field, int width);

    std::function<void(TCustomDBGridPrintJob*, const QString& field, QString& text)> OnGetFieldText;

    void Recount() override;
    int ColumnDisplayWidth(int col) const override;
    QString ColumnTitle(int col) const override;
    QString BodyText(int col, int row) override;
    Qt::Alignment ColumnAlignment(int col) const override;

    // Field index in the table of column `col`, -1 when none.
    int FieldOfColumn(int col) const;

    void DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) override;

private:
    void RebuildColumns();
    TPrintJobDataLink* link_;
    QStringList visibleNames_;
    QHash<QString, int> displayWidths_;
    std::vector<int> columns_; // field indexes of the visible fields
};

class TDBGridPrintJob : public TCustomDBGridPrintJob {
    Q_OBJECT
public:
    using TCustomDBGridPrintJob::TCustomDBGridPrintJob;
};

} // namespace printing
