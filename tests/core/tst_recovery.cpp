// SPDX-License-Identifier: GPL-3.0-or-later
// The identifiers a vocabulary file uses, read without loading it.
#include "core/database.h"
#include "core/recovery.h"
#include "core/vocabularyfile.h"
#include "support/vocabularyrows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class RecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void theLargestIdIsFoundWhateverTheOtherFieldsHold() {
        const QString hostile[] = {QStringLiteral(" c0=\"99999\" "), QStringLiteral("<r c0=\"88888\"/>"), QString()};
        const QString path = dir.filePath("englisch.v02");
        testsupport::writeVocabularyFile(path, {{.id = 12, .german = hostile[0], .remark = hostile[0]},
                                                {.id = 20500, .german = hostile[1], .remark = hostile[1]},
                                                {.id = 7, .german = hostile[2], .remark = hostile[2]},
                                                {.german = "ohne Nummer"}}); // the last without an ID
        QCOMPARE(core::recovery::largestVocabularyId(path), 20500);
    }

    void aFileWithoutIdentifiersGivesZero_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("leer") << QByteArray();
        QTest::newRow("kein XML") << QByteArray("kaputt c0=\"5\"");
        QTest::newRow("ID kein Feld") << QByteArray("<table><fields><field name=\"deutsch\" type=\"string\"/></fields>"
                                                    "<rows><r c0=\"5\"/></rows></table>");
        QTest::newRow("Zahl abgeschnitten")
            << QByteArray("<table><fields><field name=\"ID\" type=\"integer\"/></fields>"
                          "<rows><r c0=\"123");
    }
    void aFileWithoutIdentifiersGivesZero() {
        QFETCH(QByteArray, plain);
        const QString path = dir.filePath("kaputt.v02");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(core::vocabularyfile::mask(plain));
        f.close();
        QCOMPARE(core::recovery::largestVocabularyId(path), 0);
        QCOMPARE(core::recovery::largestVocabularyId(dir.filePath("fehlt.v02")), 0);
    }
};

QTEST_GUILESS_MAIN(RecoveryTest)
#include "tst_recovery.moc"
