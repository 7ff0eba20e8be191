// SPDX-License-Identifier: GPL-3.0-or-later
// Random tables and random expressions, each run through our filter and
// through SQLite's WHERE; both must select the same rows.
#include "tablestore/table.h"

#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

using ts::Table;

namespace {

struct Gen {
    QRandomGenerator rng;
    explicit Gen(quint32 seed) : rng(seed) {}
    int below(int n) { return int(rng.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    QString word(bool forPattern) {
        static const QString plain = "aAbBcC'xy ";
        static const QString wild = "aAbBcC'%_";
        const QString& from = forPattern ? wild : plain;
        QString s;
        const int n = below(5);
        for (int i = 0; i < n; ++i)
            s += from.at(below(int(from.size())));
        return s;
    }

    QString quote(const QString& s) { return "'" + QString(s).replace("'", "''") + "'"; }

    QString comparison() {
        static const QStringList ops{"=", "<>", "<", ">", "<=", ">="};
        const QString op = ops.at(below(int(ops.size())));
        switch (below(7)) {
        case 0:
            return QString("n %1 %2").arg(op).arg(below(7) - 1);
        case 1:
            return QString("n %1 '%2'").arg(op).arg(below(6));
        case 2:
            return QString("x %1 %2").arg(op).arg(below(5) - 1);
        case 3:
            return QString("a %1 %2").arg(op, quote(word(false)));
        case 4:
            return QString("b %1 a").arg(op);
        case 5:
            return QString("%1 %2 IS %3NULL").arg(chance(50) ? "a" : "n", "").arg(chance(50) ? "NOT " : "");
        default:
            return QString("%1 %2LIKE %3").arg(chance(70) ? "a" : "b", chance(30) ? "NOT " : "", quote(word(true)));
        }
    }

    QString expression(int depth) {
        if (depth == 0 || chance(35))
            return comparison();
        switch (below(3)) {
        case 0:
            return "(" + expression(depth - 1) + " AND " + expression(depth - 1) + ")";
        case 1:
            return "(" + expression(depth - 1) + " OR " + expression(depth - 1) + ")";
        default:
            return "NOT (" + expression(depth - 1) + ")";
        }
    }
};

} // namespace

class FilterVsSqliteTest : public QObject {
    Q_OBJECT

    static QList<int> sqliteIds(sqlite3* db, const QString& where) {
        QList<int> ids;
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = ("SELECT id FROM t WHERE " + where + " ORDER BY id").toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            qFatal("sqlite rejected %s: %s", sql.constData(), sqlite3_errmsg(db));
        while (sqlite3_step(st) == SQLITE_ROW)
            ids << sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return ids;
    }

    static QList<int> ourIds(Table& t) {
        QList<int> ids;
        t.first();
        while (!t.eof()) {
            ids << t.integer("id");
            t.next();
        }
        return ids;
    }

    void run(bool caseInsensitive) {
        int compared = 0;
        for (quint32 seed = 1; seed <= 25; ++seed) {
            Gen g(seed * 7919 + (caseInsensitive ? 1 : 0));
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
            const char* collate = caseInsensitive ? "COLLATE NOCASE" : "";
            const QByteArray ddl =
                QString("CREATE TABLE t (id INTEGER, a TEXT %1, b TEXT %1, n INTEGER, x REAL)").arg(collate).toUtf8();
            sqlite3_exec(db, ddl.constData(), nullptr, nullptr, nullptr);
            sqlite3_exec(db, caseInsensitive ? "PRAGMA case_sensitive_like=OFF" : "PRAGMA case_sensitive_like=ON",
                         nullptr, nullptr, nullptr);

            Table t("t");
            t.addField("id", ts::FieldType::Integer);
            t.addField("a", ts::FieldType::String, 100);
            t.addField("b", ts::FieldType::String, 100);
            t.addField("n", ts::FieldType::Integer);
            t.addField("x", ts::FieldType::Float);
            t.createDataSet();
            for (int id = 1; id <= 60; ++id) {
                const QVariant a = g.chance(10) ? QVariant() : QVariant(g.word(false));
                const QVariant b = g.chance(10) ? QVariant() : QVariant(g.word(false));
                const QVariant n = g.chance(10) ? QVariant() : QVariant(g.below(7) - 1);
                const QVariant x = g.chance(10) ? QVariant() : QVariant((g.below(9) - 2) * 0.5);
                t.insert();
                t.setValue("id", id);
                t.setValue("a", a);
                t.setValue("b", b);
                t.setValue("n", n);
                t.setValue("x", x);
                t.post();
                auto lit = [&g](const QVariant& v) {
                    if (!v.isValid())
                        return QString("NULL");
                    return v.typeId() == QMetaType::QString ? g.quote(v.toString()) : v.toString();
                };
                const QByteArray ins = QString("INSERT INTO t VALUES (%1, %2, %3, %4, %5)")
                                           .arg(id)
                                           .arg(lit(a), lit(b), lit(n), lit(x))
                                           .toUtf8();
                QCOMPARE(sqlite3_exec(db, ins.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            }
            t.setFilterCaseInsensitive(caseInsensitive);
            t.setFiltered(true);
            for (int e = 0; e < 200; ++e) {
                const QString expr = g.expression(3);
                t.setFilter(expr);
                const QList<int> ours = ourIds(t);
                const QList<int> theirs = sqliteIds(db, expr);
                if (ours != theirs)
                    QFAIL(qPrintable(QString("seed %1: %2\n ours:   %3\n sqlite: %4")
                                         .arg(seed)
                                         .arg(expr)
                                         .arg(QDebug::toString(ours), QDebug::toString(theirs))));
                ++compared;
            }
            sqlite3_close(db);
        }
        QCOMPARE(compared, 25 * 200);
    }

private slots:
    void caseSensitiveSelectsTheSameRows() { run(false); }
    void caseInsensitiveSelectsTheSameRows() { run(true); }
};

QTEST_GUILESS_MAIN(FilterVsSqliteTest)
#include "tst_filter_vs_sqlite.moc"
