// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessons.h"

#include <QSet>

namespace core {

namespace {

// No view redraws while a pass changes the tables.
struct DetachedViews {
    const std::function<void(bool)>& link;
    explicit DetachedViews(const std::function<void(bool)>& l) : link(l) {
        if (link)
            link(false);
    }
    ~DetachedViews() {
        if (link)
            link(true);
    }
};

// Members whose lesson is gone belong to nothing and would be written back on
// every close.
void dropMembersOfMissingLessons(Database& db) {
    QSet<int> lessonIds;
    const int idField = db.lessons.field("ID");
    for (db.lessons.first(); !db.lessons.eof(); db.lessons.next())
        lessonIds.insert(db.lessons.value(idField).toInt());
    const int lessonField = db.members.field("LektionsID");
    db.members.first();
    while (!db.members.eof()) {
        if (lessonIds.contains(db.members.value(lessonField).toInt())) {
            db.members.next();
            continue;
        }
        // The cursor then stands on the next record, or the one before
        // when the last was deleted.
        const bool last = db.members.currentIndex() == db.members.recordCount() - 1;
        db.members.deleteRecord();
        if (last)
            break;
    }
}

void addWords(Database& db, SubjectGroups& groups, int lessonId, const QString& language, const QSet<int>& present) {
    QSet<QString> registered; // each group once: every registration rewrites the settings file
    const int idField = db.vocabulary.field("ID");
    const int groupField = db.vocabulary.field("Sachgruppe");
    const int lessonField = db.members.field("LektionsID");
    const int wordField = db.members.field("VokabelID");
    db.members.beginBulkInsert();
    struct EndBulk {
        ts::Table& t;
        ~EndBulk() { t.endBulkInsert(); }
    } endBulk{db.members};
    db.vocabulary.first();
    while (!db.vocabulary.eof()) {
        const QVariant id = db.vocabulary.value(idField);
        if (!present.contains(id.toInt())) {
            const QString group = db.vocabulary.value(groupField).toString();
            if (!registered.contains(group)) {
                registered.insert(group);
                groups.RegisterSubjectGroup(language, group);
            }
            db.members.insert();
            db.members.setValue(lessonField, lessonId);
            db.members.setValue(wordField, id);
            db.members.post();
        }
        db.vocabulary.next();
    }
}

// The words the lesson already holds.
QSet<int> membersOf(Database& db, int lessonId) {
    QSet<int> present;
    const int lessonField = db.members.field("LektionsID");
    const int wordField = db.members.field("VokabelID");
    for (db.members.first(); !db.members.eof(); db.members.next())
        if (db.members.value(lessonField).toInt() == lessonId)
            present.insert(db.members.value(wordField).toInt());
    return present;
}

} // namespace

void EnsureAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink) {
    const DetachedViews detached(viewsLink);

    db.lessons.setFiltered(false);
    db.vocabulary.setOrder("ID");
    const QString language = db.currentLanguage();
    if (db.lessons.locate("Name;Sprache", {kAllVocabularyLesson, language}))
        return;

    db.lessons.insert();
    db.lessons.setValue("Name", kAllVocabularyLesson);
    db.lessons.setValue("Sprache", language);
    db.lessons.post();
    addWords(db, groups, db.lessons.integer("ID"), language, {});
}

void RepairAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink) {
    const DetachedViews detached(viewsLink);

    // The tables as a whole, whatever a panel filtered.
    const bool lessonsFiltered = db.lessons.isFiltered();
    const bool membersFiltered = db.members.isFiltered();
    db.lessons.setFiltered(false);
    db.members.setFiltered(false);
    struct Refilter {
        Database& db;
        bool lessons, members;
        ~Refilter() {
            db.lessons.setFiltered(lessons);
            db.members.setFiltered(members);
        }
    } refilter{db, lessonsFiltered, membersFiltered};

    dropMembersOfMissingLessons(db);
    const QString language = db.currentLanguage();
    if (!db.lessons.locate("Name;Sprache", {kAllVocabularyLesson, language}))
        return;
    const int lessonId = db.lessons.integer("ID");
    addWords(db, groups, lessonId, language, membersOf(db, lessonId));
}

} // namespace core
