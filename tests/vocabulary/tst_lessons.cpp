// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson panel and the assignment dialog through the real main window.
#include "databound/grid.h"
#include "databound/lookuplistbox.h"
#include "support/itemviews.h"
#include "vocabulary/lessonlistdelegate.h"
#include "vocabulary/lessonpanel.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vocabularysearch.h"
#include "vocabulary/vokabellektion.h"
#include "vocabulary/vokabeln.h"
#include "vocabularyfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace testsupport;

class LessonsTest : public QObject, public VocabularyFixture {
    Q_OBJECT

    vocabulary::LessonPanel* panel() { return form->lektionsverwaltung; }
    vocabulary::VokabelLektionF* assignment() { return form->vokabelLektionF; }

    void clickLesson(const QString& name) {
        if (!clickRow(panel()->DBLookupListBox3, name))
            QFAIL(qPrintable("no lesson " + name));
    }
    QStringList listedLessons() { return sortedTexts(panel()->DBLookupListBox3); }
    void newLesson(const QString& name) {
        prompts().inputs = {name};
        panel()->Button17->click();
    }
    void doubleClickWord(const QString& de) {
        auto* g = assignment()->DBGrid1;
        const int row = rowShowing(g, de);
        if (row < 0)
            QFAIL(qPrintable("no word " + de));
        const QPoint at = rowCentre(g, row);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    }
    // Opens the assignment dialog for the current lesson, runs `inside` while
    // it is shown, and closes it.
    void withAssignmentDialog(const std::function<void()>& inside) {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            inside();
            ran = true;
            assignment()->Button4->click();
        });
        panel()->Button19->click();
        QVERIFY(ran);
    }

    // The lesson list as drawn, with the counts.
    QStringList drawnLessons() {
        auto* list = panel()->DBLookupListBox3;
        auto* drawn = qobject_cast<vocabulary::LessonListDelegate*>(list->itemDelegate());
        QStringList out;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            out << (drawn ? drawn->textFor(list->model()->index(r, 0)) : QString());
        out.sort();
        return out;
    }
    QStringList shownWords() {
        auto* g = assignment()->DBGrid1;
        QStringList out;
        for (int r = 0; r < g->model()->rowCount(); ++r)
            out << g->model()->index(r, 0).data().toString();
        return out;
    }
    void clickWordRow(int row, Qt::KeyboardModifiers mods = {}) {
        auto* g = assignment()->DBGrid1;
        QTest::mouseClick(g->viewport(), Qt::LeftButton, mods, g->visualRect(g->model()->index(row, 0)).center());
    }
    QStringList membersOf(int lesson) {
        auto& m = db().members;
        const auto all = ts::CursorGuard::byRowNumber(m, ts::CursorGuard::Rows::All);
        QStringList out;
        for (int i = 0; i < m.recordCount(); ++i)
            if (m.valueAt(i, m.field("LektionsID")).toInt() == lesson)
                out << m.valueAt(i, m.field("xdeutsch")).toString();
        out.sort();
        return out;
    }

private slots:
    void init() {
        startWith({{1, "Haus"}, {2, "Apfel"}, {3, "Uhr"}});
        form->LektionenClick();
    }
    void cleanup() { form.reset(); }

    void theAllVocabularyLessonIsProtectedFromTheStart() {
        QCOMPARE(listedLessons(), QStringList{"ALLE VOKABELN"});
        QVERIFY(!panel()->BLektionLoeschen->isEnabled());
        QVERIFY(!panel()->BLektionUmbennen->isEnabled());
        // Only lesson of the language: nothing happens, nothing is asked.
        panel()->DeleteLesson();
        panel()->RenameLesson();
        panel()->Button19->click();
        QVERIFY(prompts().shown.isEmpty());
        QCOMPARE(db().lessons.recordCount(), 1);
        // With a second lesson, the protection still holds before any click.
        newLesson("Zahlen");
        QVERIFY(db().lessons.locate("Name", "ALLE VOKABELN"));
        panel()->DeleteLesson();
        panel()->RenameLesson();
        QCOMPARE(listedLessons(), (QStringList{"ALLE VOKABELN", "Zahlen"}));
    }

    void clickingALessonFollowsItsKind() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        QVERIFY(panel()->BLektionLoeschen->isEnabled());
        QVERIFY(panel()->BLektionUmbennen->isEnabled());
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 0);
        clickLesson("ALLE VOKABELN");
        QVERIFY(!panel()->BLektionLoeschen->isEnabled());
        QVERIFY(!panel()->BLektionUmbennen->isEnabled());
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 3);
        QCOMPARE(panel()->DBGrid3->columnTitle(1), QString("englisch"));
    }

    void lessonNamesAreChecked() {
        prompts().inputs = {std::nullopt};
        panel()->Button17->click();
        newLesson("  ");
        QCOMPARE(prompts().shown.last(), QString("Bitte geben Sie einen Namen für die Lektion an."));
        newLesson("ALLE VOKABELN");
        QVERIFY(prompts().shown.last().contains("gibt es in dieser Sprache schon"));
        newLesson("alle vokabeln");
        QCOMPARE(db().lessons.recordCount(), 1);
        newLesson("Zahl's");
        newLesson("Farben");
        QCOMPARE(listedLessons(), (QStringList{"ALLE VOKABELN", "Farben", "Zahl's"}));

        clickLesson("Zahl's");
        prompts().inputs = {std::nullopt}; // cancel keeps the name
        panel()->BLektionUmbennen->click();
        prompts().inputs = {QString("Farben")};
        panel()->BLektionUmbennen->click();
        QVERIFY(prompts().shown.last().contains("gibt es in dieser Sprache schon"));
        prompts().inputs = {QString("")};
        panel()->BLektionUmbennen->click();
        QCOMPARE(listedLessons(), (QStringList{"ALLE VOKABELN", "Farben", "Zahl's"}));
        prompts().inputs = {QString("Zahlen")};
        panel()->BLektionUmbennen->click();
        QCOMPARE(listedLessons(), (QStringList{"ALLE VOKABELN", "Farben", "Zahlen"}));
        // The same name in another language is no clash.
        auto& l = db().lessons;
        QVERIFY(lessonId("Zahlen") > 0);
        QVERIFY(l.text("Sprache") == "englisch");
    }

    void beforeAClickAllMembershipRowsShowEvenOfMissingWords() {
        auto& m = db().members;
        m.insert();
        m.setValue("LektionsID", 77); // a lesson of another language
        m.setValue("VokabelID", 20001);
        m.post();
        form->LektionenClick();
        auto* g = panel()->DBGrid3;
        QCOMPARE(g->model()->rowCount(), 4);
        QStringList words;
        for (int r = 0; r < 4; ++r)
            words << g->model()->index(r, 0).data().toString();
        QVERIFY(words.contains(QString()));
        g->grab(); // drawn without a crash
    }

    void deletingALessonKeepsItsMembersShownAndStored() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        withAssignmentDialog([&] {
            doubleClickWord("Haus");
            doubleClickWord("Uhr");
        });
        const int zahlen = lessonId("Zahlen");
        prompts().answers = {core::Answer::Yes};
        panel()->BLektionLoeschen->click();
        QCOMPARE(listedLessons(), QStringList{"ALLE VOKABELN"});
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 2);
        QVERIFY(isMember(1, zahlen));
        clickLesson("ALLE VOKABELN");
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 3);
    }

    void removingMembersStopsAtTheLast() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        withAssignmentDialog([&] {
            doubleClickWord("Haus");
            doubleClickWord("Apfel");
        });
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 2);
        prompts().shown.clear();
        panel()->Button20->click();
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 1);
        panel()->Button20->click();
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 1);
        QVERIFY2(prompts().shown.isEmpty(), qPrintable(prompts().shown.join('|')));
        // Ctrl+Entf asks and may remove the last one too.
        prompts().answers = {core::Answer::Ok};
        QTest::keyClick(panel()->DBGrid3, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(prompts().shown.last(), QString("Datensatz löschen?"));
        QCOMPARE(panel()->DBGrid3->model()->rowCount(), 0);
        QCOMPARE(db().vocabulary.recordCount(), 3); // the words stay
    }

    void assigningAddsEachWordOnce() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        const int zahlen = lessonId("Zahlen");
        QString caption;
        withAssignmentDialog([&] {
            caption = assignment()->windowTitle();
            auto& v = db().vocabulary;
            QCOMPARE(v.recNo(), v.recordCount()); // opened on the last word
            doubleClickWord("Haus");
            doubleClickWord("Haus");
            v.locate("deutsch", "Uhr");
            assignment()->Button6->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 2);
            assignment()->Button5->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 1);
            assignment()->Button5->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 1);
            assignment()->orderButton(1)->click();
            QCOMPARE(v.order(), QString("deutsch"));
            QCOMPARE(assignment()->orderButton(2)->text(), QString("englisch"));
            assignment()->orderButton(2)->click();
            QCOMPARE(v.order(), QString("auslaendisch"));
        });
        QCOMPARE(caption, QString("Lektion: Zahlen"));
        QCOMPARE(membershipsOf(1) + membershipsOf(3), 3); // in "ALLE VOKABELN" twice, in Zahlen once
        QVERIFY(isMember(1, zahlen) != isMember(3, zahlen));
        QCOMPARE(db().vocabulary.order(), QString("ID"));
        QVERIFY(!db().vocabulary.isFiltered());
        // Back to "ALLE VOKABELN": a word already there is not added again.
        clickLesson("ALLE VOKABELN");
        panel()->RemoveMember();
        const int before = db().members.recordCount();
        withAssignmentDialog([&] {
            for (const char* w : {"Haus", "Apfel", "Uhr"})
                doubleClickWord(w);
        });
        QCOMPARE(db().members.recordCount(), before + 1);
    }

    void aNewWordForTheLessonJoinsOnlyAllVocabulary() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        const int zahlen = lessonId("Zahlen");
        withAssignmentDialog([&] {
            QTimer::singleShot(0, this, [&] {
                auto* e = form->vokabelnF->editor;
                QVERIFY(e->BSpeichern->isEnabled());
                type(e->DBEdit1, "Eins");
                type(e->DBEdit2, "one");
                prompts().answers = {core::Answer::Yes};
                e->Button15->click();
            });
            assignment()->Button2->click();
        });
        auto& v = db().vocabulary;
        QVERIFY(v.locate("deutsch", "Eins"));
        const int id = v.integer("ID");
        QVERIFY(isMember(id, lessonId("ALLE VOKABELN")));
        QVERIFY(!isMember(id, zahlen));
        QCOMPARE(v.order(), QString("ID"));
    }

    void aFirstSwitchToALanguageCreatesItsLesson() {
        writeLanguage(tc->dataFolder(), "französisch",
                      {{.id = 20001, .german = "Brot", .foreign = "Brot-fr", .group = "Essen"},
                       {.id = 20002, .german = "Käse", .foreign = "Käse-fr", .group = "Essen"},
                       {.id = 20003, .german = "Tag", .foreign = "Tag-fr", .group = ""}});
        QVERIFY(form->switchLanguage("französisch"));
        auto& l = db().lessons;
        QVERIFY(l.locate("Name;Sprache", {"ALLE VOKABELN", "französisch"}));
        const int id = l.integer("ID");
        for (int w : {20001, 20002, 20003})
            QVERIFY(isMember(w, id));
        QCOMPARE(tc->ctx->subjectGroups.list(), QStringList{"Essen"});
        form->LektionenClick();
        QCOMPARE(listedLessons(), QStringList{"ALLE VOKABELN"});
        QCOMPARE(panel()->DBGrid3->columnTitle(1), QString("französisch"));
    }

    void aMissingAllVocabularyLessonDoesNotStopNewWords() {
        auto& l = db().lessons;
        l.setFiltered(false);
        QVERIFY(l.locate("Name", "ALLE VOKABELN"));
        l.deleteRecord();
        const int rows = db().members.recordCount();
        appendRow(db().vocabulary, {.german = "Baum", .foreign = "tree"});
        QCOMPARE(db().members.recordCount(), rows);
    }

    // Many words at once: a search, Ctrl+A and one click; Shift-click
    // ranges; words in the lesson already are skipped.
    void manyWordsJoinTheLessonWithOneClick() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        const int zahlen = lessonId("Zahlen");
        withAssignmentDialog([&] {
            vocabulary::VocabularySearch* s = assignment()->Suche;
            QCOMPARE(s->LAnzahl->text(), QString("3 Vokabeln"));
            type(s->ESuchen, "H");
            QCOMPARE(shownWords(), (QStringList{"Haus", "Uhr"}));
            QCOMPARE(s->LAnzahl->text(), QString("2 von 3 Vokabeln"));
            assignment()->orderButton(1)->click(); // the order choice works inside the search
            QCOMPARE(shownWords(), (QStringList{"Haus", "Uhr"}));
            assignment()->orderButton(0)->click();
            QTest::keyClick(assignment()->DBGrid1, Qt::Key_A, Qt::ControlModifier);
            assignment()->Button6->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 2);
            QTest::keyClick(s->ESuchen, Qt::Key_Escape);
            QCOMPARE(shownWords(), (QStringList{"Haus", "Apfel", "Uhr"}));
            clickWordRow(0);
            clickWordRow(2, Qt::ShiftModifier);
            assignment()->Button6->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 3);
            clickWordRow(1, Qt::ControlModifier); // Apfel out of the choice again: nothing new
            assignment()->Button6->click();
            QCOMPARE(assignment()->DBGrid3->model()->rowCount(), 3);
        });
        QCOMPARE(membersOf(zahlen), (QStringList{"Apfel", "Haus", "Uhr"}));
        QCOMPARE(membersOf(lessonId("ALLE VOKABELN")), (QStringList{"Apfel", "Haus", "Uhr"}));
        QVERIFY(!db().vocabulary.isFiltered());
        QVERIFY(!db().vocabulary.isFilterCaseInsensitive());
        QVERIFY(prompts().shown.size() == 1); // the name of the new lesson, nothing else
    }

    // "Neue Vokabel" keeps the search and the record; a new word the search
    // finds becomes current.
    void aNewWordKeepsTheListWhereItWas() {
        newLesson("Zahlen");
        clickLesson("Zahlen");
        const auto newWord = [&](const QString& de, const QString& en) {
            QTimer::singleShot(0, this, [&, de, en] {
                auto* e = form->vokabelnF->editor;
                type(e->DBEdit1, de);
                type(e->DBEdit2, en);
                prompts().answers = {core::Answer::Yes};
                e->Button15->click();
            });
            assignment()->Button2->click();
        };
        withAssignmentDialog([&] {
            auto& v = db().vocabulary;
            vocabulary::VocabularySearch* s = assignment()->Suche;
            type(s->ESuchen, "u");
            QCOMPARE(shownWords(), (QStringList{"Haus", "Uhr"}));
            QVERIFY(v.locate("deutsch", "Uhr"));
            newWord("Eins", "one");
            QCOMPARE(s->ESuchen->text(), QString("u"));
            QCOMPARE(shownWords(), (QStringList{"Haus", "Uhr"}));
            QCOMPARE(v.text("deutsch"), QString("Uhr"));
            newWord("Blume", "flower");
            QCOMPARE(shownWords(), (QStringList{"Haus", "Uhr", "Blume"}));
            QCOMPARE(v.text("deutsch"), QString("Blume"));
            QCOMPARE(s->LAnzahl->text(), QString("3 von 5 Vokabeln"));
        });
    }

    // The list shows each lesson's number of words; the stored names stay.
    void theLessonListCountsTheWordsOfEachLesson() {
        QCOMPARE(drawnLessons(), QStringList{"ALLE VOKABELN (3)"});
        newLesson("Tiere");
        QCOMPARE(drawnLessons(), (QStringList{"ALLE VOKABELN (3)", "Tiere (0)"}));
        clickLesson("Tiere");
        withAssignmentDialog([&] {
            doubleClickWord("Haus");
            doubleClickWord("Uhr");
        });
        QCOMPARE(drawnLessons(), (QStringList{"ALLE VOKABELN (3)", "Tiere (2)"}));
        panel()->DBGrid3->setFocus();
        panel()->RemoveMember();
        QCOMPARE(drawnLessons(), (QStringList{"ALLE VOKABELN (3)", "Tiere (1)"}));
        QCOMPARE(listedLessons(), (QStringList{"ALLE VOKABELN", "Tiere"}));
        auto& l = db().lessons;
        QVERIFY(l.locate("Name;Sprache", {"Tiere", "englisch"}));
        QCOMPARE(l.text("Name"), QString("Tiere"));
    }
};

QTEST_MAIN(LessonsTest)
#include "tst_lessons.moc"
