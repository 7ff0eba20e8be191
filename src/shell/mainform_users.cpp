// SPDX-License-Identifier: GPL-3.0-or-later
// Languages, users and backup in the main window.
#include "backup/datensichernf.h"
#include "mainform.h"
#include "users/spracheF.h"

#include <QLabel>

namespace shell {

void Mainform::createUserWindows() {
    auto manual = [this] { OpenManual(ManualPlace::Main); };
    spracheF = new users::SpracheF(ctx_, {[this](const QString& l) { return SwitchLanguage(l); }, manual}, this);
    datenSichernF = new backup::DatenSichernF(ctx_, manual, this);
}

void Mainform::labelLanguageUsers(const QString&) {}

bool Mainform::SwitchLanguage(const QString& language) {
    auto& db = ctx_.db;
    try {
        db.locateCurrentUser();
        db.WriteVocabularyFile();
        db.locateCurrentUser();
        const QString previous = db.users.text("Letzte Sprache");
        db.users.edit();
        db.users.setValue("Letzte Sprache", language);
        db.users.post();
        try {
            db.ReadVocabularyFile();
        } catch (const ts::TableError& e) {
            // The file was not loaded: back to the language that still is.
            db.locateCurrentUser();
            db.users.edit();
            db.users.setValue("Letzte Sprache", previous);
            db.users.post();
            db.ReadVocabularyFile();
            ctx_.prompter().information(e.message());
            return false;
        }
        StatusPanel1->setText(QStringLiteral("Aktuelle Sprache: ") + language);
        const int largest = db.vocabulary.maxInteger(QStringLiteral("ID"));
        if (largest > ctx_.settings.readInteger("LastVokID"))
            ctx_.settings.writeInteger("LastVokID", largest);
        ActivateLanguage();
        ResetView();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return false;
    }
    return true;
}

void Mainform::SpracheClick() { spracheF->exec(); }
void Mainform::DatenbankSichernClick() { datenSichernF->exec(); }
void Mainform::BenutzerNeuClick() {}
void Mainform::BenutzerBearbeitenClick() {}
void Mainform::BenutzerLoeschenClick() {}
void Mainform::BenutzerWechselnClick() {}

} // namespace shell
