// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter.h"
#include "filter_lexer.h"
#include "tableerror.h"

#include <QCoreApplication>
#include <algorithm>
#include <unordered_set>
#include <cstring>

namespace ts {
namespace filter {

enum class Tri : uint8_t { False, True, Unknown };

namespace {

using lexer::Token;

QString tr(const char* s) {
    return QCoreApplication::translate("ts", s);
}
using lexer::fail;

enum class CmpOp { Eq, Ne, Lt, Gt, Le, Ge };

} // namespace

// ---------------------------------------------------------------- values

struct Val {
    enum Kind : uint8_t { Null, Num, Str } kind = Null;
    double num = 0;
    text::View str;
};

// One side of a comparison: a constant, a stored column or a looked-up field.
class Operand {
public:
    enum Kind { Const, ColumnRef, LookupRef } kind = Const;
    Val constant;
    std::u16string constText;
    const Column* column = nullptr;
    int field = -1;
    FieldType type = FieldType::String;
    bool ci = false;
    const Filter::LookupFn* lookup = nullptr;
    mutable std::u16string scratch;

    bool isNumericField() const { return kind != Const && type != FieldType::String; }

    Val fetch(RowId r) const {
        if (kind == Const) {
            Val v = constant;
            if (v.kind == Val::Str)
                v.str = constText; // never cached: the operand may have moved
            return v;
        }
        if (kind == ColumnRef) {
            if (column->null[r])
                return {};
            switch (type) {
            case FieldType::Integer:
                return {Val::Num, double(column->ints[r]), {}};
            case FieldType::Float:
                return {Val::Num, column->floats[r], {}};
            case FieldType::String:
                return {Val::Str, 0, ci ? column->foldedText().row(r) : column->strings.get(r)};
            }
        }
        const QVariant v = (*lookup)(r, field);
        if (!v.isValid() || v.isNull())
            return {};
        if (type != FieldType::String)
            return {Val::Num, v.toDouble(), {}};
        const QString s = v.toString();
        scratch = ci ? text::lowered(text::view(s)) : std::u16string(text::view(s));
        return {Val::Str, 0, scratch};
    }

    // A text view of the value, numbers written out (for LIKE).
    text::View fetchText(RowId r, bool& isNull) const {
        const Val v = fetch(r);
        isNull = v.kind == Val::Null;
        if (v.kind != Val::Num)
            return v.str;
        scratch = std::u16string(text::view(QString::number(v.num, 'g', 17)));
        return scratch;
    }
};

// ---------------------------------------------------------------- nodes

class Node {
public:
    virtual ~Node() = default;
    virtual Tri eval(RowId r) const = 0;

    // Rows of `cand` (ascending) where the node is true, or false.
    virtual std::vector<RowId> select(const std::vector<RowId>& cand, bool all, bool wantTrue) const {
        (void)all;
        std::vector<RowId> out;
        const Tri want = wantTrue ? Tri::True : Tri::False;
        for (RowId r : cand)
            if (eval(r) == want)
                out.push_back(r);
        return out;
    }
};

namespace {

std::vector<RowId> unite(const std::vector<RowId>& a, const std::vector<RowId>& b) {
    std::vector<RowId> out;
    out.reserve(a.size() + b.size());
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

// AND and OR hold their whole chain "a AND b AND c ..." as one node, so a
// long chain costs no stack depth when evaluated.
class AndNode : public Node {
public:
    explicit AndNode(std::vector<std::unique_ptr<Node>> parts) : parts_(std::move(parts)) {}
    Tri eval(RowId r) const override {
        Tri out = Tri::True;
        for (const auto& p : parts_) {
            const Tri t = p->eval(r);
            if (t == Tri::False)
                return Tri::False;
            if (t == Tri::Unknown)
                out = Tri::Unknown;
        }
        return out;
    }
    std::vector<RowId> select(const std::vector<RowId>& cand, bool all, bool wantTrue) const override {
        if (wantTrue) {
            std::vector<RowId> rows = parts_.front()->select(cand, all, true);
            for (size_t i = 1; i < parts_.size(); ++i)
                rows = parts_[i]->select(rows, false, true);
            return rows;
        }
        std::vector<RowId> rows;
        for (const auto& p : parts_)
            rows = unite(rows, p->select(cand, all, false));
        return rows;
    }

private:
    std::vector<std::unique_ptr<Node>> parts_;
};

class OrNode : public Node {
public:
    explicit OrNode(std::vector<std::unique_ptr<Node>> parts) : parts_(std::move(parts)) {}
    Tri eval(RowId r) const override {
        Tri out = Tri::False;
        for (const auto& p : parts_) {
            const Tri t = p->eval(r);
            if (t == Tri::True)
                return Tri::True;
            if (t == Tri::Unknown)
                out = Tri::Unknown;
        }
        return out;
    }
    std::vector<RowId> select(const std::vector<RowId>& cand, bool all, bool wantTrue) const override {
        if (!wantTrue) {
            std::vector<RowId> rows = parts_.front()->select(cand, all, false);
            for (size_t i = 1; i < parts_.size(); ++i)
                rows = parts_[i]->select(rows, false, false);
            return rows;
        }
        std::vector<RowId> rows;
        for (const auto& p : parts_)
            rows = unite(rows, p->select(cand, all, true));
        return rows;
    }

private:
    std::vector<std::unique_ptr<Node>> parts_;
};

class NotNode : public Node {
public:
    explicit NotNode(std::unique_ptr<Node> c) : c_(std::move(c)) {}
    Tri eval(RowId r) const override {
        const Tri a = c_->eval(r);
        return a == Tri::Unknown ? a : (a == Tri::True ? Tri::False : Tri::True);
    }
    std::vector<RowId> select(const std::vector<RowId>& cand, bool all, bool wantTrue) const override {
        return c_->select(cand, all, !wantTrue);
    }

private:
    std::unique_ptr<Node> c_;
};

class TrueNode : public Node {
public:
    Tri eval(RowId) const override { return Tri::True; }
};

int compareVals(const Val& a, const Val& b) {
    if (a.kind == Val::Num && b.kind == Val::Num)
        return a.num < b.num ? -1 : (a.num > b.num ? 1 : 0);
    if (a.kind == Val::Str && b.kind == Val::Str) {
        const int c = a.str.compare(b.str);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    // A number against a text (two fields of different types): numbers first.
    return a.kind == Val::Num ? -1 : 1;
}

class CmpNode : public Node {
public:
    CmpNode(CmpOp op, Operand a, Operand b) : op_(op), a_(std::move(a)), b_(std::move(b)) {}
    Tri eval(RowId r) const override {
        const Val x = a_.fetch(r);
        if (x.kind == Val::Null)
            return Tri::Unknown;
        const Val y = b_.fetch(r);
        if (y.kind == Val::Null)
            return Tri::Unknown;
        const int c = compareVals(x, y);
        bool res = false;
        switch (op_) {
        case CmpOp::Eq:
            res = c == 0;
            break;
        case CmpOp::Ne:
            res = c != 0;
            break;
        case CmpOp::Lt:
            res = c < 0;
            break;
        case CmpOp::Gt:
            res = c > 0;
            break;
        case CmpOp::Le:
            res = c <= 0;
            break;
        case CmpOp::Ge:
            res = c >= 0;
            break;
        }
        return res ? Tri::True : Tri::False;
    }

private:
    CmpOp op_;
    Operand a_, b_;
};

class IsNullNode : public Node {
public:
    explicit IsNullNode(Operand a) : a_(std::move(a)) {}
    Tri eval(RowId r) const override { return a_.fetch(r).kind == Val::Null ? Tri::True : Tri::False; }

private:
    Operand a_;
};

// "a IN (v1, v2, ...)": true when a equals one of the values; one look-up
// per row however long the list, so a list of many thousand values (the
// words of a lesson) costs no more than one comparison.
class InNode : public Node {
public:
    InNode(Operand a, const std::vector<Operand>& values) : a_(std::move(a)) {
        for (const Operand& v : values) {
            if (v.constant.kind == Val::Num)
                numbers_.insert(v.constant.num + 0.0); // -0 and 0 hash alike
            else
                texts_.insert(v.constText);
        }
    }
    Tri eval(RowId r) const override {
        const Val x = a_.fetch(r);
        if (x.kind == Val::Null)
            return Tri::Unknown;
        const bool in = x.kind == Val::Num ? numbers_.count(x.num + 0.0) > 0 : texts_.count(std::u16string(x.str)) > 0;
        return in ? Tri::True : Tri::False;
    }

private:
    Operand a_;
    std::unordered_set<double> numbers_;
    std::unordered_set<std::u16string> texts_;
};

class LikeNode : public Node {
public:
    LikeNode(Operand a, Operand pattern) : a_(std::move(a)), p_(std::move(pattern)) {
        // "%text%" on a text column is the dictionary search: scan the column
        // as one block instead of row by row.
        if (a_.kind == Operand::ColumnRef && a_.type == FieldType::String && a_.ci && p_.kind == Operand::Const &&
            p_.constant.kind == Val::Str) {
            const text::View p = p_.constText;
            if (p.size() >= 3 && p.front() == u'%' && p.back() == u'%') {
                const text::View inner = p.substr(1, p.size() - 2);
                if (inner.find_first_of(u"%_") == text::View::npos)
                    needle_ = std::u16string(inner);
            }
        }
    }

    Tri eval(RowId r) const override {
        bool null = false;
        const text::View s = a_.fetchText(r, null);
        if (null)
            return Tri::Unknown;
        bool pnull = false;
        const text::View p = p_.fetchText(r, pnull);
        if (pnull)
            return Tri::Unknown;
        return text::likeMatch(s, p) ? Tri::True : Tri::False;
    }

    std::vector<RowId> select(const std::vector<RowId>& cand, bool all, bool wantTrue) const override {
        if (!all || needle_.empty() || !wantTrue)
            return Node::select(cand, all, wantTrue);
        return scanColumn(cand);
    }

private:
    std::vector<RowId> scanColumn(const std::vector<RowId>& cand) const {
        const FoldedText& ft = a_.column->foldedText();
        std::vector<RowId> hits;
        const char16_t* hay = ft.chars.data();
        const size_t n = ft.chars.size();
        const size_t m = needle_.size();
        const char16_t first = needle_[0];
        // memchr on the low byte of the first character is far faster than a
        // general substring search; candidates are then checked in full.
        const unsigned char low = static_cast<unsigned char>(first & 0xFF);
        const char* bytes = reinterpret_cast<const char*>(hay);
        const size_t nbytes = n * 2;
        size_t pos = 0;
        RowId row = 0;
        const RowId nrows = RowId(ft.start.size() - 1);
        while (pos < nbytes) {
            const void* f = std::memchr(bytes + pos, low, nbytes - pos);
            if (!f)
                break;
            const size_t at = size_t(static_cast<const char*>(f) - bytes);
            pos = at + 1;
            if (at % 2)
                continue;
            const size_t unit = at / 2;
            if (hay[unit] != first || unit + m > n ||
                std::memcmp(hay + unit + 1, needle_.data() + 1, (m - 1) * sizeof(char16_t)) != 0)
                continue;
            while (row + 1 <= nrows && ft.start[row + 1] <= unit)
                ++row;
            if (unit + m < ft.start[row + 1]) {
                if (!a_.column->null[row])
                    hits.push_back(row);
                pos = size_t(ft.start[row + 1]) * 2; // one hit per row is enough
            }
        }
        // Keep only the candidates (all live rows): drop tombstones.
        std::vector<RowId> out;
        out.reserve(hits.size());
        std::set_intersection(hits.begin(), hits.end(), cand.begin(), cand.end(), std::back_inserter(out));
        return out;
    }

    Operand a_, p_;
    std::u16string needle_;
};

// ---------------------------------------------------------------- parser

class Parser {
public:
    Parser(const QString& whole, std::vector<Token> toks, const TableData& data, bool ci,
           const Filter::LookupFn* lookup)
        : whole_(whole), t_(std::move(toks)), data_(data), ci_(ci), lookup_(lookup) {}

    std::unique_ptr<Node> parse() {
        if (peek().kind == Token::End)
            return std::make_unique<TrueNode>();
        auto n = parseOr();
        if (peek().kind != Token::End)
            fail(whole_, tr("Unerwartetes \"%1\" an Stelle %2.").arg(describe(peek())).arg(peek().pos + 1));
        return n;
    }

private:
    const Token& peek() const { return t_[i_]; }
    Token take() { return t_[i_ < t_.size() - 1 ? i_++ : i_]; }
    bool isKeyword(const Token& t, const char* kw) const {
        return t.kind == Token::Ident && t.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }
    bool acceptKeyword(const char* kw) {
        if (isKeyword(peek(), kw)) {
            take();
            return true;
        }
        return false;
    }
    static QString describe(const Token& t) {
        switch (t.kind) {
        case Token::End:
            return tr("Ende");
        case Token::String:
            return u'\'' + t.text + u'\'';
        case Token::LParen:
            return QStringLiteral("(");
        case Token::RParen:
            return QStringLiteral(")");
        default:
            return t.text;
        }
    }

    template <typename ChainNode> static std::unique_ptr<Node> chain(std::vector<std::unique_ptr<Node>> parts) {
        if (parts.size() == 1)
            return std::move(parts.front());
        return std::make_unique<ChainNode>(std::move(parts));
    }
    std::unique_ptr<Node> parseOr() {
        std::vector<std::unique_ptr<Node>> parts;
        parts.push_back(parseAnd());
        while (acceptKeyword("OR"))
            parts.push_back(parseAnd());
        return chain<OrNode>(std::move(parts));
    }
    std::unique_ptr<Node> parseAnd() {
        std::vector<std::unique_ptr<Node>> parts;
        parts.push_back(parseNot());
        while (acceptKeyword("AND"))
            parts.push_back(parseNot());
        return chain<AndNode>(std::move(parts));
    }
    std::unique_ptr<Node> parseNot() {
        if (acceptKeyword("NOT")) {
            Nesting deeper(*this);
            return std::make_unique<NotNode>(parseNot());
        }
        return parsePrimary();
    }

    // Parentheses and NOT nest by recursion; a depth no person writes is
    // refused before it can exhaust the stack.
    static constexpr int kMaxNesting = 100;
    struct Nesting {
        Parser& p;
        explicit Nesting(Parser& parser) : p(parser) {
            if (++p.depth_ > kMaxNesting)
                fail(p.whole_, tr("Der Ausdruck ist zu tief verschachtelt (mehr als %1 Ebenen).").arg(kMaxNesting));
        }
        ~Nesting() { --p.depth_; }
    };

    std::unique_ptr<Node> parsePrimary() {
        if (peek().kind == Token::LParen) {
            take();
            Nesting deeper(*this);
            auto n = parseOr();
            if (peek().kind != Token::RParen)
                fail(whole_, tr("Schließende Klammer fehlt an Stelle %1.").arg(peek().pos + 1));
            take();
            return n;
        }
        Operand a = parseOperand();
        if (acceptKeyword("IS")) {
            const bool neg = acceptKeyword("NOT");
            if (!acceptKeyword("NULL"))
                fail(whole_, tr("Nach IS wird NULL erwartet."));
            std::unique_ptr<Node> n = std::make_unique<IsNullNode>(std::move(a));
            return neg ? std::make_unique<NotNode>(std::move(n)) : std::move(n);
        }
        if (acceptKeyword("IN"))
            return parseIn(std::move(a));
        bool neg = false;
        if (isKeyword(peek(), "NOT")) {
            take();
            neg = true;
            if (!isKeyword(peek(), "LIKE"))
                fail(whole_, tr("Nach NOT wird LIKE erwartet."));
        }
        if (acceptKeyword("LIKE")) {
            Operand p = parseOperand();
            std::unique_ptr<Node> n = std::make_unique<LikeNode>(std::move(a), std::move(p));
            return neg ? std::make_unique<NotNode>(std::move(n)) : std::move(n);
        }
        const Token op = take();
        CmpOp cmp;
        if (op.kind != Token::Op || op.text == u"-")
            fail(whole_,
                 tr("Vergleichsoperator erwartet an Stelle %1, gefunden: %2.").arg(op.pos + 1).arg(describe(op)));
        if (op.text == u"=")
            cmp = CmpOp::Eq;
        else if (op.text == u"<>")
            cmp = CmpOp::Ne;
        else if (op.text == u"<")
            cmp = CmpOp::Lt;
        else if (op.text == u">")
            cmp = CmpOp::Gt;
        else if (op.text == u"<=")
            cmp = CmpOp::Le;
        else
            cmp = CmpOp::Ge;
        Operand b = parseOperand();
        coerce(a, b);
        coerce(b, a);
        return std::make_unique<CmpNode>(cmp, std::move(a), std::move(b));
    }

    // "IN ( value, value, ... )" after the field: constants only.
    std::unique_ptr<Node> parseIn(Operand a) {
        if (a.kind == Operand::Const)
            fail(whole_, tr("Vor IN wird ein Feldname erwartet."));
        if (peek().kind != Token::LParen)
            fail(whole_, tr("Nach IN wird eine Klammer erwartet."));
        take();
        std::vector<Operand> values;
        while (true) {
            const int pos = peek().pos;
            Operand v = parseOperand();
            if (v.kind != Operand::Const)
                fail(whole_, tr("In der Liste nach IN stehen nur Werte (Stelle %1).").arg(pos + 1));
            coerce(v, a);
            values.push_back(std::move(v));
            const Token t = take();
            if (t.kind == Token::RParen)
                break;
            if (t.kind != Token::Comma)
                fail(whole_, tr("Komma oder schließende Klammer erwartet an Stelle %1.").arg(t.pos + 1));
        }
        return std::make_unique<InNode>(std::move(a), values);
    }

    // A quoted literal against a numeric field compares by value; a number
    // against a text field compares as the text it is written as.
    void coerce(Operand& lit, const Operand& other) {
        if (lit.kind != Operand::Const || other.kind == Operand::Const)
            return;
        if (lit.constant.kind == Val::Str && other.isNumericField()) {
            bool ok = false;
            const double d = text::toQString(lit.constText).trimmed().toDouble(&ok);
            if (!ok)
                fail(whole_, tr("'%1' ist keine Zahl.").arg(text::toQString(lit.constText)));
            lit.constant = {Val::Num, d, {}};
        } else if (lit.constant.kind == Val::Num && !other.isNumericField()) {
            lit.constant = {Val::Str, 0, {}};
        }
    }

    Operand parseOperand() {
        Token t = take();
        Operand o;
        o.ci = ci_;
        bool negative = false;
        if (t.kind == Token::Op && t.text == u"-") {
            negative = true;
            t = take();
            if (t.kind != Token::Number)
                fail(whole_, tr("Nach '-' wird eine Zahl erwartet."));
        }
        switch (t.kind) {
        case Token::String:
            o.constText = ci_ ? text::lowered(text::view(t.text)) : std::u16string(text::view(t.text));
            o.constant = {Val::Str, 0, {}};
            break;
        case Token::Number: {
            const QString written = negative ? u'-' + t.text : t.text;
            o.constText = std::u16string(text::view(written));
            o.constant = {Val::Num, written.toDouble(), {}};
            break;
        }
        case Token::Ident: {
            if (isKeyword(t, "AND") || isKeyword(t, "OR") || isKeyword(t, "NOT") || isKeyword(t, "LIKE") ||
                isKeyword(t, "IS") || isKeyword(t, "NULL"))
                fail(whole_, tr("Feldname oder Wert erwartet an Stelle %1, gefunden: %2.").arg(t.pos + 1).arg(t.text));
            int f = -1;
            for (size_t i = 0; i < data_.fields.size(); ++i)
                if (data_.fields[i].name.compare(t.text, Qt::CaseInsensitive) == 0) {
                    f = int(i);
                    break;
                }
            if (f < 0)
                fail(whole_, tr("Das Feld '%1' gibt es nicht.").arg(t.text));
            o.field = f;
            o.type = data_.fields[size_t(f)].type;
            if (data_.columnOf[size_t(f)] >= 0) {
                o.kind = Operand::ColumnRef;
                o.column = &data_.columns[size_t(data_.columnOf[size_t(f)])];
            } else {
                o.kind = Operand::LookupRef;
                o.lookup = lookup_;
            }
            break;
        }
        default:
            fail(whole_, tr("Feldname oder Wert erwartet an Stelle %1, gefunden: %2.").arg(t.pos + 1).arg(describe(t)));
        }
        return o;
    }

    const QString& whole_;
    std::vector<Token> t_;
    size_t i_ = 0;
    const TableData& data_;
    bool ci_;
    const Filter::LookupFn* lookup_;
    int depth_ = 0;
};

} // namespace
} // namespace filter

Filter::Filter(const QString& expression, const TableData& data, bool caseInsensitive, LookupFn lookup)
    : lookup_(std::move(lookup)) {
    filter::Parser p(expression, filter::lexer::tokenize(expression), data, caseInsensitive, &lookup_);
    root_ = p.parse();
}

Filter::~Filter() = default;

bool Filter::matches(RowId row) const {
    return root_->eval(row) == filter::Tri::True;
}

std::vector<RowId> Filter::select(const std::vector<RowId>& ascending, bool isAllRows) const {
    return root_->select(ascending, isAllRows, true);
}

QString quoteLiteral(QStringView text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'\'';
    for (QChar c : text) {
        if (c == u'\'')
            out += u'\'';
        out += c;
    }
    out += u'\'';
    return out;
}

} // namespace ts
