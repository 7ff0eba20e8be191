// SPDX-License-Identifier: GPL-3.0-or-later
#include "cardview.h"
#include "answercheck.h"
#include "tablestore/cursorguard.h"
#include "core/fieldnames.h"

#include <QRegularExpression>
#include <cmath>

namespace training {

namespace {
constexpr int kCentreX = 112;
constexpr int kWordTop = 50;
constexpr int kMeaningsLeft = 30;
constexpr int kMeaningsHeight = 130;
} // namespace

int cardFontSize(const QString& german, const QString& foreign) {
    const auto longest = std::max(german.size(), foreign.size());
    if (longest > 15)
        return 10;
    if (longest > 10)
        return 20;
    return 30;
}

int meaningTop(int i, int n) {
    // nearbyint rounds halves to the even neighbour.
    return int(std::nearbyint(double(i) * kMeaningsHeight / n - double(kMeaningsHeight) / n));
}

QString QuestionView(CardImage& card, ts::Table& vocabulary, int vocabularyId, int direction) {
    card.setFontSize(30);
    card.clear();
    if (!vocabulary.locate(core::field::kId, vocabularyId)) {
        // Hidden by a filter that is still on: look without it.
        vocabulary.setFiltered(false);
        if (!vocabulary.locate(core::field::kId, vocabularyId))
            return {}; // a member whose word is gone: never show another word instead
    }
    card.setCentred(true);
    card.setFontSize(cardFontSize(vocabulary.text(core::field::kGerman), vocabulary.text(core::field::kForeign)));
    card.write(kCentreX, kWordTop, vocabulary.text(questionField(direction)));
    const QString remark = vocabulary.text(core::field::kRemark);
    return direction == 1 ? hideAnswerWords(remark, vocabulary.text(core::field::kGerman)) : remark;
}

QString hideAnswerWords(const QString& remark, const QString& answer) {
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{N}]+"));
    QStringList answerWords;
    for (auto it = word.globalMatch(answer); it.hasNext();)
        answerWords << it.next().captured().toCaseFolded();
    if (answerWords.isEmpty() || remark.isEmpty())
        return remark;
    const auto givesAway = [&answerWords](const QString& w) {
        const QString folded = w.toCaseFolded();
        for (const QString& a : answerWords)
            if (folded == a || (a.size() >= 3 && folded.startsWith(a)))
                return true;
        return false;
    };
    QString out;
    qsizetype done = 0;
    for (auto it = word.globalMatch(remark); it.hasNext();) {
        const auto m = it.next();
        if (!givesAway(m.captured()))
            continue;
        out += QStringView(remark).mid(done, m.capturedStart() - done);
        out += QChar(0x2026);
        done = m.capturedEnd();
    }
    return done == 0 ? remark : out + remark.mid(done);
}

void CardView(CardImage& question, CardImage& answers, ts::Table& vocabulary, int vocabularyId, int direction,
              CardPart part) {
    const auto guard = ts::CursorGuard::byKey(vocabulary, core::field::kId, ts::CursorGuard::Rows::All);
    question.setFontSize(30);
    answers.setFontSize(30);
    if (!vocabulary.locate(core::field::kId, vocabularyId)) {
        answers.clear();
        if (part != CardPart::Answers)
            question.clear();
        return;
    }
    if (part != CardPart::Answers)
        question.clear();
    answers.clear();
    question.setCentred(true);
    answers.setCentred(true);
    const QString word = vocabulary.text(questionField(direction));
    const int size = cardFontSize(vocabulary.text(core::field::kGerman), vocabulary.text(core::field::kForeign));
    question.setFontSize(size);
    answers.setFontSize(size);

    if (part != CardPart::Question) {
        const QStringList meanings = meaningsOf(vocabulary, word, direction).words;
        const int n = int(meanings.size());
        if (n == 1) {
            answers.write(kCentreX, kWordTop, meanings.front());
        } else if (n >= 2) {
            if (direction == 1 && n > 4)
                answers.setFontSize(10);
            answers.setCentred(false);
            for (int i = 1; i <= n; ++i) {
                if (answers.fontSize() > 20)
                    answers.setFontSize(20);
                answers.write(kMeaningsLeft, meaningTop(i, n), meanings[i - 1]);
            }
        }
    }
    // A half step to the answers leaves the question card as the first half drew it.
    if (part != CardPart::Answers)
        question.write(kCentreX, kWordTop, word);
}

} // namespace training
