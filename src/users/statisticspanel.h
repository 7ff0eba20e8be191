// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/appcontext.h"
#include "core/windowhost.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace databound {
class DataSource;
class LookupListBox;
class TextLabel;
} // namespace databound

namespace users {

// The figures the statistics panel derives from a user's totals.
struct UserFigures {
    int wrong = 0;
    int rightPercent = 100;
    int wrongPercent = 0;
    double averageCoefficient = 1.0;
    static UserFigures compute(int asked, int right, double coefficientSum, int coefficientRows);
    static QString formatAverage(double average); // "2,35"
};

// The content of the "Benutzerstatistik" panel: every user, their totals
// and what follows from them.
class StatisticsPanel : public QWidget {
    Q_OBJECT
public:
    StatisticsPanel(core::AppContext& ctx, core::WindowHost& host, QWidget* parent = nullptr);

    databound::DataSource* source;
    databound::LookupListBox* DBLookupListBox1;
    QLabel* Label2;
    databound::TextLabel* DBText1; // asked
    QLabel* Label3;
    databound::TextLabel* DBText2; // right
    QLabel* Label4;
    QLabel* Label11; // wrong
    QLabel* Label5;
    QLabel* Label8; // right in %
    QLabel* Label6;
    QLabel* Label9; // wrong in %
    QLabel* Label7;
    QLabel* Label10; // average coefficient
    QToolButton* SpeedButton15;

    // A user was clicked: the users table stands on them.
    void DBLookupListBox1Click();

protected:
    // Opens on the current user.
    void showEvent(QShowEvent* event) override;

private:
    // The derived figures follow the record the bound numbers show, whatever
    // moved the users table.
    void followRecord();

    core::AppContext& ctx_;
};

} // namespace users
