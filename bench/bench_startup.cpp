// SPDX-License-Identifier: GPL-3.0-or-later
// Time from creating the main window to a shown, ready window, with a
// 200,000-row vocabulary: the very first start (which builds the lesson
// "ALLE VOKABELN" with every word) and an everyday start.
#include "core/database.h"
#include "core/vocabularyfile.h"
#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "starttime.h"
#include "wordgen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = 200000;
    std::vector<double> first, everyday;
    for (int run = 0; run < 5; ++run) {
        testsupport::TestContext tc;
        QDir().mkpath(tc.dataFolder());
        ts::Table v("v");
        core::Database::defineVocabulary(v);
        v.createDataSet();
        bench::fillVocabulary(v, rows, 42 + run);
        core::vocabularyfile::write(v, tc.dataFile("englisch.v02"));
        first.push_back(bench::timeOneStart(tc));
        tc.make();
        everyday.push_back(bench::timeOneStart(tc));
    }
    std::printf("start-up with %d vocabulary rows, median of 5:\n", rows);
    std::printf("  first start (builds ALLE VOKABELN): %8.1f ms\n", bench::median(first));
    std::printf("  everyday start:                     %8.1f ms\n", bench::median(everyday));
    return 0;
}
