// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Care of the data folder's files as files: what a damaged one becomes, and
// what an ended run may have left behind.
namespace core::datafiles {

// Put down while the files of one save are renamed into place.
inline constexpr char kSaveMarker[] = "speichervorgang.offen";

// Moves a file that could not be read out of the way under a new name, so
// that nothing written later can replace it; returns the new name, empty
// when it could not be moved.
QString setAside(const QString& path);

// At start, holding the data folder's lock: completes a save that was ended
// while its files were renamed into place, and removes temporary files a
// save ended earlier left. Returns the names of the files removed or
// completed, for the log.
QStringList tidyAtStart(const QString& dataFolder);

} // namespace core::datafiles
