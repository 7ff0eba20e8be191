// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/settingsstore.h"
#include "support/userrows.h"

#include <QTemporaryDir>
#include <memory>

namespace testsupport {

// The program's tables on their own, without a window or a context, in a
// fresh temporary folder: all open and empty but for the user "TestName"
// (language "englisch"), who is the current one.
struct DatabaseFixture {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<core::SettingsStore> settings;
    std::unique_ptr<core::Database> db;

    void openDatabase() {
        db.reset();
        settings.reset();
        dir = std::make_unique<QTemporaryDir>();
        settings = std::make_unique<core::SettingsStore>(dir->filePath("settings.reg"));
        db = std::make_unique<core::Database>(*settings, dir->path());
        for (ts::Table* t : {&db->users, &db->lessons, &db->members, &db->knowledge, &db->vocabulary})
            t->open();
        settings->writeInteger("AktuelleBenutzerID", appendUser(db->users, "TestName", "englisch"));
    }
};

} // namespace testsupport
