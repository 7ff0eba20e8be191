// SPDX-License-Identifier: GPL-3.0-or-later
// The vocabulary's printed pages: flash cards drawn record by record, and the
// settings that turn the table grid job into a vocabulary list or a test.
#pragma once

#include "pjdbgrid.h"
#include "psjob.h"

namespace ts {
class Table;
}

namespace printing {

// The blank edge of every printed page: printers cannot print the outer
// millimetres, and a card reaching into them comes out cut.
inline constexpr double PageMarginMm = 12;

// Where the cards of a C x R page lie, in page pixels: the grid fills
// `area` (the page inside its margins). The back of the sheet is the front
// mirrored about the middle of the page, so a card's back lands behind its
// front when the sheet is turned over about its vertical axis, whatever
// margins the printer forced.
struct FlashCardGeometry {
    int left, top, colW, rowH, pageWidth;
    FlashCardGeometry(const TRect& area, int pageWidth, int columns, int rows);
    // Centre of the card at column c (counted on the front), row r.
    int centreX(int c, bool front) const {
        const int x = left + c * colW + colW / 2;
        return front ? x : pageWidth - x;
    }
    int centreY(int r) const { return top + r * rowH + rowH / 2; }
};

// Pages needed for `records` cards, at least one.
int flashCardPageCount(int records, int columns, int rows);

// Draws flash-card page `page` (from 1) of the table's current view into the
// page area `area` of a page `pageWidth` wide: the German words with cutting
// lines round every card, or the foreign words mirrored without lines, so
// that the two sides meet back to back. A page past the last record stays
// empty.
void DrawFlashCardPage(TPrintCanvas& canvas, ts::Table& table, const TRect& area, int pageWidth, int columns, int rows,
                       bool germanSide, int page);

// The fixed settings of the two jobs.
void setupFlashCardJob(TPrintJob& job);
void setupVocabularyGridJob(TDBGridPrintJob& job);

// A list: a title line with the lesson, 30 rows, columns separated by
// vertical lines, all fields but ID.
void applyVocabularyListSettings(TDBGridPrintJob& job, ts::Table& vocabulary, const QString& lesson = {});
// A test: a line with the lesson, the date and room for the name, 20 ruled
// and numbered rows and one column, German or foreign, no word twice; with
// `answerKey` the pages after the test repeat its rows with the answers.
void applyVocabularyTestSettings(TDBGridPrintJob& job, ts::Table& vocabulary, bool german, const QString& lesson = {},
                                 bool answerKey = false);

} // namespace printing
