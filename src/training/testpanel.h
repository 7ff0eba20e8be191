// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answercheck.h"
#include "cardimage.h"
#include "core/appcontext.h"
#include "pool.h"
#include "testrun.h"
#include "core/windowhost.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class QToolButton;

namespace training {

// The content of the "Testen" panel: shows what its TestRun tells it and
// forwards clicks, keys and timer ticks to the run.
class TestPanel : public QWidget, private TestRunView {
    Q_OBJECT
public:
    TestPanel(core::AppContext& ctx, Pool& pool, core::WindowHost& host, QWidget* parent = nullptr);

    QPushButton* BTestStart;
    QPushButton* BTEstStop;
    QPushButton* SpeedButton10; // Optionen
    QToolButton* SpeedButton11; // help
    CardImage* Image3;
    QLabel* LBemerkung;
    QLineEdit* Edit1;
    QPushButton* BOK;
    QPushButton* Button2; // Enter in the answer field
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* Button10;
    QPushButton* Button11;
    QLabel* LRF;
    QGroupBox* GBStatistik;
    QLabel* LAnzahl;
    QLabel* Lrichtig;
    QLabel* Lfalsch;
    QLabel* Label1; // countdown
    QComboBox* ComboBox1;
    QToolButton* SBSChleifeTest;
    QToolButton* SBAbfragerichtungTest;
    QToolButton* SBTimer;
    QToolButton* SBUeberstimmen;
    QToolButton* SBTastatureingabe;

    TestRun& run() { return run_; }
    const TestRun& run() const { return run_; }

    std::function<void()> onOptions; // opens the test options dialog

    void BTestStartClick();
    void Stop();
    void BOKClick();
    void choiceClick(QPushButton* button);
    void Timer1Timer();

    // Shows the input controls the keyboard setting asks for.
    void applyKeyboardMode();
    // Every toolbar control as the options in force say.
    void showOptions();
    void captionDirection(const QString& language);
    void showCountdownLabel();
    QPushButton* choiceButton(int slot) const;

signals:
    // A toolbar control changed an option; every control showing it follows.
    void optionsChanged();

private:
    void buildUi();
    void showResult(const QString& text, const QColor& colour);

    // TestRunView
    void showQuestion(int vocabularyId) override;
    void showChoices(const Choices& choices) override;
    void focusAnswer() override;
    void showVerdict(Verdict verdict) override;
    void hideVerdict() override;
    void showTotals(const RunTotals& totals) override;
    void showClock(int secondsLeft) override;
    void startClock() override;
    void stopClock() override;
    void showRunning(bool running) override;

    core::AppContext& ctx_;
    Pool& pool_;
    core::WindowHost& host_;
    TestRun run_;
    QStackedLayout* inputs_ = nullptr; // the typed answer or the four choices
};

} // namespace training
