// SPDX-License-Identifier: GPL-3.0-or-later
// Table engine against SQLite on the same vocabulary rows. Not a test: prints
// one line per operation (median of several runs) with both times and ratio.
#include "core/database.h"
#include "core/vocabularyfile.h"
#include "wordgen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <malloc.h>
#include <unistd.h>

namespace {

double medianMs(int runs, const std::function<void()>& work, double* first = nullptr) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        if (i == 0 && first)
            *first = ms.back();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

long rssKb() {
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

void line(const char* op, double ours, double theirs, const QString& extra = {}) {
    std::printf("  %-34s %9.2f ms  %9.2f ms  %6.2fx  %s\n", op, ours, theirs, theirs > 0 ? ours / theirs : 0.0,
                qPrintable(extra));
}

void exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", err);
        std::exit(1);
    }
}

void copyDb(sqlite3* from, sqlite3* to) {
    sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
    sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
}

void runSize(int rows, int runs) {
    QTemporaryDir dir;
    core::SettingsStore settings(dir.filePath("s.reg"));
    const QString file = dir.filePath("englisch.v02");

    ts::Table t("Vokabeln");
    core::Database::defineVocabulary(t);
    t.setOrder("ID");
    t.createDataSet();
    bench::fillVocabulary(t, rows);
    core::vocabularyfile::write(t, file);
    const qint64 fileBytes = QFileInfo(file).size();

    // The same rows in an SQLite database file.
    const QByteArray dbPath = dir.filePath("v.sqlite").toUtf8();
    sqlite3* disk = nullptr;
    sqlite3_open(dbPath.constData(), &disk);
    exec(disk, "CREATE TABLE v (ID INTEGER PRIMARY KEY, deutsch TEXT, auslaendisch TEXT, Sachgruppe TEXT, "
               "Gattung TEXT, Schwierigkeitsgrad INTEGER, Bemerkung TEXT); BEGIN");
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(disk, "INSERT INTO v VALUES (?,?,?,?,?,?,?)", -1, &ins, nullptr);
    t.first();
    while (!t.eof()) {
        sqlite3_bind_int(ins, 1, t.integer("ID"));
        QByteArray cols[5];
        const char* names[] = {"deutsch", "auslaendisch", "Sachgruppe", "Gattung", "Bemerkung"};
        for (int c = 0; c < 5; ++c)
            cols[c] = t.text(names[c]).toUtf8();
        for (int c = 0; c < 4; ++c)
            sqlite3_bind_text(ins, c + 2, cols[c].constData(), -1, SQLITE_STATIC);
        sqlite3_bind_int(ins, 6, t.integer("Schwierigkeitsgrad"));
        sqlite3_bind_text(ins, 7, cols[4].constData(), -1, SQLITE_STATIC);
        sqlite3_step(ins);
        sqlite3_reset(ins);
        t.next();
    }
    sqlite3_finalize(ins);
    exec(disk, "COMMIT");

    std::printf("\n%d rows (vocabulary file %.1f MB)            ours         SQLite   ratio\n", rows,
                double(fileBytes) / 1e6);

    // Load and save.
    ts::Table v("Vokabeln");
    core::Database::defineVocabulary(v);
    v.setOrder("ID");
    malloc_trim(0);
    const long before = rssKb();
    const double load = medianMs(runs, [&] { core::vocabularyfile::read(v, file); });
    malloc_trim(0); // what the parser used in passing goes back
    const long after = rssKb();
    sqlite3* mem = nullptr;
    const double sqlLoad = medianMs(runs, [&] {
        if (mem)
            sqlite3_close(mem);
        sqlite3_open(":memory:", &mem);
        copyDb(disk, mem);
    });
    line("load", load, sqlLoad);
    const QString out = dir.filePath("out.v02");
    const double save = medianMs(runs, [&] { core::vocabularyfile::write(v, out); });
    const double sqlSave = medianMs(runs, [&] {
        QFile::remove(dir.filePath("out.sqlite"));
        sqlite3* o = nullptr;
        sqlite3_open(dir.filePath("out.sqlite").toUtf8().constData(), &o);
        copyDb(mem, o);
        sqlite3_close(o);
    });
    line("save", save, sqlSave);

    // Case-insensitive contains filter with its record count.
    int ourCount = 0, sqlCount = 0;
    v.setFilterCaseInsensitive(true);
    double coldFilter = 0;
    const double filter = medianMs(
        runs * 3,
        [&] {
            v.setFilter("deutsch LIKE '%haus%'");
            v.setFiltered(true);
            ourCount = v.recordCount();
            v.setFiltered(false);
        },
        &coldFilter);
    sqlite3_stmt* like = nullptr;
    sqlite3_prepare_v2(mem, "SELECT ID FROM v WHERE deutsch LIKE '%haus%'", -1, &like, nullptr);
    const double sqlFilter = medianMs(runs * 3, [&] {
        sqlCount = 0;
        while (sqlite3_step(like) == SQLITE_ROW)
            ++sqlCount;
        sqlite3_reset(like);
    });
    sqlite3_finalize(like);
    line("filter LIKE '%haus%' + count", filter, sqlFilter,
         QString("rows %1/%2, first run %3 ms").arg(ourCount).arg(sqlCount).arg(coldFilter, 0, 'f', 2));

    // Ordering by the German word.
    double coldOrder = 0;
    const double order = medianMs(
        runs,
        [&] {
            v.setOrder("ID");
            QElapsedTimer tm;
            v.setOrder("deutsch");
        },
        &coldOrder);
    double idOrder = medianMs(runs, [&] { v.setOrder("ID"); });
    exec(mem, "CREATE INDEX vd ON v (deutsch)");
    sqlite3_stmt* ord = nullptr;
    sqlite3_prepare_v2(mem, "SELECT ID FROM v ORDER BY deutsch", -1, &ord, nullptr);
    const double sqlOrder = medianMs(runs, [&] {
        while (sqlite3_step(ord) == SQLITE_ROW) {}
        sqlite3_reset(ord);
    });
    sqlite3_finalize(ord);
    line("order by deutsch (incl. back to ID)", order, sqlOrder,
         QString("first run %1 ms, ID alone %2 ms").arg(coldOrder, 0, 'f', 2).arg(idOrder, 0, 'f', 2));

    // 10,000 locates by ID.
    QRandomGenerator rng(7);
    std::vector<int> ids(10000);
    for (int& id : ids)
        id = int(rng.bounded(rows)) + 1;
    int found = 0;
    const double loc = medianMs(runs, [&] {
        found = 0;
        for (int id : ids)
            found += v.locate("ID", id) ? 1 : 0;
    });
    sqlite3_stmt* pk = nullptr;
    sqlite3_prepare_v2(mem, "SELECT * FROM v WHERE ID = ?", -1, &pk, nullptr);
    const double sqlLoc = medianMs(runs, [&] {
        for (int id : ids) {
            sqlite3_bind_int(pk, 1, id);
            sqlite3_step(pk);
            sqlite3_reset(pk);
        }
    });
    sqlite3_finalize(pk);
    line("10,000 locates by ID", loc, sqlLoc, QString("found %1").arg(found));

    // Walking every record, reading one text.
    qint64 chars = 0;
    const int de = v.field("deutsch");
    const double walk = medianMs(runs, [&] {
        chars = 0;
        v.first();
        while (!v.eof()) {
            chars += v.value(de).toString().size();
            v.next();
        }
    });
    sqlite3_stmt* all = nullptr;
    sqlite3_prepare_v2(mem, "SELECT * FROM v", -1, &all, nullptr);
    const double sqlWalk = medianMs(runs, [&] {
        while (sqlite3_step(all) == SQLITE_ROW)
            sqlite3_column_text(all, 1);
        sqlite3_reset(all);
    });
    sqlite3_finalize(all);
    line("walk every record", walk, sqlWalk);

    std::printf("  memory: table %.1f MB by count, RSS +%.1f MB after load; file %.1f MB (ratio %.2f)\n",
                double(v.memoryBytes()) / 1e6, double(after - before) / 1024.0, double(fileBytes) / 1e6,
                double(v.memoryBytes()) / double(fileBytes));
    sqlite3_close(mem);
    sqlite3_close(disk);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("Table engine benchmark (median of runs)\n");
    runSize(14000, 9);
    runSize(200000, 5);
    return 0;
}
