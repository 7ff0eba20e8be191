// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// The words of a filter expression, for the parser in filter.cpp.
namespace ts::filter::lexer {

struct Token {
    enum Kind { End, Ident, String, Number, Op, LParen, RParen, Comma } kind = End;
    QString text; // identifier name, literal content, operator
    int pos = 0;
};

// Throws TableError with a German message on a character that belongs to no
// word or an unclosed literal or [field name]. The last token is End.
std::vector<Token> tokenize(const QString& expression);

// Refuses `expression` with the German message every filter error shares.
[[noreturn]] void fail(const QString& expression, const QString& detail);

} // namespace ts::filter::lexer
