// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"

#include <QObject>

namespace vocabulary {

// What happens whenever a vocabulary record is started, edited, saved or
// deleted, whichever window causes it: the membership of new words in the
// lesson "ALLE VOKABELN", the subject-group list, and the removal of a deleted
// word's lesson memberships and knowledge rows.
class VocabularyRules : public QObject {
    Q_OBJECT
public:
    explicit VocabularyRules(core::AppContext& ctx, QObject* parent = nullptr);

    // Asks before a pending record is left. False when the user has to stay
    // (a "Ja" while a language field is empty).
    bool confirmLeaving();
    // Saves a pending record; refused with a message when a language field
    // is empty. An untouched new record is left as it is.
    bool saveChecked();
    bool languageFieldsFilled() const;

    // Deletes the current vocabulary with its memberships and knowledge rows.
    // Reported (and false) when the table refuses, as for an empty table.
    bool deleteCurrent();
    // The same after the question of the grids' Ctrl+Entf.
    bool deleteCurrentAsked();

    // Starts a new vocabulary whose subject group is `group`, preset as a
    // default: a record nobody typed into stays untouched and is dropped
    // when left, never saved as an empty pair.
    bool insertWithGroup(const QString& group);

    // Orders the vocabulary by the field a column title names; any other
    // title (the language's name) orders by the foreign word. Clicked again,
    // downwards; equal values follow the German word.
    static void orderByColumnTitle(ts::Table& vocabulary, const QString& title);

    static const QString kBothFieldsMessage;

signals:
    void editStarted();
    void saved();

private:
    void addToAllVocabularyLesson(int vocabularyId);
    static void deleteRowsOf(ts::Table& table, int vocabularyId);

    core::AppContext& ctx_;
    QString presetGroup_;
};

} // namespace vocabulary
