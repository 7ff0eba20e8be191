// SPDX-License-Identifier: GPL-3.0-or-later
#include "learnpanel.h"
#include "cardview.h"
#include "questionorder.h"
#include "trainingwidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace training {

LearnPanel::LearnPanel(core::AppContext& ctx, Pool& pool, core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx), pool_(pool), host_(host) {
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
}

void LearnPanel::drawCurrent(bool single) {
    const CardPart part = !single ? CardPart::Whole : SingleStepPhase == 1 ? CardPart::Question : CardPart::Answers;
    CardView(*Image1, *Image2, ctx_.db.vocabulary, pool_.vocabularyId(), ctx_.options.Direction, part);
}

void LearnPanel::BLernenStartClick() {
    if (!readyToStart(pool_, ctx_.prompter(), QStringLiteral("Lernen")))
        return;
    pool_.first();
    drawCurrent(false);
    pool_.next();
    asked.clear();
    BLernenStart->setEnabled(false);
    BLernenStop->setEnabled(true);
    BNaechste->setEnabled(true);
    BEinzelschritt->setEnabled(true);
    BVorher->setEnabled(ctx_.options.OrderMode == Sequential);
}

void LearnPanel::Stop() {
    BLernenStart->setEnabled(true);
    for (QPushButton* b : {BLernenStop, BVorher, BNaechste, BEinzelschritt})
        b->setEnabled(false);
}

void LearnPanel::step(bool single) {
    const auto result = nextLearnEntry(pool_, asked, ctx_.options, ctx_.random(), ctx_.db, single, SingleStepPhase,
                                       [this, single] { drawCurrent(single); });
    if (result == DrawResult::EndOfPool)
        ctx_.prompter().information(QStringLiteral("Keine weiteren Vokabeln mehr verfügbar"));
}

void LearnPanel::BNaechsteClick() {
    SingleStepPhase = 1;
    step(false);
}

void LearnPanel::BEinzelschrittClick() {
    step(true);
    SingleStepPhase = SingleStepPhase == 1 ? 2 : 1;
}

void LearnPanel::BVorherClick() {
    if (ctx_.options.OrderMode != Sequential)
        ctx_.prompter().information(QStringLiteral("fehler"));
    if (!pool_.atEnd())
        pool_.prior();
    pool_.prior();
    drawCurrent(false);
    pool_.next();
    SingleStepPhase = 1;
}

} // namespace training
