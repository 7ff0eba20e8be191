// SPDX-License-Identifier: GPL-3.0-or-later
#include "vokabellektion.h"
#include "vocabularyrules.h"
#include "vocabularysearch.h"
#include "vokabeln.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "tablestore/cursorguard.h"
#include "tablestore/tableerror.h"
#include "widgets.h"
#include "databound/standardwidgets.h"
#include "core/fieldnames.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <unordered_set>

namespace vocabulary {

namespace {
namespace field = core::field;
const QStringList kOrderFields{field::kId,           field::kGerman,     field::kForeign, field::kGender,
                               field::kSubjectGroup, field::kDifficulty, field::kRemark};
} // namespace

VokabelLektionF::VokabelLektionF(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* vocabularySource,
                                 databound::DataSource* memberSource, VokabelnF* vocabularyDialog,
                                 core::WindowHost& host, QWidget* parent)
    : QDialog(parent), ctx_(ctx), rules_(rules), vocabularySource_(vocabularySource), memberSource_(memberSource),
      vocabularyDialog_(vocabularyDialog) {
    setObjectName(QStringLiteral("VokabelLektionF"));
    setWindowTitle(QStringLiteral("Vokabeln zu Lektion hinzufügen"));

    DBGrid1 = new databound::Grid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(vocabularySource);
    DBGrid1->setColumns(vocabularyGridColumns());
    DBGrid1->setOrderIndicator(true);
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Suche = new VocabularySearch(vocabularySource, this);
    Suche->setObjectName(QStringLiteral("Suche"));
    RadioGroup1 = new QGroupBox(QStringLiteral("Sortierung"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    orderButtons_ = new QButtonGroup(this);
    auto* orderLayout = new QGridLayout(RadioGroup1);
    const QStringList captions{QStringLiteral("ID"),          QStringLiteral("deutsch"),
                               QStringLiteral("ausländisch"), QStringLiteral("Gattung"),
                               QStringLiteral("Sachgruppe"),  QStringLiteral("Schwierigkeitsgrad"),
                               QStringLiteral("Bemerkung")};
    const int rows = int((captions.size() + 2) / 3); // filled column by column
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], RadioGroup1);
        orderButtons_->addButton(b, i);
        orderLayout->addWidget(b, i % rows, i / rows);
    }
    DBGrid3 = new databound::Grid(this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setDataSource(memberSource);
    DBGrid3->setColumns({{core::field::kMemberGerman, QStringLiteral("deutsch"), 130, true},
                         {core::field::kMemberForeign, QStringLiteral("Englisch"), 130, true}});

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    Button6 = button("Button6", QStringLiteral("Hinzufügen"));
    Button5 = button("Button5", QStringLiteral("Löschen"));
    Button2 = button("Button2", QStringLiteral("Neue Vokabel"));
    Button4 = button("Button4", QStringLiteral("Schließen"));
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Dialog);

    auto* left = new QVBoxLayout;
    left->addWidget(Suche);
    left->addWidget(DBGrid1, 1);
    left->addWidget(RadioGroup1);
    auto* leftButtons = new QHBoxLayout;
    leftButtons->addWidget(Button6);
    leftButtons->addWidget(Button2);
    leftButtons->addStretch(1);
    left->addLayout(leftButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(DBGrid3, 1);
    auto* rightButtons = new QHBoxLayout;
    rightButtons->addWidget(Button5);
    rightButtons->addStretch(1);
    rightButtons->addWidget(SpeedButtonHilfe);
    rightButtons->addWidget(Button4);
    right->addLayout(rightButtons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    resize(900, 520);
    // Tab through the left column, then the right one.
    setTabOrder(Suche->ESuchen, DBGrid1);
    setTabOrder(Button6, Button2);
    setTabOrder(Button2, DBGrid3);
    setTabOrder(DBGrid3, Button5);
    setTabOrder(Button5, SpeedButtonHilfe);
    setTabOrder(SpeedButtonHilfe, Button4);

    connect(Button6, &QPushButton::clicked, this, &VokabelLektionF::AssignCurrent);
    connect(DBGrid1, &databound::Grid::recordDoubleClicked, this, &VokabelLektionF::AssignCurrent);
    connect(Button5, &QPushButton::clicked, this, &VokabelLektionF::RemoveMember);
    connect(Button2, &QPushButton::clicked, this, &VokabelLektionF::NewVocabularyForLesson);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(orderButtons_, &QButtonGroup::idClicked, this, [this](int index) {
        if (index >= 0 && index < kOrderFields.size())
            vocabularySource_->guard([&](ts::Table& t) { t.setOrder(kOrderFields[index]); });
    });
    connect(DBGrid1, &databound::Grid::titleClicked, this, [this](const QString& title) {
        vocabularySource_->guard([&](ts::Table& t) { VocabularyRules::orderByColumnTitle(t, title); });
    });
    connect(DBGrid1, &databound::Grid::deleteRequested, this, [this] { rules_.deleteCurrent(); });
    connect(DBGrid3, &databound::Grid::deleteRequested, this, [this] {
        if (ctx_.prompter().ask(QStringLiteral("Datensatz löschen?"), core::Buttons::OkCancel) == core::Answer::Ok)
            memberSource_->guard([](ts::Table& t) { t.deleteRecord(); });
    });
}

void VokabelLektionF::setLanguage(const QString& language) {
    DBGrid1->setColumnTitle(1, language);
    DBGrid3->setColumnTitle(1, language);
    if (auto* b = orderButton(2))
        b->setText(language);
}

QRadioButton* VokabelLektionF::orderButton(int index) const {
    return qobject_cast<QRadioButton*>(orderButtons_->button(index));
}

void VokabelLektionF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget())
        move(parentWidget()->window()->geometry().center() - rect().center());
    vocabularySource_->guard([](ts::Table& t) { t.last(); });
}

void VokabelLektionF::AssignCurrent() {
    auto& v = ctx_.db.vocabulary;
    auto& l = ctx_.db.lessons;
    try {
        // A pending record is saved first; it may move, so the selection
        // counts only when nothing was pending.
        const bool wasBrowsing = v.state() == ts::Table::State::Browse;
        v.settle();
        if (l.recNo() <= 0)
            return;
        std::vector<int> chosen;
        const int idField = v.field(core::field::kId);
        if (wasBrowsing)
            for (int viewIndex : DBGrid1->selectedViewIndexes())
                chosen.push_back(v.valueAt(viewIndex, idField).toInt());
        if (chosen.empty() && v.recNo() > 0)
            chosen.push_back(v.integer(core::field::kId));
        addToLesson(chosen, l.integer(core::field::kId));
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
    }
}

void VokabelLektionF::addToLesson(const std::vector<int>& vocabularyIds, int lessonId) {
    auto& m = ctx_.db.members;
    std::unordered_set<int> present;
    {
        const auto all = ts::CursorGuard::byRowNumber(m, ts::CursorGuard::Rows::All);
        const int lessonField = m.field(core::field::kLessonId), vocabularyField = m.field(core::field::kVocabularyId);
        for (int i = 0; i < m.recordCount(); ++i)
            if (m.valueAt(i, lessonField).toInt() == lessonId)
                present.insert(m.valueAt(i, vocabularyField).toInt());
    }
    const ts::BulkInsertGuard bulk(m);
    for (int vocabularyId : vocabularyIds) {
        if (!present.insert(vocabularyId).second)
            continue; // in the lesson already
        m.insert();
        m.setValue(core::field::kLessonId, lessonId);
        m.setValue(core::field::kVocabularyId, vocabularyId);
        m.post();
    }
}

void VokabelLektionF::RemoveMember() {
    if (ctx_.db.members.recordCount() < 2)
        return;
    memberSource_->guard([](ts::Table& t) { t.deleteRecord(); });
}

void VokabelLektionF::NewVocabularyForLesson() {
    auto& v = ctx_.db.vocabulary;
    QVariant ended;
    try {
        // The new word is made among all words; afterwards the list shows
        // what it showed before, the search included.
        const auto list = ts::CursorGuard::byKey(v, core::field::kId, ts::CursorGuard::Rows::All);
        v.insert();
        vocabularyDialog_->editor->BSpeichern->setEnabled(true);
        vocabularyDialog_->exec();
        if (v.state() == ts::Table::State::Browse && v.recNo() > 0)
            ended = v.value(core::field::kId);
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return;
    }
    // The record the dialog ended on, when the list shows it.
    if (ended.isValid())
        vocabularySource_->guard([&](ts::Table& t) { t.locate(core::field::kId, ended); });
}

void VokabelLektionF::done(int result) {
    vocabularySource_->guard([](ts::Table& t) {
        t.setFiltered(false);
        t.setOrder(core::field::kId);
    });
    QDialog::done(result);
}

} // namespace vocabulary
