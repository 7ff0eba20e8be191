// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answercheck.h"
#include "choicefill.h"
#include "core/appcontext.h"
#include "pool.h"

#include <QString>

namespace training {

// What a test run shows. The run decides; the view only draws.
class TestRunView {
public:
    enum class Verdict { Right, Wrong, NoMoreWords, TimeUp };

    virtual ~TestRunView() = default;
    virtual void showQuestion(int vocabularyId) = 0;
    // The four captions of a multiple-choice question, ready to be clicked.
    virtual void showChoices(const Choices& choices) = 0;
    // The typed answer is expected next.
    virtual void focusAnswer() = 0;
    virtual void showVerdict(Verdict verdict) = 0;
    // A new run: no verdict and no statistics until its first answer.
    virtual void hideVerdict() = 0;
    virtual void showTotals(const RunTotals& totals) = 0;
    virtual void showClock(int secondsLeft) = 0;
    // The one-second ticks that reach TestRun::Timer1Timer.
    virtual void startClock() = 0;
    virtual void stopClock() = 0;
    // Start, stop and the answer controls as a running or an idle run needs them.
    virtual void showRunning(bool running) = 0;
};

// One test run: questions drawn from the pool, the answer's verdict (with
// the user's override), the learning coefficients and the user's totals,
// and the optional countdown. Prompts go through the context's prompter.
class TestRun {
public:
    TestRun(core::AppContext& ctx, Pool& pool, TestRunView& view) : ctx_(ctx), pool_(pool), view_(view) {}

    void start();
    void stop();
    void answer(const QString& text);
    void Timer1Timer();
    // The input mode changed: a question asked for typing gets its choices.
    void keyboardModeChanged();

    bool running() const { return running_; }
    int questionId() const { return questionId_; }
    const RunTotals& totals() const { return totals_; }
    // Adds the answers not yet counted to the current user's totals.
    void addTotalsToUser() { totals_.addTo(ctx_.db); }
    // Forgets the draws of a run without loop (a new lesson or new options).
    void clearAsked() { asked_.clear(); }

    int countdown() const { return countdown_; }
    void setCountdown(int seconds) { countdown_ = seconds; }
    // While idle, the clock shows the time the next run will have.
    void resetClock();
    // The time a run started now would have: "Zeit pro Vokabel" counts the
    // chosen lesson's entries as they are at this moment.
    int budget() const;

private:
    void nextEntry(); // draws and shows the next question, or ends the run
    void fillChoices();

    core::AppContext& ctx_;
    Pool& pool_;
    TestRunView& view_;
    RunTotals totals_;
    AskedList asked_;
    int countdown_ = 0;
    bool running_ = false;
    int runSerial_ = 0; // changes at every stop, so an answer can tell its run has ended
    int questionId_ = 0;
    int questionSerial_ = 0; // counts the questions shown
    int choicesFor_ = -1;    // the question the choice captions were drawn for
};

} // namespace training
