// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace training {

// The controls of the learn and test panels, built alike so both look alike.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QToolButton* makeToggle(QWidget* parent, const char* name, const QString& caption);
QToolButton* makeHelpButton(QWidget* parent, const char* name);
QComboBox* makeOrderCombo(QWidget* parent, const char* name);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {});
// A light bar for the toggles at the top of a panel.
QWidget* makeToolbar(QWidget* parent, QHBoxLayout*& row);

// "deutsch-englisch" for direction 0, "englisch-deutsch" for direction 1.
QString directionCaption(const QString& language, int direction);

// The style shared by the practice panels and dialogs.
QString practiceStyleSheet();

} // namespace training
