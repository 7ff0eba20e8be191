// SPDX-License-Identifier: GPL-3.0-or-later
// Backing the database up and reading it back through the backup dialog.
#include "backup/datensichern.h"
#include "core/languages.h"
#include "support/mainwindowfixture.h"
#include "support/userrows.h"
#include "users/sprache.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace testsupport;

namespace {
void writeFileAt(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class BackupTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    QTemporaryDir target;

    backup::DatenSichernF* dialog() { return form->datenSichernF; }
    void openDialog() {
        dialog()->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog()));
    }
    void backUpTo(const QString& folder) {
        tc->folders->answers = {folder};
        dialog()->SpeedButton1->click();
        dialog()->BSichern->click();
    }
    void restoreFrom(const QString& folder, core::Answer answer = core::Answer::Yes) {
        tc->folders->answers = {folder};
        dialog()->SpeedButton2->click();
        tc->prompter->answers = {answer};
        dialog()->BZuruecklesen->click();
    }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}});
        writeVocabulary(tc->dataFile("spanisch.v02"), {{15000, "Sonne"}});
        start();
    }
    void cleanup() { form.reset(); }

    // The proposal is a folder of its own in the home folder, made by the
    // first backup into it; reading back asks with "Nein" as the default.
    void theProposedFolderIsMadeOnDemandAndRestoringDefaultsToNo() {
        openDialog();
        const QString proposal = tc->dir.filePath("home/Vokabeltrainer-Sicherung") + u'/';
        QCOMPARE(dialog()->Edit1->text(), QDir::toNativeSeparators(proposal));
        QCOMPARE(dialog()->Edit2->text(), QDir::toNativeSeparators(proposal));
        QVERIFY(!QDir(proposal).exists());
        QDir().mkpath(tc->dir.filePath("home"));
        dialog()->BSichern->click();
        QCOMPARE(tc->prompter->shown, QStringList{});
        QVERIFY(QFile::exists(proposal + "benutzer.xml"));
        QVERIFY(QFile::exists(proposal + "englisch.v02"));

        openDialog();
        tc->prompter->answers = {core::Answer::No};
        dialog()->BZuruecklesen->click();
        QCOMPARE(tc->prompter->asked, QList<core::Buttons>{core::Buttons::YesNoDefaultNo});
    }

    void aProposedFolderThatCannotBeMadeIsSaidAndNothingIsWritten() {
        openDialog();
        writeFileAt(tc->dir.filePath("home/Vokabeltrainer-Sicherung"), "ein Dokument, kein Ordner");
        dialog()->BSichern->click();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY(tc->prompter->shown.last().contains("kann nicht angelegt werden"));
        QVERIFY(dialog()->isVisible());
    }

    void backupWritesEveryFileAndAppendsTheSeparator() {
        openDialog();
        appendRow(tc->ctx->db.vocabulary, {.german = "Fenster"});
        const QString folder = target.path(); // as the chooser returns it: no closing separator
        backUpTo(folder);
        QCOMPARE(dialog()->Edit1->text(), QDir::toNativeSeparators(folder) + QDir::separator());
        QVERIFY(!dialog()->isVisible()); // done: no message, the dialog closes
        QCOMPARE(tc->prompter->shown, QStringList{});
        for (const char* f :
             {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml", "englisch.v02", "spanisch.v02"})
            QVERIFY2(QFile::exists(target.filePath(f)), f);
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        core::vocabularyfile::read(v, target.filePath("englisch.v02"));
        QVERIFY(v.locate("deutsch", "Fenster")); // the run's changes are in the copy
    }

    void aBackupIntoAMissingFolderIsReportedNotConfirmed() {
        openDialog();
        backUpTo(target.filePath("gibt/es/nicht"));
        QVERIFY(dialog()->isVisible());
        QVERIFY(tc->prompter->shown.last().startsWith("Die Datenbank wurde nicht vollständig gesichert:"));
    }

    void restoringIntoAFreshInstallationBringsEverythingBack() {
        openDialog();
        backUpTo(target.path());
        stop();
        // A fresh installation: only the initial list.
        QDir(tc->dataFolder()).removeRecursively();
        tc->make();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Anfang"}});
        QFile::remove(tc->ctx->paths.settingsFile);
        start();
        tc->ctx->settings.writeInteger("LastVokID", 12000);
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", 0);
        openDialog();
        restoreFrom(target.path());
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(tc->prompter->shown.size(), 1); // only the question
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 15000);
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 1);
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), (QStringList{"Haus", "Baum"})); // ordered by ID
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "Haus"));
        QCOMPARE(tc->ctx->db.vocabulary.order(), QString("ID"));
        const QStringList languages = core::languages::list(tc->dataFolder());
        QCOMPARE(QSet<QString>(languages.begin(), languages.end()), (QSet<QString>{"englisch", "spanisch"}));
        form->spracheF->show();
        QCOMPARE(form->spracheF->entries().size(), 2);
    }

    // What restore reports as done is on disk: no table of this run is
    // written back over the restored copy, whether the program then closes
    // or is killed.
    void theDataFolderHoldsExactlyTheCopyAfterARestore() {
        openDialog();
        backUpTo(target.path());
        auto& db = tc->ctx->db;
        db.users.insert();
        db.users.setValue("Name", "Nach der Sicherung");
        db.users.post();
        db.lessons.insert();
        db.lessons.setValue("Name", "Neue Lektion");
        db.lessons.post();
        openDialog();
        restoreFrom(target.path());
        for (const char* name : {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml"}) {
            QFile copy(QDir(target.path()).filePath(name));
            QFile data(tc->dataFile(name));
            QVERIFY(copy.open(QIODevice::ReadOnly) && data.open(QIODevice::ReadOnly));
            QCOMPARE(data.readAll(), copy.readAll());
        }
        QVERIFY(!db.users.locate("Name", "Nach der Sicherung"));
        form.reset(); // without the close step
        tc->make();
        start();
        QVERIFY(!tc->ctx->db.users.locate("Name", "Nach der Sicherung"));
        QVERIFY(!tc->ctx->db.lessons.locate("Name", "Neue Lektion"));
    }

    // The copy lacks the current user: the first in name order takes over,
    // and the status bar says so.
    void aCurrentUserTheCopyLacksHandsOverToTheFirstByName() {
        auto& db = tc->ctx->db;
        for (const char* name : {"Zora", "Berta"}) {
            appendUser(db.users, name, "englisch");
        }
        openDialog();
        backUpTo(target.path());
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", appendUser(db.users, "Carl", "englisch"));
        openDialog();
        restoreFrom(target.path());
        QVERIFY(db.users.locate("Name", "Berta"));
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), db.users.integer("ID"));
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Berta"));
        db.lessons.insert();
        QCOMPARE(db.lessons.text("Sprache"), QString("englisch"));
        db.lessons.cancel();
    }

    void aHigherCounterStaysAfterARestore() {
        openDialog();
        backUpTo(target.path());
        tc->ctx->settings.writeInteger("LastVokID", 30000);
        openDialog();
        restoreFrom(target.path());
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 30000);
    }

    void answeringNeinChangesNothing() {
        openDialog();
        backUpTo(target.path());
        appendRow(tc->ctx->db.vocabulary, {.german = "nach der Sicherung"});
        openDialog();
        restoreFrom(target.path(), core::Answer::No);
        QVERIFY(dialog()->isVisible());
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "nach der Sicherung"));
    }

    void anIncompleteCopyIsRefusedBeforeAnythingChanges() {
        openDialog();
        backUpTo(target.path());
        QVERIFY(QFile::remove(target.filePath("kann.xml")));
        QFile damaged(target.filePath("spanisch.v02"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("kaputt");
        damaged.close();
        appendRow(tc->ctx->db.vocabulary, {.german = "bleibt"});
        openDialog();
        restoreFrom(target.path());
        QVERIFY(dialog()->isVisible());
        const QString msg = tc->prompter->shown.last();
        QVERIFY2(msg.startsWith("Die Datenbank wurde nicht zurückgelesen"), qPrintable(msg));
        QVERIFY(msg.contains("kann.xml"));
        QVERIFY(msg.contains("spanisch.v02"));
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "bleibt"));
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        core::vocabularyfile::read(v, tc->dataFile("spanisch.v02")); // still the good one
        QCOMPARE(v.recordCount(), 1);
    }

    void aCancelledChooserKeepsTheField() {
        openDialog();
        const QString before = dialog()->Edit1->text();
        tc->folders->answers = {std::nullopt};
        dialog()->SpeedButton1->click();
        QCOMPARE(dialog()->Edit1->text(), before);
        tc->folders->answers = {target.path()};
        dialog()->SpeedButton1->click();
        tc->folders->answers = {std::nullopt};
        dialog()->SpeedButton2->click();
        QCOMPARE(tc->folders->startFolders.last(), target.path()); // opens at the last choice
    }
};

QTEST_MAIN(BackupTest)
#include "tst_backup.moc"
