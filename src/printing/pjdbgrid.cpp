// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjdbgrid.h"

#include "tablestore/table.h"

namespace printing {

// ---------------------------------------------------------------- data link

TPrintJobDataLink::TPrintJobDataLink(TCustomDBGridPrintJob* job) : QObject(job), job_(job) {}

TPrintJobDataLink::~TPrintJobDataLink() {
    Disconnect();
}

void TPrintJobDataLink::Disconnect() {
    for (const auto& c : connections_)
        QObject::disconnect(c);
    connections_.clear();
}

void TPrintJobDataLink::SetTable(ts::Table* table) {
    Disconnect();
    table_ = table;
    if (!table)
        return;
    // The rows print by record number, so a mere move of the cursor changes
    // nothing on paper and redraws nothing.
    auto update = [this] { job_->Update(); };
    connections_ << connect(table, &ts::Table::layoutChanged, this, update)
                 << connect(table, &ts::Table::valueChanged, this, update)
                 // A table that goes away leaves the job unbound, not dangling.
                 << connect(table, &QObject::destroyed, this, [this] {
                        Disconnect();
                        job_->Update();
                    });
}

// -------------------------------------------------------------------- job

TCustomDBGridPrintJob::TCustomDBGridPrintJob(QObject* owner)
    : TCustomTextGridPrintJob(owner), link_(new TPrintJobDataLink(this)) {}

TCustomDBGridPrintJob::~TCustomDBGridPrintJob() = default;

ts::Table* TCustomDBGridPrintJob::DataSource() const {
    return link_->Table();
}

void TCustomDBGridPrintJob::SetDataSource(ts::Table* table) {
    link_->SetTable(table);
    Update();
}

void TCustomDBGridPrintJob::SetVisibleFields(const QStringList& fields) {
    visibleNames_ = fields;
    Update();
}

QStringList TCustomDBGridPrintJob::VisibleFields() const {
    QStringList names;
    if (const ts::Table* t = DataSource())
        for (int f : columns_)
            names << t->fields().at(size_t(f)).name;
    return names;
}

void TCustomDBGridPrintJob::SetDisplayWidth(const QString& field, int width) {
    displayWidths_.insert(field.toLower(), width);
    Update();
}

void TCustomDBGridPrintJob::RebuildColumns() {
    columns_.clear();
    const ts::Table* t = DataSource();
    if (!t || !t->isOpen())
        return;
    const auto& fields = t->fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        const bool shown = visibleNames_.isEmpty() || visibleNames_.contains(fields[i].name, Qt::CaseInsensitive);
        if (shown)
            columns_.push_back(int(i));
    }
}

void TCustomDBGridPrintJob::Recount() {
    RebuildColumns();
    const ts::Table* t = DataSource();
    const bool open = t && t->isOpen();
    StoreCounts(open ? int(columns_.size()) : 0, open ? t->recordCount() : 0);
}

int TCustomDBGridPrintJob::FieldOfColumn(int col) const {
    if (col < 0 || size_t(col) >= columns_.size())
        return -1;
    const ts::Table* t = DataSource();
    const int f = columns_[size_t(col)];
    // The table may have been redefined since the last count.
    return t && size_t(f) < t->fields().size() ? f : -1;
}

int TCustomDBGridPrintJob::ColumnDisplayWidth(int col) const {
    const int f = FieldOfColumn(col);
    if (f < 0)
        return 0;
    const ts::FieldDef& def = DataSource()->fields().at(size_t(f));
    const auto it = displayWidths_.constFind(def.name.toLower());
    if (it != displayWidths_.constEnd())
        return *it;
    return def.type == ts::FieldType::String ? 20 : 10;
}

QString TCustomDBGridPrintJob::ColumnTitle(int col) const {
    const int f = FieldOfColumn(col);
    if (f < 0)
        return {};
    return DataSource()->displayLabel(DataSource()->fields().at(size_t(f)).name);
}

QString TCustomDBGridPrintJob::BodyText(int col, int row) {
    ts::Table* t = DataSource();
    const int f = FieldOfColumn(col);
    if (!t || f < 0 || row < 0 || row >= t->recordCount())
        return {};
    t->setRecNo(row + 1);
    QString text = t->value(f).toString();
    if (OnGetFieldText)
        OnGetFieldText(this, t->fields().at(size_t(f)).name, text);
    return text;
}

Qt::Alignment TCustomDBGridPrintJob::ColumnAlignment(int col) const {
    const int f = FieldOfColumn(col);
    if (f < 0)
        return Qt::AlignLeft;
    return DataSource()->fields().at(size_t(f)).type == ts::FieldType::String ? Qt::AlignLeft : Qt::AlignRight;
}

void TCustomDBGridPrintJob::DrawPage(TPrintCanvas& canvas, int pageIndex, TDrawTarget target) {
    // The cursor moves made to read the cells must not set off updates.
    BeginUpdate();
    try {
        TCustomTextGridPrintJob::DrawPage(canvas, pageIndex, target);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace printing
