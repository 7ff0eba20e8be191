// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userdialog.h"

namespace databound {
class ComboBox;
class Edit;
class LookupListBox;
} // namespace databound

namespace users {

// "Benutzer bearbeiten".
class benutzerbearbeitenF : public UserDialog {
    Q_OBJECT
public:
    benutzerbearbeitenF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);
    databound::LookupListBox* DBLookupListBox1;
    databound::Edit* DBEditName;
    databound::ComboBox* DBComboSprache;
    void BOkClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
};

} // namespace users
