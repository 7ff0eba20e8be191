// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary panel through the real main window.
#include "databound/grid.h"
#include "support/itemviews.h"
#include "training/answercheck.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/dictionarypanel.h"
#include "vocabulary/vokabeln.h"
#include "vocabularyfixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace testsupport;

class DictionaryTest : public QObject, public VocabularyFixture {
    Q_OBJECT

    vocabulary::DictionaryPanel* panel() { return form->woerterbuch; }
    QStringList shown() { return sortedTexts(panel()->DBGrid1); }

    QStringList inViewOrder() {
        QStringList out;
        auto* m = panel()->DBGrid1->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, 0).data().toString();
        return out;
    }
    // Runs `open` and notes what the vocabulary dialog showed, closing it.
    QString wordTheDialogShows(const std::function<void()>& open, int* rows) {
        QString word;
        QTimer::singleShot(0, this, [&] {
            auto* d = form->vokabelnF;
            if (!d->isVisible())
                return;
            word = d->editor->DBEdit1->text();
            *rows = d->editor->DBGrid2->model()->rowCount();
            d->editor->Button15->click();
        });
        open();
        return word;
    }

private slots:
    void init() {
        startWith({{1, "Haus"},
                   {2, "Rathaus"},
                   {3, "Haustür"},
                   {4, "Baum"},
                   {5, "Über"},
                   {6, "50%"},
                   {7, "Rock'n'Roll"},
                   {8, ""}});
        form->Woerterbuch1->trigger();
    }
    void cleanup() { form.reset(); }

    // Only the dictionary's own search ignores letter case: "Weg" (way) and
    // "weg" (away) stay different words for the answer check and the cards.
    void aDictionarySearchLeavesEveryOtherFilterCaseSensitive() {
        form.reset();
        startWith({{1, "Weg"}, {2, "weg"}});
        auto& v = tc->ctx->db.vocabulary;
        for (auto [id, meaning] : {std::pair{1, "way"}, std::pair{2, "away"}}) {
            QVERIFY(v.locate("ID", id));
            v.edit();
            v.setValue("auslaendisch", meaning);
            v.post();
        }
        form->Woerterbuch1->trigger();
        type(panel()->Edeutsch, "WEG");
        QCOMPARE(shown(), (QStringList{"Weg", "weg"}));
        QVERIFY(!training::AnswerCheck(v, 1, 0, "away").right);
        QVERIFY(training::AnswerCheck(v, 1, 0, "way").right);
        QCOMPARE(shown(), (QStringList{"Weg", "weg"})); // the dictionary's view as it was
        QVERIFY(v.isFilterCaseInsensitive());

        form->SpeedButton5->click(); // another panel: the view is reset
        QVERIFY(!v.isFilterCaseInsensitive());
        QVERIFY(!training::AnswerCheck(v, 1, 0, "away").right);
        QCOMPARE(training::meaningsOf(v, "Weg", 0).words, QStringList{"way"});
    }

    void germanSearchIgnoresCaseAndMatchesAnywhere() {
        QVERIFY(form->PWoerterbuch->isVisible());
        QCOMPARE(panel()->Lauslaendisch->text(), QString("englisch"));
        QCOMPARE(panel()->DBGrid1->columnTitle(1), QString("englisch"));
        type(panel()->Edeutsch, "haus");
        QCOMPARE(shown(), (QStringList{"Haus", "Haustür", "Rathaus"}));
        type(panel()->Edeutsch, "über");
        QCOMPARE(shown(), QStringList{"Über"});
        type(panel()->Edeutsch, "TÜR");
        QCOMPARE(shown(), QStringList{"Haustür"});
    }

    void theLastBoxTypedInDecides() {
        type(panel()->Eausl, "baum-EN");
        QCOMPARE(shown(), QStringList{"Baum"});
        type(panel()->Edeutsch, "haus");
        QCOMPARE(shown(), (QStringList{"Haus", "Haustür", "Rathaus"}));
    }

    void quotesAreLiteralWhileWildcardsStay() {
        type(panel()->Edeutsch, "k'n'r");
        QCOMPARE(shown(), QStringList{"Rock'n'Roll"});
        QVERIFY(prompts().shown.isEmpty());
        type(panel()->Edeutsch, "%");
        for (const char* w : {"Haus", "Rathaus", "Haustür", "Baum", "Über", "50%", "Rock'n'Roll"})
            QVERIFY(shown().contains(w));
        type(panel()->Edeutsch, "h_us");
        QCOMPARE(shown(), (QStringList{"Haus", "Haustür", "Rathaus"}));
        type(panel()->Edeutsch, "0%");
        QCOMPARE(shown(), QStringList{"50%"});
    }

    void reopeningShowsEverythingUntilTheNextKey() {
        type(panel()->Edeutsch, "haus");
        form->VokabelnClick();
        form->WoerterbuchClick();
        QCOMPARE(panel()->Edeutsch->text(), QString("haus"));
        QCOMPARE(shown().size(), 8);
        QTest::sendKeyEvent(QTest::Click, panel()->Edeutsch, Qt::Key_unknown, QString("t"), Qt::NoModifier);
        QCOMPARE(shown(), QStringList{"Haustür"});
    }

    void editingInPlaceFollowsTheVocabularyRules() {
        auto& v = db().vocabulary;
        type(panel()->Edeutsch, "baum");
        auto* g = panel()->DBGrid1;
        g->setFocus();
        g->setCurrentIndex(g->model()->index(0, 2));
        QTest::keyClick(g, 'N');
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, "atur");
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(form->vokabelverwaltung->BSpeichern->isEnabled());
        v.settle();
        QVERIFY(v.locate("deutsch", "Baum"));
        QCOMPARE(v.text("Sachgruppe"), QString("Natur"));
        QVERIFY(tc->ctx->subjectGroups.list().contains("Natur"));
    }

    void ctrlDeleteAsksAndRemovesTheMemberships() {
        auto& v = db().vocabulary;
        type(panel()->Edeutsch, "baum");
        prompts().answers = {core::Answer::Cancel};
        QTest::keyClick(panel()->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(prompts().shown, QStringList{"Datensatz löschen?"});
        QCOMPARE(shown(), QStringList{"Baum"});
        prompts().answers = {core::Answer::Ok};
        QTest::keyClick(panel()->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(shown().isEmpty());
        v.setFiltered(false);
        QVERIFY(!v.locate("ID", 4));
        QCOMPARE(membershipsOf(4), 0);
    }

    void titleClickOrdersTheFilteredWords() {
        type(panel()->Edeutsch, "haus");
        QHeaderView* h = panel()->DBGrid1->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(0) + 5, 5));
        QCOMPARE(db().vocabulary.order(), QString("deutsch"));
        QCOMPARE(panel()->DBGrid1->model()->index(0, 0).data().toString(), QString("Haus"));
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(db().vocabulary.order(), QString("auslaendisch"));
    }

    void theWordComesFirstThenItsBeginningsAndTheHitsAreCounted() {
        QCOMPARE(panel()->LTreffer->text(), QString("8 Vokabeln"));
        type(panel()->Edeutsch, "HAUS");
        QCOMPARE(inViewOrder(), (QStringList{"Haus", "Haustür", "Rathaus"}));
        QCOMPARE(panel()->LTreffer->text(), QString("3 von 8 Vokabeln"));
        type(panel()->Edeutsch, "");
        QCOMPARE(panel()->LTreffer->text(), QString("8 Vokabeln"));
        type(panel()->Eausl, "haus-en");
        QCOMPARE(inViewOrder(), (QStringList{"Haus", "Rathaus"}));
        QCOMPARE(db().vocabulary.order(), QString("ID")); // the ordering itself stays
    }

    // Double-click or Enter: the dialog on that word among all words; the
    // hits are back afterwards.
    void aHitOpensInTheVocabularyDialog() {
        auto& v = db().vocabulary;
        auto* g = panel()->DBGrid1;
        type(panel()->Edeutsch, "haus");
        const QPoint at = g->visualRect(g->model()->index(1, 0)).center();
        int rows = 0;
        QCOMPARE(wordTheDialogShows(
                     [&] {
                         QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
                         QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
                     },
                     &rows),
                 QString("Haustür"));
        QCOMPARE(rows, 8);
        QCOMPARE(inViewOrder(), (QStringList{"Haus", "Haustür", "Rathaus"}));
        QCOMPARE(v.text("deutsch"), QString("Haustür"));
        QVERIFY(v.isFilterCaseInsensitive());
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(!focus || !g->isAncestorOf(focus)); // no cell editor either
        QVERIFY(v.locate("deutsch", "Rathaus"));
        g->setFocus();
        QCOMPARE(wordTheDialogShows([&] { QTest::keyClick(g, Qt::Key_Return); }, &rows), QString("Rathaus"));
        QCOMPARE(v.text("deutsch"), QString("Rathaus"));
        QVERIFY(prompts().shown.isEmpty());
    }
};

QTEST_MAIN(DictionaryTest)
#include "tst_dictionary.moc"
