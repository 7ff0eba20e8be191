// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a learn run, driven on the run itself through a view that only
// records which card and which half it was asked to show. The data is loaded
// by the real start-up; no panel is involved.
#include "trainingfixture.h"
#include "training/learnrun.h"

using namespace trainingtest;
using training::CardPart;

namespace {

class RecordingView : public training::LearnRunView {
public:
    QList<int> cards;
    QList<CardPart> parts;
    bool running = false;
    bool canStepBack = false;
    QStringList progress;

    void showCard(int id, CardPart part) override {
        cards << id;
        parts << part;
    }
    void showProgress(int number, int count) override { progress << QStringLiteral("%1/%2").arg(number).arg(count); }
    void showRunning(bool on, bool back) override {
        running = on;
        canStepBack = back;
    }
    int last() const { return cards.isEmpty() ? 0 : cards.last(); }
};

} // namespace

class LearnRunRulesTest : public QObject, public TrainingFixture {
    Q_OBJECT

    std::unique_ptr<training::Pool> pool;
    std::unique_ptr<training::LearnRun> run;
    RecordingView view;

    void begin(const QString& lesson, int orderMode = 1, bool loop = false) {
        ctx->options.OrderMode = orderMode;
        ctx->options.loop = loop;
        QVERIFY(pool->choose(lesson));
        run->start();
        QVERIFY(run->running());
    }

private slots:
    void init() {
        make();
        writeWords({{1, "Haus", "house"}, {2, "Baum", "tree"}, {3, "Apfel", "apple"}, {4, "Hund", "dog"}});
        start();
        addLesson("Drei", {1, 2, 3});
        view = RecordingView();
        prompter->shown.clear();
        pool = std::make_unique<training::Pool>(ctx->db);
        run = std::make_unique<training::LearnRun>(*ctx, *pool, view);
    }
    void cleanup() {
        run.reset();
        pool.reset();
        form.reset();
    }

    // Sequentially every card comes once; at the end the run says so and
    // goes on, so one step back shows the card before the last.
    void sequentialCardsThenTheEndAndOneStepBack() {
        begin("Drei");
        QVERIFY(view.running);
        QVERIFY(view.canStepBack);
        run->next();
        run->next();
        QCOMPARE(view.cards, QList<int>({1, 2, 3}));
        QVERIFY(prompter->shown.isEmpty());
        run->next();
        QCOMPARE(prompter->shown, QStringList{"Keine weiteren Vokabeln mehr verfügbar"});
        QCOMPARE(view.last(), 3);
        QVERIFY(run->running());
        run->previous();
        QCOMPARE(view.last(), 2);
        run->stop();
        QVERIFY(!view.running);
        QVERIFY(!run->running());
    }

    void sequentialWithLoopShowsTheFirstCardTwice() {
        begin("Drei", 1, true);
        run->next();
        run->next();
        const int before = view.cards.size();
        for (int i = 0; i < 3; ++i)
            run->next();
        QCOMPARE(view.cards.mid(before), QList<int>({1, 1, 2}));
        QVERIFY(prompter->shown.isEmpty());
    }

    // Half steps alternate between the question of the next card and the
    // answers of the same card; a whole step starts the halves again.
    void singleStepsShowQuestionThenAnswers() {
        begin("Drei");
        run->singleStep();
        QCOMPARE(run->singleStepPhase(), 2);
        run->singleStep();
        run->singleStep();
        QCOMPARE(view.cards, QList<int>({1, 2, 2, 3}));
        QCOMPARE(view.parts,
                 QList<CardPart>({CardPart::Whole, CardPart::Question, CardPart::Answers, CardPart::Question}));
        run->next();
        QCOMPARE(run->singleStepPhase(), 1);
    }

    void previousOnTheFirstCardShowsItAgain() {
        begin("Drei");
        run->previous();
        QCOMPARE(view.last(), 1);
        run->next();
        run->next();
        run->previous();
        QCOMPARE(view.last(), 2);
        QVERIFY(prompter->shown.isEmpty());
    }

    void previousInAnotherOrderSaysSoAndStepsBackAllTheSame() {
        addLesson("Zwei", {1, 2});
        begin("Zwei", 2);
        QVERIFY(!view.canStepBack);
        run->previous();
        QCOMPARE(prompter->shown, QStringList{"fehler"});
        QCOMPARE(view.parts.last(), CardPart::Whole);
    }

    // The start shows the first card; the draws after it never repeat one
    // another, so each card is drawn once before the run says it is done.
    void randomLearnStartsWithTheFirstCardAndNeverRepeatsWithoutLoop() {
        random->ints = {3, 1, 4, 1, 0, 2};
        begin(QStringLiteral("ALLE VOKABELN"), 2);
        QCOMPARE(view.cards, QList<int>({1}));
        for (int i = 0; i < 4; ++i)
            run->next();
        QVERIFY(prompter->shown.isEmpty());
        QList<int> drawn = view.cards.mid(1);
        std::sort(drawn.begin(), drawn.end());
        QCOMPARE(drawn, QList<int>({1, 2, 3, 4}));
        run->next();
        QCOMPARE(prompter->shown, QStringList{"Keine weiteren Vokabeln mehr verfügbar"});
    }

    // Forgetting the draws lets a run without loop show every card again.
    void clearingTheDrawsStartsTheRandomOrderAfresh() {
        begin(QStringLiteral("ALLE VOKABELN"), 2);
        for (int i = 0; i < 5; ++i)
            run->next();
        QCOMPARE(prompter->shown.size(), 1);
        run->clearAsked();
        for (int i = 0; i < 4; ++i)
            run->next();
        QCOMPARE(prompter->shown.size(), 1);
    }

    // The position counts the lesson's cards in sequence, and the cards
    // drawn so far in a drawn order; a half step shows it once per card.
    void progressCountsTheCardsOfTheLesson() {
        begin("Drei");
        run->singleStep();
        run->singleStep();
        run->next();
        QCOMPARE(view.progress, QStringList({"1/3", "2/3", "3/3"}));
        run->previous();
        QCOMPARE(view.progress.last(), QString("2/3"));
        view.progress.clear();
        begin(QStringLiteral("ALLE VOKABELN"), 2, true);
        for (int i = 0; i < 4; ++i)
            run->next();
        QCOMPARE(view.progress, QStringList({"1/4", "2/4", "3/4", "4/4", "1/4"}));
    }

    // Switching to a drawn order during the run takes the step back away,
    // so it cannot be offered where it would only say it cannot go back.
    void aDrawnOrderChosenDuringTheRunTakesTheStepBackAway() {
        begin("Drei");
        QVERIFY(view.canStepBack);
        ctx->options.OrderMode = 2;
        run->optionsChanged();
        QVERIFY(view.running);
        QVERIFY(!view.canStepBack);
        ctx->options.OrderMode = 1;
        run->optionsChanged();
        QVERIFY(view.canStepBack);
        run->stop();
        run->optionsChanged(); // an idle run stays idle
        QVERIFY(!view.running);
    }

    // A run cannot start on a lesson without words, and says why.
    void anEmptyPoolDoesNotStart() {
        addLesson("Leer", {});
        QVERIFY(pool->choose(QStringLiteral("Leer")));
        run->start();
        QVERIFY(!run->running());
        QVERIFY(view.cards.isEmpty());
        QCOMPARE(prompter->shown.size(), 1);
    }
};

QTEST_MAIN(LearnRunRulesTest)
#include "tst_training_learnrules.moc"
