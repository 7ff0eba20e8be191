// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Character folding and comparison used for orderings, case-insensitive
// filters and type-ahead. Works on UTF-16 code units; every folding maps one
// unit to one unit (except ß in sort keys), so offsets stay comparable.
namespace ts::text {

using View = std::u16string_view;

inline View view(QStringView s) {
    return View(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size()));
}
inline QString toQString(View v) {
    return QString(reinterpret_cast<const QChar*>(v.data()), qsizetype(v.size()));
}

char16_t lower(char16_t c);
void appendLower(std::u16string& out, View s);
std::u16string lowered(View s);

// Primary sort key for German users: case and accents removed, ß as "ss", so
// umlauts sort beside their base letters.
void appendPrimaryKey(std::u16string& out, View s);

// Breaks a tie between two texts with equal primary keys: accented after
// plain, then lower case before upper case, then code units.
int compareTie(View a, View b);

// Full German comparison of two texts (primary key, then the tie rule).
int compareGerman(View a, View b);

// SQL LIKE with % (any run) and _ (one character); both sides already folded
// when a case-insensitive match is wanted.
bool likeMatch(View s, View pattern);

} // namespace ts::text
