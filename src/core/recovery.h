// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database.h"
#include "services.h"

#include <QString>

// What the start-up and a restore recover when the settings do not fit the
// data folder: a settings file that was lost, damaged, or belongs to
// another copy of the data.
namespace core::recovery {

// Looks at the settings file before anything reads it. A file this program
// cannot have written whole is renamed aside, so that nothing overwrites
// it; returns the German message for the user then, else "".
QString setAsideDamagedSettings(const QString& settingsFile);

// Once per run, before anything reads the settings: a damaged file is put
// aside (the user is told where), and from then on a settings write the
// file refuses is said once and the run goes on with the values in memory.
void prepareSettings(SettingsStore& settings, Prompter& prompter);

// The largest `ID` in a vocabulary file, 0 when it has none or cannot be
// read. Reads the identifiers only, not the table.
int largestVocabularyId(const QString& path);

// Raises LastBenutzerID, LastLektionID and LastVokID to the largest
// identifiers in the open tables and in every vocabulary file of the data
// folder, so no identifier in use is handed out again.
void raiseCounters(Database& db);

// When AktuelleBenutzerID names no user, the first user in name order
// becomes the current user. Returns whether the users table stands on the
// current user.
bool ensureCurrentUser(Database& db);

} // namespace core::recovery
