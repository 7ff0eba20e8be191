// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid.h"
#include "griddelegate.h"
#include "viewlink.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace databound {

using TableState = ts::Table::State;

Grid::Grid(QWidget* parent) : QTableView(parent), model_(new TableModel(nullptr, this)) {
    setModel(model_);
    setItemDelegate(new GridDelegate(model_, this));
    link_ = new ViewLink(this, model_);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    // Fixed row heights: with 200,000 rows nothing may be measured per row.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(titles, &QHeaderView::sectionClicked, this, [this](int section) {
        emit titleClicked(columnTitle(section));
        showOrder(); // the header turned its arrow on its own; the table decides
    });
    connect(titles, &QHeaderView::sectionResized, this,
            [this](int column, int, int newWidth) { columnDragged(column, newWidth); });
}

void Grid::columnDragged(int column, int newWidth) {
    if (fitting_ || column < 0 || column >= widths_.size())
        return;
    // The share the column showed stays; what the user added or took is his.
    widths_[column] = std::max(20, newWidth - shares_.value(column));
}

void Grid::fitColumns() {
    const int columns = model_->columnCount();
    while (widths_.size() < columns)
        widths_ << horizontalHeader()->defaultSectionSize();
    widths_.resize(columns);
    shares_.fill(0, columns);
    int total = 0;
    for (int w : widths_)
        total += w;
    const int spare = isVisible() ? viewport()->width() - total : 0;
    if (spare > 0 && total > 0) {
        // In proportion to the widths; the last column takes what rounding leaves.
        int given = 0;
        for (int c = 0; c < columns; ++c) {
            shares_[c] = c == columns - 1 ? spare - given : int(qint64(spare) * widths_[c] / total);
            given += shares_[c];
        }
    }
    fitting_ = true;
    for (int c = 0; c < columns; ++c)
        setColumnWidth(c, widths_[c] + shares_[c]);
    fitting_ = false;
}

void Grid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

void Grid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    fitColumns();
}

void Grid::setDataSource(DataSource* source) {
    model_->setDataSource(source);
    link_->showCurrent();
    disconnect(orderFollows_);
    if (source)
        orderFollows_ = connect(source, &DataSource::layoutChanged, this, &Grid::showOrder);
    showOrder();
}

void Grid::setOrderIndicator(bool on) {
    orderIndicator_ = on;
    horizontalHeader()->setSortIndicatorShown(on);
    showOrder();
}

void Grid::showOrder() {
    if (!orderIndicator_)
        return;
    const DataSource* ds = dataSource();
    const ts::Table* t = ds ? ds->table() : nullptr;
    int column = -1;
    bool down = false;
    if (t) {
        const auto [field, isDown] = ts::Table::orderPart(t->order().section(u';', 0, 0));
        column = columnOfField(field);
        down = isDown;
    }
    // -1 shows no arrow: the ordering is by a field no column shows.
    horizontalHeader()->setSortIndicator(column, down ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void Grid::setColumns(const QList<GridColumn>& columns) {
    model_->setColumns(columns);
    widths_.clear();
    for (const GridColumn& c : columns)
        widths_ << c.width;
    fitColumns();
    link_->showCurrent();
}

QString Grid::columnTitle(int column) const {
    return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

int Grid::columnOfField(const QString& field) const {
    const auto& cs = model_->columns();
    for (qsizetype c = 0; c < cs.size(); ++c)
        if (cs[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(c);
    return -1;
}

int Grid::fieldColumnWidth(const QString& field) const {
    const int c = columnOfField(field);
    return c < 0 ? -1 : c < widths_.size() ? widths_[c] : columnWidth(c);
}

void Grid::setFieldColumnWidth(const QString& field, int width) {
    const int c = columnOfField(field);
    if (c < 0 || width <= 0)
        return;
    if (c >= widths_.size())
        fitColumns();
    widths_[c] = width;
    fitColumns();
}

std::vector<int> Grid::selectedViewIndexes() const {
    // By ranges: Ctrl+A over 200,000 rows is one range, not 200,000 indexes.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<int> out;
    out.reserve(rows.size());
    for (int r : rows)
        if (const int vi = model_->viewIndex(r); vi >= 0)
            out.push_back(vi);
    return out;
}

void Grid::setInPlaceEditing(bool on) {
    model_->setEditable(on);
    setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::DoubleClicked
                       : QAbstractItemView::NoEditTriggers);
}

bool Grid::hasPendingRecord() const {
    const DataSource* ds = dataSource();
    return ds && ds->isActive() && ds->table()->state() != TableState::Browse;
}

void Grid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
        event->accept();
        emit deleteRequested();
        return;
    }
    if (event->key() == Qt::Key_Escape && state() != EditingState && hasPendingRecord()) {
        event->accept();
        dataSource()->guard([](ts::Table& t) { t.cancel(); });
        return;
    }
    const QString text = event->text();
    const bool typed =
        !text.isEmpty() && text.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed && !inPlaceEditing()) {
        event->accept();
        emit characterTyped(text);
        return;
    }
    QTableView::keyPressEvent(event);
    link_->showCurrent(); // as after a click: a save on the way may have moved the records
}

void Grid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    // Escape in a cell drops the whole pending record: the keystrokes are in
    // the record already, so reverting the editor alone would keep them.
    if (hint == QAbstractItemDelegate::RevertModelCache && hasPendingRecord())
        dataSource()->guard([](ts::Table& t) { t.cancel(); });
}

void Grid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    // The press selected the row under the mouse; a save on the way may have
    // moved the records, so show where the current one really is.
    link_->showCurrent();
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit recordDoubleClicked();
}

void Grid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // Leaving the grid drops a new record nobody typed into yet; focus that
    // goes to our own editor, a menu or another window is no leaving.
    const QWidget* to = QApplication::focusWidget();
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason ||
        (to && isAncestorOf(to)))
        return;
    const ts::Table* t = hasPendingRecord() ? dataSource()->table() : nullptr;
    if (t && t->state() == TableState::Insert && !t->isModified())
        dataSource()->guard([](ts::Table& t) { t.cancel(); });
}

} // namespace databound
