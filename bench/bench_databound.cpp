// SPDX-License-Identifier: GPL-3.0-or-later
// The grid over a 200,000-row vocabulary table, offscreen. Not a test: prints
// the median of several runs per operation, with the engine's share alone
// (link off) beside it where that tells how much the views add.
#include "core/database.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "wordgen.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void settle(QWidget& w) {
    w.repaint(); // the paint a user would wait for, not only the model work
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 200000;

    ts::Table t("Vokabeln");
    core::Database::defineVocabulary(t);
    t.createDataSet();
    bench::fillVocabulary(t, rows);
    t.setOrder("deutsch");
    t.first();

    databound::DataSource ds(&t);
    databound::Grid grid;
    grid.setDataSource(&ds);
    grid.setColumns({{"deutsch", {}, 160},
                     {"auslaendisch", "Englisch", 160},
                     {"Sachgruppe", {}, 120},
                     {"Gattung", {}, 90},
                     {"Schwierigkeitsgrad", {}, 60},
                     {"Bemerkung", {}, 160}});
    grid.resize(1000, 700);
    grid.show();
    settle(grid);
    std::printf("grid over %d rows (offscreen, 1000x700), median of 5 runs\n", t.recordCount());

    auto filterSwitch = [&] {
        t.setFiltered(!t.isFiltered());
        settle(grid);
    };
    t.setFilter("Gattung = 'Substantiv'");
    const quint64 reads0 = grid.tableModel()->valueReads();
    const double withGrid = medianMs(6, filterSwitch);
    const quint64 readsPerSwitch = (grid.tableModel()->valueReads() - reads0) / 6;
    ds.setEnabled(false);
    const double engineOnly = medianMs(6, [&] { t.setFiltered(!t.isFiltered()); });
    ds.setEnabled(true);
    t.setFiltered(false);
    settle(grid);
    std::printf("  %-44s %8.2f ms  (engine alone %.2f ms; %llu values read)\n",
                "filter on/off with model reset + paint", withGrid, engineOnly,
                static_cast<unsigned long long>(readsPerSwitch));

    std::printf("  %-44s %8.2f ms\n", "scroll to the end + paint", medianMs(5, [&] {
                                                                       grid.scrollToTop();
                                                                       settle(grid);
                                                                       grid.scrollToBottom();
                                                                       settle(grid);
                                                                   }) / 2);
    std::printf("  %-44s %8.2f ms\n", "cursor to the last record (t.last) + paint", medianMs(5, [&] {
                                                                                        t.first();
                                                                                        settle(grid);
                                                                                        t.last();
                                                                                        settle(grid);
                                                                                    }) / 2);
    int target = rows - 1000;
    std::printf("  %-44s %8.2f ms\n", "select a row far down in the grid + paint", medianMs(5, [&] {
                    grid.setCurrentIndex(grid.model()->index(target, 0));
                    settle(grid);
                    target -= 17;
                }));
    std::printf("  %-44s %8.2f ms\n", "model reset alone (link switched on)", medianMs(5, [&] {
                    ds.setEnabled(false);
                    ds.setEnabled(true);
                    settle(grid);
                }));

    auto walk = [&] {
        for (t.first(); !t.eof(); t.next()) {}
    };
    ds.setEnabled(false);
    const double off = medianMs(3, walk);
    ds.setEnabled(true);
    settle(grid);
    const double on = medianMs(3, walk);
    settle(grid);
    std::printf("  %-44s %8.2f ms  (link on: %.2f ms, %.2f us per record)\n", "walk every record, link off", off, on,
                on * 1000.0 / rows);

    // A member grid whose word column is chosen from all the vocabulary.
    ts::Table members("BestehtAus");
    members.addField("LektionsID", ts::FieldType::Integer);
    members.addField("VokabelID", ts::FieldType::Integer);
    members.addLookupField("xdeutsch", ts::FieldType::String, 100, "VokabelID", &t, "ID", "deutsch");
    members.createDataSet();
    for (int i = 0; i < 50; ++i) {
        members.insert();
        members.setValue("LektionsID", 1);
        members.setValue("VokabelID", rows - i * 997);
        members.post();
    }
    members.first();
    databound::DataSource memberSource(&members);
    databound::Grid memberGrid;
    memberGrid.setDataSource(&memberSource);
    memberGrid.setColumns({{"xdeutsch", "deutsch", 200}});
    memberGrid.setInPlaceEditing(true);
    memberGrid.resize(400, 400);
    memberGrid.show();
    settle(memberGrid);
    std::printf("  %-44s %8.2f ms\n", "open the word chooser of a member + popup", medianMs(5, [&] {
                    memberGrid.edit(memberGrid.model()->index(0, 0));
                    auto* combo = memberGrid.findChild<QComboBox*>();
                    combo->showPopup();
                    QApplication::processEvents();
                    combo->hidePopup();
                    memberGrid.closePersistentEditor(memberGrid.model()->index(0, 0));
                    memberGrid.setFocus();
                    QApplication::processEvents();
                }));
    return 0;
}
