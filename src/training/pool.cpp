// SPDX-License-Identifier: GPL-3.0-or-later
#include "pool.h"
#include "core/fieldnames.h"

namespace training {

bool Pool::choose(const QString& lessonName) {
    const QString language = db_.currentLanguage(); // positions the current user
    ts::Table& lessons = db_.lessons;
    lessons.setFilter(
        QStringLiteral("Sprache = %1 AND Name = %2").arg(ts::Table::quoted(language), ts::Table::quoted(lessonName)));
    lessons.setFiltered(true);
    lessons.first();
    if (lessons.isEmpty()) {
        lessonId_ = -1;
        members().setFiltered(false);
        return false;
    }
    lessonId_ = lessons.integer(core::field::kId);
    restrictAgain();
    return true;
}

void Pool::restrictAgain() {
    if (lessonId_ < 0)
        return;
    // Set afresh: another window may have used the members' filter meanwhile.
    members().setFilter(QStringLiteral("LektionsID = %1").arg(lessonId_));
    members().setFiltered(true);
    members().first();
}

int Pool::vocabularyId() const {
    return position() > 0 ? members().integer(core::field::kVocabularyId) : 0;
}

int Pool::vocabularyIdAt(int position) const {
    return members().valueAt(position - 1, members().field(core::field::kVocabularyId)).toInt();
}

bool readyToStart(Pool& pool, core::Prompter& prompter, const QString& via) {
    if (!pool.isChosen()) {
        prompter.information(QStringLiteral("Bitte wählen Sie zuerst über „%1“ eine Lektion aus.").arg(via));
        return false;
    }
    pool.restrictAgain();
    if (pool.size() == 0) {
        prompter.information(
            QStringLiteral("Die gewählte Lektion enthält keine Vokabeln. Bitte wählen Sie eine andere Lektion."));
        return false;
    }
    return true;
}

void AskedList::clear() {
    list_.clear();
    has_.clear();
}

void AskedList::append(int position) {
    list_.push_back(position);
    if (position >= 0) {
        if (size_t(position) >= has_.size())
            has_.resize(size_t(position) + 1, false);
        has_[size_t(position)] = true;
    }
}

bool AskedList::contains(int position) const {
    return position >= 0 && size_t(position) < has_.size() && has_[size_t(position)];
}

} // namespace training
