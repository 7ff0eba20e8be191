// SPDX-License-Identifier: GPL-3.0-or-later
// Learning and testing in the main window: panels, dialogs and their wiring.
#include "mainform.h"
#include "training/trainingarea.h"
#include "workpanel.h"

#include <QLabel>
#include <QTimer>

namespace shell {

void Mainform::createTrainingWindows() {
    PLernen->titleLabel()->setObjectName(QStringLiteral("Label27"));
    PTesten->titleLabel()->setObjectName(QStringLiteral("Label25"));
    training = new training::TrainingArea(ctx_, *this, PLernen->contentLayout(), PTesten->contentLayout(), this);
}

void Mainform::labelLanguageTraining(const QString& L) {
    if (training)
        training->labelLanguage(L);
}

void Mainform::LernenClick() {
    if (training)
        training->LernenClick();
}

void Mainform::TestenClick() {
    if (training)
        training->TestenClick();
}

void Mainform::startSecondTimer() {
    Timer1->start();
}
void Mainform::stopSecondTimer() {
    Timer1->stop();
}
bool Mainform::secondTimerActive() const {
    return Timer1->isActive();
}

void Mainform::StatistikClick() {
    showPanel(PBenutzerstatistik);
}

void Mainform::Timer1Timer() {
    if (training)
        training->Timer1Timer();
}

} // namespace shell
