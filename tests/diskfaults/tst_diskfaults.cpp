// SPDX-License-Identifier: GPL-3.0-or-later
// Saving when the disk is full or a folder refuses writing, and restoring
// from a copy that cannot be read: the user is told in German, nothing that
// failed is reported as done, and every file keeps its old content.
//
// A full disk is a file-size limit on this process (writes past it fail as
// they do on a full file system, for root as well); a read-only folder is a
// folder without write permission, or /proc where permissions do not bind.
#include "backup/datensichern.h"
#include "support/mainwindowfixture.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <optional>

#include <csignal>
#include <sys/resource.h>

using namespace testsupport;

namespace {

// While alive, no file of this process can grow beyond `bytes`.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes = 0) {
        getrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed program
        rlimit small = old_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

using Snapshot = QMap<QString, QByteArray>;

// Every file below `folder` with its bytes; leftover temporary files show up
// as extra names.
Snapshot snapshot(const QString& folder) {
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        files[QDir(folder).relativeFilePath(path)] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
    }
    return files;
}

QList<std::pair<int, QString>> manyWords(int n) {
    QList<std::pair<int, QString>> words;
    for (int i = 1; i <= n; ++i)
        words.append({i, QStringLiteral("Wort %1").arg(i)});
    return words;
}

} // namespace

class DiskFaultsTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> backupDir; // fresh for every test

    backup::DatenSichernF* dialog() { return form->datenSichernF; }
    QString settingsFile() const { return tc->dir.filePath("config/Moriva Software/Vokabeltrainer.reg"); }
    void openBackupDialog() {
        dialog()->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog()));
    }
    void backUpTo(const QString& folder) {
        dialog()->Edit1->setText(folder);
        dialog()->BSichern->click();
    }
    void restoreFrom(const QString& folder) {
        dialog()->Edit2->setText(folder);
        tc->prompter->answers = {core::Answer::Yes};
        dialog()->BZuruecklesen->click();
    }
    void addWord(const QString& german) {
        appendRow(tc->ctx->db.vocabulary, {.german = german, .foreign = german + "-en"});
    }
    // A folder this process cannot write into.
    QString readOnlyFolder(QTemporaryDir& dir) {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return QFileInfo(dir.path()).isWritable() ? QStringLiteral("/proc/") : dir.path() + QStringLiteral("/");
    }

private slots:
    void init() {
        backupDir = std::make_unique<QTemporaryDir>();
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), manyWords(2000));
        start();
        // A first close writes every file, so the faults below meet old files.
        form->close();
        form.reset();
        tc->make();
        start();
    }
    void cleanup() { form.reset(); }

    void closingOnAFullDiskKeepsEveryOldFileAndTheWindow() {
        addWord(QStringLiteral("nach dem Start"));
        const Snapshot data = snapshot(tc->dataFolder());
        const QByteArray settings = snapshot(QFileInfo(settingsFile()).path()).value("Vokabeltrainer.reg");
        {
            DiskFull full;
            tc->prompter->answers = {core::Answer::No};
            QVERIFY(!form->close());
        }
        QVERIFY(form->isVisible());
        QVERIFY(!form->closeStepDone());
        QVERIFY(tc->prompter->shown.last().startsWith("Die Daten konnten nicht vollständig gespeichert werden."));
        QCOMPARE(snapshot(tc->dataFolder()), data); // no file changed, no temporary file left
        QCOMPARE(snapshot(QFileInfo(settingsFile()).path()).value("Vokabeltrainer.reg"), settings);

        // With room again, the same close saves the run's change.
        QVERIFY(form->close());
        form.reset();
        tc->make();
        start();
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "nach dem Start"));
    }

    // A start whose settings writes fail still opens the data, says so once,
    // and its close still saves the tables.
    void aStartThatCannotWriteItsSettingsWorksOnWithTheData_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("Datenträger voll") << true;
        QTest::newRow("Einstellungsordner gesperrt") << false;
    }
    void aStartThatCannotWriteItsSettingsWorksOnWithTheData() {
        QFETCH(bool, fullDisk);
        form->close();
        form.reset();
        tc->make();
        const QString folder = QFileInfo(settingsFile()).path();
        if (!fullDisk) {
            // A file where the folder should be: refused for every user, root included.
            QVERIFY(QDir(folder).removeRecursively());
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        {
            std::optional<DiskFull> full;
            if (fullDisk)
                full.emplace();
            start();
            form->SpeedButton5->click(); // "Vokabeln"
            QCOMPARE(form->visiblePanel(), form->PVokabelverwaltung);
            addWord(QStringLiteral("ohne Einstellungen"));
        }
        const QStringList told = tc->prompter->shown.filter("Die Einstellungen können nicht gespeichert werden.");
        QCOMPARE(told.size(), 1);
        QCOMPARE(tc->prompter->shown.size(), 1);
        auto& db = tc->ctx->db;
        QVERIFY(db.users.isOpen() && db.lessons.isOpen() && db.members.isOpen() && db.knowledge.isOpen());
        QCOMPARE(db.vocabulary.recordCount(), 2001);
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: TestName"));
        QVERIFY(db.vocabulary.locate("deutsch", "ohne Einstellungen"));
        // The counter held in memory, or recovered from the data where the file is out of reach.
        QCOMPARE(db.vocabulary.integer("ID"), fullDisk ? 10001 : 2001);

        QVERIFY(form->close());
        QVERIFY(tc->prompter->shown.filter("Die Daten konnten nicht").isEmpty());
        form.reset();
        if (!fullDisk)
            QVERIFY(QFile::remove(folder));
        tc->make();
        start();
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "ohne Einstellungen"));
    }

    void aBackupOntoAFullDiskIsReportedAndKeepsTheOlderCopy() {
        openBackupDialog();
        backUpTo(backupDir->path() + "/");
        QVERIFY(!dialog()->isVisible());
        const Snapshot older = snapshot(backupDir->path());
        const Snapshot data = snapshot(tc->dataFolder());
        addWord(QStringLiteral("neu"));
        openBackupDialog();
        {
            DiskFull full;
            backUpTo(backupDir->path() + "/");
        }
        QVERIFY(dialog()->isVisible()); // not confirmed as done
        QVERIFY(tc->prompter->shown.last().startsWith("Die Datenbank wurde nicht vollständig gesichert:"));
        QCOMPARE(snapshot(backupDir->path()), older);
        QCOMPARE(snapshot(tc->dataFolder()), data);
    }

    void aBackupIntoAReadOnlyFolderIsReported() {
        QTemporaryDir locked;
        const QString folder = readOnlyFolder(locked);
        openBackupDialog();
        backUpTo(folder);
        QVERIFY(dialog()->isVisible());
        QVERIFY(tc->prompter->shown.last().startsWith("Die Datenbank wurde nicht vollständig gesichert:"));
        QFile::setPermissions(locked.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(snapshot(locked.path()), Snapshot{});
    }

    void aCopyThatCannotBeReadChangesNothing_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("damaged table") << "damaged";
        QTest::newRow("table that is a folder") << "folder";
        QTest::newRow("missing folder") << "missing";
    }
    void aCopyThatCannotBeReadChangesNothing() {
        QFETCH(QString, fault);
        openBackupDialog();
        backUpTo(backupDir->path() + "/");
        if (fault == "damaged") {
            QFile f(backupDir->filePath("kann.xml"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<DATAPACKET><ROWDATA><ROW"); // cut off
        } else if (fault == "folder") {
            QVERIFY(QFile::remove(backupDir->filePath("lektion.xml")));
            QVERIFY(QDir(backupDir->path()).mkdir("lektion.xml"));
        }
        const QString source = fault == "missing" ? backupDir->filePath("gibt-es-nicht/") : backupDir->path() + "/";
        addWord(QStringLiteral("bleibt"));
        const Snapshot data = snapshot(tc->dataFolder());
        openBackupDialog();
        restoreFrom(source);
        QVERIFY(dialog()->isVisible());
        QVERIFY(tc->prompter->shown.last().startsWith(
            "Die Datenbank wurde nicht zurückgelesen; die jetzigen Daten bleiben unverändert"));
        QCOMPARE(snapshot(tc->dataFolder()), data);
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "bleibt"));
    }

    void aRestoreOntoAFullDiskChangesNothing() {
        openBackupDialog();
        backUpTo(backupDir->path() + "/");
        addWord(QStringLiteral("nach der Sicherung"));
        tc->ctx->db.WriteVocabularyFile();
        const Snapshot data = snapshot(tc->dataFolder());
        const int users = tc->ctx->db.users.recordCount();
        openBackupDialog();
        {
            DiskFull full(4096); // the small tables fit, the vocabulary does not
            restoreFrom(backupDir->path() + "/");
        }
        QVERIFY(dialog()->isVisible());
        QVERIFY(tc->prompter->shown.last().startsWith(
            "Die Datenbank wurde nicht zurückgelesen; die jetzigen Daten bleiben unverändert"));
        QCOMPARE(snapshot(tc->dataFolder()), data);
        QCOMPARE(tc->ctx->db.users.recordCount(), users);
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "nach der Sicherung"));

        // With room again the copy comes back whole.
        restoreFrom(backupDir->path() + "/");
        QVERIFY2(!dialog()->isVisible(), qPrintable(tc->prompter->shown.join(" | ")));
        QVERIFY(!tc->ctx->db.vocabulary.locate("deutsch", "nach der Sicherung"));
        QVERIFY(tc->ctx->db.vocabulary.locate("deutsch", "Wort 2000"));
    }
};

QTEST_MAIN(DiskFaultsTest)
#include "tst_diskfaults.moc"
