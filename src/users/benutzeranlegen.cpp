// SPDX-License-Identifier: GPL-3.0-or-later
#include "benutzeranlegen.h"
#include "databound/combobox.h"
#include "databound/datasource.h"
#include "databound/edit.h"
#include "core/fieldnames.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace users {

benutzeranlegenF::benutzeranlegenF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : UserDialog(ctx, host, QStringLiteral("benutzeranlegenF"), QStringLiteral("Neuen Benutzer anlegen"), parent) {
    auto* layout = new QVBoxLayout(this);
    addNameAndLanguage(layout, DBEditName, DBComboSprache);
    addButtons(layout, QStringLiteral("Ok"));
    connect(BOk, &QPushButton::clicked, this, &benutzeranlegenF::BOkClick);
}

void benutzeranlegenF::showEvent(QShowEvent* e) {
    UserDialog::showEvent(e);
    fillLanguages(DBComboSprache);
    source->guard([](ts::Table& t) { t.insert(); });
    DBEditName->setFocus();
}

void benutzeranlegenF::BOkClick() {
    auto& users = ctx_.db.users;
    if (users.state() != ts::Table::State::Insert)
        return;
    if (users.text(core::field::kName).isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Bitte geben Sie einen Namen ein!"));
        return;
    }
    if (!languageIsKnown(users.text(core::field::kLastLanguage)))
        return;
    const bool posted = source->guard([](ts::Table& t) {
        t.setValue(core::field::kAsked, 0);
        t.setValue(core::field::kRight, 0);
        t.post();
    });
    if (!posted)
        return;
    const int id = users.integer(core::field::kId);
    const QString name = users.text(core::field::kName);
    accept();
    if (id == ctx_.settings.readInteger("AktuelleBenutzerID"))
        return; // the first user of a fresh program is current already
    if (ctx_.prompter().ask(QStringLiteral("Möchten Sie jetzt zum Benutzer „%1“ wechseln?").arg(name),
                            core::Buttons::YesNo) != core::Answer::Yes)
        return;
    switchToUser(id);
    followCurrentUsersLanguage();
}

void benutzeranlegenF::done(int r) {
    if (ctx_.db.users.state() == ts::Table::State::Insert)
        ctx_.db.users.cancel(); // its number stays used
    DBComboSprache->setItems({});
    UserDialog::done(r);
}

} // namespace users
