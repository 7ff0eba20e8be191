// SPDX-License-Identifier: GPL-3.0-or-later
#include "userdialogs.h"
#include "core/languages.h"
#include "databound/combobox.h"
#include "databound/datasource.h"
#include "databound/edit.h"
#include "databound/lookuplistbox.h"
#include "tablestore/tableerror.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace users {

UserDialog::UserDialog(core::AppContext& ctx, UserHooks hooks, const QString& objectName, const QString& caption,
                       QWidget* parent)
    : QDialog(parent), ctx_(ctx), hooks_(std::move(hooks)) {
    setObjectName(objectName);
    setWindowTitle(caption);
    source = new databound::DataSource(&ctx.db.users, this);
    source->setErrorHandler([this](const QString& m) { ctx_.prompter().information(m); });
    SpeedButtonHilfe = new QToolButton(this);
    SpeedButtonHilfe->setObjectName(QStringLiteral("SpeedButtonHilfe"));
    SpeedButtonHilfe->setText(QStringLiteral("?"));
    SpeedButtonHilfe->setToolTip(QStringLiteral("Hile aufrufen"));
    SpeedButtonHilfe->setAutoRaise(true);
    connect(SpeedButtonHilfe, &QToolButton::clicked, this, [this] { hooks_.openManual(); });
    BOk = new QPushButton(this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setDefault(true);
    BAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    BAbbrechen->setObjectName(QStringLiteral("BAbbrechen"));
    connect(BAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(360);
}

databound::LookupListBox* UserDialog::makeUserList() {
    auto* list = new databound::LookupListBox(this);
    list->setObjectName(QStringLiteral("DBLookupListBox1"));
    list->bind(source, QStringLiteral("Name"));
    return list;
}

void UserDialog::addButtons(QLayout* layout, const QString& okCaption) {
    BOk->setText(okCaption);
    auto* row = new QHBoxLayout;
    row->addWidget(SpeedButtonHilfe);
    row->addStretch(1);
    row->addWidget(BOk);
    row->addWidget(BAbbrechen);
    static_cast<QBoxLayout*>(layout)->addLayout(row);
}

QString UserDialog::unknownLanguage(const QString& language) const {
    if (core::languages::list(ctx_.db.dataFolder()).contains(language))
        return {};
    return language.isEmpty() ? QStringLiteral("Bitte wählen Sie eine Sprache aus.")
                              : QStringLiteral("Die Sprache \"%1\" gibt es nicht. Bitte wählen Sie eine der "
                                               "vorhandenen Sprachen aus; neue Sprachen legen Sie unter "
                                               "\"Programm\" → \"Sprache wechseln\" an.")
                                    .arg(language);
}

bool UserDialog::languageIsKnown(const QString& language) {
    const QString why = unknownLanguage(language);
    if (why.isEmpty())
        return true;
    ctx_.prompter().information(why);
    return false;
}

void UserDialog::followCurrentUsersLanguage() {
    auto& db = ctx_.db;
    if (!db.locateCurrentUser())
        return;
    const QString language = db.users.text("Letzte Sprache");
    if (language != db.loadedLanguage())
        hooks_.switchLanguage(language);
}

void UserDialog::addNameAndLanguage(QBoxLayout* layout, databound::Edit*& name, databound::ComboBox*& language) {
    auto* form = new QFormLayout;
    name = new databound::Edit(this);
    name->setObjectName(QStringLiteral("DBEditName"));
    name->bind(source, QStringLiteral("Name"));
    language = new databound::ComboBox(this);
    language->setObjectName(QStringLiteral("DBComboSprache"));
    language->bind(source, QStringLiteral("Letzte Sprache"));
    form->addRow(QStringLiteral("Name:"), name);
    form->addRow(QStringLiteral("bevorzugte Sprache: "), language);
    layout->addLayout(form);
}

namespace {
void fillLanguages(databound::ComboBox* combo, const QString& dataFolder) {
    combo->setItems(core::languages::list(dataFolder));
}
} // namespace

// ------------------------------------------------------------ create

benutzeranlegenF::benutzeranlegenF(core::AppContext& ctx, UserHooks hooks, QWidget* parent)
    : UserDialog(ctx, std::move(hooks), QStringLiteral("benutzeranlegenF"), QStringLiteral("Neuen Benutzer anlegen"),
                 parent) {
    auto* layout = new QVBoxLayout(this);
    addNameAndLanguage(layout, DBEditName, DBComboSprache);
    addButtons(layout, QStringLiteral("Ok"));
    connect(BOk, &QPushButton::clicked, this, &benutzeranlegenF::BOkClick);
}

void benutzeranlegenF::showEvent(QShowEvent* e) {
    UserDialog::showEvent(e);
    fillLanguages(DBComboSprache, ctx_.db.dataFolder());
    source->guard([](ts::Table& t) { t.insert(); });
    DBEditName->setFocus();
}

void benutzeranlegenF::BOkClick() {
    auto& users = ctx_.db.users;
    if (users.state() != ts::Table::State::Insert)
        return;
    if (users.text("Name").isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Bitte geben Sie einen Namen ein!"));
        return;
    }
    if (!languageIsKnown(users.text("Letzte Sprache")))
        return;
    const bool posted = source->guard([](ts::Table& t) {
        t.setValue("AbgefragteVokabeln", 0);
        t.setValue("RichtigeVokabeln", 0);
        t.post();
    });
    if (posted)
        accept();
}

void benutzeranlegenF::done(int r) {
    if (ctx_.db.users.state() == ts::Table::State::Insert)
        ctx_.db.users.cancel(); // its number stays used
    DBComboSprache->setItems({});
    UserDialog::done(r);
}

// ------------------------------------------------------------ edit

benutzerbearbeitenF::benutzerbearbeitenF(core::AppContext& ctx, UserHooks hooks, QWidget* parent)
    : UserDialog(ctx, std::move(hooks), QStringLiteral("benutzerbearbeitenF"), QStringLiteral("Benutzer bearbeiten"),
                 parent) {
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
        const QString why = self->unknownLanguage(t.text("Letzte Sprache"));
        if (!why.isEmpty())
            throw ts::TableError(why);
    });
}

void benutzerbearbeitenF::showEvent(QShowEvent* e) {
    UserDialog::showEvent(e);
    fillLanguages(DBComboSprache, ctx_.db.dataFolder());
}

void benutzerbearbeitenF::BOkClick() {
    auto& users = ctx_.db.users;
    if (users.state() == ts::Table::State::Edit) {
        if (users.text("Name").isEmpty()) {
            ctx_.prompter().information(QStringLiteral("Bitte geben Sie einen Namen ein!"));
            return;
        }
        if (!languageIsKnown(users.text("Letzte Sprache")))
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

// ------------------------------------------------------------ delete

BenutzerF::BenutzerF(core::AppContext& ctx, UserHooks hooks, QWidget* parent)
    : UserDialog(ctx, std::move(hooks), QStringLiteral("BenutzerF"), QStringLiteral("Benutzer löschen"), parent) {
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
    const int chosen = db.users.integer("ID");
    const bool wasCurrent = chosen == ctx_.settings.readInteger("AktuelleBenutzerID");
    if (wasCurrent && hooks_.beforeUserChanges) {
        hooks_.beforeUserChanges();
        db.users.locate("ID", chosen);
    }
    if (!source->guard([](ts::Table& t) { t.deleteRecord(); }))
        return;
    if (wasCurrent && !db.users.isEmpty()) {
        // The first remaining user in name order takes over, with their
        // language, so the program never runs without a current user.
        db.users.first();
        ctx_.settings.writeInteger("AktuelleBenutzerID", db.users.integer("ID"));
        hooks_.showCurrentUser();
        followCurrentUsersLanguage();
    }
}

// ------------------------------------------------------------ switch

benutzerwechselnF::benutzerwechselnF(core::AppContext& ctx, UserHooks hooks, QWidget* parent)
    : UserDialog(ctx, std::move(hooks), QStringLiteral("benutzerwechselnF"), QStringLiteral("Benutzer wechseln"),
                 parent) {
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
    const int chosen = db.users.integer("ID");
    if (chosen != ctx_.settings.readInteger("AktuelleBenutzerID") && hooks_.beforeUserChanges) {
        hooks_.beforeUserChanges();
        db.users.locate("ID", chosen);
    }
    ctx_.settings.writeInteger("AktuelleBenutzerID", chosen);
    hooks_.showCurrentUser();
    accept();
    followCurrentUsersLanguage();
}

} // namespace users
