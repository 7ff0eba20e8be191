// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a test run, driven on the run itself through a view that only
// records: the clock, the end of the pool and answers that come too late.
// The data is loaded by the real start-up; no panel is involved.
#include "trainingfixture.h"
#include "training/testrun.h"

using namespace trainingtest;
using Verdict = training::TestRunView::Verdict;

namespace {

class RecordingView : public training::TestRunView {
public:
    QList<int> questions;
    QList<Verdict> verdicts;
    QList<int> clock;
    int choicesShown = 0;
    bool clockRunning = false;
    bool running = false;
    training::RunTotals totals;

    void showQuestion(int id) override { questions << id; }
    void showChoices(const training::Choices&) override { ++choicesShown; }
    void focusAnswer() override {}
    void showVerdict(Verdict v) override { verdicts << v; }
    void hideVerdict() override {}
    void showTotals(const training::RunTotals& t) override { totals = t; }
    void showClock(int secondsLeft) override { clock << secondsLeft; }
    void startClock() override { clockRunning = true; }
    void stopClock() override { clockRunning = false; }
    void showRunning(bool on) override { running = on; }
};

} // namespace

class TestRunRulesTest : public QObject, public TrainingFixture {
    Q_OBJECT

    std::unique_ptr<training::Pool> pool;
    std::unique_ptr<training::TestRun> run;
    RecordingView view;

    int userTotal(const char* field) {
        ctx->db.locateCurrentUser();
        return ctx->db.users.integer(field);
    }
    void begin(const std::function<void(core::PracticeOptions&)>& options) {
        auto& o = ctx->options;
        o.OrderMode = 1;
        o.Direction = 0;
        o.keyboard = true;
        options(o);
        QVERIFY(pool->choose(QStringLiteral("ALLE VOKABELN")));
        run->start();
        QVERIFY(run->running());
    }

private slots:
    void init() {
        make();
        writeWords({{1, "Haus", "house"}, {2, "Baum", "tree"}, {3, "Hund", "dog"}});
        start();
        view = RecordingView();
        pool = std::make_unique<training::Pool>(ctx->db);
        run = std::make_unique<training::TestRun>(*ctx, *pool, view);
    }
    void cleanup() {
        run.reset();
        pool.reset();
        form.reset();
    }

    // Sequentially the run asks each word once and ends at the end of the
    // pool, adding its answers to the user exactly once.
    void theEndOfThePoolEndsTheRunAndCountsOnce() {
        const int asked = userTotal("AbgefragteVokabeln");
        const int right = userTotal("RichtigeVokabeln");
        begin([](core::PracticeOptions&) {});
        QCOMPARE(view.questions, QList<int>({1}));
        for (const char* a : {"house", "wrong", "dog"})
            run->answer(QString::fromLatin1(a));
        QCOMPARE(view.questions, QList<int>({1, 2, 3}));
        QCOMPARE(view.verdicts, QList<Verdict>({Verdict::Right, Verdict::Wrong, Verdict::Right, Verdict::NoMoreWords}));
        QVERIFY(!run->running());
        QVERIFY(!view.running);
        run->answer(QStringLiteral("house")); // after the end: nothing
        run->stop();
        QCOMPARE(userTotal("AbgefragteVokabeln"), asked + 3);
        QCOMPARE(userTotal("RichtigeVokabeln"), right + 2);
    }

    // The clock counts down once a second, ends the run at zero and shows
    // "00:00", not the budget.
    void theTimeRunningOutEndsTheRunAtZero() {
        begin([](core::PracticeOptions& o) {
            o.timerOn = true;
            o.timerMode = core::PracticeOptions::TotalTime;
            o.TimeBudget = 2;
        });
        QVERIFY(view.clockRunning);
        run->answer(QStringLiteral("house"));
        run->Timer1Timer();
        run->Timer1Timer();
        QVERIFY(!run->running());
        QVERIFY(!view.clockRunning);
        QCOMPARE(view.verdicts.last(), Verdict::TimeUp);
        QCOMPARE(view.clock.last(), 0);
        QCOMPARE(run->totals().asked, 1);
        run->Timer1Timer(); // a late tick changes nothing
        QCOMPARE(view.clock.last(), 0);
    }

    // An answer whose override question was still open when the time ran
    // out belongs to a run that has ended: it changes no total and no
    // coefficient.
    void anAnswerOvertakenByTheTimeDoesNotCount() {
        begin([](core::PracticeOptions& o) {
            o.override = true;
            o.timerOn = true;
            o.timerMode = core::PracticeOptions::TotalTime;
            o.TimeBudget = 1;
        });
        prompter->answers = {core::Answer::No};
        prompter->whileAsking = [this] { run->Timer1Timer(); };
        const int asked = userTotal("AbgefragteVokabeln");
        run->answer(QStringLiteral("falsch"));
        QVERIFY(!run->running());
        QCOMPARE(run->totals().asked, 0);
        QCOMPARE(userTotal("AbgefragteVokabeln"), asked);
        QVERIFY(!ctx->db.knowledge.locate(QStringLiteral("VokabelID"), 1));
    }

    // Switching to choices in the middle of a typed question offers them at
    // once, and only once for that question.
    void choicesAppearWhenTheModeChangesDuringAQuestion() {
        begin([](core::PracticeOptions&) {});
        QCOMPARE(view.choicesShown, 0);
        ctx->options.keyboard = false;
        run->keyboardModeChanged();
        run->keyboardModeChanged();
        QCOMPARE(view.choicesShown, 1);
    }
};

QTEST_MAIN(TestRunRulesTest)
#include "tst_training_run.moc"
