// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardview.h"
#include "core/appcontext.h"
#include "pool.h"

namespace training {

// What a learn run shows. The run decides which card and which half; the
// view only draws.
class LearnRunView {
public:
    virtual ~LearnRunView() = default;
    virtual void showCard(int vocabularyId, CardPart part) = 0;
    // Where the run is: card `number` of `count` (in a drawn order the
    // number of cards drawn so far, counted again from 1 after `count`).
    virtual void showProgress(int number, int count) = 0;
    // Start, stop and the step controls as a running or an idle run needs
    // them; stepping back is offered only where the order allows it.
    virtual void showRunning(bool running, bool canStepBack) = 0;
};

// One learn run: the cards of the pool in the order the options say, in
// whole steps or in half steps (question, then answers), with a step back
// in sequential order. Learning only reads the tables; its one message
// goes through the context's prompter.
class LearnRun {
public:
    LearnRun(core::AppContext& ctx, Pool& pool, LearnRunView& view) : ctx_(ctx), pool_(pool), view_(view) {}

    void start();
    void stop();
    void next();
    void singleStep();
    void previous();
    // The options changed during the run: stepping back follows the order.
    void optionsChanged();

    bool running() const { return running_; }
    // 1 while the next half step shows a question, 2 while it shows the answers.
    int singleStepPhase() const { return singleStepPhase_; }
    // Forgets the draws of a run without loop (a new lesson or new options).
    void clearAsked() { asked_.clear(); }

private:
    void step(bool single);
    void showCurrent(bool single);

    core::AppContext& ctx_;
    Pool& pool_;
    LearnRunView& view_;
    AskedList asked_;
    int singleStepPhase_ = 1;
    int drawn_ = 0; // cards shown in a drawn order
    bool running_ = false;
};

} // namespace training
