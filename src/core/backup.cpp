// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup.h"
#include "recovery.h"
#include "tablestore/tableerror.h"
#include "vocabularyfile.h"

#include <QDir>
#include <QFile>
#include "tablestore/wholefile.h"
#include "fieldnames.h"

namespace core::backup {

namespace {

const char* const kTableFiles[] = {"benutzer.xml", "lektion.xml", "bestehtaus.xml", "kann.xml"};

std::vector<ts::Table*> tablesOf(Database& db) {
    return {&db.users, &db.lessons, &db.members, &db.knowledge};
}

// Copies through a temporary file, so an interrupted copy never leaves a
// half file under the real name.
QString copyWhole(const QString& from, const QString& to) {
    // The same guarded read as every load: a pipe or a device among the
    // files would otherwise hold the copy for ever.
    const qint64 limit = from.endsWith(QLatin1String(".v02")) ? vocabularyfile::kMaxFileBytes : ts::kMaxTableFileBytes;
    const ts::FileRead in = ts::readWholeFile(from, limit);
    if (in.problem != ts::FileRead::Problem::None)
        return QStringLiteral("Datei %1 kann nicht gelesen werden. (%2)")
            .arg(QDir::toNativeSeparators(from), in.reason);
    const QString problem = ts::writeWholeFile(to, in.bytes);
    if (!problem.isEmpty())
        return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(QDir::toNativeSeparators(to), problem);
    return {};
}

QStringList vocabularyFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.v02")}, QDir::Files, QDir::Unsorted);
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

QStringList restore(Database& db, const QString& folder, bool* changed) {
    if (changed)
        *changed = false;
    QStringList problems = checkCopy(folder);
    if (!problems.isEmpty())
        return problems;
    const QDir source(folder);

    // Every file is read and turned into the program's own form first, then
    // all are written beside their targets and put in place only when every
    // one of them was written: a full disk or a refused folder leaves the
    // data folder and the open tables exactly as they were.
    std::vector<std::pair<QString, QByteArray>> files;
    try {
        for (const QString& f : vocabularyFiles(folder)) {
            ts::Table words(QStringLiteral("Vokabeln"));
            Database::defineVocabulary(words);
            vocabularyfile::read(words, source.filePath(f));
            files.emplace_back(db.dataFolder() + f, vocabularyfile::mask(words.saveToBuffer(ts::Table::Format::Xml)));
        }
        const auto tables = tablesOf(db);
        for (size_t i = 0; i < tables.size(); ++i) {
            ts::Table copy(tables[i]->name());
            copy.loadFromFile(source.filePath(QString::fromLatin1(kTableFiles[i])));
            files.emplace_back(tables[i]->fileName(), copy.saveToBuffer(ts::Table::Format::Xml));
        }
    } catch (const ts::TableError& e) {
        return {e.message()};
    }
    std::vector<std::unique_ptr<ts::PendingFile>> pending;
    for (const auto& [path, bytes] : files) {
        auto out = std::make_unique<ts::PendingFile>(path);
        const QString problem = out->write(bytes);
        if (!problem.isEmpty())
            return {QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                        .arg(QDir::toNativeSeparators(path), problem)};
        pending.push_back(std::move(out));
    }
    for (auto& out : pending) {
        const QString problem = out->commit();
        if (!problem.isEmpty())
            problems << QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                            .arg(QDir::toNativeSeparators(out->path()), problem);
        if (changed)
            *changed = true;
    }

    // From the bytes just put in place, not from the files: reloading a
    // bound table from its file first writes its changes of this run over
    // the restored copy.
    const auto tables = tablesOf(db);
    for (size_t i = 0; i < tables.size(); ++i) {
        try {
            tables[i]->loadFromBuffer(files[files.size() - tables.size() + i].second);
        } catch (const ts::TableError& e) {
            problems << e.message();
        }
    }
    // 0 or a user the copy lacks: the first user in name order.
    recovery::ensureCurrentUser(db);
    try {
        db.ReadVocabularyFile();
    } catch (const ts::TableError& e) {
        problems << e.message();
    }
    recovery::raiseCounters(db); // over every restored file
    for (ts::Table* t : {&db.users, &db.lessons, &db.vocabulary})
        if (t->isOpen())
            t->setOrder(field::kId);
    return problems;
}

} // namespace core::backup
