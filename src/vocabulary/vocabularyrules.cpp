// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabularyrules.h"
#include "core/lessons.h"
#include "tablestore/cursorguard.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"

#include <utility>

namespace vocabulary {

const QString VocabularyRules::kBothFieldsMessage = QStringLiteral("Bitte beide Sprachenfelder ausfüllen!");

VocabularyRules::VocabularyRules(core::AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {
    auto& v = ctx_.db.vocabulary;
    // Runs after the identifier rule of the database, so the ID is known.
    v.addHook(ts::Table::HookKind::AfterInsert, [this](ts::Table& t) {
        if (!presetGroup_.isEmpty())
            t.setValue(core::field::kSubjectGroup, std::exchange(presetGroup_, QString()));
        addToAllVocabularyLesson(t.integer(core::field::kId));
    });
    v.addHook(ts::Table::HookKind::AfterEdit, [this](ts::Table&) { emit editStarted(); });
    v.addHook(ts::Table::HookKind::AfterPost, [this](ts::Table& t) {
        ctx_.subjectGroups.noteSaved(ctx_.db.currentLanguage(), t.text(core::field::kSubjectGroup));
        emit saved();
    });
}

void VocabularyRules::addToAllVocabularyLesson(int vocabularyId) {
    auto& db = ctx_.db;
    auto& lessons = db.lessons;
    const QString language = db.currentLanguage();
    int lessonId = -1;
    {
        const auto guard = ts::CursorGuard::byKey(lessons, core::field::kId, ts::CursorGuard::Rows::All);
        if (lessons.locate(core::field::kLessonKey, {core::kAllVocabularyLesson, language}))
            lessonId = lessons.integer(core::field::kId);
    }
    // Without the lesson (it is kept present from start-up on) no membership
    // row is written: a row pointing at no lesson would only be clutter.
    if (lessonId < 0)
        return;
    db.members.insert();
    db.members.setValue(core::field::kLessonId, lessonId);
    db.members.setValue(core::field::kVocabularyId, vocabularyId);
    db.members.post();
}

bool VocabularyRules::languageFieldsFilled() const {
    const auto& v = ctx_.db.vocabulary;
    return !v.text(core::field::kGerman).isEmpty() && !v.text(core::field::kForeign).isEmpty();
}

bool VocabularyRules::confirmLeaving() {
    auto& v = ctx_.db.vocabulary;
    if (v.state() != ts::Table::State::Edit && v.state() != ts::Table::State::Insert)
        return true;
    // A new record holding only its presets is nothing the user would want
    // to be asked about, nor anything worth keeping.
    if (v.state() == ts::Table::State::Insert && !v.isModified()) {
        v.cancel();
        return true;
    }
    if (ctx_.prompter().ask(QStringLiteral("Änderungen speichern beim aktuellen Datensatz?"), core::Buttons::YesNo) ==
        core::Answer::Yes)
        return saveChecked(); // an unchanged new record was dropped above
    v.cancel();
    return true;
}

bool VocabularyRules::saveChecked() {
    auto& v = ctx_.db.vocabulary;
    if (v.state() == ts::Table::State::Insert && !v.isModified())
        return false;
    if (!languageFieldsFilled()) {
        ctx_.prompter().information(kBothFieldsMessage);
        return false;
    }
    try {
        v.post();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return false;
    }
    return true;
}

void VocabularyRules::deleteRowsOf(ts::Table& table, int vocabularyId) {
    if (!table.isOpen())
        return;
    table.settle();
    const auto guard = ts::CursorGuard::byRowNumber(table, ts::CursorGuard::Rows::All);
    while (table.locate(core::field::kVocabularyId, vocabularyId))
        table.deleteRecord();
}

bool VocabularyRules::deleteCurrent() {
    auto& v = ctx_.db.vocabulary;
    try {
        const bool hasRecord = v.state() == ts::Table::State::Insert || v.recNo() > 0;
        const int id = hasRecord ? v.integer(core::field::kId) : 0;
        v.deleteRecord();
        if (id > 0) {
            deleteRowsOf(ctx_.db.members, id);
            deleteRowsOf(ctx_.db.knowledge, id);
        }
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return false;
    }
    return true;
}

bool VocabularyRules::deleteCurrentAsked() {
    if (ctx_.prompter().ask(QStringLiteral("Datensatz löschen?"), core::Buttons::OkCancel) != core::Answer::Ok)
        return false;
    return deleteCurrent();
}

bool VocabularyRules::insertWithGroup(const QString& group) {
    presetGroup_ = group;
    try {
        ctx_.db.vocabulary.insert();
    } catch (const ts::TableError& e) {
        presetGroup_.clear();
        ctx_.prompter().information(e.message());
        return false;
    }
    return true;
}

void VocabularyRules::orderByColumnTitle(ts::Table& vocabulary, const QString& title) {
    const QString field = vocabulary.fieldIndex(title) >= 0 ? title : core::field::kForeign;
    // A second click on the same title turns the order over; a third turns it back.
    const auto [current, down] = ts::Table::orderPart(vocabulary.order().section(u';', 0, 0));
    const bool again = !down && current.compare(field, Qt::CaseInsensitive) == 0;
    vocabulary.setOrder(again ? field + QStringLiteral(" DESC") : field, core::field::kGerman);
}

} // namespace vocabulary
