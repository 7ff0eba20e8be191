// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/database.h"
#include "core/practiceoptions.h"
#include "core/services.h"
#include "pool.h"

#include <functional>

namespace training {

enum OrderMode { Sequential = 1, Random = 2, ByKnowledge = 3 };

// "Sequentiell" 1, "Zufällig" 2, "Nach Können" 3; 0 for any other text.
int orderModeFromText(const QString& text);

// Offsets of one random step: below 25, or below 5 in pools under 25 entries.
constexpr int kStepRange = 25;
constexpr int kSmallStepRange = 5;

// One random step forward from the current entry, wrapping to the first
// entry. With `avoid`, positions already drawn are skipped; there must be at
// least one position not in the list.
void RandomStep(Pool& pool, core::RandomSource& random, const AskedList* avoid);

// Whether a candidate is taken, given the random real drawn for it: entries
// with a higher learning coefficient of the current user (the users table's
// current row) are taken less often.
bool KnowledgeWeight(core::Database& db, int vocabularyId, double r);

// What a draw came to.
enum class DrawResult { Shown, EndOfPool };

// The test run's next question: positions the pool and calls `show` for the
// entry to ask. With "Sequentiell" the pool ends one entry past the question.
DrawResult nextTestEntry(Pool& pool, AskedList& asked, const core::PracticeOptions& options, core::RandomSource& random,
                         core::Database& db, const std::function<void()>& show);

// The learn run's next card. `single` is an "Einzelschritt", `phase` the half
// of the card it shows (1 question, 2 answers); `show` draws the card.
DrawResult nextLearnEntry(Pool& pool, AskedList& asked, const core::PracticeOptions& options,
                          core::RandomSource& random, core::Database& db, bool single, int phase,
                          const std::function<void()>& show);

} // namespace training
