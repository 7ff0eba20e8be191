// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown through the real main window, on temporary folders.
#include "core/vocabularyfile.h"
#include "shell/mainform.h"
#include "shell/workpanel.h"
#include "support/mainwindowfixture.h"
#include "support/userrows.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QTest>

using shell::Mainform;
using testsupport::TestContext;
using testsupport::writeVocabulary;

namespace {

QList<int> vocabularyIds(ts::Table& v) {
    QList<int> ids;
    v.first();
    while (!v.eof()) {
        ids << v.integer("ID");
        v.next();
    }
    return ids;
}

} // namespace

class StartupTest : public QObject, public testsupport::MainWindowFixture {
    Q_OBJECT

    QMap<QString, int> gridWidths; // a stand-in grid for the width rules

    void start() {
        testsupport::startMainform(form, *tc->ctx, [this](Mainform& m) {
            m.registerColumnWidths({"BreiteB",
                                    {"deutsch", "auslaendisch"},
                                    [this](const QString& f) { return gridWidths.value(f); },
                                    [this](const QString& f, int w) { gridWidths[f] = w; }});
        });
    }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        gridWidths.clear();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}, {3, "Apfel"}});
    }
    void cleanup() { form.reset(); }

    void firstStartOnACleanMachine() {
        start();
        auto& s = tc->ctx->settings;
        auto& db = tc->ctx->db;
        QVERIFY(QFile::exists(tc->dataFile("benutzer.xml")));
        QVERIFY(QFile::exists(tc->dataFile("kann.xml")));
        QCOMPARE(db.users.recordCount(), 1);
        QCOMPARE(db.users.integer("ID"), 1);
        QCOMPARE(db.users.text("Name"), QString("TestName"));
        QCOMPARE(db.users.text("Letzte Sprache"), QString("englisch"));
        QCOMPARE(s.readInteger("AktuelleBenutzerID"), 1);
        QCOMPARE(s.readInteger("LastVokID"), 10000);
        QCOMPARE(form->size(), QSize(800, 600));
        QVERIFY(!form->isMaximized());
        QCOMPARE(gridWidths.value("deutsch"), 100);
        QCOMPARE(gridWidths.value("auslaendisch"), 100);
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: TestName"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: englisch"));
        QCOMPARE(form->visiblePanel(), nullptr);
        QCOMPARE(tc->random->seeded, 1);
        QVERIFY(db.lessons.locate("Name;Sprache", {"ALLE VOKABELN", "englisch"}));
        QCOMPARE(db.vocabulary.displayLabel("auslaendisch"), QString("englisch"));
        QCOMPARE(s.readString("Sort5"), QString("deutsch"));

        gridWidths["deutsch"] = 180;
        stop();
        for (const char* f : {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml"})
            QVERIFY2(QFile::exists(tc->dataFile(f)), f);
        QFile v(tc->dataFile("englisch.v02"));
        QVERIFY(v.open(QIODevice::ReadOnly));
        QVERIFY(!v.readAll().contains("<?xml"));
        auto& s2 = tc->ctx->settings;
        QCOMPARE(s2.readString("WindowState"), QString("wsNormal"));
        QCOMPARE(s2.readInteger("Height"), 600);
        QCOMPARE(s2.readInteger("Width"), 800);
        QCOMPARE(s2.readInteger("BreiteBdeutsch"), 180);

        start(); // the second start restores the width
        QCOMPARE(gridWidths.value("deutsch"), 180);
        QCOMPARE(tc->ctx->db.users.recordCount(), 1);
    }

    void windowStateAndSizeAreRestored() {
        tc->ctx->settings.writeString("WindowState", "wsMaximized");
        tc->ctx->settings.writeInteger("Height", 700);
        tc->ctx->settings.writeInteger("Width", 900);
        start();
        QVERIFY(form->isMaximized());
        QCOMPARE(form->normalGeometry().size(), QSize(835, 578)); // the designed size, not the stored one
        form->showMaximized();
        stop();
        QCOMPARE(tc->ctx->settings.readString("WindowState"), QString("wsMaximized"));
        QCOMPARE(tc->ctx->settings.readInteger("Height"), 700); // the last normal size survives

        tc->ctx->settings.writeString("WindowState", "wsNormal");
        tc->ctx->settings.writeInteger("Height", 150);
        tc->ctx->settings.writeInteger("Width", 1000);
        start();
        QCOMPARE(form->size(), QSize(1000, 600));
    }

    void aMissingKnowledgeFileKeepsTheUsers() {
        start();
        auto& db = tc->ctx->db;
        testsupport::appendUser(db.users, "Anna", "englisch");
        stop();
        QVERIFY(QFile::remove(tc->dataFile("kann.xml")));
        start();
        QCOMPARE(tc->ctx->db.users.recordCount(), 2);
        QVERIFY(tc->ctx->db.knowledge.isOpen());
        QVERIFY(tc->ctx->db.knowledge.isEmpty());
    }

    void theCurrentUsersLanguageIsLoaded() {
        writeVocabulary(tc->dataFile("französisch.v02"), {{20001, "Käse"}});
        start();
        auto& db = tc->ctx->db;
        const int zoe = testsupport::appendUser(db.users, "Zoe", "französisch"); // sorts after TestName
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", zoe);
        stop();
        start();
        QCOMPARE(vocabularyIds(tc->ctx->db.vocabulary), (QList<int>{20001}));
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Zoe"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: französisch"));
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 20001); // raised to what is in use
    }

    void aChangedOrderingIsNotCarriedOver() {
        start();
        QCOMPARE(vocabularyIds(tc->ctx->db.vocabulary), (QList<int>{1, 2, 3}));
        tc->ctx->db.vocabulary.setOrder("deutsch");
        stop();
        start();
        QCOMPARE(vocabularyIds(tc->ctx->db.vocabulary), (QList<int>{1, 2, 3}));
    }

    void recreatingTheDefaultUserNeverLowersTheCounter() {
        start();
        tc->ctx->settings.writeInteger("LastVokID", 25000);
        tc->ctx->db.users.first();
        tc->ctx->db.users.deleteRecord();
        stop();
        start();
        QCOMPARE(tc->ctx->db.users.text("Name"), QString("TestName"));
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 25000);
        auto& v = tc->ctx->db.vocabulary;
        v.insert();
        QCOMPARE(v.integer("ID"), 25001);
    }

    void aDamagedVocabularyFileIsKeptAside() {
        QFile f(tc->dataFile("englisch.v02"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kaputt");
        f.close();
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY(tc->prompter->shown[0].startsWith("Die Vokabeldatei"));
        QCOMPARE(form->StatusPanel0->text(), QString("Benutzer"));
        QCOMPARE(form->StatusPanel1->text(), QString("Sprache"));
        QCOMPARE(form->size(), QSize(835, 578));
        stop();
        const QStringList aside = QDir(tc->dataFolder()).entryList({"englisch.v02.beschaedigt-*"});
        QCOMPARE(aside.size(), 1);
        QFile kept(tc->dataFolder() + aside[0]);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kaputt"));
        QVERIFY(QFile::exists(tc->dataFile("englisch.v02")));
        start(); // the fresh file loads again
        QCOMPARE(tc->prompter->shown.size(), 0);
    }

    void aMissingVocabularyFileIsCreatedAtTheClose() {
        QVERIFY(QFile::remove(tc->dataFile("englisch.v02")));
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY(tc->prompter->shown[0].contains("kann nicht geöffnet werden"));
        stop();
        QVERIFY(QFile::exists(tc->dataFile("englisch.v02")));
        QVERIFY(QDir(tc->dataFolder()).entryList({"*.beschaedigt-*"}).isEmpty());
    }

    void quittingSavesTheRunsChangesOnce() {
        start();
        testsupport::appendRow(tc->ctx->db.vocabulary, {.german = "Brücke"});
        form->Beenden1->trigger();
        QVERIFY(form->closeStepDone());
        QVERIFY(!form->isVisible());
        QFile::remove(tc->dataFile("benutzer.xml"));
        QVERIFY(form->runCloseStepOnce()); // a second request writes nothing again
        QVERIFY(!QFile::exists(tc->dataFile("benutzer.xml")));
        form.reset();
        tc->make();
        start();
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "Brücke"));
    }

    void aFailedSaveKeepsTheWindowOpenUnlessTheUserInsists() {
        start();
        tc->ctx->db.knowledge.setFileName(tc->dataFolder() + "englisch.v02/kann.xml"); // cannot be written
        tc->prompter->answers = {core::Answer::No};
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QVERIFY(!form->closeStepDone());
        QVERIFY(tc->prompter->shown.last().startsWith("Die Daten konnten nicht vollständig gespeichert werden."));
        tc->prompter->answers = {core::Answer::Yes};
        QVERIFY(form->close());
    }

    void theManualOpensFromItsTwoPlaces() {
        start();
        QTest::keyClick(form.get(), Qt::Key_F1);
        QCOMPARE(tc->opener->opened, QStringList{tc->dataFile("Vokabeltrainer - Handbuch.pdf")});
        form->OpenManual(core::ManualPlace::Dialog);
        QCOMPARE(tc->opener->opened.last(), tc->dir.filePath("program/Vokabeltrainer - Handbuch.pdf"));
        QCOMPARE(tc->prompter->shown.size(), 0); // missing files are not reported
    }

    void navigationShowsOnePanelAndPrintingKeepsOrHidesIt() {
        start();
        form->SpeedButton5->click();
        QCOMPARE(form->visiblePanel(), form->PVokabelverwaltung);
        form->Vokabelliste1->trigger();
        QCOMPARE(form->visiblePanel(), form->PVokabelverwaltung);
        QCOMPARE(form->printKind(), 2);
        form->showPanel(form->PDruckvorschau);
        form->Vokabelliste1->trigger();
        QCOMPARE(form->visiblePanel(), nullptr);
        form->BenutzerStatistik1->trigger();
        QCOMPARE(form->visiblePanel(), form->PBenutzerstatistik);
        QCOMPARE(form->PBenutzerstatistik->titleLabel()->text(), QString("Benutzerstatistik"));
        QCOMPARE(form->PBenutzerstatistik->titleLabel()->font().pixelSize(), 32);
    }

    void resetViewSettlesAndUnfiltersEveryTable() {
        start();
        auto& v = tc->ctx->db.vocabulary;
        v.setFilter("ID = 2");
        v.setFiltered(true);
        v.first();
        v.edit();
        v.setValue("deutsch", "Birke");
        tc->ctx->db.users.insert(); // untouched: discarded
        form->ResetView();
        QVERIFY(!v.isFiltered());
        QCOMPARE(v.filter(), QString("ID = 2"));
        QCOMPARE(v.recNo(), 1);
        QVERIFY(v.locate("deutsch", "Birke"));
        QCOMPARE(tc->ctx->db.users.recordCount(), 1);
        QCOMPARE(tc->ctx->db.users.state(), ts::Table::State::Browse);
    }

    void theMenuHasEveryEntryInOrder() {
        start();
        QStringList seen;
        for (QAction* top : form->menuBar()->actions()) {
            seen << QString(top->text()).remove(u'&'); // the mnemonic's mark is no caption
            for (QAction* a : top->menu()->actions())
                seen << (a->isSeparator() ? QString("-") : "  " + a->text());
        }
        QCOMPARE(seen, (QStringList{"Programm",
                                    "  Sprache wechseln",
                                    "  Datenbank sichern",
                                    "  Beenden",
                                    "Benutzer",
                                    "  Neu",
                                    "  Bearbeiten",
                                    "  Löschen",
                                    "-",
                                    "  Wechseln",
                                    "  Statistik",
                                    "Vokabeln",
                                    "  Vokabelverwaltung",
                                    "-",
                                    "  Testen",
                                    "  Lernen",
                                    "-",
                                    "  Wörterbuch",
                                    "Lektion",
                                    "  Lektionsverwaltung",
                                    "Drucken",
                                    "  Karteikarten",
                                    "  Vokabelliste",
                                    "  Vokabeltest",
                                    "Hilfe",
                                    "  Hilfe",
                                    "  Handbuch im Programm",
                                    "-",
                                    "  Info"}));
    }

    // Alt and a letter open each menu; Ctrl+Q ends the program like "Beenden".
    void theMenusHaveMnemonicsAndCtrlQQuits() {
        start();
        QStringList marked;
        for (QAction* top : form->menuBar()->actions())
            marked << top->text();
        QCOMPARE(marked, (QStringList{"&Programm", "&Benutzer", "&Vokabeln", "&Lektion", "&Drucken", "&Hilfe"}));
        QCOMPARE(form->Beenden1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(form->closeStepDone());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
