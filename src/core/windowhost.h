// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printkind.h"

#include <QString>

class QWidget;

namespace core {

// Which manual a help button opens: the main window's or the dialogs' page.
enum class ManualPlace { Main, Dialog };

// What the windows need of the main window that holds them. Every window
// reaches the main window through this and nothing else, so a test can stand
// in for it.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Lifts every table restriction and hides all work panels.
    virtual void ResetView() = 0;
    // Shows the work panel that holds `content`, leaving the tables as they are.
    virtual void showPanelOf(QWidget* content) = 0;
    virtual void OpenManual(ManualPlace place) = 0;

    // Bulk passes over the vocabulary switch its views off meanwhile.
    virtual void DetachVocabularyViews() = 0;
    virtual void AttachVocabularyViews() = 0;

    // The main window's one-second timer.
    virtual void startSecondTimer() = 0;
    virtual void stopSecondTimer() = 0;
    virtual bool secondTimerActive() const = 0;

    // Writes the loaded vocabulary away and loads `language` as the current
    // user's language; false, with everything as it was, when that failed.
    virtual bool switchLanguage(const QString& language) = 0;
    // Status bar panel 0.
    virtual void showCurrentUser() = 0;
    // Before another user becomes current: what the current one did so far
    // (a running test's answers) is credited to them.
    virtual void beforeUserChanges() = 0;

    // Opens the preview for the vocabulary table's filter and ordering as a
    // print dialog left them; `german` tells the test's side.
    virtual void previewPrint(PrintKind kind, bool german) = 0;
    // A message for the user.
    virtual void inform(const QString& text) = 0;
};

} // namespace core
