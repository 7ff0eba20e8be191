// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace core::languages {

// The languages are the "*.v02" files of the data folder, each without its
// extension, in German alphabetical order (the folder's own order is
// whatever the disk keeps).
QStringList list(const QString& dataFolder);

// A short code for a language's name, for pictures: the ISO 639-1 code of
// the languages the program knows by their German name ("englisch" → "en"),
// otherwise its first two letters.
QString code(const QString& language);

// Why `name` cannot become a new language next to `existing`, or "" when it
// can. Refuses names that are no valid file name and names that differ from
// an existing language only in letter case (the same file on many disks).
QString refusalForNewName(const QString& name, const QStringList& existing);

} // namespace core::languages
