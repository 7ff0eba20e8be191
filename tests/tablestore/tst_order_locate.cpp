// SPDX-License-Identifier: GPL-3.0-or-later
// Orderings, locating (exact, several fields, type-ahead) and looked-up fields.
#include "support/sampletable.h"
#include "tablestore/cursorguard.h"
#include "tablestore/tableerror.h"

#include <QRandomGenerator>
#include <QTest>
#include <numeric>

using namespace testsupport;
using ts::Table;

class OrderLocateTest : public QObject {
    Q_OBJECT

private slots:
    void germanTextOrderKeepsUmlautsBesideTheirBaseLetters() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        const QStringList words{"Zug",     "Öl",     "ober", "Apfel", "Äpfel", "apfel", "Straße",
                                "Strasse", "Strand", "Ofen", "übel",  "Ufer",  "bar"};
        int id = 0;
        for (const QString& w : words)
            addWord(t, ++id, w, "x");
        t.setOrder("deutsch");
        QCOMPARE(column(t, "deutsch"), (QStringList{"apfel", "Apfel", "Äpfel", "bar", "ober", "Ofen", "Öl", "Strand",
                                                    "Strasse", "Straße", "übel", "Ufer", "Zug"}));
    }

    void tiesKeepInsertionOrderAndEmptyListMeansInsertionOrder() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "b", "zweite");
        addWord(t, 2, "a", "erste");
        addWord(t, 3, "b", "dritte");
        addWord(t, 4, "a", "vierte");
        t.setOrder("deutsch");
        QCOMPARE(column(t, "auslaendisch"), (QStringList{"erste", "vierte", "zweite", "dritte"}));
        t.setOrder("deutsch;ID");
        QCOMPARE(column(t, "auslaendisch"), (QStringList{"erste", "vierte", "zweite", "dritte"}));
        t.setOrder("");
        QCOMPARE(column(t, "auslaendisch"), (QStringList{"zweite", "erste", "dritte", "vierte"}));
    }

    void numbersOrderByValueWithEmptyValuesFirst() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 10, "zehn", "", 2.5);
        addWord(t, 9, "neun", "", QVariant());
        addWord(t, 100, "hundert", "", -1.0);
        t.setOrder("ID");
        QCOMPARE(column(t, "deutsch"), (QStringList{"neun", "zehn", "hundert"}));
        t.setOrder("Stufe");
        QCOMPARE(column(t, "deutsch"), (QStringList{"neun", "hundert", "zehn"}));
    }

    void longTextsWithSharedBeginningsSortLikeTheFullComparison() {
        // Long shared beginnings, blanks, hyphens, digits, umlauts, other
        // scripts, case and empty values: the fast text sort must agree with
        // comparing whole texts.
        Table t("w");
        defineWords(t);
        t.createDataSet();
        const QStringList parts{"Haus",  "haus",  "Häus", "tür",    "-",
                                " ",     "2",     "10",   "Straße", "strasse",
                                "Ωmega", "ärger", "a",    "",       "schlüsselbundanhänger"};
        QRandomGenerator rng(4711);
        QList<QVariant> values;
        for (int i = 0; i < 3000; ++i) {
            QString s;
            const int n = int(rng.bounded(7));
            for (int k = 0; k < n; ++k)
                s += parts[int(rng.bounded(parts.size()))];
            values << (rng.bounded(40) == 0 ? QVariant() : QVariant(s.left(100)));
            addWord(t, i, values.last(), "x");
        }
        QList<int> expected(values.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const bool na = !values[a].isValid(), nb = !values[b].isValid();
            if (na || nb)
                return na && !nb;
            return ts::text::compareGerman(ts::text::view(values[a].toString()), ts::text::view(values[b].toString())) <
                   0;
        });
        t.setOrder("deutsch");
        QList<int> got;
        t.first();
        while (!t.eof()) {
            got << t.integer("ID");
            t.next();
        }
        QCOMPARE(got, expected);
    }

    // Downwards: the same fast text sort turned over, empty values last,
    // equal values still as added; saves keep their place in it.
    void descendingOrdersAgreeWithTheFullComparisonTurnedOver() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        const QStringList parts{"Haus", "haus", "Häus", "tür", "-", " ", "2", "10", "Straße", "strasse", "ärger", ""};
        QRandomGenerator rng(815);
        QList<QVariant> values;
        for (int i = 0; i < 3000; ++i) {
            QString s;
            const int n = int(rng.bounded(6));
            for (int k = 0; k < n; ++k)
                s += parts[int(rng.bounded(parts.size()))];
            values << (rng.bounded(40) == 0 ? QVariant() : QVariant(s));
            addWord(t, i, values.last(), "x", double(rng.bounded(5)));
        }
        QList<int> expected(values.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const bool na = !values[a].isValid(), nb = !values[b].isValid();
            if (na || nb)
                return nb && !na;
            return ts::text::compareGerman(ts::text::view(values[a].toString()), ts::text::view(values[b].toString())) >
                   0;
        });
        const auto ids = [&] {
            QList<int> got;
            for (t.first(); !t.eof(); t.next())
                got << t.integer("ID");
            return got;
        };
        t.setOrder("deutsch DESC");
        QCOMPARE(t.order(), QString("deutsch DESC"));
        QCOMPARE(ids(), expected);
        // A number downwards, ties by a text upwards.
        t.setOrder("Stufe desc;deutsch");
        double stufe = 5;
        QVariant word;
        for (t.first(); !t.eof(); t.next()) {
            QVERIFY(t.number("Stufe") <= stufe);
            if (t.number("Stufe") == stufe && word.isValid() && !t.isNull("deutsch"))
                QVERIFY(ts::text::compareGerman(ts::text::view(word.toString()), ts::text::view(t.text("deutsch"))) <=
                        0);
            stufe = t.number("Stufe");
            word = t.isNull("deutsch") ? QVariant() : QVariant(t.text("deutsch"));
        }
        addWord(t, 5000, "Zebra", "x", 4.0); // the last of the largest
        QCOMPARE(t.recNo(), t.countOf("Stufe", 4.0));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setOrder("Nom DESC"));
        QCOMPARE(t.order(), QString("Stufe desc;deutsch"));
    }

    // The vocabulary grids' rule: equal values follow another field.
    void aTieBreakOrdersEqualValuesByItsField() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "Zug", "b");
        addWord(t, 2, "Apfel", "a");
        addWord(t, 3, "Baum", "b");
        addWord(t, 4, "Ast", "b");
        t.setOrder("auslaendisch");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Apfel", "Zug", "Baum", "Ast"}));
        t.setTieBreak("deutsch");
        QCOMPARE(t.tieBreak(), QString("deutsch"));
        QCOMPARE(column(t, "deutsch"), (QStringList{"Apfel", "Ast", "Baum", "Zug"}));
        t.setOrder("auslaendisch DESC", "deutsch");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Ast", "Baum", "Zug", "Apfel"}));
        addWord(t, 5, "Birne", "b");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Ast", "Baum", "Birne", "Zug", "Apfel"}));
        t.setOrder("");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Zug", "Apfel", "Baum", "Ast", "Birne"})); // as added
        addWord(t, 6, "Aal", "b");
        QCOMPARE(column(t, "deutsch").last(), QString("Aal"));
        QCOMPARE(t.tieBreak(), QString()); // an ordering set without one has none
        t.setTieBreak("deutsch");
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setTieBreak("Nom"));
        QCOMPARE(t.tieBreak(), QString("deutsch"));
        // Many rows: the fast sort agrees with comparing field by field.
        QRandomGenerator rng(99);
        for (int i = 10; i < 3000; ++i)
            addWord(t, i, QString("w%1").arg(rng.bounded(500)), QStringList{"a", "b", "c"}[int(rng.bounded(3))]);
        t.setOrder("auslaendisch DESC", "deutsch");
        QString en, de;
        int id = -1;
        for (t.first(); !t.eof(); t.next()) {
            const int byEn = en.isNull() ? 1 : QString::compare(en, t.text("auslaendisch"));
            const int byDe = ts::text::compareGerman(ts::text::view(de), ts::text::view(t.text("deutsch")));
            QVERIFY(byEn > 0 || (byEn == 0 && (byDe < 0 || (byDe == 0 && id < t.integer("ID")))));
            en = t.text("auslaendisch");
            de = t.text("deutsch");
            id = t.integer("ID");
        }
    }

    // A grid's tie-break stays with the grid's ordering: an ordering made
    // elsewhere (a printout) keeps ties in the order they were added, and a
    // guard around it brings the grid's ordering back whole.
    void aTieBreakEndsWithItsOrderingAndAGuardBringsItBack() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "Zug", "b");
        addWord(t, 2, "Ast", "b");
        t.setOrder("auslaendisch", "deutsch");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Ast", "Zug"}));
        {
            const auto guard = ts::CursorGuard::atFirstRow(t);
            t.setOrder("auslaendisch");
            QCOMPARE(column(t, "deutsch"), (QStringList{"Zug", "Ast"}));
        }
        QCOMPARE(t.tieBreak(), QString("deutsch"));
        QCOMPARE(column(t, "deutsch"), (QStringList{"Ast", "Zug"}));
    }

    void unknownOrderFieldIsACatchableErrorAndChangesNothing() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 2, "b", "");
        addWord(t, 1, "a", "");
        t.setOrder("ID");
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.setOrder("ID;gibtsnicht"));
        QCOMPARE(t.order(), QString("ID"));
        QCOMPARE(column(t, "deutsch"), (QStringList{"a", "b"}));
        t.setOrder("DEUTSCH"); // field names in any letter case
        QCOMPARE(column(t, "deutsch"), (QStringList{"a", "b"}));
    }

    void reorderingKeepsTheCurrentRecord() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "c", "");
        addWord(t, 2, "a", "");
        addWord(t, 3, "b", "");
        QVERIFY(t.locate("ID", 3));
        t.setOrder("deutsch");
        QCOMPARE(t.integer("ID"), 3);
        QCOMPARE(t.recNo(), 2);
    }

    void locateIsExactCaseSensitiveAndFailureLeavesTheCursor() {
        Table t("lektion");
        t.addField("ID", ts::FieldType::Integer);
        t.addField("Name", ts::FieldType::String, 100);
        t.addField("Sprache", ts::FieldType::String, 100);
        t.createDataSet();
        auto add = [&](int id, const char* n, const char* s) {
            t.insert();
            t.setValue("ID", id);
            t.setValue("Name", n);
            t.setValue("Sprache", s);
            t.post();
        };
        add(1, "ALLE VOKABELN", "englisch");
        add(2, "ALLE VOKABELN", "französisch");
        add(3, "Lektion 1", "englisch");
        t.setRecNo(3);
        QVERIFY(!t.locate("Name;Sprache", {"ALLE VOKABELN", "Englisch"}));
        QCOMPARE(t.recNo(), 3);
        QVERIFY(!t.locate("Name", "ALLE"));
        QVERIFY(t.locate("Name;Sprache", {"ALLE VOKABELN", "französisch"}));
        QCOMPARE(t.integer("ID"), 2);
        QVERIFY(t.locate("ID", "3")); // by value
        QCOMPARE(t.text("Name"), QString("Lektion 1"));
        QVERIFY(!t.locate("ID", "drei"));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.locate("Name;Sprache", {"x"}));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.locate("Nom", "x"));
    }

    void locateByIdFindsTheFirstVisibleAndFollowsChanges() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        for (int i = 1; i <= 1000; ++i)
            addWord(t, i, QString("w%1").arg(i), "");
        addWord(t, 500, "zweite 500", ""); // identifiers are not unique by force
        t.setOrder("deutsch");
        QVERIFY(t.locate("ID", 500));
        QCOMPARE(t.text("deutsch"), QString("w500"));
        t.edit();
        t.setValue("ID", 5000);
        t.post();
        QVERIFY(t.locate("ID", 500));
        QCOMPARE(t.text("deutsch"), QString("zweite 500"));
        QVERIFY(t.locate("ID", 5000));
        t.deleteRecord();
        QVERIFY(!t.locate("ID", 5000));
        t.setFilter("deutsch LIKE 'w1%'");
        t.setFiltered(true);
        QVERIFY(!t.locate("ID", 500)); // filtered away
        QVERIFY(t.locate("ID", 100));
    }

    // The counts a lesson list shows: over every row whatever the filter,
    // and right after edits and deletes (the index follows them).
    void countOfCountsAllLiveRowsAndFollowsChanges() {
        Table t("w");
        defineWords(t);
        QCOMPARE(t.liveRecordCount(), 0);
        t.createDataSet();
        for (int i = 1; i <= 6; ++i)
            addWord(t, i % 3, QString("w%1").arg(i), i % 2 ? "ungerade" : "gerade");
        t.setFilter("ID = 0");
        t.setFiltered(true);
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.liveRecordCount(), 6);
        QCOMPARE(t.countOf("ID", 1), 2);
        QCOMPARE(t.countOf("id", "2"), 2); // any letter case, a number given as text
        QCOMPARE(t.countOf("ID", 7), 0);
        QCOMPARE(t.countOf("ID", "zwei"), 0);
        QCOMPARE(t.countOf("auslaendisch", "gerade"), 3);
        t.first();
        t.edit();
        t.setValue("ID", 1);
        t.post();
        QCOMPARE(t.countOf("ID", 1), 3);
        QCOMPARE(t.countOf("ID", 0), 1);
        t.setFiltered(false);
        QVERIFY(t.locate("ID", 2));
        t.deleteRecord();
        QCOMPARE(t.countOf("ID", 2), 1);
        QCOMPARE(t.liveRecordCount(), 5);
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.countOf("Nom", 1));
    }

    // The dictionary's sequence: the word itself, the words beginning with
    // it, the rest; each group in the ordering, and kept so by saves.
    void rankingPutsTheWordThenItsBeginningsFirst() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        int id = 0;
        for (const char* w : {"Zeit", "Eimer", "Blei", "Ei", "Arbeit", "eitel", "Baum"})
            addWord(t, ++id, w, "");
        t.setOrder("deutsch");
        t.setFilterCaseInsensitive(true);
        t.setFilter("deutsch LIKE '%ei%'");
        t.setFiltered(true);
        QCOMPARE(column(t, "deutsch"), (QStringList{"Arbeit", "Blei", "Ei", "Eimer", "eitel", "Zeit"}));
        t.rankByMatch("Deutsch", "EI");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Ei", "Eimer", "eitel", "Arbeit", "Blei", "Zeit"}));
        addWord(t, ++id, "Eis", "");
        QCOMPARE(t.text("deutsch"), QString("Eis"));
        QCOMPARE(t.recNo(), 3);
        QVERIFY(t.locate("deutsch", "Zeit"));
        t.edit();
        t.setValue("deutsch", "ei");
        t.post();
        QCOMPARE(t.recNo(), 1);
        QCOMPARE(column(t, "deutsch"), (QStringList{"ei", "Ei", "Eimer", "Eis", "eitel", "Arbeit", "Blei"}));
        {
            // Someone looks at the table differently for a while.
            const auto guard = ts::CursorGuard::byKey(t, "ID");
            t.setFilter("ID = 1");
            QCOMPARE(t.rankText(), QString());
        }
        QCOMPARE(t.rankText(), QString("EI"));
        QCOMPARE(column(t, "deutsch"), (QStringList{"ei", "Ei", "Eimer", "Eis", "eitel", "Arbeit", "Blei"}));
        t.setFiltered(false);
        QCOMPARE(column(t, "deutsch").first(), QString("Arbeit")); // all rows keep the plain ordering
        t.setFiltered(true);
        t.rankByMatch("deutsch", "");
        QCOMPARE(column(t, "deutsch"), (QStringList{"Arbeit", "Blei", "ei", "Ei", "Eimer", "Eis", "eitel"}));
        t.rankByMatch("deutsch", "blei");
        t.setFilter("deutsch LIKE '%e%'"); // another search drops the ranking
        QCOMPARE(t.rankField(), QString());
        QCOMPARE(column(t, "deutsch").first(), QString("Arbeit"));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, t.rankByMatch("Nom", "x"));
    }

    void typeAheadMatchesTheBeginningWithoutRegardToCase() {
        Table t("w");
        defineWords(t);
        t.createDataSet();
        addWord(t, 1, "Zebra", "");
        addWord(t, 2, "Übung", "");
        addWord(t, 3, "über", "");
        addWord(t, 4, "Ufer", "");
        t.setOrder("deutsch");
        QVERIFY(t.locatePrefix("deutsch", "ÜB"));
        QCOMPARE(t.text("deutsch"), QString("über"));
        QVERIFY(t.locatePrefix("deutsch", "uf"));
        QCOMPARE(t.integer("ID"), 4);
        QVERIFY(!t.locatePrefix("deutsch", "x"));
        QCOMPARE(t.integer("ID"), 4);
    }

    void lookedUpFieldsFollowTheOtherTable() {
        Table words("vokabel");
        defineWords(words);
        words.createDataSet();
        addWord(words, 10001, "Hund", "dog");
        addWord(words, 10002, "Katze", "cat");

        Table members("bestehtaus");
        members.addField("LektionsID", ts::FieldType::Integer);
        members.addField("VokabelID", ts::FieldType::Integer);
        members.addLookupField("xdeutsch", ts::FieldType::String, 100, "VokabelID", &words, "ID", "deutsch");
        members.createDataSet();
        for (int v : {10002, 10001, 77}) {
            members.insert();
            members.setValue("LektionsID", 1);
            members.setValue("VokabelID", v);
            QCOMPARE(members.text("xdeutsch"), v == 77 ? QString() : words.lookup(0, v, 1).toString());
            members.post();
        }
        members.setOrder("VokabelID");
        QCOMPARE(column(members, "xdeutsch"), (QStringList{"", "Hund", "Katze"}));
        members.setOrder("xdeutsch");
        QCOMPARE(column(members, "xdeutsch"), (QStringList{"", "Hund", "Katze"}));

        // The words table filtered elsewhere does not hide looked-up words.
        words.setFilter("ID = 10001");
        words.setFiltered(true);
        QVERIFY(members.locate("VokabelID", 10002));
        QCOMPARE(members.text("xdeutsch"), QString("Katze"));
        QVERIFY(members.locate("xdeutsch", "Katze"));
        QVERIFY_THROWS_EXCEPTION(ts::TableError, [&] {
            members.edit();
            members.setValue("xdeutsch", "x");
        }());
        members.cancel();
        QCOMPARE(words.maxInteger("ID"), 10002);
    }
};

QTEST_GUILESS_MAIN(OrderLocateTest)
#include "tst_order_locate.moc"
