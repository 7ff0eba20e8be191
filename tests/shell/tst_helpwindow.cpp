// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own help window: it stands in for the PDF manual where the
// desktop cannot show it, opens at the chapter of the window asking, finds
// text, and offers the PDF again.
#include "shell/helpwindow.h"
#include "support/mainwindowfixture.h"
#include "training/trainingarea.h"
#include "users/sprache.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using testsupport::MainWindowFixture;
using testsupport::TestContext;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kManual =
    "# Handbuch\n\nEinleitung.\n\n"
    "## 1. Erster Start\n\nDer erste Start legt den Datenordner an.\n\n"
    "## 2. Das Hauptfenster\n\n![Das Hauptfenster](bild.png)\n\n![Breit](breit.png)\n\n"
    "## 4. Sprachen\n\nEine Sprache wechseln, gespeichert als \"Vokabeltrainer <Datum>.pdf\".\n\n"
    "## 7. Lernen\n\nKarteikarten ansehen. Das Wort Karteikarten steht zweimal.\n";

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

    MainWindowFixture f;
    QString programFile(const QString& name) { return f.tc->dir.filePath(QStringLiteral("program/") + name); }
    shell::HelpWindow* help() { return f.form->findChild<shell::HelpWindow*>(); }
    QString currentChapter() {
        auto* item = help()->contents->currentItem();
        return item ? item->text() : QString();
    }

private slots:
    void init() {
        f.tc = std::make_unique<TestContext>();
        writeFile(programFile("handbuch.md"), kManual);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QDir().mkpath(programFile("bilder"));
        QVERIFY(picture.save(programFile("bilder/bild.png")));
        QVERIFY(QImage(1000, 400, QImage::Format_RGB32).save(programFile("bilder/breit.png")));
        f.start();
        f.tc->prompter->shown.clear(); // what the first start said
    }
    void cleanup() { f.form.reset(); }

    // Without a PDF the manual opens here, with its chapters, its pictures
    // and at the chapter of the panel shown.
    void withoutThePdfTheHelpWindowOpensAtThePanelsChapter() {
        f.form->showPanelOf(f.form->training->learnPanel);
        f.form->Hilfe1->trigger();
        QVERIFY(help());
        QVERIFY(help()->isVisible());
        QCOMPARE(help()->contents->count(), 4); // a placeholder in angle brackets is text, not HTML
        QVERIFY(help()->text->toPlainText().contains("Vokabeltrainer <Datum>.pdf"));
        QCOMPARE(currentChapter(), QString("7. Lernen"));
        const QVariant image =
            help()->text->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("bild.png")));
        QVERIFY(image.isValid());
        // A picture wider than the text column is shown scaled down to it;
        // a small one keeps its size.
        QMap<QString, QSizeF> shown;
        for (QTextBlock b = help()->text->document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                    shown[f.name()] = QSizeF(f.width(), f.height());
                }
        QCOMPARE(shown.value("breit.png"), QSizeF(680, 272));
        QCOMPARE(shown.value("bild.png").width(), 0.0); // unset: its own size
        QCOMPARE(f.tc->opener->opened.size(), 1);       // the PDF was tried first

        f.form->ResetView();
        f.form->Hilfe1->trigger();
        QCOMPARE(currentChapter(), QString("2. Das Hauptfenster"));
        QCOMPARE(f.form->findChildren<shell::HelpWindow*>().size(), 1);
    }

    // Where the desktop shows the PDF, help stays with it; the menu entry
    // opens the program's own window all the same.
    void aPdfThatOpensIsLeftToTheDesktopTheMenuEntryAlwaysOpensTheWindow() {
        writeFile(f.tc->dataFile("Vokabeltrainer - Handbuch.pdf"), "%PDF-1.4\n");
        f.form->Hilfe1->trigger();
        QVERIFY(!help() || !help()->isVisible());
        f.form->HandbuchImProgramm1->trigger();
        QVERIFY(help()->isVisible());
        QCOMPARE(f.form->HandbuchImProgramm1->text(), QString("Handbuch im Programm"));
        const int before = f.tc->opener->opened.size();
        help()->openPdf->click();
        QCOMPARE(f.tc->opener->opened.size(), before + 1);
        QVERIFY(f.tc->prompter->shown.isEmpty());
    }

    void openingThePdfFromTheWindowSaysWhyItCannot() {
        f.form->HandbuchImProgramm1->trigger();
        help()->openPdf->click();
        QCOMPARE(f.tc->prompter->shown.size(), 1);
        QVERIFY(f.tc->prompter->shown.last().contains("kein Programm zum Anzeigen von PDF-Dateien"));
    }

    // A dialog's help opens at the dialog's chapter, in a window the modal
    // dialog does not block.
    void aModalDialogsHelpOpensAtItsChapterAndIsUsable() {
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = f.form->spracheF;
            QVERIFY(dialog->isVisible());
            for (QToolButton* b : dialog->findChildren<QToolButton*>())
                if (b->toolTip() == QStringLiteral("Hile aufrufen"))
                    b->click();
            QVERIFY(help() && help()->isVisible());
            QCOMPARE(currentChapter(), QString("4. Sprachen"));
            QCOMPARE(help()->parentWidget(), dialog);
            checked = true;
            dialog->reject();
        });
        f.form->SpracheClick();
        QVERIFY(checked);
    }

    void searchFindsTheNextPlaceWrapsAroundAndSaysWhenThereIsNone() {
        f.form->HandbuchImProgramm1->trigger();
        auto* h = help();
        QVERIFY(h->findNext("Karteikarten"));
        const int first = h->text->textCursor().selectionStart();
        QVERIFY(h->findNext("Karteikarten"));
        QVERIFY(h->text->textCursor().selectionStart() > first);
        QVERIFY(h->findNext("Karteikarten")); // from the top again
        QCOMPARE(h->text->textCursor().selectionStart(), first);
        QTest::keyClicks(h->search, "Quantenphysik");
        QTest::keyClick(h->search, Qt::Key_Return);
        QCOMPARE(h->searchResult->text(), QString("nicht gefunden"));
        QCOMPARE(h->search->placeholderText(), QString("Suchen …"));
    }

    void aMissingManualSourceIsSaidInTheWindow() {
        QFile::remove(programFile("handbuch.md"));
        f.form->HandbuchImProgramm1->trigger();
        QVERIFY(help()->isVisible());
        QVERIFY(help()->text->toPlainText().contains("nicht gefunden"));
        QCOMPARE(help()->contents->count(), 0);
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
