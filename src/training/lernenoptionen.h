// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "learnpanel.h"
#include "optionsdialog.h"
#include "testpanel.h"

namespace training {

// "Lernenoptionen": order, direction and loop of the learn run.
class lernenoptionenF : public OptionsDialog {
    Q_OBJECT
public:
    lernenoptionenF(core::AppContext& ctx, core::WindowHost& host, Pool& pool, LearnPanel& learn, TestPanel& test,
                    QWidget* parent);

    QGroupBox* GBSchleife;
    QCheckBox* CheckBox1;

    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Pool& pool_;
    LearnPanel& learn_;
    TestPanel& test_;
};

} // namespace training
