// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup.h"
#include "tablestore/tableerror.h"
#include "vocabularyfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace core::backup {

namespace {

const char* const kTableFiles[] = {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml"};

std::vector<ts::Table*> tablesOf(Database& db) { return {&db.users, &db.lessons, &db.members, &db.knowledge}; }

// Copies through a temporary file, so an interrupted copy never leaves a
// half file under the real name.
QString copyWhole(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Datei %1 kann nicht gelesen werden. %2").arg(QDir::toNativeSeparators(from), in.errorString());
    const QByteArray bytes = in.readAll();
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(QDir::toNativeSeparators(to), out.errorString());
    return {};
}

QStringList vocabularyFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.v02")}, QDir::Files, QDir::Unsorted);
}

void raise(SettingsStore& settings, const char* counter, int largest) {
    if (largest > settings.readInteger(counter))
        settings.writeInteger(counter, largest);
}

} // namespace

QStringList backUp(Database& db, const QString& folder) {
    QStringList problems;
    if (folder.trimmed().isEmpty())
        return {QStringLiteral("Bitte wählen Sie zuerst ein Verzeichnis aus.")};
    const QDir target(folder);
    if (!target.exists())
        return {QStringLiteral("Das Verzeichnis %1 gibt es nicht.").arg(QDir::toNativeSeparators(folder))};
    db.WriteVocabularyFile();
    for (const QString& f : vocabularyFiles(db.dataFolder())) {
        const QString problem = copyWhole(db.dataFolder() + f, target.filePath(f));
        if (!problem.isEmpty())
            problems << problem;
    }
    const auto tables = tablesOf(db);
    for (size_t i = 0; i < tables.size(); ++i) {
        try {
            tables[i]->saveToFile(target.filePath(QString::fromLatin1(kTableFiles[i])));
        } catch (const ts::TableError& e) {
            problems << e.message();
        }
    }
    return problems;
}

QStringList checkCopy(const QString& folder) {
    QStringList problems;
    const QDir source(folder);
    if (folder.trimmed().isEmpty() || !source.exists())
        return {QStringLiteral("Das Verzeichnis %1 gibt es nicht.").arg(QDir::toNativeSeparators(folder))};
    for (const char* name : kTableFiles) {
        ts::Table probe(QString::fromLatin1(name));
        try {
            probe.loadFromFile(source.filePath(QString::fromLatin1(name)));
        } catch (const ts::TableError& e) {
            problems << e.message();
        }
    }
    for (const QString& f : vocabularyFiles(folder)) {
        ts::Table probe(QStringLiteral("Vokabeln"));
        Database::defineVocabulary(probe);
        try {
            vocabularyfile::read(probe, source.filePath(f));
        } catch (const ts::TableError& e) {
            problems << e.message();
        }
    }
    return problems;
}

QStringList restore(Database& db, const QString& folder) {
    QStringList problems = checkCopy(folder);
    if (!problems.isEmpty())
        return problems;
    const QDir source(folder);
    int largestWord = 0;
    for (const QString& f : vocabularyFiles(folder)) {
        // Read and written again, so the copy lands in the program's own form.
        ts::Table words(QStringLiteral("Vokabeln"));
        Database::defineVocabulary(words);
        try {
            vocabularyfile::read(words, source.filePath(f));
            vocabularyfile::write(words, db.dataFolder() + f);
            largestWord = std::max(largestWord, words.maxInteger(QStringLiteral("ID")));
        } catch (const ts::TableError& e) {
            problems << e.message();
        }
    }
    const auto tables = tablesOf(db);
    for (size_t i = 0; i < tables.size(); ++i) {
        tables[i]->loadFromFile(source.filePath(QString::fromLatin1(kTableFiles[i])));
        tables[i]->saveToFile(tables[i]->fileName());
    }
    auto& settings = db.settings();
    db.users.first();
    if (settings.readInteger("AktuelleBenutzerID") == 0 && !db.users.isEmpty())
        settings.writeInteger("AktuelleBenutzerID", db.users.integer("ID"));
    db.locateCurrentUser();
    try {
        db.ReadVocabularyFile();
    } catch (const ts::TableError& e) {
        problems << e.message();
    }
    raise(settings, "LastBenutzerID", db.users.maxInteger(QStringLiteral("ID")));
    raise(settings, "LastLektionID", db.lessons.maxInteger(QStringLiteral("ID")));
    raise(settings, "LastVokID", std::max(largestWord, db.vocabulary.isOpen() ? db.vocabulary.maxInteger("ID") : 0));
    for (ts::Table* t : {&db.users, &db.lessons, &db.vocabulary})
        if (t->isOpen())
            t->setOrder(QStringLiteral("ID"));
    return problems;
}

} // namespace core::backup
