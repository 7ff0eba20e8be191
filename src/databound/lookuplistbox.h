// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablemodel.h"

#include <QListView>

namespace databound {

class ViewLink;

// A list of one field of a table's records (say, the lesson names), in the
// table's order and filter. The current record is the selected entry; a
// click on an entry makes its record current.
class LookupListBox : public QListView {
    Q_OBJECT
public:
    explicit LookupListBox(QWidget* parent = nullptr);

    void bind(DataSource* source, const QString& field);
    DataSource* dataSource() const { return model_->dataSource(); }
    QString fieldName() const;
    TableModel* tableModel() const { return model_; }

signals:
    // The user clicked an entry; its record is current by now.
    void recordClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    TableModel* model_;
    ViewLink* link_;
};

} // namespace databound
