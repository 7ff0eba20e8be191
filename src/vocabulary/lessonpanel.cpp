// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessonpanel.h"
#include "lessonlistdelegate.h"
#include "vokabellektion.h"
#include "core/lessons.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "databound/lookuplistbox.h"
#include "tablestore/tableerror.h"
#include "widgets.h"
#include "databound/standardwidgets.h"
#include "core/fieldnames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace vocabulary {

LessonPanel::LessonPanel(core::AppContext& ctx, core::WindowHost& host, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("Lektionsverwaltung"));
    auto report = [this](const QString& m) { ctx_.prompter().information(m); };
    lessonSource = new databound::DataSource(&ctx.db.lessons, this);
    lessonSource->setErrorHandler(report);
    memberSource = new databound::DataSource(&ctx.db.members, this);
    memberSource->setErrorHandler(report);

    DBLookupListBox3 = new databound::LookupListBox(this);
    DBLookupListBox3->setObjectName(QStringLiteral("DBLookupListBox3"));
    DBLookupListBox3->bind(lessonSource, core::field::kName);
    DBLookupListBox3->setItemDelegate(
        new LessonListDelegate(DBLookupListBox3->tableModel(), ctx.db.members, DBLookupListBox3));
    // The counts follow every change of the memberships, whichever window made it.
    auto recount = [this] { DBLookupListBox3->viewport()->update(); };
    connect(memberSource, &databound::DataSource::layoutChanged, this, recount);
    connect(memberSource, &databound::DataSource::reset, this, recount);
    DBGrid3 = new databound::Grid(this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setDataSource(memberSource);
    DBGrid3->setColumns({{core::field::kMemberGerman, QStringLiteral("deutsch"), 200},
                         {core::field::kMemberForeign, QStringLiteral("Englisch"), 200}});
    DBGrid3->setInPlaceEditing(true);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    Button17 = button("Button17", QStringLiteral("Neue Lektion"));
    BLektionUmbennen = button("BLektionUmbennen", QStringLiteral("Umbenennen"));
    BLektionLoeschen = button("BLektionLoeschen", QStringLiteral("Lektion Löschen"));
    Button19 = button("Button19", QStringLiteral("Hinzufügen"));
    Button20 = button("Button20", QStringLiteral("Löschen"));
    Button16 = button("Button16", QStringLiteral("Schließen"));
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Main);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Lektionen"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Zugeordnete Vokabeln"), this), 0, 1);
    grid->addWidget(DBLookupListBox3, 1, 0);
    grid->addWidget(DBGrid3, 1, 1);
    auto* left = new QHBoxLayout;
    left->addWidget(Button17);
    left->addWidget(BLektionUmbennen);
    left->addWidget(BLektionLoeschen);
    left->addStretch(1);
    auto* right = new QHBoxLayout;
    right->addWidget(Button19);
    right->addWidget(Button20);
    right->addStretch(1);
    right->addWidget(SpeedButtonHilfe);
    right->addWidget(Button16);
    grid->addLayout(left, 2, 0);
    grid->addLayout(right, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);

    connect(DBLookupListBox3, &databound::LookupListBox::recordClicked, this, &LessonPanel::SelectLesson);
    connect(Button17, &QPushButton::clicked, this, &LessonPanel::NewLesson);
    connect(BLektionUmbennen, &QPushButton::clicked, this, &LessonPanel::RenameLesson);
    connect(BLektionLoeschen, &QPushButton::clicked, this, &LessonPanel::DeleteLesson);
    connect(Button19, &QPushButton::clicked, this, &LessonPanel::AddMembers);
    connect(Button20, &QPushButton::clicked, this, &LessonPanel::RemoveMember);
    connect(Button16, &QPushButton::clicked, this, &LessonPanel::closeRequested);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, Button16, &QPushButton::click);
    setTabOrder(Button20, SpeedButtonHilfe); // Tab as the buttons stand
    setTabOrder(SpeedButtonHilfe, Button16);
    connect(DBGrid3, &databound::Grid::deleteRequested, this, [this] {
        if (ctx_.prompter().ask(QStringLiteral("Datensatz löschen?"), core::Buttons::OkCancel) == core::Answer::Ok)
            memberSource->guard([](ts::Table& t) { t.deleteRecord(); });
    });
}

void LessonPanel::setLanguage(const QString& language) {
    language_ = language;
    DBGrid3->setColumnTitle(1, language);
}

void LessonPanel::prepare(const QString& language) {
    setLanguage(language);
    lessonSource->guard([&](ts::Table& t) {
        t.setFilter(QStringLiteral("Sprache = ") + ts::Table::quoted(language));
        t.setFiltered(true);
        t.first();
    });
    followLesson();
}

bool LessonPanel::isAllVocabularyLesson() const {
    const auto& l = ctx_.db.lessons;
    return l.recNo() > 0 && l.text(core::field::kName) == core::kAllVocabularyLesson;
}

void LessonPanel::followLesson() {
    // "ALLE VOKABELN" keeps its name and stays, whether it was clicked or is
    // merely the first lesson shown.
    const bool special = isAllVocabularyLesson();
    BLektionLoeschen->setEnabled(!special);
    BLektionUmbennen->setEnabled(!special);
}

void LessonPanel::filterMembersToLesson() {
    auto& l = ctx_.db.lessons;
    const int id = l.recNo() > 0 ? l.integer(core::field::kId) : -1;
    memberSource->guard([id](ts::Table& t) {
        t.setFilter(QStringLiteral("LektionsID = %1").arg(id));
        t.setFiltered(true);
        t.first();
    });
}

void LessonPanel::SelectLesson() {
    filterMembersToLesson();
    followLesson();
}

bool LessonPanel::nameAcceptable(const QString& name, int exceptLessonId) {
    if (name.trimmed().isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Bitte geben Sie einen Namen für die Lektion an."));
        return false;
    }
    const auto& l = ctx_.db.lessons;
    const int nameField = l.field(core::field::kName), languageField = l.field(core::field::kLanguage),
              idField = l.field(core::field::kId);
    // Over the lessons of the language; the panel's filter may be off when
    // another window reset the view meanwhile.
    for (int i = 0; i < l.recordCount(); ++i) {
        if (l.valueAt(i, languageField).toString() != language_ || l.valueAt(i, idField).toInt() == exceptLessonId)
            continue;
        if (l.valueAt(i, nameField).toString().compare(name, Qt::CaseInsensitive) == 0) {
            ctx_.prompter().information(QStringLiteral("Eine Lektion \"%1\" gibt es in dieser Sprache schon. Bitte "
                                                       "wählen Sie einen anderen Namen.")
                                            .arg(name));
            return false;
        }
    }
    return true;
}

void LessonPanel::NewLesson() {
    const auto name = ctx_.prompter().input(QStringLiteral("Neue Lektion anlegen"),
                                            QStringLiteral("Bitte geben Sie den Namen der neuen Lektion an"), {});
    if (!name || !nameAcceptable(*name, -1))
        return;
    lessonSource->guard([&](ts::Table& t) {
        t.insert();
        t.setValue(core::field::kName, *name);
        t.setValue(core::field::kLanguage, language_);
        t.post();
    });
    followLesson();
}

void LessonPanel::RenameLesson() {
    auto& l = ctx_.db.lessons;
    if (l.recNo() <= 0 || isAllVocabularyLesson())
        return;
    const QString old = l.text(core::field::kName);
    const auto name = ctx_.prompter().input(QStringLiteral("Lektionsnamen ändern"),
                                            QStringLiteral("Bitte den neuen Namen eingeben..."), old);
    if (!name || *name == old || !nameAcceptable(*name, l.integer(core::field::kId)))
        return;
    lessonSource->guard([&](ts::Table& t) {
        t.edit();
        t.setValue(core::field::kName, *name);
        t.post();
    });
    followLesson();
}

void LessonPanel::DeleteLesson() {
    auto& l = ctx_.db.lessons;
    if (l.recordCount() < 2 || isAllVocabularyLesson())
        return;
    if (ctx_.prompter().ask(QStringLiteral("Sind Sie sicher, dass Sie den aktuellen Datensatz löschen möchten?"),
                            core::Buttons::YesCancel) != core::Answer::Yes)
        return;
    lessonSource->guard([](ts::Table& t) { t.deleteRecord(); });
    followLesson();
}

void LessonPanel::AddMembers() {
    auto& l = ctx_.db.lessons;
    if (l.recordCount() < 2 || !assignment_)
        return;
    // The dialog shows the lesson's members even before a lesson was clicked.
    filterMembersToLesson();
    assignment_->setWindowTitle(QStringLiteral("Lektion: ") + l.text(core::field::kName));
    assignment_->exec();
    filterMembersToLesson();
}

void LessonPanel::RemoveMember() {
    if (ctx_.db.members.recordCount() < 2)
        return;
    memberSource->guard([](ts::Table& t) { t.deleteRecord(); });
}

} // namespace vocabulary
