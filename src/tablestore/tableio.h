// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage.h"

#include <QByteArray>

// The two file forms of a table. Both store the field definitions (name, type,
// size) and the live rows in insertion order; an empty (null) value is kept
// apart from an empty text.
namespace ts::io {

QByteArray writeXml(const TableData& data);
QByteArray writeCompact(const TableData& data);

// Reads either form (told apart by the first bytes). Throws TableError with a
// German message on anything malformed; never returns half a table.
TableData read(const QByteArray& bytes);

// Fits loaded data to the fields a program defined: columns are matched by
// name (any letter case), missing ones stay empty, extra ones are kept, and
// the looked-up fields of the definition are added. No definition: as loaded.
TableData shapeTo(TableData&& loaded, const std::vector<FieldDef>& defined);

} // namespace ts::io
