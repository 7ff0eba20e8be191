// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/tableerror.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

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
// Kept in one text file, written atomically. Every call looks at the file
// and reads it again when it changed (size, modification time, inode), so a
// change made by another running copy is seen at the next call without
// parsing an unchanged file over and over. Names are compared without regard
// to letter case; a name keeps the spelling it was first written with. Reads
// never fail: a missing value, a value of the other type, an unreadable file
// or one larger than settingsfile::kMaxFileSize reads as 0 or "".
class SettingsStore {
public:
    explicit SettingsStore(QString filePath);
    ~SettingsStore();

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

    // From now on a write the file refuses (a full disk, a read-only folder)
    // does not end the operation that made it: the value holds in memory for
    // the rest of the run, goes into the file with the next write that
    // succeeds, and `refused` is told once, with the system's reason.
    // Without this call such a write throws SettingsError.
    void keepRefusedWrites(std::function<void(const QString& reason)> refused);
    // Values written in this run that are not in the file.
    bool hasUnsavedValues() const { return !unsaved_.empty(); }

private:
    using Change = std::function<bool(settingsfile::Tree&)>; // false: nothing changed
    struct Stamp;
    const settingsfile::Tree& load() const;
    void change(const QString& name, const Change& apply);

    QString path_;
    mutable std::unique_ptr<settingsfile::Tree> cache_;
    mutable std::unique_ptr<Stamp> stamp_; // of the file the cache was read from
    std::vector<Change> unsaved_;          // replayed over a file read again
    std::function<void(const QString&)> refused_;
    bool toldRefusal_ = false;
};

} // namespace core
