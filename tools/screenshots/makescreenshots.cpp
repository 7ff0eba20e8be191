// SPDX-License-Identifier: GPL-3.0-or-later
// Build step for the manual: starts the real main window on a temporary data
// folder (offscreen) and saves pictures of its panels and dialogs.
// Usage: makescreenshots <word list tsv> <output folder>
#include "backup/datensichern.h"
#include "printing/druckerdialog.h"
#include "shell/about.h"
#include "training/learnpanel.h"
#include "training/testpanel.h"
#include "training/trainingarea.h"
#include "core/fieldnames.h"
#include "core/firststart.h"
#include "shell/mainform.h"
#include "support/scriptedservices.h"
#include "users/sprache.h"
#include "users/statisticspanel.h"
#include "users/benutzer.h"
#include "users/benutzeranlegen.h"
#include "users/benutzerbearbeiten.h"
#include "users/benutzerwechseln.h"
#include "vocabulary/lessonpanel.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vocabularyrules.h"
#include "vocabulary/vocabularysearch.h"
#include "vocabulary/vokabellektion.h"
#include "vocabulary/vokabeln.h"
#include "vocabulary/dictionarypanel.h"
#include <QLineEdit>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cstdio>

namespace {

bool save(QWidget* w, const QString& folder, const QString& name) {
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        return false;
    QApplication::processEvents();
    return w->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makescreenshots <word list tsv> <output folder>\n");
        return 2;
    }
    QFile words(QString::fromLocal8Bit(argv[1]));
    if (!words.open(QIODevice::ReadOnly))
        return 1;
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    testsupport::TestContext tc;
    core::firststart::prepareDataFolder(tc.dataFolder(), words.readAll(), {});
    shell::Mainform form(*tc.ctx);
    form.createWindows();
    form.resize(900, 640);
    bool ok = save(&form, out, QStringLiteral("hauptfenster"));
    form.VokabelnClick();
    ok &= save(&form, out, QStringLiteral("vokabeln"));
    form.vokabelverwaltung->Suche->ESuchen->setText(QStringLiteral("haus"));
    // Two clicks on "deutsch": downwards, with the arrow in the title.
    for (int click = 0; click < 2; ++click)
        vocabulary::VocabularyRules::orderByColumnTitle(tc.ctx->db.vocabulary, core::field::kGerman);
    ok &= save(&form, out, QStringLiteral("vokabeln-suche"));
    form.vokabelverwaltung->Suche->clear();
    tc.ctx->db.vocabulary.setOrder(core::field::kId);
    form.LektionenClick();
    ok &= save(&form, out, QStringLiteral("lektionen"));
    form.WoerterbuchClick();
    form.woerterbuch->Edeutsch->setText(QStringLiteral("haus"));
    ok &= save(&form, out, QStringLiteral("woerterbuch"));
    form.ResetView();
    ok &= save(form.vokabelnF, out, QStringLiteral("vokabeldialog"));
    form.vokabelnF->reject();
    form.vokabelLektionF->setWindowTitle(QStringLiteral("Lektion: ALLE VOKABELN"));
    form.vokabelLektionF->resize(1000, 560);
    ok &= save(form.vokabelLektionF, out, QStringLiteral("zuordnen"));
    form.vokabelLektionF->Suche->ESuchen->setText(QStringLiteral("hund"));
    ok &= save(form.vokabelLektionF, out, QStringLiteral("zuordnen-suche"));
    form.vokabelLektionF->reject();
    // A folder a reader recognises, not the build's scratch folder.
    form.datenSichernF->Edit1->setText(QStringLiteral("/home/anna/Sicherung/"));
    form.datenSichernF->Edit2->setText(QStringLiteral("/home/anna/Sicherung/"));
    const std::pair<QDialog*, const char*> dialogs[] = {
        {form.spracheF, "sprache"},
        {form.datenSichernF, "datensichern"},
        {form.benutzerbearbeitenF, "benutzerbearbeiten"},
        {form.benutzerwechselnF, "benutzerwechseln"},
        {form.benutzerF, "benutzerloeschen"},
    };
    for (auto [dialog, name] : dialogs) {
        ok &= save(dialog, out, QString::fromLatin1(name));
        dialog->reject();
    }
    ok &= save(form.benutzeranlegenF, out, QStringLiteral("benutzeranlegen"));
    form.benutzeranlegenF->reject();
    ok &= save(form.aboutF, out, QStringLiteral("info"));
    form.aboutF->reject();

    // Learning and testing on the lesson every language has.
    training::TrainingArea& area = *form.training;
    ok &= save(area.lektionauswaehlenF, out, QStringLiteral("lektionauswaehlen"));
    area.lektionauswaehlenF->reject();
    ok &= save(area.lernenoptionenF, out, QStringLiteral("lernoptionen"));
    area.lernenoptionenF->reject();
    ok &= save(area.testoptionenF, out, QStringLiteral("testoptionen"));
    area.testoptionenF->reject();
    area.lektionauswaehlenF->onChosen(QStringLiteral("ALLE VOKABELN"));
    area.learnPanel->BLernenStartClick();
    area.learnPanel->BNaechsteClick();
    ok &= save(&form, out, QStringLiteral("lernen"));
    area.learnPanel->Stop();
    area.lektionauswaehlentestF->onChosen(QStringLiteral("ALLE VOKABELN"));
    area.testPanel->BTestStartClick();
    area.testPanel->choiceClick(area.testPanel->Button8);
    ok &= save(&form, out, QStringLiteral("testen"));
    area.testPanel->Stop();
    form.StatistikClick();
    form.statistik->DBLookupListBox1Click();
    ok &= save(&form, out, QStringLiteral("statistik"));

    // The three print dialogs, and the preview of the flash cards.
    const std::pair<printing::PrintChoiceDialog*, const char*> printDialogs[] = {
        {form.vokabellisteDruckF, "druck_liste"},
        {form.vokabeltestDruckF, "druck_test"},
        {form.karteikartenDruckF, "druck_karteikarten"},
    };
    for (auto [dialog, name] : printDialogs) {
        form.PrintCommand(dialog->kind());
        ok &= save(dialog, out, QString::fromLatin1(name));
        if (dialog != form.karteikartenDruckF)
            dialog->reject();
    }
    form.karteikartenDruckF->Button1Click();
    ok &= save(&form, out, QStringLiteral("druckvorschau"));
    form.close();
    return ok ? 0 : 1;
}
