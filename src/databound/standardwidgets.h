// SPDX-License-Identifier: GPL-3.0-or-later
// The small controls every window shows alike: the help button and the
// row of dialog buttons.
#pragma once

#include "core/windowhost.h"

#include <initializer_list>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace databound {

// The "?" button; a click opens the manual at `place`.
QToolButton* helpButton(QWidget* parent, const char* objectName, core::WindowHost& host, core::ManualPlace place);

// The confirming button (the default one) and the one that rejects `dialog`.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel okCancel(QDialog* dialog, const char* okName, const QString& okCaption, const char* cancelName);

// A dialog's bottom line: the help button on the left, `buttons` on the right.
QHBoxLayout* buttonRow(QToolButton* help, std::initializer_list<QPushButton*> buttons);

} // namespace databound
