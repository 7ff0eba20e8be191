// SPDX-License-Identifier: GPL-3.0-or-later
// Cursor movement, record states, the settle rule and the hooks.
#include "support/sampletable.h"
#include "tablestore/tableerror.h"

#include <QSignalSpy>
#include <QTest>

using namespace testsupport;
using ts::Table;

class CursorEditingTest : public QObject {
    Q_OBJECT

    void fill(Table& t) {
        defineWords(t);
        t.createDataSet();
        addWord(t, 3, "Haus", "house");
        addWord(t, 1, "Baum", "tree");
        addWord(t, 2, "Apfel", "apple");
    }

private slots:
    void walkingVisitsEveryRecordOnceInInsertionOrder() {
        Table t("w");
        fill(t);
        QCOMPARE(t.recordCount(), 3);
        QCOMPARE(column(t, "deutsch"), (QStringList{"Haus", "Baum", "Apfel"}));
        QVERIFY(t.eof());
        QCOMPARE(t.recNo(), 3); // eof stays on the last record
    }

    void firstLastPriorAndBofEof() {
        Table t("w");
        fill(t);
        t.last();
        QVERIFY(t.eof());
        QCOMPARE(t.text("deutsch"), QString("Apfel"));
        t.prior();
        QVERIFY(!t.bof() && !t.eof());
        QCOMPARE(t.recNo(), 2);
        t.prior();
        t.prior();
        QVERIFY(t.bof());
        QCOMPARE(t.recNo(), 1);
        t.first();
        QVERIFY(t.bof() && !t.eof());
    }

    void moveByStopsAtTheEndsAndReportsTheDistance() {
        Table t("w");
        fill(t);
        t.first();
        QCOMPARE(t.moveBy(5), 2);
        QVERIFY(t.eof());
        QCOMPARE(t.moveBy(-1), -1);
        QCOMPARE(t.recNo(), 2);
        QCOMPARE(t.moveBy(-7), -1);
        QVERIFY(t.bof());
        t.setRecNo(3);
        QCOMPARE(t.text("deutsch"), QString("Apfel"));
        t.setRecNo(99); // out of range: no move
        QCOMPARE(t.recNo(), 3);
    }

    void emptyTableHasNoCurrentRecord() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        t.first();
        QVERIFY(t.bof() && t.eof());
        QCOMPARE(t.recNo(), 0);
        QVERIFY(!t.value("deutsch").isValid());
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.deleteRecord());
    }

    void closedTableRefusesWork() {
        Table t("w");
        defineWords(t);
        QVERIFY(!t.isOpen());
        QCOMPARE(t.recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.first());
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.insert());
    }

    void statesAndModifiedFlag() {
        Table t("w");
        fill(t);
        t.first();
        QCOMPARE(t.state(), Table::State::Browse);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setValue("deutsch", "x"));
        t.edit();
        QCOMPARE(t.state(), Table::State::Edit);
        QVERIFY(!t.isModified());
        t.setValue("deutsch", "Hütte");
        QVERIFY(t.isModified());
        QCOMPARE(t.text("deutsch"), QString("Hütte"));
        t.cancel();
        QCOMPARE(t.text("deutsch"), QString("Haus"));
        t.insert();
        QCOMPARE(t.state(), Table::State::Insert);
        t.cancel();
        QCOMPARE(t.recordCount(), 3);
    }

    void settleRulePostsChangedAndDiscardsUntouchedRecords() {
        Table t("w");
        fill(t);
        t.first();
        t.edit();
        t.setValue("deutsch", "Villa");
        t.next(); // moving away posts the changed record
        t.first();
        QCOMPARE(t.text("deutsch"), QString("Villa"));

        t.insert(); // untouched new record: gone after a move
        t.last();
        QCOMPARE(t.recordCount(), 3);

        t.insert();
        t.setValue("deutsch", "Katze");
        t.setOrder("deutsch"); // re-ordering posts it and keeps it current
        QCOMPARE(t.recordCount(), 4);
        QCOMPARE(t.text("deutsch"), QString("Katze"));

        t.first();
        t.edit();
        t.setValue("deutsch", "Zebra");
        QVERIFY(t.locate("ID", 2)); // a locate counts as a move
        QCOMPARE(column(t, "deutsch").last(), QString("Zebra"));

        t.first();
        t.edit();
        t.setValue("deutsch", "Ungespeichert");
        t.setFiltered(true); // so does switching the filter
        QVERIFY(column(t, "deutsch").contains("Ungespeichert"));
    }

    void postedRecordTakesItsPlaceInTheOrderingAndStaysCurrent() {
        Table t("w");
        fill(t);
        t.setOrder("deutsch");
        QVERIFY(t.locate("deutsch", "Apfel"));
        t.edit();
        t.setValue("deutsch", "Zitrone");
        t.post();
        QCOMPARE(t.recNo(), 3);
        QCOMPARE(t.text("deutsch"), QString("Zitrone"));
        QCOMPARE(column(t, "deutsch"), (QStringList{"Baum", "Haus", "Zitrone"}));
    }

    void deletingKeepsTheCursorOnTheNextRecord() {
        Table t("w");
        fill(t);
        t.setRecNo(2);
        t.deleteRecord();
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.text("deutsch"), QString("Apfel"));
        t.deleteRecord();
        QCOMPARE(t.text("deutsch"), QString("Haus"));
        t.deleteRecord();
        QVERIFY(t.isEmpty());
        QVERIFY(t.eof());
    }

    void fieldLimitsAndTypesAreEnforcedWithoutCutting() {
        Table t("w");
        fill(t);
        t.first();
        t.edit();
        t.setValue("deutsch", QString(100, u'x'));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setValue("deutsch", QString(101, u'x')));
        QCOMPARE(t.text("deutsch").size(), 100);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setValue("ID", "zwölf"));
        t.setValue("ID", "12");
        QCOMPARE(t.value("ID"), QVariant(12));
        t.setValue("Stufe", "2,5");
        QCOMPARE(t.number("Stufe"), 2.5);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.value("gibtsnicht"));
    }

    void hooksRunInOrderAndHookDefaultsAreNoChange() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        QStringList calls;
        int next = 100;
        t.addHook(Table::HookKind::AfterInsert, [&](Table& tb) {
            calls << "afterInsert";
            tb.setValue("ID", ++next);
        });
        t.addHook(Table::HookKind::AfterEdit, [&](Table&) { calls << "afterEdit"; });
        t.addHook(Table::HookKind::BeforePost, [&](Table&) { calls << "beforePost"; });
        t.addHook(Table::HookKind::AfterPost, [&](Table&) { calls << "afterPost"; });
        t.insert();
        QVERIFY(!t.isModified());
        QCOMPARE(t.integer("ID"), 101);
        t.first(); // untouched: discarded, but the number is used up
        QVERIFY(t.isEmpty());
        t.insert();
        t.setValue("deutsch", "Hund");
        t.post();
        QCOMPARE(t.integer("ID"), 102);
        t.edit();
        t.setValue("deutsch", "Hündin");
        t.post();
        QCOMPARE(calls, (QStringList{"afterInsert", "afterInsert", "beforePost", "afterPost", "afterEdit", "beforePost",
                                     "afterPost"}));
    }

    void aThrowingBeforePostHookKeepsTheRecordPending() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        t.addHook(Table::HookKind::BeforePost, [](Table& tb) {
            if (tb.text("deutsch").isEmpty())
                throw ts::TableError("leer");
        });
        t.insert();
        t.setValue("auslaendisch", "dog");
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.post());
        QCOMPARE(t.state(), Table::State::Insert);
        t.setValue("deutsch", "Hund");
        t.post();
        QCOMPARE(t.recordCount(), 1);
    }

    void notificationsReachViews() {
        Table t("w");
        fill(t);
        QSignalSpy layout(&t, &Table::layoutChanged);
        QSignalSpy current(&t, &Table::currentChanged);
        QSignalSpy value(&t, &Table::valueChanged);
        t.first();
        QVERIFY(current.count() >= 1);
        t.edit();
        t.setValue("deutsch", "Zelt");
        QCOMPARE(value.count(), 1);
        QCOMPARE(value.first().first().toInt(), 1);
        t.post();
        QVERIFY(layout.count() >= 1);
    }
};

QTEST_GUILESS_MAIN(CursorEditingTest)
#include "tst_cursor_editing.moc"
