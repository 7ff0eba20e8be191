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

// Where the cards of a C x R page lie, in page pixels of the design page
// (A4 at 600 dpi); the values are not scaled to the printer.
struct FlashCardGeometry {
    int rowH, colW, textX0, textY0;
    FlashCardGeometry(int columns, int rows);
    // Reference point of the card text at column c, row r.
    int textX(int c) const { return c * colW + textX0; }
    int textY(int r) const { return r * rowH + textY0; }
};

// Pages needed for `records` cards, at least one.
int flashCardPageCount(int records, int columns, int rows);

// Draws flash-card page `page` (from 1) of the table's current view: the
// German words with cutting lines, or the foreign words in mirrored columns
// without lines, so that the two sides meet back to back when the sheet is
// turned over about its vertical axis. A page past the last record stays
// empty.
void DrawFlashCardPage(TPrintCanvas& canvas, ts::Table& table, int columns, int rows, bool germanSide, int page);

// The fixed settings of the two jobs.
void setupFlashCardJob(TPrintJob& job);
void setupVocabularyGridJob(TDBGridPrintJob& job);

// A list: 30 rows, columns separated by vertical lines, all fields but ID.
void applyVocabularyListSettings(TDBGridPrintJob& job, ts::Table& vocabulary);
// A test: 20 ruled rows and one column, German or foreign.
void applyVocabularyTestSettings(TDBGridPrintJob& job, ts::Table& vocabulary, bool german);

} // namespace printing
