// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary's pages: flash cards, list and test on the table grid job
// (rows left out as repeats, answer pages, wrapped cells), the lesson clause.
#include "pjdbgrid.h"
#include "printtestsupport.h"
#include "vocabtestsupport.h"
#include "printlayouts.h"
#include "printlesson.h"
#include "tablestore/cursorguard.h"

#include <QtTest>

#include <set>

using namespace printing;
using namespace printing::test;

namespace {
TRecordedPage drawPage(TCustomPrintJob& job, int page) {
    TRecordedPage rec;
    TPrintCanvas canvas(&rec, job.Metrics().dpiY);
    job.DrawPageOn(canvas, page, dtPreview);
    return rec;
}

std::vector<std::pair<QString, QPoint>> cardTexts(const TRecordedPage& page) {
    std::vector<std::pair<QString, QPoint>> out;
    for (const TDrawOp* op : page.Texts())
        out.emplace_back(op->text, op->p1);
    return out;
}

struct CardFixture {
    PdfPrinterFixture pdf;
    ts::Table vocab{QStringLiteral("Vokabeln")};
    TPrintJob job;
    bool german = true;
    CardFixture() {
        makeVocabulary(vocab);
        job.SetPrinterProvider(&pdf.provider);
        setupFlashCardJob(job);
        job.OnDraw = [this](TCustomPrintJob*, TPrintCanvas& c, int page, const TRect& area, TDrawArea, TDrawTarget) {
            DrawFlashCardPage(c, vocab, area, job.PageRect().Width(), 3, 6, german, page);
        };
    }
    FlashCardGeometry geometry() const { return {job.PageAreaRect(), job.PageRect().Width(), 3, 6}; }
    // Where the text of the card at column c, row r starts on the front or back.
    QPoint textAt(const TRecordedPage& page, int c, int r, bool front) const {
        const FlashCardGeometry g = geometry();
        // Every card's text hangs the same distance above its centre.
        const int lift = g.centreY(0) - page.Texts().front()->p1.y();
        return {g.centreX(c, front), g.centreY(r) - lift};
    }
};

struct GridFixture {
    PdfPrinterFixture pdf;
    ts::Table vocab{QStringLiteral("Vokabeln")};
    TDBGridPrintJob job;
    GridFixture() {
        makeVocabulary(vocab);
        vocab.setDisplayLabel(QStringLiteral("auslaendisch"), QStringLiteral("Englisch"));
        job.SetPrinterProvider(&pdf.provider);
        setupVocabularyGridJob(job);
    }
    // The texts of the field columns on `page`, top to bottom, without the
    // row numbers and the page number.
    QStringList words(int page) {
        const TRecordedPage rec = drawPage(job, page);
        const TRect area = job.PageAreaRect();
        const int left = job.ColumnLeft(area, 0), right = job.ColumnLeft(area, job.ColCount());
        QStringList out;
        for (const TDrawOp* op : rec.Texts())
            if (op->rect.Top >= area.Top - 1 && op->rect.Bottom <= area.Bottom + 2 && op->rect.Left >= left &&
                op->rect.Left < right && !op->text.isEmpty() && !op->text.startsWith(QStringLiteral("Page")))
                out << op->text;
        return out;
    }
    std::vector<const TDrawOp*> bodyTexts(const TRecordedPage& page) const {
        const TRect area = job.PageAreaRect();
        std::vector<const TDrawOp*> out;
        for (const TDrawOp* op : page.Texts())
            if (op->rect.Top >= area.Top - 1 && op->rect.Bottom <= area.Bottom + 2)
                out.push_back(op);
        return out;
    }
};
} // namespace

class PrintVocabLayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void flashCardsShareTheAreaAndTheBackMirrorsAboutThePageMiddle() {
        // An area off centre, as a printer's forced margins may leave it.
        const FlashCardGeometry g(TRect{300, 200, 3300, 6200}, 3400, 3, 6);
        QCOMPARE(g.colW, 1000);
        QCOMPARE(g.rowH, 1000);
        QCOMPARE(g.centreX(0, true), 800);
        QCOMPARE(g.centreX(0, false), 3400 - 800);
        QCOMPARE(g.centreX(2, false), 3400 - 2800);
        QCOMPARE(g.centreY(5), 5700);
        QCOMPARE(flashCardPageCount(0, 3, 6), 1);
        QCOMPARE(flashCardPageCount(18, 3, 6), 1);
        QCOMPARE(flashCardPageCount(19, 3, 6), 2);
        QCOMPARE(flashCardPageCount(36, 3, 6), 2);
    }

    void eighteenRecordsFillOnePageColumnByColumnWithTheFullGridOfLines() {
        CardFixture f;
        fillNumbered(f.vocab, 18);
        const TRecordedPage page = drawPage(f.job, 1);
        const auto texts = cardTexts(page);
        QCOMPARE(int(texts.size()), 18);
        for (int n = 0; n < 18; ++n) {
            QCOMPARE(texts[size_t(n)].first, QStringLiteral("Wort%1").arg(n + 1));
            QCOMPARE(texts[size_t(n)].second, f.textAt(page, n / 6, n % 6, true));
        }
        // Centred on x, hanging from y, in the page's default font.
        const TDrawOp* first = page.Texts().front();
        QVERIFY(first->textOut);
        QVERIFY(first->flags & Qt::AlignHCenter);
        QCOMPARE(first->family, QStringLiteral("Arial"));
        QCOMPARE(first->pointSize, 10.0);
        // A line round every card, all inside the margins.
        const FlashCardGeometry g = f.geometry();
        const TRect area = f.job.PageAreaRect();
        const int right = g.left + 3 * g.colW, bottom = g.top + 6 * g.rowH;
        QVERIFY(right <= area.Right && bottom <= area.Bottom);
        std::set<std::pair<int, int>> lines;
        for (const TDrawOp* op : page.Lines()) {
            QCOMPARE(op->penWidth, 1);
            if (op->p1.y() == op->p2.y()) {
                lines.insert({-1, op->p1.y()});
                QCOMPARE(op->p1.x(), g.left);
                QCOMPARE(op->p2.x(), right);
            } else {
                lines.insert({op->p1.x(), -1});
                QCOMPARE(op->p1.y(), g.top);
                QCOMPARE(op->p2.y(), bottom);
            }
        }
        std::set<std::pair<int, int>> expected;
        for (int k = 0; k <= 6; ++k)
            expected.insert({-1, g.top + k * g.rowH});
        for (int k = 0; k <= 3; ++k)
            expected.insert({g.left + k * g.colW, -1});
        QCOMPARE(lines, expected);
    }

    void nineteenRecordsPutTheLastCardTopLeftAndOnTheBackTopRight() {
        CardFixture f;
        fillNumbered(f.vocab, 19);
        TRecordedPage page = drawPage(f.job, 2);
        QCOMPARE(int(page.Texts().size()), 1);
        QCOMPARE(page.Texts()[0]->text, QStringLiteral("Wort19"));
        QCOMPARE(page.Texts()[0]->p1, f.textAt(page, 0, 0, true));
        QCOMPARE(int(page.Lines().size()), 11);

        f.german = false;
        page = drawPage(f.job, 2);
        QCOMPARE(page.Texts()[0]->text, QStringLiteral("Fremd19"));
        QCOMPARE(page.Texts()[0]->p1, f.textAt(page, 0, 0, false));
        // The back of the first column is the page's last.
        const FlashCardGeometry g = f.geometry();
        QCOMPARE(f.textAt(page, 0, 0, false).x(), g.centreX(2, true));
        QVERIFY(page.Lines().empty());
        // Front and back of page 1 mirror the columns, rows stay.
        page = drawPage(f.job, 1);
        QCOMPARE(page.Texts()[0]->p1, f.textAt(page, 0, 0, false));
        QCOMPARE(page.Texts()[6]->p1, f.textAt(page, 1, 0, false));
        QCOMPARE(page.Texts()[17]->p1, f.textAt(page, 2, 5, false));
        QCOMPARE(f.textAt(page, 2, 5, false).x(), g.centreX(0, true));
    }

    void aPagePastTheLastRecordOrAnEmptySelectionIsBlank() {
        CardFixture f;
        TRecordedPage page = drawPage(f.job, 1);
        QVERIFY(page.Texts().empty());
        QVERIFY(page.Lines().empty());
        fillNumbered(f.vocab, 18);
        page = drawPage(f.job, 2);
        QVERIFY(page.Texts().empty());
        QVERIFY(page.Lines().empty());
    }

    void aLongWordRunsOverItsCardUnshortened() {
        CardFixture f;
        const QString longWord(80, u'M');
        addWord(f.vocab, 1, longWord, QStringLiteral("x"));
        const TRecordedPage page = drawPage(f.job, 1);
        QCOMPARE(page.Texts()[0]->text, longWord);
        QVERIFY(!page.Texts()[0]->clip);
    }

    void theListHasSixColumnsSharedByDisplayWidthAndTitledByLabel() {
        GridFixture f;
        fillNumbered(f.vocab, 31);
        applyVocabularyListSettings(f.job, f.vocab);
        QCOMPARE(f.job.PageCount(), 2);
        QCOMPARE(f.job.ColCount(), 6);
        const TRect area = f.job.PageAreaRect();
        // Landscape A4 at 600 dpi inside 12 mm margins (283 pixels), a 0.6
        // inch header with the title line, a 0.3 inch footer.
        const TRect sheet = f.job.PageRect();
        QCOMPARE(sheet.Right, 7017);
        QCOMPARE(area, (TRect{283, 283 + 360, sheet.Right - 283, sheet.Bottom - 283 - 180}));
        const int w = area.Width();
        const int widths[] = {20, 20, 14, 11, 5, 13};
        int x = area.Left;
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(f.job.ColumnLeft(area, c), x);
            QCOMPARE(f.job.ColumnWidth(c), widths[c] * w / 83 - 1);
            x += widths[c] * w / 83 - 1;
        }
        QVERIFY(x <= area.Right);
        // Row tops share the area evenly.
        for (int k = 0; k <= 30; ++k)
            QCOMPARE(f.job.RowTop(area, 1, k), area.Top + (area.Height() - 1) * k / 30 - 1);
        QCOMPARE(f.job.RowTop(area, 2, 30), area.Top - 1);

        const TRecordedPage page = drawPage(f.job, 2);
        for (const char* title : {"deutsch", "Englisch", "Sachgruppe", "Gattung", "Bemerkung"})
            QVERIFY2(page.FindText(QString::fromUtf8(title)), title);
        // The narrow level column shortens its title with an ellipsis.
        const TDrawOp* level = nullptr;
        for (const TDrawOp* op : page.Texts())
            if (op->text.startsWith(QStringLiteral("Sch")) && op->text != QStringLiteral("Sachgruppe"))
                level = op;
        QVERIFY(level);
        QVERIFY(level->text.endsWith(QChar(0x2026)));
        QVERIFY(level->flags & Qt::AlignRight);
        const TDrawOp* footer = page.FindText(QStringLiteral("Page 2 of 2"));
        QVERIFY(footer);
        QVERIFY(footer->flags & Qt::AlignRight);
        QCOMPARE(footer->pointSize, 12.0);
        QVERIFY(footer->rect.Left > f.job.ColumnLeft(area, 5));
        QVERIFY(page.FindText(QStringLiteral("Wort31")));
        QVERIFY(!page.FindText(QStringLiteral("Wort30")));
        QVERIFY(!page.FindText(QStringLiteral("1")) || page.FindText(QStringLiteral("1"))->flags & Qt::AlignRight);
        QVERIFY(!page.FindText(QStringLiteral("31"))); // ID is not printed
    }

    void listRowsHaveOnlyVerticalLinesAndTestRowsOnlyHorizontalOnes() {
        GridFixture f;
        fillNumbered(f.vocab, 5);
        applyVocabularyListSettings(f.job, f.vocab);
        const TRect area = f.job.PageAreaRect();
        auto bodyLines = [&](const TRecordedPage& page) {
            std::vector<const TDrawOp*> out;
            for (const TDrawOp* op : page.Lines())
                if (std::max(op->p1.y(), op->p2.y()) > area.Top + 1)
                    out.push_back(op);
            return out;
        };
        TRecordedPage page = drawPage(f.job, 1);
        QVERIFY(!bodyLines(page).empty());
        for (const TDrawOp* op : bodyLines(page))
            QCOMPARE(op->p1.x(), op->p2.x());
        // The header is boxed.
        int headerHorizontal = 0;
        for (const TDrawOp* op : page.Lines())
            if (op->p1.y() == op->p2.y() && op->p1.y() <= area.Top)
                ++headerHorizontal;
        QCOMPARE(headerHorizontal, 12);

        applyVocabularyTestSettings(f.job, f.vocab, false);
        QCOMPARE(f.job.RowsPerPage(), 20);
        QCOMPARE(f.job.ColCount(), 1);
        // The number column and the word share the width.
        QCOMPARE(f.job.ColumnWidth(0) + f.job.ColumnWidth(IndexCol), area.Width() - 1);
        page = drawPage(f.job, 1);
        QVERIFY(!bodyLines(page).empty());
        for (const TDrawOp* op : bodyLines(page))
            QCOMPARE(op->p1.y(), op->p2.y());
        QVERIFY(page.FindText(QStringLiteral("Englisch")));
        QVERIFY(page.FindText(QStringLiteral("Fremd1")));
        QVERIFY(!page.FindText(QStringLiteral("Wort1")));
        QVERIFY(page.FindText(QStringLiteral("Fremd1"))->flags & Qt::AlignLeft);
        QVERIFY(page.FindText(QStringLiteral("Page 1 of 1")));
    }

    void pageCountsFollowTheRecordsAndTheLastPageStartsAtTheTop() {
        GridFixture f;
        applyVocabularyTestSettings(f.job, f.vocab, true);
        QCOMPARE(f.job.PageCount(), 1);
        // No record: one page of empty cells, not some record's text.
        TRecordedPage page = drawPage(f.job, 1);
        QVERIFY(f.bodyTexts(page).size() > 0);
        for (const TDrawOp* op : f.bodyTexts(page))
            QVERIFY2(op->text.isEmpty(), qPrintable(op->text));

        fillNumbered(f.vocab, 41);
        QCOMPARE(f.job.PageCount(), 3);
        applyVocabularyListSettings(f.job, f.vocab);
        QCOMPARE(f.job.PageCount(), 2);
        {
            const ts::BulkInsertGuard bulk(f.vocab);
            for (int i = 42; i <= 61; ++i)
                addWord(f.vocab, i, QStringLiteral("Wort%1").arg(i));
        }
        QCOMPARE(f.job.PageCount(), 3);
        page = drawPage(f.job, 3);
        const TDrawOp* last = page.FindText(QStringLiteral("Wort61"));
        QVERIFY(last);
        const TRect area = f.job.PageAreaRect();
        QVERIFY(last->rect.Top < f.job.RowTop(area, 3, 61));
        QCOMPARE(f.job.RowTop(area, 3, 60), area.Top - 1);
        // A filter narrows the pages at once.
        f.vocab.setFilter(QStringLiteral("ID <= 30"));
        f.vocab.setFiltered(true);
        QCOMPARE(f.job.PageCount(), 1);
    }

    void aLongCellEndsInAnEllipsisAndAnUnboundJobPrintsEmptyCells() {
        GridFixture f;
        addWord(f.vocab, 1, QString(100, u'W'));
        applyVocabularyListSettings(f.job, f.vocab);
        TRecordedPage page = drawPage(f.job, 1);
        bool shortened = false;
        for (const TDrawOp* op : page.Texts())
            if (op->text.startsWith(QStringLiteral("WWW")))
                shortened = op->text.endsWith(QChar(0x2026));
        QVERIFY(shortened);
        f.job.SetDataSource(nullptr);
        QCOMPARE(f.job.PageCount(), 1);
        page = drawPage(f.job, 1);
        // Only the title line and the page number remain.
        for (const TDrawOp* op : page.Texts())
            QVERIFY2(op->text.isEmpty() || op->text.startsWith(QStringLiteral("Page")) ||
                         op->rect.Bottom <= f.job.HeaderRect().Top + f.job.HeaderRect().Height() / 2 + 1,
                     qPrintable(op->text));
    }

    void repeatsAreLeftOutAndFollowTheFilterAndTheOrder() {
        GridFixture f;
        addWord(f.vocab, 1, "Bank", "bank");
        addWord(f.vocab, 2, "Haus", "house");
        addWord(f.vocab, 3, "Bank", "bench");
        addWord(f.vocab, 4, "bank", "(lower case)");
        applyVocabularyTestSettings(f.job, f.vocab, true);
        QCOMPARE(f.job.QuestionRowCount(), 3);
        QCOMPARE(f.words(1), (QStringList{"Bank", "Haus", "bank"}));
        // A filter that drops the first "Bank" shows the second.
        f.vocab.setFilter(QStringLiteral("ID > 1"));
        f.vocab.setFiltered(true);
        QCOMPARE(f.words(1), (QStringList{"Haus", "Bank", "bank"}));
        // The foreign side has no repeats: every row.
        f.vocab.setFiltered(false);
        applyVocabularyTestSettings(f.job, f.vocab, false);
        QCOMPARE(f.job.QuestionRowCount(), 4);
        // The list leaves nothing out.
        applyVocabularyListSettings(f.job, f.vocab);
        QVERIFY(!f.job.DistinctRows());
        QCOMPARE(f.job.PageCount(), 1);
        QCOMPARE(f.words(1).count(QStringLiteral("Bank")), 2);
    }

    void answerPagesRepeatTheNumberedRowsAndAreLeftOutWithoutRows() {
        GridFixture f;
        applyVocabularyTestSettings(f.job, f.vocab, true, QStringLiteral("L"), true);
        // Nothing to ask, nothing to answer: the one blank page.
        QCOMPARE(f.job.PageCount(), 1);
        QCOMPARE(f.job.FirstKeyPage(), 0);
        fillNumbered(f.vocab, 20); // exactly one page of questions
        QCOMPARE(f.job.PageCount(), 2);
        QCOMPARE(f.job.FirstKeyPage(), 2);
        QCOMPARE(f.words(2).first(), QStringLiteral("Wort1  –  Fremd1"));
        QCOMPARE(f.words(2).size(), 20);
        addWord(f.vocab, 21, "Zusatz", "extra");
        QCOMPARE(f.job.PageCount(), 4);
        // The last question page ends in blank, unnumbered rows; the answers
        // start on a page of their own with number 1.
        TRecordedPage page = drawPage(f.job, 2);
        QCOMPARE(f.words(2), QStringList{"Zusatz"});
        QVERIFY(page.FindText(QStringLiteral("21")) && !page.FindText(QStringLiteral("22")));
        page = drawPage(f.job, 3);
        QVERIFY(page.FindText(QStringLiteral("Lösungsblatt: L")));
        QVERIFY(page.FindText(QStringLiteral("1")));
        QCOMPARE(f.words(4), QStringList{"Zusatz  –  extra"});
        QVERIFY(drawPage(f.job, 4).FindText(QStringLiteral("21")));
        // A foreign test answers in German.
        applyVocabularyTestSettings(f.job, f.vocab, false, QStringLiteral("L"), true);
        QCOMPARE(f.words(3).first(), QStringLiteral("Fremd1  –  Wort1"));
        // Off again: the pages of the questions only.
        applyVocabularyTestSettings(f.job, f.vocab, false, QStringLiteral("L"), false);
        QCOMPARE(f.job.PageCount(), 2);
        QVERIFY(!drawPage(f.job, 2).FindText(QStringLiteral("Lösungsblatt: L")));
    }

    void aTextWithoutABreakEndsInAnEllipsisAndHeadersAreNeverWrapped() {
        GridFixture f;
        addWord(f.vocab, 1, "kurz", "short");
        // The narrow remark column holds fewer than 99 letters on two lines.
        addWord(f.vocab, 2, "lang", "long", {}, "Substantiv", 1,
                QStringLiteral("eins zwei drei vier fünf sechs sieben acht neun zehn elf zwölf dreizehn vierzehn "
                               "fünfzehn sechzehn"));
        applyVocabularyListSettings(f.job, f.vocab);
        const QStringList words = f.words(1);
        // Too long for two lines: the second ends in an ellipsis.
        QVERIFY(words.contains(QStringLiteral("kurz")));
        int wrapped = 0;
        for (const QString& w : words)
            if (w.startsWith(QStringLiteral("eins")) || w.endsWith(QChar(0x2026)))
                ++wrapped;
        QCOMPARE(wrapped, 2);
        QVERIFY(words.last().endsWith(QChar(0x2026)) || words.at(words.size() - 2).endsWith(QChar(0x2026)));
        // "Schwierigkeitsgrad" in its narrow title cell stays one shortened line.
        const TRecordedPage page = drawPage(f.job, 1);
        int titles = 0;
        for (const TDrawOp* op : page.Texts())
            if (op->text.startsWith(QStringLiteral("Schw")) || op->text.startsWith(QStringLiteral("grad")))
                ++titles;
        QCOMPARE(titles, 1);
    }

    void theLessonClauseSelectsExactlyItsWords() {
        QCOMPARE(idFilterClause({}), QStringLiteral("1=2"));
        QCOMPARE(idFilterClause({3, 5, 9}), QStringLiteral("ID IN (3, 5, 9)"));
        GridFixture f;
        fillNumbered(f.vocab, 12);
        f.vocab.setFilter(QStringLiteral("1 = 1 and ") + idFilterClause({2, 11, 12, 40}));
        f.vocab.setFiltered(true);
        QCOMPARE(f.vocab.recordCount(), 3);
        f.vocab.setFilter(idFilterClause({}));
        QCOMPARE(f.vocab.recordCount(), 0);
        QVERIFY(germanLess(QStringLiteral("Äpfel"), QStringLiteral("Birne")));
        QVERIFY(germanLess(QStringLiteral("tiere"), QStringLiteral("Tiere")));
    }

    void aFlashCardLandsAtTheSamePlaceOnPaperAsInThePreview() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext missing");
        CardFixture f;
        fillNumbered(f.vocab, 19);
        f.job.SetPageCount(flashCardPageCount(19, 3, 6));
        QVERIFY(f.job.Print());
        QCOMPARE(f.job.PrintedSheetCount(), 2);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), f.pdf.File(), QStringLiteral("-")});
        QVERIFY(p.waitForFinished());
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        // Word "Wort8": column 1, row 1; its centre in points must match.
        const FlashCardGeometry g = f.geometry();
        const QRegularExpression re(
            QString::fromLatin1(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">Wort8<)re"));
        const auto m = re.match(out);
        QVERIFY2(m.hasMatch(), qPrintable(out.left(2000)));
        const double centre = (m.captured(1).toDouble() + m.captured(3).toDouble()) / 2;
        QVERIFY(qAbs(centre - g.centreX(1, true) * 72.0 / 600) < 2.0);
        const double middle = (m.captured(2).toDouble() + m.captured(4).toDouble()) / 2;
        QVERIFY(qAbs(middle - g.centreY(1) * 72.0 / 600) < 4.0);
        QCOMPARE(out.count(QStringLiteral("<page ")), 2);
    }
};

QTEST_MAIN(PrintVocabLayoutsTest)
#include "tst_print_vocab_layouts.moc"
