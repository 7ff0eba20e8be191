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

// A line above the column titles: texts at its left, centre and right.
struct TGridHeading {
    QString Left, Center, Right;
    bool IsEmpty() const { return Left.isEmpty() && Center.isEmpty() && Right.isEmpty(); }
};

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

    // The heading takes the upper half of the header band; without one the
    // column titles fill it. The key heading stands on the answer pages.
    void SetHeading(const TGridHeading& heading);
    TGridHeading Heading() const { return heading_; }
    void SetKeyHeading(const TGridHeading& heading);
    // Rows whose first column repeats the text of an earlier row are left
    // out (compared as printed, letter case included).
    void SetDistinctRows(bool on);
    bool DistinctRows() const { return distinct_; }
    // A field name: after the pages of the rows come as many pages again
    // with the same rows and numbers, each text followed by this field's
    // (and those of the rows left out as its twins).
    void SetAnswerKeyField(const QString& field);
    // The first page of the answers, 0 without them.
    int FirstKeyPage() const;
    // Rows printed (without the answer rows).
    int QuestionRowCount() const { return questionRows_; }

    void Recount() override;
    int ColumnDisplayWidth(int col) const override;
    QString ColumnTitle(int col) const override;
    QString BodyText(int col, int row) override;
    QString CellText(int col, int row) override;
    Qt::Alignment ColumnAlignment(int col) const override;
    void DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area, TDrawTarget target) override;

    // Field index in the table of column `col`, -1 when none.
    int FieldOfColumn(int col) const;

    void DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) override;

private:
    void RebuildColumns();
    // The view row of grid row `row`, -1 for none (the blank rows that fill
    // the last question page); `key` says it is an answer row.
    int RecordOfRow(int row, bool* key = nullptr) const;
    void DrawHeading(TPrintCanvas& canvas, const TRect& band, const TGridHeading& heading);
    TPrintJobDataLink* link_;
    TGridHeading heading_, keyHeading_;
    bool distinct_ = false;
    QString keyField_;
    std::vector<int> rowMap_; // view rows when rows are left out, else empty
    // The rows left out as twins of a printed one (by its view row): their
    // answers join its answer.
    QHash<int, std::vector<int>> twins_;
    int questionRows_ = 0;
    int keyOffset_ = 0; // grid row of the first answer row, 0 without answers
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
