// SPDX-License-Identifier: GPL-3.0-or-later
// What a large settings file costs at start: an everyday start of the main
// window with 5,000 subject groups (each a settings key) or 3,000 extra
// values, against the same start with a small settings file.
#include "core/database.h"
#include "core/settingsfile.h"
#include "core/vocabularyfile.h"
#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "starttime.h"
#include "wordgen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

// Adds keys or values to the settings file as another program run (or an
// import) would have left them.
void enlargeSettings(const QString& path, int groups, int values) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return;
    core::settingsfile::Tree t = core::settingsfile::parse(in.readAll());
    in.close();
    for (int i = 0; i < groups; ++i)
        t.key(QStringLiteral("englisch\\Sachgruppe %1").arg(i));
    for (int i = 0; i < values; ++i)
        t.keys[0].values.push_back({QStringLiteral("Zusatz%1").arg(i), true, i, {}});
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(core::settingsfile::format(t));
}

double everydayStart(int groups, int values) {
    std::vector<double> runs;
    testsupport::TestContext tc;
    QDir().mkpath(tc.dataFolder());
    ts::Table v("v");
    core::Database::defineVocabulary(v);
    v.createDataSet();
    bench::fillVocabulary(v, 1000, 42);
    core::vocabularyfile::write(v, tc.dataFile("englisch.v02"));
    bench::timeOneStart(tc); // the first start writes the tables
    enlargeSettings(tc.ctx->settings.filePath(), groups, values);
    for (int run = 0; run < 5; ++run) {
        tc.make();
        runs.push_back(bench::timeOneStart(tc));
    }
    return bench::median(runs);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double plain = everydayStart(0, 0);
    const double groups = everydayStart(5000, 0);
    const double values = everydayStart(0, 3000);
    std::printf("everyday start with 1,000 words, median of 5:\n");
    std::printf("  small settings file:     %8.1f ms\n", plain);
    std::printf("  5,000 subject groups:    %8.1f ms  (%+.1f ms)\n", groups, groups - plain);
    std::printf("  3,000 extra values:      %8.1f ms  (%+.1f ms)\n", values, values - plain);
    return 0;
}
