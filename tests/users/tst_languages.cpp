// SPDX-License-Identifier: GPL-3.0-or-later
// The language dialog: listing, creating and switching languages.
#include "core/languages.h"
#include "support/mainwindowfixture.h"
#include "users/sprache.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "core/languages.h"
#include "shell/navicons.h"

#include <QToolButton>

using namespace testsupport;

class LanguagesTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    users::SpracheF* dialog() { return form->spracheF; }
    void openDialog() {
        dialog()->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog()));
    }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}});
        writeVocabulary(tc->dataFile("französisch.v02"), {{20500, "Käse"}, {20001, "Brot"}});
        start();
    }
    void cleanup() { form.reset(); }

    void theDialogListsEveryLanguageAndSelectsTheCurrentOne() {
        openDialog();
        const QStringList entries = dialog()->entries();
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()), (QSet<QString>{"englisch", "französisch"}));
        QCOMPARE(dialog()->selected(), QString("englisch"));
        QCOMPARE(dialog()->BOK->text(), QString("OK"));
    }

    void badNewNamesAreRefusedAndChangeNothing() {
        openDialog();
        const QStringList before = dialog()->entries();
        struct Case {
            QString name;
            QString messageStart;
        };
        const QList<Case> cases{{"englisch", "Diese Sprache ist schon vorhanden!"},
                                {"Englisch", "Die Sprache \"englisch\" gibt es schon."},
                                {"a/b", "\"a/b\" kann nicht"},
                                {"x\\y", "\"x\\y\" kann nicht"},
                                {"c:d", "\"c:d\" kann nicht"},
                                {" spanisch", "\" spanisch\" kann nicht"},
                                {"..", "\"..\" kann nicht"},
                                {QString(101, u's'), "\"sss"}};
        for (const Case& c : cases) {
            tc->prompter->inputs = {c.name};
            dialog()->BHinzufuegen->click();
            QVERIFY2(tc->prompter->shown.last().startsWith(c.messageStart), qPrintable(tc->prompter->shown.last()));
        }
        tc->prompter->inputs = {QString("")};
        dialog()->BHinzufuegen->click();
        tc->prompter->inputs = {std::nullopt};
        dialog()->BHinzufuegen->click();
        QCOMPARE(dialog()->entries(), before);
        QCOMPARE(core::languages::list(tc->dataFolder()).size(), 2);
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
    }

    void aNewLanguageGetsAnEmptyFileAndBecomesCurrentOnOk() {
        openDialog();
        tc->prompter->inputs = {QString("spanisch")};
        dialog()->BHinzufuegen->click();
        QCOMPARE(dialog()->selected(), QString("spanisch"));
        QVERIFY(QFile::exists(tc->dataFile("spanisch.v02")));
        QVERIFY(tc->ctx->db.vocabulary.isEmpty());
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), QStringList{});
        dialog()->BOK->click();
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: spanisch"));
        QVERIFY(tc->ctx->db.lessons.locate("Name;Sprache", {"ALLE VOKABELN", "spanisch"}));
        // The English words went to their own file, not to the new one.
        ts::Table check("c");
        core::Database::defineVocabulary(check);
        core::vocabularyfile::read(check, tc->dataFile("englisch.v02"));
        QCOMPARE(check.recordCount(), 2);
    }

    void cancelAfterAddingKeepsTheLanguageAndTheNewFile() {
        openDialog();
        tc->prompter->inputs = {QString("spanisch")};
        dialog()->BHinzufuegen->click();
        QTest::keyClick(dialog(), Qt::Key_Escape); // as "Abbrechen"
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: englisch"));
        QCOMPARE(tc->ctx->db.vocabulary.recordCount(), 2);
        QVERIFY(QFile::exists(tc->dataFile("spanisch.v02")));
        openDialog();
        QCOMPARE(dialog()->selected(), QString("englisch"));
        QVERIFY(dialog()->entries().contains("spanisch"));
        tc->prompter->inputs = {QString("italienisch")};
        dialog()->BHinzufuegen->click();
        dialog()->BAbbrechen->click();
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
        QCOMPARE(tc->ctx->db.vocabulary.recordCount(), 2);
        form->close(); // the English words reach their own file, not the new one
        ts::Table check("c");
        core::Database::defineVocabulary(check);
        core::vocabularyfile::read(check, tc->dataFile("englisch.v02"));
        QCOMPARE(check.recordCount(), 2);
        core::vocabularyfile::read(check, tc->dataFile("italienisch.v02"));
        QCOMPARE(check.recordCount(), 0);
    }

    void switchingRaisesTheCounterToTheLargestId() {
        tc->ctx->settings.writeInteger("LastVokID", 12000);
        openDialog();
        dialog()->select("französisch");
        dialog()->BOK->click();
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 20500);
        QCOMPARE(tc->ctx->db.vocabulary.order(), QString("ID"));
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), (QStringList{"Brot", "Käse"}));
        tc->ctx->db.vocabulary.insert();
        QCOMPARE(tc->ctx->db.vocabulary.integer("ID"), 20501);
        tc->ctx->db.vocabulary.cancel();
        form->showPanel(form->PVokabelverwaltung);
        openDialog();
        dialog()->select("englisch");
        dialog()->BOK->click();
        QCOMPARE(form->visiblePanel(), nullptr);
        QCOMPARE(tc->ctx->db.vocabulary.recordCount(), 2);
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 20501); // never lowered
    }

    // The list is alphabetical whatever order the disk keeps, and the
    // language button shows the code of the language loaded.
    void theListIsAlphabeticalAndTheButtonShowsTheLanguagesCode() {
        writeVocabulary(tc->dataFile("spanisch.v02"), {{30001, "Sonne"}});
        writeVocabulary(tc->dataFile("Albanisch.v02"), {{40001, "Berg"}});
        openDialog();
        QCOMPARE(dialog()->entries(), (QStringList{"Albanisch", "englisch", "französisch", "spanisch"}));
        const auto picture = [this] { return form->SpeedButton9->icon().pixmap(40, 40).toImage(); };
        QCOMPARE(picture(), shell::languageIcon("en").pixmap(40, 40).toImage());
        dialog()->select("französisch");
        dialog()->BOK->click();
        QCOMPARE(picture(), shell::languageIcon("fr").pixmap(40, 40).toImage());
        QVERIFY(picture() != shell::languageIcon("en").pixmap(40, 40).toImage());
        QCOMPARE(core::languages::code("Spanisch"), QString("es"));
        QCOMPARE(core::languages::code("Albanisch"), QString("al"));
    }

    void switchingToTheCurrentLanguageKeepsEverything() {
        appendRow(tc->ctx->db.vocabulary, {.german = "Tisch"});
        openDialog();
        dialog()->BOK->click();
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), (QStringList{"Haus", "Baum", "Tisch"}));
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
    }

    void okWithoutSelectionDoesNoHarm() {
        QFile::remove(tc->dataFile("englisch.v02")); // the user's language has no file now
        openDialog();
        QCOMPARE(dialog()->selected(), QString());
        dialog()->BOK->click();
        QCOMPARE(tc->prompter->shown.last(), QString("Bitte wählen Sie eine Sprache aus."));
        QVERIFY(dialog()->isVisible());
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
    }

    void aDamagedLanguageFileLeavesTheCurrentLanguage() {
        QFile f(tc->dataFile("französisch.v02"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("nicht lesbar");
        f.close();
        openDialog();
        dialog()->select("französisch");
        dialog()->BOK->click();
        QVERIFY(tc->prompter->shown.last().startsWith("Die Vokabeldatei"));
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->BOK->text(), QString("OK"));
        QCOMPARE(tc->ctx->db.currentLanguage(), QString("englisch"));
        QCOMPARE(tc->ctx->db.loadedLanguage(), QString("englisch"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: englisch"));
        QCOMPARE(germanWords(tc->ctx->db.vocabulary).size(), 2);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("nicht lesbar"));
    }

    void theHelpButtonOpensTheManual() {
        openDialog();
        dialog()->SpeedButtonHilfe->click();
        QCOMPARE(tc->opener->opened, QStringList{tc->dataFile("Vokabeltrainer - Handbuch.pdf")});
        QCOMPARE(dialog()->SpeedButtonHilfe->toolTip(), QString("Hile aufrufen"));
    }
};

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
