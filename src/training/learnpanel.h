// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardimage.h"
#include "core/appcontext.h"
#include "core/windowhost.h"
#include "learnrun.h"
#include "pool.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace training {

// The content of the "Lernen" panel: the cards of the learn run, question on
// the left, meanings on the right, and the controls that drive the run.
class LearnPanel : public QWidget, private LearnRunView {
    Q_OBJECT
public:
    LearnPanel(core::AppContext& ctx, Pool& pool, core::WindowHost& host, QWidget* parent = nullptr);

    QPushButton* BLernenStart;
    QPushButton* BLernenStop;
    QPushButton* BNaechste;
    QPushButton* BVorher;
    QPushButton* BEinzelschritt;
    QPushButton* SpeedButton12; // Optionen
    QToolButton* SpeedButton13; // help
    CardImage* Image1;
    CardImage* Image2;
    QComboBox* CBReihenfolge;
    QToolButton* SBSChleife;
    QToolButton* SBAbfragerichtung;
    QLabel* LKartenposition; // "Karte 17 von 123" while a run shows cards

    std::function<void()> onOptions; // opens the learn options dialog

    void BLernenStartClick();
    void Stop();
    void BNaechsteClick();
    void BVorherClick();
    void BEinzelschrittClick();

    // Order, loop and direction toggles as the options in force say.
    void showOptions();
    void captionDirection(const QString& language);

    LearnRun& run() { return run_; }

signals:
    // A toolbar control changed an option; every control showing it follows.
    void optionsChanged();

private:
    void buildUi();
    void showCard(int vocabularyId, CardPart part) override;
    void showRunning(bool running, bool canStepBack) override;
    void showProgress(int number, int count) override;

    core::AppContext& ctx_;
    core::WindowHost& host_;
    LearnRun run_;
};

} // namespace training
