// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher prints, through the real dialogs and into PDF files: a
// lesson's words, the margins, cards that meet back to back, the test sheet
// with its heading, numbers and answer key, and texts wrapped in their cells.
#include "druckerdialog.h"
#include "printlayouts.h"
#include "printpreviewpanel.h"
#include "pspreview.h"
#include "pstoolbar.h"
#include "printtestsupport.h"
#include "printwindowfixture.h"
#include "vocabtestsupport.h"
#include "support/mainwindowfixture.h"
#include "core/fieldnames.h"
#include "core/firststart.h"
#include "core/lessons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>

using namespace testsupport;
using namespace printing;
using namespace printing::test;

namespace {
constexpr double PointsPerMm = 72.0 / 25.4;

// One word of a PDF page as pdftotext places it, in points from the top left.
struct PdfWord {
    int page = 0;
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    double centreX() const { return (xMin + xMax) / 2; }
    double centreY() const { return (yMin + yMax) / 2; }
};
struct PdfText {
    double pageWidth = 0, pageHeight = 0;
    std::vector<PdfWord> words;
    const PdfWord* find(const QString& text, int page = 0) const {
        for (const PdfWord& w : words)
            if (w.text == text && (page == 0 || w.page == page))
                return &w;
        return nullptr;
    }
    int count(const QString& text) const {
        return int(std::count_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == text; }));
    }
    int pages = 0;
};

PdfText readPdf(const QString& file) {
    PdfText out;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!p.waitForFinished())
        return out;
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    qsizetype pos = 0;
    while (true) {
        const auto pm = page.match(xml, pos);
        const auto wm = word.match(xml, pos);
        if (pm.hasMatch() && (!wm.hasMatch() || pm.capturedStart() < wm.capturedStart())) {
            ++out.pages;
            out.pageWidth = pm.captured(1).toDouble();
            out.pageHeight = pm.captured(2).toDouble();
            pos = pm.capturedEnd();
        } else if (wm.hasMatch()) {
            out.words.push_back({out.pages, wm.captured(5).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                                 wm.captured(1).toDouble(), wm.captured(2).toDouble(), wm.captured(3).toDouble(),
                                 wm.captured(4).toDouble()});
            pos = wm.capturedEnd();
        } else {
            break;
        }
    }
    return out;
}

// Every word keeps `mm` from each edge of its page.
void verifyMargins(const PdfText& pdf, double mm) {
    QVERIFY(!pdf.words.empty());
    const double m = mm * PointsPerMm;
    for (const PdfWord& w : pdf.words)
        QVERIFY2(w.xMin >= m && w.yMin >= m && w.xMax <= pdf.pageWidth - m && w.yMax <= pdf.pageHeight - m,
                 qPrintable(QStringLiteral("%1 at %2,%3").arg(w.text).arg(w.xMin).arg(w.yMin)));
}

int addLesson(core::Database& db, const QString& name, const QString& language, const QList<int>& words) {
    db.lessons.insert();
    db.lessons.setValue(core::field::kName, name);
    db.lessons.setValue(core::field::kLanguage, language);
    db.lessons.post();
    const int id = db.lessons.integer(core::field::kId);
    for (int w : words) {
        db.members.insert();
        db.members.setValue(core::field::kLessonId, id);
        db.members.setValue(core::field::kVocabularyId, w);
        db.members.post();
    }
    return id;
}
} // namespace

class PrintTeacherTest : public QObject, public PrintWindowFixture {
    Q_OBJECT

    TDBGridPrintJob* grid() { return panel()->DBGridPrintJob; }
    // The texts of the body's word column on the page on show.
    QStringList words() {
        QStringList out;
        const TRect area = grid()->PageAreaRect();
        const int left = grid()->ColumnLeft(area, 0), right = grid()->ColumnLeft(area, 1);
        for (const TDrawOp* op : shown().Texts())
            if (op->rect.Top > area.Top - 2 && op->rect.Bottom < area.Bottom && op->rect.Left >= left &&
                op->rect.Left < right && !op->text.isEmpty())
                out << op->text;
        return out;
    }
    QString printed(const QString& name) {
        pdf->Printer()->setOutputFileName(pdf->File(name));
        panel()->PreviewToolbar1->ButtonClick(btnPrint);
        // For a person's look at the sheets: VT_GRAB_DIR=<folder>.
        if (const QString dir = qEnvironmentVariable("VT_GRAB_DIR"); !dir.isEmpty()) {
            QFile::remove(QDir(dir).filePath(name));
            QFile::copy(pdf->File(name), QDir(dir).filePath(name));
        }
        return pdf->File(name);
    }
    static bool havePdfToText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

private slots:
    void init() { tc = std::make_unique<TestContext>(); }
    void cleanup() {
        form.reset();
        pdf.reset();
    }

    void aLessonAndTheGroupButtonsChooseTheWordsInOneStableOrder() {
        startWith([](ts::Table& t) {
            addWord(t, 1, "Hund", "dog", "Tiere");
            addWord(t, 2, "Apfel", "apple", "Obst");
            addWord(t, 3, "Birne", "pear", "Obst");
            addWord(t, 4, "Ding", "thing", "");
            addWord(t, 5, "Öl", "oil", "Ärger");
            addWord(t, 6, "Zebra", "zebra", "Tiere");
        });
        core::Database& db = tc->ctx->db;
        const QString language = db.currentLanguage();
        addLesson(db, "Zoo", language, {6, 1});
        addLesson(db, "Äpfel und Birnen", language, {2, 3, 4});
        addLesson(db, "Leer", language, {});
        addLesson(db, "Fremd", "franzoesisch", {5});
        const QString lessonsFilter = db.lessons.filter();

        for (PrintChoiceDialog* d : {form->karteikartenDruckF, form->vokabellisteDruckF, form->vokabeltestDruckF}) {
            QCOMPARE(d->GroupLektion->title(), QStringLiteral("Lektion"));
            QCOMPARE(d->BAlle->text(), QStringLiteral("Alle"));
            QCOMPARE(d->BKeine->text(), QStringLiteral("Keine"));
            QCOMPARE(d->CBLoesungsblatt != nullptr, d == form->vokabeltestDruckF);
        }
        PrintChoiceDialog* d = open(form->Vokabelliste1, form->vokabellisteDruckF);
        QVERIFY(d);
        QStringList lessons;
        for (int i = 0; i < d->CBLektion->count(); ++i)
            lessons << d->CBLektion->itemText(i);
        QVERIFY2(lessons.first() == core::kAllVocabularyLesson, qPrintable(lessons.join('|')));
        QCOMPARE(lessons.mid(1), (QStringList{"Äpfel und Birnen", "Leer", "Zoo"}));
        QCOMPARE(d->lessonName(), core::kAllVocabularyLesson);
        QCOMPARE(db.lessons.filter(), lessonsFilter); // read without touching the table's view
        // Groups in German order, umlauts beside their letters, the blank one
        // named and last.
        QStringList captions;
        for (int i = 0; i < d->ListBox1->count(); ++i)
            captions << d->ListBox1->item(i)->text();
        QCOMPARE(captions, (QStringList{"Ärger", "Obst", "Tiere", "(ohne Sachgruppe)"}));
        QCOMPARE(d->subjectGroupEntries().last(), QString());
        d->BKeine->click();
        QVERIFY(d->ListBox1->selectedItems().isEmpty());
        d->BAlle->click();
        QCOMPARE(d->ListBox1->selectedItems().size(), 4);

        // One lesson: exactly its words, whatever their group; the blank
        // group still selects the word without one.
        d->CBLektion->setCurrentText("Äpfel und Birnen");
        d->Button1->click();
        QCOMPARE(words(), (QStringList{"Apfel", "Birne", "Ding"}));
        QVERIFY(shown().FindText(QStringLiteral("Vokabelliste: Äpfel und Birnen")));
        // The choice stays for the next use of the dialog.
        d = open(form->Vokabelliste1, form->vokabellisteDruckF);
        QCOMPARE(d->lessonName(), QStringLiteral("Äpfel und Birnen"));
        d->ListBox1->item(3)->setSelected(false); // "(ohne Sachgruppe)"
        d->Button1->click();
        QCOMPARE(words(), (QStringList{"Apfel", "Birne"}));

        // A lesson without words prints one blank page.
        d = open(form->Karteikarten1, form->karteikartenDruckF);
        d->CBLektion->setCurrentText("Leer");
        d->Button1->click();
        QCOMPARE(panel()->PrintJob1->PageCount(), 1);
        QVERIFY(shown().Texts().empty());

        // "ALLE VOKABELN" prints every word, as before there was a choice.
        d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        QCOMPARE(d->lessonName(), core::kAllVocabularyLesson);
        QVERIFY(!d->CBLoesungsblatt->isChecked());
        d->Button1->click();
        QCOMPARE(words(), (QStringList{"Hund", "Apfel", "Birne", "Ding", "Öl", "Zebra"}));
    }

    void everyPrintoutKeepsTenMillimetresFromEveryEdge() {
        if (!havePdfToText())
            QSKIP("pdftotext missing");
        startWith([](ts::Table& t) {
            fillNumbered(t, 40);
            addWord(t, 41, QString(60, u'W'), QString(60, u'F'), "Haus");
        });
        open(form->Vokabelliste1, form->vokabellisteDruckF)->Button1->click();
        verifyMargins(readPdf(printed("liste.pdf")), 10);
        // The ruled lines keep it too.
        const int margin = int(10 * 600 / 25.4);
        const TRect sheet = grid()->PageRect();
        for (const TDrawOp* op : shown().Lines())
            QVERIFY(std::min(op->p1.x(), op->p2.x()) >= margin && std::min(op->p1.y(), op->p2.y()) >= margin &&
                    std::max(op->p1.x(), op->p2.x()) <= sheet.Right - margin &&
                    std::max(op->p1.y(), op->p2.y()) <= sheet.Bottom - margin);
        open(form->Vokabeltest1, form->vokabeltestDruckF)->Button1->click();
        verifyMargins(readPdf(printed("test.pdf")), 10);
        open(form->Karteikarten1, form->karteikartenDruckF)->Button1->click();
        verifyMargins(readPdf(printed("karten.pdf")), 10);
        // The cutting lines too: inside the page area, which keeps the margin.
        const TRect area = panel()->PrintJob1->PageAreaRect();
        QVERIFY(area.Left >= margin && area.Top >= margin);
        QVERIFY(panel()->PrintJob1->PageRect().Right - area.Right >= margin);
        QVERIFY(panel()->PrintJob1->PageRect().Bottom - area.Bottom >= margin);
        for (const TDrawOp* op : shown().Lines())
            QVERIFY(op->p1.x() >= area.Left && op->p2.x() <= area.Right && op->p1.y() >= area.Top &&
                    op->p2.y() <= area.Bottom);
    }

    void eachCardsBackLandsBehindItsFrontWithinAMillimetre() {
        if (!havePdfToText())
            QSKIP("pdftotext missing");
        startWith([](ts::Table& t) { fillNumbered(t, 30); });
        PrintChoiceDialog* d = open(form->Karteikarten1, form->karteikartenDruckF);
        d->ERechts->setValue(4); // a grid other than the usual one
        d->EOben->setValue(5);
        d->Button1->click();
        QVERIFY(panel()->GermanSideShown);
        const PdfText front = readPdf(printed("vorn.pdf"));
        panel()->BSprache->click();
        const PdfText back = readPdf(printed("hinten.pdf"));
        QCOMPARE(front.pages, 2);
        QCOMPARE(back.pages, 2);
        double worst = 0;
        for (int i = 1; i <= 30; ++i) {
            const PdfWord* f = front.find(QStringLiteral("Wort%1").arg(i));
            const PdfWord* b = back.find(QStringLiteral("Fremd%1").arg(i));
            QVERIFY2(f && b, qPrintable(QString::number(i)));
            QCOMPARE(f->page, b->page);
            // Turned over about the vertical axis: x mirrored, y kept.
            worst = std::max(
                {worst, qAbs(front.pageWidth - f->centreX() - b->centreX()), qAbs(f->centreY() - b->centreY())});
        }
        qInfo("front and back of a card differ by at most %.2f mm", worst / PointsPerMm);
        QVERIFY2(worst <= 1 * PointsPerMm, qPrintable(QStringLiteral("%1 pt off").arg(worst)));
    }

    void theTestSheetHasAHeadingNumbersNoRepeatsAndOnRequestTheAnswers() {
        startWith([](ts::Table& t) {
            const ts::BulkInsertGuard bulk(t);
            for (int i = 1; i <= 23; ++i)
                addWord(t, i, QStringLiteral("Wort%1").arg(i), QStringLiteral("Fremd%1").arg(i), "Haus");
            addWord(t, 24, "Bank", "bank", "Haus");
            addWord(t, 25, "Bank", "bench", "Haus");
        });
        addLesson(tc->ctx->db, "Woche 3", tc->ctx->db.currentLanguage(),
                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25});
        PrintChoiceDialog* d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        d->CBLektion->setCurrentText("Woche 3");
        d->Button1->click();
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        QVERIFY(shown().FindText(QStringLiteral("Vokabeltest: Woche 3")));
        QVERIFY(shown().FindText(today));
        const TDrawOp* name = nullptr;
        for (const TDrawOp* op : shown().Texts())
            if (op->text.startsWith(QStringLiteral("Name: ___")))
                name = op;
        QVERIFY(name);
        // The heading stands above the column title, both inside the header.
        const TRect header = grid()->HeaderRect();
        QVERIFY(name->rect.Top >= header.Top && name->rect.Bottom < shown().FindText("deutsch")->rect.Top + 2);
        // 24 different words on 2 pages of 20: "Bank" once only.
        QCOMPARE(grid()->PageCount(), 2);
        QCOMPARE(words().size(), 20);
        QVERIFY(shown().FindText("1") && shown().FindText("20"));
        QVERIFY(shown().FindText("1")->rect.Right <= grid()->ColumnLeft(grid()->PageAreaRect(), 0) + 1);
        preview()->SetPageIndex(2);
        QCOMPARE(words(), (QStringList{"Wort21", "Wort22", "Wort23", "Bank"}));
        QVERIFY(shown().FindText("24") && !shown().FindText("25"));

        // With the answer key: two pages more, the same numbers with answers.
        d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        d->CBLoesungsblatt->setChecked(true);
        d->Button1->click();
        QCOMPARE(grid()->PageCount(), 4);
        preview()->SetPageIndex(2);
        QVERIFY(shown().FindText(QStringLiteral("Page 2 of 2")));
        preview()->SetPageIndex(3);
        QVERIFY(shown().FindText(QStringLiteral("Lösungsblatt: Woche 3")));
        QVERIFY(shown().FindText(QStringLiteral("Page 1 of 2"))); // each part counted by itself
        QVERIFY(!shown().FindText(QStringLiteral("Vokabeltest: Woche 3")));
        QCOMPARE(words().first(), QStringLiteral("Wort1  –  Fremd1"));
        QVERIFY(shown().FindText("1"));
        preview()->SetPageIndex(4);
        // The word asked once carries the answers of both its rows.
        QCOMPARE(words().last(), QStringLiteral("Bank  –  bank; bench"));
        QVERIFY(shown().FindText("24"));
        if (havePdfToText()) {
            const PdfText sheet = readPdf(printed("vokabeltest.pdf"));
            QCOMPARE(sheet.pages, 4);
            QVERIFY(sheet.find("Name:", 1) && sheet.find(today, 1) && sheet.find("Woche", 1));
            QVERIFY(sheet.find(QStringLiteral("Lösungsblatt:"), 3) && !sheet.find(QStringLiteral("Lösungsblatt:"), 2));
            QCOMPARE(sheet.count("Bank"), 2); // once asked, once answered
            QVERIFY(sheet.find("bench", 4));
            QVERIFY(sheet.find("Fremd1", 3) && !sheet.find("Fremd1", 1));
        }
        // The answer key is the test's alone; the list goes on without it.
        open(form->Vokabelliste1, form->vokabellisteDruckF)->Button1->click();
        QCOMPARE(grid()->PageCount(), 1);
        QCOMPARE(grid()->IndexColumn(), false);
        QVERIFY(shown().FindText(QStringLiteral("Vokabelliste: ALLE VOKABELN")));
    }

    void aLessonOfTheBundledWordListPrintsEachWordOnceWithItsAnswers() {
        QFile list(QStringLiteral(VT_WORDLIST));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QVERIFY(core::firststart::prepareDataFolder(tc->dataFolder(), list.readAll(), {}));
        start();
        pdf = std::make_unique<PdfPrinterFixture>();
        form->usePrintServices(&pdf->provider, &ui);
        QVERIFY(vocab().recordCount() > 12000);
        // The words starting with "Ab", several of them twice in the list.
        QList<int> lesson;
        QSet<QString> distinct;
        const int german = vocab().field(core::field::kGerman), id = vocab().field(core::field::kId);
        for (int i = 0; i < vocab().recordCount(); ++i)
            if (vocab().valueAt(i, german).toString().startsWith(QStringLiteral("Ab"))) {
                lesson << vocab().valueAt(i, id).toInt();
                distinct.insert(vocab().valueAt(i, german).toString());
            }
        QVERIFY(lesson.size() > distinct.size());
        addLesson(tc->ctx->db, QStringLiteral("Wörter mit Ab"), tc->ctx->db.currentLanguage(), lesson);

        PrintChoiceDialog* d = open(form->Vokabeltest1, form->vokabeltestDruckF);
        d->CBLektion->setCurrentText(QStringLiteral("Wörter mit Ab"));
        d->SortItems[1]->setChecked(true); // "deutsch": a word's twins side by side
        d->CBLoesungsblatt->setChecked(true);
        d->Button1->click();
        const int keyPage = grid()->FirstKeyPage();
        QCOMPARE(keyPage, (int(distinct.size()) + 19) / 20 + 1);
        QCOMPARE(grid()->PageCount(), 2 * (keyPage - 1));
        QStringList asked, numbers;
        for (int page = 1; page < keyPage; ++page) {
            preview()->SetPageIndex(page);
            asked << words();
            const int left = grid()->ColumnLeft(grid()->PageAreaRect(), 0);
            for (const TDrawOp* op : shown().Texts())
                if (op->rect.Right <= left + 1 && !op->text.isEmpty() && op->text != QStringLiteral("#"))
                    numbers << op->text;
        }
        QCOMPARE(asked.size(), int(distinct.size()));
        QCOMPARE(QSet<QString>(asked.begin(), asked.end()), distinct);
        QCOMPARE(numbers.first(), QStringLiteral("1"));
        QCOMPARE(numbers.last(), QString::number(distinct.size()));
        QCOMPARE(numbers.size(), int(distinct.size()));
        preview()->SetPageIndex(keyPage);
        QVERIFY(words().first().startsWith(asked.first() + QStringLiteral("  –  ")));
        if (havePdfToText())
            QCOMPARE(readPdf(printed(QStringLiteral("vokabeltest-ab.pdf"))).pages, grid()->PageCount());
    }

    void aLongTextGoesOnToASecondLineInItsCellAndTheRowsStay() {
        const QString longText = QStringLiteral("die Bereitschaft, anderen ohne Lohn zu helfen");
        startWith([&](ts::Table& t) {
            fillNumbered(t, 30);
            addWord(t, 31, longText, "willingness", "Haus");
        });
        open(form->Vokabelliste1, form->vokabellisteDruckF)->Button1->click();
        QCOMPARE(grid()->PageCount(), 2); // still 30 rows a page
        preview()->SetPageIndex(2);
        const QStringList lines = words();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.join(' '), longText);
        const TRect area = grid()->PageAreaRect();
        const TRect cell = grid()->CellRect(area, 2, 0, 30);
        for (const TDrawOp* op : shown().Texts())
            if (lines.contains(op->text)) {
                QVERIFY(op->rect.Top >= cell.Top && op->rect.Bottom <= cell.Bottom);
                QVERIFY(!op->text.endsWith(QChar(0x2026)));
            }
        if (havePdfToText()) {
            const PdfText sheet = readPdf(printed(QStringLiteral("liste-umbruch.pdf")));
            QVERIFY(sheet.find(QStringLiteral("Bereitschaft,"), 2) && sheet.find(QStringLiteral("helfen"), 2));
            // The second line lies below the first, both within the row.
            QVERIFY(sheet.find(QStringLiteral("helfen"), 2)->yMin > sheet.find(QStringLiteral("die"), 2)->yMax - 1);
            verifyMargins(sheet, 10);
        }
        // The test's wide column needs no second line for it.
        open(form->Vokabeltest1, form->vokabeltestDruckF)->Button1->click();
        QCOMPARE(grid()->PageCount(), 2);
        preview()->SetPageIndex(2);
        QCOMPARE(words().size(), 11);
        QCOMPARE(words().last(), longText);
    }
};

QTEST_MAIN(PrintTeacherTest)
#include "tst_print_teacher.moc"
