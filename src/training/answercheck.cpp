// SPDX-License-Identifier: GPL-3.0-or-later
#include "answercheck.h"
#include "tablestore/cursorguard.h"
#include "core/fieldnames.h"

namespace training {

QString questionField(int direction) {
    return direction == 0 ? core::field::kGerman : core::field::kForeign;
}
QString answerField(int direction) {
    return direction == 0 ? core::field::kForeign : core::field::kGerman;
}

namespace {
void restrictToQuestion(ts::Table& vocabulary, const QString& questionWord, int direction) {
    const QString w = questionWord.trimmed();
    // "Weg" and "weg" are different words: the dictionary's search may have
    // left the table matching without regard to case.
    vocabulary.setFilterCaseInsensitive(false);
    vocabulary.setFilter(QStringLiteral("%1 = %2").arg(questionField(direction), ts::Table::quoted(w)));
    vocabulary.setFiltered(true);
}
} // namespace

Meanings meaningsOf(ts::Table& vocabulary, const QString& questionWord, int direction) {
    Meanings m;
    restrictToQuestion(vocabulary, questionWord, direction);
    const int other = vocabulary.field(answerField(direction));
    for (int i = 0, n = vocabulary.recordCount(); i < n; ++i) {
        const QString meaning = vocabulary.valueAt(i, other).toString();
        m.lastSeen = meaning;
        if (!m.words.contains(meaning))
            m.words << meaning;
    }
    return m;
}

bool sameAnswer(const QString& given, const QString& stored) {
    const QString a = given.trimmed();
    const QString b = stored.trimmed();
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x = char16_t(x - u'A' + u'a');
        if (y >= u'A' && y <= u'Z')
            y = char16_t(y - u'A' + u'a');
        if (x != y)
            return false;
    }
    return true;
}

CheckResult AnswerCheck(ts::Table& vocabulary, int vocabularyId, int direction, const QString& answer) {
    CheckResult result;
    const auto guard = ts::CursorGuard::byKey(vocabulary, core::field::kId, ts::CursorGuard::Rows::All);
    if (!vocabulary.locate(core::field::kId, vocabularyId))
        return result;
    const QString word = vocabulary.text(questionField(direction));
    restrictToQuestion(vocabulary, word, direction);
    // Rows are looked at until the first that matches: the solution shown is
    // the meaning looked at last.
    const int other = vocabulary.field(answerField(direction));
    for (int i = 0, n = vocabulary.recordCount(); i < n; ++i) {
        result.solution = vocabulary.valueAt(i, other).toString();
        if (sameAnswer(answer, result.solution)) {
            result.right = true;
            break;
        }
    }
    return result;
}

void CoefficientUpdate(ts::Table& knowledge, int vocabularyId, int userId, bool right) {
    if (knowledge.locate(core::field::kKnowledgeKey, {vocabularyId, userId})) {
        const double c = knowledge.number(core::field::kCoefficient);
        if (right && c < 5) {
            knowledge.edit();
            knowledge.setValue(core::field::kCoefficient, c + 1);
            knowledge.post();
        } else if (!right && c > 1) {
            knowledge.edit();
            knowledge.setValue(core::field::kCoefficient, c - 1);
            knowledge.post();
        }
        return;
    }
    knowledge.insert();
    knowledge.setValue(core::field::kUserId, userId);
    knowledge.setValue(core::field::kVocabularyId, vocabularyId);
    knowledge.setValue(core::field::kCoefficient, right ? 2.0 : 1.0);
    knowledge.post();
}

void RunTotals::addTo(core::Database& db) {
    const int newAsked = asked - addedAsked;
    const int newRight = right - addedRight;
    if (newAsked == 0 && newRight == 0)
        return;
    if (!db.locateCurrentUser())
        return;
    db.users.edit();
    db.users.setValue(core::field::kAsked, db.users.integer(core::field::kAsked) + newAsked);
    db.users.setValue(core::field::kRight, db.users.integer(core::field::kRight) + newRight);
    db.users.post();
    addedAsked = asked;
    addedRight = right;
}

} // namespace training
