// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter_lexer.h"
#include "tableerror.h"

#include <QCoreApplication>

namespace ts::filter::lexer {
namespace {

QString tr(const char* s) {
    return QCoreApplication::translate("ts", s);
}

class Lexer {
public:
    Lexer(const QString& src, const QString& whole) : s_(src), whole_(whole) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        int i = 0;
        const int n = int(s_.size());
        while (true) {
            while (i < n && s_.at(i).isSpace())
                ++i;
            Token t;
            t.pos = i;
            if (i >= n) {
                out.push_back(t);
                return out;
            }
            const QChar c = s_.at(i);
            if (c == u'\'') {
                QString lit;
                ++i;
                while (true) {
                    if (i >= n)
                        fail(whole_, tr("Text ohne schließendes Hochkomma."));
                    if (s_.at(i) == u'\'') {
                        if (i + 1 < n && s_.at(i + 1) == u'\'') {
                            lit += u'\'';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    lit += s_.at(i++);
                }
                t.kind = Token::String;
                t.text = lit;
            } else if (c == u'[') {
                const int close = int(s_.indexOf(u']', i + 1));
                if (close < 0)
                    fail(whole_, tr("Feldname ohne schließende Klammer."));
                t.kind = Token::Ident;
                t.text = s_.mid(i + 1, close - i - 1);
                i = close + 1;
            } else if (c.isDigit() || (c == u'.' && i + 1 < n && s_.at(i + 1).isDigit())) {
                const int start = i;
                while (i < n && s_.at(i).isDigit())
                    ++i;
                if (i < n && s_.at(i) == u'.') {
                    ++i;
                    while (i < n && s_.at(i).isDigit())
                        ++i;
                }
                if (i < n && (s_.at(i) == u'e' || s_.at(i) == u'E')) {
                    int j = i + 1;
                    if (j < n && (s_.at(j) == u'+' || s_.at(j) == u'-'))
                        ++j;
                    if (j < n && s_.at(j).isDigit()) {
                        i = j;
                        while (i < n && s_.at(i).isDigit())
                            ++i;
                    }
                }
                t.kind = Token::Number;
                t.text = s_.mid(start, i - start);
            } else if (c.isLetter() || c == u'_') {
                const int start = i;
                while (i < n && (s_.at(i).isLetterOrNumber() || s_.at(i) == u'_'))
                    ++i;
                t.kind = Token::Ident;
                t.text = s_.mid(start, i - start);
            } else if (c == u'(') {
                t.kind = Token::LParen;
                ++i;
            } else if (c == u')') {
                t.kind = Token::RParen;
                ++i;
            } else if (c == u',') {
                t.kind = Token::Comma;
                ++i;
            } else if (c == u'<' || c == u'>' || c == u'=' || c == u'-') {
                t.kind = Token::Op;
                if (i + 1 < n && ((c == u'<' && (s_.at(i + 1) == u'>' || s_.at(i + 1) == u'=')) ||
                                  (c == u'>' && s_.at(i + 1) == u'='))) {
                    t.text = s_.mid(i, 2);
                    i += 2;
                } else {
                    t.text = c;
                    ++i;
                }
            } else {
                fail(whole_, tr("Unerwartetes Zeichen '%1' an Stelle %2.").arg(c).arg(i + 1));
            }
            out.push_back(t);
        }
    }

private:
    const QString& s_;
    const QString& whole_;
};

} // namespace

void fail(const QString& expression, const QString& detail) {
    throw TableError(tr("Ungültiger Filterausdruck \"%1\": %2").arg(expression, detail));
}

std::vector<Token> tokenize(const QString& expression) {
    return Lexer(expression, expression).run();
}

} // namespace ts::filter::lexer
