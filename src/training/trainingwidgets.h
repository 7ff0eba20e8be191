// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QString>
#include <functional>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QVBoxLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace training {

// The controls of the learn and test panels, built alike so both look alike.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QToolButton* makeToggle(QWidget* parent, const char* name, const QString& caption);
// The shared help button, sized like the toggles next to it.
QToolButton* makeHelpButton(QWidget* parent, const char* name, core::WindowHost& host, core::ManualPlace place);
QComboBox* makeOrderCombo(QWidget* parent, const char* name);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {});
// A light bar for the toggles at the top of a panel.
QWidget* makeToolbar(QWidget* parent, QHBoxLayout*& row);
// Lets the controls of a toolbar row give up width in a narrow window
// instead of widening it; at full width they show as they are.
void letToolbarShrink(QHBoxLayout* row);

// The start of both panels' toolbars: the order combo box, the loop toggle
// and the direction toggle, wired to the shared options; `changed` runs after
// any of them changed an option. The toolbar is added to `outer`; more
// controls go into `row`.
struct CommonToggles {
    QComboBox* order;
    QToolButton* loop;
    QToolButton* direction;
    QHBoxLayout* row;
};
CommonToggles makeCommonToggles(QWidget* owner, QVBoxLayout* outer, const char* orderName, const char* loopName,
                                const char* directionName, core::AppContext& ctx, const std::function<void()>& changed);

// "Ok" (the default button) and "Abbrechen" (rejects the dialog).
QDialogButtonBox* makeOkCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

// "deutsch-englisch" for direction 0, "englisch-deutsch" for direction 1.
QString directionCaption(const QString& language, int direction);

// The style shared by the practice panels and dialogs.
QString practiceStyleSheet();

} // namespace training
