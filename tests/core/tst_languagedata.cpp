// SPDX-License-Identifier: GPL-3.0-or-later
// What start-up and a language change prepare: the lesson "ALLE VOKABELN",
// subject groups, practice options and the first start's data folder.
#include "core/database.h"
#include "core/firststart.h"
#include "core/lessons.h"
#include "core/practiceoptions.h"
#include "core/subjectgroups.h"
#include "core/vocabularyfile.h"
#include "support/databasefixture.h"
#include "support/vocabularyrows.h"
#include "tablestore/tableerror.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace core;

class LanguageDataTest : public QObject, public testsupport::DatabaseFixture {
    Q_OBJECT

    void addWord(const QString& de, const QString& group) {
        testsupport::appendRow(db->vocabulary, {.german = de, .group = group});
    }

private slots:
    void init() { openDatabase(); }

    void allVocabularyLessonIsCreatedOnceWithEveryWord() {
        settings->writeInteger("LastVokID", 10000);
        addWord("Hund", "Tiere");
        addWord("Apfel", "Essen");
        addWord("Katze", "Tiere");
        addWord("Haus", "");
        SubjectGroups groups(*settings);
        QList<bool> link;
        EnsureAllVocabularyLesson(*db, groups, [&](bool on) { link << on; });
        QCOMPARE(link, (QList<bool>{false, true}));
        QCOMPARE(db->vocabulary.order(), QString("ID"));
        QVERIFY(db->lessons.locate("Name;Sprache", {"ALLE VOKABELN", "englisch"}));
        const int lesson = db->lessons.integer("ID");
        db->members.setFilter("LektionsID = " + QString::number(lesson));
        db->members.setFiltered(true);
        QCOMPARE(db->members.recordCount(), 4);
        db->members.first();
        QCOMPARE(db->members.integer("VokabelID"), 10001);
        QCOMPARE(settings->subkeys("englisch"), (QStringList{"Essen", "Tiere"}));

        // A second run finds the lesson and repairs nothing.
        db->members.deleteRecord();
        EnsureAllVocabularyLesson(*db, groups, {});
        db->members.setFiltered(true);
        QCOMPARE(db->members.recordCount(), 3);
        db->lessons.setFilter("Name = 'ALLE VOKABELN'");
        db->lessons.setFiltered(true);
        QCOMPARE(db->lessons.recordCount(), 1);
    }

    void subjectGroupsKeepBackslashesAndLoadSorted() {
        SubjectGroups groups(*settings);
        groups.RegisterSubjectGroup("englisch", "Zahlen");
        groups.RegisterSubjectGroup("englisch", "Ein\\Aus 100%");
        groups.RegisterSubjectGroup("englisch", "");
        groups.RegisterSubjectGroup("französisch", "Tiere");
        groups.LoadSubjectGroups("englisch");
        QCOMPARE(groups.list(), (QStringList{"Ein\\Aus 100%", "Zahlen"}));
        groups.noteSaved("englisch", "Auto");
        groups.noteSaved("englisch", "Auto");
        QCOMPARE(groups.list(), (QStringList{"Ein\\Aus 100%", "Zahlen", "Auto"}));
        groups.LoadSubjectGroups("englisch");
        QCOMPARE(groups.list(), (QStringList{"Auto", "Ein\\Aus 100%", "Zahlen"}));
    }

    void practiceOptionsReplaceMissingValues() {
        PracticeOptions o;
        o.load(*settings);
        QCOMPARE(o.OrderMode, 1);
        QCOMPARE(o.TimeBudget, 360);
        QCOMPARE(o.rawTimeBudget, 0);
        QVERIFY(!o.keyboard && !o.loop && !o.timerOn);
        settings->writeInteger("Timer", 2); // read under another letter case
        settings->writeInteger("reihenfolge", 3);
        settings->writeInteger("timerzeit", 90);
        o.load(*settings);
        QVERIFY(o.timerOn);
        QCOMPARE(o.OrderMode, 3);
        QCOMPARE(o.TimeBudget, 90);
        o.selectedTimerMode.reset();
        o.Direction = 1;
        o.save(*settings);
        QCOMPARE(settings->readInteger("timer"), 2); // untouched when none selected
        QCOMPARE(settings->readInteger("richtung"), 1);
        o.selectedTimerMode = 0;
        o.save(*settings);
        QCOMPARE(settings->readInteger("TIMER"), 0);
    }

    void firstStartCreatesTheFolderWithTheWordListOnce() {
        const QString folder = dir->filePath("Moriva Vokabeltrainer");
        const QByteArray tsv = "deutsch\tauslaendisch\tSachgruppe\tGattung\tSchwierigkeitsgrad\tBemerkung\n"
                               "Hund\tdog\tTiere\tSubstantiv\t1\tder; Pl.: Hunde\n"
                               "gehen\tto go\t\tVerb\t1\tengl. unregelm.: went, gone\n";
        QVERIFY(firststart::prepareDataFolder(folder, tsv, "%PDF-1.4 Handbuch"));
        ts::Table v("v");
        Database::defineVocabulary(v);
        vocabularyfile::read(v, folder + "/englisch.v02");
        QCOMPARE(v.recordCount(), 2);
        v.setOrder("ID");
        v.last();
        QCOMPARE(v.integer("ID"), 2);
        QCOMPARE(v.text("Bemerkung"), QString("engl. unregelm.: went, gone"));
        QCOMPARE(v.integer("Schwierigkeitsgrad"), 1);
        QFile manual(folder + "/" + firststart::kManualFileName);
        QVERIFY(manual.open(QIODevice::ReadOnly));
        QCOMPARE(manual.readAll(), QByteArray("%PDF-1.4 Handbuch"));
        manual.close();
        // The folder exists now: nothing is written again.
        QVERIFY(QFile::remove(folder + "/englisch.v02"));
        QVERIFY(!firststart::prepareDataFolder(folder, tsv, "anderes"));
        QVERIFY(!QFile::exists(folder + "/englisch.v02"));

        ts::Table bad("b");
        Database::defineVocabulary(bad);
        bad.createDataSet();
        QVERIFY_THROWS_EXCEPTION(ts::TableError, firststart::fillFromWordList(bad, "kopf\nnur\tzwei\n"));
    }

    void bulkInsertPlacesRowsOnceAtTheEnd() {
        ts::Table& m = db->members;
        for (int v : {30, 10})
            m.insert(), m.setValue("LektionsID", 1), m.setValue("VokabelID", v), m.post();
        m.beginBulkInsert();
        for (int v : {25, 5, 40})
            m.insert(), m.setValue("LektionsID", 2), m.setValue("VokabelID", v), m.post();
        m.endBulkInsert();
        QStringList ids;
        m.first();
        while (!m.eof())
            ids << m.text("VokabelID"), m.next();
        QCOMPARE(ids, (QStringList{"5", "10", "25", "30", "40"}));
        QCOMPARE(m.integer("VokabelID"), 40); // the last one posted stays current
    }
};

QTEST_GUILESS_MAIN(LanguageDataTest)
#include "tst_languagedata.moc"
