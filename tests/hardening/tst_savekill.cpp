// SPDX-License-Identifier: GPL-3.0-or-later
// Kills a process that keeps saving large files, at random moments, and
// checks that every file is always one whole version and loads.
#include "core/database.h"
#include "core/settingsstore.h"
#include "core/vocabularyfile.h"
#include "tablestore/cursorguard.h"
#include "tablestore/table.h"
#include "tablestore/tableerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>

namespace {

const QStringList kFiles = {"kann.xml", "kann.bin", "englisch.v02", "Vokabeltrainer.reg"};

// Two known contents of every file; version 1 has more rows than version 0,
// so a file cut short or mixed from both can never pass for either.
struct Contents {
    ts::Table knowledge{QStringLiteral("Kann")};
    ts::Table vocabulary{QStringLiteral("Vokabeln")};
    QString settingsText;

    explicit Contents(int version) {
        core::Database::defineKnowledge(knowledge);
        knowledge.createDataSet();
        {
            const ts::BulkInsertGuard bulk(knowledge);
            for (int i = 0; i < 10000 + version * 2000; ++i) {
                knowledge.insert();
                knowledge.setValue(0, 1 + i % 7);
                knowledge.setValue(1, 10000 + i);
                knowledge.setValue(2, 0.5 + (i % 100) / (version ? 7.0 : 3.0));
                knowledge.setValue(3, i % 5 + version);
                knowledge.post();
            }
        }
        core::Database::defineVocabulary(vocabulary);
        vocabulary.createDataSet();
        const ts::BulkInsertGuard bulk(vocabulary);
        for (int i = 0; i < 5000 + version * 1000; ++i) {
            vocabulary.insert();
            vocabulary.setValue("ID", 10000 + i);
            vocabulary.setValue("deutsch", QStringLiteral("Wort %1 „Straße“ <%2>").arg(i).arg(version));
            vocabulary.setValue("auslaendisch", QStringLiteral("word %1 & 'street'").arg(i));
            vocabulary.setValue("Schwierigkeitsgrad", 1 + i % 3);
            vocabulary.post();
        }
        settingsText = QString(100000 + version * 20000, QChar(u'A' + version));
    }

    // One save of every file, each through the program's own writer.
    void save(const QString& folder, core::SettingsStore& settings) {
        knowledge.saveToFile(folder + "/kann.xml");
        knowledge.saveToFile(folder + "/kann.bin");
        core::vocabularyfile::write(vocabulary, folder + "/englisch.v02");
        settings.writeString("Inhalt", settingsText);
    }
};

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The child: saves both versions by turns until it is killed.
int runWriter(const QString& folder) {
    Contents versions[2] = {Contents(0), Contents(1)};
    core::SettingsStore settings(folder + "/Vokabeltrainer.reg");
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int i = 1;; ++i)
        versions[i % 2].save(folder, settings);
}

// Whether the file loads through the reader the program uses for it.
bool loads(const QString& folder, const QString& name) {
    const QString path = folder + u'/' + name;
    try {
        if (name.endsWith(".v02")) {
            ts::Table v(QStringLiteral("Vokabeln"));
            core::Database::defineVocabulary(v);
            core::vocabularyfile::read(v, path);
            return v.recordCount() > 0;
        }
        if (name.endsWith(".reg"))
            return core::SettingsStore(path).readString("Inhalt").size() >= 100000;
        ts::Table t(QStringLiteral("Kann"));
        core::Database::defineKnowledge(t);
        t.loadFromFile(path);
        return t.recordCount() >= 10000;
    } catch (const ts::TableError&) {
        return false;
    }
}

} // namespace

class SaveKillTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileIsWholeAfterAKillDuringSaving() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString work = dir.filePath("work");
        QByteArray expected[2][4];
        qint64 roundMs = 0;
        for (int v = 0; v < 2; ++v) {
            const QString ref = dir.filePath(QStringLiteral("ref%1").arg(v));
            QVERIFY(QDir().mkpath(ref));
            Contents c(v);
            core::SettingsStore settings(ref + "/Vokabeltrainer.reg");
            QElapsedTimer timer;
            timer.start();
            c.save(ref, settings);
            roundMs += timer.elapsed();
            for (int f = 0; f < kFiles.size(); ++f)
                expected[v][f] = bytesOf(ref + u'/' + kFiles[f]);
            if (v == 0) { // the files start out whole in the old version
                QVERIFY(QDir().mkpath(work));
                core::SettingsStore workSettings(work + "/Vokabeltrainer.reg");
                c.save(work, workSettings);
            }
        }

        const quint32 seed =
            qEnvironmentVariableIsSet("VT_KILL_SEED") ? qEnvironmentVariableIntValue("VT_KILL_SEED") : 20261208;
        QRandomGenerator random(seed);
        const int kills = 110;
        int badFiles = 0;
        int seen[2][4] = {};
        QStringList leftovers;
        // One run of the writer, killed after `delayMs`; returns false when
        // the child could not be driven (a failed check is already recorded).
        auto killOnce = [&](int k, quint32 delayMs) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--writer", work});
            if (!child.waitForStarted() || !child.waitForReadyRead(30000)) {
                qWarning("kill %d: the writer did not start", k);
                return false;
            }
            QThread::msleep(delayMs);
            child.kill();
            child.waitForFinished();
            if (child.exitStatus() != QProcess::CrashExit) {
                qWarning("kill %d: the writer ended before it was killed", k);
                return false;
            }
            for (int f = 0; f < kFiles.size(); ++f) {
                const QByteArray now = bytesOf(work + u'/' + kFiles[f]);
                const int version = now == expected[0][f] ? 0 : now == expected[1][f] ? 1 : -1;
                if (version < 0 || !loads(work, kFiles[f])) {
                    ++badFiles;
                    qWarning("kill %d (seed %u): %s is neither whole version or does not load", k, seed,
                             qPrintable(kFiles[f]));
                    continue;
                }
                ++seen[version][f];
            }
            for (const QString& name : QDir(work).entryList(QDir::Files | QDir::Hidden))
                if (!kFiles.contains(name) && !leftovers.contains(name))
                    leftovers << name;
            return true;
        };
        auto allSeen = [&] {
            for (int f = 0; f < kFiles.size(); ++f)
                if (seen[0][f] == 0 || seen[1][f] == 0)
                    return false;
            return true;
        };
        // Anywhere within about two rounds of saving: inside every file's
        // write, its rename and the pauses between.
        int k = 0;
        for (; k < kills; ++k)
            QVERIFY(killOnce(k, random.bounded(quint32(roundMs + 5))));
        // On a busy machine the writer runs slower than the round measured
        // here, and a late file may not have been reached yet: widen the
        // window until every file was caught in both versions.
        for (quint32 window = quint32(roundMs + 5) * 2; !allSeen() && k < kills + 60; ++k) {
            QVERIFY(killOnce(k, random.bounded(window)));
            if (k % 10 == 9)
                window *= 2;
        }
        qInfo("%d kills (seed %u, one round of saving %lld ms), %d bad files, leftover temporary files: %lld", k, seed,
              roundMs / 2, badFiles, qlonglong(leftovers.size()));
        QCOMPARE(badFiles, 0);
        // Kills fell both before and after a file's replacement, or the test
        // proved nothing.
        for (int f = 0; f < kFiles.size(); ++f)
            QVERIFY2(seen[0][f] > 0 && seen[1][f] > 0, qPrintable(kFiles[f]));
        // A temporary file left by a kill is never taken for a language.
        QCOMPARE(QDir(work).entryList({"*.v02"}, QDir::Files), QStringList{"englisch.v02"});
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    SaveKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savekill.moc"
