// SPDX-License-Identifier: GPL-3.0-or-later
// The learn run through the real main window and its "Lernen" panel: what
// the cards and the controls show. The order rules are tested on the run.
#include "trainingfixture.h"

using namespace trainingtest;
using Text = training::CardImage::Text;

class LearnRunTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TrainingFixture> f;
    training::LearnPanel& l() { return f->learn(); }
    QStringList question() { return TrainingFixture::texts(*l().Image1); }
    QStringList answers() { return TrainingFixture::texts(*l().Image2); }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void startLesson(const QString& name) {
        f->chooseLesson(false, name);
        QVERIFY(f->form->PLernen->isVisible());
        click(l().BLernenStart);
    }

private slots:
    void init() {
        f = std::make_unique<TrainingFixture>();
        f->writeWords({{1, "Haus", "house"},
                       {2, "Baum", "tree"},
                       {3, "Apfel", "apple"},
                       {4, "Bank", "bank"},
                       {5, "Bank", "bench"},
                       {6, "Zehnzeiche", "ten"},
                       {7, "Elfzeichen1", "eleven"},
                       {8, "Sechzehnzeichen1", "sixteen"},
                       {10, "Sitz", "seat"},
                       {11, "Hocker", "seat"},
                       {12, "Stuhl", "seat"},
                       {13, "Sessel", "seat"},
                       {14, "Sitzplatz", "seat"},
                       {20, "schnell", "fast"},
                       {21, "schnell", "quick"},
                       {22, "schnell", "rapid"},
                       {23, "schnell", "swift"}});
        f->start();
        f->addLesson("Drei", {1, 2, 3});
    }
    void cleanup() { f.reset(); }

    void sequentialCardsThenTheEnd() {
        startLesson("Drei");
        QCOMPARE(question(), QStringList{"Haus"});
        QCOMPARE(answers(), QStringList{"house"});
        QCOMPARE(l().Image1->texts().front(), (Text{"Haus", 112, 50, 30, Qt::AlignHCenter, Qt::white}));
        QCOMPARE(l().Image2->texts().front(), (Text{"house", 112, 50, 30, Qt::AlignHCenter, Qt::white}));
        QVERIFY(!l().BLernenStart->isEnabled());
        QVERIFY(l().BVorher->isEnabled());
        QCOMPARE(l().LKartenposition->text(), QString("Karte 1 von 3"));
        click(l().BNaechste);
        QCOMPARE(question(), QStringList{"Baum"});
        click(l().BNaechste);
        QCOMPARE(question(), QStringList{"Apfel"});
        QVERIFY(f->prompter->shown.isEmpty());
        click(l().BNaechste);
        QCOMPARE(f->prompter->shown, QStringList{"Keine weiteren Vokabeln mehr verfügbar"});
        QCOMPARE(question(), QStringList{"Apfel"});
        QVERIFY(l().BNaechste->isEnabled()); // the run goes on
        click(l().BVorher);                  // at the end one step back is enough
        QCOMPARE(question(), QStringList{"Baum"});
        click(l().BLernenStop);
        QVERIFY(l().BLernenStart->isEnabled());
        QVERIFY(!l().BNaechste->isEnabled());
        QCOMPARE(question(), QStringList{"Baum"}); // the cards stay
    }

    void singleStepsShowQuestionThenAnswers() {
        startLesson("Drei");
        click(l().BEinzelschritt);
        QCOMPARE(question(), QStringList{"Baum"});
        QVERIFY(l().Image2->isBlank());
        click(l().BEinzelschritt);
        QCOMPARE(question(), QStringList{"Baum"});
        QCOMPARE(answers(), QStringList{"tree"});
        click(l().BEinzelschritt);
        QCOMPARE(question(), QStringList{"Apfel"});
        QVERIFY(l().Image2->isBlank());
    }

    void theOrderBoxDuringARunSwitchesTheStepBackOff() {
        startLesson("Drei");
        QVERIFY(l().BVorher->isEnabled());
        QTest::keyClick(l().CBReihenfolge, Qt::Key_Down); // "Zufällig"
        QCOMPARE(f->ctx->options.OrderMode, 2);
        QVERIFY(!l().BVorher->isEnabled());
        QVERIFY(l().BNaechste->isEnabled());
    }

    void stepsBackAreOfferedOnlyInSequentialOrder() {
        f->addLesson("Zwei", {1, 2});
        f->ctx->options.OrderMode = 2;
        startLesson("Zwei");
        QVERIFY(!l().BVorher->isEnabled());
        l().BVorherClick();
        QCOMPARE(f->prompter->shown, QStringList{"fehler"});
    }

    void severalMeaningsAreListedDownTheCard() {
        f->addLesson("Bank", {4});
        startLesson("Bank");
        QCOMPARE(l().Image2->texts(), (QList<Text>{{"bank", 30, 0, 20, Qt::AlignLeft, Qt::white},
                                                   {"bench", 30, 65, 20, Qt::AlignLeft, Qt::white}}));
        f->addLesson("schnell", {20});
        startLesson("schnell");
        QList<int> tops;
        for (const Text& t : l().Image2->texts())
            tops << t.y;
        QCOMPARE(tops, (QList<int>{0, 32, 65, 98}));
    }

    void fiveGermanMeaningsInTheOtherDirectionUseTenPoints() {
        QTest::mouseClick(l().SBAbfragerichtung, Qt::LeftButton);
        QCOMPARE(f->ctx->options.Direction, 1);
        QCOMPARE(l().SBAbfragerichtung->text(), QString("englisch-deutsch"));
        QCOMPARE(f->test().SBAbfragerichtungTest->text(), QString("englisch-deutsch"));
        QVERIFY(f->test().SBAbfragerichtungTest->isChecked());
        f->addLesson("seat", {10});
        startLesson("seat");
        QCOMPARE(question(), QStringList{"seat"});
        QList<int> tops, sizes;
        for (const Text& t : l().Image2->texts()) {
            tops << t.y;
            sizes << t.pointSize;
        }
        QCOMPARE(answers(), (QStringList{"Sitz", "Hocker", "Stuhl", "Sessel", "Sitzplatz"}));
        QCOMPARE(tops, (QList<int>{0, 26, 52, 78, 104}));
        QCOMPARE(sizes, (QList<int>{10, 10, 10, 10, 10}));
    }

    void longWordsAreDrawnSmaller() {
        f->addLesson("Lang", {6, 7, 8});
        startLesson("Lang");
        QList<int> sizes;
        for (int i = 0; i < 3; ++i) {
            sizes << l().Image1->texts().front().pointSize;
            QCOMPARE(l().Image2->texts().front().pointSize, sizes.last());
            click(l().BNaechste);
        }
        QCOMPARE(sizes, (QList<int>{30, 20, 10}));
    }

    void drawingACardLeavesTheVocabularyAsItWas() {
        auto& v = f->ctx->db.vocabulary;
        startLesson("Drei");
        v.setFilter("ID > 2");
        v.setFiltered(true);
        v.locate("ID", 7);
        click(l().BNaechste);
        QCOMPARE(question(), QStringList{"Baum"});
        QVERIFY(v.isFiltered());
        QCOMPARE(v.filter(), QString("ID > 2"));
        QCOMPARE(v.integer("ID"), 7);
        QCOMPARE(f->ctx->db.knowledge.recordCount(), 0); // learning never judges
    }
};

QTEST_MAIN(LearnRunTest)
#include "tst_training_learnrun.moc"
