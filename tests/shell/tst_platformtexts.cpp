// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop contributes to every window: Qt's own texts in German, and
// the faces the layouts are measured in, resolved to the installed stand-ins.
#include "shell/desktopservices.h"
#include "shell/qttranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class PlatformTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(shell::installQtTranslations(*QCoreApplication::instance())); }

    void qtsOwnTextsAreGerman() {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList captions;
        for (QAction* a : menu->actions())
            captions << a->text().section(u'\t', 0, 0); // without the shortcut
        QVERIFY2(captions.contains(QStringLiteral("&Kopieren")), qPrintable(captions.join(u'|')));
        QVERIFY2(captions.contains(QStringLiteral("Einf&ügen")), qPrintable(captions.join(u'|')));

        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    }

    // The save dialog suggests a file in a folder that may not exist yet (a
    // new home has no documents folder). It must open in the nearest folder
    // that does, with the name filled in, not wherever the program started.
    void theSaveDialogOpensInTheNearestExistingFolder() {
        QTemporaryDir home;
        QString seenFolder, seenName;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seenFolder = dialog->directory().absolutePath();
            const QStringList chosen = dialog->selectedFiles();
            seenName = chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).fileName();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Speichern unter"));
            dialog->reject();
        });
        shell::DialogFolderChooser chooser;
        const auto file =
            chooser.chooseSaveFile(home.filePath(QStringLiteral("Dokumente/Vokabeltrainer 2026-12-09.pdf")),
                                   QStringLiteral("PDF-Dateien (*.pdf)"));
        QVERIFY(!file); // rejected
        QCOMPARE(seenFolder, QDir(home.path()).absolutePath());
        QCOMPARE(seenName, QStringLiteral("Vokabeltrainer 2026-12-09.pdf"));
    }

    // The printed layouts' widths and shortened titles are measured in Arial;
    // the panel titles ask for a comic face. Both must come out as a face the
    // package installs, never as an arbitrary fallback (a calligraphic face
    // for the titles, a wider sans for the layouts).
    // A question whose "Ja" cannot be undone has "Nein" as its default, so
    // Enter does not answer it; other questions keep the box's own choice.
    // Escape answers "Nein" for both kinds.
    void aDestructiveQuestionDefaultsToNo() {
        shell::WidgetPrompter prompter;
        for (auto [buttons, expected] : {std::pair{core::Buttons::YesNoDefaultNo, QStringLiteral("Nein")},
                                         std::pair{core::Buttons::YesNo, QString()}}) {
            QString defaultCaption;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                if (box->defaultButton())
                    defaultCaption = box->defaultButton()->text();
                QTest::keyClick(box, Qt::Key_Escape);
            });
            QCOMPARE(prompter.ask(QStringLiteral("Sicher?"), buttons, QString()), core::Answer::No);
            QCOMPARE(defaultCaption, expected);
        }
    }

    void theLayoutFacesResolveToTheirStandIns() {
        const QFont arial(QStringLiteral("Arial"));
        QVERIFY2(QStringList({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")})
                     .contains(QFontInfo(arial).family()),
                 qPrintable(QFontInfo(arial).family()));
        QFont title(QStringLiteral("Comic Sans MS"));
        title.setStyleHint(QFont::Cursive);
        QVERIFY2(QStringList({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")})
                     .contains(QFontInfo(title).family()),
                 qPrintable(QFontInfo(title).family()));
    }
};

QTEST_MAIN(PlatformTextsTest)
#include "tst_platformtexts.moc"
