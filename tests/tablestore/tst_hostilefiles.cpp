// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what the program wrote: foreign XML, broken UTF-8, pipes,
// devices, links to nothing; and sets of files replaced together.
#include "tablestore/table.h"
#include "tablestore/tableerror.h"
#include "tablestore/wholefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using ts::FileRead;
using ts::Table;

namespace {
const QByteArray kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<table format=\"moriva-table\" version=\"1\">\n"
    "<fields>\n<field name=\"ID\" type=\"integer\"/>\n<field name=\"Name\" type=\"string\" size=\"100\"/>\n"
    "</fields>\n";

QByteArray table(const QByteArray& rows) {
    return kHead + "<rows>\n" + rows + "</rows>\n</table>\n";
}

bool refused(const QByteArray& bytes) {
    Table t("t");
    try {
        t.loadFromBuffer(bytes);
    } catch (const ts::TableError&) {
        return true;
    }
    return false;
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT

private slots:
    void foreignElementsWhereRowsBelongAreDamage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("foreign row element") << table("<user c0=\"1\" c1=\"x\"/>\n");
        QTest::newRow("element inside a row") << table("<r c0=\"1\"><r c0=\"2\"/></r>\n");
        QTest::newRow("text inside rows") << table("Hallo\n");
        QTest::newRow("second rows") << kHead + "<rows/>\n<rows><r c0=\"1\"/></rows>\n</table>\n";
        QTest::newRow("foreign element in table") << table("").replace("</table>", "<extra/></table>");
        QTest::newRow("foreign field element") << table("").replace("<fields>\n", "<fields>\n<feld/>\n");
        QTest::newRow("foreign field attribute") << table("").replace("size=\"100\"", "size=\"100\" x=\"1\"");
        QTest::newRow("second root") << table("") + "<table/>\n";
        QTest::newRow("unknown row attribute") << table("<r c0=\"1\" name=\"x\"/>\n");
    }
    void foreignElementsWhereRowsBelongAreDamage() {
        QFETCH(QByteArray, bytes);
        QVERIFY(refused(bytes));
    }

    void wellFormedRowsStillLoad() {
        Table t("t");
        t.loadFromBuffer(table("<!-- Kommentar -->\n<r c0=\"1\" c1=\"Grüße 😀\"/>\n<r c0=\"2\"/>\n"));
        QCOMPARE(t.recordCount(), 2);
        t.first();
        QCOMPARE(t.text("Name"), QString("Grüße 😀"));
    }

    void brokenUtf8IsDamage_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("stray byte") << QByteArray("ab\xFF"
                                                  "c");
        QTest::newRow("latin-1") << QByteArray("Gr\xFC\xDF"
                                               "e");
        QTest::newRow("cut short") << QByteArray("x\xE2\x82");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF");
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
    }
    void brokenUtf8IsDamage() {
        QFETCH(QByteArray, text);
        QVERIFY(refused(table("<r c0=\"1\" c1=\"" + text + "\"/>\n")));
        QVERIFY(refused(table("").replace("name=\"Name\"", "name=\"" + text + "\"")));
    }

    void messagesAreGerman() {
        Table t("t");
        try {
            t.loadFromBuffer(table("<r c0=\"1\" c1=\"x/>\n"));
            QFAIL("no error");
        } catch (const ts::TableError& e) {
            QVERIFY2(e.message().contains("XML-Fehler") && !e.message().contains("Error"), qPrintable(e.message()));
        }
        QTemporaryDir dir;
        t.createDataSet();
        try {
            t.saveToFile(dir.filePath("fehlt/t.xml"));
            QFAIL("no error");
        } catch (const ts::TableError& e) {
            QVERIFY2(e.message().contains("nicht vorhanden") && !e.message().contains("No such"),
                     qPrintable(e.message()));
        }
        QVERIFY(!ts::systemReason(EACCES).contains("Permission"));
    }

    void onlyRegularFilesOfSaneSizeAreRead() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("kann.xml");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(ts::readWholeFile(fifo, 1000).problem, FileRead::Problem::NotRegular); // returns, does not block
        const QString zero = dir.filePath("null.xml");
        QVERIFY(QFile::link("/dev/zero", zero));
        QCOMPARE(ts::readWholeFile(zero, 1000).problem, FileRead::Problem::NotRegular);
        Table t("t");
        QVERIFY_THROWS_EXCEPTION(ts::DamagedFile, t.loadFromFile(zero));
        QVERIFY(ts::readWholeFile(dir.path(), 1000).problem != FileRead::Problem::None);

        const QString big = dir.filePath("gross.xml");
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1001, 'x'));
        f.close();
        QCOMPARE(ts::readWholeFile(big, 1000).problem, FileRead::Problem::TooLarge);
        const FileRead whole = ts::readWholeFile(big, 1001);
        QCOMPARE(whole.problem, FileRead::Problem::None);
        QCOMPARE(whole.bytes.size(), 1001);
        QCOMPARE(ts::readWholeFile(dir.filePath("fehlt.xml"), 1000).problem, FileRead::Problem::Missing);
    }

    void aLinkToNothingIsReportedAndReplacedOnSaving() {
        QTemporaryDir dir;
        const QString link = dir.filePath("kann.xml");
        QVERIFY(QFile::link(dir.filePath("weg/kann.xml"), link));
        QCOMPARE(ts::readWholeFile(link, 1000).problem, FileRead::Problem::DanglingLink);
        Table t("t");
        t.setFileName(link);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.open()); // not silently empty
        QCOMPARE(ts::writeWholeFile(link, "neu"), QString());
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(contentOf(link), QByteArray("neu"));

        // A link to an existing file keeps pointing at it.
        const QString real = dir.filePath("echt.xml");
        QCOMPARE(ts::writeWholeFile(real, "alt"), QString());
        const QString toReal = dir.filePath("verweis.xml");
        QVERIFY(QFile::link(real, toReal));
        QCOMPARE(ts::writeWholeFile(toReal, "neu"), QString());
        QVERIFY(QFileInfo(toReal).isSymLink());
        QCOMPARE(contentOf(real), QByteArray("neu"));
    }

    void aSetIsReplacedWholeAndAnInterruptedOneIsCompleted() {
        QTemporaryDir dir;
        const QString marker = dir.filePath("marker");
        ts::FileSet set(marker);
        set.add(dir.filePath("a.xml"), "A1");
        set.add(dir.filePath("b.xml"), "B1");
        QCOMPARE(set.commit(), QString());
        QCOMPARE(contentOf(dir.filePath("a.xml")), QByteArray("A1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.xml", "b.xml"}));

        // A set whose second file cannot be written replaces none.
        ts::FileSet failing(marker);
        failing.add(dir.filePath("a.xml"), "A2");
        failing.add(dir.filePath("fehlt/b.xml"), "B2");
        QVERIFY(!failing.commit().isEmpty());
        QCOMPARE(contentOf(dir.filePath("a.xml")), QByteArray("A1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.xml", "b.xml"}));

        // Ended after the marker, with one file renamed: the next start
        // completes the set.
        ts::PendingFile a(dir.filePath("a.xml")), b(dir.filePath("b.xml"));
        QCOMPARE(a.write("A3"), QString());
        QCOMPARE(b.write("B3"), QString());
        QCOMPARE(ts::writeWholeFile(marker, QFile::encodeName(a.temporaryPath()) + '\n' +
                                                QFile::encodeName(b.temporaryPath()) + '\n'),
                 QString());
        QCOMPARE(a.commit(), QString());
        b.keep();
        QCOMPARE(contentOf(dir.filePath("b.xml")), QByteArray("B1"));
        QCOMPARE(ts::recoverFileSet(marker), (QStringList{dir.filePath("b.xml")}));
        QCOMPARE(contentOf(dir.filePath("a.xml")), QByteArray("A3"));
        QCOMPARE(contentOf(dir.filePath("b.xml")), QByteArray("B3"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"a.xml", "b.xml"}));
        QVERIFY(ts::recoverFileSet(marker).isEmpty());
    }
};

QTEST_GUILESS_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
