// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database.h"

#include <QStringList>

namespace core::backup {

// Writes every vocabulary file of the data folder and the four tables into
// `folder`. Returns the problems met (German, one line each); empty when
// everything was written. Files are written whole or not at all.
QStringList backUp(Database& db, const QString& folder);

// Checks the whole copy in `folder` before anything is replaced: the four
// tables must be there and readable, and so must every vocabulary file.
// Returns the problems; nothing was changed when there are any.
QStringList checkCopy(const QString& folder);

// Replaces the data by the copy in `folder` (checked with checkCopy first)
// and raises the three counters to the largest identifiers restored.
// Returns the problems met; an empty list means a complete restore.
// `changed` tells whether anything in the data folder was replaced: a copy
// that cannot be read or written in full changes nothing.
QStringList restore(Database& db, const QString& folder, bool* changed = nullptr);

} // namespace core::backup
