// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The field names of the five tables, as they stand in the data files. Code
// names a field through these, so a misspelt field fails to compile instead
// of failing at run time; captions that happen to read the same stay text.
namespace core::field {

// Every table with a key of its own: vocabulary, users, lessons.
inline const QString kId = QStringLiteral("ID");

// Vocabulary (<language>.v02)
inline const QString kGerman = QStringLiteral("deutsch");
inline const QString kForeign = QStringLiteral("auslaendisch");
inline const QString kSubjectGroup = QStringLiteral("Sachgruppe");
inline const QString kGender = QStringLiteral("Gattung");
inline const QString kDifficulty = QStringLiteral("Schwierigkeitsgrad");
inline const QString kRemark = QStringLiteral("Bemerkung");

// The vocabulary's words and their properties, in the order of its file.
inline const QStringList kWordFields{kGerman, kForeign, kSubjectGroup, kGender, kDifficulty, kRemark};

// The lesson members' look-ups of their vocabulary's two words.
inline const QString kMemberGerman = QStringLiteral("xdeutsch");
inline const QString kMemberForeign = QStringLiteral("xauslaendisch");

// Users and lessons
inline const QString kName = QStringLiteral("Name");
inline const QString kLastLanguage = QStringLiteral("Letzte Sprache");
inline const QString kAsked = QStringLiteral("AbgefragteVokabeln");
inline const QString kRight = QStringLiteral("RichtigeVokabeln");
inline const QString kLanguage = QStringLiteral("Sprache");

// Lesson members and knowledge
inline const QString kLessonId = QStringLiteral("LektionsID");
inline const QString kVocabularyId = QStringLiteral("VokabelID");
inline const QString kUserId = QStringLiteral("BenutzerID");
inline const QString kCoefficient = QStringLiteral("Lernkoeffizient");
inline const QString kQuery = QStringLiteral("Abfrage");

// Keys of several fields, for locate() and setOrder().
inline const QString kLessonKey = kName + u';' + kLanguage;
inline const QString kKnowledgeKey = kVocabularyId + u';' + kUserId;
inline const QString kMemberKey = kVocabularyId + u';' + kLessonId;

} // namespace core::field
