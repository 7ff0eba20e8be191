// SPDX-License-Identifier: GPL-3.0-or-later
#include "druckerdialog.h"

#include "printlesson.h"
#include "databound/standardwidgets.h"
#include "tablestore/table.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"
#include "core/lessons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QShowEvent>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace printing {

namespace {
namespace field = core::field;
const QString* const SortFields[] = {&field::kId,           &field::kGerman,     &field::kForeign, &field::kGender,
                                     &field::kSubjectGroup, &field::kDifficulty, &field::kRemark};
const char* const SortCaptions[] = {"ID",       "deutsch", "ausländisch", "Gattung", "Sachgruppe", "Schwierigkeitsgrad",
                                    "Bemerkung"};
constexpr int SortItemCount = 7;
const QString BlankGroupCaption = QStringLiteral("(ohne Sachgruppe)");
constexpr int GroupValueRole = Qt::UserRole;
constexpr int LessonIdRole = Qt::UserRole;

QString Title(PrintKind kind) {
    switch (kind) {
    case PrintKind::FlashCards:
        return QStringLiteral("Karteikarten drucken");
    case PrintKind::List:
        return QStringLiteral("Vokabelliste drucken");
    case PrintKind::Test:
        return QStringLiteral("Vokabeltest drucken");
    }
    return {};
}

const char* ObjectName(PrintKind kind) {
    switch (kind) {
    case PrintKind::FlashCards:
        return "KarteikartenDruckF";
    case PrintKind::List:
        return "VokabellisteDruckF";
    case PrintKind::Test:
        return "VokabeltestDruckF";
    }
    return "";
}

QSpinBox* CardSpin(QWidget* parent, const char* name, int value) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(1, 99);
    s->setValue(value);
    return s;
}
} // namespace

QString buildPrintFilter(const PrintSelection& s) {
    QString f = QStringLiteral("1 = 1");
    f += QStringLiteral(" and ( 1=2");
    if (s.substantiv)
        f += QStringLiteral(" or Gattung='Substantiv'");
    if (s.verb)
        f += QStringLiteral(" or Gattung='Verb'");
    if (s.adjektiv)
        f += QStringLiteral(" or Gattung='Adjektiv'");
    if (s.sonstiges)
        f += QStringLiteral(" or Gattung='sonstiges'");
    f += QStringLiteral(")");
    f += QStringLiteral(" and ( 1=2");
    if (s.level1)
        f += QStringLiteral(" or Schwierigkeitsgrad='1'");
    if (s.level2)
        f += QStringLiteral(" or Schwierigkeitsgrad='2'");
    if (s.level3)
        f += QStringLiteral(" or Schwierigkeitsgrad='3'");
    f += QStringLiteral(")");
    f += QStringLiteral(" and ( 1=2 ");
    for (const QString& g : s.subjectGroups) {
        f += QStringLiteral(" or Sachgruppe=") + ts::Table::quoted(g);
        // The blank entry stands for every word without a group, including
        // those whose group was never set.
        if (g.isEmpty())
            f += QStringLiteral(" or Sachgruppe IS NULL");
    }
    f += QStringLiteral(")");
    if (!s.wholeVocabulary)
        f += QStringLiteral(" and ") + idFilterClause(s.lessonWords);
    return f;
}

QString printSortField(int item) {
    return *SortFields[item >= 0 && item < SortItemCount ? item : 0];
}

PrintChoiceDialog::PrintChoiceDialog(PrintKind kind, ts::Table& vocabulary, core::WindowHost& host, QWidget* parent)
    : QDialog(parent), kind_(kind), vocabulary_(vocabulary), host_(host) {
    setObjectName(QString::fromLatin1(ObjectName(kind)));
    setWindowTitle(Title(kind));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top, 1);

    auto* left = new QVBoxLayout;
    top->addLayout(left);
    GroupGattung = new QGroupBox(QStringLiteral("Gattung"), this);
    GroupGattung->setObjectName(QStringLiteral("GroupGattung"));
    new QVBoxLayout(GroupGattung);
    CBSubstantiv = addCheck(GroupGattung, "CBSubstantiv", QStringLiteral("Substantiv"));
    CBVerb = addCheck(GroupGattung, "CBVerb", QStringLiteral("Verb"));
    CBAdjektiv = addCheck(GroupGattung, "CBAdjektiv", QStringLiteral("Adjektiv"));
    CBsonstiges = addCheck(GroupGattung, "CBsonstiges", QStringLiteral("sonstiges"));
    left->addWidget(GroupGattung);
    GroupSchwierigkeitsgrad = new QGroupBox(QStringLiteral("Schwierigkeitsgrad"), this);
    GroupSchwierigkeitsgrad->setObjectName(QStringLiteral("GroupSchwierigkeitsgrad"));
    new QVBoxLayout(GroupSchwierigkeitsgrad);
    CB1 = addCheck(GroupSchwierigkeitsgrad, "CB1", QStringLiteral("1"));
    CB2 = addCheck(GroupSchwierigkeitsgrad, "CB2", QStringLiteral("2"));
    CB3 = addCheck(GroupSchwierigkeitsgrad, "CB3", QStringLiteral("3"));
    left->addWidget(GroupSchwierigkeitsgrad);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    top->addLayout(right, 1);
    GroupLektion = new QGroupBox(QStringLiteral("Lektion"), this);
    GroupLektion->setObjectName(QStringLiteral("GroupLektion"));
    auto* lessonLayout = new QVBoxLayout(GroupLektion);
    CBLektion = new QComboBox(GroupLektion);
    CBLektion->setObjectName(QStringLiteral("CBLektion"));
    lessonLayout->addWidget(CBLektion);
    right->addWidget(GroupLektion);

    GroupSachgruppe = new QGroupBox(QStringLiteral("Sachgruppe"), this);
    GroupSachgruppe->setObjectName(QStringLiteral("GroupSachgruppe"));
    auto* groupLayout = new QVBoxLayout(GroupSachgruppe);
    ListBox1 = new QListWidget(GroupSachgruppe);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    // A click toggles an entry; several may be selected.
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox1->setUniformItemSizes(true);
    groupLayout->addWidget(ListBox1);
    auto* groupButtons = new QHBoxLayout;
    BAlle = new QPushButton(QStringLiteral("Alle"), GroupSachgruppe);
    BAlle->setObjectName(QStringLiteral("BAlle"));
    BAlle->setAutoDefault(false);
    BKeine = new QPushButton(QStringLiteral("Keine"), GroupSachgruppe);
    BKeine->setObjectName(QStringLiteral("BKeine"));
    BKeine->setAutoDefault(false);
    groupButtons->addWidget(BAlle);
    groupButtons->addWidget(BKeine);
    groupButtons->addStretch(1);
    groupLayout->addLayout(groupButtons);
    right->addWidget(GroupSachgruppe, 1);
    connect(BAlle, &QPushButton::clicked, ListBox1, &QListWidget::selectAll);
    connect(BKeine, &QPushButton::clicked, ListBox1, &QListWidget::clearSelection);

    RadioGroup1 = new QGroupBox(QStringLiteral("Sortierung"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* sortGrid = new QGridLayout(RadioGroup1);
    sortGroup_ = new QButtonGroup(this);
    for (int i = 0; i < SortItemCount; ++i) {
        auto* rb = new QRadioButton(QString::fromUtf8(SortCaptions[i]), RadioGroup1);
        rb->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        sortGroup_->addButton(rb, i);
        SortItems << rb;
        // Three columns, filled top to bottom.
        sortGrid->addWidget(rb, i % 3, i / 3);
    }
    layout->addWidget(RadioGroup1);

    if (kind == PrintKind::Test) {
        RadioGroup2 = new QGroupBox(QStringLiteral("Sprache"), this);
        RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
        auto* row = new QHBoxLayout(RadioGroup2);
        RBDeutsch = new QRadioButton(QStringLiteral("deutsch"), RadioGroup2);
        RBDeutsch->setObjectName(QStringLiteral("RadioGroup2_0"));
        RBAuslaendisch = new QRadioButton(QStringLiteral("ausländisch"), RadioGroup2);
        RBAuslaendisch->setObjectName(QStringLiteral("RadioGroup2_1"));
        row->addWidget(RBDeutsch);
        row->addWidget(RBAuslaendisch);
        RBDeutsch->setChecked(true);
        layout->addWidget(RadioGroup2);
        CBLoesungsblatt = new QCheckBox(QStringLiteral("Lösungsblatt"), this);
        CBLoesungsblatt->setObjectName(QStringLiteral("CBLoesungsblatt"));
        CBLoesungsblatt->setToolTip(QStringLiteral("Druckt nach dem Test eine Seite mit den Lösungen."));
        layout->addWidget(CBLoesungsblatt);
    }
    if (kind == PrintKind::FlashCards) {
        GroupKarteikarten = new QGroupBox(QStringLiteral("Karteikarten"), this);
        GroupKarteikarten->setObjectName(QStringLiteral("GroupKarteikarten"));
        auto* row = new QHBoxLayout(GroupKarteikarten);
        ERechts = CardSpin(GroupKarteikarten, "ERechts", 3);
        EOben = CardSpin(GroupKarteikarten, "EOben", 6);
        row->addWidget(ERechts);
        row->addWidget(EOben);
        layout->addWidget(GroupKarteikarten);
        GroupKarteikarten->hide();
    }

    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host_, core::ManualPlace::Dialog);
    const databound::OkCancel buttons = databound::okCancel(this, "Button1", QStringLiteral("Vorschau"), "Button2");
    Button1 = buttons.ok;
    Button2 = buttons.cancel;
    layout->addLayout(databound::buttonRow(SpeedButtonHilfe, {Button1, Button2}));
    resize(520, 420);

    connect(Button1, &QPushButton::clicked, this, &PrintChoiceDialog::Button1Click);
    setSortItem(0);
    fillLessons();
}

QCheckBox* PrintChoiceDialog::addCheck(QGroupBox* box, const char* name, const QString& caption) {
    auto* cb = new QCheckBox(caption, box);
    cb->setObjectName(QString::fromLatin1(name));
    cb->setChecked(true);
    box->layout()->addWidget(cb);
    return cb;
}

int PrintChoiceDialog::cardColumns() const {
    return ERechts ? ERechts->value() : 3;
}
int PrintChoiceDialog::cardRows() const {
    return EOben ? EOben->value() : 6;
}

int PrintChoiceDialog::sortItem() const {
    return std::max(0, sortGroup_->checkedId());
}
void PrintChoiceDialog::setSortItem(int item) {
    if (QAbstractButton* b = sortGroup_->button(item))
        b->setChecked(true);
}

void PrintChoiceDialog::setLanguageName(const QString& language) {
    SortItems[2]->setText(language);
    if (RBAuslaendisch)
        RBAuslaendisch->setText(language);
}

void PrintChoiceDialog::setLessonSource(core::Database* db) {
    // Filled on show: the tables may not be loaded yet.
    db_ = db;
}

QString PrintChoiceDialog::lessonName() const {
    return CBLektion->currentText();
}

bool PrintChoiceDialog::answerKey() const {
    return CBLoesungsblatt && CBLoesungsblatt->isChecked();
}

void PrintChoiceDialog::fillLessons() {
    // The choice stays while its lesson does; a new one starts on the whole
    // vocabulary.
    const QString kept = CBLektion->currentText();
    CBLektion->clear();
    std::vector<PrintLesson> lessons;
    if (db_)
        lessons = lessonsOfCurrentLanguage(*db_);
    if (lessons.empty() || lessons.front().name != core::kAllVocabularyLesson)
        lessons.insert(lessons.begin(), PrintLesson{-1, core::kAllVocabularyLesson});
    for (const PrintLesson& l : lessons)
        CBLektion->addItem(l.name, l.id);
    const int again = CBLektion->findText(kept, Qt::MatchExactly | Qt::MatchCaseSensitive);
    CBLektion->setCurrentIndex(std::max(0, again));
}

QStringList PrintChoiceDialog::subjectGroupEntries() const {
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i)
        out << ListBox1->item(i)->data(GroupValueRole).toString();
    return out;
}

PrintSelection PrintChoiceDialog::selection() const {
    PrintSelection s;
    s.substantiv = CBSubstantiv->isChecked();
    s.verb = CBVerb->isChecked();
    s.adjektiv = CBAdjektiv->isChecked();
    s.sonstiges = CBsonstiges->isChecked();
    s.level1 = CB1->isChecked();
    s.level2 = CB2->isChecked();
    s.level3 = CB3->isChecked();
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected())
            s.subjectGroups << ListBox1->item(i)->data(GroupValueRole).toString();
    if (db_ && CBLektion->currentText() != core::kAllVocabularyLesson) {
        s.wholeVocabulary = false;
        s.lessonWords = wordsOfLesson(*db_, CBLektion->currentData(LessonIdRole).toInt());
    }
    return s;
}

void PrintChoiceDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void PrintChoiceDialog::fillSubjectGroups() {
    ListBox1->clear();
    if (!vocabulary_.isOpen())
        return;
    const int field = vocabulary_.fieldIndex(core::field::kSubjectGroup);
    if (field < 0)
        return;
    // Read through the view in place: the cursor of the views stays put.
    QSet<QString> seen;
    QStringList entries;
    const int n = vocabulary_.recordCount();
    for (int i = 0; i < n; ++i) {
        const QString g = vocabulary_.valueAt(i, field).toString();
        if (!seen.contains(g)) {
            seen.insert(g);
            entries << g;
        }
    }
    // One stable order whatever the table's: German collation, the words
    // without a group last.
    std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        if (a.isEmpty() != b.isEmpty())
            return b.isEmpty();
        return germanLess(a, b);
    });
    for (const QString& g : entries) {
        auto* item = new QListWidgetItem(g.isEmpty() ? BlankGroupCaption : g, ListBox1);
        item->setData(GroupValueRole, g);
    }
    ListBox1->selectAll();
}

void PrintChoiceDialog::FormShow() {
    const bool detach = kind_ != PrintKind::Test;
    if (detach)
        host_.DetachVocabularyViews();
    fillSubjectGroups();
    fillLessons();
    setSortItem(0);
    if (RBDeutsch)
        RBDeutsch->setChecked(true);
    host_.AttachVocabularyViews();
}

void PrintChoiceDialog::Button1Click() {
    const QString filter = buildPrintFilter(selection());
    try {
        // The entries were told apart by letter case, so they match that way.
        vocabulary_.setFilterCaseInsensitive(false);
        vocabulary_.setFilter(filter);
        vocabulary_.setOrder(printSortField(sortItem()));
    } catch (const ts::TableError& e) {
        // Every name is quoted, so this only happens with a table that lacks
        // the fields; the table keeps its old filter and order.
        host_.inform(e.message());
        return;
    }
    const bool german = !RBAuslaendisch || !RBAuslaendisch->isChecked();
    host_.previewPrint(kind_, german);
    accept();
}

} // namespace printing
