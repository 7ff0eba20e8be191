// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"

#include <QStringList>

namespace training {

// The field shown as the question in a direction, and the one asked for.
QString questionField(int direction);
QString answerField(int direction);

// Every meaning of a vocabulary's question word in the current language: the
// other side of every row whose question side equals the trimmed word, in
// table order, exact repeats left out. Restricts the vocabulary table; the
// caller keeps a ts::CursorGuard around it.
struct Meanings {
    QStringList words;
    QString lastSeen; // the other side of the last row looked at
};
Meanings meaningsOf(ts::Table& vocabulary, const QString& questionWord, int direction);

// Letters A-Z are compared without regard to case, every other character
// exactly; leading and trailing blanks do not count.
bool sameAnswer(const QString& given, const QString& stored);

struct CheckResult {
    bool right = false;
    QString solution; // the last meaning looked at, for the override question
};
// Checks an answer against every meaning of the vocabulary with this ID. The
// vocabulary table's filter and row are as before afterwards.
CheckResult AnswerCheck(ts::Table& vocabulary, int vocabularyId, int direction, const QString& answer);

// Moves the learning coefficient of (vocabulary, user) one step up or down
// within 1..5; a first answer starts at 2 (right) or 1 (wrong).
void CoefficientUpdate(ts::Table& knowledge, int vocabularyId, int userId, bool right);

// The answers of one test run and the part of them already added to the
// user's totals, so each answer reaches the totals exactly once.
struct RunTotals {
    int asked = 0;
    int right = 0;
    int addedAsked = 0;
    int addedRight = 0;

    void reset() { *this = {}; }
    void count(bool isRight) {
        ++asked;
        if (isRight)
            ++right;
    }
    // Adds what is not yet added to the current user's totals.
    void addTo(core::Database& db);
};

} // namespace training
