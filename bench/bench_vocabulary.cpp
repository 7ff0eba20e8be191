// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary panel of the real main window over a 200,000-row
// vocabulary: each keystroke's search (filter plus the repainted grid) and a
// re-order by a click on a column title. Not a test: prints medians.
#include "core/database.h"
#include "core/vocabularyfile.h"
#include "databound/grid.h"
#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/dictionarypanel.h"
#include "vocabulary/vocabularysearch.h"
#include "wordgen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double timedMs(QWidget& view, const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    view.repaint(); // the paint the user waits for, not only the model work
    QApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void clickTitle(databound::Grid* g, int column) {
    QHeaderView* h = g->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(column) + 5, 5));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 200000;

    testsupport::TestContext tc;
    QDir().mkpath(tc.dataFolder());
    {
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        v.createDataSet();
        bench::fillVocabulary(v, rows);
        core::vocabularyfile::write(v, tc.dataFile("englisch.v02"));
    }
    shell::Mainform form(*tc.ctx);
    form.createWindows();
    form.resize(1100, 800);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.WoerterbuchClick();
    QApplication::processEvents();
    auto* panel = form.woerterbuch;
    std::printf("dictionary panel over %d vocabulary rows (offscreen, 1100x800), median of 5 rounds\n",
                tc.ctx->db.vocabulary.recordCount());

    const QString word = QStringLiteral("hausaufgabe");
    std::vector<std::vector<double>> typing(size_t(word.size()));
    std::vector<double> clearing, germanTitle, foreignTitle, panelTitle, typeAhead;
    std::vector<int> hits(size_t(word.size()));
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < word.size(); ++i) {
            typing[size_t(i)].push_back(timedMs(*panel, [&] { panel->Edeutsch->setText(word.left(i + 1)); }));
            hits[size_t(i)] = tc.ctx->db.vocabulary.recordCount();
        }
        germanTitle.push_back(timedMs(*panel, [&] { clickTitle(panel->DBGrid1, 0); }));
        clearing.push_back(timedMs(*panel, [&] { panel->Edeutsch->clear(); }));
        foreignTitle.push_back(timedMs(*panel, [&] { clickTitle(panel->DBGrid1, 1); }));
        germanTitle.push_back(timedMs(*panel, [&] { clickTitle(panel->DBGrid1, 0); }));
    }
    for (int i = 0; i < word.size(); ++i)
        std::printf("  keystroke %2d \"%-11s\" %7d hits  %8.2f ms\n", i + 1, qPrintable(word.left(i + 1)),
                    hits[size_t(i)], median(typing[size_t(i)]));
    std::printf("  box emptied (all rows again)          %8.2f ms\n", median(clearing));
    std::printf("  title click, all rows, by deutsch      %8.2f ms\n", median(germanTitle));
    std::printf("  title click, all rows, by foreign word %8.2f ms\n", median(foreignTitle));

    form.VokabelnClick();
    QApplication::processEvents();
    auto* grid = form.vokabelverwaltung->DBGrid2;
    // The panel's search line: both words, the count beside it.
    QLineEdit* search = form.vokabelverwaltung->Suche->ESuchen;
    std::vector<std::vector<double>> searching(size_t(word.size()));
    std::vector<double> searchCleared;
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < word.size(); ++i) {
            searching[size_t(i)].push_back(timedMs(*grid, [&] { search->setText(word.left(i + 1)); }));
            hits[size_t(i)] = tc.ctx->db.vocabulary.recordCount();
        }
        searchCleared.push_back(timedMs(*grid, [&] { search->clear(); }));
    }
    std::printf("vocabulary panel search (both words)\n");
    for (int i = 0; i < word.size(); ++i)
        std::printf("  keystroke %2d \"%-11s\" %7d hits  %8.2f ms\n", i + 1, qPrintable(word.left(i + 1)),
                    hits[size_t(i)], median(searching[size_t(i)]));
    std::printf("  field emptied (all rows, record kept)  %8.2f ms\n", median(searchCleared));
    for (int round = 0; round < 5; ++round) {
        panelTitle.push_back(timedMs(*grid, [&] { clickTitle(grid, round % 2 ? 0 : 2); }));
        typeAhead.push_back(timedMs(*grid, [&] { QTest::keyClick(grid, round % 2 ? Qt::Key_S : Qt::Key_K); }));
    }
    // The engine's share alone, with every view switched off.
    std::vector<double> engineOrder;
    form.DetachVocabularyViews();
    for (int round = 0; round < 5; ++round)
        engineOrder.push_back(timedMs(*grid, [&] {
            tc.ctx->db.vocabulary.setOrder(round % 2 ? QStringLiteral("deutsch") : QStringLiteral("Sachgruppe"));
        }));
    form.AttachVocabularyViews();
    std::printf("engine alone (views off): re-order %8.2f ms\n", median(engineOrder));
    std::printf("vocabulary panel: title click %8.2f ms, type-ahead key %8.2f ms\n", median(panelTitle),
                median(typeAhead));
    form.close();
    return 0;
}
