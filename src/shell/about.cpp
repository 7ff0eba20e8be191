// SPDX-License-Identifier: GPL-3.0-or-later
#include "about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

AboutF::AboutF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutF"));
    setWindowTitle(QStringLiteral("Über dieses Programm..."));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Moriva Vokabeltrainer"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    Label1->setFont(big);
    layout->addWidget(Label1);
    Details = new QLabel(this);
    Details->setObjectName(QStringLiteral("Details"));
    Details->setWordWrap(true);
    Details->setTextFormat(Qt::RichText);
    Details->setText(QStringLiteral("<p>Version %1</p>"
                                    "<p>Ein Vokabeltrainer für Deutschsprachige: Vokabeln lernen und abfragen, "
                                    "Lektionen verwalten, Karteikarten, Listen und Tests drucken.</p>"
                                    "<p>Lizenz: GNU General Public License, Version 3 oder später (GPL-3.0-or-later). "
                                    "Das Programm wird ohne jede Gewährleistung bereitgestellt.</p>"
                                    "<p>Die englische Wortliste beruht auf dem Wörterbuch Deutsch–Englisch „Ding“ "
                                    "von Frank Richter (GPL-2.0-or-later), ausgewählt mit Häufigkeitslisten "
                                    "von zxcvbn-ts (deutsche und englische Wortlisten; die englische Liste "
                                    "beruht auf OpenSubtitles-Daten, ODC-BY) und von Hand geprüft.</p>")
                         .arg(QStringLiteral(VT_VERSION)));
    layout->addWidget(Details);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

} // namespace shell
