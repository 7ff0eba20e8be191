// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up on data files that are not what the program wrote, through the
// real main window: every one gives a message, is kept aside and is never
// written over.
#include "core/datafiles.h"
#include "core/lessons.h"
#include "support/mainwindowfixture.h"

#include <QDir>
#include <QLabel>
#include <sys/stat.h>

using namespace testsupport;

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList asideOf(const QString& folder, const QString& name) {
    return QDir(folder).entryList({name + ".beschaedigt-*"}, QDir::Files | QDir::System);
}
} // namespace

class HostileStartTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    // A data folder as a closed program leaves it: one user, three words.
    void prepare() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}, {2, "Baum"}, {3, "Hund"}});
        start();
        stop();
        tc->prompter->shown.clear();
    }

private slots:
    void aDamagedVocabularyFileIsPutAsideTheMomentItIsFound() {
        prepare();
        writeFile(tc->dataFile("englisch.v02"), "kaputt");
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        const QStringList aside = asideOf(tc->dataFolder(), "englisch.v02");
        QCOMPARE(aside.size(), 1);
        // Before anything else could write to the name, and the user is told where.
        QVERIFY(!QFile::exists(tc->dataFile("englisch.v02")));
        QVERIFY2(tc->prompter->shown[0].contains(aside[0]), qPrintable(tc->prompter->shown[0]));
        QCOMPARE(contentOf(tc->dataFolder() + aside[0]), QByteArray("kaputt"));
        form->close();
        QCOMPARE(contentOf(tc->dataFolder() + aside[0]), QByteArray("kaputt"));
    }

    void foreignRowsOrBrokenTextMakeATableDamaged_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("foreign element in benutzer.xml")
            << "benutzer.xml" << QByteArray("<rows>\n") << QByteArray("<rows>\n<user/>\n");
        QTest::newRow("nested element in lektion.xml")
            << "lektion.xml" << QByteArray("/>\n</rows>") << QByteArray("><x/></r>\n</rows>");
        QTest::newRow("broken UTF-8 in lektion.xml")
            << "lektion.xml" << QByteArray("VOKABELN") << QByteArray("VOKABELN\xFF");
    }
    void foreignRowsOrBrokenTextMakeATableDamaged() {
        QFETCH(QString, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        prepare();
        QByteArray bytes = contentOf(tc->dataFile(file));
        QVERIFY(bytes.contains(from));
        writeFile(tc->dataFile(file), bytes.replace(from, to));
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY2(tc->prompter->shown[0].contains("beschädigt"), qPrintable(tc->prompter->shown[0]));
        QCOMPARE(asideOf(tc->dataFolder(), file).size(), 1);
        QCOMPARE(contentOf(tc->dataFolder() + asideOf(tc->dataFolder(), file)[0]), bytes);
        stop();
        QVERIFY(QDir(tc->dataFolder()).entryList({".*.v02"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void brokenUtf8InTheVocabularyIsDamage() {
        prepare();
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        core::vocabularyfile::read(v, tc->dataFile("englisch.v02"));
        QByteArray xml = core::vocabularyfile::mask(contentOf(tc->dataFile("englisch.v02")));
        writeFile(tc->dataFile("englisch.v02"), core::vocabularyfile::mask(xml.replace("Baum", "Ba\xC3m")));
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY(tc->prompter->shown[0].startsWith("Die Vokabeldatei"));
        QCOMPARE(asideOf(tc->dataFolder(), "englisch.v02").size(), 1);
        form.reset();
    }

    void aPipeOrDeviceInPlaceOfATableDoesNotHoldTheStart() {
        prepare();
        QVERIFY(QFile::remove(tc->dataFile("kann.xml")));
        QCOMPARE(::mkfifo(QFile::encodeName(tc->dataFile("kann.xml")).constData(), 0600), 0);
        QVERIFY(QFile::remove(tc->dataFile("lektion.xml")));
        QVERIFY(QFile::link("/dev/zero", tc->dataFile("lektion.xml")));
        start(); // returns: nothing waits for a writer or reads forever
        QCOMPARE(tc->prompter->shown.size(), 2);
        QVERIFY(tc->prompter->shown[0].contains("keine gewöhnliche Datei"));
        stop();
        QVERIFY(QFileInfo(tc->dataFile("kann.xml")).isFile());
        QVERIFY(QFileInfo(tc->dataFile("lektion.xml")).isFile() && !QFileInfo(tc->dataFile("lektion.xml")).isSymLink());
    }

    void aLinkToNothingIsTreatedAsAMissingFile() {
        prepare();
        QVERIFY(QFile::remove(tc->dataFile("kann.xml")));
        QVERIFY(QFile::link(tc->dataFile("woanders/kann.xml"), tc->dataFile("kann.xml")));
        start();
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY2(tc->prompter->shown[0].contains("nicht vorhandene Datei"), qPrintable(tc->prompter->shown[0]));
        QVERIFY(form->close()); // no failed save, no "Trotzdem beenden?"
        QCOMPARE(tc->prompter->shown.size(), 1);
        QVERIFY(QFileInfo(tc->dataFile("kann.xml")).isFile());
        form.reset();
    }

    void theStartGivesAllVocabularyEveryWordAndDropsMembersOfLostLessons() {
        prepare();
        // As a save cut short between lektion.xml and bestehtaus.xml left it:
        // the members of another lesson, and "ALLE VOKABELN" without words.
        tc->make();
        auto& db = tc->ctx->db;
        db.members.open();
        db.members.first();
        while (!db.members.isEmpty())
            db.members.deleteRecord();
        for (int word : {2, 3}) {
            db.members.insert();
            db.members.setValue("LektionsID", 999);
            db.members.setValue("VokabelID", word);
            db.members.post();
        }
        db.members.close();
        start();
        QVERIFY(db.lessons.locate("Name", core::kAllVocabularyLesson));
        const int all = db.lessons.integer("ID");
        QList<int> members;
        for (db.members.first(); !db.members.eof(); db.members.next()) {
            QCOMPARE(db.members.integer("LektionsID"), all);
            members << db.members.integer("VokabelID");
        }
        std::sort(members.begin(), members.end());
        QCOMPARE(members, (QList<int>{1, 2, 3}));
        form.reset();
    }

    void theStartTidiesWhatAnEndedSaveLeft() {
        QTemporaryDir dir;
        const QString folder = dir.path() + '/';
        writeFile(folder + "kann.xml", "alt");
        writeFile(folder + "kann.xml.neu-Ab12Cd", QByteArray(1000, 'x'));   // ours
        writeFile(folder + "bestehtaus.xml.Xy34Zw", QByteArray(1000, 'x')); // an earlier version's
        writeFile(folder + "englisch.v02.q1W2e3", QByteArray(1000, 'x'));
        writeFile(folder + "notizen.txt.Ab12Cd", "bleibt"); // not ours
        writeFile(folder + "kann.xml.beschaedigt-20260101-120000", "bleibt");
        // A set whose marker was down: its file is completed, not removed.
        writeFile(folder + "lektion.xml.neu-Zz99Yy", "neu");
        writeFile(folder + core::datafiles::kSaveMarker, QFile::encodeName(folder + "lektion.xml.neu-Zz99Yy") + '\n');
        core::datafiles::tidyAtStart(folder);
        QStringList names = QDir(folder).entryList(QDir::Files);
        QCOMPARE(names, (QStringList{"kann.xml", "kann.xml.beschaedigt-20260101-120000", "lektion.xml",
                                     "notizen.txt.Ab12Cd"}));
        QCOMPARE(contentOf(folder + "lektion.xml"), QByteArray("neu"));
        QCOMPARE(contentOf(folder + "kann.xml"), QByteArray("alt"));
    }
};

QTEST_MAIN(HostileStartTest)
#include "tst_hostilestart.moc"
