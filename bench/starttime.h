// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/mainform.h"
#include "support/scriptedservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <vector>

namespace bench {

// Milliseconds from creating the main window to a shown, ready window; the
// window is closed again (its close step runs, outside the time).
inline double timeOneStart(testsupport::TestContext& tc) {
    QElapsedTimer t;
    t.start();
    shell::Mainform form(*tc.ctx);
    form.createWindows();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return -1;
    QApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    form.close();
    return ms;
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace bench
