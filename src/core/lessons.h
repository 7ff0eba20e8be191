// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database.h"
#include "subjectgroups.h"

#include <QSet>

#include <functional>

namespace core {

inline const QString kAllVocabularyLesson = QStringLiteral("ALLE VOKABELN");

// Makes sure the lesson "ALLE VOKABELN" of the current language exists; when
// it has to be created, every loaded vocabulary joins it and every subject
// group is registered. Leaves the vocabulary ordered by ID. `viewsLink(false)`
// and `viewsLink(true)` bracket the pass so no view redraws meanwhile.
void EnsureAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink);

// At start: drops members of lessons that no longer exist, and gives an
// existing "ALLE VOKABELN" of the current language every loaded vocabulary it
// lacks (after a save cut short, or files edited by hand), registering the
// subject groups of the words that join. `viewsLink` as above.
void RepairAllVocabularyLesson(Database& db, SubjectGroups& groups, const std::function<void(bool)>& viewsLink);

// The vocabulary IDs of a lesson, read over the members' rows as they are
// shown (unfilter them first for every member).
QSet<int> membersOf(Database& db, int lessonId);

} // namespace core
