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

void TCustomDBGridPrintJob::SetHeading(const TGridHeading& heading) {
    heading_ = heading;
    Update();
}
void TCustomDBGridPrintJob::SetKeyHeading(const TGridHeading& heading) {
    keyHeading_ = heading;
    Update();
}
void TCustomDBGridPrintJob::SetDistinctRows(bool on) {
    distinct_ = on;
    Update();
}
void TCustomDBGridPrintJob::SetAnswerKeyField(const QString& field) {
    keyField_ = field;
    Update();
}

void TCustomDBGridPrintJob::Recount() {
    RebuildColumns();
    const ts::Table* t = DataSource();
    const bool open = t && t->isOpen();
    rowMap_.clear();
    twins_.clear();
    keyOffset_ = 0;
    questionRows_ = open ? t->recordCount() : 0;
    if (open && distinct_ && !columns_.empty()) {
        // Read in place: counting must not move the cursor of the views.
        QHash<QString, int> first;
        const int f = columns_.front();
        for (int i = 0; i < questionRows_; ++i) {
            const QString text = t->valueAt(i, f).toString();
            const auto it = first.constFind(text);
            if (it == first.constEnd()) {
                first.insert(text, i);
                rowMap_.push_back(i);
            } else {
                twins_[*it].push_back(i);
            }
        }
        questionRows_ = int(rowMap_.size());
    }
    int rows = questionRows_;
    if (open && !keyField_.isEmpty() && t->fieldIndex(keyField_) >= 0 && questionRows_ > 0) {
        const int perPage = RowsPerPage();
        keyOffset_ = (questionRows_ + perPage - 1) / perPage * perPage;
        rows = keyOffset_ + questionRows_;
    }
    StoreCounts(open ? int(columns_.size()) : 0, rows);
}

int TCustomDBGridPrintJob::FirstKeyPage() const {
    return keyOffset_ > 0 ? keyOffset_ / RowsPerPage() + 1 : 0;
}

int TCustomDBGridPrintJob::RecordOfRow(int row, bool* key) const {
    const bool answer = keyOffset_ > 0 && row >= keyOffset_;
    if (key)
        *key = answer;
    if (answer)
        row -= keyOffset_;
    if (row < 0 || row >= questionRows_)
        return -1;
    return rowMap_.empty() ? row : rowMap_[size_t(row)];
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
    bool key = false;
    const int record = RecordOfRow(row, &key);
    if (!t || f < 0 || record < 0 || record >= t->recordCount())
        return {};
    t->setRecNo(record + 1);
    QString text = t->value(f).toString();
    if (OnGetFieldText)
        OnGetFieldText(this, t->fields().at(size_t(f)).name, text);
    if (key && col == 0) {
        const int answerField = t->fieldIndex(keyField_);
        if (answerField >= 0) {
            QStringList answers{t->valueAt(record, answerField).toString()};
            for (int twin : twins_.value(record))
                if (twin < t->recordCount()) {
                    const QString other = t->valueAt(twin, answerField).toString();
                    if (!answers.contains(other))
                        answers << other;
                }
            text += QStringLiteral("  –  ") + answers.join(QStringLiteral("; "));
        }
    }
    return text;
}

QString TCustomDBGridPrintJob::CellText(int col, int row) {
    // The questions and the answers are counted apart: the sheets handed
    // out do not tell how many answer pages there are.
    if (row == FooterRow && col == ColCount() - 1 && keyOffset_ > 0) {
        const int pages = FirstKeyPage() - 1;
        const int page = DrawingPage() > pages ? DrawingPage() - pages : DrawingPage();
        return QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    }
    // The number of an answer row is that of its question; the blank rows
    // that end the questions have none.
    if (col == IndexCol && row >= 0 && row != FooterRow && keyOffset_ > 0) {
        bool key = false;
        if (RecordOfRow(row, &key) < 0)
            return {};
        return QString::number(qint64(IndexStart()) + (key ? row - keyOffset_ : row));
    }
    return TCustomTextGridPrintJob::CellText(col, row);
}

void TCustomDBGridPrintJob::DrawArea(TPrintCanvas& canvas, int pageIndex, const TRect& rect, TDrawArea area,
                                     TDrawTarget target) {
    const TGridHeading& heading = FirstKeyPage() > 0 && pageIndex >= FirstKeyPage() ? keyHeading_ : heading_;
    if (area != daHeader || heading.IsEmpty()) {
        TCustomTextGridPrintJob::DrawArea(canvas, pageIndex, rect, area, target);
        return;
    }
    TRect band = rect;
    band.Bottom = rect.Top + rect.Height() / 2;
    DrawHeading(canvas, band, heading);
    TRect titles = rect;
    titles.Top = band.Bottom;
    TCustomTextGridPrintJob::DrawArea(canvas, pageIndex, titles, area, target);
}

void TCustomDBGridPrintJob::DrawHeading(TPrintCanvas& canvas, const TRect& band, const TGridHeading& heading) {
    canvas.Font = HeaderFont();
    canvas.Font.Bold = true;
    const TRect r = TextRect(band, canvas);
    TTextFormat format;
    format.Clip = true;
    for (const auto& [text, align] :
         {std::pair{heading.Left, Qt::AlignLeft}, std::pair{heading.Center, Qt::AlignHCenter},
          std::pair{heading.Right, Qt::AlignRight}}) {
        if (text.isEmpty())
            continue;
        format.Horizontal = align;
        canvas.DrawText(r, text, format);
    }
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
