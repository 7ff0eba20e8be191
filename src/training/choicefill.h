// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/services.h"
#include "pool.h"

#include <array>

namespace training {

// The four captions of a multiple-choice question: the asked word of the
// question in one slot, and in the others words of the same side that are no
// accepted meaning, all different; taken from the lesson when it has enough
// words, else from the whole vocabulary. A slot without a word stays empty
// (its button is hidden).
struct Choices {
    std::array<QString, 4> captions;
    int rightSlot = 0; // 0..3: top left, top right, bottom left, bottom right
};

// With `sameKind`, the wrong captions are first drawn from the lesson's words
// of the question's kind ("Gattung"), so the right answer cannot be told by
// its kind; where the lesson has too few of them, the rest are drawn as usual.
Choices ChoiceFill(Pool& pool, ts::Table& vocabulary, core::RandomSource& random, int vocabularyId, int direction,
                   bool sameKind = false);

} // namespace training
