// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answercheck.h"
#include "cardimage.h"
#include "core/appcontext.h"
#include "pool.h"
#include "traininghost.h"

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

// The content of the "Testen" panel and the test run behind it: questions
// from the pool, typed or chosen answers, the learning coefficients and the
// user's totals, and the optional countdown.
class TestPanel : public QWidget {
    Q_OBJECT
public:
    TestPanel(core::AppContext& ctx, Pool& pool, TrainingHost& host, QWidget* parent = nullptr);

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

    // The test state.
    RunTotals totals;
    AskedList asked;
    int Countdown = 0;
    bool running() const { return running_; }
    int questionId() const { return questionId_; }

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
    // The time a run started now would have: "Zeit pro Vokabel" counts the
    // chosen lesson's entries as they are at this moment.
    int budget() const;
    QPushButton* choiceButton(int slot) const;

signals:
    // A toolbar control changed an option; every control showing it follows.
    void optionsChanged();

private:
    void buildUi();
    void submit(const QString& answer);
    void nextEntry(); // draws and shows the next question, or ends the run
    void ShowQuestion();
    void fillChoices();
    void showResult(const QString& text, const QColor& colour);
    void showCountdown();

    core::AppContext& ctx_;
    Pool& pool_;
    TrainingHost& host_;
    bool running_ = false;
    int runSerial_ = 0; // changes at every Stop, so an answer can tell its run has ended
    int questionId_ = 0;
    int questionSerial_ = 0; // counts the questions shown
    int choicesFor_ = -1;    // the question the choice captions were drawn for
    QStackedLayout* inputs_ = nullptr; // the typed answer or the four choices
};

} // namespace training
