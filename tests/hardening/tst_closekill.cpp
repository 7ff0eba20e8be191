// SPDX-License-Identifier: GPL-3.0-or-later
// Kills the real program at random moments of its close step, with a large
// vocabulary, and checks after each kill that the next start finds one
// consistent set of files and no temporary file.
#include "support/programenvironment.h"
#include "core/database.h"
#include "core/datafiles.h"
#include "core/vocabularyfile.h"
#include "tablestore/cursorguard.h"
#include "tablestore/table.h"
#include "tablestore/tableerror.h"
#include "tablestore/wholefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

namespace {

const QStringList kDataFiles = {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml", "englisch.v02"};

class Program {
public:
    explicit Program(const QString& home) {
        process.setProcessEnvironment(testsupport::programEnvironment(home));
        // The lock is taken after the signals are routed: from then on a
        // SIGTERM means the close step.
        const QString lock = home + "/data/Moriva Vokabeltrainer.lock";
        QFile::remove(lock); // a killed run's
        process.start(QStringLiteral(VT_PROGRAM), {});
        process.waitForStarted();
        while (!QFile::exists(lock) && running())
            QThread::usleep(200);
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    void send(int sig) { ::kill(pid_t(process.processId()), sig); }
    // Without the event loop QProcess does not notice the end; /proc does.
    bool running() const {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(process.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray s = stat.readAll();
        const qsizetype at = s.lastIndexOf(')');
        return at > 0 && at + 2 < s.size() && s[at + 2] != 'Z';
    }
    QProcess process;
};

bool writing(const QString& folder) {
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (!kDataFiles.contains(name))
            return true;
    return false;
}

// What a start finds, after it tidied the folder: "" when the lessons and
// members are one set (both absent, or "ALLE VOKABELN" with every word),
// else what is wrong.
QString inconsistency(const QString& folder, int words) {
    core::datafiles::tidyAtStart(folder);
    QStringList extra = QDir(folder).entryList(QDir::Files);
    for (const QString& name : kDataFiles)
        extra.removeAll(name);
    if (!extra.isEmpty())
        return "leftover " + extra.join(", ");
    const bool lessons = QFile::exists(folder + "/lektion.xml");
    const bool members = QFile::exists(folder + "/bestehtaus.xml");
    if (lessons != members)
        return "lektion.xml without bestehtaus.xml or the reverse";
    try {
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        core::vocabularyfile::read(v, folder + "/englisch.v02");
        if (v.recordCount() != words)
            return "vocabulary incomplete";
        for (const char* name : {"benutzer.xml", "kann.xml"}) {
            ts::Table t("t");
            t.loadFromFile(folder + '/' + name);
        }
        if (!lessons)
            return {};
        ts::Table l("l"), m("m");
        l.loadFromFile(folder + "/lektion.xml");
        m.loadFromFile(folder + "/bestehtaus.xml");
        if (!l.locate("Name", QStringLiteral("ALLE VOKABELN")))
            return "no ALLE VOKABELN";
        const int all = l.integer("ID");
        int in = 0;
        for (m.first(); !m.eof(); m.next())
            in += m.integer("LektionsID") == all;
        if (in != words)
            return QStringLiteral("ALLE VOKABELN holds %1 of %2 words").arg(in).arg(words);
    } catch (const ts::TableError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class CloseKillTest : public QObject {
    Q_OBJECT

private slots:
    void aKillDuringTheCloseStepLeavesOneConsistentSet() {
        const int words = qEnvironmentVariableIsSet("VT_CLOSE_KILL_WORDS")
                              ? qEnvironmentVariableIntValue("VT_CLOSE_KILL_WORDS")
                              : 200000;
        const int kills =
            qEnvironmentVariableIsSet("VT_CLOSE_KILLS") ? qEnvironmentVariableIntValue("VT_CLOSE_KILLS") : 20;
        QTemporaryDir home;
        const QString data = home.filePath("data/Moriva Vokabeltrainer");
        QVERIFY(QDir().mkpath(data));
        {
            ts::Table v("v");
            core::Database::defineVocabulary(v);
            v.createDataSet();
            {
                const ts::BulkInsertGuard bulk(v);
                for (int i = 1; i <= words; ++i) {
                    v.insert();
                    v.setValue("ID", 10000 + i);
                    v.setValue("deutsch", QStringLiteral("Wort %1").arg(i));
                    v.setValue("auslaendisch", QStringLiteral("word %1").arg(i));
                    v.post();
                }
            }
            core::vocabularyfile::write(v, data + "/englisch.v02");
        }
        // Whole runs: the first creates the user tables, the second measures
        // the close step from its first temporary file to the end.
        qint64 closeMs = 0;
        for (int run = 0; run < 2; ++run) {
            QFile::remove(data + "/lektion.xml");
            QFile::remove(data + "/bestehtaus.xml");
            Program p(home.path());
            p.send(SIGTERM); // taken up once the start-up is done
            QElapsedTimer t;
            while (!writing(data) && p.running())
                QThread::usleep(500);
            t.start();
            QVERIFY(p.process.waitForFinished(120000));
            closeMs = t.elapsed();
            QCOMPARE(inconsistency(data, words), QString());
        }
        QRandomGenerator random(20261209);
        QStringList faults;
        int emptySets = 0, fullSets = 0;
        for (int k = 0; k < kills; ++k) {
            // As a first start: the lesson and its members are new in this run.
            QFile::remove(data + "/lektion.xml");
            QFile::remove(data + "/bestehtaus.xml");
            Program p(home.path());
            p.send(SIGTERM);
            while (!writing(data) && p.running())
                QThread::usleep(200);
            QThread::usleep(random.bounded(quint32(closeMs * 1000 + 1)));
            p.send(SIGKILL);
            p.process.waitForFinished();
            const QString problem = inconsistency(data, words);
            if (!problem.isEmpty())
                faults << QStringLiteral("kill %1: %2").arg(k).arg(problem);
            (QFile::exists(data + "/lektion.xml") ? fullSets : emptySets)++;
        }
        qInfo("%d kills in a close step of %lld ms with %d words: %lld inconsistent, %d old sets, %d new sets", kills,
              closeMs, words, qlonglong(faults.size()), emptySets, fullSets);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }
};

QTEST_GUILESS_MAIN(CloseKillTest)
#include "tst_closekill.moc"
