// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace ts {
class Table;
}

namespace databound {
class TableModel;
}

namespace vocabulary {

// Draws each lesson of a lesson list with the number of its words,
// "Tiere (12)"; the stored name stays as it is.
class LessonListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    LessonListDelegate(const databound::TableModel* lessons, const ts::Table& members, QObject* parent);

    QString textFor(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const databound::TableModel* lessons_;
    const ts::Table& members_;
};

} // namespace vocabulary
