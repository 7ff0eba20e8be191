// SPDX-License-Identifier: GPL-3.0-or-later
#include "tablemodel.h"

#include <QScopedValueRollback>

namespace databound {

using State = ts::Table::State;

TableModel::TableModel(DataSource* source, QObject* parent) : QAbstractTableModel(parent) {
    setDataSource(source);
}

void TableModel::setDataSource(DataSource* source) {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source_) {
        connections_ << connect(source_, &DataSource::layoutChanged, this, &TableModel::tableLayoutChanged);
        connections_ << connect(source_, &DataSource::currentChanged, this, &TableModel::tableCurrentChanged);
        connections_ << connect(source_, &DataSource::valueChanged, this, [this] { rowChanged(currentRow()); });
        connections_ << connect(source_, &DataSource::reset, this, &TableModel::rebuild);
        connections_ << connect(source_, &QObject::destroyed, this, &TableModel::rebuild);
    }
    rebuild();
}

void TableModel::setColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    columns_ = columns;
    resolveFields();
    endResetModel();
}

void TableModel::setColumnTitle(int column, const QString& title) {
    if (column < 0 || column >= columns_.size())
        return;
    columns_[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TableModel::resolveFields() {
    fields_.assign(size_t(columns_.size()), -1);
    if (!active())
        return;
    for (qsizetype c = 0; c < columns_.size(); ++c)
        fields_[size_t(c)] = source_->fieldIndex(columns_[c].field);
}

int TableModel::fieldOf(int column) const {
    return column >= 0 && size_t(column) < fields_.size() ? fields_[size_t(column)] : -1;
}

const ts::FieldDef* TableModel::fieldDef(int column) const {
    const int f = fieldOf(column);
    return f < 0 || !active() ? nullptr : &source_->table()->fields()[size_t(f)];
}

QVariant TableModel::lookupKey(const QModelIndex& index) const {
    const ts::FieldDef* def = fieldDef(index.column());
    if (!def || !def->lookup || index.row() >= rows_)
        return {};
    const ts::Table& t = *source_->table();
    const int key = t.fieldIndex(def->lookupDef.keyField);
    const int vi = viewIndex(index.row());
    try {
        return key < 0 ? QVariant() : (vi < 0 ? t.value(key) : t.valueAt(vi, key));
    } catch (...) {
        return {};
    }
}

int TableModel::wantedNewRow() const {
    if (!active() || source_->table()->state() != State::Insert)
        return -1;
    return std::max(source_->table()->currentIndex(), 0);
}

int TableModel::currentRow() const {
    if (!active())
        return -1;
    if (newRowAt_ >= 0)
        return newRowAt_;
    const int cur = source_->table()->currentIndex();
    return cur < rows_ ? cur : -1;
}

int TableModel::viewIndex(int row) const {
    if (newRowAt_ < 0 || row < newRowAt_)
        return row;
    return row == newRowAt_ ? -1 : row - 1;
}

void TableModel::rebuild() {
    const QScopedValueRollback guard(restructuring_, true);
    beginResetModel();
    resolveFields();
    newRowAt_ = wantedNewRow();
    rows_ = active() ? source_->table()->recordCount() + (newRowAt_ >= 0 ? 1 : 0) : 0;
    endResetModel();
    restructuring_ = false;
    emit currentRowChanged();
}

void TableModel::tableLayoutChanged() {
    // A save that only moves a record keeps the row count: repainting is
    // enough, and the view keeps its scroll position and editor state.
    const std::vector<int> before = fields_;
    resolveFields();
    const int newRow = wantedNewRow();
    const int rows = active() ? source_->table()->recordCount() + (newRow >= 0 ? 1 : 0) : 0;
    if (rows != rows_ || rows == 0 || before != fields_) {
        fields_ = before;
        rebuild();
        return;
    }
    newRowAt_ = newRow;
    emit dataChanged(index(0, 0), index(rows_ - 1, std::max(0, int(columns_.size()) - 1)));
    emit currentRowChanged();
}

void TableModel::tableCurrentChanged() {
    if (restructuring_) {
        again_ = true; // a view reacted to our row change by moving the cursor
        return;
    }
    do {
        again_ = false;
        if (!placeNewRow())
            return;
    } while (again_);
    // A cancelled edit shows the stored values again.
    rowChanged(currentRow());
    emit currentRowChanged();
}

bool TableModel::placeNewRow() {
    const int wanted = wantedNewRow();
    const int records = active() ? source_->table()->recordCount() : 0;
    if (rows_ - (newRowAt_ >= 0 ? 1 : 0) != records) {
        rebuild(); // missed a change of the rows; start afresh
        return false;
    }
    if (wanted == newRowAt_)
        return true;
    const QScopedValueRollback guard(restructuring_, true);
    if (newRowAt_ >= 0) {
        beginRemoveRows({}, newRowAt_, newRowAt_);
        newRowAt_ = -1;
        --rows_;
        endRemoveRows();
    }
    if (wanted >= 0) {
        beginInsertRows({}, wanted, wanted);
        newRowAt_ = wanted;
        ++rows_;
        endInsertRows();
    }
    return true;
}

void TableModel::rowChanged(int row) {
    if (row >= 0 && row < rows_ && !columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    const int f = fieldOf(index.column());
    // Read also while the link is off: a frozen view repainted after being
    // uncovered shows the values, and valueAt() is safe past the end.
    if (!index.isValid() || f < 0 || !source_ || !source_->table() || !source_->table()->isOpen() ||
        index.row() >= rows_)
        return {};
    const ts::Table& t = *source_->table();
    if (role == Qt::TextAlignmentRole) {
        const bool number = t.fields()[size_t(f)].type != ts::FieldType::String;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    QVariant v;
    ++reads_;
    try {
        const int vi = viewIndex(index.row());
        v = vi < 0 ? t.value(f) : t.valueAt(vi, f);
    } catch (...) {
        return {}; // a view never fails on a record that went away meanwhile
    }
    // Always edited as text: the table converts and checks what was typed.
    return role == Qt::EditRole ? QVariant(v.toString()) : v;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& c = columns_[section];
    return c.title.isEmpty() ? c.field : c.title;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const ts::FieldDef* def = fieldDef(index.column());
    if (editable_ && def && !columns_[index.column()].readOnly && (!def->lookup || def->lookupDef.source))
        fl |= Qt::ItemIsEditable;
    return fl;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const ts::FieldDef* def = fieldDef(index.column());
    if (!def || (role != Qt::EditRole && role != KeyRole) || !(flags(index) & Qt::ItemIsEditable))
        return false;
    int f = fieldOf(index.column());
    if (def->lookup) {
        if (role != KeyRole)
            return false; // a looked-up text is changed only by choosing another record
        f = source_->fieldIndex(def->lookupDef.keyField);
    }
    if (index.row() != currentRow() && !source_->moveTo(viewIndex(index.row())))
        return false;
    if (role == Qt::EditRole && source_->table()->state() == State::Browse &&
        source_->table()->value(f).toString() == value.toString())
        return true; // an editor left unchanged starts no edit
    return source_->writeField(f, value);
}

} // namespace databound
