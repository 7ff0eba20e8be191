// SPDX-License-Identifier: GPL-3.0-or-later
#include "userdialog.h"
#include "core/languages.h"
#include "databound/standardwidgets.h"
#include "databound/combobox.h"
#include "databound/datasource.h"
#include "databound/edit.h"
#include "databound/lookuplistbox.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace users {

UserDialog::UserDialog(core::AppContext& ctx, core::WindowHost& host, const QString& objectName, const QString& caption,
                       QWidget* parent)
    : QDialog(parent), ctx_(ctx), host_(host) {
    setObjectName(objectName);
    setWindowTitle(caption);
    source = new databound::DataSource(&ctx.db.users, this);
    source->setErrorHandler([this](const QString& m) { ctx_.prompter().information(m); });
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Dialog);
    // The caption follows with the dialog's layout.
    const databound::OkCancel buttons = databound::okCancel(this, "BOk", QString(), "BAbbrechen");
    BOk = buttons.ok;
    BAbbrechen = buttons.cancel;
    setMinimumWidth(360);
}

databound::LookupListBox* UserDialog::makeUserList() {
    auto* list = new databound::LookupListBox(this);
    list->setObjectName(QStringLiteral("DBLookupListBox1"));
    list->bind(source, core::field::kName);
    return list;
}

void UserDialog::addButtons(QLayout* layout, const QString& okCaption) {
    BOk->setText(okCaption);
    static_cast<QBoxLayout*>(layout)->addLayout(databound::buttonRow(SpeedButtonHilfe, {BOk, BAbbrechen}));
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

void UserDialog::switchToUser(int id) {
    auto& db = ctx_.db;
    if (id != ctx_.settings.readInteger("AktuelleBenutzerID")) {
        host_.beforeUserChanges();
        db.users.locate(core::field::kId, id);
    }
    ctx_.settings.writeInteger("AktuelleBenutzerID", id);
    host_.showCurrentUser();
}

void UserDialog::followCurrentUsersLanguage() {
    auto& db = ctx_.db;
    if (!db.locateCurrentUser())
        return;
    const QString language = db.users.text(core::field::kLastLanguage);
    if (language != db.loadedLanguage())
        host_.switchLanguage(language);
}

void UserDialog::addNameAndLanguage(QBoxLayout* layout, databound::Edit*& name, databound::ComboBox*& language) {
    auto* form = new QFormLayout;
    name = new databound::Edit(this);
    name->setObjectName(QStringLiteral("DBEditName"));
    name->bind(source, core::field::kName);
    language = new databound::ComboBox(this);
    language->setObjectName(QStringLiteral("DBComboSprache"));
    language->bind(source, core::field::kLastLanguage);
    form->addRow(QStringLiteral("Name:"), name);
    form->addRow(QStringLiteral("bevorzugte Sprache: "), language);
    layout->addLayout(form);
}

void UserDialog::fillLanguages(databound::ComboBox* combo) const {
    combo->setItems(core::languages::list(ctx_.db.dataFolder()));
}

} // namespace users
