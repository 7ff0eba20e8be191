// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardimage.h"
#include "core/appcontext.h"
#include "pool.h"
#include "core/windowhost.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;
class QToolButton;

namespace training {

// The content of the "Lernen" panel and the learn run: cards of the pool,
// question on the left, meanings on the right, in whole or half steps.
// Learning only reads the tables.
class LearnPanel : public QWidget {
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

    // The learn state.
    AskedList asked;
    int SingleStepPhase = 1;

    std::function<void()> onOptions; // opens the learn options dialog

    void BLernenStartClick();
    void Stop();
    void BNaechsteClick();
    void BVorherClick();
    void BEinzelschrittClick();

    // Order, loop and direction toggles as the options in force say.
    void showOptions();
    void captionDirection(const QString& language);

signals:
    // A toolbar control changed an option; every control showing it follows.
    void optionsChanged();

private:
    void buildUi();
    void step(bool single);
    void drawCurrent(bool single);

    core::AppContext& ctx_;
    Pool& pool_;
    core::WindowHost& host_;
};

} // namespace training
