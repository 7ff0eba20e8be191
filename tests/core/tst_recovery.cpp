// SPDX-License-Identifier: GPL-3.0-or-later
// The identifiers a vocabulary file uses, read without loading it.
#include "core/database.h"
#include "core/recovery.h"
#include "core/vocabularyfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class RecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void theLargestIdIsFoundWhateverTheOtherFieldsHold() {
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        v.createDataSet();
        const QList<std::pair<int, QString>> rows{
            {12, QStringLiteral(" c0=\"99999\" ")}, {20500, QStringLiteral("<r c0=\"88888\"/>")}, {7, QString()}};
        for (const auto& [id, remark] : rows) {
            v.insert();
            v.setValue("ID", id);
            v.setValue("deutsch", remark);
            v.setValue("Bemerkung", remark);
            v.post();
        }
        v.insert(); // a row without an ID
        v.setValue("deutsch", "ohne Nummer");
        v.post();
        const QString path = dir.filePath("englisch.v02");
        core::vocabularyfile::write(v, path);
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
