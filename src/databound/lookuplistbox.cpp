// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookuplistbox.h"
#include "viewlink.h"

namespace databound {

LookupListBox::LookupListBox(QWidget* parent) : QListView(parent), model_(new TableModel(nullptr, this)) {
    setModel(model_);
    link_ = new ViewLink(this, model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == model_->currentRow())
            emit recordClicked();
    });
}

void LookupListBox::bind(DataSource* source, const QString& field) {
    model_->setDataSource(source);
    model_->setColumns({GridColumn{field, {}, 0, true}});
    link_->showCurrent();
}

QString LookupListBox::fieldName() const {
    return model_->columns().isEmpty() ? QString() : model_->columns().front().field;
}

void LookupListBox::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    link_->showCurrent();
}

} // namespace databound
