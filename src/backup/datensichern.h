// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace backup {

// "Datenbank sichern": backs the whole database up into a folder and reads
// such a copy back.
class DatenSichernF : public QDialog {
    Q_OBJECT
public:
    DatenSichernF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1; // target folder
    QToolButton* SpeedButton1;
    QPushButton* BSichern;
    QLabel* Label2;
    QLineEdit* Edit2; // source folder
    QToolButton* SpeedButton2;
    QPushButton* BZuruecklesen;
    QPushButton* BSchliessen;
    QToolButton* SpeedButtonHilfe;

    void SpeedButton1Click() { chooseInto(Edit1); }
    void SpeedButton2Click() { chooseInto(Edit2); }
    void BSichernClick();
    void BZuruecklesenClick();

private:
    void chooseInto(QLineEdit* field);
    static QString withSeparator(QLineEdit* field);

    core::AppContext& ctx_;
    QString lastChosen_;
    QString proposal_; // the proposed backup folder, with '/'
};

} // namespace backup
