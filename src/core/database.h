// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsstore.h"
#include "tablestore/table.h"

namespace core {

// The five tables of the program, their fields, files, orderings and the
// rules that hand out identifiers. Owned by the main window for the whole run.
class Database {
public:
    Database(SettingsStore& settings, QString dataFolder);

    ts::Table users{QStringLiteral("Benutzer")};      // benutzer.xml
    ts::Table lessons{QStringLiteral("Lektion")};     // lektion.xml
    ts::Table members{QStringLiteral("BestehtAus")};  // bestehtaus.xml
    ts::Table knowledge{QStringLiteral("Kann")};      // kann.xml
    ts::Table vocabulary{QStringLiteral("Vokabeln")}; // <language>.v02

    SettingsStore& settings() { return settings_; }
    const QString& dataFolder() const { return dataFolder_; } // ends with '/'
    QString vocabularyFilePath(const QString& language) const;

    // Moves the users table to the current user (AktuelleBenutzerID).
    bool locateCurrentUser();
    // The current user's language, "" when there is no current user.
    QString currentLanguage();

    // Writes the loaded vocabulary to the file of the language it was loaded
    // for, even when the current user's language changed in the meantime.
    void WriteVocabularyFile();
    // The users table stands on the current user. When the (empty) table
    // stays the one of this file, a damaged file is best moved aside before
    // the error is raised (the message then says where): a language switch,
    // a backup or the close would otherwise write the table over it.
    enum class IfDamaged { Keep, SetAside };
    void ReadVocabularyFile(IfDamaged damaged = IfDamaged::Keep);
    // The vocabulary file and the four tables, replaced together or not at
    // all (a run ended halfway is completed at the next start).
    void writeAllFiles();
    const QString& loadedLanguage() const { return loadedLanguage_; }
    void RecreateUserTables();
    void RecreateVocabularyTable();

    static void defineUsers(ts::Table& t);
    static void defineKnowledge(ts::Table& t);
    static void defineVocabulary(ts::Table& t);

private:
    void defineTables();
    int nextId(const char* counter, ts::Table& table);

    SettingsStore& settings_;
    QString dataFolder_;
    QString loadedLanguage_;
};

} // namespace core
