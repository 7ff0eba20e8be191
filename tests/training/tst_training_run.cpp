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
    training::Choices choices;
    void showChoices(const training::Choices& c) override {
        ++choicesShown;
        choices = c;
    }
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

    void begin(const std::function<void(core::PracticeOptions&)>& options, const QString& lesson = "Drei") {
        auto& o = ctx->options;
        o.OrderMode = 1;
        o.Direction = 0;
        o.keyboard = true;
        options(o);
        QVERIFY(pool->choose(lesson));
        run->start();
        QVERIFY(run->running());
    }

private slots:
    void init() {
        make();
        writeWords({{1, "Haus", "house"},
                    {2, "Baum", "tree"},
                    {3, "Hund", "dog"},
                    {4, "Apfel", "apple"},
                    {5, "Katze", "cat"},
                    {6, "Bank", "bank"},
                    {7, "Bank", "bench"}});
        start();
        addLesson("Drei", {1, 2, 3});
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
    // A wrong answer the user overrides counts as right, for the totals and
    // for the coefficient; a right answer asks nothing.
    void overrideTurnsAWrongAnswerRightOnNo() {
        begin([](core::PracticeOptions& o) { o.override = true; });
        prompter->answers = {core::Answer::No, core::Answer::Yes};
        run->answer(QStringLiteral("hose"));
        QCOMPARE(prompter->shown.last(),
                 QString("Die Lösung lautet: house. Sie haben eingegeben: hose. Ist das wirklich ein Fehler?"));
        QCOMPARE(view.verdicts.last(), Verdict::Right);
        QCOMPARE(coefficient(1), 2.0);
        run->answer(QStringLiteral("three"));
        QCOMPARE(view.verdicts.last(), Verdict::Wrong);
        QCOMPARE(coefficient(2), 1.0);
        run->answer(QStringLiteral("dog"));
        QCOMPARE(prompter->shown.size(), 2);
        QCOMPARE(userTotal("RichtigeVokabeln"), 2);
    }

    // Four answers count four, once, however often the run is stopped, and
    // move the coefficients of the words asked.
    void aRunOfFourAnswersCountsFourOnceAndTheCoefficientsMove() {
        addLesson("Vier", {1, 2, 4, 5});
        auto& k = ctx->db.knowledge;
        k.insert();
        k.setValue("BenutzerID", ctx->settings.readInteger("AktuelleBenutzerID"));
        k.setValue("VokabelID", 2);
        k.setValue("Lernkoeffizient", 5.0);
        k.post();
        begin([](core::PracticeOptions&) {}, "Vier");
        for (const char* a : {"house", "tree", "pear", "cat"})
            run->answer(QString::fromLatin1(a));
        run->stop();
        run->stop();
        QCOMPARE(userTotal("AbgefragteVokabeln"), 4);
        QCOMPARE(userTotal("RichtigeVokabeln"), 3);
        QCOMPARE(coefficient(2), 5.0);
        QCOMPARE(coefficient(4), 1.0);
    }

    // With the option, multiple choice offers only wrong answers of the
    // question's kind while the lesson has enough of them, and fills up with
    // others where it has not; without it, any word of the lesson may come.
    void wrongChoicesOfTheSameKindWhereTheLessonHasThem() {
        run.reset();
        pool.reset();
        form.reset();
        make();
        const QString noun = QStringLiteral("Substantiv"), verb = QStringLiteral("Verb");
        writeWords({{.id = 1, .german = "Haus", .foreign = "house", .kind = noun},
                    {.id = 2, .german = "Baum", .foreign = "tree", .kind = noun},
                    {.id = 3, .german = "Hund", .foreign = "dog", .kind = noun},
                    {.id = 4, .german = "Apfel", .foreign = "apple", .kind = noun},
                    {.id = 8, .german = "laufen", .foreign = "run", .kind = verb},
                    {.id = 9, .german = "essen", .foreign = "eat", .kind = verb},
                    {.id = 10, .german = "schlafen", .foreign = "sleep", .kind = verb},
                    {.id = 11, .german = "trinken", .foreign = "drink", .kind = verb}});
        start();
        addLesson("Mix", {1, 2, 3, 4, 8, 9, 10, 11});
        addLesson("Wenige", {1, 2, 8, 9, 10, 11});
        pool = std::make_unique<training::Pool>(ctx->db);
        run = std::make_unique<training::TestRun>(*ctx, *pool, view);
        const QSet<QString> verbs{"run", "eat", "sleep", "drink"};
        auto wrong = [this] {
            QSet<QString> out;
            for (const QString& c : view.choices.captions)
                if (!c.isEmpty() && c != QLatin1String("house"))
                    out << c;
            return out;
        };
        random->ints = {4, 5, 6, 7, 4, 5, 6, 7};
        begin([](core::PracticeOptions& o) { o.keyboard = false; }, "Mix");
        QCOMPARE(run->questionId(), 1);
        QVERIFY(wrong().intersects(verbs)); // the draw that the option changes
        run->stop();

        random->ints = {4, 5, 6, 7, 4, 5, 6, 7};
        begin(
            [](core::PracticeOptions& o) {
                o.keyboard = false;
                o.choicesOfSameKind = true;
            },
            "Mix");
        QCOMPARE(wrong(), (QSet<QString>{"tree", "dog", "apple"}));
        run->stop();

        begin(
            [](core::PracticeOptions& o) {
                o.keyboard = false;
                o.choicesOfSameKind = true;
            },
            "Wenige");
        QCOMPARE(wrong().size(), 3);
        QVERIFY(wrong().contains("tree"));
        QCOMPARE((wrong() & verbs).size(), 2);
    }

    void randomOrderWithoutLoopAsksEveryEntryOnceThenEnds() {
        addLesson("Sechs", {1, 2, 3, 4, 5, 6});
        random->ints = {0, 3, 1, 4, 2, 2, 0, 1};
        begin([](core::PracticeOptions& o) { o.OrderMode = 2; }, "Sechs");
        QSet<int> asked;
        for (int i = 0; i < 6; ++i) {
            QVERIFY(run->running());
            asked << run->questionId();
            run->answer(QStringLiteral("x"));
        }
        QCOMPARE(asked.size(), 6);
        QCOMPARE(prompter->shown.last(), QString("Keine weiteren Vokabeln mehr verfügbar"));
        QVERIFY(!run->running());
        QCOMPARE(userTotal("AbgefragteVokabeln"), 6);
    }
};

QTEST_MAIN(TestRunRulesTest)
#include "tst_training_run.moc"
