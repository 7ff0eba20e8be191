// SPDX-License-Identifier: GPL-3.0-or-later
// The search line of the vocabulary panel and dialog through the real main window.
#include "databound/grid.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vocabularysearch.h"
#include "vocabulary/vokabeln.h"
#include "vocabularyfixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

using namespace testsupport;
using vocabulary::VocabularySearch;

class FindingTest : public QObject, public VocabularyFixture {
    Q_OBJECT

    vocabulary::VocabularyEditor* panel() { return form->vokabelverwaltung; }
    static QStringList shown(databound::Grid* g) {
        QStringList out;
        for (int r = 0; r < g->model()->rowCount(); ++r)
            if (!g->tableModel()->isNewRecordRow(r))
                out << g->model()->index(r, 0).data().toString();
        return out;
    }
    void setForeign(int id, const QString& word) {
        auto& v = db().vocabulary;
        QVERIFY(v.locate("ID", id));
        v.edit();
        v.setValue("auslaendisch", word);
        v.post();
    }
    static void clickTitle(databound::Grid* g, int column) {
        QHeaderView* h = g->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, 5));
    }
    static QString arrow(databound::Grid* g) {
        QHeaderView* h = g->horizontalHeader();
        if (!h->isSortIndicatorShown() || h->sortIndicatorSection() < 0 ||
            h->sortIndicatorSection() >= g->model()->columnCount())
            return QStringLiteral("none");
        return QStringLiteral("%1 %2")
            .arg(h->sortIndicatorSection())
            .arg(h->sortIndicatorOrder() == Qt::AscendingOrder ? "up" : "down");
    }
    QString current() { return db().vocabulary.recNo() > 0 ? db().vocabulary.text("deutsch") : QString(); }

private slots:
    void init() {
        startWith({{1, "Haus"}, {2, "Rathaus"}, {3, "Baum"}, {4, "Apfel"}, {5, "Hund"}, {6, "Rock'n'Roll"}});
        setForeign(3, "Treehouse");
        setForeign(4, "apple");
        form->VokabelnClick();
    }
    void cleanup() { form.reset(); }

    void countsReadAsGermanNumbers() {
        QCOMPARE(VocabularySearch::countText(342, 12519, true), QString("342 von 12.519 Vokabeln"));
        QCOMPARE(VocabularySearch::countText(0, 200000, true), QString("0 von 200.000 Vokabeln"));
        QCOMPARE(VocabularySearch::countText(12519, 12519, false), QString("12.519 Vokabeln"));
        QCOMPARE(VocabularySearch::countText(1, 1, false), QString("1 Vokabel"));
    }

    // Both words, any letter case, anywhere in the word; the grid keeps the
    // record reached in the search when the field is emptied with Escape.
    void thePanelSearchFindsBothWordsAndEscapeGivesBackEveryWord() {
        VocabularySearch* s = panel()->Suche;
        auto& v = db().vocabulary;
        QCOMPARE(s->ESuchen->placeholderText(), QString("Suchen …"));
        QCOMPARE(s->LAnzahl->text(), QString("6 Vokabeln"));
        type(s->ESuchen, "HAUS");
        QCOMPARE(shown(panel()->DBGrid2), (QStringList{"Haus", "Rathaus"}));
        QCOMPARE(s->LAnzahl->text(), QString("2 von 6 Vokabeln"));
        type(s->ESuchen, "hOuSe");
        QCOMPARE(shown(panel()->DBGrid2), QStringList{"Baum"});
        type(s->ESuchen, "ap");
        QCOMPARE(shown(panel()->DBGrid2), QStringList{"Apfel"});
        type(s->ESuchen, "k'n'r"); // a quote is a character, not the end of the text
        QCOMPARE(shown(panel()->DBGrid2), QStringList{"Rock'n'Roll"});
        type(s->ESuchen, "xyz");
        QCOMPARE(shown(panel()->DBGrid2), QStringList{});
        QCOMPARE(s->LAnzahl->text(), QString("0 von 6 Vokabeln"));
        type(s->ESuchen, "r");
        QVERIFY(v.locate("deutsch", "Rathaus"));
        QTest::keyClick(s->ESuchen, Qt::Key_Escape);
        QCOMPARE(s->ESuchen->text(), QString());
        QCOMPARE(shown(panel()->DBGrid2).size(), 6);
        QCOMPARE(current(), QString("Rathaus"));
        QCOMPARE(s->LAnzahl->text(), QString("6 Vokabeln"));
        // No trace of the search: the answer check and the cards compare exactly.
        QVERIFY(!v.isFiltered());
        QVERIFY(!v.isFilterCaseInsensitive());
        QVERIFY(prompts().shown.isEmpty());
    }

    void aSearchNarrowsTheWindowsOwnFilterAndGivesItBack() {
        VocabularySearch* s = panel()->Suche;
        auto& v = db().vocabulary;
        v.setFilter("ID <= 3");
        v.setFiltered(true);
        type(s->ESuchen, "haus");
        QCOMPARE(shown(panel()->DBGrid2), (QStringList{"Haus", "Rathaus"}));
        QCOMPARE(s->LAnzahl->text(), QString("2 von 3 Vokabeln"));
        type(s->ESuchen, "apfel");
        QCOMPARE(shown(panel()->DBGrid2), QStringList{});
        type(s->ESuchen, "");
        QCOMPARE(v.filter(), QString("ID <= 3"));
        QVERIFY(v.isFiltered());
        QCOMPARE(shown(panel()->DBGrid2), (QStringList{"Haus", "Rathaus", "Baum"}));
    }

    // Words typed or deleted while a search runs are counted at once.
    void theCountFollowsNewAndDeletedWords() {
        VocabularySearch* s = panel()->Suche;
        type(s->ESuchen, "haus");
        enterWord("Haustür", "door");
        QCOMPARE(shown(panel()->DBGrid2), (QStringList{"Haus", "Rathaus", "Haustür"}));
        QCOMPARE(s->LAnzahl->text(), QString("3 von 7 Vokabeln"));
        QVERIFY(db().vocabulary.locate("deutsch", "Haus"));
        prompts().answers = {core::Answer::Yes};
        panel()->Button13->click();
        QCOMPARE(shown(panel()->DBGrid2), (QStringList{"Rathaus", "Haustür"}));
        QCOMPARE(s->LAnzahl->text(), QString("2 von 6 Vokabeln"));
    }

    // Another panel resets the view; coming back shows every word and an empty field.
    void anotherPanelEndsTheSearch() {
        VocabularySearch* s = panel()->Suche;
        type(s->ESuchen, "haus");
        form->WoerterbuchClick();
        QVERIFY(!db().vocabulary.isFiltered());
        form->VokabelnClick();
        QCOMPARE(s->ESuchen->text(), QString());
        QCOMPARE(shown(panel()->DBGrid2).size(), 6);
        QCOMPARE(s->LAnzahl->text(), QString("6 Vokabeln"));
        type(s->ESuchen, "hund"); // and a new search works from there
        QCOMPARE(shown(panel()->DBGrid2), QStringList{"Hund"});
    }

    // In the dialog the first Escape empties the field, the second closes.
    void theDialogsEscapeEmptiesTheFieldBeforeItCloses() {
        auto* d = form->vokabelnF;
        VocabularySearch* s = d->editor->Suche;
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        type(s->ESuchen, "hund");
        QCOMPARE(shown(d->editor->DBGrid2), QStringList{"Hund"});
        QCOMPARE(s->LAnzahl->text(), QString("1 von 6 Vokabeln"));
        QTest::keyClick(s->ESuchen, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QCOMPARE(shown(d->editor->DBGrid2).size(), 6);
        QCOMPARE(current(), QString("Hund"));
        type(s->ESuchen, "baum");
        d->reject(); // closed while searching: the view is as it was
        QVERIFY(!d->isVisible());
        QCOMPARE(s->ESuchen->text(), QString());
        QVERIFY(!db().vocabulary.isFiltered());
        QCOMPARE(current(), QString("Baum"));
        d->show();
        QTest::keyClick(s->ESuchen, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
    }

    // A title orders upwards, the same title again downwards, and equal
    // values follow the German word; the arrow says which.
    void titlesOrderBothWaysWithAnArrowAndTiesByTheGermanWord() {
        auto* g = panel()->DBGrid2;
        auto& v = db().vocabulary;
        QCOMPARE(arrow(g), QString("none")); // ordered by ID, which no column shows
        clickTitle(g, 0);
        QCOMPARE(v.order(), QString("deutsch"));
        QCOMPARE(arrow(g), QString("0 up"));
        QCOMPARE(shown(g).first(), QString("Apfel"));
        clickTitle(g, 0);
        QCOMPARE(v.order(), QString("deutsch DESC"));
        QCOMPARE(arrow(g), QString("0 down"));
        QCOMPARE(shown(g), (QStringList{"Rock'n'Roll", "Rathaus", "Hund", "Haus", "Baum", "Apfel"}));
        clickTitle(g, 0);
        QCOMPARE(arrow(g), QString("0 up"));
        // Every subject group is empty: the German word decides, both ways.
        clickTitle(g, 2);
        QCOMPARE(arrow(g), QString("2 up"));
        QCOMPARE(shown(g), (QStringList{"Apfel", "Baum", "Haus", "Hund", "Rathaus", "Rock'n'Roll"}));
        clickTitle(g, 2);
        QCOMPARE(arrow(g), QString("2 down"));
        QCOMPARE(shown(g), (QStringList{"Apfel", "Baum", "Haus", "Hund", "Rathaus", "Rock'n'Roll"}));
        clickTitle(g, 1); // the language's column
        QCOMPARE(v.order(), QString("auslaendisch"));
        QCOMPARE(arrow(g), QString("1 up"));
        type(panel()->Suche->ESuchen, "haus");
        clickTitle(g, 1);
        QCOMPARE(shown(g), (QStringList{"Rathaus", "Haus"})); // "Rathaus-en" before "Haus-en" downwards
        QCOMPARE(arrow(g), QString("1 down"));
        // The other grids show it too.
        QCOMPARE(arrow(form->vokabelnF->editor->DBGrid2), QString("1 down"));
    }
};

QTEST_MAIN(FindingTest)
#include "tst_finding.moc"
