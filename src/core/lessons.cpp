// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessons.h"
#include "tablestore/cursorguard.h"
#include "fieldnames.h"

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
// every close. Read without moving the cursor: a start with 200,000 members
// must not pay for a cursor walk.
void dropMembersOfMissingLessons(Database& db) {
    QSet<int> lessonIds;
    const int idField = db.lessons.field(field::kId);
    for (int i = 0, n = db.lessons.recordCount(); i < n; ++i)
        lessonIds.insert(db.lessons.valueAt(i, idField).toInt());
    const int lessonField = db.members.field(field::kLessonId);
    std::vector<int> orphans;
    for (int i = 0, n = db.members.recordCount(); i < n; ++i)
        if (!lessonIds.contains(db.members.valueAt(i, lessonField).toInt()))
            orphans.push_back(i);
    for (auto it = orphans.rbegin(); it != orphans.rend(); ++it) { // from the back: the positions before stay
        db.members.setRecNo(*it + 1);
        db.members.deleteRecord();
    }
}

void addWords(Database& db, SubjectGroups& groups, int lessonId, const QString& language, const QSet<int>& present) {
    QSet<QString> registered; // each group once: every registration rewrites the settings file
    const int idField = db.vocabulary.field(field::kId);
    const int groupField = db.vocabulary.field(field::kSubjectGroup);
    const int lessonField = db.members.field(field::kLessonId);
    const int wordField = db.members.field(field::kVocabularyId);
    const ts::BulkInsertGuard bulk(db.members);
    for (int i = 0, n = db.vocabulary.recordCount(); i < n; ++i) {
        const QVariant id = db.vocabulary.valueAt(i, idField);
        if (present.contains(id.toInt()))
            continue;
        const QString group = db.vocabulary.valueAt(i, groupField).toString();
        if (!registered.contains(group)) {
            registered.insert(group);
            groups.RegisterSubjectGroup(language, group);
        }
        db.members.insert();
        db.members.setValue(lessonField, lessonId);
        db.members.setValue(wordField, id);
        db.members.post();
    }
}

} // namespace

void EnsureAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink) {
    const DetachedViews detached(viewsLink);

    db.lessons.setFiltered(false);
    db.vocabulary.setOrder(field::kId);
    const QString language = db.currentLanguage();
    if (db.lessons.locate(field::kLessonKey, {kAllVocabularyLesson, language}))
        return;

    db.lessons.insert();
    db.lessons.setValue(field::kName, kAllVocabularyLesson);
    db.lessons.setValue(field::kLanguage, language);
    db.lessons.post();
    addWords(db, groups, db.lessons.integer(field::kId), language, {});
}

void RepairAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink) {
    const DetachedViews detached(viewsLink);

    // The tables as a whole, whatever a panel filtered; each view is put back
    // starting on its first row.
    const auto allLessons = ts::CursorGuard::atFirstRow(db.lessons, ts::CursorGuard::Rows::All);
    const auto allMembers = ts::CursorGuard::atFirstRow(db.members, ts::CursorGuard::Rows::All);

    dropMembersOfMissingLessons(db);
    const QString language = db.currentLanguage();
    if (!db.lessons.locate(field::kLessonKey, {kAllVocabularyLesson, language}))
        return;
    const int lessonId = db.lessons.integer(field::kId);
    addWords(db, groups, lessonId, language, membersOf(db, lessonId));
}

QSet<int> membersOf(Database& db, int lessonId) {
    QSet<int> present;
    const int lessonField = db.members.field(field::kLessonId);
    const int wordField = db.members.field(field::kVocabularyId);
    for (int i = 0, n = db.members.recordCount(); i < n; ++i)
        if (db.members.valueAt(i, lessonField).toInt() == lessonId)
            present.insert(db.members.valueAt(i, wordField).toInt());
    return present;
}

} // namespace core
