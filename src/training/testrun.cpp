// SPDX-License-Identifier: GPL-3.0-or-later
#include "testrun.h"
#include "questionorder.h"
#include "core/fieldnames.h"

namespace training {

int TestRun::budget() const {
    auto& o = ctx_.options;
    if (o.timerMode != core::PracticeOptions::TimePerWord || o.secondsPerWord <= 0 || !pool_.isChosen())
        return o.TimeBudget;
    return o.secondsPerWord * pool_.size();
}

void TestRun::resetClock() {
    if (running_)
        return;
    countdown_ = budget();
    view_.showClock(countdown_);
}

void TestRun::start() {
    if (running_)
        return;
    auto& o = ctx_.options;
    if (!readyToStart(pool_, ctx_.prompter(), QStringLiteral("Testen")))
        return;
    if (o.timerOn && o.TimeBudget <= 0) {
        ctx_.prompter().information(QStringLiteral("Für den Test ist keine Zeit eingestellt. Bitte stellen Sie unter "
                                                   "„Optionen“ eine Zeit ein oder schalten Sie den Timer aus."));
        return;
    }
    view_.hideVerdict();
    pool_.first();
    totals_.reset();
    asked_.clear();
    countdown_ = budget();
    o.TimeBudget = countdown_;
    running_ = true;
    nextEntry();
    if (!running_)
        return;
    if (!o.keyboard)
        fillChoices();
    if (o.timerOn) {
        view_.showClock(countdown_);
        view_.startClock();
    }
    view_.showRunning(true);
}

void TestRun::stop() {
    totals_.addTo(ctx_.db);
    if (ctx_.options.timerOn) {
        view_.stopClock();
        // Before any run the clock shows the time the next one will have.
        if (!running_)
            countdown_ = budget();
        view_.showClock(countdown_);
    }
    running_ = false;
    ++runSerial_;
    view_.stopClock();
    view_.showRunning(false);
}

void TestRun::nextEntry() {
    const auto result = nextTestEntry(pool_, asked_, ctx_.options, ctx_.random(), ctx_.db, [this] {
        questionId_ = pool_.vocabularyId();
        ++questionSerial_;
        view_.showQuestion(questionId_);
    });
    if (result == DrawResult::Shown)
        return;
    // Every order ends the run at the end of the pool, so the last question
    // cannot be answered into the totals over and over.
    if (ctx_.options.OrderMode == Sequential) {
        view_.showVerdict(TestRunView::Verdict::NoMoreWords);
    } else {
        const int serial = runSerial_;
        ctx_.prompter().information(QStringLiteral("Keine weiteren Vokabeln mehr verfügbar"));
        // The time may have run out while the message was open: that run is
        // stopped already, and its clock stays at "00:00".
        if (serial != runSerial_)
            return;
    }
    stop();
}

void TestRun::fillChoices() {
    choicesFor_ = questionSerial_;
    view_.showChoices(ChoiceFill(pool_, ctx_.db.vocabulary, ctx_.random(), questionId_, ctx_.options.Direction,
                                 ctx_.options.choicesOfSameKind));
}

void TestRun::keyboardModeChanged() {
    if (running_ && !ctx_.options.keyboard && choicesFor_ != questionSerial_)
        fillChoices(); // switched to choices in the middle of a question asked for typing
}

void TestRun::answer(const QString& text) {
    if (!running_)
        return;
    auto& o = ctx_.options;
    auto& db = ctx_.db;
    const int serial = runSerial_;
    const CheckResult check = AnswerCheck(db.vocabulary, questionId_, o.Direction, text);
    bool right = check.right;
    if (!right && o.override) {
        const core::Answer a = ctx_.prompter().ask(QStringLiteral("Die Lösung lautet: ") + check.solution +
                                                       QStringLiteral(". Sie haben eingegeben: ") + text +
                                                       QStringLiteral(". Ist das wirklich ein Fehler?"),
                                                   core::Buttons::YesNo);
        // The time may have run out while the question was open: that run is
        // over and its totals are written, so this answer no longer counts.
        if (serial != runSerial_ || !running_)
            return;
        right = a != core::Answer::Yes;
    }
    view_.showVerdict(right ? TestRunView::Verdict::Right : TestRunView::Verdict::Wrong);
    totals_.count(right);
    if (db.locateCurrentUser())
        CoefficientUpdate(db.knowledge, questionId_, db.users.integer(core::field::kId), right);
    view_.showTotals(totals_);
    nextEntry();
    if (!running_)
        return;
    if (o.keyboard)
        view_.focusAnswer();
    else
        fillChoices();
}

void TestRun::Timer1Timer() {
    if (!running_)
        return;
    --countdown_;
    view_.showClock(countdown_);
    if (countdown_ > 0)
        return;
    countdown_ = 0;
    view_.showVerdict(TestRunView::Verdict::TimeUp);
    view_.stopClock();
    stop();
}

} // namespace training
