// SPDX-License-Identifier: GPL-3.0-or-later
#include "learnpanel.h"
#include "trainingwidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>

namespace training {

LearnPanel::LearnPanel(core::AppContext& ctx, Pool& pool, core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx), host_(host), run_(ctx, pool, *this) {
    setObjectName(QStringLiteral("LearnPanel"));
    buildUi();
    connect(BLernenStart, &QPushButton::clicked, this, &LearnPanel::BLernenStartClick);
    connect(BLernenStop, &QPushButton::clicked, this, &LearnPanel::Stop);
    connect(BNaechste, &QPushButton::clicked, this, &LearnPanel::BNaechsteClick);
    connect(BVorher, &QPushButton::clicked, this, &LearnPanel::BVorherClick);
    connect(BEinzelschritt, &QPushButton::clicked, this, &LearnPanel::BEinzelschrittClick);
    connect(SpeedButton12, &QPushButton::clicked, this, [this] {
        if (onOptions)
            onOptions();
        Stop();
    });
}

void LearnPanel::buildUi() {
    setStyleSheet(practiceStyleSheet());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(12);

    const CommonToggles common = makeCommonToggles(this, outer, "CBReihenfolge", "SBSChleife", "SBAbfragerichtung",
                                                   ctx_, [this] { emit optionsChanged(); });
    CBReihenfolge = common.order;
    SBSChleife = common.loop;
    SBAbfragerichtung = common.direction;
    QHBoxLayout* bar = common.row;
    bar->addStretch(1);
    SpeedButton12 = makeButton(this, "SpeedButton12", QStringLiteral("Optionen"));
    SpeedButton13 = makeHelpButton(this, "SpeedButton13", host_, core::ManualPlace::Main);
    bar->addWidget(SpeedButton12);
    bar->addWidget(SpeedButton13);

    auto* cards = new QHBoxLayout;
    cards->setSpacing(24);
    Image1 = new CardImage(QStringLiteral("Image1"), this);
    Image2 = new CardImage(QStringLiteral("Image2"), this);
    cards->addWidget(Image1, 1);
    cards->addWidget(Image2, 1);
    outer->addLayout(cards, 1);

    auto* steps = new QHBoxLayout;
    BLernenStart = makeButton(this, "BLernenStart", QStringLiteral("Start"));
    BLernenStop = makeButton(this, "BLernenStop", QStringLiteral("Stop"));
    BVorher = makeButton(this, "BVorher", QStringLiteral("vorherige Vokabel"));
    BEinzelschritt = makeButton(this, "BEinzelschritt", QStringLiteral("Einzelschritt"));
    BNaechste = makeButton(this, "BNaechste", QStringLiteral("nächste Vokabel"));
    for (QPushButton* b : {BLernenStop, BVorher, BEinzelschritt, BNaechste})
        b->setEnabled(false);
    steps->addWidget(BLernenStart);
    steps->addWidget(BLernenStop);
    steps->addStretch(1);
    LKartenposition = new QLabel(this);
    LKartenposition->setObjectName(QStringLiteral("LKartenposition"));
    steps->addWidget(LKartenposition);
    steps->addStretch(1);
    steps->addWidget(BVorher);
    steps->addWidget(BEinzelschritt);
    steps->addWidget(BNaechste);
    outer->addLayout(steps);
}

void LearnPanel::captionDirection(const QString& language) {
    SBAbfragerichtung->setText(directionCaption(language, ctx_.options.Direction));
}

void LearnPanel::showOptions() {
    CBReihenfolge->setCurrentIndex(ctx_.options.OrderMode - 1);
    SBSChleife->setChecked(ctx_.options.loop);
    SBAbfragerichtung->setChecked(ctx_.options.Direction == 1);
    run_.optionsChanged();
}

void LearnPanel::showCard(int vocabularyId, CardPart part) {
    CardView(*Image1, *Image2, ctx_.db.vocabulary, vocabularyId, ctx_.options.Direction, part);
}

void LearnPanel::showProgress(int number, int count) {
    LKartenposition->setText(
        QStringLiteral("Karte %1 von %2")
            .arg(QLocale(QLocale::German).toString(number), QLocale(QLocale::German).toString(count)));
}

void LearnPanel::showRunning(bool running, bool canStepBack) {
    BLernenStart->setEnabled(!running);
    BLernenStop->setEnabled(running);
    BNaechste->setEnabled(running);
    BEinzelschritt->setEnabled(running);
    BVorher->setEnabled(running && canStepBack);
}

void LearnPanel::BLernenStartClick() {
    run_.start();
}
void LearnPanel::Stop() {
    run_.stop();
}
void LearnPanel::BNaechsteClick() {
    run_.next();
}
void LearnPanel::BEinzelschrittClick() {
    run_.singleStep();
}
void LearnPanel::BVorherClick() {
    run_.previous();
}

} // namespace training
