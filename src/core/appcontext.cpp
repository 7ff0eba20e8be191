// SPDX-License-Identifier: GPL-3.0-or-later
#include "appcontext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace core {

AppPaths AppPaths::standard() {
    AppPaths p;
    p.dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/Moriva Vokabeltrainer/");
    p.settingsFile = SettingsStore::defaultFilePath();
    p.programFolder = QCoreApplication::applicationDirPath();
    p.homeFolder = QDir::homePath();
    return p;
}

AppContext::AppContext(AppPaths p, Services services)
    : paths(std::move(p)), settings(paths.settingsFile), db(settings, paths.dataFolder), subjectGroups(settings),
      services_(std::move(services)) {}

// splitmix64: small, fast and good enough for drawing questions.
quint64 ClockRandom::nextRaw() {
    quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int ClockRandom::below(int n) {
    return n <= 0 ? 0 : int(nextRaw() % quint64(n));
}

double ClockRandom::real() {
    return double(nextRaw() >> 11) * (1.0 / 9007199254740992.0);
}

void ClockRandom::seedFromClock() {
    state_ = quint64(QDateTime::currentMSecsSinceEpoch()) * 1000003ull;
}

} // namespace core
