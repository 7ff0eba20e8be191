// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QStringList>
#include <QTest>

namespace testsupport {

// The row whose first column shows `text`, or -1.
inline int rowShowing(const QAbstractItemView* view, const QString& text) {
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 0).data().toString() == text)
            return r;
    return -1;
}

// What the first column shows, sorted: the order a view shows is not asked.
inline QStringList sortedTexts(const QAbstractItemView* view) {
    QStringList out;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, 0).data().toString();
    out.sort();
    return out;
}

// Where a user clicks a row: the middle of its first cell.
inline QPoint rowCentre(const QAbstractItemView* view, int row) {
    return view->visualRect(view->model()->index(row, 0)).center();
}

// Clicks the row showing `text`; false when no row shows it.
inline bool clickRow(QAbstractItemView* view, const QString& text) {
    const int r = rowShowing(view, text);
    if (r < 0)
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowCentre(view, r));
    return true;
}

} // namespace testsupport
