// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace shell {

// "Über dieses Programm...": name, version, licence and the word list's
// credits.
class AboutF : public QDialog {
    Q_OBJECT
public:
    explicit AboutF(QWidget* parent = nullptr);
    QLabel* Label1; // the program's name
    QLabel* Details;
};

} // namespace shell
