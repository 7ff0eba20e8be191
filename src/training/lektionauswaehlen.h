// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace training {

// "Lektion auswählen": the lessons of the current user's language, for
// learning or for a test. What "Ok" leads to is the caller's `onChosen`,
// called with the chosen name; it returns false to keep the dialog open.
class LessonDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Learn, Test };
    LessonDialog(core::AppContext& ctx, Purpose purpose, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QListWidget* ListBox1;
    QPushButton* Button1; // Ok
    QPushButton* Button2; // Abbrechen

    std::function<bool(const QString&)> onChosen;

    void FormShow();
    void Button1Click();
    void FormClose();

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    core::AppContext& ctx_;
};

// The two forms of the dialog: before learning and before a test.
class lektionauswaehlenF : public LessonDialog {
public:
    explicit lektionauswaehlenF(core::AppContext& ctx, QWidget* parent = nullptr)
        : LessonDialog(ctx, Purpose::Learn, parent) {}
};

class lektionauswaehlentestf : public LessonDialog {
public:
    explicit lektionauswaehlentestf(core::AppContext& ctx, QWidget* parent = nullptr)
        : LessonDialog(ctx, Purpose::Test, parent) {}
};

} // namespace training
