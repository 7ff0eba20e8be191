// SPDX-License-Identifier: GPL-3.0-or-later
#include "answercheck.h"
#include "tablestore/cursorguard.h"

namespace training {

QString questionField(int direction) {
    return direction == 0 ? QStringLiteral("deutsch") : QStringLiteral("auslaendisch");
}
QString answerField(int direction) {
    return direction == 0 ? QStringLiteral("auslaendisch") : QStringLiteral("deutsch");
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
    const auto guard = ts::CursorGuard::byKey(vocabulary, QStringLiteral("ID"), ts::CursorGuard::Rows::All);
    if (!vocabulary.locate(QStringLiteral("ID"), vocabularyId))
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
    if (knowledge.locate(QStringLiteral("VokabelID;BenutzerID"), {vocabularyId, userId})) {
        const double c = knowledge.number("Lernkoeffizient");
        if (right && c < 5) {
            knowledge.edit();
            knowledge.setValue("Lernkoeffizient", c + 1);
            knowledge.post();
        } else if (!right && c > 1) {
            knowledge.edit();
            knowledge.setValue("Lernkoeffizient", c - 1);
            knowledge.post();
        }
        return;
    }
    knowledge.insert();
    knowledge.setValue("BenutzerID", userId);
    knowledge.setValue("VokabelID", vocabularyId);
    knowledge.setValue("Lernkoeffizient", right ? 2.0 : 1.0);
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
    db.users.setValue("AbgefragteVokabeln", db.users.integer("AbgefragteVokabeln") + newAsked);
    db.users.setValue("RichtigeVokabeln", db.users.integer("RichtigeVokabeln") + newRight);
    db.users.post();
    addedAsked = asked;
    addedRight = right;
}

} // namespace training
