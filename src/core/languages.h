// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace core::languages {

// The languages are the "*.v02" files of the data folder, in the order the
// folder listing returns them, each without its extension.
QStringList list(const QString& dataFolder);

// Why `name` cannot become a new language next to `existing`, or "" when it
// can. Refuses names that are no valid file name and names that differ from
// an existing language only in letter case (the same file on many disks).
QString refusalForNewName(const QString& name, const QStringList& existing);

} // namespace core::languages
