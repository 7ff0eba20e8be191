// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson and option dialogs, the toolbars and the options across a restart.
#include "trainingfixture.h"

using namespace trainingtest;

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TrainingFixture> f;
    training::TestPanel& t() { return f->test(); }
    core::PracticeOptions& o() { return f->ctx->options; }
    // A click as the user's: signals and all (a mouse click at the centre of
    // a stretched radio button can miss its text).
    void click(QAbstractButton* b) { b->click(); }

private slots:
    void init() {
        f = std::make_unique<TrainingFixture>();
        QList<Word> words;
        for (int i = 1; i <= 30; ++i)
            words.append({i, QString("Wort%1").arg(i), QString("word%1").arg(i)});
        f->writeWords(words);
        f->writeWords({{100, "Hund", "chien"}}, "französisch");
        f->start();
    }
    void cleanup() { f.reset(); }

    void lessonListsHoldOnlyTheCurrentLanguage() {
        f->addLesson("Tiere", {1, 2});
        f->addLesson("Animaux", {100}, "französisch");
        QCOMPARE(f->lessonList(true), (QStringList{"ALLE VOKABELN", "Tiere"}));
        QCOMPARE(f->lessonList(false), (QStringList{"ALLE VOKABELN", "Tiere"}));
        QVERIFY(!f->ctx->db.lessons.isFiltered()); // lifted on closing
        f->chooseLesson(true, "Tiere", true);
        QVERIFY(!f->form->PTesten->isVisible()); // cancelled: nothing happens
    }

    void okWithoutAnyLessonExplainsAndStaysOpen() {
        auto& lessons = f->ctx->db.lessons;
        lessons.first();
        while (!lessons.isEmpty())
            lessons.deleteRecord();
        f->chooseLesson(false, "ALLE VOKABELN");
        QVERIFY(f->prompter->shown.last().contains("noch keine Lektion"));
        QVERIFY(!f->form->PLernen->isVisible());
        QVERIFY(!f->area().pool.isChosen());
    }

    void directionCaptionsFollowTheLanguage() {
        auto* d = f->area().testoptionenF;
        QCOMPARE(d->RadioButton4->text(), QString("deutsch-englisch"));
        QCOMPARE(d->RadioButton5->text(), QString("englisch-deutsch"));
        QCOMPARE(f->area().lernenoptionenF->RadioButton4->text(), QString("deutsch-englisch"));
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("deutsch-englisch"));
        QCOMPARE(f->learn().SBAbfragerichtung->text(), QString("deutsch-englisch"));
    }

    void loopGreysTimePerWord() {
        f->chooseLesson(true, "ALLE VOKABELN");
        f->testOptions(
            [&](training::testoptionenF& d) {
                click(d.RadioButton7);
                QVERIFY(d.RadioButton7->isChecked());
                click(d.CheckBox1);
                QVERIFY(!d.RadioButton7->isEnabled());
                QVERIFY(d.RadioButton10->isChecked());
                click(d.CheckBox1);
                QVERIFY(d.RadioButton7->isEnabled());
            },
            false);
        QVERIFY(!o().loop); // cancelled
        QVERIFY(!o().timerOn);
    }

    void timePerWordMakesOneBudgetShownInMinutesLater() {
        f->addLesson("Dreißig", [] {
            QList<int> ids;
            for (int i = 1; i <= 30; ++i)
                ids << i;
            return ids;
        }());
        f->chooseLesson(true, "Dreißig");
        f->testOptions([&](training::testoptionenF& d) {
            click(d.RadioButton7);
            d.LabeledEdit2->setText("10");
        });
        QVERIFY(o().timerOn);
        QCOMPARE(o().TimeBudget, 300);
        QCOMPARE(t().run().countdown(), 300);
        QVERIFY(t().SBTimer->isChecked());
        QVERIFY(t().Label1->isVisible());
        // The timer switched off on the panel keeps its mode.
        click(t().SBTimer);
        QVERIFY(!t().Label1->isVisible());
        f->testOptions(
            [&](training::testoptionenF& d) {
                QVERIFY(d.RadioButton7->isChecked());
                QVERIFY(d.RadioButton7->isEnabled());
            },
            false);
        // A running timer is shown as its total in minutes.
        click(t().SBTimer);
        f->testOptions(
            [&](training::testoptionenF& d) {
                QVERIFY(d.RadioButton6->isChecked());
                QCOMPARE(d.LabeledEdit1->text(), QString("5"));
            },
            false);
    }

    void timeFieldsRefuseWhatIsNoNumber() {
        f->chooseLesson(true, "ALLE VOKABELN");
        const int budget = o().TimeBudget;
        for (const QString& bad : {QString("fünf"), QString(""), QString("0"), QString("2,5"), QString("101")}) {
            f->testOptions([&](training::testoptionenF& d) {
                click(d.RadioButton6);
                click(d.RadioButton9);
                d.LabeledEdit1->setText(bad);
            });
            QVERIFY(f->prompter->shown.last().contains("„Minuten“"));
            QVERIFY(!o().timerOn);
            QVERIFY(!o().keyboard);
            QCOMPARE(o().TimeBudget, budget);
        }
        f->testOptions([&](training::testoptionenF& d) {
            click(d.RadioButton7);
            d.LabeledEdit2->setText("zehn");
        });
        QVERIFY(f->prompter->shown.last().contains("„Sekunden“"));
        QVERIFY(!o().timerOn);
        f->testOptions([&](training::testoptionenF& d) {
            click(d.RadioButton6);
            d.LabeledEdit1->setText(" 2 ");
            d.UpDown1->stepBy(1);
            QCOMPARE(d.LabeledEdit1->text(), QString("3"));
        });
        QCOMPARE(o().TimeBudget, 180);
    }

    void testOptionsReachEveryToggle() {
        f->chooseLesson(true, "ALLE VOKABELN");
        f->testOptions([&](training::testoptionenF& d) {
            click(d.RadioButton3);
            click(d.RadioButton5);
            click(d.CheckBox1);
            click(d.CheckBox2);
            click(d.RadioButton9);
            click(d.RadioButton10);
        });
        QCOMPARE(o().OrderMode, 3);
        QCOMPARE(o().Direction, 1);
        QVERIFY(o().loop && o().override && o().keyboard && !o().timerOn);
        QCOMPARE(t().ComboBox1->currentText(), QString("Nach Können"));
        QCOMPARE(f->learn().CBReihenfolge->currentText(), QString("Nach Können"));
        QVERIFY(t().SBSChleifeTest->isChecked());
        QVERIFY(t().SBUeberstimmen->isChecked());
        QCOMPARE(t().SBTastatureingabe->text(), QString("Tastatureingabe"));
        QVERIFY(t().SBAbfragerichtungTest->isChecked());
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("englisch-deutsch"));
        QVERIFY(t().Edit1->isVisibleTo(&t()));
        QVERIFY(!t().Button8->isVisibleTo(&t()));

        f->restart(); // saved at close, loaded at start
        QCOMPARE(f->ctx->settings.readInteger("reihenfolge"), 3);
        QCOMPARE(f->ctx->settings.readInteger("timer"), 0);
        QCOMPARE(o().OrderMode, 3);
        QVERIFY(o().loop && o().override && o().keyboard);
        QCOMPARE(f->test().ComboBox1->currentIndex(), 2);
        QCOMPARE(f->learn().CBReihenfolge->currentIndex(), 2);
        QVERIFY(f->learn().SBSChleife->isChecked());
        QVERIFY(f->learn().SBAbfragerichtung->isChecked());
    }

    // Off until chosen; once chosen it holds for the next start.
    void choicesOfTheSameKindAreAnOptionKeptAcrossStarts() {
        QVERIFY(!o().choicesOfSameKind);
        f->testOptions([](training::testoptionenF& d) {
            QVERIFY(!d.CBGleicheWortart->isChecked());
            QCOMPARE(d.CBGleicheWortart->text(), QString("Falsche Antworten derselben Wortart"));
            d.CBGleicheWortart->setChecked(true);
        });
        QVERIFY(o().choicesOfSameKind);
        f->restart();
        QVERIFY(o().choicesOfSameKind);
        f->testOptions([](training::testoptionenF& d) { QVERIFY(d.CBGleicheWortart->isChecked()); }, false);
    }

    void learnOptionsSetOrderDirectionAndLoop() {
        f->chooseLesson(false, "ALLE VOKABELN");
        QTest::mouseClick(f->learn().BLernenStart, Qt::LeftButton);
        f->learnOptions([&](training::lernenoptionenF& d) {
            QVERIFY(d.RadioButton1->isChecked());
            click(d.RadioButton2);
            click(d.RadioButton5);
            click(d.CheckBox1);
        });
        QCOMPARE(o().OrderMode, 2);
        QCOMPARE(o().Direction, 1);
        QVERIFY(o().loop);
        QCOMPARE(f->learn().CBReihenfolge->currentText(), QString("Zufällig"));
        QCOMPARE(t().ComboBox1->currentText(), QString("Zufällig")); // one order governs both runs
        QVERIFY(f->learn().SBSChleife->isChecked());
        QCOMPARE(f->learn().SBAbfragerichtung->text(), QString("englisch-deutsch"));
        QVERIFY(f->learn().BLernenStart->isEnabled()); // the options stop the run
    }

    void everyControlShowsTheOptionsInForce() {
        f->chooseLesson(true, "ALLE VOKABELN");
        auto& learn = f->learn();
        learn.CBReihenfolge->setFocus();
        QTest::keyClick(learn.CBReihenfolge, Qt::Key_Down); // "Zufällig" on the learn panel
        QCOMPARE(o().OrderMode, 2);
        QCOMPARE(t().ComboBox1->currentText(), QString("Zufällig"));
        click(t().SBSChleifeTest);
        QVERIFY(learn.SBSChleife->isChecked());
        click(learn.SBAbfragerichtung);
        QVERIFY(t().SBAbfragerichtungTest->isChecked());
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("englisch-deutsch"));
        f->learnOptions([&](training::lernenoptionenF& d) {
            QVERIFY(d.RadioButton2->isChecked());
            QVERIFY(d.RadioButton5->isChecked());
            QVERIFY(d.CheckBox1->isChecked());
            click(d.RadioButton3);
            click(d.RadioButton4);
            click(d.CheckBox1);
        });
        QCOMPARE(t().ComboBox1->currentText(), QString("Nach Können"));
        QVERIFY(!t().SBSChleifeTest->isChecked());
        QVERIFY(!t().SBAbfragerichtungTest->isChecked());
        QCOMPARE(t().SBAbfragerichtungTest->text(), QString("deutsch-englisch"));
        f->testOptions([&](training::testoptionenF& d) {
            QVERIFY(d.RadioButton3->isChecked());
            QVERIFY(d.RadioButton4->isChecked());
            QVERIFY(!d.CheckBox1->isChecked());
            click(d.RadioButton1);
            click(d.RadioButton5);
        });
        QCOMPARE(learn.CBReihenfolge->currentText(), QString("Sequentiell"));
        QVERIFY(learn.SBAbfragerichtung->isChecked());
        QCOMPARE(learn.SBAbfragerichtung->text(), QString("englisch-deutsch"));
    }

    void oneComboBoxGovernsBothRuns() {
        f->chooseLesson(true, "ALLE VOKABELN");
        t().ComboBox1->setFocus();
        QTest::keyClick(t().ComboBox1, Qt::Key_Down);
        QCOMPARE(o().OrderMode, 2);
        QCOMPARE(f->learn().CBReihenfolge->currentText(), QString("Zufällig"));
    }

    void missingSettingsGiveSequentialAndSixMinutes() {
        QCOMPARE(o().OrderMode, 1);
        QCOMPARE(o().TimeBudget, 360);
        QCOMPARE(t().run().countdown(), 360);
        QVERIFY(!o().keyboard);
        QCOMPARE(t().SBTastatureingabe->text(), QString("Multiple Choice"));
        QVERIFY(!t().Label1->isVisible());
    }

    void helpButtonsOpenTheManual() {
        f->chooseLesson(true, "ALLE VOKABELN");
        click(t().SpeedButton11);
        QVERIFY(f->opener->opened.last().endsWith("data/Moriva Vokabeltrainer/Vokabeltrainer - Handbuch.pdf"));
        f->testOptions([&](training::testoptionenF& d) { click(d.SpeedButton16); }, false);
        QVERIFY(f->opener->opened.last().endsWith("program/Vokabeltrainer - Handbuch.pdf"));
        QCOMPARE(f->area().testoptionenF->SpeedButton16->toolTip(), QString("Hile aufrufen"));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_training_dialogs.moc"
