// SPDX-License-Identifier: GPL-3.0-or-later
// The guards that put a table's view, cursor and bulk inserts back.
#include "support/sampletable.h"
#include "tablestore/cursorguard.h"

#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

using namespace testsupport;
using ts::CursorGuard;
using ts::Table;

class CursorGuardTest : public QObject {
    Q_OBJECT

    // Five words; the view ordered by "deutsch", "ID > 1" case-sensitively,
    // the cursor on "Dach" (ID 4, row 2: Baum, Dach, Esel, Haus).
    static void fillAndRestrict(Table& t) {
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "Apfel", "apple");
        addWord(t, 2, "Haus", "house");
        addWord(t, 3, "Esel", "donkey");
        addWord(t, 4, "Dach", "roof");
        addWord(t, 5, "Baum", "tree");
        t.setOrder("deutsch");
        t.setFilter("ID > 1");
        t.setFiltered(true);
        QVERIFY(t.locate("ID", 4));
    }
    static void verifyViewAsNoted(const Table& t, int rows = 4) {
        QCOMPARE(t.filter(), QString("ID > 1"));
        QVERIFY(t.isFiltered());
        QVERIFY(!t.isFilterCaseInsensitive());
        QCOMPARE(t.order(), QString("deutsch"));
        QCOMPARE(t.recordCount(), rows);
    }
    // Everything a guarded piece of code might change.
    static void disturb(Table& t) {
        t.setFilterCaseInsensitive(true);
        t.setFilter("ID < 5");
        t.setFiltered(false);
        t.setOrder("ID");
        t.last();
    }

private slots:
    void byKeyPutsViewAndRecordBack() {
        Table t("w");
        fillAndRestrict(t);
        {
            const auto guard = CursorGuard::byKey(t, "ID");
            disturb(t);
        }
        verifyViewAsNoted(t);
        QCOMPARE(t.integer("ID"), 4);
        QCOMPARE(t.recNo(), 2);
    }

    void byKeyFindsTheRecordAtItsNewPlace() {
        Table t("w");
        fillAndRestrict(t);
        {
            const auto guard = CursorGuard::byKey(t, "ID", CursorGuard::Rows::All);
            QVERIFY(!t.isFiltered());
            QCOMPARE(t.recordCount(), 5);
            addWord(t, 6, "Ast", "branch"); // sorts before "Dach"
        }
        verifyViewAsNoted(t, 5);
        QCOMPARE(t.integer("ID"), 4);
        QCOMPARE(t.recNo(), 3);
    }

    void aRecordDeletedMeanwhileLeavesTheFirstRow() {
        Table t("w");
        fillAndRestrict(t);
        {
            const auto guard = CursorGuard::byKey(t, "ID", CursorGuard::Rows::All);
            QVERIFY(t.locate("ID", 4));
            t.deleteRecord();
            t.last();
        }
        verifyViewAsNoted(t, 3);
        QCOMPARE(t.recNo(), 1);
        QCOMPARE(t.text("deutsch"), QString("Baum"));
    }

    void byRowNumberKeepsThePlaceAndClampsIt() {
        Table t("w");
        fillAndRestrict(t);
        {
            const auto guard = CursorGuard::byRowNumber(t);
            disturb(t);
        }
        verifyViewAsNoted(t);
        QCOMPARE(t.recNo(), 2);

        t.setRecNo(4); // Haus
        {
            const auto guard = CursorGuard::byRowNumber(t, CursorGuard::Rows::All);
            while (t.locate("ID", 3) || t.locate("ID", 2))
                t.deleteRecord();
        }
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.recNo(), 2); // the last row there is
        QCOMPARE(t.text("deutsch"), QString("Dach"));
    }

    void atFirstRowEndsOnTheFirstRow() {
        Table t("w");
        fillAndRestrict(t);
        {
            const auto guard = CursorGuard::atFirstRow(t, CursorGuard::Rows::All);
            t.last();
        }
        verifyViewAsNoted(t);
        QCOMPARE(t.recNo(), 1);
        QVERIFY(t.bof());
    }

    void anUnchangedViewIsNotFilteredAgain() {
        Table t("w");
        fillAndRestrict(t);
        QSignalSpy rebuilt(&t, &Table::layoutChanged);
        {
            const auto guard = CursorGuard::byKey(t, "ID");
            t.first();
        }
        QCOMPARE(rebuilt.count(), 0);
        QCOMPARE(t.integer("ID"), 4);
    }

    void emptyOrClosedTablesAreNoFault() {
        Table t("w");
        fillAndRestrict(t);
        Table empty("e");
        defineWords(empty);
        empty.createDataSet();
        {
            const auto guard = CursorGuard::byKey(empty, "ID", CursorGuard::Rows::All);
            addWord(empty, 1, "Apfel", "apple");
            addWord(empty, 2, "Baum", "tree");
        }
        QCOMPARE(empty.recNo(), 1); // there was no record to go back to
        {
            const auto guard = CursorGuard::byRowNumber(empty);
            empty.deleteRecord();
            empty.deleteRecord();
        }
        QCOMPARE(empty.recNo(), 0);
        {
            const auto guard = CursorGuard::byKey(t, "ID");
            disturb(t);
            t.close();
        }
        QVERIFY(!t.isOpen());
        QCOMPARE(t.filter(), QString("ID > 1"));
        QCOMPARE(t.order(), QString("deutsch"));
    }

    void bulkInsertEndsWhenAnExceptionLeavesTheScope() {
        Table t("w");
        fillAndRestrict(t);
        try {
            const ts::BulkInsertGuard bulk(t);
            addWord(t, 7, "Auto", "car");
            QVERIFY(t.inBulkInsert());
            throw std::runtime_error("abgebrochen");
        } catch (const std::runtime_error&) {}
        QVERIFY(!t.inBulkInsert());
        QCOMPARE(column(t, "deutsch"), (QStringList{"Auto", "Baum", "Dach", "Esel", "Haus"}));
    }
};

QTEST_GUILESS_MAIN(CursorGuardTest)
#include "tst_cursorguard.moc"
