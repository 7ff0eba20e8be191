// SPDX-License-Identifier: GPL-3.0-or-later
// The test run through the real main window, its "Testen" panel and dialogs.
#include "trainingfixture.h"
#include "support/userrows.h"
#include "training/answercheck.h"
#include "training/cardview.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"

using namespace trainingtest;

class TestRunTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TrainingFixture> f;
    training::TestPanel& t() { return f->test(); }

    void startWith(const QList<std::pair<const char*, int>>& settings = {}) {
        for (auto [name, value] : settings)
            f->ctx->settings.writeInteger(name, value);
        f->start();
    }
    void type(const QString& answer) {
        QTest::keyClicks(t().Edit1, answer);
        QTest::keyClick(t().Edit1, Qt::Key_Return);
    }
    QColor resultColour() { return t().LRF->palette().color(QPalette::WindowText); }
    QString question() { return t().Image3->texts().isEmpty() ? QString() : t().Image3->texts().front().text; }
    QList<QPushButton*> visibleChoices() {
        QList<QPushButton*> out;
        for (int i = 0; i < 4; ++i)
            if (t().choiceButton(i)->isVisibleTo(&t()))
                out << t().choiceButton(i);
        return out;
    }

private slots:
    void init() {
        f = std::make_unique<TrainingFixture>();
        f->writeWords({{1, "Haus", "house", "das Gebäude"},
                       {2, "Baum", "tree"},
                       {3, "Apfel", "apple"},
                       {4, "Bank", "bank"},
                       {5, "Bank", "bench"},
                       {6, "Straße", "street"},
                       {7, "Katze", "cat"}});
    }
    void cleanup() { f.reset(); }

    void typedAnswersAcceptEveryMeaningAndEndTheRunOnce() {
        startWith({{"tastatur", 1}});
        f->addLesson("Bänke", {4, 5});
        f->chooseLesson(true, "Bänke");
        QVERIFY(f->form->PTesten->isVisible());
        QVERIFY(t().Edit1->isVisible());
        QVERIFY(!t().Button8->isVisible());
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(!t().BTestStart->isEnabled());
        QVERIFY(t().BTEstStop->isEnabled());
        QCOMPARE(question(), QString("Bank"));
        QCOMPARE(t().Image3->texts().front().x, 112);
        QCOMPARE(t().Image3->texts().front().y, 50);
        QCOMPARE(t().Image3->texts().front().pointSize, 30);
        type("Bank");
        QCOMPARE(t().LRF->text(), QString("richtig"));
        QCOMPARE(resultColour(), QColor(0, 128, 0));
        QVERIFY(t().Edit1->text().isEmpty());
        type("bench ");
        // The pool is used up: the run ends and reports it.
        QCOMPARE(t().LRF->text(), QString("Keine weiteren Vokabeln mehr"));
        QCOMPARE(resultColour(), QColor(Qt::black));
        QVERIFY(t().BTestStart->isEnabled());
        QVERIFY(!t().BOK->isEnabled());
        QCOMPARE(t().LAnzahl->text(), QString("2"));
        QCOMPARE(t().Lrichtig->text(), QString("2"));
        QCOMPARE(t().Lfalsch->text(), QString("0"));
        QCOMPARE(f->coefficient(4), 2.0);
        QCOMPARE(f->coefficient(5), 2.0);
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
        QTest::keyClick(t().Edit1, Qt::Key_Return); // Enter after the end does nothing
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
    }

    void lettersWithoutCaseEverythingElseExactly() {
        startWith({{"tastatur", 1}, {"richtung", 1}});
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("englisch-deutsch"));
        QVERIFY(t().SBAbfragerichtungTest->isChecked());
        f->addLesson("Wege", {1, 6});
        f->chooseLesson(true, "Wege");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QCOMPARE(question(), QString("house"));
        QCOMPARE(t().LBemerkung->text(), QString("das Gebäude"));
        type("HAUS");
        QCOMPARE(t().LRF->text(), QString("richtig"));
        QCOMPARE(question(), QString("street"));
        type("STRASSE");
        QCOMPARE(t().LRF->text(), QString("Keine weiteren Vokabeln mehr"));
        QCOMPARE(f->coefficient(6), 1.0);
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 1);
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
    }

    void theRemarkNeverGivesTheGermanAnswerAway() {
        f->writeWords({{1, "Hund", "dog", "der; Pl.: Hunde; ein Hund bellt"},
                       {2, "Eis am Stiel", "ice lolly", "ein Eis kaufen; engl. Pl.: ice lollies"}});
        startWith({{"tastatur", 1}, {"richtung", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QCOMPARE(question(), QString("dog"));
        QCOMPARE(t().LBemerkung->text(), QString("der; Pl.: …; ein … bellt"));
        type("Hund");
        QCOMPARE(question(), QString("ice lolly"));
        QCOMPARE(t().LBemerkung->text(), QString("ein … kaufen; engl. Pl.: ice lollies"));
        QTest::mouseClick(t().BTEstStop, Qt::LeftButton);
        QTest::mouseClick(t().SBAbfragerichtungTest, Qt::LeftButton); // German asked: all of it
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QCOMPARE(t().LBemerkung->text(), QString("der; Pl.: Hunde; ein Hund bellt"));
        // Short words only as whole words; letter case does not count.
        QCOMPARE(training::hideAnswerWords("am Ende; AM Morgen; Amsel", "Eis am Stiel"),
                 QString("… Ende; … Morgen; Amsel"));
        QCOMPARE(training::hideAnswerWords("", "Hund"), QString());
        QCOMPARE(training::hideAnswerWords("Katze", ""), QString("Katze"));
    }

    void overrideTurnsAWrongAnswerRightOnNo() {
        startWith({{"tastatur", 1}});
        QTest::mouseClick(t().SBUeberstimmen, Qt::LeftButton);
        QVERIFY(f->ctx->options.override);
        f->addLesson("Zwei", {1, 2, 3});
        f->chooseLesson(true, "Zwei");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        f->prompter->answers = {core::Answer::No, core::Answer::Yes};
        type("hose");
        QCOMPARE(f->prompter->shown.last(),
                 QString("Die Lösung lautet: house. Sie haben eingegeben: hose. Ist das wirklich ein Fehler?"));
        QCOMPARE(t().LRF->text(), QString("richtig"));
        QCOMPARE(f->coefficient(1), 2.0);
        type("three");
        QCOMPARE(t().LRF->text(), QString("falsch"));
        QCOMPARE(resultColour(), QColor(255, 0, 0));
        QCOMPARE(f->coefficient(2), 1.0);
        type("apple");
        QCOMPARE(f->prompter->shown.size(), 2); // a right answer asks nothing
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 2);
    }

    void choosingALessonAfterAnUnstoppedRunCountsItsAnswersOnce() {
        startWith({{"tastatur", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        type("house");
        type("x");
        f->chooseLesson(true, "ALLE VOKABELN");
        QVERIFY(t().BTestStart->isEnabled());
        f->chooseLesson(true, "ALLE VOKABELN");
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 1);
    }

    void countdownShowsMinutesAndSecondsAndEndsTheRun() {
        startWith({{"Timer", 1}, {"timerzeit", 125}});
        QVERIFY(t().SBTimer->isChecked());
        f->chooseLesson(true, "ALLE VOKABELN");
        QVERIFY(t().Label1->isVisible());
        QCOMPARE(t().Label1->text(), QString("02:05"));
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(f->form->Timer1->isActive());
        f->form->Timer1Timer();
        QCOMPARE(t().Label1->text(), QString("02:04"));
        QTest::mouseClick(t().Button8, Qt::LeftButton); // one answer within the time
        for (int i = 0; i < 123; ++i)
            f->form->Timer1Timer();
        QCOMPARE(t().Label1->text(), QString("00:01"));
        QVERIFY(t().BTEstStop->isEnabled());
        f->form->Timer1Timer();
        QCOMPARE(t().Label1->text(), QString("00:00"));
        QCOMPARE(t().LRF->text(), QString("Die Zeit ist abgelaufen!"));
        QVERIFY(!f->form->Timer1->isActive());
        QVERIFY(t().BTestStart->isEnabled());
        QVERIFY(!t().Button8->isEnabled());
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 1);
        f->form->Timer1Timer(); // a late tick changes nothing
        QCOMPARE(t().Label1->text(), QString("00:00"));
        QCOMPARE(t().run().countdown(), 0);
    }

    void anOverrideQuestionOpenAtTheTimeOutDoesNotCount() {
        startWith({{"Timer", 1}, {"timerzeit", 2}, {"tastatur", 1}, {"ueberstimmen", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        f->prompter->whileAsking = [this] {
            f->form->Timer1Timer();
            f->form->Timer1Timer();
        };
        f->prompter->answers = {core::Answer::No};
        type("falsch");
        QCOMPARE(t().LRF->text(), QString("Die Zeit ist abgelaufen!"));
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 0);
        QCOMPARE(f->ctx->db.knowledge.recordCount(), 0);
        QVERIFY(t().BTestStart->isEnabled());
    }

    void timePerWordCountsThePoolTheRunStartsOn() {
        startWith();
        f->addLesson("Zwei", {1, 2});
        f->chooseLesson(true, "Zwei");
        f->testOptions([&](training::testoptionenF& d) {
            d.RadioButton7->click();
            d.LabeledEdit2->setText("2");
        });
        QCOMPARE(t().Label1->text(), QString("00:04"));
        f->chooseLesson(true, "ALLE VOKABELN"); // seven words
        QCOMPARE(t().Label1->text(), QString("00:14"));
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QCOMPARE(t().run().countdown(), 14);
        for (int i = 0; i < 5; ++i)
            f->form->Timer1Timer();
        QVERIFY(t().run().running()); // four seconds would have ended it
        f->restart();
        f->chooseLesson(true, "ALLE VOKABELN");
        QCOMPARE(t().Label1->text(), QString("00:14"));
    }

    void multipleChoiceChosenDuringARunOffersTheChoices() {
        startWith({{"tastatur", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        const auto check = [this] {
            const QList<QPushButton*> shown = visibleChoices();
            QVERIFY(shown.size() >= 2);
            QPushButton* right = nullptr;
            for (QPushButton* b : shown) {
                QVERIFY(b->isEnabled());
                if (training::AnswerCheck(f->ctx->db.vocabulary, t().run().questionId(), 0, b->text()).right)
                    right = b;
            }
            QVERIFY(right);
            QTest::mouseClick(right, Qt::LeftButton);
            QCOMPARE(t().LRF->text(), QString("richtig"));
        };
        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton); // on the panel
        check();
        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton);
        type("x");
        f->testOptions([&](training::testoptionenF& d) { d.RadioButton8->click(); }); // in the dialog
        QVERIFY(t().run().running());
        check();
    }

    void aTimeOutWhileTheEndOfPoolMessageIsOpenShowsNoTimeLeft() {
        startWith({{"Timer", 1}, {"timerzeit", 125}, {"tastatur", 1}, {"reihenfolge", 2}});
        f->addLesson("Eins", {2});
        f->chooseLesson(true, "Eins");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        f->prompter->whileInforming = [this] {
            for (int i = 0; i < 125; ++i)
                f->form->Timer1Timer();
        };
        type("tree");
        QCOMPARE(f->prompter->shown.last(), QString("Keine weiteren Vokabeln mehr verfügbar"));
        QCOMPARE(t().Label1->text(), QString("00:00"));
        QCOMPARE(t().LRF->text(), QString("Die Zeit ist abgelaufen!"));
        QVERIFY(t().BTestStart->isEnabled());
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 1);
    }

    void thePanelKeepsItsLayoutWhateverItShows() {
        startWith();
        f->form->resize(800, 600);
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::qWait(1);
        const QSize window = f->form->size();
        QCOMPARE(window, QSize(800, 600)); // the panel never widens the window
        const auto places = [this] {
            return QList<QRect>{t().Image3->geometry(), t().BTestStart->geometry(), t().SpeedButton10->geometry(),
                                t().LBemerkung->geometry()};
        };
        const QList<QRect> before = places();
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QTest::mouseClick(t().Button8, Qt::LeftButton); // the statistics and the verdict appear
        QTest::qWait(1);
        QVERIFY(t().GBStatistik->isVisible());
        QCOMPARE(f->form->size(), window);
        QCOMPARE(places(), before);
        // For a person's look at the panel: VT_GRAB_DIR=<folder>.
        if (const QString dir = qEnvironmentVariable("VT_GRAB_DIR"); !dir.isEmpty())
            f->form->grab().save(QDir(dir).filePath(QStringLiteral("test-panel.png")));
        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton); // typing instead of choosing
        QTest::qWait(1);
        QCOMPARE(f->form->size(), window);
        QCOMPARE(places(), before);
    }

    void startRefusesAnEmptyLessonAndABudgetOfNothing() {
        startWith({{"Timer", 1}, {"timerzeit", -5}});
        f->addLesson("Leer", {});
        f->chooseLesson(true, "Leer");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(f->prompter->shown.last().contains("enthält keine Vokabeln"));
        QVERIFY(t().BTestStart->isEnabled());
        QVERIFY(!t().BTEstStop->isEnabled());
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(f->prompter->shown.last().contains("keine Zeit eingestellt"));
        QVERIFY(!f->form->Timer1->isActive());
        QVERIFY(t().BTestStart->isEnabled());
    }

    void keyboardToggleSwitchesTheInput() {
        startWith({{"tastatur", 1}});
        QCOMPARE(t().SBTastatureingabe->text(), QString("Tastatureingabe"));
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton);
        QCOMPARE(t().SBTastatureingabe->text(), QString("Multiple Choice"));
        QVERIFY(!f->ctx->options.keyboard);
        QCOMPARE(visibleChoices().size(), 4);
        QVERIFY(!t().Edit1->isVisible());
        QVERIFY(!t().BOK->isVisible());
    }

    void switchingARunningTestToTheKeyboardPutsTheFocusInTheAnswerField() {
        startWith({{"tastatur", 0}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(t().run().running());
        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton);
        QVERIFY(f->ctx->options.keyboard);
        // The main window's focus; the test platform leaves the closed
        // lesson dialog the active window.
        QTRY_COMPARE(f->form->focusWidget(), static_cast<QWidget*>(t().Edit1));

        QTest::mouseClick(t().SBTastatureingabe, Qt::LeftButton); // back to the choices
        QVERIFY(!f->ctx->options.keyboard);
        f->testOptions([](training::testoptionenF& d) { d.RadioButton9->setChecked(true); });
        QVERIFY(f->ctx->options.keyboard);
        QVERIFY(t().run().running());
        QTRY_COMPARE(f->form->focusWidget(), static_cast<QWidget*>(t().Edit1));
    }

    void multipleChoiceOffersFourDifferentCaptionsOneOfThemRight() {
        startWith();
        f->random->ints = {2, 0, 3, 5, 1, 6, 2, 4};
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        for (int q = 0; q < 7; ++q) {
            const QList<QPushButton*> shown = visibleChoices();
            QCOMPARE(shown.size(), 4);
            QStringList captions;
            int accepted = 0;
            QPushButton* right = nullptr;
            for (QPushButton* b : shown) {
                QVERIFY(!b->text().trimmed().isEmpty());
                QVERIFY(b->isEnabled());
                captions << b->text().toLower();
                if (training::AnswerCheck(f->ctx->db.vocabulary, t().run().questionId(), 0, b->text()).right) {
                    ++accepted;
                    right = b;
                }
            }
            captions.removeDuplicates();
            QCOMPARE(captions.size(), 4);
            QCOMPARE(accepted, 1);
            QTest::mouseClick(right, Qt::LeftButton);
            QCOMPARE(t().LRF->text(), q < 6 ? QString("richtig") : QString("Keine weiteren Vokabeln mehr"));
        }
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 7);
    }

    void sparChoiceButtonsAreHiddenWhenWordsRunShort() {
        f->writeWords({{1, "Haus", "house"}, {2, "Baum", "tree"}, {3, "Bäume", "trees"}, {4, "Baum", "Tree"}});
        startWith();
        f->addLesson("Haus", {1});
        f->random->ints = {3};
        f->chooseLesson(true, "Haus");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        // "tree" and "Tree" are one word; the lesson alone has no other word.
        const QList<QPushButton*> shown = visibleChoices();
        QCOMPARE(shown.size(), 3);
        QStringList captions;
        for (QPushButton* b : shown)
            captions << b->text();
        captions.sort();
        QCOMPARE(captions.size(), 3);
        QVERIFY(captions.contains("house"));
        QVERIFY(captions.contains("trees"));
        QVERIFY(captions.contains("tree") != captions.contains("Tree"));
    }

    void quotesInLessonNamesAndWordsStillMatch() {
        f->writeWords({{1, "Rock'n'Roll", "rock 'n' roll"}, {2, "Uhr", "o'clock"}});
        startWith({{"tastatur", 1}});
        f->addLesson("Peter's Wörter", {1, 2});
        QVERIFY(f->lessonList(true).contains("Peter's Wörter"));
        f->chooseLesson(true, "Peter's Wörter");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QCOMPARE(question(), QString("Rock'n'Roll"));
        type("Rock 'N' Roll");
        QCOMPARE(t().LRF->text(), QString("richtig"));
        type("o'clock");
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 2);
    }

    void closingDuringARunKeepsItsAnswers() {
        startWith({{"tastatur", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        type("house");
        type("tree");
        f->restart();
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 2);
    }

    void aLanguageChangeEndsTheRunAndForgetsTheLesson() {
        startWith({{"tastatur", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        type("house");
        auto& users = f->ctx->db.users;
        f->ctx->db.locateCurrentUser();
        users.edit();
        users.setValue("Letzte Sprache", "französisch");
        users.post();
        f->form->LabelLanguage();
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("deutsch-französisch"));
        QVERIFY(!t().run().running());
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 1);
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        QVERIFY(f->prompter->shown.last().contains("zuerst"));
        QVERIFY(!t().run().running());
    }

    // A test left running when the user changes: its answers so far count
    // for the user who gave them, whether switched or deleted.
    void aRunningTestsAnswersStayWithTheirUser_data() {
        QTest::addColumn<bool>("deleteUser");
        QTest::newRow("Wechseln") << false;
        QTest::newRow("Löschen") << true;
    }
    void aRunningTestsAnswersStayWithTheirUser() {
        QFETCH(bool, deleteUser);
        startWith({{"tastatur", 1}});
        auto& users = f->ctx->db.users;
        const int anna = testsupport::appendUser(users, "Anna", "englisch");
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        type("house");
        type("wrong");
        QVERIFY(t().run().running());
        if (deleteUser) {
            QVERIFY(users.locate("Name", "TestName"));
            f->prompter->answers = {core::Answer::Yes};
            f->form->benutzerF->BOk->click();
            QCOMPARE(users.recordCount(), 1);
        } else {
            QVERIFY(users.locate("Name", "TestName"));
            const int testName = users.integer("ID");
            QVERIFY(users.locate("ID", anna));
            f->form->benutzerwechselnF->BOk->click();
            QVERIFY(users.locate("ID", testName));
            QCOMPARE(users.integer("AbgefragteVokabeln"), 2);
            QCOMPARE(users.integer("RichtigeVokabeln"), 1);
        }
        QCOMPARE(f->ctx->settings.readInteger("AktuelleBenutzerID"), anna);
        QTest::mouseClick(t().BTEstStop, Qt::LeftButton);
        QVERIFY(users.locate("ID", anna));
        QCOMPARE(users.integer("AbgefragteVokabeln"), 0);
        QCOMPARE(users.integer("RichtigeVokabeln"), 0);
    }

    void totalsAndCoefficientsReachTheFilesAtClose() {
        startWith({{"tastatur", 1}});
        f->chooseLesson(true, "ALLE VOKABELN");
        QTest::mouseClick(t().BTestStart, Qt::LeftButton);
        type("house");
        type("wrong");
        QTest::mouseClick(t().BTEstStop, Qt::LeftButton);
        f->restart();
        QCOMPARE(f->userTotal("AbgefragteVokabeln"), 2);
        QCOMPARE(f->userTotal("RichtigeVokabeln"), 1);
        QCOMPARE(f->coefficient(1), 2.0);
        QCOMPARE(f->coefficient(2), 1.0);
        QVERIFY(f->ctx->options.keyboard);
    }
};

QTEST_MAIN(TestRunTest)
#include "tst_training_testrun.moc"
