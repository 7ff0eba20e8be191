// SPDX-License-Identifier: GPL-3.0-or-later
#include "workpanel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace shell {

WorkPanel::WorkPanel(const QString& objectName, const QString& title, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 8, 12, 8);
    title_ = new QLabel(title, this);
    title_->setObjectName(objectName + QStringLiteral("Titel"));
    QFont f(QStringLiteral("Comic Sans MS"));
    f.setStyleHint(QFont::Cursive);
    f.setPixelSize(32);
    title_->setFont(f);
    outer->addWidget(title_);
    content_ = new QVBoxLayout;
    outer->addLayout(content_, 1);
    hide();
}

} // namespace shell
