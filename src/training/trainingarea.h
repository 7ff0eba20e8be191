// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"
#include "lektionauswaehlen.h"
#include "lernenoptionen.h"
#include "testoptionen.h"

#include <QObject>

class QVBoxLayout;

namespace training {

// Learning and testing as the main window holds it: the pool, both panels,
// the two lesson dialogs and the two option dialogs, wired together.
class TrainingArea : public QObject {
    Q_OBJECT
public:
    TrainingArea(core::AppContext& ctx, core::WindowHost& host, QVBoxLayout* learnContent, QVBoxLayout* testContent,
                 QWidget* dialogParent);
    ~TrainingArea() override;

    Pool pool;
    LearnPanel* learnPanel;
    TestPanel* testPanel;
    training::lektionauswaehlenF* lektionauswaehlenF;
    training::lektionauswaehlentestf* lektionauswaehlentestF;
    training::lernenoptionenF* lernenoptionenF;
    training::testoptionenF* testoptionenF;

    void LernenClick() { lektionauswaehlenF->exec(); }
    void TestenClick() { lektionauswaehlentestF->exec(); }
    void Timer1Timer() { testPanel->Timer1Timer(); }
    // The language's name in every caption that shows it; the first call,
    // at start after the options are loaded, also sets every toggle.
    void labelLanguage(const QString& language);

protected:
    // Answers of a test still running when the program closes reach the
    // totals before the tables are written.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool learnLessonChosen(const QString& name);
    bool testLessonChosen(const QString& name);
    bool choosePool(const QString& name);
    // Both panels' controls show the options in force, whoever changed them.
    void showOptionsInForce();

    core::AppContext& ctx_;
    core::WindowHost& host_;
    bool optionsShown_ = false;
    QString language_;
};

} // namespace training
