// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userdialog.h"

namespace databound {
class LookupListBox;
} // namespace databound

namespace users {

// "Benutzer wechseln".
class benutzerwechselnF : public UserDialog {
    Q_OBJECT
public:
    benutzerwechselnF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);
    databound::LookupListBox* DBLookupListBox1;
    void BOkClick();

protected:
    void showEvent(QShowEvent* e) override;
};

} // namespace users
