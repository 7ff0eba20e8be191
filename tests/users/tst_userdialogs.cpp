// SPDX-License-Identifier: GPL-3.0-or-later
// The four user dialogs and the statistics panel, through the real windows.
#include "databound/combobox.h"
#include "databound/edit.h"
#include "databound/lookuplistbox.h"
#include "databound/textlabel.h"
#include "support/itemviews.h"
#include "support/mainwindowfixture.h"
#include "users/statisticspanel.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace testsupport;

class UserDialogsTest : public QObject, public MainWindowFixture {
    Q_OBJECT

    void open(QDialog* d) {
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
    }
    void type(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        for (QChar c : text) // umlauts too: keyClicks only knows ASCII
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    int addUser(const QString& name, const QString& language) {
        auto* d = form->benutzeranlegenF;
        open(d);
        type(d->DBEditName, name);
        type(d->DBComboSprache->lineEdit(), language);
        d->BOk->click();
        return tc->ctx->settings.readInteger("LastBenutzerID");
    }
    // Clicks the row of `name` in a user list.
    void clickUser(databound::LookupListBox* list, const QString& name) {
        if (!clickRow(list, name))
            QFAIL(qPrintable("no user " + name));
    }

private slots:
    void init() {
        tc = std::make_unique<TestContext>();
        writeVocabulary(tc->dataFile("englisch.v02"), {{1, "Haus"}});
        writeVocabulary(tc->dataFile("französisch.v02"), {{20001, "Brot"}});
        start();
    }
    void cleanup() { form.reset(); }

    void creatingGivesTheNextIdAndLeavesTheCurrentUser() {
        tc->ctx->settings.writeInteger("LastBenutzerID", 3);
        QCOMPARE(addUser("Anna", "englisch"), 4);
        QVERIFY(!form->benutzeranlegenF->isVisible());
        auto& u = tc->ctx->db.users;
        QVERIFY(u.locate("ID", 4));
        QCOMPARE(u.text("Name"), QString("Anna"));
        QCOMPARE(u.integer("AbgefragteVokabeln"), 0);
        QCOMPARE(u.integer("RichtigeVokabeln"), 0);
        QVERIFY(!u.isNull("RichtigeVokabeln"));
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 1);
    }

    // A new user is offered as the next one to work; "Ja" switches to them
    // and their language at once, "Nein" (and no answer) leaves everything.
    void aNewUserIsOfferedAndJaSwitchesToThem() {
        addUser("Anna", "englisch");
        QCOMPARE(tc->prompter->shown.last(), QString("Möchten Sie jetzt zum Benutzer „Anna“ wechseln?"));
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 1);
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: TestName"));

        tc->prompter->answers = {core::Answer::Yes};
        const int bert = addUser("Bert", "französisch");
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), bert);
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Bert"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: französisch"));
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), QStringList{"Brot"});
    }

    // "Wechseln" opens on the user who works now, wherever another window
    // left the users table.
    void switchingStartsOnTheCurrentUser() {
        addUser("Anna", "englisch");
        auto& u = tc->ctx->db.users;
        QVERIFY(u.locate("Name", QString("Anna")));
        open(form->benutzerwechselnF);
        QCOMPARE(u.text("Name"), QString("TestName"));
        QCOMPARE(form->benutzerwechselnF->DBLookupListBox1->currentIndex().data().toString(), QString("TestName"));
        form->benutzerwechselnF->BAbbrechen->click();
    }

    void aCancelledCreationUsesUpItsNumber() {
        const int before = tc->ctx->settings.readInteger("LastBenutzerID");
        open(form->benutzeranlegenF);
        form->benutzeranlegenF->BAbbrechen->click();
        QCOMPARE(tc->ctx->db.users.recordCount(), 1);
        QCOMPARE(addUser("Ben", "englisch"), before + 2);
        QCOMPARE(form->benutzeranlegenF->DBComboSprache->count(), 0); // emptied on closing
    }

    void creationRefusesAnEmptyNameAndUnknownLanguages() {
        auto* d = form->benutzeranlegenF;
        open(d);
        d->BOk->click();
        QCOMPARE(tc->prompter->shown.last(), QString("Bitte geben Sie einen Namen ein!"));
        QVERIFY(d->isVisible());
        QCOMPARE(tc->ctx->db.users.state(), ts::Table::State::Insert);
        type(d->DBEditName, "Carla");
        d->BOk->click();
        QCOMPARE(tc->prompter->shown.last(), QString("Bitte wählen Sie eine Sprache aus."));
        type(d->DBComboSprache->lineEdit(), "klingonisch");
        d->BOk->click();
        QCOMPARE(tc->prompter->shown.filter("Die Sprache \"klingonisch\" gibt es nicht.").size(), 1);
        QVERIFY(d->isVisible());
        QCOMPARE(d->DBComboSprache->count(), 2); // the languages on offer
        type(d->DBComboSprache->lineEdit(), "französisch");
        d->BOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(tc->ctx->db.users.recordCount(), 2);
    }

    void deletingKeepsKnowledgeAndNeverReusesTheId() {
        const int anna = addUser("Anna", "englisch");
        auto& k = tc->ctx->db.knowledge;
        k.insert();
        k.setValue("BenutzerID", anna);
        k.setValue("VokabelID", 1);
        k.setValue("Lernkoeffizient", 2.0);
        k.post();
        auto* d = form->benutzerF;
        open(d);
        clickUser(d->DBLookupListBox1, "Anna");
        tc->prompter->answers = {core::Answer::Cancel};
        d->BOk->click();
        QCOMPARE(tc->ctx->db.users.recordCount(), 2);
        tc->prompter->answers = {core::Answer::Yes};
        d->BOk->click();
        QCOMPARE(tc->prompter->shown.last(),
                 QString("Sind Sie sicher, dass Sie den ausgewählten Benutzer löschen möchten?"));
        QCOMPARE(tc->ctx->db.users.recordCount(), 1);
        QVERIFY(d->isVisible()); // open for further deletions
        QCOMPARE(k.recordCount(), 1);
        d->BAbbrechen->click();
        QCOMPARE(addUser("Bert", "englisch"), anna + 1);
    }

    void deletingTheCurrentUserHandsOverToTheFirstRemaining() {
        addUser("Anna", "französisch");
        auto* d = form->benutzerF;
        open(d);
        clickUser(d->DBLookupListBox1, "TestName");
        tc->prompter->answers = {core::Answer::Yes};
        d->BOk->click();
        QCOMPARE(tc->ctx->db.users.recordCount(), 1);
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 2);
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Anna"));
        QCOMPARE(tc->ctx->db.loadedLanguage(), QString("französisch"));
    }

    void switchingUpdatesAtOnceAndLoadsTheUsersLanguage() {
        addUser("Anna", "französisch");
        appendRow(tc->ctx->db.vocabulary, {.german = "Tür"});
        auto* d = form->benutzerwechselnF;
        open(d);
        clickUser(d->DBLookupListBox1, "Anna");
        d->BOk->click();
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: Anna"));
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: französisch"));
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 2);
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), QStringList{"Brot"});
        ts::Table english("e");
        core::Database::defineVocabulary(english);
        core::vocabularyfile::read(english, tc->dataFile("englisch.v02"));
        QCOMPARE(germanWords(english), (QStringList{"Haus", "Tür"}));
        // Abbrechen changes nothing.
        open(d);
        clickUser(d->DBLookupListBox1, "TestName");
        d->BAbbrechen->click();
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 2);
    }

    void editingTheCurrentUsersLanguageLoadsIt() {
        auto* d = form->benutzerbearbeitenF;
        tc->ctx->db.locateCurrentUser();
        open(d);
        QCOMPARE(d->DBEditName->text(), QString("TestName"));
        type(d->DBEditName, "Tina");
        type(d->DBComboSprache->lineEdit(), "französisch");
        d->BOk->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(tc->ctx->db.loadedLanguage(), QString("französisch"));
        QCOMPARE(germanWords(tc->ctx->db.vocabulary), QStringList{"Brot"});
        QCOMPARE(form->StatusPanel0->text(), QString("Aktueller Benutzer: TestName")); // until the next switch
        open(d);
        type(d->DBComboSprache->lineEdit(), "");
        d->BOk->click();
        QCOMPARE(tc->prompter->shown.last(), QString("Bitte wählen Sie eine Sprache aus."));
        d->BAbbrechen->click();
        QVERIFY(tc->ctx->db.locateCurrentUser());
        QCOMPARE(tc->ctx->db.users.text("Letzte Sprache"), QString("französisch"));
    }

    // A click on another user posts the edit just as "Ok" does: the language
    // is checked, and after "Abbrechen" the current user's new language is
    // the loaded one.
    void aLanguagePostedByClickingAnotherUserIsCheckedAndLoaded() {
        addUser("Zora", "englisch");
        auto& db = tc->ctx->db;
        auto* d = form->benutzerbearbeitenF;
        db.locateCurrentUser();
        open(d);
        type(d->DBComboSprache->lineEdit(), "klingonisch");
        clickUser(d->DBLookupListBox1, "Zora");
        QCOMPARE(tc->prompter->shown.filter("Die Sprache \"klingonisch\" gibt es nicht.").size(), 1);
        d->BAbbrechen->click();
        QVERIFY(db.locateCurrentUser());
        QCOMPARE(db.users.text("Letzte Sprache"), QString("englisch"));

        open(d);
        type(d->DBComboSprache->lineEdit(), "französisch");
        clickUser(d->DBLookupListBox1, "Zora");
        d->BAbbrechen->click();
        QVERIFY(db.locateCurrentUser());
        QCOMPARE(db.users.text("Letzte Sprache"), QString("französisch"));
        QCOMPARE(db.loadedLanguage(), QString("französisch"));
        QCOMPARE(germanWords(db.vocabulary), QStringList{"Brot"});
        QCOMPARE(form->StatusPanel1->text(), QString("Aktuelle Sprache: französisch"));
        QVERIFY(db.lessons.locate("Name;Sprache", {"ALLE VOKABELN", "französisch"}));
        form->close();
        QVERIFY(!QFile::exists(tc->dataFile("klingonisch.v02")));
    }

    // Only the loaded language stays the old one; the user's own is kept.
    void switchingToAUserWhoseLanguageFileIsDamagedKeepsTheirLanguage() {
        addUser("Anna", "französisch");
        QFile damaged(tc->dataFile("französisch.v02"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("kaputt");
        damaged.close();
        auto* d = form->benutzerwechselnF;
        open(d);
        clickUser(d->DBLookupListBox1, "Anna");
        d->BOk->click();
        auto& db = tc->ctx->db;
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), 2);
        QVERIFY(db.locateCurrentUser());
        QCOMPARE(db.users.text("Letzte Sprache"), QString("französisch"));
        QCOMPARE(db.loadedLanguage(), QString("englisch"));
        QCOMPARE(germanWords(db.vocabulary), QStringList{"Haus"});
        QCOMPARE(tc->prompter->shown.filter("französisch.v02").size(), 1);
    }

    void figuresFollowTheRoundingRules() {
        using users::UserFigures;
        const UserFigures none = UserFigures::compute(0, 0, 0, 0);
        QCOMPARE(none.wrong, 0);
        QCOMPARE(none.rightPercent, 100);
        QCOMPARE(none.wrongPercent, 0);
        QCOMPARE(UserFigures::formatAverage(none.averageCoefficient), QString("1,00"));
        const UserFigures a = UserFigures::compute(8, 3, 0, 0);
        QCOMPARE(a.wrong, 5);
        QCOMPARE(a.rightPercent, 38);
        QCOMPARE(a.wrongPercent, 62);
        const UserFigures b = UserFigures::compute(8, 5, 0, 0);
        QCOMPARE(b.rightPercent, 62);
        QCOMPARE(b.wrongPercent, 38);
        QCOMPARE(UserFigures::formatAverage(UserFigures::compute(1, 1, 8, 3).averageCoefficient), QString("2,67"));
    }

    void statisticsPanelShowsTheClickedUser() {
        auto& db = tc->ctx->db;
        db.users.first();
        db.users.edit();
        db.users.setValue("AbgefragteVokabeln", 8);
        db.users.setValue("RichtigeVokabeln", 3);
        db.users.post();
        const int id = db.users.integer("ID");
        for (double c : {1.0, 2.0, 5.0}) {
            db.knowledge.insert();
            db.knowledge.setValue("BenutzerID", id);
            db.knowledge.setValue("VokabelID", int(c));
            db.knowledge.setValue("Lernkoeffizient", c);
            db.knowledge.post();
        }
        form->SpeedButton3->click();
        auto* p = form->statistik;
        QCOMPARE(form->visiblePanel(), form->PBenutzerstatistik);
        QCOMPARE(p->DBText1->text(), QString("8"));
        QCOMPARE(p->Label11->text(), QString("5")); // opens on the current user
        clickUser(p->DBLookupListBox1, "TestName");
        QCOMPARE(p->Label11->text(), QString("5"));
        QCOMPARE(p->Label8->text(), QString("38"));
        QCOMPARE(p->Label9->text(), QString("62"));
        QCOMPARE(p->Label10->text(), QString("2,67"));
        QVERIFY(!db.knowledge.isFiltered());
        QCOMPARE(tc->ctx->settings.readInteger("AktuelleBenutzerID"), id);
    }

    void everyStatisticBelongsToTheUserShown() {
        auto& db = tc->ctx->db;
        const auto setTotals = [&](int userId, int asked, int right) {
            QVERIFY(db.users.locate("ID", userId));
            db.users.edit();
            db.users.setValue("AbgefragteVokabeln", asked);
            db.users.setValue("RichtigeVokabeln", right);
            db.users.post();
        };
        const int current = tc->ctx->settings.readInteger("AktuelleBenutzerID");
        const int anna = addUser("Anna", "englisch"); // first in name order
        setTotals(current, 8, 3);
        setTotals(anna, 4, 4);
        form->SpeedButton3->click();
        auto* p = form->statistik;
        const auto figures = [p] {
            return QStringList{p->DBText1->text(), p->DBText2->text(), p->Label11->text(), p->Label8->text(),
                               p->Label9->text()};
        };
        QCOMPARE(figures(), (QStringList{"8", "3", "5", "38", "62"}));
        QCOMPARE(p->DBLookupListBox1->currentIndex().data().toString(), QString("TestName"));
        clickUser(p->DBLookupListBox1, "Anna");
        QCOMPARE(figures(), (QStringList{"4", "4", "0", "100", "0"}));
        db.locateCurrentUser(); // as a practice run does before it uses the table
        QCOMPARE(figures(), (QStringList{"8", "3", "5", "38", "62"}));
    }
};

QTEST_MAIN(UserDialogsTest)
#include "tst_userdialogs.moc"
