// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardimage.h"
#include "tablestore/table.h"

namespace training {

// Words longer than 10 characters are written in 20 points, longer than 15
// in 10 points, so both words of a pair fit their cards.
int cardFontSize(const QString& german, const QString& foreign);

// The top of meaning i (1-based) of n, spread evenly over the top 130 pixels.
int meaningTop(int i, int n);

// The remark with every word that gives `answer` away replaced by "…": a
// word of the answer, or a word beginning with one (an inflected form) when
// that word has three letters or more. Letter case does not count.
QString hideAnswerWords(const QString& remark, const QString& answer);

// Writes the question word of a vocabulary on its card (the test's question
// card) and returns the vocabulary's remark, without the words of the German
// answer when the foreign word is asked. The vocabulary table stays on that
// vocabulary's row.
QString QuestionView(CardImage& card, ts::Table& vocabulary, int vocabularyId, int direction);

// The learn run's two cards for one vocabulary: the whole card, only its
// question, or only its answers (the question card is left as it is).
enum class CardPart { Whole, Question, Answers };
void CardView(CardImage& question, CardImage& answers, ts::Table& vocabulary, int vocabularyId, int direction,
              CardPart part);

} // namespace training
