// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/vocabularyfile.h"
#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "tablestore/cursorguard.h"

#include <QDir>
#include <QTest>

namespace testsupport {

// Writes a vocabulary file with the given (ID, German word) rows.
inline void writeVocabulary(const QString& path, const QList<std::pair<int, QString>>& words) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    ts::Table v("v");
    core::Database::defineVocabulary(v);
    v.createDataSet();
    {
        const ts::BulkInsertGuard bulk(v);
        for (const auto& [id, de] : words) {
            v.insert();
            v.setValue("ID", id);
            v.setValue("deutsch", de);
            v.setValue("auslaendisch", de + "-en");
            v.post();
        }
    }
    core::vocabularyfile::write(v, path);
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

// The real main window with all its windows on a TestContext, started as
// the program starts.
struct MainWindowFixture {
    std::unique_ptr<TestContext> tc;
    std::unique_ptr<shell::Mainform> form;

    void start() {
        form = std::make_unique<shell::Mainform>(*tc->ctx);
        form->createWindows();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void stop() {
        form->close();
        form.reset();
        tc->make();
    }
};

} // namespace testsupport
