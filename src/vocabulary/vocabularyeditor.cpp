// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabularyeditor.h"
#include "vocabularyrules.h"
#include "vocabularysearch.h"
#include "databound/combobox.h"
#include "databound/datasource.h"
#include "databound/edit.h"
#include "databound/grid.h"
#include "databound/radiogroup.h"
#include "tablestore/tableerror.h"
#include "widgets.h"
#include "databound/standardwidgets.h"
#include "core/fieldnames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vocabulary {

using State = ts::Table::State;

VocabularyEditor::VocabularyEditor(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source,
                                   Variant variant, core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx), rules_(rules), source_(source), variant_(variant) {
    build(host);
    connect(BNeu, &QPushButton::clicked, this, &VocabularyEditor::NewVocabulary);
    connect(BSpeichern, &QPushButton::clicked, this, &VocabularyEditor::SaveAndNext);
    connect(BSchliessenVersteckjt, &QPushButton::clicked, this, &VocabularyEditor::SaveAndNext);
    connect(Button13, &QPushButton::clicked, this, &VocabularyEditor::DeleteVocabulary);
    connect(Button15, &QPushButton::clicked, this, &VocabularyEditor::closeRequested);
    connect(&rules_, &VocabularyRules::editStarted, this, [this] { BSpeichern->setEnabled(true); });
    connect(DBGrid2, &databound::Grid::titleClicked, this, [this](const QString& title) {
        source_->guard([&](ts::Table& t) { VocabularyRules::orderByColumnTitle(t, title); });
    });
    connect(DBGrid2, &databound::Grid::deleteRequested, this, [this] { rules_.deleteCurrentAsked(); });
    if (variant_ == Variant::Panel)
        connect(DBGrid2, &databound::Grid::characterTyped, this, [this](const QString& text) {
            // Each key searches on its own: typing "a", "u" finds a word on u.
            source_->guard([&](ts::Table& t) { t.locatePrefix(core::field::kGerman, text.left(1)); });
        });
}

void VocabularyEditor::build(core::WindowHost& host) {
    const bool panel = variant_ == Variant::Panel;
    auto edit = [this](const char* name, const QString& field) {
        auto* e = new databound::Edit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->bind(source_, field);
        e->installEventFilter(this);
        return e;
    };
    DBEditID = edit("DBEditID", core::field::kId);
    DBEditID->setReadOnly(true);
    DBEditID->hide();
    DBEdit1 = edit("DBEdit1", core::field::kGerman);
    DBEdit2 = edit("DBEdit2", core::field::kForeign);
    DBEdit5 = edit("DBEdit5", core::field::kRemark);
    LauslaendischVok = new QLabel(QStringLiteral("Englisch"), this);
    LauslaendischVok->setObjectName(QStringLiteral("LauslaendischVok"));
    CBSachgruppe = new databound::ComboBox(this);
    CBSachgruppe->setObjectName(QStringLiteral("CBSachgruppe"));
    CBSachgruppe->bind(source_, core::field::kSubjectGroup);
    CBSachgruppe->setInsertPolicy(QComboBox::NoInsert);
    CBSachgruppe->installEventFilter(this);
    if (CBSachgruppe->lineEdit())
        CBSachgruppe->lineEdit()->installEventFilter(this);

    RGSchwierigkeitsgrad = new databound::RadioGroup(this);
    RGSchwierigkeitsgrad->setObjectName(QStringLiteral("RGSchwierigkeitsgrad"));
    RGSchwierigkeitsgrad->setTitle(QStringLiteral("Schwierigkeitsgrad"));
    RGSchwierigkeitsgrad->setItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    RGSchwierigkeitsgrad->setColumns(3);
    RGSchwierigkeitsgrad->setStores(databound::RadioGroup::Stores::Number);
    RGSchwierigkeitsgrad->bind(source_, core::field::kDifficulty);
    RGGattung = new databound::RadioGroup(this);
    RGGattung->setObjectName(QStringLiteral("RGGattung"));
    RGGattung->setTitle(QStringLiteral("Gattung"));
    RGGattung->setItems({QStringLiteral("Verb"), QStringLiteral("Substantiv"), QStringLiteral("Adjektiv"),
                         QStringLiteral("sonstiges")});
    RGGattung->setColumns(2);
    RGGattung->bind(source_, core::field::kGender);

    DBGrid2 = new databound::Grid(this);
    DBGrid2->setObjectName(panel ? QStringLiteral("DBGrid2") : QStringLiteral("DBGrid1"));
    DBGrid2->setDataSource(source_);
    DBGrid2->setColumns(vocabularyGridColumns());
    DBGrid2->setOrderIndicator(true);
    Suche = new VocabularySearch(source_, this);
    Suche->setObjectName(QStringLiteral("Suche"));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    BNeu = button("BNeu", QStringLiteral("Neue Vokabel"));
    BSpeichern = button("BSpeichern", QStringLiteral("Speichern"));
    BSpeichern->setEnabled(false);
    BSchliessenVersteckjt = button("BSchliessenVersteckjt", QString());
    BSchliessenVersteckjt->setFixedWidth(0);
    BSchliessenVersteckjt->setFlat(true);
    BSchliessenVersteckjt->setFocusPolicy(Qt::NoFocus);
    Button13 = button("Button13", QStringLiteral("Löschen"));
    Button15 = button("Button15", QStringLiteral("Schließen"));
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host,
                                             panel ? core::ManualPlace::Main : core::ManualPlace::Dialog);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(panel ? QStringLiteral("deutsch") : QStringLiteral("Deutsch"), this), 0, 0);
    fields->addWidget(DBEdit1, 0, 1);
    fields->addWidget(LauslaendischVok, 1, 0);
    fields->addWidget(DBEdit2, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Sachgruppe"), this), 2, 0);
    fields->addWidget(CBSachgruppe, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Bemerkung"), this), 3, 0);
    fields->addWidget(DBEdit5, 3, 1);
    fields->setColumnStretch(1, 1);
    auto* radios = new QVBoxLayout;
    radios->addWidget(RGSchwierigkeitsgrad);
    radios->addWidget(RGGattung);
    radios->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 3);
    top->addLayout(radios, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BNeu);
    buttons->addWidget(BSpeichern);
    buttons->addWidget(Button13);
    buttons->addStretch(1);
    buttons->addWidget(BSchliessenVersteckjt);
    buttons->addWidget(SpeedButtonHilfe);
    buttons->addWidget(Button15);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(panel ? 8 : 0, panel ? 8 : 0, panel ? 8 : 0, panel ? 8 : 0);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(Suche);
    layout->addWidget(DBGrid2, 1);
    layout->addWidget(DBEditID);
    // Tab follows the fields as they stand, not as they were made.
    setTabOrder(DBEdit2, CBSachgruppe);
    setTabOrder(CBSachgruppe, DBEdit5);
    setTabOrder(Button13, SpeedButtonHilfe);
    setTabOrder(SpeedButtonHilfe, Button15);
    setTabOrder(Button15, Suche->ESuchen);
    setTabOrder(Suche->ESuchen, DBGrid2);
}

void VocabularyEditor::setLanguage(const QString& language) {
    if (variant_ == Variant::Panel)
        LauslaendischVok->setText(language);
    DBGrid2->setColumnTitle(1, language);
}

void VocabularyEditor::setSubjectGroups(const QStringList& groups) {
    CBSachgruppe->setItems(groups);
}

void VocabularyEditor::focusGerman() {
    if (variant_ == Variant::Panel)
        DBEdit1->setFocus();
}

void VocabularyEditor::NewVocabulary() {
    if (!rules_.confirmLeaving())
        return;
    if (!source_->guard([](ts::Table& t) { t.insert(); }))
        return;
    if (variant_ == Variant::Panel) {
        focusGerman();
        BSpeichern->setEnabled(true);
    }
}

void VocabularyEditor::SaveAndNext() {
    auto& v = ctx_.db.vocabulary;
    if (v.state() == State::Insert) {
        if (!v.isModified())
            return; // nothing typed yet: it stays waiting for its words
        if (!rules_.saveChecked())
            return;
        const QStringList& groups = ctx_.subjectGroups.list();
        if (!rules_.insertWithGroup(groups.isEmpty() ? QString() : groups.last()))
            return;
        BSpeichern->setEnabled(true);
        focusGerman();
    } else if (v.state() == State::Edit) {
        if (rules_.saveChecked())
            BSpeichern->setEnabled(false);
    }
}

void VocabularyEditor::DeleteVocabulary() {
    if (ctx_.prompter().ask(QStringLiteral("Sind Sie sicher, dass Sie den aktuellen Datensatz löschen möchten?"),
                            core::Buttons::YesCancel) != core::Answer::Yes)
        return;
    rules_.deleteCurrent();
}

bool VocabularyEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The box completes "Wo" to "Wohnen" without telling the record.
            CBSachgruppe->commitShownText();
            BSchliessenVersteckjt->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vocabulary
