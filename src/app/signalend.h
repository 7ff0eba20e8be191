// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/services.h"

#include <memory>

// Ending the program on a termination signal, whatever is on screen.
namespace signalend {

// Closes every modal dialog, message box and open menu, innermost first.
void dismissModalWindows();

// The program's prompter, until a signal asks the program to end: from then
// on no box is shown any more, and every question, also one whose box the
// signal closed, is refused ("Nein", "Abbrechen"): a signal must never
// confirm a deletion or a restore that a person left unanswered. The close
// step itself does not wait for an answer once a signal ends the program
// (`Mainform::endOnSignal`).
class EndingPrompter : public core::Prompter {
public:
    explicit EndingPrompter(std::unique_ptr<core::Prompter> inner) : inner_(std::move(inner)) {}
    void startEnding() { ending_ = true; }
    bool ending() const { return ending_; }

    void information(const QString& text, const QString& caption) override;
    core::Answer ask(const QString& text, core::Buttons buttons, const QString& caption) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;

private:
    static core::Answer endingAnswer(core::Buttons buttons);
    std::unique_ptr<core::Prompter> inner_;
    bool ending_ = false;
};

} // namespace signalend
