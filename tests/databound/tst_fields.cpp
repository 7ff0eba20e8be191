// SPDX-License-Identifier: GPL-3.0-or-later
// The single-field controls and the lookup list through the real widgets.
#include "boundfixture.h"
#include "databound/combobox.h"
#include "databound/edit.h"
#include "databound/lookuplistbox.h"
#include "databound/radiogroup.h"
#include "databound/textlabel.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace testsupport;
using databound::DataSource;
using databound::RadioGroup;
using ts::Table;

namespace {
// On the round indicator: a radio button only takes clicks on itself and its caption.
void choose(QRadioButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}
} // namespace

class FieldsTest : public QObject {
    Q_OBJECT

private slots:
    void typingIntoAnEditEditsTheRecordAndTheCaretStays() {
        Table t("Vokabeln");
        openVocabulary(t, sampleWords());
        DataSource ds(&t);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* edit = new databound::Edit;
        edit->setObjectName("DBEdit1");
        edit->bind(&ds, "deutsch");
        auto* label = new databound::TextLabel;
        label->bind(&ds, "deutsch");
        layout->addWidget(edit);
        layout->addWidget(label);
        QVERIFY(showActive(window));
        edit->setFocus();
        QCOMPARE(edit->text(), QString("Apfel"));
        QCOMPARE(edit->maxLength(), 100);

        edit->setCursorPosition(1);
        QTest::keyClicks(edit, "xy");
        QCOMPARE(t.state(), Table::State::Edit);
        QCOMPARE(t.text("deutsch"), QString("Axypfel"));
        QCOMPARE(edit->cursorPosition(), 3);
        QCOMPARE(label->text(), QString("Axypfel")); // every view of the record follows

        t.next(); // leaving saves
        QCOMPARE(edit->text(), QString("Baum"));
        QVERIFY(t.locate("deutsch", "Axypfel"));

        QTest::keyClicks(edit, QString(130, u'q'));
        QCOMPARE(t.text("deutsch").size(), 100);
        QCOMPARE(edit->text(), t.text("deutsch"));
        t.cancel();
        QCOMPARE(edit->text(), QString("Axypfel"));

        edit->setReadOnly(true); // a field shown but never typed into, as the hidden ID
        t.next();
        QTest::keyClicks(edit, "z");
        QVERIFY(edit->isReadOnly());
        QCOMPARE(t.state(), Table::State::Browse);
    }

    void refusedInputIsReportedAndTheOldValueStays() {
        Table t("Vokabeln");
        openVocabulary(t, sampleWords());
        DataSource ds(&t);
        Messages messages;
        messages.attach(ds);
        databound::Edit edit;
        edit.bind(&ds, "Schwierigkeitsgrad");
        QVERIFY(showActive(edit));
        const QString before = edit.text();
        QTest::keyClick(&edit, Qt::Key_End);
        QTest::keyClick(&edit, 'x');
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0],
                 QString("'%1x' ist keine gültige ganze Zahl für das Feld 'Schwierigkeitsgrad'.").arg(before));
        QCOMPARE(edit.text(), before);
        QCOMPARE(t.text("Schwierigkeitsgrad"), before);
        QVERIFY(!t.isModified());
    }

    void closedTablesShowNothingAndEmptyOnesStartANewRecord() {
        Table t("Vokabeln");
        core::Database::defineVocabulary(t);
        t.addHook(Table::HookKind::AfterInsert, [](Table& tb) { tb.setValue("Gattung", "Substantiv"); });
        DataSource ds(&t);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* edit = new databound::Edit;
        auto* label = new databound::TextLabel;
        auto* radio = new RadioGroup;
        radio->setItems({"Verb", "Substantiv", "Adjektiv", "sonstiges"});
        edit->bind(&ds, "deutsch");
        label->bind(&ds, "Gattung");
        radio->bind(&ds, "Gattung");
        layout->addWidget(edit);
        layout->addWidget(label);
        layout->addWidget(radio);
        QVERIFY(showActive(window));

        QCOMPARE(edit->maxLength(), 100); // known from the definition already
        QVERIFY(edit->isReadOnly());
        QTest::keyClicks(edit, "abc");
        QCOMPARE(edit->text(), QString());
        choose(radio->button(0));
        QCOMPARE(radio->itemIndex(), -1);
        QCOMPARE(t.state(), Table::State::Inactive);

        t.createDataSet();
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(label->text(), QString());
        QTest::keyClicks(edit, "Ei");
        QCOMPARE(t.state(), Table::State::Insert);
        QCOMPARE(t.text("deutsch"), QString("Ei"));
        QCOMPARE(label->text(), QString("Substantiv"));
        QCOMPARE(radio->itemIndex(), 1);
        t.post();
        QCOMPARE(t.recordCount(), 1);
        QCOMPARE(edit->text(), QString("Ei"));
        t.close();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(label->text(), QString());
        QCOMPARE(radio->itemIndex(), -1);
    }

    void comboBoxShowsTheFieldWhateverItsEntries() {
        Table t("Vokabeln");
        openVocabulary(t, {"Hund", "Katze"});
        t.edit();
        t.setValue("Sachgruppe", "Tiere");
        t.post();
        DataSource ds(&t);
        databound::ComboBox combo;
        combo.setObjectName("CBSachgruppe");
        combo.bind(&ds, "Sachgruppe");
        QVERIFY(showActive(combo));
        QCOMPARE(combo.currentText(), QString("Tiere"));

        combo.setItems({"Essen", "Reisen", "Tiere"});
        QCOMPARE(combo.currentText(), QString("Tiere"));
        combo.addItem("Wetter");
        QCOMPARE(combo.currentText(), QString("Tiere"));
        QCOMPARE(t.state(), Table::State::Browse); // filling the entries changes nothing

        t.next(); // Katze, no group
        QCOMPARE(combo.currentText(), QString());
        QTest::keyClick(&combo, Qt::Key_Down); // choose an entry
        QCOMPARE(t.state(), Table::State::Edit);
        QCOMPARE(t.text("Sachgruppe"), combo.currentText());
        QVERIFY(!combo.currentText().isEmpty());

        combo.lineEdit()->selectAll();
        QTest::keyClicks(combo.lineEdit(), "Haustiere");
        QCOMPARE(t.text("Sachgruppe"), QString("Haustiere"));
        QCOMPARE(combo.lineEdit()->maxLength(), 100);
        t.post();
        QCOMPARE(combo.items(), (QStringList{"Essen", "Reisen", "Tiere", "Wetter"})); // no entry added

        combo.lineEdit()->selectAll();
        QTest::keyClicks(combo.lineEdit(), "Re"); // completed inline to "Reisen"
        QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
        QCOMPARE(combo.currentText(), QString("Reisen"));
        QCOMPARE(t.text("Sachgruppe"), QString("Reisen"));
    }

    void radioGroupStoresCaptionOrNumber() {
        Table t("Vokabeln");
        openVocabulary(t, {"Haus", "laufen"});
        DataSource ds(&t);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* kind = new RadioGroup;
        kind->setTitle("Gattung");
        kind->setColumns(2);
        kind->setItems({"Verb", "Substantiv", "Adjektiv", "sonstiges"});
        kind->bind(&ds, "Gattung");
        auto* level = new RadioGroup;
        level->setTitle("Schwierigkeitsgrad");
        level->setColumns(3);
        level->setItems({"1", "2", "3"});
        level->setStores(RadioGroup::Stores::Number);
        level->bind(&ds, "Schwierigkeitsgrad");
        layout->addWidget(kind);
        layout->addWidget(level);
        QVERIFY(showActive(window));

        // Filled column by column.
        QCOMPARE(kind->button(1)->x(), kind->button(0)->x());
        QVERIFY(kind->button(2)->x() > kind->button(0)->x());
        QCOMPARE(kind->button(2)->y(), kind->button(0)->y());
        QVERIFY(level->button(1)->x() > level->button(0)->x());

        QCOMPARE(kind->itemIndex(), 1); // "Substantiv"
        QCOMPARE(level->itemIndex(), t.integer("Schwierigkeitsgrad") - 1);

        choose(kind->button(0));
        choose(level->button(2));
        QCOMPARE(t.state(), Table::State::Edit);
        QCOMPARE(t.value("Gattung"), QVariant("Verb"));
        QCOMPARE(t.value("Schwierigkeitsgrad"), QVariant(3));
        t.post();

        t.edit();
        t.setValue("Gattung", "Nomen"); // none of the captions
        t.setValue("Schwierigkeitsgrad", 7);
        QCOMPARE(kind->itemIndex(), -1);
        QCOMPARE(level->itemIndex(), -1);
        t.setValue("Gattung", "sonstiges");
        t.setValue("Schwierigkeitsgrad", QVariant());
        QCOMPARE(kind->itemIndex(), 3);
        QCOMPARE(level->itemIndex(), -1);
        t.cancel();

        t.first();
        choose(kind->button(kind->itemIndex())); // the checked one again
        QCOMPARE(t.state(), Table::State::Browse);
    }

    void lookupListFollowsTheCursorBothWays() {
        Table users("Benutzer");
        core::Database::defineUsers(users);
        users.setOrder("Name");
        users.createDataSet();
        int id = 1;
        for (const char* name : {"Paula", "Anton", "Zoe", "Mia"}) {
            users.insert();
            users.setValue("ID", id++);
            users.setValue("Name", name);
            users.post();
        }
        DataSource ds(&users);
        databound::LookupListBox list;
        list.setObjectName("DBLookupListBox1");
        list.bind(&ds, "Name");
        QVERIFY(showActive(list));
        QSignalSpy clicked(&list, &databound::LookupListBox::recordClicked);
        QCOMPARE(list.model()->rowCount(), 4);
        QCOMPARE(list.model()->index(0, 0).data().toString(), QString("Anton"));

        QVERIFY(users.locate("Name", "Zoe"));
        QCOMPARE(list.currentIndex().row(), 3);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(1, 0)).center());
        QCOMPARE(users.text("Name"), QString("Mia"));
        QCOMPARE(clicked.size(), 1);
        QTest::keyClick(&list, Qt::Key_Up);
        QCOMPARE(users.text("Name"), QString("Anton"));

        users.setFilter("Name > 'B'");
        users.setFiltered(true);
        QCOMPARE(list.model()->rowCount(), 3);
        QCOMPARE(list.currentIndex().row(), 0);
        QCOMPARE(list.currentIndex().data().toString(), QString("Mia"));
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
