// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "databound/datasource.h"
#include "support/vocabularyrows.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace testsupport {

// A vocabulary table of the program's own shape, ordered by `deutsch`.
inline void openVocabulary(ts::Table& t, const QStringList& german = {}) {
    core::Database::defineVocabulary(t);
    t.setOrder("deutsch");
    t.createDataSet();
    for (int id = 1; id <= german.size(); ++id) {
        const QString& de = german[id - 1];
        const int level = 1 + (id + 1) % 3;
        appendRow(t, {.id = id, .german = de, .foreign = de.toLower() + "-en", .kind = "Substantiv", .level = level});
    }
    if (!t.isEmpty())
        t.first();
}

inline QStringList sampleWords() {
    return {"Apfel", "Baum", "Dach", "Fenster", "Garten", "Haus", "Hund", "Katze", "Maus", "Tisch"};
}

// The messages a control reported instead of throwing.
struct Messages {
    QStringList shown;
    void attach(databound::DataSource& ds) {
        ds.setErrorHandler([this](const QString& m) { shown << m; });
    }
};

// Shows a widget offscreen and makes it the active window, so clicks, keys
// and focus behave as on a desktop.
inline bool showActive(QWidget& w) {
    w.resize(w.sizeHint().expandedTo(QSize(520, 320)));
    w.show();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    return QTest::qWaitForWindowExposed(&w);
}

} // namespace testsupport
