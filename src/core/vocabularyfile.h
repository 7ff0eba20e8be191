// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

// A language's vocabulary file: the table's XML form with every byte
// combined with one fixed mask byte, so the file is no plain-text XML.
namespace core::vocabularyfile {

constexpr char kMaskByte = char(0xA7);

QByteArray mask(QByteArray bytes); // the same call removes the mask again

// Far more than the program writes for any list a person could type.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;

QByteArray bytes(ts::Table& vocabulary); // the file's content

// Writes atomically: the old file stays whole until the new one is complete.
void write(ts::Table& vocabulary, const QString& path);

// Loads the file into `vocabulary`. An unreadable or damaged file raises a
// German message (ts::DamagedFile for a damaged one) and leaves the table and
// the file as they were.
void read(ts::Table& vocabulary, const QString& path);
// The same for bytes already read; `path` only names the file in the message.
void load(ts::Table& vocabulary, const QByteArray& maskedBytes, const QString& path);

} // namespace core::vocabularyfile
