// SPDX-License-Identifier: GPL-3.0-or-later
#include "learnrun.h"
#include "questionorder.h"

namespace training {

void LearnRun::showCurrent(bool single) {
    const CardPart part = !single ? CardPart::Whole : singleStepPhase_ == 1 ? CardPart::Question : CardPart::Answers;
    view_.showCard(pool_.vocabularyId(), part);
    if (part == CardPart::Answers)
        return; // the second half of the same card
    const int count = pool_.size();
    if (ctx_.options.OrderMode == Sequential)
        view_.showProgress(pool_.position(), count);
    else
        view_.showProgress(count > 0 ? drawn_++ % count + 1 : 0, count);
}

void LearnRun::start() {
    if (!readyToStart(pool_, ctx_.prompter(), QStringLiteral("Lernen")))
        return;
    pool_.first();
    drawn_ = 0;
    showCurrent(false);
    pool_.next();
    asked_.clear();
    running_ = true;
    view_.showRunning(true, ctx_.options.OrderMode == Sequential);
}

void LearnRun::stop() {
    running_ = false;
    view_.showRunning(false, false);
}

void LearnRun::optionsChanged() {
    if (running_)
        view_.showRunning(true, ctx_.options.OrderMode == Sequential);
}

void LearnRun::step(bool single) {
    const auto result = nextLearnEntry(pool_, asked_, ctx_.options, ctx_.random(), ctx_.db, single, singleStepPhase_,
                                       [this, single] { showCurrent(single); });
    // The run goes on at the end: a step back, or a loop switched on, still works.
    if (result == DrawResult::EndOfPool)
        ctx_.prompter().information(QStringLiteral("Keine weiteren Vokabeln mehr verfügbar"));
}

void LearnRun::next() {
    singleStepPhase_ = 1;
    step(false);
}

void LearnRun::singleStep() {
    step(true);
    singleStepPhase_ = singleStepPhase_ == 1 ? 2 : 1;
}

void LearnRun::previous() {
    if (ctx_.options.OrderMode != Sequential)
        ctx_.prompter().information(QStringLiteral("fehler"));
    // The pool stands one past the card shown, except at its end, where it
    // stays on that card.
    if (!pool_.atEnd())
        pool_.prior();
    pool_.prior();
    showCurrent(false);
    pool_.next();
    singleStepPhase_ = 1;
}

} // namespace training
