// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernenoptionen.h"

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

lernenoptionenF::lernenoptionenF(core::AppContext& ctx, core::WindowHost& host, Pool& pool, LearnPanel& learn,
                                 TestPanel& test, QWidget* parent)
    : OptionsDialog(ctx, host, "lernenoptionenF", QStringLiteral("Lernenoptionen"),
                    QStringLiteral("Deutsch-Fremdsprache"), parent),
      pool_(pool), learn_(learn), test_(test) {
    GBSchleife = group(this, "GBSchleife", QStringLiteral("Schleife"));
    CheckBox1 = checkBox(GBSchleife, "CheckBox1", QStringLiteral("mit Schleife"));
    rightColumn()->addWidget(GBSchleife);
    rightColumn()->addStretch(1);
    buttonsAfter(CheckBox1);
    connect(Button1, &QPushButton::clicked, this, &lernenoptionenF::Button1Click);
}

void lernenoptionenF::showEvent(QShowEvent* e) {
    OptionsDialog::showEvent(e);
    FormShow();
}

void lernenoptionenF::FormShow() {
    showOrderAndDirection();
    CheckBox1->setChecked(ctx_.options.loop);
}

void lernenoptionenF::Button1Click() {
    takeOrderAndDirection();
    ctx_.options.loop = CheckBox1->isChecked();
    learn_.run().clearAsked();
    if (pool_.isChosen())
        pool_.first();
    accept(); // the panels' controls follow the options on `accepted`
}

} // namespace training
