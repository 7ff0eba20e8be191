// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprache.h"
#include "core/languages.h"
#include "databound/standardwidgets.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace users {

SpracheF::SpracheF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : QDialog(parent), ctx_(ctx), host_(host) {
    setObjectName(QStringLiteral("SpracheF"));
    setWindowTitle(QStringLiteral("Sprache auswählen"));
    auto* layout = new QVBoxLayout(this);
    RadioGroup1 = new QGroupBox(QStringLiteral("Sprachen"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    radios_ = new QGridLayout(RadioGroup1);
    group_ = new QButtonGroup(this);
    layout->addWidget(RadioGroup1, 1);

    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Main);
    BHinzufuegen = new QPushButton(QStringLiteral("Hinzufügen"), this);
    BHinzufuegen->setObjectName(QStringLiteral("BHinzufuegen"));
    const databound::OkCancel buttons = databound::okCancel(this, "BOK", QStringLiteral("OK"), "BAbbrechen");
    BOK = buttons.ok;
    BAbbrechen = buttons.cancel;
    layout->addLayout(databound::buttonRow(SpeedButtonHilfe, {BHinzufuegen, BOK, BAbbrechen}));
    setMinimumWidth(380);

    connect(BHinzufuegen, &QPushButton::clicked, this, &SpracheF::BHinzufuegenClick);
    connect(BOK, &QPushButton::clicked, this, &SpracheF::BOKClick);
}

void SpracheF::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void SpracheF::clearEntries() {
    for (QRadioButton* b : buttons_) {
        group_->removeButton(b);
        delete b;
    }
    buttons_.clear();
}

void SpracheF::addEntry(const QString& name) {
    auto* b = new QRadioButton(name, RadioGroup1);
    const int i = int(buttons_.size());
    radios_->addWidget(b, i / 2, i % 2); // two columns, filled row by row
    group_->addButton(b);
    buttons_.push_back(b);
}

QStringList SpracheF::entries() const {
    QStringList out;
    for (const QRadioButton* b : buttons_)
        out << b->text();
    return out;
}

QString SpracheF::selected() const {
    for (const QRadioButton* b : buttons_)
        if (b->isChecked())
            return b->text();
    return {};
}

void SpracheF::select(const QString& name) {
    for (QRadioButton* b : buttons_)
        if (b->text() == name)
            b->setChecked(true);
}

void SpracheF::FormShow() {
    BOK->setEnabled(true);
    BOK->setText(QStringLiteral("OK"));
    before_.clear();
    clearEntries();
    for (const QString& l : core::languages::list(ctx_.db.dataFolder()))
        addEntry(l);
    group_->setExclusive(false); // no selection when the user's language has no file
    for (QRadioButton* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);
    select(ctx_.db.currentLanguage());
}

void SpracheF::BHinzufuegenClick() {
    const std::optional<QString> name =
        ctx_.prompter().input(QStringLiteral("Neue Sprache anlegen"),
                              QStringLiteral("Bitte geben Sie die Bezeichnung der Sprache ein"), QString());
    if (!name || name->isEmpty())
        return;
    const QString refusal = core::languages::refusalForNewName(*name, entries());
    if (!refusal.isEmpty()) {
        ctx_.prompter().information(refusal);
        return;
    }
    auto& db = ctx_.db;
    try {
        db.WriteVocabularyFile();
        if (!db.locateCurrentUser())
            return;
        if (before_.isEmpty())
            before_ = db.loadedLanguage();
        db.users.edit();
        db.users.setValue(core::field::kLastLanguage, *name);
        db.users.post();
        db.RecreateVocabularyTable();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return;
    }
    addEntry(*name);
    select(*name);
}

void SpracheF::BOKClick() {
    const QString language = selected();
    if (language.isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Bitte wählen Sie eine Sprache aus."));
        return;
    }
    BOK->setEnabled(false);
    BOK->setText(QStringLiteral("MOMENT"));
    const bool switched = host_.switchLanguage(language);
    BOK->setEnabled(true);
    BOK->setText(QStringLiteral("OK"));
    if (switched) {
        before_.clear();
        accept();
    }
}

void SpracheF::reject() {
    if (!before_.isEmpty() && ctx_.db.loadedLanguage() != before_)
        restoreLanguage();
    before_.clear();
    QDialog::reject();
}

void SpracheF::restoreLanguage() {
    auto& db = ctx_.db;
    try {
        db.WriteVocabularyFile(); // the new language's file, as "Hinzufügen" created it
        if (!db.locateCurrentUser())
            return;
        db.users.edit();
        db.users.setValue(core::field::kLastLanguage, before_);
        db.users.post();
        db.ReadVocabularyFile();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
    }
}

} // namespace users
