// SPDX-License-Identifier: GPL-3.0-or-later
#include "standardwidgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

namespace databound {

QToolButton* helpButton(QWidget* parent, const char* objectName, core::WindowHost& host, core::ManualPlace place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setText(QStringLiteral("?"));
    b->setToolTip(QStringLiteral("Hile aufrufen"));
    b->setAutoRaise(true);
    QObject::connect(b, &QToolButton::clicked, parent, [&host, place] { host.OpenManual(place); });
    return b;
}

OkCancel okCancel(QDialog* dialog, const char* okName, const QString& okCaption, const char* cancelName) {
    OkCancel buttons;
    buttons.ok = new QPushButton(okCaption, dialog);
    buttons.ok->setObjectName(QString::fromLatin1(okName));
    buttons.ok->setDefault(true);
    buttons.cancel = new QPushButton(QStringLiteral("Abbrechen"), dialog);
    buttons.cancel->setObjectName(QString::fromLatin1(cancelName));
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

QHBoxLayout* buttonRow(QToolButton* help, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addWidget(help);
    row->addStretch(1);
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

} // namespace databound
