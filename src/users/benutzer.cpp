// SPDX-License-Identifier: GPL-3.0-or-later
#include "benutzer.h"
#include "databound/datasource.h"
#include "databound/lookuplistbox.h"
#include "core/fieldnames.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace users {

BenutzerF::BenutzerF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : UserDialog(ctx, host, QStringLiteral("BenutzerF"), QStringLiteral("Benutzer löschen"), parent) {
    auto* layout = new QVBoxLayout(this);
    DBLookupListBox1 = makeUserList();
    layout->addWidget(DBLookupListBox1, 1);
    addButtons(layout, QStringLiteral("Löschen"));
    BOk->setObjectName(QStringLiteral("BLoeschen"));
    connect(BOk, &QPushButton::clicked, this, &BenutzerF::BLoeschenClick);
}

void BenutzerF::BLoeschenClick() {
    auto& db = ctx_.db;
    if (db.users.isEmpty())
        return;
    if (ctx_.prompter().ask(QStringLiteral("Sind Sie sicher, dass Sie den ausgewählten Benutzer löschen möchten?"),
                            core::Buttons::YesCancel) != core::Answer::Yes)
        return;
    const int chosen = db.users.integer(core::field::kId);
    const bool wasCurrent = chosen == ctx_.settings.readInteger("AktuelleBenutzerID");
    if (wasCurrent) {
        host_.beforeUserChanges();
        db.users.locate(core::field::kId, chosen);
    }
    if (!source->guard([](ts::Table& t) { t.deleteRecord(); }))
        return;
    if (wasCurrent && !db.users.isEmpty()) {
        // The first remaining user in name order takes over, with their
        // language, so the program never runs without a current user.
        db.users.first();
        ctx_.settings.writeInteger("AktuelleBenutzerID", db.users.integer(core::field::kId));
        host_.showCurrentUser();
        followCurrentUsersLanguage();
    }
}

} // namespace users
