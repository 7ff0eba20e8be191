// SPDX-License-Identifier: GPL-3.0-or-later
#include "printlayouts.h"

#include "tablestore/table.h"
#include "core/fieldnames.h"

#include <cmath>

namespace printing {

namespace {
int Div(double a, int b) {
    return RoundToInt(a / b);
}

TFontSpec Arial(double points) {
    TFontSpec f;
    f.PointSize = points;
    return f;
}
} // namespace

FlashCardGeometry::FlashCardGeometry(int columns, int rows)
    : rowH(Div(6800, rows)), colW(Div(4850, columns)), textX0(Div(2425, columns)), textY0(Div(3400, rows)) {}

int flashCardPageCount(int records, int columns, int rows) {
    const int perPage = std::max(1, columns) * std::max(1, rows);
    return std::max(1, (records + perPage - 1) / perPage);
}

void DrawFlashCardPage(TPrintCanvas& canvas, ts::Table& table, int columns, int rows, bool germanSide, int page) {
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

    const FlashCardGeometry g(columns, rows);
    const int field = table.field(germanSide ? core::field::kGerman : core::field::kForeign);
    bool left = true;
    for (int i = 0; i < columns && left; ++i) {
        const int c = germanSide ? i : columns - 1 - i;
        for (int r = 0; r < rows; ++r) {
            canvas.TextOut(g.textX(c), g.textY(r), table.value(field).toString());
            table.next();
            if (table.eof()) {
                left = false;
                break;
            }
        }
    }
    if (!germanSide)
        return;
    // The lines run off the sheet and are cut by its edge.
    canvas.Pen.Width = 1;
    for (int k = 1; k <= rows; ++k)
        canvas.Line(0, k * g.rowH, 100000, k * g.rowH);
    for (int k = 1; k <= columns; ++k)
        canvas.Line(k * g.colW, 0, k * g.colW, 10000);
}

void setupFlashCardJob(TPrintJob& job) {
    job.BeginUpdate();
    job.SetPageUnits(unPixels);
    job.SetOrientation(orPortrait);
    job.SetOptions({});
    job.SetRelativeCoords(false);
    job.SetMarginsUnits(unPixels);
    job.SetMargins({120, 120, 104, 120});
    job.SetTitle(QStringLiteral("Karteikarten"));
    job.EndUpdate();
}

void setupVocabularyGridJob(TDBGridPrintJob& job) {
    job.BeginUpdate();
    job.SetPageUnits(unPixels);
    job.SetOrientation(orLandscape);
    job.SetOptions({joHeader, joFooter});
    job.SetHeaderUnits(unInches);
    job.SetHeader(0.3);
    job.SetFooterUnits(unInches);
    job.SetFooter(0.3);
    job.SetRelativeCoords(false);
    job.SetMarginsUnits(unInches);
    job.SetMargins({0.2, 0.2, 0.173, 0.173});
    job.SetHeaderFont(Arial(10));
    job.SetPageFont(Arial(10));
    job.SetFooterFont(Arial(12));
    job.SetHeaderCellBorders({cbTop, cbLeft, cbRight, cbBottom});
    job.SetFooterCellBorders({});
    job.SetTableBorders({});
    job.SetClipMode(cmEllipsis);
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

void applyVocabularyListSettings(TDBGridPrintJob& job, ts::Table& vocabulary) {
    job.BeginUpdate();
    job.SetRowsPerPage(30);
    job.SetDataSource(&vocabulary);
    job.SetPageCellBorders({cbLeft, cbRight});
    job.SetVisibleFields(core::field::kWordFields);
    job.SetTitle(QStringLiteral("Vokabelliste"));
    job.EndUpdate();
    job.Update();
}

void applyVocabularyTestSettings(TDBGridPrintJob& job, ts::Table& vocabulary, bool german) {
    job.BeginUpdate();
    job.SetRowsPerPage(20);
    job.SetDataSource(&vocabulary);
    job.SetPageCellBorders({cbTop, cbBottom});
    job.SetVisibleFields({german ? core::field::kGerman : core::field::kForeign});
    job.SetTitle(QStringLiteral("Vokabeltest"));
    job.EndUpdate();
    job.Update();
}

} // namespace printing
