// SPDX-License-Identifier: GPL-3.0-or-later
// Starts whose settings file is missing, damaged or belongs to another copy
// of the data folder: the current user and the identifier counters come
// from the data, and nothing is created twice.
#include "support/mainwindowfixture.h"
#include "support/userrows.h"

#include <QLabel>
#include <QRandomGenerator>

using namespace testsupport;

class SettingsLossTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    QString settingsFile() const { return tc->ctx->settings.filePath(); }

    int lessonsNamed(const QString& name) {
        auto& l = tc->ctx->db.lessons;
        int n = 0;
        for (l.first(); !l.eof(); l.next())
            n += l.text("Name") == name;
        return n;
    }
    void addUser(const QString& name, const QString& language) { appendUser(tc->ctx->db.users, name, language); }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{10001, "Haus"}, {10002, "Baum"}});
        writeVocabulary(tc->dataFile("französisch.v02"), {{10003, "Apfel"}, {10040, "Birne"}});
        start();
        addUser("Zora", "französisch");
        addUser("Anna", "französisch"); // first in name order
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", 2);
        stop();
        start();
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Zora"));
        stop();
    }
    void cleanup() { form.reset(); }

    void aLostOrDamagedSettingsFileIsRecoveredFromTheData_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("damaged");
        QByteArray noise(4096, 0);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const QByteArray header("Moriva Vokabeltrainer settings 1\n");
        QTest::newRow("gelöscht") << QByteArray() << false;
        QTest::newRow("Zufallsbytes") << noise << true;
        QTest::newRow("leer") << QByteArray("") << true;
        QTest::newRow("Nullbytes") << header + QByteArray(300, '\0') << true;
        QTest::newRow("falsche Zahl") << header + "[]\n\"AktuelleBenutzerID\"=dword:zz\n" << true;
        QTest::newRow("nur Kopf") << header << true;
        QTest::newRow("über 16 MB") << header + "[]\n" + QByteArray(17 << 20, '\n') << true;
    }
    void aLostOrDamagedSettingsFileIsRecoveredFromTheData() {
        QFETCH(QByteArray, content);
        QFETCH(bool, damaged);
        QVERIFY(QFile::remove(settingsFile()));
        if (damaged) {
            QFile f(settingsFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        start();
        const QStringList told = tc->prompter->shown.filter("Die Einstellungsdatei");
        QCOMPARE(told.size(), damaged ? 1 : 0);
        if (damaged) {
            const QStringList aside = QFileInfo(settingsFile()).dir().entryList({"Vokabeltrainer.reg.beschaedigt-*"});
            QCOMPARE(aside.size(), 1);
            QVERIFY(told.first().contains(aside.first()));
            QFile kept(QFileInfo(settingsFile()).dir().filePath(aside.first()));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), content);
        }
        auto& settings = tc->ctx->settings;
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Anna"));
        QCOMPARE(settings.readInteger("AktuelleBenutzerID"), 3);
        QCOMPARE(lessonsNamed("ALLE VOKABELN"), 2); // englisch's and französisch's, none with an empty language
        QVERIFY(!tc->ctx->db.lessons.locate("Sprache", QString()));
        QCOMPARE(settings.readInteger("LastBenutzerID"), 3);
        QCOMPARE(settings.readInteger("LastLektionID"), 2);

        addUser("Bert", "englisch");
        QCOMPARE(tc->ctx->db.users.integer("ID"), 4);
        stop();
        start();
        QCOMPARE(lessonsNamed("ALLE VOKABELN"), 2);
        QCOMPARE(tc->ctx->db.members.recordCount(), 4);
    }

    // A data folder copied to a machine whose settings were made on another
    // copy: a word of the language not loaded already uses the next number.
    void newWordsNeverTakeAnIdentifierAnotherLanguageUses() {
        QVERIFY(QFile::remove(settingsFile()));
        tc->make();
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", 1); // TestName: englisch
        tc->ctx->settings.writeInteger("LastVokID", 10002);
        start();
        QCOMPARE(tc->ctx->db.loadedLanguage(), QString("englisch"));
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), 10040);
        auto& v = tc->ctx->db.vocabulary;
        appendRow(v, {.german = "Tisch"});
        QCOMPARE(v.integer("ID"), 10041);
    }
};

QTEST_MAIN(SettingsLossTest)
#include "tst_settingsloss.moc"
