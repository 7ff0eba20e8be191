// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessons.h"

#include <QSet>

namespace core {

void EnsureAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink) {
    if (viewsLink)
        viewsLink(false);
    struct Reattach {
        const std::function<void(bool)>& link;
        ~Reattach() {
            if (link)
                link(true);
        }
    } reattach{viewsLink};

    db.lessons.setFiltered(false);
    db.vocabulary.setOrder("ID");
    const QString language = db.currentLanguage();
    if (db.lessons.locate("Name;Sprache", {kAllVocabularyLesson, language}))
        return;

    db.lessons.insert();
    db.lessons.setValue("Name", kAllVocabularyLesson);
    db.lessons.setValue("Sprache", language);
    db.lessons.post();
    const int lessonId = db.lessons.integer("ID");

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
        const QString group = db.vocabulary.value(groupField).toString();
        if (!registered.contains(group)) {
            registered.insert(group);
            groups.RegisterSubjectGroup(language, group);
        }
        db.members.insert();
        db.members.setValue(lessonField, lessonId);
        db.members.setValue(wordField, db.vocabulary.value(idField));
        db.members.post();
        db.vocabulary.next();
    }
}

} // namespace core
