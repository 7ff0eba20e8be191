// SPDX-License-Identifier: GPL-3.0-or-later
#include "testoptionen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace training {

namespace {
constexpr int kMaxTime = 100; // minutes or seconds per word, as far as the arrows go
} // namespace

testoptionenF::testoptionenF(core::AppContext& ctx, core::WindowHost& host, Pool& pool, LearnPanel& learn,
                             TestPanel& test, QWidget* parent)
    : OptionsDialog(ctx, host, "testoptionenF", QStringLiteral("Testoptionen"), QStringLiteral("Deutsch -Fremdsprache"),
                    parent),
      pool_(pool), learn_(learn), test_(test) {
    GBSonstiges = group(this, "GBSonstiges", QStringLiteral("sonstiges"));
    CheckBox1 = checkBox(GBSonstiges, "CheckBox1", QStringLiteral("Schleife"));
    CheckBox2 = checkBox(GBSonstiges, "CheckBox2", QStringLiteral("Überstimmen"));
    leftColumn()->addWidget(GBSonstiges);

    GBTimer = new QGroupBox(QStringLiteral("Timer"), this);
    GBTimer->setObjectName(QStringLiteral("GBTimer"));
    auto* grid = new QGridLayout(GBTimer);
    auto timeRow = [this, grid](int row, const char* radioName, const QString& caption, const char* editName,
                                const char* upDownName, const QString& unit, const QString& text, QLineEdit*& edit,
                                UpDown*& arrows) {
        auto* r = radio(GBTimer, radioName, caption);
        grid->addWidget(r, row, 0, 1, 3);
        edit = new QLineEdit(text, GBTimer);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setMaximumWidth(60);
        edit->setAlignment(Qt::AlignRight);
        arrows = new UpDown(upDownName, edit, 0, kMaxTime, GBTimer);
        auto* label = new QLabel(unit, GBTimer);
        label->setBuddy(edit);
        auto* line = new QHBoxLayout;
        line->addSpacing(22);
        line->addWidget(edit);
        line->addWidget(arrows);
        line->addWidget(label);
        line->addStretch(1);
        grid->addLayout(line, row + 1, 0, 1, 3);
        return r;
    };
    RadioButton6 = timeRow(0, "RadioButton6", QStringLiteral("Gesamtzeit"), "LabeledEdit1", "UpDown1",
                           QStringLiteral("Minuten"), QStringLiteral("5"), LabeledEdit1, UpDown1);
    RadioButton7 = timeRow(2, "RadioButton7", QStringLiteral("Zeit pro Vokabel"), "LabeledEdit2", "UpDown2",
                           QStringLiteral("Sekunden"), QStringLiteral("10"), LabeledEdit2, UpDown2);
    RadioButton10 = radio(GBTimer, "RadioButton10", QStringLiteral("Kein Timer"));
    grid->addWidget(RadioButton10, 4, 0, 1, 3);
    rightColumn()->addWidget(GBTimer);

    GBEingabe = group(this, "GBEingabe", QStringLiteral("Eingabemöglichkeiten"));
    RadioButton8 = radio(GBEingabe, "RadioButton8", QStringLiteral("Multiple Choice"));
    RadioButton9 = radio(GBEingabe, "RadioButton9", QStringLiteral("Tastatureingabe"));
    GBEingabe->layout()->addWidget(RadioButton8);
    GBEingabe->layout()->addWidget(RadioButton9);
    CBGleicheWortart = checkBox(GBEingabe, "CBGleicheWortart", QStringLiteral("Falsche Antworten derselben Wortart"));
    CBGleicheWortart->setToolTip(QStringLiteral("Bei Multiple Choice stammen die falschen Antworten aus Vokabeln "
                                                "derselben Wortart wie die gefragte, soweit die Lektion genug hat."));
    rightColumn()->addWidget(GBEingabe);
    rightColumn()->addStretch(1);
    buttonsAfter(CBGleicheWortart);

    connect(CheckBox1, &QCheckBox::clicked, this, &testoptionenF::CheckBox1Click);
    connect(Button1, &QPushButton::clicked, this, &testoptionenF::Button1Click);
}

void testoptionenF::showEvent(QShowEvent* e) {
    OptionsDialog::showEvent(e);
    FormShow();
}

void testoptionenF::FormShow() {
    auto& o = ctx_.options;
    showOrderAndDirection();
    (o.keyboard ? RadioButton9 : RadioButton8)->setChecked(true);
    CheckBox1->setChecked(o.loop);
    CheckBox2->setChecked(o.override);
    CBGleicheWortart->setChecked(o.choicesOfSameKind);
    if (o.timerOn)
        o.timerMode = core::PracticeOptions::TotalTime; // a running budget is shown in minutes
    QRadioButton* const modes[] = {RadioButton10, RadioButton6, RadioButton7};
    modes[std::clamp(o.timerMode, 0, 2)]->setChecked(true);
    LabeledEdit1->setText(QString::number(int(std::nearbyint(test_.run().countdown() / 60.0))));
    CheckBox1Click(); // "Zeit pro Vokabel" and a loop exclude each other from the start
}

void testoptionenF::CheckBox1Click() {
    RadioButton7->setEnabled(!CheckBox1->isChecked());
    if (!RadioButton7->isEnabled() && RadioButton7->isChecked())
        RadioButton10->setChecked(true);
}

std::optional<int> testoptionenF::timeField(QLineEdit* edit, const QString& name) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    if (ok && v >= 1 && v <= kMaxTime)
        return v;
    ctx_.prompter().information(
        QStringLiteral("Bitte geben Sie bei „%1“ eine ganze Zahl von 1 bis %2 ein.").arg(name).arg(kMaxTime));
    edit->setFocus();
    edit->selectAll();
    return std::nullopt;
}

void testoptionenF::Button1Click() {
    auto& o = ctx_.options;
    // Everything that can be refused is checked before anything changes.
    int countdown = test_.run().countdown();
    if (RadioButton6->isChecked()) {
        const auto minutes = timeField(LabeledEdit1, QStringLiteral("Minuten"));
        if (!minutes)
            return;
        countdown = *minutes * 60;
    } else if (RadioButton7->isChecked()) {
        const auto seconds = timeField(LabeledEdit2, QStringLiteral("Sekunden"));
        if (!seconds)
            return;
        if (pool_.isChosen())
            pool_.restrictAgain();
        const int words = pool_.isChosen() ? pool_.size() : 0;
        if (words == 0) {
            ctx_.prompter().information(QStringLiteral(
                "Die gewählte Lektion enthält keine Vokabeln, daher ergibt „Zeit pro Vokabel“ keine Zeit. "
                "Bitte wählen Sie „Gesamtzeit“ oder „Kein Timer“."));
            return;
        }
        countdown = *seconds * words;
        ctx_.options.secondsPerWord = *seconds;
    } else if (RadioButton10->isChecked() && countdown <= 0) {
        countdown = o.TimeBudget; // never hand a budget of nothing to a later "Timer"
    }

    takeOrderAndDirection();
    o.keyboard = RadioButton9->isChecked();
    o.timerOn = RadioButton6->isChecked() || RadioButton7->isChecked();
    if (RadioButton6->isChecked()) {
        o.timerMode = core::PracticeOptions::TotalTime;
        o.selectedTimerMode = core::PracticeOptions::TotalTime;
    } else if (RadioButton7->isChecked()) {
        o.timerMode = core::PracticeOptions::TimePerWord;
        o.selectedTimerMode = core::PracticeOptions::TimePerWord;
    } else if (RadioButton10->isChecked()) {
        o.selectedTimerMode = core::PracticeOptions::NoTimer;
    }
    test_.run().setCountdown(countdown);
    o.TimeBudget = countdown;
    o.loop = CheckBox1->isChecked();
    o.override = CheckBox2->isChecked();
    o.choicesOfSameKind = CBGleicheWortart->isChecked();

    test_.applyKeyboardMode();
    test_.run().clearAsked();
    if (pool_.isChosen())
        pool_.first();
    test_.showCountdownLabel();
    accept();
}

} // namespace training
