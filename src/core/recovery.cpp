// SPDX-License-Identifier: GPL-3.0-or-later
#include "recovery.h"
#include "settingsfile.h"
#include "vocabularyfile.h"
#include "fieldnames.h"
#include "fieldnames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <charconv>

namespace core::recovery {

QString setAsideDamagedSettings(const QString& settingsFile) {
    const QFileInfo info(settingsFile);
    if (!info.exists() && !info.isSymLink())
        return {};
    QString why;
    if (!info.isFile()) {
        why = QStringLiteral("keine gewöhnliche Datei");
    } else if (info.size() > settingsfile::kMaxFileSize) {
        why = settingsfile::oversized();
    } else {
        QFile f(settingsFile);
        if (!f.open(QIODevice::ReadOnly))
            return {}; // unreadable is not damaged: every read gives 0 and nothing is lost
        why = settingsfile::damage(f.readAll());
    }
    if (why.isEmpty())
        return {};
    const QString aside = settingsFile + QStringLiteral(".beschaedigt-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString where = QDir::toNativeSeparators(settingsFile);
    if (!QFile::rename(settingsFile, aside))
        return QStringLiteral("Die Einstellungsdatei \"%1\" ist beschädigt (%2) und konnte nicht umbenannt werden. "
                              "Benutzer und Zähler werden aus den Daten wiederhergestellt.")
            .arg(where, why);
    return QStringLiteral("Die Einstellungsdatei \"%1\" ist beschädigt (%2). Sie wurde unter dem Namen \"%3\" "
                          "aufbewahrt; Benutzer und Zähler werden aus den Daten wiederhergestellt.")
        .arg(where, why, QDir::toNativeSeparators(aside));
}

void prepareSettings(SettingsStore& settings, Prompter& prompter) {
    const QString damaged = setAsideDamagedSettings(settings.filePath());
    if (!damaged.isEmpty())
        prompter.information(damaged);
    settings.keepRefusedWrites([&prompter](const QString& reason) {
        prompter.information(QStringLiteral("Die Einstellungen können nicht gespeichert werden. Das Programm arbeitet "
                                            "mit seinen Daten weiter; geänderte Einstellungen gelten nur bis zum "
                                            "Beenden. (%1)")
                                 .arg(reason));
    });
}

namespace {

// Far above any vocabulary the program writes; such a file is left to the
// loader to refuse.
constexpr qint64 kMaxVocabularyFile = qint64(1) << 30;

// Index of the field named `ID` in the XML form's field list, -1 when none.
int idColumn(QByteArrayView xml) {
    const qsizetype end = xml.indexOf("</fields>");
    if (end < 0)
        return -1;
    int column = 0;
    for (qsizetype at = xml.indexOf("<field "); at >= 0 && at < end; at = xml.indexOf("<field ", at + 1), ++column) {
        if (xml.sliced(at).startsWith("<field name=\"ID\" type=\"integer\""))
            return column;
    }
    return -1;
}

} // namespace

int largestVocabularyId(const QString& path) {
    QFile f(path);
    if (QFileInfo(path).size() > kMaxVocabularyFile || !QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return 0;
    // Searched in the masked bytes, with masked patterns: only the field list
    // and the digits found are unmasked.
    const QByteArray masked = f.readAll();
    const QByteArrayView all(masked);
    const qsizetype rows = all.indexOf(vocabularyfile::mask("<rows>"));
    if (rows < 0)
        return 0;
    const int column = idColumn(vocabularyfile::mask(masked.left(rows)));
    if (column < 0)
        return 0;
    // An attribute value never holds a bare quote, so ` cN="` only starts the
    // attribute itself.
    const QByteArray token = vocabularyfile::mask(" c" + QByteArray::number(column) + "=\"");
    int largest = 0;
    for (qsizetype at = all.indexOf(token, rows); at >= 0; at = all.indexOf(token, at)) {
        at += token.size();
        char digits[12];
        const qsizetype n = std::min<qsizetype>(qsizetype(sizeof digits), all.size() - at);
        for (qsizetype i = 0; i < n; ++i)
            digits[i] = char(all[at + i] ^ vocabularyfile::kMaskByte);
        int id = 0;
        const auto [p, ec] = std::from_chars(digits, digits + n, id);
        if (ec == std::errc() && p < digits + n && *p == '"')
            largest = std::max(largest, id);
    }
    return largest;
}

namespace {

int largestIn(ts::Table& t, const QString& field) {
    return t.isOpen() && t.fieldIndex(field) >= 0 ? t.maxInteger(field) : 0;
}

void raise(SettingsStore& settings, const char* counter, int largest) {
    if (largest > settings.readInteger(counter))
        settings.writeInteger(counter, largest);
}

} // namespace

void raiseCounters(Database& db) {
    int word = std::max({largestIn(db.vocabulary, field::kId), largestIn(db.members, field::kVocabularyId),
                         largestIn(db.knowledge, field::kVocabularyId)});
    const QDir folder(db.dataFolder());
    for (const QString& f : folder.entryList({QStringLiteral("*.v02")}, QDir::Files, QDir::Unsorted))
        word = std::max(word, largestVocabularyId(folder.filePath(f)));
    auto& settings = db.settings();
    raise(settings, "LastBenutzerID",
          std::max(largestIn(db.users, field::kId), largestIn(db.knowledge, field::kUserId)));
    raise(settings, "LastLektionID",
          std::max(largestIn(db.lessons, field::kId), largestIn(db.members, field::kLessonId)));
    raise(settings, "LastVokID", word);
}

bool ensureCurrentUser(Database& db) {
    if (db.locateCurrentUser())
        return true;
    if (!db.users.isOpen() || db.users.isEmpty())
        return false;
    const QString order = db.users.order();
    db.users.setOrder(field::kName);
    db.users.first();
    const int first = db.users.integer(field::kId);
    db.users.setOrder(order);
    db.settings().writeInteger("AktuelleBenutzerID", first);
    return db.locateCurrentUser();
}

} // namespace core::recovery
