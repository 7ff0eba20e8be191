// SPDX-License-Identifier: GPL-3.0-or-later
#include "statisticspanel.h"
#include "databound/standardwidgets.h"
#include "databound/datasource.h"
#include "databound/lookuplistbox.h"
#include "databound/textlabel.h"
#include "tablestore/tableerror.h"
#include "core/fieldnames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QToolButton>
#include <cmath>

namespace users {

UserFigures UserFigures::compute(int asked, int right, double coefficientSum, int coefficientRows) {
    UserFigures f;
    f.wrong = asked - right;
    // Halves go to the even neighbour: 37.5 -> 38, 62.5 -> 62.
    f.rightPercent = asked == 0 ? 100 : int(std::nearbyint(double(right) / asked * 100.0));
    f.wrongPercent = 100 - f.rightPercent;
    f.averageCoefficient = coefficientRows == 0 ? 1.0 : coefficientSum / coefficientRows;
    return f;
}

QString UserFigures::formatAverage(double average) {
    return QLocale(QLocale::German).toString(average, 'f', 2);
}

StatisticsPanel::StatisticsPanel(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("StatistikPanel"));
    source = new databound::DataSource(&ctx.db.users, this);
    auto* row = new QHBoxLayout(this);
    DBLookupListBox1 = new databound::LookupListBox(this);
    DBLookupListBox1->setObjectName(QStringLiteral("DBLookupListBox1"));
    DBLookupListBox1->bind(source, core::field::kName);
    DBLookupListBox1->setMaximumWidth(240);
    row->addWidget(DBLookupListBox1);

    auto* grid = new QGridLayout;
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto colour = [](QWidget* w, const QColor& c) {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, c);
        w->setPalette(p);
    };
    const QColor green(0, 128, 0), red(Qt::red);
    Label2 = label("Label2", QStringLiteral("Anzahl insgesamt abgefragter Vokabeln:"));
    DBText1 = new databound::TextLabel(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->bind(source, core::field::kAsked);
    Label3 = label("Label3", QStringLiteral("Anzahl richtiger Vokabeln:"));
    DBText2 = new databound::TextLabel(this);
    DBText2->setObjectName(QStringLiteral("DBText2"));
    DBText2->bind(source, core::field::kRight);
    colour(DBText2, green);
    Label4 = label("Label4", QStringLiteral("Anzahl falscher Vokabeln:"));
    Label11 = label("Label11", QString());
    colour(Label11, red);
    Label5 = label("Label5", QStringLiteral("Anzahl richtiger Vokabeln in %:"));
    Label8 = label("Label8", QString());
    colour(Label8, green);
    Label6 = label("Label6", QStringLiteral("Anzahl falscher Vokabeln in %:"));
    Label9 = label("Label9", QString());
    colour(Label9, red);
    Label7 = label("Label7", QStringLiteral("Durchschnittlicher Lernkoeffizient:"));
    Label10 = label("Label10", QString());
    const std::pair<QWidget*, QWidget*> rows[] = {{Label2, DBText1}, {Label3, DBText2}, {Label4, Label11},
                                                  {Label5, Label8},  {Label6, Label9},  {Label7, Label10}};
    int r = 0;
    for (auto [caption, value] : rows) {
        grid->addWidget(caption, r, 0);
        grid->addWidget(value, r++, 1);
    }
    SpeedButton15 = databound::helpButton(this, "SpeedButton15", host, core::ManualPlace::Main);
    grid->addWidget(SpeedButton15, r, 0, Qt::AlignLeft);
    grid->setRowStretch(r + 1, 1);
    grid->setColumnStretch(2, 1);
    row->addLayout(grid, 1);

    connect(DBLookupListBox1, &databound::LookupListBox::recordClicked, this, &StatisticsPanel::DBLookupListBox1Click);
    connect(source, &databound::DataSource::currentChanged, this, &StatisticsPanel::followRecord);
    connect(source, &databound::DataSource::valueChanged, this, &StatisticsPanel::followRecord);
    connect(source, &databound::DataSource::reset, this, &StatisticsPanel::followRecord);
}

void StatisticsPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (ctx_.db.users.isOpen())
        ctx_.db.locateCurrentUser();
    DBLookupListBox1Click();
}

void StatisticsPanel::followRecord() {
    if (isVisible())
        DBLookupListBox1Click();
}

void StatisticsPanel::DBLookupListBox1Click() {
    auto& db = ctx_.db;
    if (!db.users.isOpen() || db.users.isEmpty()) {
        for (QLabel* l : {Label11, Label8, Label9, Label10})
            l->clear();
        return;
    }
    const int id = db.users.integer(core::field::kId);
    double sum = 0;
    int rows = 0;
    try {
        db.knowledge.setFilter(QStringLiteral("BenutzerID = %1").arg(id));
        db.knowledge.setFiltered(true);
        const int field = db.knowledge.field(core::field::kCoefficient);
        db.knowledge.first();
        while (!db.knowledge.eof()) {
            sum += db.knowledge.value(field).toDouble();
            ++rows;
            db.knowledge.next();
        }
        db.knowledge.setFiltered(false);
    } catch (const ts::TableError& e) {
        ctx_.prompter().information(e.message());
        return;
    }
    const UserFigures f =
        UserFigures::compute(db.users.integer(core::field::kAsked), db.users.integer(core::field::kRight), sum, rows);
    Label11->setText(QString::number(f.wrong));
    Label8->setText(QString::number(f.rightPercent));
    Label9->setText(QString::number(f.wrongPercent));
    Label10->setText(UserFigures::formatAverage(f.averageCoefficient));
}

} // namespace users
