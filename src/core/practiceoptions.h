// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsstore.h"

#include <optional>

namespace core {

// The learn and test options both runs share, kept for the whole run.
struct PracticeOptions {
    enum TimerMode { NoTimer = 0, TotalTime = 1, TimePerWord = 2 };

    int OrderMode = 1; // 1 "Sequentiell", 2 "Zufällig", 3 "Nach Können"
    int Direction = 0; // 0: German shown, foreign asked; 1: the other way
    bool loop = false;
    bool override = false;
    bool keyboard = false;
    // Multiple choice: the wrong captions come from words of the question's
    // kind ("Gattung") where the lesson has enough of them.
    bool choicesOfSameKind = false;
    bool timerOn = false;
    int timerMode = NoTimer;
    int TimeBudget = 360;  // seconds
    int inputOption = 0;   // carried through unchanged
    int rawTimeBudget = 0; // timerzeit as stored, for the countdown's start value
    // "Zeit pro Vokabel" as last confirmed; 0 when never set. The budget of
    // that mode follows the pool a run starts on, not the one confirmed with.
    int secondsPerWord = 0;
    // The timer radio button selected in the test options dialog; nothing is
    // written for the timer when none is selected.
    std::optional<int> selectedTimerMode;

    void load(const SettingsStore& settings);
    void save(SettingsStore& settings) const;
};

} // namespace core
