// SPDX-License-Identifier: GPL-3.0-or-later
// Learning and testing in the main window: panels, dialogs and their wiring.
#include "mainform.h"

namespace shell {

void Mainform::createTrainingWindows() {}
void Mainform::labelLanguageTraining(const QString&) {}
void Mainform::LernenClick() {}
void Mainform::TestenClick() {}
void Mainform::StatistikClick() { showPanel(PBenutzerstatistik); }
void Mainform::Timer1Timer() {}

} // namespace shell
