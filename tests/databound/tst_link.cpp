// SPDX-License-Identifier: GPL-3.0-or-later
// The on/off link of a data source: a bulk pass with the link off leaves every
// view still, and switching it on shows the record current by then.
#include "boundfixture.h"
#include "databound/edit.h"
#include "databound/grid.h"
#include "databound/radiogroup.h"
#include "databound/textlabel.h"

#include <QSignalSpy>
#include <QVBoxLayout>

using namespace testsupport;
using databound::DataSource;
using databound::Grid;
using ts::Table;

namespace {
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

class LinkTest : public QObject {
    Q_OBJECT

private slots:
    void aBulkPassWithTheLinkOffRedrawsNothing() {
        Table t("Vokabeln");
        openVocabulary(t, sampleWords());
        DataSource ds(&t);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new Grid;
        grid->setDataSource(&ds);
        grid->setColumns({{"deutsch", {}, 120}, {"auslaendisch", {}, 120}});
        auto* edit = new databound::Edit;
        edit->bind(&ds, "deutsch");
        auto* label = new databound::TextLabel;
        label->bind(&ds, "auslaendisch");
        auto* radio = new databound::RadioGroup;
        radio->setItems({"1", "2", "3"});
        radio->setStores(databound::RadioGroup::Stores::Number);
        radio->bind(&ds, "Schwierigkeitsgrad");
        for (QWidget* w : {static_cast<QWidget*>(grid), static_cast<QWidget*>(edit), static_cast<QWidget*>(label),
                           static_cast<QWidget*>(radio)})
            layout->addWidget(w);
        QVERIFY(showActive(window));
        QApplication::processEvents();

        PaintCounter painted;
        grid->viewport()->installEventFilter(&painted);
        QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(grid->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy selections(grid->selectionModel(), &QItemSelectionModel::currentChanged);
        QSignalSpy texts(edit, &QLineEdit::textChanged);
        const QString labelBefore = label->text();

        ds.setEnabled(false);
        for (t.first(); !t.eof(); t.next()) {
            t.edit();
            t.setValue("Bemerkung", "geprüft");
            t.post();
        }
        testsupport::appendRow(t, {.id = 77, .german = "Zwiebel", .kind = "Substantiv", .level = 3});
        t.setFilter("Gattung = 'Substantiv'");
        t.setFiltered(true);
        QVERIFY(t.locate("deutsch", "Zwiebel"));
        QApplication::processEvents();

        QCOMPARE(painted.paints, 0);
        QCOMPARE(resets.size(), 0);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(selections.size(), 0);
        QCOMPARE(texts.size(), 0);
        QCOMPARE(label->text(), labelBefore);
        QCOMPARE(grid->model()->rowCount(), 10); // the rows as they were when the link went off

        ds.setEnabled(true);
        QApplication::processEvents();
        QVERIFY(painted.paints > 0); // the counter does see paints
        QCOMPARE(resets.size(), 1);
        QCOMPARE(grid->model()->rowCount(), 11);
        QCOMPARE(grid->currentIndex().row(), 10);
        QCOMPARE(grid->model()->index(10, 0).data().toString(), QString("Zwiebel"));
        QCOMPARE(edit->text(), QString("Zwiebel"));
        QCOMPARE(radio->itemIndex(), 2);
    }

    void switchingOnShowsTheCurrentRecordAtItsRow() {
        Table t("Vokabeln");
        openVocabulary(t, sampleWords());
        DataSource ds(&t);
        Grid grid;
        grid.setDataSource(&ds);
        grid.setColumns({{"deutsch", {}, 120}});
        QVERIFY(showActive(grid));
        ds.setEnabled(false);
        t.setOrder("ID");
        t.setRecNo(9); // Maus
        QCOMPARE(grid.currentIndex().row(), 0);
        ds.setEnabled(true);
        QCOMPARE(grid.currentIndex().row(), 8);
        QCOMPARE(grid.currentIndex().data().toString(), QString("Maus"));
    }

    void eachDataSourceHasItsOwnLinkOnASharedTable() {
        Table t("Vokabeln");
        openVocabulary(t, sampleWords());
        DataSource panel(&t), dialog(&t);
        Grid a, b;
        a.setDataSource(&panel);
        b.setDataSource(&dialog);
        a.setColumns({{"deutsch", {}, 100}});
        b.setColumns({{"deutsch", {}, 100}});
        dialog.setEnabled(false);
        t.setRecNo(4);
        QCOMPARE(a.currentIndex().row(), 3);
        QCOMPARE(b.currentIndex().row(), 0);
        QVERIFY(!dialog.isActive());
        QVERIFY(panel.isActive());
    }

    void aTableThatGoesAwayLeavesTheControlsEmpty() {
        auto t = std::make_unique<Table>("Vokabeln");
        openVocabulary(*t, sampleWords());
        DataSource ds(t.get());
        Grid grid;
        grid.setDataSource(&ds);
        grid.setColumns({{"deutsch", {}, 100}});
        databound::Edit edit;
        edit.bind(&ds, "deutsch");
        QCOMPARE(edit.text(), QString("Apfel"));
        t.reset();
        QCOMPARE(grid.model()->rowCount(), 0);
        QCOMPARE(edit.text(), QString());
        QVERIFY(edit.isReadOnly());
    }
};

QTEST_MAIN(LinkTest)
#include "tst_link.moc"
