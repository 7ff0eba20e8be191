// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "support/vocabularyrows.h"

#include <QDir>
#include <QTest>
#include <functional>

namespace testsupport {

// Writes a vocabulary file with the given (ID, German word) rows.
inline void writeVocabulary(const QString& path, const QList<std::pair<int, QString>>& words) {
    QList<VocabularyRow> rows;
    for (const auto& [id, de] : words)
        rows.append({id, de, de + "-en"});
    writeVocabularyFile(path, rows);
}

inline QStringList germanWords(ts::Table& v) {
    QStringList out;
    v.first();
    while (!v.eof()) {
        out << v.text("deutsch");
        v.next();
    }
    return out;
}

// The real main window with all its windows on `ctx`, started as the
// program starts; `beforeShow` runs once the windows exist.
inline void startMainform(std::unique_ptr<shell::Mainform>& form, core::AppContext& ctx,
                          const std::function<void(shell::Mainform&)>& beforeShow = {}) {
    form = std::make_unique<shell::Mainform>(ctx);
    form->createWindows();
    if (beforeShow)
        beforeShow(*form);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

// The real main window on a TestContext made fresh for each test.
struct MainWindowFixture {
    std::unique_ptr<TestContext> tc;
    std::unique_ptr<shell::Mainform> form;

    void start() { startMainform(form, *tc->ctx); }
    void stop() {
        form->close();
        form.reset();
        tc->make();
    }
};

} // namespace testsupport
