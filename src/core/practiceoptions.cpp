// SPDX-License-Identifier: GPL-3.0-or-later
#include "practiceoptions.h"

#include <algorithm>

namespace core {

void PracticeOptions::load(const SettingsStore& s) {
    OrderMode = s.readInteger("reihenfolge");
    if (OrderMode < 1 || OrderMode > 3)
        OrderMode = 1; // nothing stored yet, or a value no dialog can set
    Direction = s.readInteger("richtung") == 0 ? 0 : 1;
    loop = s.readInteger("Schleife") != 0;
    override = s.readInteger("ueberstimmen") != 0;
    choicesOfSameKind = s.readInteger("gleicheWortart") != 0;
    keyboard = s.readInteger("tastatur") != 0;
    timerMode = s.readInteger("Timer");
    if (timerMode < NoTimer || timerMode > TimePerWord)
        timerMode = NoTimer;
    timerOn = timerMode == TotalTime || timerMode == TimePerWord;
    selectedTimerMode = timerMode;
    rawTimeBudget = s.readInteger("timerzeit");
    TimeBudget = rawTimeBudget == 0 ? 360 : rawTimeBudget;
    inputOption = s.readInteger("eingabeoption");
    secondsPerWord = std::max(0, s.readInteger("sekundenprovokabel"));
}

void PracticeOptions::save(SettingsStore& s) const {
    s.writeInteger("richtung", Direction);
    s.writeInteger("eingabeoption", inputOption);
    s.writeInteger("reihenfolge", OrderMode);
    s.writeInteger("Schleife", loop ? 1 : 0);
    s.writeInteger("ueberstimmen", override ? 1 : 0);
    s.writeInteger("gleicheWortart", choicesOfSameKind ? 1 : 0);
    s.writeInteger("tastatur", keyboard ? 1 : 0);
    if (selectedTimerMode)
        s.writeInteger("timer", *selectedTimerMode);
    s.writeInteger("timerzeit", TimeBudget);
    if (secondsPerWord > 0)
        s.writeInteger("sekundenprovokabel", secondsPerWord);
}

} // namespace core
