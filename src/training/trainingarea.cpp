// SPDX-License-Identifier: GPL-3.0-or-later
#include "trainingarea.h"

#include <QEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace training {

TrainingArea::TrainingArea(core::AppContext& ctx, core::WindowHost& host, QVBoxLayout* learnContent,
                           QVBoxLayout* testContent, QWidget* dialogParent)
    : QObject(dialogParent), pool(ctx.db), ctx_(ctx), host_(host) {
    learnPanel = new LearnPanel(ctx, pool, host_);
    testPanel = new TestPanel(ctx, pool, host_);
    learnContent->addWidget(learnPanel);
    testContent->addWidget(testPanel);
    lektionauswaehlenF = new training::lektionauswaehlenF(ctx, dialogParent);
    lektionauswaehlentestF = new training::lektionauswaehlentestf(ctx, dialogParent);
    lernenoptionenF = new training::lernenoptionenF(ctx, host_, pool, *learnPanel, *testPanel, dialogParent);
    testoptionenF = new training::testoptionenF(ctx, host_, pool, *learnPanel, *testPanel, dialogParent);

    lektionauswaehlenF->onChosen = [this](const QString& name) { return learnLessonChosen(name); };
    lektionauswaehlentestF->onChosen = [this](const QString& name) { return testLessonChosen(name); };
    learnPanel->onOptions = [this] { lernenoptionenF->exec(); };
    testPanel->onOptions = [this] { testoptionenF->exec(); };
    connect(learnPanel, &LearnPanel::optionsChanged, this, &TrainingArea::showOptionsInForce);
    connect(testPanel, &TestPanel::optionsChanged, this, &TrainingArea::showOptionsInForce);
    connect(lernenoptionenF, &QDialog::accepted, this, &TrainingArea::showOptionsInForce);
    connect(testoptionenF, &QDialog::accepted, this, &TrainingArea::showOptionsInForce);
    dialogParent->installEventFilter(this);
}

bool TrainingArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && testPanel->run().running())
        testPanel->run().addTotalsToUser();
    return QObject::eventFilter(watched, event);
}

TrainingArea::~TrainingArea() = default;

void TrainingArea::labelLanguage(const QString& language) {
    lernenoptionenF->captionLanguage(language);
    testoptionenF->captionLanguage(language);
    if (!optionsShown_) {
        optionsShown_ = true;
        learnPanel->showOptions();
        testPanel->showOptions();
        testPanel->run().setCountdown(ctx_.options.TimeBudget);
        testPanel->showCountdownLabel();
    }
    learnPanel->captionDirection(language);
    testPanel->captionDirection(language);
    if (language != language_ && !language_.isEmpty()) {
        // The chosen lesson belongs to the old language's words.
        if (testPanel->run().running())
            testPanel->Stop();
        learnPanel->Stop();
        pool.forget();
    }
    language_ = language;
}

void TrainingArea::showOptionsInForce() {
    learnPanel->showOptions();
    testPanel->showOptions();
    const QString language = ctx_.db.currentLanguage();
    learnPanel->captionDirection(language);
    testPanel->captionDirection(language);
}

bool TrainingArea::choosePool(const QString& name) {
    host_.ResetView();
    if (pool.choose(name))
        return true;
    ctx_.prompter().information(QStringLiteral("Die Lektion „%1“ gibt es nicht mehr.").arg(name));
    return false;
}

bool TrainingArea::learnLessonChosen(const QString& name) {
    if (!choosePool(name))
        return false;
    learnPanel->BLernenStart->setEnabled(true);
    learnPanel->BLernenStop->setEnabled(false);
    host_.showPanelOf(learnPanel);
    learnPanel->Stop();
    return true;
}

bool TrainingArea::testLessonChosen(const QString& name) {
    testPanel->applyKeyboardMode();
    if (!choosePool(name))
        return false;
    testPanel->run().clearAsked();
    testPanel->showCountdownLabel();
    testPanel->Stop();
    host_.showPanelOf(testPanel);
    return true;
}

} // namespace training
