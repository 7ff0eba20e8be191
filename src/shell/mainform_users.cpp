// SPDX-License-Identifier: GPL-3.0-or-later
// Languages, users, statistics and backup in the main window.
#include "backup/datensichern.h"
#include "mainform.h"
#include "training/testpanel.h"
#include "training/trainingarea.h"
#include "users/sprache.h"
#include "users/statisticspanel.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"
#include "workpanel.h"
#include "core/fieldnames.h"

#include <QLabel>
#include <QVBoxLayout>

namespace shell {

void Mainform::createUserWindows() {
    spracheF = new users::SpracheF(ctx_, *this, this);
    datenSichernF = new backup::DatenSichernF(ctx_, *this, this);
    // A restore may have made another user current.
    connect(datenSichernF, &QDialog::finished, this, [this] { showUserAndLanguage(); });
    benutzeranlegenF = new users::benutzeranlegenF(ctx_, *this, this);
    benutzerbearbeitenF = new users::benutzerbearbeitenF(ctx_, *this, this);
    benutzerF = new users::BenutzerF(ctx_, *this, this);
    benutzerwechselnF = new users::benutzerwechselnF(ctx_, *this, this);
    statistik = new users::StatisticsPanel(ctx_, *this, PBenutzerstatistik);
    PBenutzerstatistik->titleLabel()->setObjectName(QStringLiteral("Label23"));
    PBenutzerstatistik->contentLayout()->addWidget(statistik);
}

void Mainform::labelLanguageUsers(const QString&) {}

void Mainform::showCurrentUser() {
    if (ctx_.db.locateCurrentUser())
        StatusPanel0->setText(QStringLiteral("Aktueller Benutzer: ") + ctx_.db.users.text(core::field::kName));
}

void Mainform::beforeUserChanges() {
    // A test left running: its answers so far are this user's.
    if (training->testPanel->run().running())
        training->testPanel->run().addTotalsToUser();
}

bool Mainform::switchLanguage(const QString& language) {
    auto& db = ctx_.db;
    try {
        db.locateCurrentUser();
        db.WriteVocabularyFile();
        const QString previous = db.loadedLanguage();
        db.locateCurrentUser();
        const QString stored = db.users.text(core::field::kLastLanguage);
        const auto setLanguage = [&db](const QString& l) {
            db.locateCurrentUser();
            db.users.edit();
            db.users.setValue(core::field::kLastLanguage, l);
            db.users.post();
        };
        setLanguage(language);
        try {
            db.ReadVocabularyFile();
        } catch (const ts::TableError& e) {
            // The file was not loaded: the language that still is loads
            // again, and the user keeps the language stored before (their
            // own, when they were just switched to).
            setLanguage(previous);
            db.ReadVocabularyFile();
            if (stored != previous)
                setLanguage(stored);
            ctx_.prompter().information(e.message());
            return false;
        }
        showLanguage(language);
        const int largest = db.vocabulary.maxInteger(core::field::kId);
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

void Mainform::SpracheClick() {
    spracheF->exec();
}
void Mainform::DatenbankSichernClick() {
    datenSichernF->exec();
}
void Mainform::BenutzerNeuClick() {
    benutzeranlegenF->exec();
}
void Mainform::BenutzerBearbeitenClick() {
    benutzerbearbeitenF->exec();
}
void Mainform::BenutzerLoeschenClick() {
    benutzerF->exec();
}
void Mainform::BenutzerWechselnClick() {
    benutzerwechselnF->exec();
}

} // namespace shell
