// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown of the main window: create, show and close step.
#include "core/datafiles.h"
#include "core/lessons.h"
#include "core/recovery.h"
#include "mainform.h"
#include "core/fieldnames.h"
#include "core/languages.h"
#include "navicons.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QToolButton>
#include <QScreen>
#include <QTimer>

namespace shell {

namespace {
const char* const kSortNames[] = {"Sort1", "Sort2", "Sort3", "Sort4", "Sort5"};
} // namespace

void Mainform::FormCreate() {
    QDir().mkpath(ctx_.paths.dataFolder);
    // The four tables are bound to their files by the database itself.
}

void Mainform::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void Mainform::openTableOrSetAside(ts::Table& table) {
    try {
        table.open();
    } catch (const ts::TableError& e) {
        const QString aside = core::datafiles::setAside(table.fileName());
        ctx_.prompter().information(
            QStringLiteral("%1\n\nDie Datei wurde unter dem Namen \"%2\" aufbewahrt; die Tabelle beginnt leer.")
                .arg(e.message(), QDir::toNativeSeparators(aside)));
        table.createDataSet();
    }
}

void Mainform::FormShow() {
    auto& db = ctx_.db;
    auto& settings = ctx_.settings;
    core::recovery::prepareSettings(settings, ctx_.prompter());
    try {
        // 1. Column widths; 0 means the default of 100 pixels.
        for (const ColumnWidths& g : columnWidths_)
            for (const QString& f : g.fields) {
                const int w = settings.readInteger(g.prefix + f);
                g.setWidth(f, w == 0 ? 100 : w);
            }
        // 2. The starting orderings, restored at shutdown.
        const std::vector<ts::Table*> tables = allTables();
        for (size_t i = 0; i < tables.size(); ++i)
            settings.writeString(kSortNames[i], tables[i]->order());
        // 3. The card images are coloured by the learn and test panels.
        // 4.
        ResetView();
        // 5.
        if (!QFile::exists(db.users.fileName()) && !QFile::exists(db.knowledge.fileName()))
            db.RecreateUserTables();
        // 6.
        ctx_.random().seedFromClock();
        // 7.
        for (ts::Table* t : {&db.users, &db.lessons, &db.members, &db.knowledge})
            openTableOrSetAside(*t);
        // Settings lost or from another copy of the data: no identifier in use is handed out again.
        core::recovery::raiseCounters(db);
        // 8. A default user; the counter never goes back below numbers in use.
        if (db.users.isEmpty()) {
            db.users.insert();
            db.users.setValue(core::field::kName, QStringLiteral("TestName"));
            db.users.setValue(core::field::kLastLanguage, QStringLiteral("englisch"));
            db.users.setValue(core::field::kAsked, 0);
            db.users.setValue(core::field::kRight, 0);
            db.users.post();
            settings.writeInteger("AktuelleBenutzerID", db.users.integer(core::field::kId));
            if (settings.readInteger("LastVokID") < 10000)
                settings.writeInteger("LastVokID", 10000);
        }
        // 9., 10. A current user that names nobody would leave every lesson without a language.
        core::recovery::ensureCurrentUser(db);
        ctx_.options.load(settings);
        // 11.
        if (!db.vocabulary.isOpen())
            db.vocabulary.createDataSet();
        try {
            db.ReadVocabularyFile(core::Database::IfDamaged::SetAside);
        } catch (const ts::TableError& e) {
            ctx_.prompter().information(e.message());
            return; // the window keeps its designed size and the status bar its texts
        }
        const int largest = db.vocabulary.maxInteger(core::field::kId);
        if (largest > settings.readInteger("LastVokID"))
            settings.writeInteger("LastVokID", largest);
        // Whatever the last save left: every word in "ALLE VOKABELN".
        core::RepairAllVocabularyLesson(ctx_.db, ctx_.subjectGroups, [this](bool on) {
            if (on)
                AttachVocabularyViews();
            else
                DetachVocabularyViews();
        });
        // 12., 13., 14.
        ActivateLanguage();
        showUserAndLanguage();
        restoreWindow();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
    }
}

void Mainform::ActivateLanguage() {
    core::EnsureAllVocabularyLesson(ctx_.db, ctx_.subjectGroups, [this](bool on) {
        if (on)
            AttachVocabularyViews();
        else
            DetachVocabularyViews();
    });
    LabelLanguage();
    ctx_.subjectGroups.LoadSubjectGroups(ctx_.db.currentLanguage());
}

void Mainform::createWindows() {
    createTrainingWindows();
    createVocabularyWindows();
    createUserWindows();
    createPrintingWindows();
}

// The one place that writes the current language into every caption that
// names it.
void Mainform::LabelLanguage() {
    const QString L = ctx_.db.currentLanguage();
    ctx_.db.vocabulary.setDisplayLabel(core::field::kForeign, L);
    labelLanguageTraining(L);
    labelLanguageVocabulary(L);
    labelLanguageUsers(L);
    labelLanguagePrinting(L);
}

void Mainform::showLanguage(const QString& language) {
    StatusPanel1->setText(QStringLiteral("Aktuelle Sprache: ") + language);
    SpeedButton9->setIcon(languageIcon(core::languages::code(language)));
}

void Mainform::showUserAndLanguage() {
    if (!ctx_.db.locateCurrentUser() && ctx_.db.users.isEmpty())
        return;
    showLanguage(ctx_.db.users.text(core::field::kLastLanguage));
    StatusPanel0->setText(QStringLiteral("Aktueller Benutzer: ") + ctx_.db.users.text(core::field::kName));
}

void Mainform::restoreWindow() {
    auto& settings = ctx_.settings;
    if (settings.readString("WindowState") == QLatin1String("wsMaximized")) {
        showMaximized();
        return;
    }
    int h = settings.readInteger("Height");
    int w = settings.readInteger("Width");
    if (h < 200)
        h = 600;
    if (w < 200)
        w = 800;
    showNormal();
    resize(w, h);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void Mainform::saveWindow() {
    auto& settings = ctx_.settings;
    if (isMinimized())
        return;
    if (isMaximized()) {
        settings.writeString("WindowState", QStringLiteral("wsMaximized"));
        return;
    }
    settings.writeString("WindowState", QStringLiteral("wsNormal"));
    settings.writeInteger("Height", height());
    settings.writeInteger("Width", width());
}

bool Mainform::FormClose() {
    auto& db = ctx_.db;
    auto& settings = ctx_.settings;
    Timer1->stop();
    try {
        // 1.
        ctx_.options.save(settings);
        // 2.
        for (const ColumnWidths& g : columnWidths_)
            for (const QString& f : g.fields)
                settings.writeInteger(g.prefix + f, g.width(f));
        const std::vector<ts::Table*> tables = allTables();
        for (size_t i = 0; i < tables.size(); ++i) {
            try {
                tables[i]->setOrder(settings.readString(kSortNames[i]));
            } catch (const ts::TableError&) {
                // A hand-edited name that no field bears: keep the ordering.
            }
        }
        // 3.
        saveWindow();
        // 4., 5. As one set: a kill in between must not leave the lessons of
        // one save with the members of another.
        db.writeAllFiles();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return false;
    }
    return true;
}

bool Mainform::runCloseStepOnce() {
    if (closed_)
        return true;
    if (!FormClose() && !endingOnSignal_) {
        const auto answer = ctx_.prompter().ask(
            QStringLiteral("Die Daten konnten nicht vollständig gespeichert werden.\n"
                           "Trotzdem beenden? Die nicht gespeicherten Änderungen gehen dann verloren."),
            core::Buttons::YesNo);
        if (answer != core::Answer::Yes)
            return false;
    }
    closed_ = true;
    return true;
}

void Mainform::closeEvent(QCloseEvent* e) {
    if (runCloseStepOnce())
        e->accept();
    else
        e->ignore();
}

} // namespace shell
