// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the program on one data folder, and a termination signal in
// the middle of a test run.
#include "support/programenvironment.h"
#include "signalend.h"
#include "singleinstance.h"
#include "support/mainwindowfixture.h"
#include "training/testpanel.h"
#include "training/trainingarea.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

#include <csignal>

using namespace testsupport;

namespace {

QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        files[f.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
    }
    return files;
}

// Waits until nothing in the folders has changed for a second: a first start
// goes on writing its settings after the vocabulary file appears, and on a
// busy machine for a good while.
void waitUntilQuiet(const QStringList& folders) {
    auto all = [&] {
        QList<QMap<QString, QByteArray>> s;
        for (const QString& f : folders)
            s << snapshot(f);
        return s;
    };
    auto last = all();
    QElapsedTimer unchanged;
    unchanged.start();
    QElapsedTimer total;
    total.start();
    while (unchanged.elapsed() < 1000 && total.elapsed() < 30000) {
        QTest::qWait(200);
        auto now = all();
        if (now != last) {
            last = std::move(now);
            unchanged.restart();
        }
    }
}

// The real program, headless, on its own home folder.
class ProgramRun {
public:
    explicit ProgramRun(const QString& home) {
        process.setProcessEnvironment(testsupport::programEnvironment(home));
        process.start(QStringLiteral(VT_PROGRAM), {});
    }
    ~ProgramRun() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    void terminate() { send(SIGTERM); }
    void send(int sig) { ::kill(pid_t(process.processId()), sig); }
    QProcess process;
};

} // namespace

class TerminationTest : public QObject, public MainWindowFixture {
    Q_OBJECT

private slots:
    void aSecondCopyIsRefusedAndTouchesNothing() {
        QTemporaryDir home;
        for (const char* d : {"config", "data", "runtime"})
            QVERIFY(QDir(home.path()).mkpath(d));
        QFile::setPermissions(home.filePath("runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        const QString data = home.filePath("data/Moriva Vokabeltrainer");
        const QString config = home.filePath("config");

        ProgramRun first(home.path());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + "/englisch.v02"), 20000);
        waitUntilQuiet({data, config});
        const auto dataBefore = snapshot(data);
        const auto configBefore = snapshot(config);

        ProgramRun second(home.path());
        QVERIFY(second.process.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT(
            (said += second.process.readAllStandardError()).contains("Der Vokabeltrainer läuft bereits."), 20000);
        // Its message is on screen; ending it there changes nothing.
        second.terminate();
        QVERIFY(second.process.waitForFinished(10000));
        QCOMPARE(snapshot(data), dataBefore);
        QCOMPARE(snapshot(config), configBefore);

        // The first copy closes as usual on SIGTERM and saves.
        first.terminate();
        QVERIFY(first.process.waitForFinished(20000));
        QCOMPARE(first.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.process.exitCode(), 0);
        QVERIFY(QFile::exists(data + "/benutzer.xml"));

        // With the first copy gone, the lock is free again.
        SingleInstance again(data);
        QVERIFY(again.acquire());
    }

    // A closed terminal ends the program as SIGTERM does: with its close step
    // (which writes the lessons a first start has only in memory).
    void sighupRunsTheCloseStep() {
        QTemporaryDir home;
        const QString data = home.filePath("data/Moriva Vokabeltrainer");
        ProgramRun run(home.path());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + "/benutzer.xml"), 20000);
        run.send(SIGHUP);
        QVERIFY(run.process.waitForFinished(20000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QVERIFY(QFile::exists(data + "/lektion.xml"));
        QVERIFY(QFile::exists(data + "/bestehtaus.xml"));
    }

    // A message of the start-up is open (a damaged kann.xml): the signal
    // closes it, the start-up finishes and the close step runs.
    void aSignalEndsTheProgramWhileAStartupMessageIsOpen_data() {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void aSignalEndsTheProgramWhileAStartupMessageIsOpen() {
        QFETCH(int, sig);
        QTemporaryDir home;
        const QString data = home.filePath("data/Moriva Vokabeltrainer");
        {
            ProgramRun first(home.path());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + "/benutzer.xml"), 20000);
            first.terminate();
            QVERIFY(first.process.waitForFinished(20000));
        }
        QFile kann(data + "/kann.xml");
        QVERIFY(kann.open(QIODevice::WriteOnly));
        kann.write("kaputt");
        kann.close();
        ProgramRun run(home.path());
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(data).entryList({"kann.xml.beschaedigt-*"}).isEmpty(), 20000);
        QTest::qWait(300); // the message is on screen
        run.send(sig);
        QVERIFY(run.process.waitForFinished(20000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QVERIFY(QFileInfo(data + "/kann.xml").size() > 6); // a fresh, empty table
    }

    // A signal that arrives while "Datensatz löschen?" or "Zurücklesen?" is
    // open closes the box; the question must then count as refused, never as
    // confirmed, and no later question may be confirmed either.
    void aSignalRefusesEveryQuestionItClosesOrThatFollows() {
        struct BoxOpenAtTheSignal : core::Prompter {
            signalend::EndingPrompter* outer = nullptr;
            int asked = 0;
            void information(const QString&, const QString&) override {}
            core::Answer ask(const QString&, core::Buttons, const QString&) override {
                ++asked;
                outer->startEnding();     // the signal arrives while the box is open...
                return core::Answer::Yes; // ...and the box reports whatever it reports
            }
            std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
        };
        auto inner = std::make_unique<BoxOpenAtTheSignal>();
        BoxOpenAtTheSignal* box = inner.get();
        signalend::EndingPrompter prompter(std::move(inner));
        box->outer = &prompter;
        QCOMPARE(prompter.ask("Datensatz löschen?", core::Buttons::OkCancel, {}), core::Answer::Cancel);
        QCOMPARE(box->asked, 1);
        const std::pair<core::Buttons, core::Answer> later[] = {{core::Buttons::YesNo, core::Answer::No},
                                                                {core::Buttons::YesCancel, core::Answer::Cancel},
                                                                {core::Buttons::YesNoCancel, core::Answer::Cancel},
                                                                {core::Buttons::OkCancel, core::Answer::Cancel},
                                                                {core::Buttons::Ok, core::Answer::Ok}};
        for (const auto& [buttons, answer] : later)
            QCOMPARE(prompter.ask("?", buttons, {}), answer);
        QCOMPARE(box->asked, 1); // no box after the signal
    }

    // Nobody answers "Trotzdem beenden?" after a signal: a failed save must
    // not keep the program running.
    void aSignalEndsEvenWhenSavingFails() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}});
        start();
        // The data folder replaced by a file: no table can be written.
        const QString folder = tc->ctx->paths.dataFolder;
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(QDir::cleanPath(folder));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        form->endOnSignal();
        QVERIFY(form->runCloseStepOnce());
        QVERIFY(!tc->prompter->shown.contains(
            QStringLiteral("Die Daten konnten nicht vollständig gespeichert werden.\n"
                           "Trotzdem beenden? Die nicht gespeicherten Änderungen gehen dann verloren.")));
        form.reset();
    }

    void sigtermInTheMiddleOfATestCountsEachAnswerOnce() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}, {3, "Hund"}, {4, "Katze"}});
        start();
        training::TestPanel* test = form->training->testPanel;
        test->SBTastatureingabe->setChecked(true);
        QVERIFY(form->training->lektionauswaehlentestF->onChosen(QStringLiteral("ALLE VOKABELN")));
        test->BTestStart->click();
        for (const char* answer : {"Haus-en", "falsch", "Hund-en"}) {
            test->Edit1->setText(QString::fromLatin1(answer));
            test->BOK->click();
        }
        QCOMPARE(test->LAnzahl->text(), QStringLiteral("3"));

        shell::Mainform* window = form.get();
        routeTerminationSignals([window] { window->close(); });
        ::raise(SIGTERM);
        QTRY_VERIFY(form->closeStepDone());
        // The end of the session and the program's own exit come after the
        // signal; neither adds the answers a second time.
        QVERIFY(form->runCloseStepOnce());
        form->close();
        form.reset();

        tc->make();
        start();
        tc->ctx->db.locateCurrentUser();
        QCOMPARE(tc->ctx->db.users.integer("AbgefragteVokabeln"), 3);
        QCOMPARE(tc->ctx->db.users.integer("RichtigeVokabeln"), 2);
        form.reset();
    }
};

QTEST_MAIN(TerminationTest)
#include "tst_termination.moc"
