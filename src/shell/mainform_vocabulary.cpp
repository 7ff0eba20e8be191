// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary, lessons and dictionary in the main window.
#include "mainform.h"
#include "databound/datasource.h"
#include "vocabulary/lessonpanel.h"
#include "vocabulary/vocabularyeditor.h"
#include "vocabulary/vocabularyrules.h"
#include "vocabulary/vokabellektion.h"
#include "vocabulary/vokabeln.h"
#include "vocabulary/dictionarypanel.h"
#include "workpanel.h"
#include "core/fieldnames.h"
#include "tablestore/cursorguard.h"
#include "tablestore/tableerror.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

void Mainform::createVocabularyWindows() {
    vocabularyRules = new vocabulary::VocabularyRules(ctx_, this);

    vokabelverwaltung =
        new vocabulary::VocabularyEditor(ctx_, *vocabularyRules, vocabularySource,
                                         vocabulary::VocabularyEditor::Variant::Panel, *this, PVokabelverwaltung);
    PVokabelverwaltung->contentLayout()->addWidget(vokabelverwaltung);
    connect(vokabelverwaltung, &vocabulary::VocabularyEditor::closeRequested, this, &Mainform::ClosePanel);
    vokabelnF = new vocabulary::VokabelnF(ctx_, *vocabularyRules, vocabularySource, *this, this);

    lektionsverwaltung = new vocabulary::LessonPanel(ctx_, *this, PLektionsverwaltung);
    PLektionsverwaltung->contentLayout()->addWidget(lektionsverwaltung);
    connect(lektionsverwaltung, &vocabulary::LessonPanel::closeRequested, this, &Mainform::ResetView);
    vokabelLektionF = new vocabulary::VokabelLektionF(ctx_, *vocabularyRules, vocabularySource,
                                                      lektionsverwaltung->memberSource, vokabelnF, *this, this);
    lektionsverwaltung->setAssignmentDialog(vokabelLektionF);

    woerterbuch = new vocabulary::DictionaryPanel(ctx_, *vocabularyRules, vocabularySource, *this, PWoerterbuch);
    PWoerterbuch->contentLayout()->addWidget(woerterbuch);
    connect(woerterbuch, &vocabulary::DictionaryPanel::openRequested, this, &Mainform::showWordInVocabularyDialog);

    auto showGroups = [this] {
        vokabelverwaltung->setSubjectGroups(ctx_.subjectGroups.list());
        vokabelnF->editor->setSubjectGroups(ctx_.subjectGroups.list());
    };
    connect(&ctx_.subjectGroups, &core::SubjectGroups::changed, this, showGroups);
    showGroups();

    registerGridWidths(QStringLiteral("BreiteA"), woerterbuch->DBGrid1);
    registerGridWidths(QStringLiteral("BreiteB"), vokabelverwaltung->DBGrid2);
    registerGridWidths(QStringLiteral("BreiteC"), vokabelnF->editor->DBGrid2);
    registerGridWidths(QStringLiteral("BreiteD"), vokabelLektionF->DBGrid1);
}

void Mainform::labelLanguageVocabulary(const QString& L) {
    if (!vokabelverwaltung)
        return;
    vokabelverwaltung->setLanguage(L);
    vokabelnF->editor->setLanguage(L);
    lektionsverwaltung->setLanguage(L);
    vokabelLektionF->setLanguage(L);
    woerterbuch->setLanguage(L);
}

void Mainform::VokabelnClick() {
    ctx_.db.locateCurrentUser();
    if (vokabelverwaltung)
        vokabelverwaltung->setLanguage(ctx_.db.currentLanguage());
    showPanel(PVokabelverwaltung);
    ctx_.db.vocabulary.first();
}

void Mainform::ClosePanel() {
    if (!vocabularyRules->confirmLeaving())
        return;
    vokabelverwaltung->BSpeichern->setEnabled(false);
    ResetView();
}

void Mainform::LektionenClick() {
    ctx_.db.locateCurrentUser();
    const QString language = ctx_.db.currentLanguage();
    showPanel(PLektionsverwaltung);
    if (lektionsverwaltung)
        lektionsverwaltung->prepare(language);
}

void Mainform::showWordInVocabularyDialog() {
    auto& v = ctx_.db.vocabulary;
    try {
        v.settle();
        if (v.recNo() <= 0)
            return;
        const QVariant id = v.value(core::field::kId);
        // The dialog shows every word, on this one; the dictionary's hits
        // are back when it closes.
        const auto hits = ts::CursorGuard::byKey(v, core::field::kId, ts::CursorGuard::Rows::All);
        v.locate(core::field::kId, id);
        vokabelnF->exec();
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
    }
}

void Mainform::WoerterbuchClick() {
    ctx_.db.locateCurrentUser();
    if (woerterbuch)
        woerterbuch->setLanguage(ctx_.db.currentLanguage());
    showPanel(PWoerterbuch);
}

} // namespace shell
