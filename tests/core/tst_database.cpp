// SPDX-License-Identifier: GPL-3.0-or-later
// The five tables, identifier rules and the vocabulary file.
#include "core/database.h"
#include "core/vocabularyfile.h"
#include "support/databasefixture.h"
#include "support/vocabularyrows.h"
#include "tablestore/tableerror.h"

#include <QFile>
#include <QTest>

class DatabaseTest : public QObject, public testsupport::DatabaseFixture {
    Q_OBJECT

    void addUser(const QString& name, const QString& language) { testsupport::appendUser(db->users, name, language); }

    void addWord(const QString& de, const QString& en) {
        testsupport::appendRow(db->vocabulary, {.german = de, .foreign = en});
    }

private slots:
    void init() { openDatabase(); }

    void tablesHaveTheirFieldsFilesAndOrderings() {
        QCOMPARE(db->users.fields().size(), size_t(5));
        QCOMPARE(db->users.fields()[2].name, QString("Letzte Sprache"));
        QCOMPARE(db->vocabulary.fields()[6].size, 250);
        QCOMPARE(db->vocabulary.fields()[4].size, 50);
        QCOMPARE(db->knowledge.fields()[2].type, ts::FieldType::Float);
        QVERIFY(db->lessons.fileName().endsWith("/lektion.xml"));
        QVERIFY(db->members.fileName().endsWith("/bestehtaus.xml"));
        QCOMPARE(db->users.order(), QString("Name"));
        QCOMPARE(db->members.order(), QString("VokabelID"));
        QCOMPARE(db->vocabulary.order(), QString("deutsch"));
        QCOMPARE(db->vocabularyFilePath("englisch"), dir->filePath("englisch.v02"));
    }

    void identifiersComeFromTheCountersAndAreWrittenAtOnce() {
        QCOMPARE(db->users.integer("ID"), 1);
        QCOMPARE(settings->readInteger("LastBenutzerID"), 1);
        // A cancelled insert uses its number up.
        db->users.insert();
        db->users.cancel();
        addUser("Zweite", "englisch");
        QCOMPARE(db->users.integer("ID"), 3);

        db->lessons.insert();
        QCOMPARE(db->lessons.integer("ID"), 1);
        QCOMPARE(db->lessons.text("Sprache"), QString("englisch"));
        db->lessons.setValue("Name", "Lektion 1");
        db->lessons.post();

        settings->writeInteger("LastVokID", 10000);
        db->vocabulary.insert();
        QCOMPARE(db->vocabulary.integer("ID"), 10001);
        QCOMPARE(db->vocabulary.integer("Schwierigkeitsgrad"), 1);
        QCOMPARE(db->vocabulary.text("Gattung"), QString("Substantiv"));
        QVERIFY(!db->vocabulary.isModified());
        QCOMPARE(settings->readInteger("LastVokID"), 10001);
    }

    void anIdentifierInUseIsNeverHandedOutAgain() {
        settings->writeInteger("LastVokID", 10000);
        addWord("Hund", "dog");
        addWord("Katze", "cat");
        settings->writeInteger("LastVokID", 10000); // the counter went back
        addWord("Maus", "mouse");
        QCOMPARE(db->vocabulary.integer("ID"), 10003);
        QCOMPARE(settings->readInteger("LastVokID"), 10003);
    }

    void twoLanguagesShareTheVocabularyCounter() {
        settings->writeInteger("LastVokID", 10000);
        addWord("Hund", "dog");
        db->WriteVocabularyFile();
        db->users.edit();
        db->users.setValue("Letzte Sprache", "französisch");
        db->users.post();
        db->RecreateVocabularyTable();
        QVERIFY(QFile::exists(dir->filePath("französisch.v02")));
        QVERIFY(db->vocabulary.isEmpty());
        addWord("Hund", "chien");
        QCOMPARE(db->vocabulary.integer("ID"), 10002);
    }

    void vocabularyFileIsMaskedAndRoundTrips() {
        addWord("Grüße", "greetings & \"regards\"");
        addWord("Zeile\nzwei", "<b>");
        db->WriteVocabularyFile();
        QFile f(dir->filePath("englisch.v02"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(!raw.contains("<?xml"));
        QVERIFY(!raw.contains("Gr"));
        QVERIFY(core::vocabularyfile::mask(raw).startsWith("<?xml"));

        db->vocabulary.close();
        db->vocabulary.open();
        QVERIFY(db->vocabulary.isEmpty());
        QVERIFY(db->locateCurrentUser());
        db->ReadVocabularyFile();
        QCOMPARE(db->vocabulary.recordCount(), 2);
        QVERIFY(db->vocabulary.locate("deutsch", "Zeile\nzwei"));
        QCOMPARE(db->vocabulary.text("auslaendisch"), QString("<b>"));
        QCOMPARE(db->vocabulary.fields().size(), size_t(7));
    }

    void damagedVocabularyFileChangesNothing() {
        addWord("Hund", "dog");
        db->WriteVocabularyFile();
        QFile f(dir->filePath("englisch.v02"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray good = f.readAll();
        f.close();
        const QByteArray damaged = good.left(good.size() - 20);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(damaged);
        f.close();
        addWord("Katze", "cat");
        try {
            db->ReadVocabularyFile();
            QFAIL("no error");
        } catch (const ts::TableError& e) {
            QVERIFY2(e.message().startsWith("Die Vokabeldatei"), qPrintable(e.message()));
        }
        QCOMPARE(db->vocabulary.recordCount(), 2);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), damaged);
        f.close();

        QFile::remove(dir->filePath("englisch.v02"));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, db->ReadVocabularyFile());
        QCOMPARE(db->vocabulary.recordCount(), 2);
    }

    void membersLookUpTheLoadedVocabulary() {
        settings->writeInteger("LastVokID", 10000);
        addWord("Hund", "dog");
        for (int v : {10001, 99999}) {
            db->members.insert();
            db->members.setValue("LektionsID", 1);
            db->members.setValue("VokabelID", v);
            db->members.post();
        }
        db->members.first();
        QCOMPARE(db->members.text("xdeutsch"), QString("Hund"));
        QCOMPARE(db->members.text("xauslaendisch"), QString("dog"));
        db->members.next();
        QCOMPARE(db->members.text("xdeutsch"), QString());
        QCOMPARE(db->members.text("xauslaendisch"), QString());
    }

    void recreatingUserTablesWritesEmptyFiles() {
        db->RecreateUserTables();
        QVERIFY(db->users.isOpen() && db->users.isEmpty());
        QVERIFY(db->knowledge.isOpen());
        QVERIFY(QFile::exists(dir->filePath("benutzer.xml")));
        QVERIFY(QFile::exists(dir->filePath("kann.xml")));
        ts::Table check("c");
        check.loadFromFile(dir->filePath("kann.xml"));
        QCOMPARE(check.fields().size(), size_t(4));
        QCOMPARE(check.fields()[3].name, QString("Abfrage"));
    }

    void closingWritesTheTableFiles() {
        db->lessons.close();
        QVERIFY(QFile::exists(dir->filePath("lektion.xml")));
        db->users.close();
        db->users.open();
        QCOMPARE(db->users.recordCount(), 1);
        QCOMPARE(db->users.text("Name"), QString("TestName"));
    }
};

QTEST_GUILESS_MAIN(DatabaseTest)
#include "tst_database.moc"
