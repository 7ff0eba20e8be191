// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database.h"
#include "practiceoptions.h"
#include "services.h"
#include "settingsstore.h"
#include "subjectgroups.h"

#include <memory>

namespace core {

struct AppPaths {
    QString dataFolder; // ends with '/'
    QString settingsFile;
    QString programFolder; // where the program and its manual copy lie
    QString homeFolder;    // the user's home, where backups are proposed; empty: the system's
    // The places a normal run uses.
    static AppPaths standard();
};

struct Services {
    std::unique_ptr<Prompter> prompter;
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<DocumentOpener> opener;
    std::unique_ptr<FolderChooser> folderChooser;
};

// Everything a window needs from the world: created once by main (or by a
// test, with temporary folders and scripted services) and handed to every
// window. No globals.
class AppContext {
public:
    AppContext(AppPaths paths, Services services);

    const AppPaths paths;
    SettingsStore settings;
    Database db;
    PracticeOptions options;
    SubjectGroups subjectGroups;

    Prompter& prompter() { return *services_.prompter; }
    RandomSource& random() { return *services_.random; }
    DocumentOpener& opener() { return *services_.opener; }
    FolderChooser& folderChooser() { return *services_.folderChooser; }

private:
    Services services_;
};

// Uniform numbers from one generator, seeded from the clock on request.
class ClockRandom : public RandomSource {
public:
    int below(int n) override;
    double real() override;
    void seedFromClock() override;

private:
    quint64 state_ = 0x9E3779B97F4A7C15ull;
    quint64 nextRaw();
};

} // namespace core
