// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QDialog>

class QPushButton;
class QToolButton;
class QLabel;
class QBoxLayout;
class QLayout;

namespace databound {
class ComboBox;
class DataSource;
class Edit;
class LookupListBox;
} // namespace databound

namespace users {

// The parts the four user dialogs share: their own link to the users table,
// the help button and the dialog buttons.
class UserDialog : public QDialog {
    Q_OBJECT
public:
    UserDialog(core::AppContext& ctx, core::WindowHost& host, const QString& objectName, const QString& caption,
               QWidget* parent);

    databound::DataSource* source;
    QToolButton* SpeedButtonHilfe;
    QPushButton* BOk;
    QPushButton* BAbbrechen;

protected:
    databound::LookupListBox* makeUserList();
    // Whether `language` is one the language dialog lists; says why not.
    bool languageIsKnown(const QString& language);
    QString unknownLanguage(const QString& language) const; // "" when known, else why not
    // After the current user's language changed: load that language so the
    // loaded vocabulary never lands in another language's file.
    void followCurrentUsersLanguage();
    // Makes user `id` the current user, telling the main window before and
    // after; the users table stays on that user.
    void switchToUser(int id);
    void addButtons(QLayout* layout, const QString& okCaption);
    // The "Name:" field and the "bevorzugte Sprache: " combo of the current record.
    void addNameAndLanguage(QBoxLayout* layout, databound::Edit*& name, databound::ComboBox*& language);
    // The languages of the data folder as the choices of a language combo.
    void fillLanguages(databound::ComboBox* combo) const;

    core::AppContext& ctx_;
    core::WindowHost& host_;
};

} // namespace users
