// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/tableerror.h"

#include <QString>
#include <QStringList>

namespace core {

namespace settingsfile {
struct Tree;
}

// A write the settings file refused. Shown to the user like any engine error.
class SettingsError : public ts::TableError {
public:
    using ts::TableError::TableError;
};

// The program's settings: named integer and text values under one key, plus
// a tree of subkeys (one per language, one per subject group below it).
//
// Kept in one text file that is read afresh on every call, so a change made
// by another running copy is seen at once, and written atomically. Names are
// compared without regard to letter case; a name keeps the spelling it was
// first written with. Reads never fail: a missing value, a value of the other
// type or an unreadable file reads as 0 or "".
class SettingsStore {
public:
    explicit SettingsStore(QString filePath);

    // <config folder>/Moriva Software/Vokabeltrainer.reg
    static QString defaultFilePath();
    const QString& filePath() const { return path_; }

    void writeString(const QString& name, const QString& value);
    void writeInteger(const QString& name, int value);
    int readInteger(const QString& name) const;
    QString readString(const QString& name) const;

    // Direct subkeys of `path` ("" is the program's key; "englisch" a
    // language), in alphabetical order without regard to case. A backslash in
    // `path` separates levels.
    QStringList subkeys(const QString& path) const;
    void createSubkey(const QString& path);

private:
    settingsfile::Tree load() const;
    void save(const settingsfile::Tree& tree, const QString& failedName) const;

    QString path_;
};

} // namespace core
