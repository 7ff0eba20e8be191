// SPDX-License-Identifier: GPL-3.0-or-later
// Every help button of the program, found in the real windows, opens the
// manual: the panels and the language and backup dialogs from the data
// folder, the other dialogs from the program's own folder.
#include "support/mainwindowfixture.h"

#include <QDialog>
#include <QToolButton>
#include <QtTest>

using testsupport::MainWindowFixture;
using testsupport::TestContext;

namespace {

// The dialogs whose help comes from the copy beside the program.
const QSet<QString> kProgramFolderDialogs = {
    QStringLiteral("VokabelnF"),         QStringLiteral("VokabelLektionF"),    QStringLiteral("lernenoptionenF"),
    QStringLiteral("testoptionenF"),     QStringLiteral("KarteikartenDruckF"), QStringLiteral("VokabellisteDruckF"),
    QStringLiteral("VokabeltestDruckF"), QStringLiteral("benutzeranlegenF"),   QStringLiteral("benutzerbearbeitenF"),
    QStringLiteral("BenutzerF"),         QStringLiteral("benutzerwechselnF"),
};

QList<QToolButton*> helpButtons(QWidget* root) {
    QList<QToolButton*> found;
    for (QToolButton* b : root->findChildren<QToolButton*>())
        if (b->toolTip() == QStringLiteral("Hile aufrufen"))
            found << b;
    return found;
}

QString ownerName(QWidget* button) {
    QWidget* w = button->window();
    return w->objectName();
}

} // namespace

class TestHelpButtons : public QObject {
    Q_OBJECT
private slots:
    void everyHelpButtonOpensTheManualFromItsFolder() {
        MainWindowFixture f;
        f.tc = std::make_unique<TestContext>();
        f.start();
        const QString fromData = f.tc->dataFile(QStringLiteral("Vokabeltrainer - Handbuch.pdf"));
        const QString fromProgram = f.tc->dir.filePath(QStringLiteral("program/Vokabeltrainer - Handbuch.pdf"));

        const QList<QToolButton*> buttons = helpButtons(f.form.get());
        QStringList owners;
        for (QToolButton* b : buttons) {
            const QString owner = ownerName(b);
            owners << owner;
            const int before = f.tc->opener->opened.size();
            b->click();
            QCOMPARE(f.tc->opener->opened.size(), before + 1);
            const bool dialogVariant = kProgramFolderDialogs.contains(owner);
            QVERIFY2(f.tc->opener->opened.last() == (dialogVariant ? fromProgram : fromData),
                     qPrintable(owner + " opened " + f.tc->opener->opened.last()));
        }
        // Seven panels with a help button (learn, test, vocabulary, lessons,
        // dictionary, statistics, print preview), the language and backup
        // dialogs, and the eleven dialogs of the program-folder list.
        QCOMPARE(owners.count(f.form->objectName()), 7);
        for (const QString& dialog : kProgramFolderDialogs)
            QVERIFY2(owners.contains(dialog), qPrintable(dialog + " has no help button: " + owners.join(", ")));
        QVERIFY(owners.contains(QStringLiteral("SpracheF")));
        QVERIFY(owners.contains(QStringLiteral("DatenSichernF")));
        QCOMPARE(buttons.size(), 7 + 2 + kProgramFolderDialogs.size());
    }

    void f1AndTheHelpMenuOpenTheManualFromTheDataFolder() {
        MainWindowFixture f;
        f.tc = std::make_unique<TestContext>();
        f.start();
        QVERIFY(f.form->Hilfe1->shortcut() == QKeySequence(Qt::Key_F1));
        f.form->Hilfe1->trigger();
        QCOMPARE(f.tc->opener->opened, QStringList{f.tc->dataFile(QStringLiteral("Vokabeltrainer - Handbuch.pdf"))});
    }
};

QTEST_MAIN(TestHelpButtons)
#include "tst_helpbuttons.moc"
