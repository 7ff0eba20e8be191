// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessonlistdelegate.h"
#include "core/fieldnames.h"
#include "databound/tablemodel.h"

#include <QLocale>

namespace vocabulary {

LessonListDelegate::LessonListDelegate(const databound::TableModel* lessons, const ts::Table& members, QObject* parent)
    : QStyledItemDelegate(parent), lessons_(lessons), members_(members) {}

QString LessonListDelegate::textFor(const QModelIndex& index) const {
    const QString name = index.data().toString();
    const ts::Table* lessons = lessons_->dataSource() ? lessons_->dataSource()->table() : nullptr;
    const int viewIndex = lessons_->viewIndex(index.row());
    if (!lessons || !lessons->isOpen() || viewIndex < 0 || !members_.isOpen())
        return name; // a lesson being created has no words yet to count
    try {
        const QVariant id = lessons->valueAt(viewIndex, lessons->field(core::field::kId));
        const QLocale german(QLocale::German, QLocale::Germany);
        return QStringLiteral("%1 (%2)").arg(name, german.toString(members_.countOf(core::field::kLessonId, id)));
    } catch (...) {
        return name; // a list is drawn whatever the tables hold
    }
}

void LessonListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = textFor(index);
}

} // namespace vocabulary
