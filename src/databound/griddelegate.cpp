// SPDX-License-Identifier: GPL-3.0-or-later
#include "griddelegate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QProxyStyle>

namespace databound {

namespace {
// The "popup" form of a drop-down measures every entry before it opens: a
// second and more with 200,000 words. The list form stops at the visible ones.
class ListFormStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

SourceListModel::SourceListModel(const ts::Table* table, int field, int keyField, QObject* parent)
    : QAbstractListModel(parent), table_(table), field_(field), keyField_(keyField),
      rows_(table && table->isOpen() ? table->recordCount() : 0) {}

int SourceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant SourceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ ||
        (role != Qt::DisplayRole && role != Qt::EditRole && role != TableModel::KeyRole))
        return {};
    return table_->valueAt(index.row(), role == TableModel::KeyRole ? keyField_ : field_);
}

int SourceListModel::rowOfKey(const QVariant& key) const {
    if (!key.isValid() || key.isNull())
        return -1;
    const QString wanted = key.toString();
    for (int i = 0; i < rows_; ++i)
        if (table_->valueAt(i, keyField_).toString() == wanted)
            return i;
    return -1;
}

GridDelegate::GridDelegate(TableModel* model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const ts::FieldDef* def = model_->fieldDef(index.column());
    if (def && def->lookup) {
        const ts::Table* src = def->lookupDef.source;
        auto* combo = new QComboBox(parent);
        auto* list = new SourceListModel(src, src->fieldIndex(def->lookupDef.resultField),
                                         src->fieldIndex(def->lookupDef.sourceKeyField), combo);
        // Sized without measuring every entry: the source may hold 200,000.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(10);
        auto* style = new ListFormStyle;
        style->setParent(combo);
        combo->setStyle(style);
        if (auto* view = qobject_cast<QListView*>(combo->view()))
            view->setUniformItemSizes(true);
        combo->setModel(list);
        connect(combo, &QComboBox::activated, this, [this, combo] {
            // A choice takes effect at once, not only when the cell is left.
            auto* self = const_cast<GridDelegate*>(this);
            emit self->commitData(combo);
        });
        return combo;
    }
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (def && def->type == ts::FieldType::String && def->size > 0)
            line->setMaxLength(def->size);
        // Every keystroke goes into the record, as in the form's edits: the
        // record is in editing from the first character on.
        connect(line, &QLineEdit::textEdited, this, [this, line] {
            auto* self = const_cast<GridDelegate*>(this);
            emit self->commitData(line);
        });
    }
    return w;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const auto* list = static_cast<SourceListModel*>(combo->model());
        combo->setCurrentIndex(list->rowOfKey(model_->lookupKey(index)));
        return;
    }
    // The record echoes each keystroke back; setting the same text again
    // would throw the caret to the end.
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && line->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() < 0)
            return;
        const QVariant key = combo->model()->data(combo->model()->index(combo->currentIndex(), 0), TableModel::KeyRole);
        if (model_->lookupKey(index).toString() != key.toString())
            model->setData(index, key, TableModel::KeyRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace databound
