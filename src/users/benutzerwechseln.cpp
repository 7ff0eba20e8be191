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

void benutzerwechselnF::BOkClick() {
    auto& db = ctx_.db;
    if (db.users.isEmpty())
        return;
    const int chosen = db.users.integer(core::field::kId);
    if (chosen != ctx_.settings.readInteger("AktuelleBenutzerID")) {
        host_.beforeUserChanges();
        db.users.locate(core::field::kId, chosen);
    }
    ctx_.settings.writeInteger("AktuelleBenutzerID", chosen);
    host_.showCurrentUser();
    accept();
    followCurrentUsersLanguage();
}

} // namespace users
