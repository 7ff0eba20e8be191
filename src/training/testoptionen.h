// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "learnpanel.h"
#include "optionsdialog.h"
#include "testpanel.h"

class QLineEdit;

namespace training {

// "Testoptionen": everything the test run can be set to, the timer included.
class testoptionenF : public OptionsDialog {
    Q_OBJECT
public:
    testoptionenF(core::AppContext& ctx, core::WindowHost& host, Pool& pool, LearnPanel& learn, TestPanel& test,
                  QWidget* parent);

    QGroupBox* GBSonstiges;
    QCheckBox* CheckBox1;        // Schleife
    QCheckBox* CheckBox2;        // Überstimmen
    QCheckBox* CBGleicheWortart; // multiple choice: wrong answers of the question's kind
    QGroupBox* GBTimer;
    QRadioButton* RadioButton6; // Gesamtzeit
    QLineEdit* LabeledEdit1;    // Minuten
    UpDown* UpDown1;
    QRadioButton* RadioButton7; // Zeit pro Vokabel
    QLineEdit* LabeledEdit2;    // Sekunden
    UpDown* UpDown2;
    QRadioButton* RadioButton10; // Kein Timer
    QGroupBox* GBEingabe;
    QRadioButton* RadioButton8; // Multiple Choice
    QRadioButton* RadioButton9; // Tastatureingabe

    void FormShow();
    void CheckBox1Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The number in a time field, or nothing after telling the user why not.
    std::optional<int> timeField(QLineEdit* edit, const QString& name);

    Pool& pool_;
    LearnPanel& learn_;
    TestPanel& test_;
};

} // namespace training
