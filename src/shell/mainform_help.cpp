// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's help: the PDF manual with the desktop's viewer, and the
// program's own help window where the desktop cannot show it.
#include "about.h"
#include "backup/datensichern.h"
#include "helpwindow.h"
#include "mainform.h"
#include "printing/druckerdialog.h"
#include "printing/printpreviewpanel.h"
#include "training/learnpanel.h"
#include "training/lektionauswaehlen.h"
#include "training/lernenoptionen.h"
#include "training/testoptionen.h"
#include "training/testpanel.h"
#include "training/trainingarea.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"
#include "users/sprache.h"
#include "users/statisticspanel.h"
#include "vocabulary/dictionarypanel.h"
#include "vocabulary/lessonpanel.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vokabellektion.h"
#include "vocabulary/vokabeln.h"
#include "workpanel.h"

#include <QApplication>
#include <QDir>

namespace shell {

namespace {

const QString kManualPdf = QStringLiteral("Vokabeltrainer - Handbuch.pdf");
const QString kManualSource = QStringLiteral("handbuch.md");

// The manual's chapters, by the number their headings begin with.
enum Chapter {
    MainWindow = 2,
    Users = 3,
    Languages = 4,
    Vocabulary = 5,
    Lessons = 6,
    Learning = 7,
    Testing = 8,
    Statistics = 9,
    Dictionary = 10,
    Printing = 11,
    Backup = 12,
    HelpAndInfo = 13,
};

template <typename T> bool is(const QWidget* w) {
    return dynamic_cast<const T*>(w) != nullptr;
}

} // namespace

void Mainform::OpenManual(core::ManualPlace place) {
    const QString folder = place == core::ManualPlace::Main ? ctx_.paths.dataFolder : ctx_.paths.programFolder;
    if (ctx_.opener().open(QDir(folder).filePath(kManualPdf)))
        return;
    // No viewer, or no file: the manual is read here instead, at the chapter
    // of the window whose help was asked for.
    const QWidget* caller = QApplication::activeModalWidget();
    if (!caller)
        caller = QApplication::activeWindow();
    if (!caller || caller == helpWindow_)
        caller = this;
    showHelpWindow(caller);
}

void Mainform::HandbuchImProgramm1Click() {
    showHelpWindow(this);
}

HelpWindow* Mainform::showHelpWindow(const QWidget* window) {
    // A help window asked for from a modal dialog must not be blocked by it,
    // so it belongs to that dialog while it is shown.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = this;
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow(owner);
        connect(helpWindow_, &HelpWindow::pdfRequested, this, [this] {
            for (const QString& folder : {ctx_.paths.dataFolder, ctx_.paths.programFolder})
                if (ctx_.opener().open(QDir(folder).filePath(kManualPdf)))
                    return;
            ctx_.prompter().information(
                QStringLiteral("Das Handbuch kann nicht als PDF geöffnet werden: Auf diesem Rechner ist kein "
                               "Programm zum Anzeigen von PDF-Dateien eingerichtet."));
        });
    } else if (helpWindow_->parentWidget() != owner) {
        helpWindow_->setParent(owner, Qt::Window);
    }
    helpWindow_->load(QDir(ctx_.paths.programFolder).filePath(kManualSource));
    // Shown first: the chapter is found in the text as laid out for the window.
    helpWindow_->show();
    helpWindow_->showChapter(manualChapterFor(window));
    helpWindow_->raise();
    helpWindow_->activateWindow();
    return helpWindow_;
}

int Mainform::manualChapterFor(const QWidget* window) const {
    if (window == this || !window) {
        const WorkPanel* panel = visiblePanel();
        const struct {
            const WorkPanel* panel;
            int chapter;
        } panels[] = {{PLernen, Learning},
                      {PTesten, Testing},
                      {PVokabelverwaltung, Vocabulary},
                      {PLektionsverwaltung, Lessons},
                      {PWoerterbuch, Dictionary},
                      {PBenutzerstatistik, Statistics},
                      {PDruckvorschau, Printing}};
        for (const auto& p : panels)
            if (panel && panel == p.panel)
                return p.chapter;
        return MainWindow;
    }
    if (is<users::benutzeranlegenF>(window) || is<users::benutzerbearbeitenF>(window) ||
        is<users::benutzerwechselnF>(window) || is<users::BenutzerF>(window))
        return Users;
    if (is<users::SpracheF>(window))
        return Languages;
    if (is<vocabulary::VokabelnF>(window))
        return Vocabulary;
    if (is<vocabulary::VokabelLektionF>(window))
        return Lessons;
    if (is<training::lektionauswaehlenF>(window) || is<training::lernenoptionenF>(window))
        return Learning;
    if (is<training::lektionauswaehlentestf>(window) || is<training::testoptionenF>(window))
        return Testing;
    if (is<printing::PrintChoiceDialog>(window))
        return Printing;
    if (is<backup::DatenSichernF>(window))
        return Backup;
    if (is<AboutF>(window))
        return HelpAndInfo;
    return MainWindow;
}

} // namespace shell
