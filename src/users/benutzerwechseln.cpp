// SPDX-License-Identifier: GPL-3.0-or-later
#include "benutzerwechseln.h"
#include "databound/lookuplistbox.h"
#include "core/fieldnames.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace users {

benutzerwechselnF::benutzerwechselnF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : UserDialog(ctx, host, QStringLiteral("benutzerwechselnF"), QStringLiteral("Benutzer wechseln"), parent) {
    auto* layout = new QVBoxLayout(this);
    DBLookupListBox1 = makeUserList();
    layout->addWidget(DBLookupListBox1, 1);
    addButtons(layout, QStringLiteral("Ok"));
    connect(BOk, &QPushButton::clicked, this, &benutzerwechselnF::BOkClick);
}

void benutzerwechselnF::showEvent(QShowEvent* e) {
    UserDialog::showEvent(e);
    ctx_.db.locateCurrentUser(); // the list starts on whoever works now
}

void benutzerwechselnF::BOkClick() {
    auto& db = ctx_.db;
    if (db.users.isEmpty())
        return;
    switchToUser(db.users.integer(core::field::kId));
    accept();
    followCurrentUsersLanguage();
}

} // namespace users
