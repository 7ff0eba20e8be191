// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialogs and the preview panel, driven through the main window.
#include "druckerdialog.h"
#include "printlayouts.h"
#include "printpreviewpanel.h"
#include "pspreview.h"
#include "pstoolbar.h"
#include "printtestsupport.h"
#include "printwindowfixture.h"
#include "vocabtestsupport.h"
#include "shell/workpanel.h"
#include "support/mainwindowfixture.h"

#include <QCheckBox>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

using namespace testsupport;
using namespace printing;
using namespace printing::test;

class PrintDialogsTest : public QObject, public PrintWindowFixture {
    Q_OBJECT

    using PrintWindowFixture::preview;

    // Opens a dialog through the menu and presses Enter ("Vorschau").
    void preview(QAction* command, PrintChoiceDialog* dialog) {
        QVERIFY(open(command, dialog));
        QTest::keyClick(dialog, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
    }
    QStringList bodyTexts() {
        QStringList out;
        const TRect area = panel()->DBGridPrintJob->PageAreaRect();
        // The words, without the row numbers left of them.
        const int words = panel()->DBGridPrintJob->ColumnLeft(area, 0);
        for (const TDrawOp* op : shown().Texts())
            if (op->rect.Top > area.Top - 2 && op->rect.Bottom < area.Bottom && !op->text.isEmpty() &&
                op->rect.Left >= words)
                out << op->text;
        return out;
    }

private slots:
    void init() { tc = std::make_unique<TestContext>(); }
    void cleanup() {
        form.reset();
        pdf.reset();
    }

    void dialogsAndPanelCarryTheirControlsAndTheLanguageName() {
        startWith([](ts::Table& t) { addWord(t, 1, "Haus", "house", "Wohnen"); });
        for (PrintChoiceDialog* d : {form->karteikartenDruckF, form->vokabellisteDruckF, form->vokabeltestDruckF}) {
            for (const char* name : {"CBSubstantiv", "CBVerb", "CBAdjektiv", "CBsonstiges", "CB1", "CB2", "CB3"}) {
                auto* cb = d->findChild<QCheckBox*>(QString::fromLatin1(name));
                QVERIFY2(cb && cb->isChecked(), name);
            }
            QVERIFY(d->findChild<QListWidget*>(QStringLiteral("ListBox1")));
            QCOMPARE(d->SortItems[2]->text(), QStringLiteral("englisch"));
            QCOMPARE(d->Button1->text(), QStringLiteral("Vorschau"));
            QVERIFY(d->Button1->isDefault());
            QCOMPARE(d->Button2->text(), QStringLiteral("Abbrechen"));
            QCOMPARE(d->SpeedButtonHilfe->toolTip(), QStringLiteral("Hile aufrufen"));
        }
        QCOMPARE(form->karteikartenDruckF->windowTitle(), QStringLiteral("Karteikarten drucken"));
        QCOMPARE(form->vokabeltestDruckF->RBAuslaendisch->text(), QStringLiteral("englisch"));
        QCOMPARE(form->karteikartenDruckF->ERechts->value(), 3);
        QCOMPARE(form->karteikartenDruckF->EOben->value(), 6);
        QVERIFY(form->karteikartenDruckF->ERechts->minimum() == 1 && form->karteikartenDruckF->EOben->minimum() == 1);
        QVERIFY(open(form->Karteikarten1, form->karteikartenDruckF));
        QVERIFY(!form->karteikartenDruckF->GroupKarteikarten->isVisible());
        QVERIFY(form->karteikartenDruckF->isModal());
        form->karteikartenDruckF->SpeedButtonHilfe->click();
        QCOMPARE(tc->opener->opened.size(), 1);
        QTest::keyClick(form->karteikartenDruckF, Qt::Key_Escape);
        QVERIFY(!form->karteikartenDruckF->isVisible());
        QVERIFY(form->visiblePanel() != form->PDruckvorschau);
        QVERIFY(vocab().filter().isEmpty());
        // The bar button opens the same dialog.
        form->SpeedButton1->click();
        QVERIFY(form->karteikartenDruckF->isVisible());
        form->karteikartenDruckF->Button2->click();
        QVERIFY(panel()->findChild<QPushButton*>(QStringLiteral("BSprache"))->isHidden());
        QVERIFY(!panel()->PreviewToolbar1->UserButtonEnabled());
    }

    void theListPrintsEveryValidRecordOrderedByIdAndNothingElse() {
        startWith([](ts::Table& t) {
            addWord(t, 5, "laufen", "run", "Sport", "Verb", 2);
            addWord(t, 2, "Haus", "house", "Wohnen", "Substantiv", 1);
            addWord(t, 9, "er", "he", "", "Pronomen", 1);
            addWord(t, 3, "rot", "red", "Farben", "Adjektiv", 3);
            addWord(t, 7, "schwer", "hard", "Sport", "Adjektiv", 4);
            addWord(t, 4, "und", "and", "", "sonstiges", 2);
        });
        preview(form->Vokabelliste1, form->vokabellisteDruckF);
        QCOMPARE(form->visiblePanel(), form->PDruckvorschau);
        QCOMPARE(preview()->PrintJob(), panel()->DBGridPrintJob);
        QVERIFY(panel()->BSprache->isHidden());
        QCOMPARE(vocab().order(), QStringLiteral("ID"));
        QVERIFY(vocab().isFiltered());
        QCOMPARE(panel()->DBGridPrintJob->PageCount(), 1);
        const QStringList body = bodyTexts();
        QStringList german;
        for (const char* w : {"Haus", "rot", "und", "laufen"})
            if (body.contains(w))
                german << w;
        QCOMPARE(german, (QStringList{"Haus", "rot", "und", "laufen"}));
        QVERIFY(!body.contains("er"));
        QVERIFY(!body.contains("schwer"));
        // Rows are in ID order: Haus above rot above und above laufen.
        auto top = [&](const QString& w) { return shown().FindText(w)->rect.Top; };
        QVERIFY(top("Haus") < top("rot") && top("rot") < top("und") && top("und") < top("laufen"));
        QVERIFY(shown().FindText("englisch"));
        panel()->SpeedButtonHilfe->click();
        QCOMPARE(tc->opener->opened.size(), 1);

        // A print command leaves the preview before its dialog shows.
        form->Vokabeltest1->trigger();
        QVERIFY(form->vokabeltestDruckF->isVisible());
        QVERIFY(!form->visiblePanel());
        QVERIFY(!panel()->DBGridPrintJob->DataSource());
        form->vokabeltestDruckF->Button2->click();
        preview(form->Vokabelliste1, form->vokabellisteDruckF);

        // Leaving the panel lets the job go and switches the filter off; the
        // filter text and the order stay.
        form->StatistikClick();
        QVERIFY(!panel()->DBGridPrintJob->DataSource());
        QVERIFY(!vocab().isFiltered());
        QVERIFY(vocab().filter().contains("Gattung='Substantiv'"));
    }

    void subjectGroupsComeFromTheVisibleRecordsKeepLetterCaseAndQuotes() {
        startWith([](ts::Table& t) {
            addWord(t, 1, "Hund", "dog", "Tiere");
            addWord(t, 2, "Katze", "cat", "tiere");
            addWord(t, 3, "Kind", "child", "Kinder's Welt");
            addWord(t, 4, "Ding", "thing", "");
            addWord(t, 5, "Maus", "mouse", "Tiere");
            addWord(t, 6, "Wal", "whale", "Meer");
        });
        vocab().setFilter("ID <> 6");
        vocab().setFiltered(true);
        // Shared: the link outlives this function inside the window.
        auto calls = std::make_shared<QList<bool>>();
        form->addVocabularyViewsLink([calls](bool on) { *calls << on; });
        QList<bool>& links = *calls;
        links.clear();
        PrintChoiceDialog* d = open(form->Vokabelliste1, form->vokabellisteDruckF);
        // The views are let go while the list is gathered and taken back.
        QCOMPARE(links, (QList<bool>{false, true}));
        QVERIFY(d);
        // In German order, the words without a group last.
        QCOMPARE(d->subjectGroupEntries(), (QStringList{"Kinder's Welt", "tiere", "Tiere", ""}));
        QCOMPARE(d->ListBox1->selectedItems().size(), 4);
        QCOMPARE(d->sortItem(), 0);
        QVERIFY(form->vocabularyViewsAttached());
        // Only the group with the quote: exactly its record.
        d->ListBox1->item(1)->setSelected(false);
        d->ListBox1->item(2)->setSelected(false);
        d->ListBox1->item(3)->setSelected(false);
        d->Button1->click();
        QVERIFY(bodyTexts().contains("Kind"));
        QVERIFY(bodyTexts().contains("Kinder's Welt"));
        QVERIFY(!bodyTexts().contains("Hund"));
        QCOMPARE(vocab().recordCount(), 1);

        // Without the other filter the empty group is an entry of its own.
        form->StatistikClick();
        links.clear();
        d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        QCOMPARE(links, QList<bool>{true}); // the test dialog only attaches
        QCOMPARE(d->subjectGroupEntries(), (QStringList{"Kinder's Welt", "Meer", "tiere", "Tiere", ""}));
        // "Tiere" alone is not "tiere", whatever matching another view left.
        vocab().setFilterCaseInsensitive(true);
        for (int i = 0; i < d->ListBox1->count(); ++i)
            d->ListBox1->item(i)->setSelected(i == 3);
        d->Button1->click();
        QCOMPARE(bodyTexts(), (QStringList{"Hund", "Maus"}));
    }

    void flashCardsKnowTheirPagesSwitchSidesAndPrintNoBlankSheet() {
        startWith([](ts::Table& t) { fillNumbered(t, 19); });
        preview(form->Karteikarten1, form->karteikartenDruckF);
        QCOMPARE(preview()->PrintJob(), panel()->PrintJob1);
        QVERIFY(panel()->BSprache->isVisible());
        QCOMPARE(panel()->PrintJob1->PageCount(), 2);
        QCOMPARE(int(shown().Texts().size()), 18);
        QCOMPARE(int(shown().Lines().size()), 11);
        const FlashCardGeometry g(panel()->PrintJob1->PageAreaRect(), panel()->PrintJob1->PageRect().Width(), 3, 6);
        // For a person's look at the panel: VT_GRAB_DIR=<folder>.
        if (const QString dir = qEnvironmentVariable("VT_GRAB_DIR"); !dir.isEmpty())
            form->grab().save(QDir(dir).filePath(QStringLiteral("preview-cards.png")));
        auto* toolbar = panel()->PreviewToolbar1;
        QVERIFY(!toolbar->Button(btnNextPage)->isHidden() && toolbar->Button(btnNextPage)->isEnabled());
        toolbar->ButtonClick(btnLastPage);
        QCOMPARE(preview()->PageIndex(), 2);
        QCOMPARE(int(shown().Texts().size()), 1);
        QCOMPARE(shown().Texts()[0]->p1.x(), g.centreX(0, true));
        const int textTop = shown().Texts()[0]->p1.y();
        QCOMPARE(int(shown().Lines().size()), 11);
        QVERIFY(!toolbar->Button(btnNextPage)->isEnabled());

        panel()->BSprache->click();
        QCOMPARE(shown().Texts()[0]->text, QStringLiteral("Fremd19"));
        QCOMPARE(shown().Texts()[0]->p1, QPoint(g.centreX(0, false), textTop));
        QVERIFY(shown().Lines().empty());
        panel()->BSprache->click();
        QCOMPARE(shown().Texts()[0]->text, QStringLiteral("Wort19"));
        QCOMPARE(int(shown().Lines().size()), 11);

        // Printing sends the two pages there are, none blank.
        toolbar->ButtonClick(btnPrint);
        QCOMPARE(panel()->PrintJob1->PrintedSheetCount(), 2);
        QCOMPARE(int(panel()->PrintJob1->LastPrintedPage().Texts().size()), 1);
        QVERIFY(QFileInfo(pdf->File()).size() > 0);

        // The side and the page stay for the next flash-card preview of the
        // run, drawn from the new selection.
        panel()->BSprache->click();
        form->StatistikClick();
        preview(form->Karteikarten1, form->karteikartenDruckF);
        QVERIFY(!panel()->GermanSideShown);
        QCOMPARE(preview()->PageIndex(), 2);
        QCOMPARE(shown().Texts()[0]->text, QStringLiteral("Fremd19"));
        QVERIFY(shown().Lines().empty());
        // A smaller selection cuts the page back to the last one there is.
        form->karteikartenDruckF->show();
        form->karteikartenDruckF->ListBox1->clearSelection();
        form->karteikartenDruckF->Button1->click();
        QCOMPARE(preview()->PageIndex(), 1);
        QVERIFY(shown().Texts().empty());
    }

    void aListOrTestOpensOnThePageLastShown() {
        startWith([](ts::Table& t) { fillNumbered(t, 200); });
        preview(form->Vokabelliste1, form->vokabellisteDruckF);
        const int pages = panel()->DBGridPrintJob->PageCount();
        QVERIFY(pages >= 3);
        preview()->SetPageIndex(3);
        form->StatistikClick();
        preview(form->Vokabelliste1, form->vokabellisteDruckF);
        QCOMPARE(preview()->PageIndex(), 3);
        QVERIFY(bodyTexts().join(' ').contains(QStringLiteral("Wort")));
        preview()->SetPageIndex(pages);
        preview(form->Vokabeltest1, form->vokabeltestDruckF); // the same grid job
        QCOMPARE(preview()->PageIndex(), std::min(pages, panel()->DBGridPrintJob->PageCount()));
        // A flash-card preview in between leaves the grid job's page as it was.
        preview(form->Karteikarten1, form->karteikartenDruckF);
        preview(form->Vokabelliste1, form->vokabellisteDruckF);
        QCOMPARE(preview()->PageIndex(), std::min(pages, panel()->DBGridPrintJob->PageCount()));
        // A smaller selection cuts the page back to the last one there is.
        form->vokabellisteDruckF->show();
        form->vokabellisteDruckF->ListBox1->clearSelection();
        form->vokabellisteDruckF->Button1->click();
        QCOMPARE(preview()->PageIndex(), panel()->DBGridPrintJob->PageCount());
    }

    void withoutAPrinterThePdfGoesWhereTheUserSaysAndHeIsTold() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed");
        QTemporaryDir home; // no documents folder yet
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", oldHome); });
        startWith([](ts::Table& t) { fillNumbered(t, 19); }, false);
        preview(form->Karteikarten1, form->karteikartenDruckF);
        auto* toolbar = panel()->PreviewToolbar1;
        const auto& suggested = tc->folders->suggestedFiles;
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(documents.startsWith(home.path()));
        QVERIFY(!QFileInfo::exists(documents));

        toolbar->ButtonClick(btnPrint); // the suggestion taken
        const QString first = documents + QStringLiteral("/Vokabeltrainer ") +
                              QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".pdf");
        QCOMPARE(suggested.value(0), first);
        QVERIFY(QFileInfo(first).size() > 0);
        QCOMPARE(tc->prompter->shown.last(), QStringLiteral("Der Ausdruck wurde als PDF-Datei gespeichert:\n") + first);

        toolbar->ButtonClick(btnPrint); // never over the last one
        QCOMPARE(suggested.value(1), first.chopped(4) + QStringLiteral(" (2).pdf"));
        QVERIFY(QFileInfo(suggested.value(1)).size() > 0);

        const int told = int(tc->prompter->shown.size());
        tc->folders->files = {std::nullopt}; // cancelled: nothing printed, nothing to say
        toolbar->ButtonClick(btnPrint);
        QCOMPARE(int(tc->prompter->shown.size()), told);
        QVERIFY(!QFileInfo::exists(first.chopped(4) + QStringLiteral(" (3).pdf")));

        const QString deep = home.filePath(QStringLiteral("neu/tiefer/Liste")); // folders made, ".pdf" added
        tc->folders->files = {deep};
        toolbar->ButtonClick(btnPrint);
        QVERIFY(QFileInfo(deep + QStringLiteral(".pdf")).size() > 0);
        QVERIFY(tc->prompter->shown.last().endsWith(deep + QStringLiteral(".pdf")));

        QFile blocker(home.filePath(QStringLiteral("eineDatei")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        tc->folders->files = {home.filePath(QStringLiteral("eineDatei/x.pdf"))};
        toolbar->ButtonClick(btnPrint);
        QVERIFY(tc->prompter->shown.last().startsWith(QStringLiteral("Der Ordner „")));
        QVERIFY(tc->prompter->shown.last().contains(QStringLiteral("kann nicht angelegt werden")));
    }

    void anEmptySelectionGivesOneBlankPageEverywhere() {
        startWith([](ts::Table& t) { fillNumbered(t, 40); });
        for (PrintChoiceDialog* d : {form->karteikartenDruckF, form->vokabellisteDruckF, form->vokabeltestDruckF})
            for (QCheckBox* cb : {d->CBSubstantiv, d->CBVerb, d->CBAdjektiv, d->CBsonstiges})
                cb->setChecked(false);
        preview(form->Karteikarten1, form->karteikartenDruckF);
        QCOMPARE(panel()->PrintJob1->PageCount(), 1);
        QVERIFY(shown().Texts().empty());
        QVERIFY(shown().Lines().empty());
        preview(form->Vokabelliste1, form->vokabellisteDruckF);
        QCOMPARE(panel()->DBGridPrintJob->PageCount(), 1);
        QVERIFY(bodyTexts().isEmpty());
        QVERIFY(shown().FindText("Page 1 of 1"));
        // The boxes keep their state for the next use of the same dialog.
        QVERIFY(open(form->Vokabeltest1, form->vokabeltestDruckF));
        QVERIFY(!form->vokabeltestDruckF->CBVerb->isChecked());
        QVERIFY(form->vokabeltestDruckF->CB2->isChecked());
        form->vokabeltestDruckF->Button1->click();
        QCOMPARE(panel()->DBGridPrintJob->PageCount(), 1);
        QVERIFY(bodyTexts().isEmpty());
    }

    void theTestPrintsOneSideAndLeavesTheFlashCardsBothSides() {
        startWith([](ts::Table& t) { fillNumbered(t, 25); });
        PrintChoiceDialog* d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        QVERIFY(d->RBDeutsch->isChecked());
        d->RBAuslaendisch->setChecked(true);
        d->SortItems[1]->setChecked(true); // "deutsch": Wort1, Wort10, Wort11, ...
        d->Button1->click();
        QCOMPARE(panel()->DBGridPrintJob->VisibleFields(), QStringList{"auslaendisch"});
        QCOMPARE(panel()->DBGridPrintJob->PageCount(), 2);
        QVERIFY(shown().FindText("englisch"));
        QCOMPARE(bodyTexts().mid(0, 3), (QStringList{"Fremd1", "Fremd10", "Fremd11"}));
        QVERIFY(!shown().FindText("Wort1"));
        // Opening the dialog again starts on "deutsch" and "ID".
        d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        QVERIFY(d->RBDeutsch->isChecked());
        QCOMPARE(d->sortItem(), 0);
        d->Button1->click();
        QCOMPARE(panel()->DBGridPrintJob->VisibleFields(), QStringList{"deutsch"});
        QCOMPARE(bodyTexts().mid(0, 2), (QStringList{"Wort1", "Wort2"}));

        preview(form->Karteikarten1, form->karteikartenDruckF);
        QVERIFY(shown().FindText("Wort1"));
        panel()->BSprache->click();
        QVERIFY(shown().FindText("Fremd1"));
        panel()->BSprache->click();
    }
};

QTEST_MAIN(PrintDialogsTest)
#include "tst_print_dialogs.moc"
