// SPDX-License-Identifier: GPL-3.0-or-later
// The lessons a printout can be limited to, and the words each holds.
#pragma once

#include <QString>

#include <vector>

namespace core {
class Database;
}

namespace printing {

struct PrintLesson {
    int id = -1;
    QString name;
};

// German collation (umlauts beside their base letters), as the table orders.
bool germanLess(const QString& a, const QString& b);

// The lessons of the current language: "ALLE VOKABELN" first, the others in
// German order. The tables keep their filters and cursors.
std::vector<PrintLesson> lessonsOfCurrentLanguage(core::Database& db);

// The vocabulary IDs of a lesson, ascending and each once.
std::vector<int> wordsOfLesson(core::Database& db, int lessonId);

// A filter clause selecting exactly the given IDs, none when empty.
QString idFilterClause(const std::vector<int>& ascendingIds);

} // namespace printing
