// SPDX-License-Identifier: GPL-3.0-or-later
// Awkward texts typed into the real windows: quotes, wildcard and escape
// characters, markup, emoji, right-to-left script, combining accents, texts
// at and beyond the field limits. Each must be stored exactly as shown,
// survive a restart, be found again and be accepted as an answer.
#include "databound/grid.h"
#include "printing/druckerdialog.h"
#include "tablestore/cursorguard.h"
#include "training/testpanel.h"
#include "training/trainingarea.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"
#include "vocabulary/vocabularyfixture.h"
#include "vocabulary/dictionarypanel.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace testsupport;

namespace {
// The foreign side of an awkward German word: marked, while it fits.
QString foreignOf(const QString& german) {
    return german.size() <= 97 ? german + QStringLiteral("-en") : german;
}
} // namespace

class BadInputTest : public QObject, public VocabularyFixture {
    Q_OBJECT

    void restart() {
        stop();
        start();
    }
    // The first rows the dictionary lists for `text` typed into its German box.
    QStringList lookUp(const QString& text) {
        form->WoerterbuchClick();
        type(form->woerterbuch->Edeutsch, text);
        QStringList found;
        auto& v = db().vocabulary;
        for (v.first(); !v.eof() && found.size() < 10; v.next())
            found << v.text("deutsch");
        return found;
    }
    // Answers the current question of a keyboard test and returns the verdict.
    QString answer(const QString& text) {
        training::TestPanel* p = form->training->testPanel;
        type(p->Edit1, text);
        QTest::keyClick(p->Edit1, Qt::Key_Return);
        return p->LRF->text();
    }

private slots:
    void cleanup() { form.reset(); }

    void awkwardTextsAreKeptFoundAndAccepted_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("single quote") << QStringLiteral("Rock 'n' Roll");
        QTest::newRow("double quote") << QStringLiteral("sog. \"Zitat\"");
        QTest::newRow("LIKE wildcards") << QStringLiteral("100% _fertig_");
        QTest::newRow("backslash") << QStringLiteral("C:\\Pfad\\zu");
        QTest::newRow("markup") << QStringLiteral("<b>fett</b> & Co. &amp;");
        QTest::newRow("emoji") << QStringLiteral("Eis 🍦 und 👩‍👩‍👧");
        QTest::newRow("right to left") << QStringLiteral("שלום سلام");
        QTest::newRow("combining accent") << QStringLiteral("Cafe\u0301");
        QTest::newRow("exactly 100 characters") << QString(99, u'ü') + QStringLiteral("'");
    }
    void awkwardTextsAreKeptFoundAndAccepted() {
        QFETCH(QString, text);
        startWith({{1, QStringLiteral("Anfang")}});
        form->VokabelnClick();
        enterWord(text, foreignOf(text), text);
        db().vocabulary.cancel();
        QVERIFY(prompts().shown.isEmpty());
        restart();

        auto& v = db().vocabulary;
        QVERIFY(v.locate("deutsch", text));
        QCOMPARE(v.text("auslaendisch"), foreignOf(text));
        QCOMPARE(v.text("Sachgruppe"), text);
        QVERIFY(tc->ctx->subjectGroups.list().contains(text));
        QVERIFY(lookUp(text).contains(text));
        QVERIFY(prompts().shown.isEmpty()); // no filter was refused

        // In a typed test, the stored meaning is accepted as it is.
        form->training->testPanel->SBTastatureingabe->setChecked(true);
        QVERIFY(form->training->lektionauswaehlentestF->onChosen(QStringLiteral("ALLE VOKABELN")));
        form->training->testPanel->BTestStart->click();
        QCOMPARE(answer(QStringLiteral("Anfang-en")), QStringLiteral("richtig"));
        QCOMPARE(answer(foreignOf(text)), QStringLiteral("richtig"));
        QCOMPARE(form->training->testPanel->Lrichtig->text(), QStringLiteral("2"));
    }

    void fieldLimitsHoldWhileTyping() {
        startWith({{1, QStringLiteral("Anfang")}});
        form->VokabelnClick();
        vocabulary::VocabularyEditor* panel = form->vokabelverwaltung;
        panel->BNeu->click();
        type(panel->DBEdit1, QString(101, u'a'));
        type(panel->DBEdit2, QString(101, u'b'));
        type(panel->DBEdit5, QString(251, u'c'));
        // The last key press was refused, visibly, before anything was saved.
        QCOMPARE(panel->DBEdit1->text(), QString(100, u'a'));
        QCOMPARE(panel->DBEdit2->text(), QString(100, u'b'));
        QCOMPARE(panel->DBEdit5->text(), QString(250, u'c'));
        QTest::keyClick(panel->DBEdit2, Qt::Key_Return);
        db().vocabulary.cancel();
        restart();
        QVERIFY(db().vocabulary.locate("deutsch", QString(100, u'a')));
        QCOMPARE(db().vocabulary.text("Bemerkung"), QString(250, u'c'));
    }

    void aPastedLineBreakIsStoredAsShown() {
        startWith({{1, QStringLiteral("Anfang")}});
        form->VokabelnClick();
        vocabulary::VocabularyEditor* panel = form->vokabelverwaltung;
        panel->BNeu->click();
        panel->DBEdit1->setFocus();
        panel->DBEdit1->insert(QStringLiteral("erste Zeile\nzweite Zeile")); // as a paste does
        const QString shown = panel->DBEdit1->text();
        type(panel->DBEdit2, QStringLiteral("two lines"));
        QTest::keyClick(panel->DBEdit2, Qt::Key_Return);
        db().vocabulary.cancel();
        restart();
        QVERIFY(db().vocabulary.locate("auslaendisch", QStringLiteral("two lines")));
        QCOMPARE(db().vocabulary.text("deutsch"), shown);
    }

    void twoHundredThousandWordsThroughEveryView() {
        tc = std::make_unique<TestContext>();
        {
            // As entered in the panel: with word class and level, without a
            // subject group.
            QDir().mkpath(tc->dataFolder());
            ts::Table words(QStringLiteral("v"));
            openVocabularyTable(words);
            {
                const ts::BulkInsertGuard bulk(words);
                for (int i = 1; i <= 200000; ++i)
                    appendRow(words, {.id = i,
                                      .german = QStringLiteral("Wort %1").arg(i),
                                      .foreign = QStringLiteral("word %1").arg(i),
                                      .kind = QStringLiteral("Substantiv"),
                                      .level = 1});
            }
            core::vocabularyfile::write(words, tc->dataFile("englisch.v02"));
        }
        start();
        auto& v = db().vocabulary;
        QCOMPARE(v.recordCount(), 200000);
        form->VokabelnClick();
        form->vokabelverwaltung->DBGrid2->setFocus();
        QTest::keyClick(form->vokabelverwaltung->DBGrid2, Qt::Key_W);
        QCOMPARE(v.text("deutsch"), QStringLiteral("Wort 1"));
        QCOMPARE(lookUp(QStringLiteral("wort 199999")), QStringList{QStringLiteral("Wort 199999")});
        QVERIFY(form->training->lektionauswaehlenF->onChosen(QStringLiteral("ALLE VOKABELN")));
        QCOMPARE(form->training->pool.size(), 200000);
        form->LektionenClick();
        QCOMPARE(db().members.recordCount(), 200000);
        form->karteikartenDruckF->show();
        form->karteikartenDruckF->Button1Click();
        QCOMPARE(form->visiblePanel(), form->PDruckvorschau);
        QCOMPARE(v.recordCount(), 200000); // every word goes onto the cards
        restart();
        QCOMPARE(db().vocabulary.recordCount(), 200000);
        QVERIFY(db().vocabulary.locate("deutsch", QStringLiteral("Wort 200000")));
    }

    void awkwardUserNamesSurviveARestart() {
        startWith({{1, QStringLiteral("Anfang")}});
        const QString name = QStringLiteral("Zoë 'Z' \"Ö\" <&> 😀 שלום");
        users::benutzeranlegenF* create = form->benutzeranlegenF;
        create->show();
        QVERIFY(QTest::qWaitForWindowExposed(create));
        type(create->DBEditName, name);
        type(create->DBComboSprache->lineEdit(), QStringLiteral("englisch"));
        create->BOk->click();
        // No complaint; only the offer to switch, left unanswered.
        QCOMPARE(prompts().shown,
                 QStringList{QStringLiteral("Möchten Sie jetzt zum Benutzer „%1“ wechseln?").arg(name)});
        restart();
        QVERIFY(db().users.locate("Name", name));
    }
};

QTEST_MAIN(BadInputTest)
#include "tst_badinput.moc"
