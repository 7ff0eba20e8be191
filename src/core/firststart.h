// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

#include <QByteArray>
#include <QString>

namespace core::firststart {

// Fills an empty vocabulary table from the shipped word list: UTF-8, one row
// per line, tab-separated deutsch, auslaendisch, Sachgruppe, Gattung,
// Schwierigkeitsgrad, Bemerkung, after a header line. IDs count from 1.
// Returns the number of rows; throws ts::TableError on a malformed list.
int fillFromWordList(ts::Table& vocabulary, const QByteArray& tsv);

// Creates the data folder when it does not exist and, only then, puts the
// initial files into it: the word list as "englisch.v02" and the manual.
// An existing file is never overwritten. Returns true when the folder was new.
bool prepareDataFolder(const QString& dataFolder, const QByteArray& wordListTsv, const QByteArray& manualPdf);

inline const QString kManualFileName = QStringLiteral("Vokabeltrainer - Handbuch.pdf");

} // namespace core::firststart
