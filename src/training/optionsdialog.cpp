// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionsdialog.h"
#include "trainingwidgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace training {

UpDown::UpDown(const char* name, QLineEdit* buddy, int min, int max, QWidget* parent)
    : QWidget(parent), buddy_(buddy), min_(min), max_(max) {
    setObjectName(QString::fromLatin1(name));
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    for (int delta : {1, -1}) {
        auto* b = new QToolButton(this);
        b->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setFixedSize(20, 14);
        b->setAutoRepeat(true);
        connect(b, &QToolButton::clicked, this, [this, delta] { stepBy(delta); });
        col->addWidget(b);
    }
}

void UpDown::stepBy(int delta) {
    bool ok = false;
    const int v = buddy_->text().trimmed().toInt(&ok);
    buddy_->setText(QString::number(std::clamp(ok ? v + delta : min_, min_, max_)));
}

OptionsDialog::OptionsDialog(core::AppContext& ctx, core::WindowHost& host, const char* name, const QString& caption,
                             const QString& directionZero, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(14);
    left_ = new QVBoxLayout;
    right_ = new QVBoxLayout;
    columns->addLayout(left_, 1);
    columns->addLayout(right_, 1);
    outer->addLayout(columns, 1);

    auto radio = [](QWidget* group, const char* radioName, const QString& text) {
        auto* r = new QRadioButton(text, group);
        r->setObjectName(QString::fromLatin1(radioName));
        group->layout()->addWidget(r);
        return r;
    };
    GBReihenfolge = new QGroupBox(QStringLiteral("Reihenfolge"), this);
    GBReihenfolge->setObjectName(QStringLiteral("GBReihenfolge"));
    new QVBoxLayout(GBReihenfolge);
    RadioButton1 = radio(GBReihenfolge, "RadioButton1", QStringLiteral("Sequentiell"));
    RadioButton2 = radio(GBReihenfolge, "RadioButton2", QStringLiteral("Zufallsprinzip"));
    RadioButton3 = radio(GBReihenfolge, "RadioButton3", QStringLiteral("Nach Können"));
    left_->addWidget(GBReihenfolge);

    GBAbfragerichtung = new QGroupBox(QStringLiteral("Abfragerichtung"), this);
    GBAbfragerichtung->setObjectName(QStringLiteral("GBAbfragerichtung"));
    new QVBoxLayout(GBAbfragerichtung);
    RadioButton4 = radio(GBAbfragerichtung, "RadioButton4", directionZero);
    RadioButton5 = radio(GBAbfragerichtung, "RadioButton5", QStringLiteral("Fremdsprache-Deutsch"));
    left_->addWidget(GBAbfragerichtung);

    auto* bottom = new QHBoxLayout;
    SpeedButton16 = makeHelpButton(this, "SpeedButton16", host, core::ManualPlace::Dialog);
    bottom->addWidget(SpeedButton16);
    bottom->addWidget(makeOkCancel(this, Button1, Button2), 1);
    outer->addSpacing(6);
    outer->addLayout(bottom);
}

void OptionsDialog::captionLanguage(const QString& language) {
    RadioButton4->setText(directionCaption(language, 0));
    RadioButton5->setText(directionCaption(language, 1));
}

void OptionsDialog::buttonsAfter(QWidget* last) {
    setTabOrder(last, SpeedButton16);
    setTabOrder(SpeedButton16, Button1);
    setTabOrder(Button1, Button2);
}

void OptionsDialog::showOrderAndDirection() {
    const auto& o = ctx_.options;
    QRadioButton* const order[] = {RadioButton1, RadioButton2, RadioButton3};
    if (o.OrderMode >= 1 && o.OrderMode <= 3)
        order[o.OrderMode - 1]->setChecked(true);
    (o.Direction == 1 ? RadioButton5 : RadioButton4)->setChecked(true);
}

void OptionsDialog::takeOrderAndDirection() {
    auto& o = ctx_.options;
    ctx_.db.locateCurrentUser();
    if (RadioButton1->isChecked())
        o.OrderMode = 1;
    else if (RadioButton2->isChecked())
        o.OrderMode = 2;
    else if (RadioButton3->isChecked())
        o.OrderMode = 3;
    if (RadioButton4->isChecked())
        o.Direction = 0;
    else if (RadioButton5->isChecked())
        o.Direction = 1;
}

QCheckBox* OptionsDialog::checkBox(QGroupBox* group, const char* name, const QString& text) {
    auto* c = new QCheckBox(text, group);
    c->setObjectName(QString::fromLatin1(name));
    group->layout()->addWidget(c);
    return c;
}

QGroupBox* OptionsDialog::group(QWidget* parent, const char* name, const QString& title) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(g);
    return g;
}

QRadioButton* OptionsDialog::radio(QWidget* parent, const char* name, const QString& text) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

} // namespace training
