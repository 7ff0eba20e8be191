// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace training {

// What the learn and test windows need from the main window that holds them.
class TrainingHost {
public:
    virtual ~TrainingHost() = default;
    // Lifts every table restriction and hides all work panels.
    virtual void resetView() = 0;
    // Shows the work panel that holds `content`, leaving the tables as they are.
    virtual void showPanelOf(QWidget* content) = 0;
    // The main window's one-second timer.
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;
    virtual bool timerActive() const = 0;
    virtual void openManual(bool fromDialog) = 0;
};

} // namespace training
