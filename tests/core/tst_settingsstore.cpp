// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settingsfile.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using core::SettingsStore;

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath("Moriva Software/Vokabeltrainer.reg"); }

private slots:
    void init() { QFile::remove(path()); }

    void missingKeyReadsAsZeroAndIsCreated() {
        SettingsStore s(path());
        QCOMPARE(s.readInteger("LastVokID"), 0);
        QVERIFY(QFile::exists(path()));
        QCOMPARE(s.readString("WindowState"), QString());
        QVERIFY(s.subkeys("").isEmpty());
    }

    void namesIgnoreLetterCaseAndKeepTheirFirstSpelling() {
        SettingsStore s(path());
        s.writeInteger("aktuelleBenutzerID", 7);
        QCOMPARE(s.readInteger("AktuelleBenutzerID"), 7);
        s.writeInteger("AKTUELLEBENUTZERID", 8);
        QCOMPARE(s.readInteger("aktuellebenutzerid"), 8);
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("\"aktuelleBenutzerID\"=dword:00000008"));
        QCOMPARE(text.count("enutzerID"), 1);
    }

    void aValueOfTheOtherTypeReadsAsEmpty() {
        SettingsStore s(path());
        s.writeString("LastVokID", "10000"); // edited by hand as a string
        QCOMPARE(s.readInteger("LastVokID"), 0);
        s.writeInteger("WindowState", 2);
        QCOMPARE(s.readString("WindowState"), QString());
        s.writeInteger("negativ", -5);
        QCOMPARE(s.readInteger("negativ"), -5);
    }

    void textsSurviveEveryCharacter() {
        SettingsStore s(path());
        const QString tricky = "Zeile\nzwei \"Zitat\" \\ Backslash [x] = ä😀";
        s.writeString("Sort1", tricky);
        QCOMPARE(s.readString("sort1"), tricky);
        s.writeString(tricky, "als Name");
        QCOMPARE(s.readString(tricky), QString("als Name"));
    }

    void anotherProcessesChangeIsSeenAtTheNextRead() {
        SettingsStore a(path());
        SettingsStore b(path());
        a.writeInteger("LastBenutzerID", 3);
        QCOMPARE(b.readInteger("LastBenutzerID"), 3);
        b.writeInteger("LastBenutzerID", 4);
        QCOMPARE(a.readInteger("LastBenutzerID"), 4);
    }

    void subkeysAreListedAlphabeticallyAndNestOnBackslash() {
        SettingsStore s(path());
        s.createSubkey("englisch\\Tiere");
        s.createSubkey("englisch\\essen");
        s.createSubkey("englisch\\Zahlen");
        s.createSubkey("englisch\\Auto\\Motor");
        s.createSubkey("ENGLISCH\\tiere"); // the same key
        s.createSubkey("französisch");
        QCOMPARE(s.subkeys(""), (QStringList{"englisch", "französisch"}));
        QCOMPARE(s.subkeys("englisch"), (QStringList{"Auto", "essen", "Tiere", "Zahlen"}));
        QCOMPARE(s.subkeys("Englisch\\auto"), (QStringList{"Motor"}));
        QVERIFY(s.subkeys("spanisch").isEmpty());
        s.writeInteger("LastVokID", 1); // values and keys live side by side
        QCOMPARE(s.subkeys("englisch").size(), 4);
        s.createSubkey("englisch\\50%\nRabatt");
        QVERIFY(s.subkeys("englisch").contains("50%\nRabatt"));
    }

    void aRefusedWriteRaisesTheGermanMessageAndKeepsTheFile() {
        SettingsStore s(path());
        s.writeInteger("LastVokID", 5);
        QFile::setPermissions(dir.filePath("Moriva Software"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(dir.filePath("Moriva Software")).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        try {
            s.writeInteger("LastVokID", 6);
            QFAIL("no error");
        } catch (const core::SettingsError& e) {
            QCOMPARE(e.message(), QString("Fehler beim Setzen der Daten für 'LastVokID'"));
        }
        QFile::setPermissions(dir.filePath("Moriva Software"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(s.readInteger("LastVokID"), 5);
    }

    void garbageLinesAreIgnored() {
        QDir().mkpath(dir.filePath("Moriva Software"));
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Müll\n\"LastVokID\"=dword:zz\n\"Height\"=dword:000001f4\n\"Width\"=\"ohne Ende\n[\n[kaputt\n");
        f.close();
        SettingsStore s(path());
        QCOMPARE(s.readInteger("LastVokID"), 0);
        QCOMPARE(s.readInteger("Height"), 500);
        QCOMPARE(s.readString("Width"), QString());
    }

    void aFileWithManyKeysReadsWholeAndOverDeepKeysAreSkipped() {
        // Written by hand or damaged: 20,000 keys side by side, a key as deep
        // as allowed and one deeper, whose value is not read.
        QDir().mkpath(dir.filePath("Moriva Software"));
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[]\n\"LastVokID\"=dword:0000000c\n");
        f.write("[" + QByteArray("e\\").repeated(63) + "Ende]\n\"tief\"=dword:00000001\n");
        f.write("[" + QByteArray("z\\").repeated(64) + "Ende]\n\"LastVokID\"=dword:00000063\n");
        for (int i = 0; i < 20000; ++i)
            f.write("[englisch\\Gruppe " + QByteArray::number(i) + "]\n");
        f.close();
        SettingsStore s(path());
        QCOMPARE(s.readInteger("LastVokID"), 12);
        QCOMPARE(s.subkeys(""), (QStringList{"e", "englisch"}));
        QCOMPARE(s.subkeys("englisch").size(), 20000);
        QCOMPARE(s.subkeys(QStringList(62, "E").join(u'\\')), QStringList{"e"});
        s.writeInteger("LastVokID", 13);
        QCOMPARE(s.subkeys("englisch").size(), 20000);
        QCOMPARE(s.subkeys(QStringList(63, "e").join(u'\\')), QStringList{"Ende"});

        const QString tooDeep = QStringList(65, "x").join(u'\\');
        try {
            s.createSubkey(tooDeep);
            QFAIL("an over-deep key was written");
        } catch (const core::SettingsError& e) {
            QCOMPARE(e.message(), "Fehler beim Setzen der Daten für '" + tooDeep + "'");
        }
        QVERIFY(s.subkeys("").size() == 2 && s.readInteger("LastVokID") == 13);
    }

    // The start-up puts such a file aside; the store itself reads what it can.
    void damageIsRecognisedAndAFileOfTheStoreIsWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        const QByteArray header("Moriva Vokabeltrainer settings 1\n");
        QTest::newRow("leer") << QByteArray() << true;
        QTest::newRow("Zufall") << QByteArray("\x8f\x01\xfe\xa0xyz\n\x13", 8) << true;
        QTest::newRow("Nullbytes") << header + QByteArray(20, '\0') << true;
        QTest::newRow("kein Kopf") << QByteArray("[]\n\"Height\"=dword:00000010\n") << true;
        QTest::newRow("nur Kopf") << header << true;
        QTest::newRow("falsche Zahl") << header + "[]\n\"Height\"=dword:12345678901\n" << true;
        QTest::newRow("offener Text") << header + "[]\n\"Width\"=\"ohne Ende\n" << true;
        QTest::newRow("zu groß") << header + "[]\n" + QByteArray(core::settingsfile::kMaxFileSize, 'x') << true;
        QTest::newRow("leerer Schlüssel") << header + "[]\n" << false;
        QTest::newRow("Windows-Zeilenenden") << header.chopped(1) + "\r\n[]\r\n\"Sort1\"=\"Name\"\r\n" << false;
    }
    void damageIsRecognisedAndAFileOfTheStoreIsWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        QCOMPARE(!core::settingsfile::damage(bytes).isEmpty(), damaged);
        SettingsStore s(path());
        s.writeString("Sort1", "Name;ID");
        s.writeInteger("LastVokID", -3);
        s.createSubkey("englisch\\Tiere");
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(core::settingsfile::damage(f.readAll()), QString());
    }

    void aFileOverTheSizeLimitReadsAsEmpty() {
        QDir().mkpath(dir.filePath("Moriva Software"));
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Moriva Vokabeltrainer settings 1\n[]\n\"LastVokID\"=dword:0000000c\n");
        f.write(QByteArray(core::settingsfile::kMaxFileSize, '\n'));
        f.close();
        SettingsStore s(path());
        QCOMPARE(s.readInteger("LastVokID"), 0);
        QVERIFY(s.subkeys("").isEmpty());
    }

    void thousandsOfValuesInOneKeyKeepTheLastOfEachName() {
        QDir().mkpath(dir.filePath("Moriva Software"));
        QByteArray text("Moriva Vokabeltrainer settings 1\n[]\n");
        for (int i = 0; i < 30000; ++i)
            text += "\"Wert" + QByteArray::number(i % 10000) + "\"=dword:" + QByteArray::number(i, 16) + "\n";
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        const core::settingsfile::Tree t = core::settingsfile::parse(text);
        QCOMPARE(t.keys[0].values.size(), size_t(10000));
        SettingsStore s(path());
        QCOMPARE(s.readInteger("wert17"), 20017);
    }

    void aRefusedWriteHeldInMemoryIsToldOnceAndSavedLater() {
        SettingsStore s(path());
        s.writeInteger("LastVokID", 5);
        QStringList told;
        s.keepRefusedWrites([&](const QString& reason) { told << reason; });
        const QString folder = dir.filePath("Moriva Software");
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder); // refused for root as well
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        s.writeInteger("LastVokID", 6);
        s.writeString("WindowState", "wsNormal");
        s.createSubkey("englisch\\Tiere");
        QCOMPARE(told.size(), 1);
        QVERIFY(!told.first().isEmpty());
        QVERIFY(s.hasUnsavedValues());
        QCOMPARE(s.readInteger("LastVokID"), 6);
        QCOMPARE(s.subkeys("englisch"), QStringList{"Tiere"});

        QVERIFY(QFile::remove(folder));
        s.writeInteger("Height", 500);
        QVERIFY(!s.hasUnsavedValues());
        SettingsStore other(path());
        QCOMPARE(other.readInteger("LastVokID"), 6);
        QCOMPARE(other.readString("WindowState"), QString("wsNormal"));
        QCOMPARE(other.subkeys("englisch"), QStringList{"Tiere"});
        QCOMPARE(other.readInteger("Height"), 500);
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
