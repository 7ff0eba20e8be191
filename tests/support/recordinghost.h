// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/windowhost.h"

#include <QStringList>

// Stands in for the main window when a test builds a window on its own:
// records what the window asked of it, in order, and otherwise does nothing.
class RecordingHost : public core::WindowHost {
public:
    QStringList calls;          // "ResetView", "OpenManual Dialog", "switchLanguage Englisch", ...
    bool switchSucceeds = true; // what switchLanguage answers
    bool timerRunning = false;

    void ResetView() override { calls << QStringLiteral("ResetView"); }
    void showPanelOf(QWidget*) override { calls << QStringLiteral("showPanelOf"); }
    void OpenManual(core::ManualPlace place) override {
        calls << (place == core::ManualPlace::Main ? QStringLiteral("OpenManual Main")
                                                   : QStringLiteral("OpenManual Dialog"));
    }
    void DetachVocabularyViews() override { calls << QStringLiteral("DetachVocabularyViews"); }
    void AttachVocabularyViews() override { calls << QStringLiteral("AttachVocabularyViews"); }
    void startSecondTimer() override { timerRunning = true; }
    void stopSecondTimer() override { timerRunning = false; }
    bool secondTimerActive() const override { return timerRunning; }
    bool switchLanguage(const QString& language) override {
        calls << QStringLiteral("switchLanguage ") + language;
        return switchSucceeds;
    }
    void showCurrentUser() override { calls << QStringLiteral("showCurrentUser"); }
    void beforeUserChanges() override { calls << QStringLiteral("beforeUserChanges"); }
    void previewPrint(core::PrintKind kind, bool german) override {
        calls << QStringLiteral("previewPrint %1 %2").arg(int(kind)).arg(german ? "deutsch" : "auslaendisch");
    }
    void inform(const QString& text) override { calls << QStringLiteral("inform ") + text; }
};
