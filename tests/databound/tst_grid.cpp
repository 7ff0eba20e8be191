// SPDX-License-Identifier: GPL-3.0-or-later
// The grid through the real widget: following the cursor both ways, titles,
// keys, new records, in-place editing and looked-up columns.
#include "boundfixture.h"
#include "databound/grid.h"
#include "support/itemviews.h"
#include "tablestore/tableerror.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace testsupport;
using databound::DataSource;
using databound::Grid;
using databound::GridColumn;
using ts::Table;

class GridTest : public QObject {
    Q_OBJECT

    struct Setup {
        Table t{"Vokabeln"};
        DataSource ds{&t};
        Grid grid;
        Messages messages;
        explicit Setup(const QStringList& words = sampleWords()) {
            openVocabulary(t, words);
            messages.attach(ds);
            grid.setObjectName("DBGrid2");
            grid.setDataSource(&ds);
            grid.setColumns({{"deutsch", "deutsch", 140},
                             {"auslaendisch", "Englisch", 140},
                             {"Schwierigkeitsgrad", "Schwierigkeitsgrad", 60}});
        }
        QPoint cell(int row, int column = 0) const {
            return grid.visualRect(grid.model()->index(row, column)).center();
        }
        void click(int row, int column = 0) {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell(row, column));
        }
        int selectedRow() const {
            const auto rows = grid.selectionModel()->selectedRows();
            return rows.size() == 1 ? rows.front().row() : -1;
        }
        QString shown(int row, int column = 0) const { return grid.model()->index(row, column).data().toString(); }
        int rowOf(const QString& word) const { return testsupport::rowShowing(&grid, word); }
        QLineEdit* editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    };

private slots:
    void showsTheViewAndFollowsTheCursorBothWays() {
        Setup s;
        QVERIFY(showActive(s.grid));
        QCOMPARE(s.grid.model()->rowCount(), 10);
        QCOMPARE(s.shown(0), QString("Apfel"));
        QCOMPARE(s.shown(5, 1), QString("haus-en"));
        QCOMPARE(s.selectedRow(), 0);

        s.t.setRecNo(6); // table → grid
        QCOMPARE(s.selectedRow(), 5);
        s.t.last();
        QCOMPARE(s.selectedRow(), 9);
        QVERIFY(s.grid.viewport()->rect().intersects(s.grid.visualRect(s.grid.model()->index(9, 0))));

        s.click(2); // grid → table
        QCOMPARE(s.t.text("deutsch"), QString("Dach"));
        QCOMPARE(s.selectedRow(), 2);
        QTest::keyClick(&s.grid, Qt::Key_Down);
        QCOMPARE(s.t.text("deutsch"), QString("Fenster"));
        QTest::keyClick(&s.grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(s.t.text("deutsch"), QString("Tisch"));
        QCOMPARE(s.grid.selectionModel()->selectedIndexes().size(), 3); // the whole row

        s.t.setOrder("auslaendisch");
        s.t.setFilter("Gattung = 'Substantiv' and deutsch <> 'Baum'");
        s.t.setFiltered(true);
        QCOMPARE(s.grid.model()->rowCount(), 9);
        QCOMPARE(s.selectedRow(), 0);
        QCOMPARE(s.shown(0), QString("Apfel"));
    }

    void titlesKeysAndDoubleClickAreReported() {
        Setup s;
        QVERIFY(showActive(s.grid));
        QSignalSpy titles(&s.grid, &Grid::titleClicked);
        QSignalSpy deletes(&s.grid, &Grid::deleteRequested);
        QSignalSpy typed(&s.grid, &Grid::characterTyped);
        QSignalSpy doubles(&s.grid, &Grid::recordDoubleClicked);

        QHeaderView* h = s.grid.horizontalHeader();
        const QPoint secondTitle(h->sectionViewportPosition(1) + 10, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, secondTitle);
        s.grid.setColumnTitle(1, "Französisch");
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, secondTitle);
        QCOMPARE(titles.size(), 2);
        QCOMPARE(titles[0][0].toString(), QString("Englisch"));
        QCOMPARE(titles[1][0].toString(), QString("Französisch"));
        QCOMPARE(s.t.recNo(), 1); // the grid itself orders nothing

        QTest::keyClick(&s.grid, Qt::Key_Delete);
        QTest::keyClick(&s.grid, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(deletes.size(), 1);
        QCOMPARE(s.t.recordCount(), 10); // the window asks and deletes

        QTest::keyClick(&s.grid, 'h');
        QTest::keyClick(&s.grid, 'k');
        QCOMPARE(typed.size(), 2);
        QCOMPARE(typed[1][0].toString(), QString("k"));
        QCOMPARE(s.t.recNo(), 1); // no built-in search moved anything

        QTest::mouseDClick(s.grid.viewport(), Qt::LeftButton, {}, s.cell(4));
        QCOMPARE(doubles.size(), 1);
        QCOMPARE(s.t.text("deutsch"), QString("Garten"));
    }

    void columnWidthsByFieldName() {
        Setup s;
        QCOMPARE(s.grid.fieldColumnWidth("Deutsch"), 140);
        QCOMPARE(s.grid.fieldColumnWidth("Schwierigkeitsgrad"), 60);
        s.grid.setFieldColumnWidth("auslaendisch", 222);
        QCOMPARE(s.grid.columnWidth(1), 222);
        QCOMPARE(s.grid.fieldColumnWidth("Bemerkung"), -1);
        s.grid.setFieldColumnWidth("Bemerkung", 50); // no such column: ignored
        s.grid.setFieldColumnWidth("deutsch", 0);    // a stored 0 would hide the column
        QCOMPARE(s.grid.fieldColumnWidth("deutsch"), 140);
    }

    void newRecordShowsAsRowAndLeavingTheGridDropsItUntouched() {
        QWidget window; // outlives its children on the stack
        QLineEdit elsewhere;
        Setup s;
        auto* layout = new QVBoxLayout(&window);
        s.grid.setParent(&window);
        layout->addWidget(&s.grid);
        elsewhere.setParent(&window);
        layout->addWidget(&elsewhere);
        QVERIFY(showActive(window));
        s.t.setRecNo(4);
        s.grid.setFocus();

        s.t.insert();
        QCOMPARE(s.grid.model()->rowCount(), 11);
        QCOMPARE(s.selectedRow(), 3); // in front of the record that was current
        QCOMPARE(s.shown(3), QString());
        QCOMPARE(s.shown(4), QString("Fenster"));
        s.t.setValue("deutsch", "Zaun");
        QCOMPARE(s.shown(3), QString("Zaun"));
        s.t.cancel();
        QCOMPARE(s.grid.model()->rowCount(), 10);
        QCOMPARE(s.selectedRow(), 3);

        s.t.insert();
        elsewhere.setFocus(Qt::TabFocusReason);
        QCOMPARE(s.t.state(), Table::State::Browse);
        QCOMPARE(s.grid.model()->rowCount(), 10);

        s.grid.setFocus();
        s.t.insert();
        s.t.setValue("deutsch", "Zaun");
        elsewhere.setFocus(Qt::TabFocusReason); // typed into: stays
        QCOMPARE(s.t.state(), Table::State::Insert);
        s.t.post();
        QCOMPARE(s.grid.model()->rowCount(), 11);
        QCOMPARE(s.shown(s.selectedRow()), QString("Zaun"));
    }

    void typingOverACellEditsAndLeavingTheRowSaves() {
        Setup s;
        s.grid.setInPlaceEditing(true);
        QVERIFY(showActive(s.grid));
        s.grid.setFocus();
        s.click(s.rowOf("Haus"));

        QTest::keyClick(&s.grid, 'Z');
        QCOMPARE(s.t.state(), Table::State::Edit);
        QCOMPARE(s.t.text("deutsch"), QString("Z")); // the typed character replaced the text
        QVERIFY(s.editor());
        QTest::keyClicks(s.editor(), "oo");
        QCOMPARE(s.t.text("deutsch"), QString("Zoo"));
        QCOMPARE(s.t.recordCount(), 10);

        QTest::keyClick(s.editor(), Qt::Key_Down); // leaves the row: saved, and it moves to the end
        QCOMPARE(s.t.state(), Table::State::Browse);
        QCOMPARE(s.t.text("deutsch"), QString("Hund")); // the row below, not what took its place
        QCOMPARE(s.shown(s.selectedRow()), QString("Hund"));
        QCOMPARE(s.shown(9), QString("Zoo"));
    }

    void clickAfterAnEditThatMovesTheRecordLandsOnTheClickedOne() {
        Setup s;
        s.grid.setInPlaceEditing(true);
        QVERIFY(showActive(s.grid));
        s.grid.setFocus();
        s.click(0); // Apfel
        QTest::keyClick(&s.grid, 'Z');
        s.click(s.rowOf("Katze"));
        QCOMPARE(s.t.text("deutsch"), QString("Katze"));
        QCOMPARE(s.shown(s.selectedRow()), QString("Katze"));
        QVERIFY(s.t.locate("deutsch", "Z"));

        // A new record saved by clicking elsewhere: the clicked row wins too.
        s.t.setRecNo(2);
        s.t.insert();
        s.t.setValue("deutsch", "Aal");
        s.t.setValue("ID", 99);
        s.click(s.rowOf("Maus"));
        QCOMPARE(s.t.text("deutsch"), QString("Maus"));
        QVERIFY(s.t.locate("ID", 99));
    }

    void maxLengthEscapeAndRefusedInput() {
        Setup s;
        s.grid.setInPlaceEditing(true);
        QVERIFY(showActive(s.grid));
        s.grid.setFocus();
        s.click(1); // Baum
        QTest::keyClick(&s.grid, 'x');
        QTest::keyClicks(s.editor(), QString(120, u'y'));
        QCOMPARE(s.t.text("deutsch").size(), 100);
        QTest::keyClick(s.editor(), Qt::Key_Escape); // drops the whole pending record
        QCOMPARE(s.t.state(), Table::State::Browse);
        QCOMPARE(s.t.text("deutsch"), QString("Baum"));
        QCOMPARE(s.shown(1), QString("Baum"));

        s.grid.setCurrentIndex(s.grid.model()->index(1, 2));
        const int before = s.t.integer("Schwierigkeitsgrad");
        QTest::keyClick(&s.grid, 'x');
        QCOMPARE(s.messages.shown.size(), 1);
        QVERIFY(s.messages.shown[0].contains("keine gültige ganze Zahl"));
        QCOMPARE(s.t.integer("Schwierigkeitsgrad"), before);
        QTest::keyClick(s.editor(), Qt::Key_Escape);
        QCOMPARE(s.t.state(), Table::State::Browse);
    }

    void aRefusedSaveKeepsTheRecordAndTheRow() {
        Setup s;
        s.t.addHook(Table::HookKind::BeforePost, [](Table& t) {
            if (t.text("deutsch").startsWith("Q"))
                throw ts::TableError("Dieses Wort ist nicht erlaubt.");
        });
        s.grid.setInPlaceEditing(true);
        QVERIFY(showActive(s.grid));
        s.grid.setFocus();
        s.click(2); // Dach
        QTest::keyClick(&s.grid, 'Q');
        s.click(6);
        QCOMPARE(s.messages.shown, QStringList{"Dieses Wort ist nicht erlaubt."});
        QCOMPARE(s.t.state(), Table::State::Edit);
        QCOMPARE(s.t.text("deutsch"), QString("Q"));
        QCOMPARE(s.selectedRow(), 2);
    }

    void aLookedUpColumnIsChangedByChoosingAnotherWord() {
        Table vocabulary("Vokabeln");
        openVocabulary(vocabulary, sampleWords()); // IDs 1..10 in insertion order
        Table members("BestehtAus");
        members.addField("LektionsID", ts::FieldType::Integer);
        members.addField("VokabelID", ts::FieldType::Integer);
        members.addLookupField("xdeutsch", ts::FieldType::String, 100, "VokabelID", &vocabulary, "ID", "deutsch");
        members.createDataSet();
        for (int id : {6, 2}) {
            members.insert();
            members.setValue("LektionsID", 1);
            members.setValue("VokabelID", id);
            members.post();
        }
        members.first();
        DataSource ds(&members);
        Grid grid;
        grid.setDataSource(&ds);
        grid.setColumns({{"xdeutsch", "deutsch", 150}});
        grid.setInPlaceEditing(true);
        QVERIFY(showActive(grid));
        grid.setFocus();
        QCOMPARE(grid.model()->index(0, 0).data().toString(), QString("Haus"));

        QTest::keyClick(&grid, Qt::Key_F2);
        auto* combo = grid.findChild<QComboBox*>();
        QVERIFY(combo);
        QCOMPARE(combo->count(), 10);
        QCOMPARE(combo->currentText(), QString("Haus"));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(members.state(), Table::State::Edit);
        QCOMPARE(members.integer("VokabelID"), 7); // Hund
        QCOMPARE(grid.model()->index(0, 0).data().toString(), QString("Hund"));

        QTest::keyClick(combo, Qt::Key_Return);
        QTest::keyClick(&grid, Qt::Key_Down); // leaving the row saves it
        QCOMPARE(members.state(), Table::State::Browse);
        QVERIFY(members.locate("VokabelID", 7));
    }

    void closedAndEmptyTablesShowNothingAndNeverFail() {
        Table t("Vokabeln");
        core::Database::defineVocabulary(t);
        DataSource ds(&t);
        Grid grid;
        grid.setDataSource(&ds);
        grid.setColumns({{"deutsch", {}, 100}, {"Bemerkung", {}, 100}});
        grid.setInPlaceEditing(true);
        QVERIFY(showActive(grid));
        QCOMPARE(grid.model()->rowCount(), 0);
        QCOMPARE(grid.columnTitle(1), QString("Bemerkung"));
        QTest::keyClick(&grid, Qt::Key_Down);
        QTest::keyClick(&grid, 'a');
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(20, 10));

        t.createDataSet();
        QCOMPARE(grid.model()->rowCount(), 0);
        QTest::keyClick(&grid, 'a');
        QCOMPARE(t.state(), Table::State::Browse);

        t.close();
        openVocabulary(t, {"Eins", "Zwei"});
        QCOMPARE(grid.model()->rowCount(), 2);
        t.close();
        QCOMPARE(grid.model()->rowCount(), 0);
        QVERIFY(!grid.selectionModel()->hasSelection());
    }

    void aReplacedTableIsShownFromScratch() {
        Setup s;
        Table other("Vokabeln");
        openVocabulary(other, {"Xylophon"});
        s.ds.setTable(&other);
        QCOMPARE(s.grid.model()->rowCount(), 1);
        QCOMPARE(s.shown(0), QString("Xylophon"));
        s.t.setRecNo(5); // the old table no longer drives the grid
        QCOMPARE(s.selectedRow(), 0);
    }

    void resetOfAHugeTableReadsOnlyWhatIsVisible() {
        Table t("Vokabeln");
        core::Database::defineVocabulary(t);
        t.createDataSet();
        for (int i = 0; i < 200000; ++i) {
            t.insert();
            t.setValue(0, i + 1);
            t.setValue(1, QString("Wort %1").arg(i % 977));
            t.post();
        }
        t.setOrder("deutsch");
        DataSource ds(&t);
        Grid grid;
        grid.setDataSource(&ds);
        grid.setColumns({{"deutsch", {}, 120}, {"ID", {}, 60}});
        QVERIFY(showActive(grid));
        QApplication::processEvents();

        const quint64 before = grid.tableModel()->valueReads();
        t.setFilter("ID > 100");
        t.setFiltered(true); // a model reset
        t.setRecNo(150000);  // far down
        grid.viewport()->repaint();
        QApplication::processEvents();
        const quint64 reads = grid.tableModel()->valueReads() - before;
        QVERIFY2(reads < 1000, qPrintable(QString::number(reads)));
        QCOMPARE(grid.model()->rowCount(), 199900);
        QCOMPARE(grid.currentIndex().row(), 149999);
        QCOMPARE(grid.currentIndex().data().toString(), t.text("deutsch"));
        QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex()))); // brought into sight
    }
};

QTEST_MAIN(GridTest)
#include "tst_grid.moc"
