// SPDX-License-Identifier: GPL-3.0-or-later
#include "database.h"
#include "vocabularyfile.h"

#include "datafiles.h"
#include "tablestore/tableerror.h"
#include "fieldnames.h"
#include "fieldnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <array>

namespace core {

using ts::FieldType;

Database::Database(SettingsStore& settings, QString dataFolder)
    : settings_(settings), dataFolder_(std::move(dataFolder)) {
    if (!dataFolder_.endsWith(u'/'))
        dataFolder_ += u'/';
    defineTables();

    users.addHook(ts::Table::HookKind::AfterInsert,
                  [this](ts::Table& t) { t.setValue(field::kId, nextId("LastBenutzerID", t)); });
    lessons.addHook(ts::Table::HookKind::AfterInsert, [this](ts::Table& t) {
        t.setValue(field::kId, nextId("LastLektionID", t));
        t.setValue(field::kLanguage, currentLanguage());
    });
    vocabulary.addHook(ts::Table::HookKind::AfterInsert, [this](ts::Table& t) {
        t.setValue(field::kId, nextId("LastVokID", t));
        t.setValue(field::kDifficulty, 1);
        t.setValue(field::kGender, QStringLiteral("Substantiv"));
    });
}

void Database::defineUsers(ts::Table& t) {
    t.clearFields();
    t.addField(field::kId, FieldType::Integer);
    t.addField(field::kName, FieldType::String, 100);
    t.addField(field::kLastLanguage, FieldType::String, 100);
    t.addField(field::kAsked, FieldType::Integer);
    t.addField(field::kRight, FieldType::Integer);
}

void Database::defineKnowledge(ts::Table& t) {
    t.clearFields();
    t.addField(field::kUserId, FieldType::Integer);
    t.addField(field::kVocabularyId, FieldType::Integer);
    t.addField(field::kCoefficient, FieldType::Float);
    t.addField(field::kQuery, FieldType::Integer);
}

void Database::defineVocabulary(ts::Table& t) {
    t.clearFields();
    t.addField(field::kId, FieldType::Integer);
    t.addField(field::kGerman, FieldType::String, 100);
    t.addField(field::kForeign, FieldType::String, 100);
    t.addField(field::kSubjectGroup, FieldType::String, 100);
    t.addField(field::kGender, FieldType::String, 50);
    t.addField(field::kDifficulty, FieldType::Integer);
    t.addField(field::kRemark, FieldType::String, 250);
}

void Database::defineTables() {
    defineUsers(users);
    users.setFileName(dataFolder_ + "benutzer.xml");
    users.setOrder(field::kName);

    lessons.addField(field::kId, FieldType::Integer);
    lessons.addField(field::kName, FieldType::String, 100);
    lessons.addField(field::kLanguage, FieldType::String, 100);
    lessons.setFileName(dataFolder_ + "lektion.xml");
    lessons.setOrder(field::kName);

    members.addField(field::kLessonId, FieldType::Integer);
    members.addField(field::kVocabularyId, FieldType::Integer);
    members.addLookupField(field::kMemberGerman, FieldType::String, 100, field::kVocabularyId, &vocabulary, field::kId,
                           field::kGerman);
    members.addLookupField(field::kMemberForeign, FieldType::String, 100, field::kVocabularyId, &vocabulary, field::kId,
                           field::kForeign);
    members.setFileName(dataFolder_ + "bestehtaus.xml");
    members.setOrder(field::kVocabularyId);

    defineKnowledge(knowledge);
    knowledge.setFileName(dataFolder_ + "kann.xml");
    knowledge.setOrder(field::kVocabularyId);

    defineVocabulary(vocabulary);
    vocabulary.setOrder(field::kGerman);
}

QString Database::vocabularyFilePath(const QString& language) const {
    return dataFolder_ + language + ".v02";
}

int Database::nextId(const char* counter, ts::Table& table) {
    int n = settings_.readInteger(counter) + 1;
    // A number already present in the loaded table (a counter that went back,
    // say through a hand-edited settings file) is never handed out again.
    if (table.lookup(table.field(field::kId), n, table.field(field::kId)).isValid())
        n = std::max(n, table.maxInteger(field::kId) + 1);
    settings_.writeInteger(counter, n); // before use: a failed write ends the insert
    return n;
}

bool Database::locateCurrentUser() {
    return users.isOpen() && users.locate(field::kId, settings_.readInteger("AktuelleBenutzerID"));
}

QString Database::currentLanguage() {
    return locateCurrentUser() ? users.text(field::kLastLanguage) : QString();
}

void Database::WriteVocabularyFile() {
    const QString language = loadedLanguage_.isEmpty() ? currentLanguage() : loadedLanguage_;
    vocabularyfile::write(vocabulary, vocabularyFilePath(language));
}

void Database::ReadVocabularyFile(IfDamaged damaged) {
    // Noted before reading: after a failed read, the table (kept as it was,
    // or empty) belongs to this language's file.
    loadedLanguage_ = users.text(field::kLastLanguage);
    const QString path = vocabularyFilePath(loadedLanguage_);
    try {
        vocabularyfile::read(vocabulary, path);
    } catch (const ts::DamagedFile& e) {
        if (damaged == IfDamaged::Keep)
            throw;
        const QString aside = datafiles::setAside(path);
        if (aside.isEmpty())
            throw;
        throw ts::DamagedFile(
            QCoreApplication::translate("core", "%1\n\nDie Datei wurde unter dem Namen \"%2\" aufbewahrt.")
                .arg(e.message(), QDir::toNativeSeparators(aside)));
    }
}

void Database::writeAllFiles() {
    ts::FileSet set(dataFolder_ + QString::fromLatin1(datafiles::kSaveMarker));
    if (vocabulary.isOpen())
        set.add(vocabularyFilePath(loadedLanguage_.isEmpty() ? currentLanguage() : loadedLanguage_),
                vocabularyfile::bytes(vocabulary));
    const std::array<ts::Table*, 4> tables = {&users, &lessons, &members, &knowledge};
    for (ts::Table* t : tables)
        if (t->isOpen())
            set.add(t->fileName(), t->saveToBuffer(ts::Table::formatFor(t->fileName())));
    if (const QString problem = set.commit(); !problem.isEmpty())
        throw ts::TableError(problem);
    for (ts::Table* t : tables)
        if (t->isOpen())
            t->markSaved();
}

void Database::RecreateUserTables() {
    for (auto [table, define] : {std::pair{&users, &defineUsers}, std::pair{&knowledge, &defineKnowledge}}) {
        table->close();
        define(*table);
        table->createDataSet();
        table->saveToFile(table->fileName());
    }
}

void Database::RecreateVocabularyTable() {
    vocabulary.close();
    defineVocabulary(vocabulary);
    vocabulary.createDataSet();
    loadedLanguage_ = currentLanguage();
    WriteVocabularyFile();
}

} // namespace core
