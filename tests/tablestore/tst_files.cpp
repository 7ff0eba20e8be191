// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading both file forms, and the rules for bound files.
#include "support/sampletable.h"
#include "tablestore/tableerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace testsupport;
using ts::Table;

namespace {
const QStringList kTricky{"",
                          "\"Anführungszeichen\" & 'Hochkomma'",
                          "<tag attr=\"1\">&amp;</tag>",
                          "Zeile 1\nZeile 2\r\nZeile 3\tTab",
                          "Grüße aus Köln: ÄÖÜäöüß",
                          "Ελληνικά, русский, 日本語",
                          "Emoji 😀👍🏽",
                          "עברית مرحبا",
                          "  Leerzeichen  ",
                          QString("Steuer\x01zeichen\x1f")};
}

class FilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    void fillTricky(Table& t) {
        defineWords(t);
        t.createDataSet();
        int id = 0;
        for (const QString& s : kTricky) {
            ++id;
            addWord(t, id, s, s, id * 0.1);
        }
        addWord(t, -2147483647 - 1, QVariant(), "", QVariant()); // nulls kept apart from ""
        addWord(t, 2147483647, "max", QVariant(), 1e300);
    }

    static QByteArray withDouble(QByteArray bytes, double from, double to) {
        const QByteArray a(reinterpret_cast<const char*>(&from), sizeof from);
        const QByteArray b(reinterpret_cast<const char*>(&to), sizeof to);
        Q_ASSERT(bytes.count(a) == 1);
        return bytes.replace(a, b);
    }

    void compareWithTricky(Table& t) {
        QCOMPARE(t.fields().size(), size_t(4));
        QCOMPARE(t.fields()[1].name, QString("deutsch"));
        QCOMPARE(t.fields()[1].size, 100);
        QCOMPARE(t.fields()[0].type, ts::FieldType::Integer);
        QCOMPARE(t.fields()[3].type, ts::FieldType::Float);
        QCOMPARE(t.recordCount(), int(kTricky.size()) + 2);
        t.first();
        for (int i = 0; i < kTricky.size(); ++i, t.next()) {
            QCOMPARE(t.integer("ID"), i + 1);
            QCOMPARE(t.text("deutsch"), kTricky[i]);
            QCOMPARE(t.isNull("deutsch"), false);
            QCOMPARE(t.number("Stufe"), (i + 1) * 0.1);
        }
        QCOMPARE(t.integer("ID"), -2147483647 - 1);
        QVERIFY(t.isNull("deutsch"));
        QVERIFY(!t.isNull("auslaendisch"));
        QVERIFY(t.isNull("Stufe"));
        t.next();
        QCOMPARE(t.integer("ID"), 2147483647);
        QVERIFY(t.isNull("auslaendisch"));
        QCOMPARE(t.number("Stufe"), 1e300);
    }

private slots:
    void bothFormsReturnWhatWasSaved_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("xml") << "t.xml";
        QTest::newRow("XML any case") << "t.XmL";
        QTest::newRow("compact") << "t.dat";
    }
    void bothFormsReturnWhatWasSaved() {
        QFETCH(QString, file);
        Table a("a");
        fillTricky(a);
        const QString path = dir.filePath(file);
        a.saveToFile(path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const bool isXml = f.read(5) == "<?xml";
        QCOMPARE(isXml, file.endsWith(".xml", Qt::CaseInsensitive));
        Table b("b");
        b.loadFromFile(path);
        compareWithTricky(b);
    }

    void buffersRoundTripInBothForms() {
        Table a("a");
        fillTricky(a);
        for (auto format : {Table::Format::Xml, Table::Format::Compact}) {
            Table b("b");
            b.loadFromBuffer(a.saveToBuffer(format));
            compareWithTricky(b);
        }
    }

    void nulSurvivesOnlyTheCompactForm() {
        Table a("a");
        defineWords(a);
        a.createDataSet();
        addWord(a, 1, QString("vor") + QChar(0) + "nach", "");
        Table b("b");
        b.loadFromBuffer(a.saveToBuffer(Table::Format::Compact));
        QCOMPARE(b.text("deutsch").size(), 8);
        b.loadFromBuffer(a.saveToBuffer(Table::Format::Xml));
        QCOMPARE(b.text("deutsch"), QString("vornach"));
    }

    void deletedRecordsAreNotSaved() {
        Table a("a");
        fillTricky(a);
        a.first();
        a.deleteRecord();
        Table b("b");
        b.loadFromBuffer(a.saveToBuffer(Table::Format::Xml));
        QCOMPARE(b.recordCount(), a.recordCount());
        b.first();
        QCOMPARE(b.integer("ID"), 2);
    }

    void savingPostsAPendingChange() {
        Table a("a");
        fillTricky(a);
        a.first();
        a.edit();
        a.setValue("deutsch", "geändert");
        Table b("b");
        b.loadFromBuffer(a.saveToBuffer(Table::Format::Compact));
        b.first();
        QCOMPARE(b.text("deutsch"), QString("geändert"));
    }

    void damagedDataIsRefusedAndTheTableKeepsItsContent() {
        Table a("a");
        fillTricky(a);
        const QByteArray xml = a.saveToBuffer(Table::Format::Xml);
        const QByteArray compact = a.saveToBuffer(Table::Format::Compact);
        const QList<QByteArray> bad{
            "", "kein xml", xml.left(xml.size() / 2), QByteArray(xml).replace("c0=\"3\"", "c0=\"drei\""),
            QByteArray(xml).replace("c1=", "c9="), QByteArray(xml).replace("type=\"float\"", "type=\"bool\""),
            compact.left(compact.size() - 1), compact + "x", QByteArray(compact).replace(5, 1, "\xff"),
            "<table><fields><field name=\"a\" type=\"string\"/><field name=\"A\" type=\"string\"/></fields></table>",
            // Numbers the program never stores, which no ordering could sort.
            QByteArray(xml).replace("\"1e+300\"", "\"nan\""), QByteArray(xml).replace("\"1e+300\"", "\"-inf\""),
            withDouble(compact, 1e300, std::numeric_limits<double>::quiet_NaN()),
            withDouble(compact, 1e300, std::numeric_limits<double>::infinity()),
            // No fields but four billion rows: refused before any row is made.
            QByteArray("MVTB\x01\0\0\0\0\xff\xff\xff\xff", 13),
            // A field name the XML form could not save again.
            QByteArray("MVTB\x01\x01\0\0\0\0\0\0\0\0\x03\0\0\0a\0b\0\0\0\0", 25)};
        for (const QByteArray& b : bad) {
            Table t("t");
            fillTricky(t);
            QVERIFY_THROWS_EXCEPTION(ts::TableError, t.loadFromBuffer(b));
            QVERIFY(t.isOpen());
            compareWithTricky(t);
        }
    }

    void unreadableFileGivesTheGermanMessage() {
        Table t("t");
        fillTricky(t);
        try {
            t.loadFromFile(dir.filePath("fehlt.xml"));
            QFAIL("no error");
        } catch (const ts::TableError& e) {
            QVERIFY2(e.message().startsWith("Datei ") && e.message().contains("kann nicht geöffnet werden."),
                     qPrintable(e.message()));
        }
        compareWithTricky(t);
    }

    void boundFileIsWrittenOnCloseOnlyWhenNeeded() {
        const QString path = dir.filePath("benutzer.xml");
        QFile::remove(path);
        Table t("benutzer");
        t.addField("ID", ts::FieldType::Integer);
        t.addField("Name", ts::FieldType::String, 100);
        t.setFileName(path);
        t.open(); // no file yet: empty, written on close
        QVERIFY(t.isEmpty());
        t.close();
        QVERIFY(QFile::exists(path));

        t.open();
        t.insert();
        t.setValue("Name", "Anna");
        t.post();
        QVERIFY(t.hasUnsavedChanges());
        t.close();
        t.open();
        QCOMPARE(t.recordCount(), 1);

        // Unchanged: closing must not touch the file.
        QVERIFY(QFile::remove(path));
        QFile marker(path);
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("fremd");
        marker.close();
        t.close();
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QCOMPARE(marker.readAll(), QByteArray("fremd"));
    }

    void closingDiscardsThePendingRecord() {
        const QString path = dir.filePath("k.xml");
        QFile::remove(path);
        Table t("k");
        defineWords(t);
        t.setFileName(path);
        t.open();
        addWord(t, 1, "a", "b");
        t.first();
        t.edit();
        t.setValue("deutsch", "nie gespeichert");
        t.close();
        t.open();
        QCOMPARE(t.text("deutsch"), QString("a"));
    }

    void reloadingWritesTheChangedTableFirst() {
        const QString own = dir.filePath("own.xml");
        const QString other = dir.filePath("other.xml");
        Table src("src");
        fillTricky(src);
        src.saveToFile(other);
        QFile::remove(own);
        Table t("t");
        defineWords(t);
        t.setFileName(own);
        t.open();
        addWord(t, 42, "eigen", "own");
        t.loadFromFile(other);
        QCOMPARE(t.recordCount(), int(kTricky.size()) + 2);
        Table check("c");
        check.loadFromFile(own);
        QCOMPARE(check.recordCount(), 1);
    }

    void definedFieldsShapeWhatIsLoaded() {
        Table old("old");
        old.addField("id", ts::FieldType::Integer);
        old.addField("Name", ts::FieldType::String, 50);
        old.addField("Extra", ts::FieldType::String, 10);
        old.createDataSet();
        old.insert();
        old.setValue("id", 7);
        old.setValue("Name", "Ben");
        old.setValue("Extra", "e");
        old.post();

        Table t("t");
        t.addField("ID", ts::FieldType::Integer);
        t.addField("Name", ts::FieldType::String, 100);
        t.addField("Punkte", ts::FieldType::Integer);
        t.loadFromBuffer(old.saveToBuffer(Table::Format::Xml));
        QCOMPARE(t.fields().size(), size_t(4));
        QCOMPARE(t.fields()[1].size, 100);
        QCOMPARE(t.integer("ID"), 7);
        QCOMPARE(t.text("Name"), QString("Ben"));
        QVERIFY(t.isNull("Punkte"));
        QCOMPARE(t.text("Extra"), QString("e"));
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
