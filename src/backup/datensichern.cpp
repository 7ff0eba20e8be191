// SPDX-License-Identifier: GPL-3.0-or-later
#include "datensichern.h"
#include "databound/standardwidgets.h"
#include "core/backup.h"
#include "tablestore/tableerror.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace backup {

DatenSichernF::DatenSichernF(core::AppContext& ctx, core::WindowHost& host, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("DatenSichernF"));
    setWindowTitle(QStringLiteral("Datenbank sichern"));
    auto* grid = new QGridLayout(this);
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    // A folder of its own, so a backup's files do not lie loose in the home
    // folder; it is made when the first backup goes there.
    const QString home = ctx.paths.homeFolder.isEmpty() ? QDir::homePath() : ctx.paths.homeFolder;
    proposal_ = QDir(home).filePath(QStringLiteral("Vokabeltrainer-Sicherung")) + u'/';
    const QString start = QDir::toNativeSeparators(proposal_);

    Label1 = new QLabel(QStringLiteral("Datenbank sichern in folgendes Verzeichnis"), this);
    named(Label1, "Label1");
    Edit1 = new QLineEdit(start, this);
    named(Edit1, "Edit1");
    Edit1->setReadOnly(true);
    SpeedButton1 = new QToolButton(this);
    named(SpeedButton1, "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setToolTip(QStringLiteral("Verzeichnis auswählen"));
    BSichern = new QPushButton(QStringLiteral("Sichern"), this);
    named(BSichern, "BSichern");

    Label2 = new QLabel(QStringLiteral("Datenbank aus folgendem Verzeichnis zurücklesen:"), this);
    named(Label2, "Label2");
    Edit2 = new QLineEdit(start, this);
    named(Edit2, "Edit2");
    Edit2->setReadOnly(true);
    SpeedButton2 = new QToolButton(this);
    named(SpeedButton2, "SpeedButton2");
    SpeedButton2->setText(QStringLiteral("…"));
    SpeedButton2->setToolTip(QStringLiteral("Verzeichnis auswählen"));
    BZuruecklesen = new QPushButton(QStringLiteral("Zurücklesen"), this);
    named(BZuruecklesen, "BZuruecklesen");

    BSchliessen = new QPushButton(QStringLiteral("Schließen"), this);
    named(BSchliessen, "BSchliessen");
    SpeedButtonHilfe = databound::helpButton(this, "SpeedButtonHilfe", host, core::ManualPlace::Main);

    grid->addWidget(Label1, 0, 0, 1, 3);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(SpeedButton1, 1, 1);
    grid->addWidget(BSichern, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 3);
    grid->addWidget(Edit2, 3, 0);
    grid->addWidget(SpeedButton2, 3, 1);
    grid->addWidget(BZuruecklesen, 3, 2);
    grid->addWidget(SpeedButtonHilfe, 4, 0, Qt::AlignLeft);
    grid->addWidget(BSchliessen, 4, 2);
    grid->setColumnMinimumWidth(0, 320);
    setTabOrder(BZuruecklesen, SpeedButtonHilfe); // Tab as the bottom line stands
    setTabOrder(SpeedButtonHilfe, BSchliessen);

    connect(SpeedButton1, &QToolButton::clicked, this, &DatenSichernF::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &DatenSichernF::SpeedButton2Click);
    connect(BSichern, &QPushButton::clicked, this, &DatenSichernF::BSichernClick);
    connect(BZuruecklesen, &QPushButton::clicked, this, &DatenSichernF::BZuruecklesenClick);
    connect(BSchliessen, &QPushButton::clicked, this, &QDialog::reject);
}

void DatenSichernF::chooseInto(QLineEdit* field) {
    const QString start = QDir(lastChosen_).exists() ? lastChosen_ : QString();
    const std::optional<QString> chosen = ctx_.folderChooser().choose(start);
    if (!chosen || chosen->isEmpty())
        return; // cancelled, or an item that is no folder
    lastChosen_ = *chosen;
    field->setText(QDir::toNativeSeparators(*chosen));
}

QString DatenSichernF::withSeparator(QLineEdit* field) {
    QString path = field->text();
    if (!path.isEmpty() && !path.endsWith(QDir::separator()))
        path += QDir::separator();
    field->setText(path);
    return QDir::fromNativeSeparators(path);
}

void DatenSichernF::BSichernClick() {
    const QString folder = withSeparator(Edit1);
    if (folder == proposal_ && !QDir().mkpath(folder)) {
        ctx_.prompter().information(
            QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden. Bitte wählen Sie einen anderen Ordner.")
                .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    QStringList problems;
    try {
        problems = core::backup::backUp(ctx_.db, folder);
    } catch (const ts::TableError& e) {
        problems << e.message();
    }
    if (!problems.isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Die Datenbank wurde nicht vollständig gesichert:\n\n") +
                                    problems.join(u'\n'));
        return;
    }
    accept();
}

void DatenSichernF::BZuruecklesenClick() {
    const QString folder = withSeparator(Edit2);
    if (ctx_.prompter().ask(QStringLiteral("Beim Zurücklesen der Datenbanken werden alle jetzigen Daten mit der "
                                           "zurückgelesenen Version überschrieben! Sind Sie sicher?"),
                            core::Buttons::YesNoDefaultNo) != core::Answer::Yes)
        return;
    const QStringList refused = core::backup::checkCopy(folder);
    if (!refused.isEmpty()) {
        ctx_.prompter().information(QStringLiteral("Die Datenbank wurde nicht zurückgelesen; die jetzigen Daten "
                                                   "bleiben unverändert. Die Sicherung ist unvollständig oder "
                                                   "beschädigt:\n\n") +
                                    refused.join(u'\n'));
        return;
    }
    QStringList problems;
    bool changed = false;
    try {
        problems = core::backup::restore(ctx_.db, folder, &changed);
    } catch (const ts::TableError& e) {
        problems << e.message();
    }
    if (!problems.isEmpty() && !changed) {
        ctx_.prompter().information(QStringLiteral("Die Datenbank wurde nicht zurückgelesen; die jetzigen Daten "
                                                   "bleiben unverändert:\n\n") +
                                    problems.join(u'\n'));
        return;
    }
    if (!problems.isEmpty())
        ctx_.prompter().information(QStringLiteral("Beim Zurücklesen ist ein Fehler aufgetreten:\n\n") +
                                    problems.join(u'\n'));
    accept();
}

} // namespace backup
