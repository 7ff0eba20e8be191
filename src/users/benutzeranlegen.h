// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userdialog.h"

namespace databound {
class ComboBox;
class Edit;
} // namespace databound

namespace users {

// "Neuen Benutzer anlegen".
class benutzeranlegenF : public UserDialog {
    Q_OBJECT
public:
    benutzeranlegenF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);
    databound::Edit* DBEditName;
    databound::ComboBox* DBComboSprache;
    void BOkClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
};

} // namespace users
