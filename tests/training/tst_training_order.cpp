// SPDX-License-Identifier: GPL-3.0-or-later
// Pool, question order and the small rules of a test answer, without windows.
#include "randomsources.h"
#include "support/scriptedservices.h"
#include "support/vocabularyrows.h"
#include "training/answercheck.h"
#include "training/cardview.h"
#include "training/questionorder.h"

#include <QTest>
#include <set>

using namespace training;
using trainingtest::SeededRandom;

namespace {
std::vector<int> onesTo(int n) {
    std::vector<int> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(i);
    return v;
}
} // namespace

class OrderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::TestContext> tc;
    core::Database& db() { return tc->ctx->db; }
    core::PracticeOptions& options() { return tc->ctx->options; }
    std::unique_ptr<Pool> pool;

    // A user (ID 1, "englisch"), one lesson (ID 7) of `n` vocabularies with
    // IDs 101.., and the pool chosen for it.
    void lessonOf(int n) {
        auto& d = db();
        for (ts::Table* t : {&d.users, &d.lessons, &d.members, &d.knowledge, &d.vocabulary})
            t->createDataSet();
        d.users.insert();
        d.users.setValue("ID", 1);
        d.users.setValue("Name", "Anna");
        d.users.setValue("Letzte Sprache", "englisch");
        d.users.post();
        tc->ctx->settings.writeInteger("AktuelleBenutzerID", 1);
        d.lessons.insert();
        d.lessons.setValue("ID", 7);
        d.lessons.setValue("Name", "L'eins");
        d.lessons.setValue("Sprache", "englisch");
        d.lessons.post();
        for (int i = 1; i <= n; ++i) {
            testsupport::appendRow(d.vocabulary, {100 + i, QString("Wort%1").arg(i), QString("word%1").arg(i)});
            d.members.insert();
            d.members.setValue("LektionsID", 7);
            d.members.setValue("VokabelID", 100 + i);
            d.members.post();
        }
        pool = std::make_unique<Pool>(d);
        QVERIFY(pool->choose("L'eins"));
        QCOMPARE(pool->size(), n);
    }
    void setCoefficient(int vocabularyId, double c) {
        db().knowledge.insert();
        db().knowledge.setValue("BenutzerID", 1);
        db().knowledge.setValue("VokabelID", vocabularyId);
        db().knowledge.setValue("Lernkoeffizient", c);
        db().knowledge.post();
    }
    // Test draws until the end of the pool (at most `limit`); the positions shown.
    std::vector<int> testDraws(core::RandomSource& r, AskedList& asked, int limit) {
        std::vector<int> shown;
        for (int i = 0; i < limit; ++i)
            if (nextTestEntry(*pool, asked, options(), r, db(), [&] { shown.push_back(pool->position()); }) ==
                DrawResult::EndOfPool)
                break;
        return shown;
    }
    std::vector<int> learnDraws(core::RandomSource& r, AskedList& asked, int limit) {
        std::vector<int> shown;
        for (int i = 0; i < limit; ++i)
            if (nextLearnEntry(*pool, asked, options(), r, db(), false, 1,
                               [&] { shown.push_back(pool->position()); }) == DrawResult::EndOfPool)
                break;
        return shown;
    }

private slots:
    void init() {
        tc = std::make_unique<testsupport::TestContext>();
        options() = core::PracticeOptions{};
    }

    void sequentialTestAsksInIdOrderAndEndsOrWraps() {
        lessonOf(3);
        SeededRandom r;
        AskedList asked;
        pool->first();
        QCOMPARE(testDraws(r, asked, 10), (std::vector<int>{1, 2, 3}));
        options().loop = true;
        pool->first();
        QCOMPARE(testDraws(r, asked, 5), (std::vector<int>{1, 2, 3, 1, 2}));
        QVERIFY(r.ranges.empty());
    }

    void offsetsAreDrawnBelowFiveInPoolsUnderTwentyFive() {
        for (int n : {6, 24, 25}) {
            lessonOf(n);
            options().OrderMode = Random;
            SeededRandom r(n);
            AskedList asked;
            pool->first();
            std::vector<int> shown = testDraws(r, asked, 1000);
            std::sort(shown.begin(), shown.end());
            QCOMPARE(shown, onesTo(n)); // each entry exactly once, then the end
            const auto fives = std::count(r.ranges.begin(), r.ranges.end(), 5);
            const auto twentyFives = std::count(r.ranges.begin(), r.ranges.end(), 25);
            if (n < 25)
                QCOMPARE(fives, twentyFives); // every offset is replaced by one below 5
            else
                QCOMPARE(fives, 0);
            init();
        }
    }

    void smallPoolsAskEveryEntryOnceInEveryRandomMode() {
        for (int n = 1; n <= 4; ++n) {
            init();
            lessonOf(n);
            const std::vector<int> all = onesTo(n);
            for (int mode : {Random, ByKnowledge})
                for (quint64 seed = 1; seed <= 100; ++seed) {
                    options().OrderMode = mode;
                    SeededRandom r(seed * 7919 + quint64(n));
                    AskedList asked;
                    pool->first();
                    std::vector<int> shown = testDraws(r, asked, 50);
                    std::sort(shown.begin(), shown.end());
                    QCOMPARE(shown, all);
                    asked.clear();
                    pool->first();
                    shown = learnDraws(r, asked, 50);
                    std::sort(shown.begin(), shown.end());
                    QCOMPARE(shown, all);
                }
        }
    }

    void aRandomSourceStuckOnOneValueCannotHangTheDraw() {
        lessonOf(3);
        options().OrderMode = Random;
        SeededRandom r;
        r.scripted.assign(10000, 4); // offset 4 always overshoots a pool of 3
        AskedList asked;
        pool->first();
        std::vector<int> shown = testDraws(r, asked, 10);
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, (std::vector<int>{1, 2, 3}));
    }

    void randomStepFollowsItsOffsets() {
        lessonOf(30);
        SeededRandom r;
        pool->setPosition(10);
        r.scripted = {7};
        RandomStep(*pool, r, nullptr);
        QCOMPARE(pool->position(), 17);
        pool->setPosition(20);
        r.scripted = {12}; // 32 lies beyond 30: from the first entry on
        RandomStep(*pool, r, nullptr);
        QCOMPARE(pool->position(), 13);
        AskedList asked;
        asked.append(5);
        pool->setPosition(1);
        r.scripted = {4, 2}; // 5 was drawn: on to the next entry, then 2 further
        RandomStep(*pool, r, &asked);
        QCOMPARE(pool->position(), 4);
    }

    void knowledgeWeightAcceptsByCoefficient() {
        lessonOf(4);
        setCoefficient(102, 1);
        setCoefficient(103, 5);
        setCoefficient(104, 2);
        SeededRandom r(99);
        const int draws = 40000;
        const std::pair<int, double> expected[] = {{101, 0.5}, {102, 0.5}, {103, 0.1}, {104, 0.25}};
        for (auto [id, rate] : expected) {
            int taken = 0;
            for (int i = 0; i < draws; ++i)
                taken += KnowledgeWeight(db(), id, r.real());
            QVERIFY2(std::abs(double(taken) / draws - rate) < 0.015, qPrintable(QString::number(id)));
        }
        QVERIFY(KnowledgeWeight(db(), 101, 0.49));
        QVERIFY(!KnowledgeWeight(db(), 101, 0.5));
        QVERIFY(!KnowledgeWeight(db(), 103, 0.1)); // 5 x 0.1 = 0.5 is rejected
    }

    void byKnowledgeAsksWeakEntriesMoreOften() {
        lessonOf(10);
        for (int id = 101; id <= 105; ++id)
            setCoefficient(id, 5);
        options().OrderMode = ByKnowledge;
        options().loop = true;
        SeededRandom r(5);
        AskedList asked;
        pool->first();
        const std::vector<int> shown = testDraws(r, asked, 20000);
        const auto strong = std::count_if(shown.begin(), shown.end(), [](int p) { return p <= 5; });
        // Accepted 1 in 10 against 1 in 2; drawn alike, the half would be strong.
        const double share = double(strong) / double(shown.size());
        QVERIFY2(share > 0.05 && share < 0.25, qPrintable(QString::number(share)));
    }

    void learnLoopReachesEveryEntryWithEqualChance() {
        for (int n : {80, 10}) {
            init();
            lessonOf(n);
            options().OrderMode = Random;
            options().loop = true;
            SeededRandom r(n);
            AskedList asked;
            const int draws = n * 1000;
            std::vector<int> count(size_t(n) + 1);
            for (int p : learnDraws(r, asked, draws))
                ++count[size_t(p)];
            for (int p = 1; p <= n; ++p) // 1000 expected, standard deviation about 31
                QVERIFY2(count[size_t(p)] > 820 && count[size_t(p)] < 1180, qPrintable(QString::number(p)));
        }
    }

    void learnWithoutLoopShowsEachEntryOnceThenEnds() {
        lessonOf(12);
        for (int mode : {Random, ByKnowledge}) {
            options().OrderMode = mode;
            SeededRandom r(mode);
            AskedList asked;
            pool->first();
            std::vector<int> shown = learnDraws(r, asked, 100);
            std::sort(shown.begin(), shown.end());
            QCOMPARE(shown.size(), size_t(12));
            QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), size_t(12));
        }
    }

    void answersCompareOnlyAsciiLettersWithoutCase() {
        QVERIFY(sameAnswer("House", "house"));
        QVERIFY(sameAnswer(" bench ", "bench"));
        QVERIFY(!sameAnswer("strasse", "Straße"));
        QVERIFY(!sameAnswer("STRASSE", "Straße"));
        QVERIFY(!sameAnswer("ÄPFEL", "äpfel")); // umlauts exactly
        QVERIFY(!sameAnswer("cafe", "café"));
        QVERIFY(!sameAnswer("its", "it's"));
        QVERIFY(sameAnswer("O'NEILL", "o'neill"));
    }

    void answerCheckAcceptsEveryMeaningAndRestoresTheTable() {
        lessonOf(2);
        auto& v = db().vocabulary;
        testsupport::appendRows(v, {{201, "Bank", "bank"}, {202, "Bank ", "bench"}, {203, "Bank", "bench"}});
        v.setFilter("ID > 101");
        v.setFiltered(true);
        v.locate("ID", 102);
        QVERIFY(AnswerCheck(v, 201, 0, "Bank").right);
        QVERIFY(AnswerCheck(v, 201, 0, "bench ").right);
        const CheckResult wrong = AnswerCheck(v, 201, 0, "seat");
        QVERIFY(!wrong.right);
        QCOMPARE(wrong.solution, QString("bench"));
        QCOMPARE(v.filter(), QString("ID > 101"));
        QVERIFY(v.isFiltered());
        QCOMPARE(v.integer("ID"), 102);
        QCOMPARE(meaningsOf(v, "Bank", 0).words, QStringList({"bank", "bench"}));
    }

    void coefficientMovesOneStepWithinOneToFive() {
        lessonOf(1);
        auto coefficient = [&] {
            return db().knowledge.locate("VokabelID;BenutzerID", {101, 1}) ? db().knowledge.number("Lernkoeffizient")
                                                                           : -1.0;
        };
        CoefficientUpdate(db().knowledge, 101, 1, false);
        QCOMPARE(coefficient(), 1.0);
        CoefficientUpdate(db().knowledge, 101, 1, false);
        QCOMPARE(coefficient(), 1.0);
        for (int i = 0; i < 6; ++i)
            CoefficientUpdate(db().knowledge, 101, 1, true);
        QCOMPARE(coefficient(), 5.0);
        CoefficientUpdate(db().knowledge, 102, 1, true);
        QVERIFY(db().knowledge.locate("VokabelID;BenutzerID", {102, 1}));
        QCOMPARE(db().knowledge.number("Lernkoeffizient"), 2.0);
        QCOMPARE(db().knowledge.recordCount(), 2);
    }

    void runTotalsCountEveryAnswerOnce() {
        lessonOf(1);
        RunTotals t;
        for (bool right : {true, true, false, true})
            t.count(right);
        t.addTo(db());
        t.addTo(db());
        t.count(false);
        t.addTo(db());
        t.addTo(db());
        db().locateCurrentUser();
        QCOMPARE(db().users.integer("AbgefragteVokabeln"), 5);
        QCOMPARE(db().users.integer("RichtigeVokabeln"), 3);
    }

    void cardGeometry() {
        QCOMPARE(cardFontSize("Haus", "house"), 30);
        QCOMPARE(cardFontSize("Zehnzeiche", "x"), 30);
        QCOMPARE(cardFontSize("x", "Elfzeichen1"), 20);
        QCOMPARE(cardFontSize("Sechzehnzeichen1", "x"), 10);
        QCOMPARE(meaningTop(1, 2), 0);
        QCOMPARE(meaningTop(2, 2), 65);
        const int four[] = {0, 32, 65, 98};
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(meaningTop(i, 4), four[i - 1]);
    }

    void optionsReplaceMissingValues() {
        core::PracticeOptions o;
        o.load(tc->ctx->settings);
        QCOMPARE(o.OrderMode, 1);
        QCOMPARE(o.TimeBudget, 360);
        QVERIFY(!o.keyboard);
        QCOMPARE(orderModeFromText("Nach Können"), 3);
        QCOMPARE(orderModeFromText("Zufallsprinzip"), 0);
    }
};

QTEST_GUILESS_MAIN(OrderTest)
#include "tst_training_order.moc"
