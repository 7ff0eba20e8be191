// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace training {

// Arrows beside a number field: one step up or down within a range.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(const char* name, QLineEdit* buddy, int min, int max, QWidget* parent);
    void stepBy(int delta);

private:
    QLineEdit* buddy_;
    int min_;
    int max_;
};

// What both option dialogs share: the order and direction groups, "Ok",
// "Abbrechen" and the help button.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(core::AppContext& ctx, core::WindowHost& host, const char* name, const QString& caption,
                  const QString& directionZero, QWidget* parent);

    QGroupBox* GBReihenfolge;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QGroupBox* GBAbfragerichtung;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton5;
    QPushButton* Button1;       // Ok
    QPushButton* Button2;       // Abbrechen
    QToolButton* SpeedButton16; // help

    // The direction captions for the current language.
    void captionLanguage(const QString& language);

protected:
    // The layout the subclasses add their groups to, left and right column.
    QVBoxLayout* leftColumn() const { return left_; }
    QVBoxLayout* rightColumn() const { return right_; }
    void showOrderAndDirection();
    // Tab reaches help, "Ok" and "Abbrechen" after `last`, the subclass's
    // last control, as they stand below the groups.
    void buttonsAfter(QWidget* last);
    // Order mode and direction from the radio buttons; an unselected group
    // leaves its value as it is.
    void takeOrderAndDirection();
    // A named group with a vertical layout, a check box added to a group's
    // layout, a named radio button (the caller places it).
    static QGroupBox* group(QWidget* parent, const char* name, const QString& title);
    static QCheckBox* checkBox(QGroupBox* group, const char* name, const QString& text);
    static QRadioButton* radio(QWidget* parent, const char* name, const QString& text);
    core::AppContext& ctx_;

private:
    QVBoxLayout* left_;
    QVBoxLayout* right_;
};

} // namespace training
