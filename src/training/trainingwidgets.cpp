// SPDX-License-Identifier: GPL-3.0-or-later
#include "trainingwidgets.h"

#include "questionorder.h"
#include "databound/standardwidgets.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace training {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumHeight(34);
    return b;
}

QToolButton* makeToggle(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setCheckable(true);
    b->setProperty("toggle", true);
    b->setMinimumHeight(30);
    return b;
}

QToolButton* makeHelpButton(QWidget* parent, const char* name, core::WindowHost& host, core::ManualPlace place) {
    QToolButton* b = databound::helpButton(parent, name, host, place);
    b->setAutoRaise(false);
    b->setMinimumSize(30, 30);
    return b;
}

QComboBox* makeOrderCombo(QWidget* parent, const char* name) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems({QStringLiteral("Sequentiell"), QStringLiteral("Zufällig"), QStringLiteral("Nach Können")});
    c->setMinimumHeight(30);
    return c;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QWidget* makeToolbar(QWidget* parent, QHBoxLayout*& row) {
    auto* bar = new QWidget(parent);
    bar->setProperty("practiceToolbar", true);
    bar->setAttribute(Qt::WA_StyledBackground);
    row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(6);
    return bar;
}

void letToolbarShrink(QHBoxLayout* row) {
    for (int i = 0; i < row->count(); ++i)
        if (QWidget* w = row->itemAt(i)->widget())
            w->setMinimumWidth(std::min(w->sizeHint().width(), 40));
}

CommonToggles makeCommonToggles(QWidget* owner, QVBoxLayout* outer, const char* orderName, const char* loopName,
                                const char* directionName, core::AppContext& ctx,
                                const std::function<void()>& changed) {
    CommonToggles c{};
    outer->addWidget(makeToolbar(owner, c.row));
    c.order = makeOrderCombo(owner, orderName);
    c.loop = makeToggle(owner, loopName, QStringLiteral("Schleife"));
    c.direction = makeToggle(owner, directionName, QStringLiteral("deutsch-"));
    for (QWidget* w : std::initializer_list<QWidget*>{c.order, c.loop, c.direction})
        c.row->addWidget(w);
    auto& o = ctx.options;
    QObject::connect(c.order, &QComboBox::textActivated, owner, [&o, changed](const QString& t) {
        if (const int mode = orderModeFromText(t))
            o.OrderMode = mode;
        changed();
    });
    QObject::connect(c.loop, &QToolButton::clicked, owner, [&o, changed](bool down) {
        o.loop = down;
        changed();
    });
    QObject::connect(c.direction, &QToolButton::clicked, owner, [&ctx, changed](bool down) {
        ctx.db.locateCurrentUser();
        ctx.options.Direction = down ? 1 : 0;
        changed();
    });
    return c;
}

QDialogButtonBox* makeOkCancel(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    auto* buttons = new QDialogButtonBox(dialog);
    ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button2"));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

QString directionCaption(const QString& language, int direction) {
    return direction == 0 ? QStringLiteral("deutsch-") + language : language + QStringLiteral("-deutsch");
}

QString practiceStyleSheet() {
    return QStringLiteral(
        "QWidget[practiceToolbar=\"true\"] { background: #f4f6fa; border: 1px solid #c9d1de; border-radius: 6px; }"
        "QToolButton[toggle=\"true\"] { padding: 4px 10px; border: 1px solid #b8c2d3; border-radius: 4px;"
        "  background: white; }"
        "QToolButton[toggle=\"true\"]:checked { background: #4f8ff0; color: white; border-color: #3a6fc0; }"
        "QPushButton { padding: 4px 14px; }"
        "QPushButton[choice=\"true\"] { font-size: 16px; min-height: 44px; }"
        "QGroupBox { font-weight: bold; }");
}

} // namespace training
