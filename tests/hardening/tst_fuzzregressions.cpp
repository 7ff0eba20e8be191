// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the fuzzers' seed corpora and every input that once made a parser
// fail through the same entries, in the normal build.
#include "entries.h"

#include <QDir>
#include <QFile>
#include <QTest>

class FuzzRegressionsTest : public QObject {
    Q_OBJECT

private slots:
    void inputsThatOnceFailedAreHandled_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("path");
        const auto& entries = fuzzentry::all();
        int regressions = 0;
        for (int e = 0; e < int(entries.size()); ++e)
            for (const char* folder : {"regressions", "corpus"}) {
                const QDir dir(QStringLiteral(VT_FUZZ_DIR "/%1/%2").arg(folder, entries[size_t(e)].name));
                for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
                    const QString tag = QStringLiteral("%1/%2/%3").arg(folder, entries[size_t(e)].name, name);
                    QTest::newRow(qPrintable(tag)) << e << dir.filePath(name);
                    regressions += folder[0] == 'r';
                }
            }
        QVERIFY2(regressions > 0, "no regression inputs found under " VT_FUZZ_DIR);
    }

    void inputsThatOnceFailedAreHandled() {
        QFETCH(int, entry);
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        // An entry aborts on a fault; returning means the input was handled.
        fuzzentry::all()[size_t(entry)].entry(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                              size_t(bytes.size()));
    }
};

QTEST_GUILESS_MAIN(FuzzRegressionsTest)
#include "tst_fuzzregressions.moc"
