// SPDX-License-Identifier: GPL-3.0-or-later
#include "testpanel.h"
#include "cardview.h"
#include "trainingwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QToolButton>

namespace training {

namespace {
const QColor kRight(0, 128, 0);
const QColor kWrong(255, 0, 0);
} // namespace

TestPanel::TestPanel(core::AppContext& ctx, Pool& pool, core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx), pool_(pool), host_(host), run_(ctx, pool, *this) {
    setObjectName(QStringLiteral("TestPanel"));
    buildUi();

    connect(BTestStart, &QPushButton::clicked, this, &TestPanel::BTestStartClick);
    connect(BTEstStop, &QPushButton::clicked, this, &TestPanel::Stop);
    connect(BOK, &QPushButton::clicked, this, &TestPanel::BOKClick);
    connect(Button2, &QPushButton::clicked, this, &TestPanel::BOKClick);
    connect(Edit1, &QLineEdit::returnPressed, Button2, &QPushButton::click); // disabled while idle
    for (QPushButton* b : {Button8, Button9, Button10, Button11})
        connect(b, &QPushButton::clicked, this, [this, b] { choiceClick(b); });
    connect(SpeedButton10, &QPushButton::clicked, this, [this] {
        if (onOptions)
            onOptions();
    });

    auto& o = ctx_.options;
    connect(SBUeberstimmen, &QToolButton::clicked, this, [this, &o](bool down) {
        o.override = down;
        emit optionsChanged();
    });
    connect(SBTimer, &QToolButton::clicked, this, [this, &o](bool down) {
        o.timerOn = down;
        showCountdownLabel();
        emit optionsChanged();
    });
    connect(SBTastatureingabe, &QToolButton::clicked, this, [this, &o](bool down) {
        o.keyboard = down;
        applyKeyboardMode();
        emit optionsChanged();
    });
}

void TestPanel::buildUi() {
    setStyleSheet(practiceStyleSheet());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(10);

    const CommonToggles common = makeCommonToggles(this, outer, "ComboBox1", "SBSChleifeTest", "SBAbfragerichtungTest",
                                                   ctx_, [this] { emit optionsChanged(); });
    ComboBox1 = common.order;
    SBSChleifeTest = common.loop;
    SBAbfragerichtungTest = common.direction;
    QHBoxLayout* bar = common.row;
    SBTimer = makeToggle(this, "SBTimer", QStringLiteral("Timer"));
    SBUeberstimmen = makeToggle(this, "SBUeberstimmen", QStringLiteral("Überstimmen"));
    SBTastatureingabe = makeToggle(this, "SBTastatureingabe", QStringLiteral("Multiple Choice"));
    for (QWidget* w : std::initializer_list<QWidget*>{SBTimer, SBUeberstimmen, SBTastatureingabe})
        bar->addWidget(w);
    bar->addStretch(1);
    Label1 = makeLabel(this, "Label1");
    QFont clock(QStringLiteral("Arial"));
    clock.setPixelSize(22);
    clock.setBold(true);
    Label1->setFont(clock);
    Label1->setMinimumWidth(80);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setToolTip(QStringLiteral("Verbleibende Zeit"));
    bar->addWidget(Label1);
    SpeedButton10 = makeButton(this, "SpeedButton10", QStringLiteral("Optionen"));
    SpeedButton11 = makeHelpButton(this, "SpeedButton11", host_, core::ManualPlace::Main);
    bar->addWidget(SpeedButton10);
    bar->addWidget(SpeedButton11);
    letToolbarShrink(bar);
    // One width for both captions, so a change of mode moves nothing.
    const int choiceWidth = SBTastatureingabe->sizeHint().width();
    SBTastatureingabe->setText(QStringLiteral("Tastatureingabe"));
    SBTastatureingabe->setFixedWidth(std::max(choiceWidth, SBTastatureingabe->sizeHint().width()));
    SBTastatureingabe->setText(QStringLiteral("Multiple Choice"));

    auto* middle = new QHBoxLayout;
    middle->setSpacing(16);
    outer->addLayout(middle, 1);
    auto* question = new QVBoxLayout;
    middle->addLayout(question, 1);
    Image3 = new CardImage(QStringLiteral("Image3"), this);
    question->addWidget(Image3, 1);
    LBemerkung = makeLabel(this, "LBemerkung");
    LBemerkung->setAlignment(Qt::AlignCenter);
    LBemerkung->setStyleSheet(QStringLiteral("color: #555; font-style: italic;"));
    question->addWidget(LBemerkung);

    // Typing and choosing share one place, as tall as the taller of the two,
    // so the card never moves when the input mode changes.
    inputs_ = new QStackedLayout;
    auto* typedPage = new QWidget(this);
    auto* choicePage = new QWidget(this);
    inputs_->addWidget(typedPage);
    inputs_->addWidget(choicePage);
    auto* typed = new QHBoxLayout(typedPage);
    typed->setContentsMargins(0, 0, 0, 0);
    typed->setAlignment(Qt::AlignTop);
    Edit1 = new QLineEdit(typedPage);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setPlaceholderText(QStringLiteral("Antwort eingeben …"));
    Edit1->setMinimumHeight(34);
    QFont answerFont = Edit1->font();
    answerFont.setPixelSize(18);
    Edit1->setFont(answerFont);
    BOK = makeButton(typedPage, "BOK", QStringLiteral("OK"));
    BOK->setEnabled(false);
    Button2 = makeButton(typedPage, "Button2", QString());
    Button2->setFixedWidth(0);
    Button2->setFlat(true);
    Button2->setEnabled(false);
    Button2->setFocusPolicy(Qt::NoFocus);
    typed->addWidget(Edit1, 1);
    typed->addWidget(BOK);
    typed->addWidget(Button2);
    question->addLayout(inputs_);

    auto* choices = new QGridLayout(choicePage);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->setSpacing(8);
    const char* names[] = {"Button8", "Button9", "Button10", "Button11"};
    QPushButton** places[] = {&Button8, &Button9, &Button10, &Button11};
    for (int i = 0; i < 4; ++i) {
        *places[i] = makeButton(choicePage, names[i], QString());
        (*places[i])->setProperty("choice", true);
        // A spare button hidden for want of words keeps its place.
        QSizePolicy keep = (*places[i])->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        (*places[i])->setSizePolicy(keep);
        choices->addWidget(*places[i], i / 2, i % 2);
    }

    LRF = makeLabel(this, "LRF");
    LRF->setAlignment(Qt::AlignCenter);
    QFont resultFont = LRF->font();
    resultFont.setPixelSize(26);
    resultFont.setBold(true);
    LRF->setFont(resultFont);
    LRF->setMinimumHeight(40);
    QSizePolicy keepVerdict = LRF->sizePolicy();
    keepVerdict.setRetainSizeWhenHidden(true); // the verdict appears without moving the card
    LRF->setSizePolicy(keepVerdict);
    LRF->hide();

    auto* side = new QVBoxLayout;
    middle->addLayout(side);
    GBStatistik = new QGroupBox(QStringLiteral("Statistik"), this);
    GBStatistik->setObjectName(QStringLiteral("GBStatistik"));
    auto* grid = new QGridLayout(GBStatistik);
    LAnzahl = makeLabel(GBStatistik, "LAnzahl", QStringLiteral("0"));
    Lrichtig = makeLabel(GBStatistik, "Lrichtig", QStringLiteral("0"));
    Lfalsch = makeLabel(GBStatistik, "Lfalsch", QStringLiteral("0"));
    const std::pair<const char*, QLabel*> rows[] = {
        {"Abgefrate Vokabeln:", LAnzahl}, {"Richtige Vokabeln:", Lrichtig}, {"Falsche Vokabeln:", Lfalsch}};
    int r = 0;
    for (const auto& [caption, value] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), GBStatistik), r, 0);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(40);
        grid->addWidget(value, r++, 1);
    }
    Lrichtig->setStyleSheet(QStringLiteral("color: rgb(0,128,0); font-weight: bold;"));
    Lfalsch->setStyleSheet(QStringLiteral("color: rgb(200,0,0); font-weight: bold;"));
    GBStatistik->setMinimumWidth(210);
    QSizePolicy keepStatistics = GBStatistik->sizePolicy();
    keepStatistics.setRetainSizeWhenHidden(true); // its place is kept from the start
    GBStatistik->setSizePolicy(keepStatistics);
    GBStatistik->hide();
    side->addWidget(GBStatistik);
    // The verdict stands beside the card, where it costs the panel no height.
    side->addWidget(LRF);
    side->addStretch(1);

    auto* run = new QHBoxLayout;
    BTestStart = makeButton(this, "BTestStart", QStringLiteral("Start"));
    BTEstStop = makeButton(this, "BTEstStop", QStringLiteral("Stop"));
    BTEstStop->setEnabled(false);
    run->addStretch(1);
    run->addWidget(BTestStart);
    run->addWidget(BTEstStop);
    run->addStretch(1);
    outer->addLayout(run);
    applyKeyboardMode();
}

QPushButton* TestPanel::choiceButton(int slot) const {
    QPushButton* const all[] = {Button8, Button9, Button10, Button11};
    return all[slot];
}

void TestPanel::captionDirection(const QString& language) {
    SBAbfragerichtungTest->setText(directionCaption(language, ctx_.options.Direction));
}

void TestPanel::showOptions() {
    const auto& o = ctx_.options;
    ComboBox1->setCurrentIndex(o.OrderMode - 1);
    SBAbfragerichtungTest->setChecked(o.Direction == 1);
    SBTimer->setChecked(o.timerOn);
    SBSChleifeTest->setChecked(o.loop);
    SBUeberstimmen->setChecked(o.override);
    SBTastatureingabe->setChecked(o.keyboard);
    applyKeyboardMode();
}

void TestPanel::applyKeyboardMode() {
    const bool keyboard = ctx_.options.keyboard;
    SBTastatureingabe->setText(keyboard ? QStringLiteral("Tastatureingabe") : QStringLiteral("Multiple Choice"));
    inputs_->setCurrentIndex(keyboard ? 0 : 1);
    BOK->setVisible(keyboard);
    Edit1->setVisible(keyboard);
    Button2->setVisible(keyboard);
    run_.keyboardModeChanged();
    const bool running = run_.running();
    for (int i = 0; i < 4; ++i)
        choiceButton(i)->setVisible(!keyboard && (!running || !choiceButton(i)->text().isEmpty()));
    if (running && keyboard)
        Edit1->setFocus();
}

void TestPanel::showCountdownLabel() {
    run_.resetClock();
    Label1->setVisible(ctx_.options.timerOn);
}

void TestPanel::showClock(int secondsLeft) {
    const int left = std::max(0, secondsLeft);
    Label1->setText(
        QStringLiteral("%1:%2").arg(left / 60, 2, 10, QLatin1Char('0')).arg(left % 60, 2, 10, QLatin1Char('0')));
}

void TestPanel::startClock() {
    host_.startSecondTimer();
}
void TestPanel::stopClock() {
    host_.stopSecondTimer();
}

void TestPanel::showResult(const QString& text, const QColor& colour) {
    LRF->setText(text);
    QPalette p = LRF->palette();
    p.setColor(QPalette::WindowText, colour);
    LRF->setPalette(p);
    LRF->show();
}

void TestPanel::showVerdict(Verdict verdict) {
    switch (verdict) {
    case Verdict::Right:
        showResult(QStringLiteral("richtig"), kRight);
        break;
    case Verdict::Wrong:
        showResult(QStringLiteral("falsch"), kWrong);
        break;
    case Verdict::NoMoreWords:
        showResult(QStringLiteral("Keine weiteren Vokabeln mehr"), Qt::black);
        break;
    case Verdict::TimeUp: // in the colour of the verdict before
        showResult(QStringLiteral("Die Zeit ist abgelaufen!"), LRF->palette().color(QPalette::WindowText));
        break;
    }
}

void TestPanel::hideVerdict() {
    GBStatistik->hide();
    LRF->hide();
}

void TestPanel::showTotals(const RunTotals& totals) {
    GBStatistik->show();
    LAnzahl->setText(QString::number(totals.asked));
    Lrichtig->setText(QString::number(totals.right));
    Lfalsch->setText(QString::number(totals.asked - totals.right));
    repaint();
}

void TestPanel::showQuestion(int vocabularyId) {
    LBemerkung->setText(QuestionView(*Image3, ctx_.db.vocabulary, vocabularyId, ctx_.options.Direction));
}

void TestPanel::showChoices(const Choices& c) {
    for (int i = 0; i < 4; ++i) {
        choiceButton(i)->setText(c.captions[size_t(i)]);
        choiceButton(i)->setVisible(i == c.rightSlot || !c.captions[size_t(i)].isEmpty());
        choiceButton(i)->setEnabled(true);
    }
}

void TestPanel::focusAnswer() {
    Edit1->setFocus();
}

void TestPanel::showRunning(bool running) {
    const bool keyboard = ctx_.options.keyboard;
    if (!running) {
        applyKeyboardMode();
        Image3->clear();
        LBemerkung->clear();
        Edit1->clear();
    }
    for (int i = 0; i < 4; ++i)
        choiceButton(i)->setEnabled(running && !keyboard);
    BTEstStop->setEnabled(running);
    BOK->setEnabled(running);
    Button2->setEnabled(running);
    BTestStart->setEnabled(!running);
    if (running && keyboard)
        Edit1->setFocus();
}

void TestPanel::BTestStartClick() {
    run_.start();
}
void TestPanel::Stop() {
    run_.stop();
}
void TestPanel::Timer1Timer() {
    run_.Timer1Timer();
}

void TestPanel::BOKClick() {
    const QString answer = Edit1->text();
    Edit1->clear();
    run_.answer(answer);
}

void TestPanel::choiceClick(QPushButton* button) {
    run_.answer(button->text());
}

} // namespace training
