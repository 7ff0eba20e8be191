// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userdialog.h"

namespace databound {
class LookupListBox;
} // namespace databound

namespace users {

// "Benutzer löschen".
class BenutzerF : public UserDialog {
    Q_OBJECT
public:
    BenutzerF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);
    databound::LookupListBox* DBLookupListBox1;
    void BLoeschenClick();
};

} // namespace users
