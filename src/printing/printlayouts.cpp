// SPDX-License-Identifier: GPL-3.0-or-later
#include "printlayouts.h"

#include "tablestore/table.h"
#include "core/fieldnames.h"

#include <QDate>

#include <cmath>

namespace printing {

namespace {
TFontSpec Arial(double points) {
    TFontSpec f;
    f.PointSize = points;
    return f;
}
} // namespace

FlashCardGeometry::FlashCardGeometry(const TRect& area, int pageWidth, int columns, int rows)
    : left(area.Left), top(area.Top), colW(area.Width() / std::max(1, columns)),
      rowH(area.Height() / std::max(1, rows)), pageWidth(pageWidth) {}

int flashCardPageCount(int records, int columns, int rows) {
    const int perPage = std::max(1, columns) * std::max(1, rows);
    return std::max(1, (records + perPage - 1) / perPage);
}

void DrawFlashCardPage(TPrintCanvas& canvas, ts::Table& table, const TRect& area, int pageWidth, int columns, int rows,
                       bool germanSide, int page) {
    columns = std::max(1, columns);
    rows = std::max(1, rows);
    canvas.TextAlignH = haCenter;
    canvas.TextAlignV = vaTop;
    table.first();
    // One step to the page's first record: earlier pages are never drawn.
    if (page > 1)
        table.moveBy(columns * rows * (page - 1));
    if (table.eof())
        return;

    const FlashCardGeometry g(area, pageWidth, columns, rows);
    const int field = table.field(germanSide ? core::field::kGerman : core::field::kForeign);
    const int halfText = canvas.TextHeight(QStringLiteral("Ag")) / 2;
    bool left = true;
    for (int c = 0; c < columns && left; ++c) {
        for (int r = 0; r < rows; ++r) {
            canvas.TextOut(g.centreX(c, germanSide), g.centreY(r) - halfText, table.value(field).toString());
            table.next();
            if (table.eof()) {
                left = false;
                break;
            }
        }
    }
    if (!germanSide)
        return;
    // A line round every card; the back carries none, so a sheet turned a
    // little off shows no stray line.
    canvas.Pen.Width = 1;
    const int right = g.left + columns * g.colW, bottom = g.top + rows * g.rowH;
    for (int k = 0; k <= rows; ++k)
        canvas.Line(g.left, g.top + k * g.rowH, right, g.top + k * g.rowH);
    for (int k = 0; k <= columns; ++k)
        canvas.Line(g.left + k * g.colW, g.top, g.left + k * g.colW, bottom);
}

void setupFlashCardJob(TPrintJob& job) {
    job.BeginUpdate();
    job.SetPageUnits(unPixels);
    job.SetOrientation(orPortrait);
    job.SetOptions({joMargins});
    job.SetRelativeCoords(false);
    job.SetMarginsUnits(unMillimeters);
    // Equal on the left and right, so the cards of both sides share a grid.
    job.SetMargins({PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm});
    job.SetTitle(QStringLiteral("Karteikarten"));
    job.EndUpdate();
}

void setupVocabularyGridJob(TDBGridPrintJob& job) {
    job.BeginUpdate();
    job.SetPageUnits(unPixels);
    job.SetOrientation(orLandscape);
    job.SetOptions({joMargins, joHeader, joFooter});
    job.SetHeaderUnits(unInches);
    job.SetHeader(0.3);
    job.SetFooterUnits(unInches);
    job.SetFooter(0.3);
    job.SetRelativeCoords(false);
    job.SetMarginsUnits(unMillimeters);
    job.SetMargins({PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm});
    job.SetHeaderFont(Arial(10));
    job.SetPageFont(Arial(10));
    job.SetFooterFont(Arial(12));
    job.SetHeaderCellBorders({cbTop, cbLeft, cbRight, cbBottom});
    job.SetFooterCellBorders({});
    job.SetTableBorders({});
    // A text too long for its cell goes on to a second line there.
    job.SetClipMode(cmWrap);
    job.SetMultiline(false);
    job.SetIndexColumn(false);
    job.SetIndexStart(1);
    // The shares of the page width the list gives each field.
    namespace field = core::field;
    const std::pair<const QString&, int> widths[] = {
        {field::kId, 10},     {field::kGerman, 20},    {field::kForeign, 20}, {field::kSubjectGroup, 14},
        {field::kGender, 11}, {field::kDifficulty, 5}, {field::kRemark, 13}};
    for (const auto& [name, width] : widths)
        job.SetDisplayWidth(name, width);
    job.SetTitle(QStringLiteral("Vokabeln"));
    job.EndUpdate();
}

namespace {
QString Today() {
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
}
QString Titled(const QString& what, const QString& lesson) {
    return lesson.isEmpty() ? what : what + QStringLiteral(": ") + lesson;
}
} // namespace

void applyVocabularyListSettings(TDBGridPrintJob& job, ts::Table& vocabulary, const QString& lesson) {
    job.BeginUpdate();
    job.SetHeading({Titled(QStringLiteral("Vokabelliste"), lesson), {}, Today()});
    job.SetKeyHeading({});
    job.SetHeader(0.6); // the title line above the column titles
    job.SetIndexColumn(false);
    job.SetDistinctRows(false);
    job.SetAnswerKeyField({});
    job.SetRowsPerPage(30);
    job.SetDataSource(&vocabulary);
    job.SetPageCellBorders({cbLeft, cbRight});
    job.SetVisibleFields(core::field::kWordFields);
    job.SetTitle(QStringLiteral("Vokabelliste"));
    job.EndUpdate();
    job.Update();
}

void applyVocabularyTestSettings(TDBGridPrintJob& job, ts::Table& vocabulary, bool german, const QString& lesson,
                                 bool answerKey) {
    job.BeginUpdate();
    job.SetHeading({Titled(QStringLiteral("Vokabeltest"), lesson), Today(),
                    QStringLiteral("Name: ______________________________")});
    job.SetKeyHeading({Titled(QStringLiteral("Lösungsblatt"), lesson), Today(), {}});
    job.SetHeader(0.6);
    job.SetIndexColumn(true);
    job.SetIndexStart(1);
    // The same word twice would give its answer away.
    job.SetDistinctRows(true);
    job.SetAnswerKeyField(answerKey ? (german ? core::field::kForeign : core::field::kGerman) : QString());
    job.SetRowsPerPage(20);
    job.SetDataSource(&vocabulary);
    job.SetPageCellBorders({cbTop, cbBottom});
    job.SetVisibleFields({german ? core::field::kGerman : core::field::kForeign});
    job.SetTitle(QStringLiteral("Vokabeltest"));
    job.EndUpdate();
    job.Update();
}

} // namespace printing
