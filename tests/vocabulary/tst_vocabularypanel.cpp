// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary panel and dialog through the real main window.
#include "databound/combobox.h"
#include "databound/edit.h"
#include "databound/grid.h"
#include "databound/radiogroup.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vokabeln.h"
#include "vocabularyfixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace testsupport;
using State = ts::Table::State;

class VocabularyPanelTest : public QObject, public VocabularyFixture {
    Q_OBJECT

    vocabulary::VocabularyEditor* panel() { return form->vokabelverwaltung; }
    vocabulary::VocabularyEditor* dialog() { return form->vokabelnF->editor; }
    void clickTitle(databound::Grid* g, int column) {
        QHeaderView* h = g->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, 5));
    }
private slots:
    void init() {
        startWith({{1, "Haus"}, {2, "Apfel"}, {3, "Uhr"}, {4, "auto"}});
        form->VokabelnClick();
    }
    void cleanup() { form.reset(); }

    void aWideWindowSharesItsWidthAmongTheColumnsAndStoresTheirOwnWidths() {
        databound::Grid* g = panel()->DBGrid2;
        const int columns = g->model()->columnCount();
        const auto shownTotal = [&] {
            int sum = 0;
            for (int c = 0; c < columns; ++c)
                sum += g->columnWidth(c);
            return sum;
        };
        const int remarkBefore = g->fieldColumnWidth("Bemerkung");
        form->resize(1800, 900); // as maximised
        QTest::qWait(1);
        QVERIFY(g->viewport()->width() > 1500);
        QCOMPARE(shownTotal(), g->viewport()->width());
        QVERIFY(g->columnWidth(5) > remarkBefore);
        QCOMPARE(g->fieldColumnWidth("Bemerkung"), remarkBefore); // its own width, not the share
        if (const QString dir = qEnvironmentVariable("VT_GRAB_DIR"); !dir.isEmpty())
            form->grab().save(QDir(dir).filePath(QStringLiteral("vocabulary-wide.png")));
        g->setFieldColumnWidth("deutsch", 300);
        QCOMPARE(g->fieldColumnWidth("deutsch"), 300);
        QCOMPARE(shownTotal(), g->viewport()->width());
        QVERIFY(g->columnWidth(0) > g->columnWidth(1));
        tc->ctx->settings.writeInteger("BreiteBdeutsch", 0); // the close writes it anew
        stop();
        QCOMPARE(tc->ctx->settings.readInteger("BreiteBdeutsch"), 300);
    }

    void panelShowsTheLanguageAndTheFirstWord() {
        QVERIFY(form->PVokabelverwaltung->isVisible());
        QCOMPARE(panel()->LauslaendischVok->text(), QString("englisch"));
        QCOMPARE(panel()->DBGrid2->columnTitle(1), QString("englisch"));
        QCOMPARE(panel()->DBEdit1->text(), QString("Haus"));
        QVERIFY(!panel()->BSpeichern->isEnabled());
        // The dialog's label names English whatever the language is.
        QCOMPARE(dialog()->LauslaendischVok->text(), QString("Englisch"));
        QCOMPARE(dialog()->DBGrid2->columnTitle(1), QString("englisch"));
    }

    void enterSavesAndStartsTheNextWordWithDefaults() {
        const int alle = lessonId("ALLE VOKABELN");
        const int next = tc->ctx->settings.readInteger("LastVokID") + 1;
        enterWord("Hund", "dog", "Tiere");
        auto& v = db().vocabulary;
        QCOMPARE(v.recordCount(), 5);
        QCOMPARE(v.state(), State::Insert);
        QCOMPARE(v.text("Gattung"), QString("Substantiv"));
        QCOMPARE(v.integer("Schwierigkeitsgrad"), 1);
        QCOMPARE(v.text("Sachgruppe"), QString("Tiere"));
        QCOMPARE(panel()->RGGattung->itemIndex(), 1);
        QCOMPARE(panel()->RGSchwierigkeitsgrad->itemIndex(), 0);
        QVERIFY(panel()->BSpeichern->isEnabled());
        QCOMPARE(form->focusWidget(), panel()->DBEdit1);
        // Both the saved word and the one just started joined "ALLE VOKABELN".
        QVERIFY(v.locate("deutsch", "Hund") || v.state() == State::Insert);
        QVERIFY(isMember(next, alle));
        QVERIFY(isMember(next + 1, alle));
        QCOMPARE(tc->ctx->settings.readInteger("LastVokID"), next + 1);
        // The preset group is no typing: leaving the panel saves no empty pair.
        QVERIFY(!v.isModified());
        form->LektionenClick();
        QCOMPARE(v.recordCount(), 5);
        QCOMPARE(v.state(), State::Browse);
    }

    void anEmptyPairIsNeverSaved() {
        auto& v = db().vocabulary;
        // An untouched new record is left alone, without a message.
        panel()->BNeu->click();
        panel()->BSpeichern->click();
        QCOMPARE(v.state(), State::Insert);
        QVERIFY(prompts().shown.isEmpty());
        // Half a pair is refused and stays pending.
        type(panel()->DBEdit1, "Baum");
        panel()->BSpeichern->click();
        QCOMPARE(prompts().shown, QStringList{"Bitte beide Sprachenfelder ausfüllen!"});
        QCOMPARE(v.state(), State::Insert);
        QCOMPARE(v.recordCount(), 4);
        // "Neue Vokabel" answered "Ja" refuses too and keeps the typing.
        prompts().answers = {core::Answer::Yes};
        panel()->BNeu->click();
        QCOMPARE(prompts().shown.last(), QString("Bitte beide Sprachenfelder ausfüllen!"));
        QCOMPARE(v.text("deutsch"), QString("Baum"));
        // An existing word emptied is refused as well.
        v.cancel();
        v.first();
        type(panel()->DBEdit2, "");
        panel()->BSpeichern->click();
        QCOMPARE(v.state(), State::Edit);
        v.cancel();
        QCOMPARE(v.text("auslaendisch"), QString("Haus-en"));
    }

    void newAnsweredNoDiscardsAndUsesUpTheId() {
        auto& v = db().vocabulary;
        const int next = tc->ctx->settings.readInteger("LastVokID") + 1;
        panel()->BNeu->click();
        QCOMPARE(v.integer("ID"), next);
        type(panel()->DBEdit1, "Baum");
        prompts().answers = {core::Answer::No};
        panel()->BNeu->click();
        QCOMPARE(v.integer("ID"), next + 1);
        QCOMPARE(prompts().shown, QStringList{"Änderungen speichern beim aktuellen Datensatz?"});
        v.cancel();
        QVERIFY(!v.locate("ID", next));
        QCOMPARE(membershipsOf(next), 1); // the row in "ALLE VOKABELN" stays
    }

    void editingFromAnyWindowEnablesBothSaveButtons() {
        auto& v = db().vocabulary;
        type(panel()->DBEdit1, "Häuschen");
        QVERIFY(panel()->BSpeichern->isEnabled());
        QVERIFY(dialog()->BSpeichern->isEnabled());
        panel()->BSpeichern->click();
        QCOMPARE(v.state(), State::Browse);
        QVERIFY(!panel()->BSpeichern->isEnabled());
        QVERIFY(v.locate("deutsch", "Häuschen"));
    }

    void subjectGroupsAreKeptAsTyped() {
        enterWord("Hund", "dog", "Tiere");
        enterWord("Katze", "cat", "Tiere");
        enterWord("Maus", "mouse", "tiere");
        enterWord("Wien", "Vienna", "Land\\Stadt");
        db().vocabulary.cancel();
        const QStringList expected{"Tiere", "tiere", "Land\\Stadt"};
        QCOMPARE(tc->ctx->subjectGroups.list(), expected);
        QCOMPARE(panel()->CBSachgruppe->items(), expected);
        QCOMPARE(dialog()->CBSachgruppe->items(), expected);
        // After a reload every group is still there, spelt as typed.
        tc->ctx->subjectGroups.LoadSubjectGroups("englisch");
        QStringList reloaded = tc->ctx->subjectGroups.list();
        reloaded.sort();
        QStringList want = expected;
        want.sort();
        QCOMPARE(reloaded, want);
        QCOMPARE(tc->ctx->settings.subkeys("englisch").size(), 3);
    }

    // Enter takes the group as the box shows it after completing it, not
    // the letters typed so far.
    void enterTakesTheCompletedSubjectGroup() {
        auto& v = db().vocabulary;
        enterWord("Küche", "kitchen", "Wohnen");
        enterWord("Hund", "dog", "Tiere");
        type(panel()->DBEdit1, "Bad");
        type(panel()->DBEdit2, "bathroom");
        QLineEdit* group = panel()->CBSachgruppe->lineEdit();
        type(group, "Wo");
        QCOMPARE(panel()->CBSachgruppe->currentText(), QString("Wohnen"));
        QTest::keyClick(group, Qt::Key_Return);
        v.cancel();
        QVERIFY(v.locate("deutsch", "Bad"));
        QCOMPARE(v.text("Sachgruppe"), QString("Wohnen"));
        QCOMPARE(tc->ctx->subjectGroups.list(), QStringList({"Wohnen", "Tiere"}));
    }

    // The record started after a save holds presets only; moving away from it
    // in any way drops it without a question and without an empty word.
    void anUntouchedNewWordIsDroppedWhereverTheCursorGoes() {
        auto& v = db().vocabulary;
        enterWord("Hund", "dog", "Tiere");
        QCOMPARE(v.state(), State::Insert);
        const int words = v.recordCount();
        databound::Grid* grid = panel()->DBGrid2;
        const QRect cell = grid->visualRect(grid->model()->index(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(v.state(), State::Browse);
        QCOMPARE(v.recordCount(), words);
        QVERIFY(!v.locate("deutsch", QString()));
        QVERIFY(prompts().shown.isEmpty());
        // And closing the panel afterwards asks nothing.
        // (Focus away from the grid first: leaving it drops a new record.)
        panel()->DBEdit1->setFocus();
        enterWord("Katze", "cat", "Tiere");
        // Choosing again what the presets chose changes nothing either.
        for (QRadioButton* b : panel()->RGGattung->findChildren<QRadioButton*>())
            if (b->isChecked())
                QTest::mouseClick(b, Qt::LeftButton);
        panel()->CBSachgruppe->commitShownText();
        QVERIFY(!v.isModified());
        panel()->Button15->click();
        QVERIFY(prompts().shown.isEmpty());
        QCOMPARE(v.recordCount(), words + 1);
    }

    void deletingRemovesTheWordWithItsMembershipsAndKnowledge() {
        auto& k = db().knowledge;
        k.insert();
        k.setValue("BenutzerID", 1);
        k.setValue("VokabelID", 1);
        k.setValue("Lernkoeffizient", 0.5);
        k.post();
        auto& l = db().lessons;
        l.insert();
        l.setValue("Name", "Wohnen");
        l.post();
        auto& m = db().members;
        m.insert();
        m.setValue("LektionsID", l.integer("ID"));
        m.setValue("VokabelID", 1);
        m.post();
        QCOMPARE(membershipsOf(1), 2);

        auto& v = db().vocabulary;
        v.locate("ID", 1);
        prompts().answers = {core::Answer::Cancel};
        panel()->Button13->click();
        QCOMPARE(v.recordCount(), 4);
        prompts().answers = {core::Answer::Yes};
        panel()->Button13->click();
        QCOMPARE(prompts().shown.last(), QString("Sind Sie sicher, dass Sie den aktuellen Datensatz löschen möchten?"));
        QVERIFY(!v.locate("ID", 1));
        QCOMPARE(membershipsOf(1), 0);
        QCOMPARE(k.recordCount(), 0);
        QCOMPARE(membershipsOf(2), 1);

        // Ctrl+Entf in the grid asks its own question.
        v.first();
        const int id = v.integer("ID");
        prompts().answers = {core::Answer::Ok};
        QTest::keyClick(panel()->DBGrid2, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(prompts().shown.last(), QString("Datensatz löschen?"));
        QVERIFY(!v.locate("ID", id));
        QCOMPARE(membershipsOf(id), 0);
    }

    void deletingInAnEmptyTableIsRefused() {
        auto& v = db().vocabulary;
        while (!v.isEmpty()) {
            prompts().answers = {core::Answer::Yes};
            panel()->Button13->click();
        }
        prompts().shown.clear();
        prompts().answers = {core::Answer::Yes};
        panel()->Button13->click();
        QCOMPARE(prompts().shown.size(), 2); // the question, then the refusal
        QVERIFY(v.isEmpty());
    }

    void titleClickOrdersAndTypeAheadJumps() {
        auto& v = db().vocabulary;
        clickTitle(panel()->DBGrid2, 1);
        QCOMPARE(v.order(), QString("auslaendisch"));
        clickTitle(panel()->DBGrid2, 3);
        QCOMPARE(v.order(), QString("Gattung"));
        clickTitle(panel()->DBGrid2, 0);
        QCOMPARE(v.order(), QString("deutsch"));
        QTest::keyClick(panel()->DBGrid2, Qt::Key_H);
        QCOMPARE(v.text("deutsch"), QString("Haus"));
        QTest::keyClick(panel()->DBGrid2, Qt::Key_A);
        QCOMPARE(v.text("deutsch"), QString("Apfel"));
        QTest::keyClick(panel()->DBGrid2, Qt::Key_U);
        QCOMPARE(v.text("deutsch"), QString("Uhr")); // not "auto": keys are not collected
        QTest::keyClick(panel()->DBGrid2, Qt::Key_Z);
        QCOMPARE(v.text("deutsch"), QString("Uhr"));
    }

    void closingThePanelAsksAboutPendingChanges() {
        auto& v = db().vocabulary;
        panel()->BNeu->click();
        type(panel()->DBEdit1, "Baum");
        prompts().answers = {core::Answer::Yes};
        panel()->Button15->click();
        QCOMPARE(prompts().shown.last(), QString("Bitte beide Sprachenfelder ausfüllen!"));
        QVERIFY(form->PVokabelverwaltung->isVisible());
        prompts().answers = {core::Answer::No};
        panel()->Button15->click();
        QVERIFY(!form->PVokabelverwaltung->isVisible());
        QVERIFY(!panel()->BSpeichern->isEnabled());
        QCOMPARE(v.state(), State::Browse);
        QVERIFY(!v.locate("deutsch", "Baum"));
    }

    void theDialogAsksWhenClosedByItsFrame() {
        auto* d = form->vokabelnF;
        auto& v = db().vocabulary;
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        type(dialog()->DBEdit1, "Hütte");
        prompts().answers = {core::Answer::Cancel};
        d->close();
        QVERIFY(d->isVisible());
        // "Ja" with both words saves; the dialog closes.
        prompts().answers = {core::Answer::Yes};
        d->close();
        QVERIFY(!d->isVisible());
        QVERIFY(v.locate("deutsch", "Hütte"));
        // "Ja" with an empty word: message, the dialog still closes, nothing saved.
        d->show();
        dialog()->BNeu->click();
        type(dialog()->DBEdit1, "Dach");
        prompts().answers = {core::Answer::Yes};
        d->close();
        QVERIFY(!d->isVisible());
        QCOMPARE(prompts().shown.last(), QString("Bitte beide Sprachenfelder ausfüllen!"));
        QCOMPARE(v.state(), State::Insert);
        // "Nein" drops the pending record.
        d->show();
        prompts().answers = {core::Answer::No};
        d->close();
        QCOMPARE(v.state(), State::Browse);
        QVERIFY(!v.locate("deutsch", "Dach"));
    }

    void theDialogsSaveAndCloseButtons() {
        auto* d = form->vokabelnF;
        auto& v = db().vocabulary;
        d->show();
        dialog()->BNeu->click();
        QVERIFY(!dialog()->BSpeichern->isEnabled()); // the dialog's "Neue Vokabel" leaves it alone
        type(dialog()->DBEdit1, "Tür");
        type(dialog()->DBEdit2, "door");
        QTest::keyClick(dialog()->DBEdit2, Qt::Key_Return);
        QVERIFY(v.locate("deutsch", "Tür"));
        QCOMPARE(v.state(), State::Browse); // locate settled the untouched next one
        dialog()->Button15->click();
        QVERIFY(!d->isVisible());
    }
};

QTEST_MAIN(VocabularyPanelTest)
#include "tst_vocabularypanel.moc"
