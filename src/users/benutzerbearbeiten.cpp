// SPDX-License-Identifier: GPL-3.0-or-later
#include "benutzerbearbeiten.h"
#include "databound/combobox.h"
#include "databound/datasource.h"
#include "databound/edit.h"
#include "databound/lookuplistbox.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"

#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace users {

benutzerbearbeitenF::benutzerbearbeitenF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : UserDialog(ctx, host, QStringLiteral("benutzerbearbeitenF"), QStringLiteral("Benutzer bearbeiten"), parent) {
    auto* layout = new QVBoxLayout(this);
    DBLookupListBox1 = makeUserList();
    layout->addWidget(DBLookupListBox1, 1);
    addNameAndLanguage(layout, DBEditName, DBComboSprache);
    addButtons(layout, QStringLiteral("Ok"));
    connect(BOk, &QPushButton::clicked, this, &benutzerbearbeitenF::BOkClick);
    // A click on another user posts the edit as "Ok" does: the language is
    // checked either way. The hook outlives the dialog on the shared table.
    ctx.db.users.addHook(ts::Table::HookKind::BeforePost, [self = QPointer(this)](ts::Table& t) {
        if (!self || !self->isVisible() || t.state() != ts::Table::State::Edit)
            return;
        const QString why = self->unknownLanguage(t.text(core::field::kLastLanguage));
        if (!why.isEmpty())
            throw ts::TableError(why);
    });
}

void benutzerbearbeitenF::showEvent(QShowEvent* e) {
    UserDialog::showEvent(e);
    fillLanguages(DBComboSprache);
}

void benutzerbearbeitenF::BOkClick() {
    auto& users = ctx_.db.users;
    if (users.state() == ts::Table::State::Edit) {
        if (users.text(core::field::kName).isEmpty()) {
            ctx_.prompter().information(QStringLiteral("Bitte geben Sie einen Namen ein!"));
            return;
        }
        if (!languageIsKnown(users.text(core::field::kLastLanguage)))
            return;
        if (!source->guard([](ts::Table& t) { t.post(); }))
            return;
    }
    accept();
}

void benutzerbearbeitenF::done(int r) {
    if (ctx_.db.users.state() == ts::Table::State::Edit)
        ctx_.db.users.cancel();
    DBComboSprache->setItems({});
    UserDialog::done(r);
    // "Abbrechen" too: a click on another user may have posted a new
    // language for the current user.
    followCurrentUsersLanguage();
}

} // namespace users
