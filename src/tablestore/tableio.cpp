// SPDX-License-Identifier: GPL-3.0-or-later
#include "tableio.h"
#include "tableerror.h"

#include <QCoreApplication>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>

namespace ts::io {
namespace {

QString tr(const char* s) {
    return QCoreApplication::translate("ts", s);
}

[[noreturn]] void bad(const QString& detail) {
    throw TableError(tr("Die Tabellendaten sind beschädigt oder haben ein unbekanntes Format: %1").arg(detail));
}

const char* typeName(FieldType t) {
    switch (t) {
    case FieldType::Integer:
        return "integer";
    case FieldType::Float:
        return "float";
    case FieldType::String:
        return "string";
    }
    return "string";
}

// ------------------------------------------------------------ XML writing

void putEscaped(std::string& out, text::View s) {
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD; // a lone half of a pair cannot be written as UTF-8
        }
        if (c < 0x80) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case 0:
                break; // XML cannot carry NUL, not even escaped
            default:
                if (c < 0x20) {
                    out += "&#";
                    out += std::to_string(c);
                    out += ';';
                } else {
                    out += char(c);
                }
            }
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

// ------------------------------------------------------------ XML reading

// UTF-8 to UTF-16 for attribute values, straight into the column's buffer.
// Only well-formed UTF-8 is taken: the program never writes anything else, so
// a stray byte means a damaged file, and saving it back would lose it.
void appendUtf8(std::u16string& out, const char* s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    auto invalid = [] { bad(tr("ungültige UTF-8-Zeichenfolge")); };
    while (*p) {
        uint32_t c = *p;
        if (c < 0x80) {
            out.push_back(char16_t(c));
            ++p;
            continue;
        }
        int extra = 0;
        uint32_t least = 0;
        if ((c & 0xE0) == 0xC0) {
            c &= 0x1F;
            extra = 1;
            least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            c &= 0x0F;
            extra = 2;
            least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            c &= 0x07;
            extra = 3;
            least = 0x10000;
        } else {
            invalid();
        }
        ++p;
        for (int k = 0; k < extra; ++k) {
            if ((*p & 0xC0) != 0x80)
                invalid(); // also the terminating NUL
            c = (c << 6) | (*p++ & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            invalid();
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(char16_t(0xD800 + (c >> 10)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(char16_t(c));
        }
    }
}

QString strictUtf8(const char* s) {
    std::u16string buf;
    appendUtf8(buf, s);
    return QString::fromUtf16(buf.data(), qsizetype(buf.size()));
}

QString xmlProblem(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_out_of_memory:
        return tr("nicht genug Arbeitsspeicher");
    case pugi::status_unrecognized_tag:
        return tr("unbekanntes Tag");
    case pugi::status_bad_pi:
        return tr("fehlerhafte Verarbeitungsanweisung");
    case pugi::status_bad_comment:
        return tr("fehlerhafter Kommentar");
    case pugi::status_bad_cdata:
        return tr("fehlerhafter CDATA-Abschnitt");
    case pugi::status_bad_doctype:
        return tr("fehlerhafte Dokumenttyp-Angabe");
    case pugi::status_bad_pcdata:
        return tr("fehlerhafter Text");
    case pugi::status_bad_start_element:
        return tr("fehlerhaftes Anfangs-Tag");
    case pugi::status_bad_attribute:
        return tr("fehlerhaftes Attribut");
    case pugi::status_bad_end_element:
        return tr("fehlerhaftes End-Tag");
    case pugi::status_end_element_mismatch:
        return tr("End-Tag passt nicht zum Anfangs-Tag");
    case pugi::status_no_document_element:
        return tr("kein Wurzelelement");
    default:
        return tr("unlesbares XML");
    }
}

// The program writes nothing but <fields> with <field/> and <rows> with
// <r/> into <table>: anything else there (a foreign element, an element
// inside a row, text) would silently become rows of empty fields.
void checkOnly(pugi::xml_node parent, const char* allowed) {
    for (pugi::xml_node n : parent.children()) {
        if (n.type() == pugi::node_comment || n.type() == pugi::node_pi)
            continue;
        if (n.type() != pugi::node_element)
            bad(tr("unerwarteter Text in <%1>").arg(QString::fromUtf8(parent.name())));
        if (std::strcmp(n.name(), allowed) != 0)
            bad(tr("unbekanntes Element <%1> in <%2>").arg(strictUtf8(n.name()), QString::fromUtf8(parent.name())));
        if (n.first_child())
            bad(tr("unerwarteter Inhalt in <%1>").arg(QString::fromUtf8(allowed)));
    }
}

FieldType parseType(const char* t) {
    if (!std::strcmp(t, "integer"))
        return FieldType::Integer;
    if (!std::strcmp(t, "float"))
        return FieldType::Float;
    if (!std::strcmp(t, "string"))
        return FieldType::String;
    bad(tr("unbekannter Feldtyp '%1'").arg(QString::fromUtf8(t)));
}

void checkNames(const std::vector<FieldDef>& defs) {
    for (size_t i = 0; i < defs.size(); ++i) {
        if (defs[i].name.isEmpty())
            bad(tr("Feld ohne Namen"));
        // The XML form cannot carry U+0000: such a name would be saved as
        // another one, or as none.
        if (defs[i].name.contains(QChar(0)))
            bad(tr("Feldname mit Nullzeichen"));
        for (size_t j = 0; j < i; ++j)
            if (defs[i].name.compare(defs[j].name, Qt::CaseInsensitive) == 0)
                bad(tr("Feld '%1' doppelt").arg(defs[i].name));
    }
}

TableData readXml(const QByteArray& bytes) {
    pugi::xml_document doc;
    const pugi::xml_parse_result res =
        doc.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_escapes, pugi::encoding_utf8);
    if (!res)
        bad(tr("XML-Fehler an Stelle %1: %2").arg(res.offset).arg(xmlProblem(res.status)));
    const pugi::xml_node root = doc.child("table");
    if (!root)
        bad(tr("kein Element <table>"));
    for (pugi::xml_node n : doc.children())
        if (n.type() == pugi::node_element && n != root)
            bad(tr("unbekanntes Element <%1> neben <table>").arg(strictUtf8(n.name())));
    for (pugi::xml_node n : root.children()) {
        if (n.type() == pugi::node_comment || n.type() == pugi::node_pi)
            continue;
        if (n.type() != pugi::node_element)
            bad(tr("unerwarteter Text in <table>"));
        if (std::strcmp(n.name(), "fields") != 0 && std::strcmp(n.name(), "rows") != 0)
            bad(tr("unbekanntes Element <%1> in <table>").arg(strictUtf8(n.name())));
        if (root.child(n.name()) != n)
            bad(tr("Element <%1> doppelt").arg(QString::fromUtf8(n.name())));
    }
    checkOnly(root.child("fields"), "field");
    checkOnly(root.child("rows"), "r");
    std::vector<FieldDef> defs;
    for (pugi::xml_node f : root.child("fields").children("field")) {
        for (pugi::xml_attribute a : f.attributes())
            if (std::strcmp(a.name(), "name") && std::strcmp(a.name(), "type") && std::strcmp(a.name(), "size"))
                bad(tr("unbekanntes Attribut '%1' eines Feldes").arg(strictUtf8(a.name())));
        FieldDef d;
        d.name = strictUtf8(f.attribute("name").value());
        d.type = parseType(f.attribute("type").value());
        d.size = f.attribute("size").as_int(0);
        if (d.size < 0)
            bad(tr("negative Feldgröße"));
        defs.push_back(std::move(d));
    }
    checkNames(defs);
    TableData data;
    data.setFields(defs);
    const size_t nf = defs.size();
    std::u16string buf;
    std::vector<uint8_t> seen(nf);
    for (pugi::xml_node r : root.child("rows").children("r")) {
        // Every column gets exactly one value per row: pushed in column order
        // (as written), so no cell is written twice.
        std::fill(seen.begin(), seen.end(), 0);
        size_t next = 0;
        data.alive.push_back(1);
        ++data.aliveCount;
        const RowId row = data.rowCount() - 1;
        for (pugi::xml_attribute a : r.attributes()) {
            const char* n = a.name();
            size_t col = 0;
            const size_t nlen = std::strlen(n);
            if (nlen < 2 || n[0] != 'c' || std::from_chars(n + 1, n + nlen, col).ptr != n + nlen || col >= nf)
                bad(tr("unbekanntes Attribut '%1'").arg(strictUtf8(n)));
            if (col < next || seen[col])
                bad(tr("Attribut '%1' doppelt oder nicht in Reihenfolge").arg(QString::fromUtf8(n)));
            for (; next < col; ++next)
                data.columns[next].pushNull();
            next = col + 1;
            seen[col] = 1;
            Column& c = data.columns[col];
            const char* v = a.value();
            const char* end = v + std::strlen(v);
            c.null.push_back(0);
            switch (c.type) {
            case FieldType::Integer: {
                int32_t x = 0;
                auto [p, ec] = std::from_chars(v, end, x);
                if (ec != std::errc() || p != end)
                    bad(tr("'%1' ist keine ganze Zahl (Feld '%2')").arg(QString::fromUtf8(v), defs[col].name));
                c.ints.push_back(x);
                break;
            }
            case FieldType::Float: {
                double x = 0;
                auto [p, ec] = std::from_chars(v, end, x);
                // The program never stores NaN or infinity; orderings could not
                // sort them.
                if (ec != std::errc() || p != end || !std::isfinite(x))
                    bad(tr("'%1' ist keine Zahl (Feld '%2')").arg(QString::fromUtf8(v), defs[col].name));
                c.floats.push_back(x);
                break;
            }
            case FieldType::String:
                buf.clear();
                appendUtf8(buf, v);
                c.strings.push(buf);
                break;
            }
        }
        for (; next < nf; ++next)
            data.columns[next].pushNull();
        (void)row;
    }
    data.shrink();
    return data;
}

// ------------------------------------------------------------ compact form

constexpr char kMagic[] = {'M', 'V', 'T', 'B', 1};

template <typename T> void put(QByteArray& out, T v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

class Reader {
public:
    explicit Reader(const QByteArray& b) : p_(b.constData()), end_(b.constData() + b.size()) {}
    template <typename T> T get() {
        T v;
        need(sizeof v);
        std::memcpy(&v, p_, sizeof v);
        p_ += sizeof v;
        return v;
    }
    const char* take(size_t n) {
        need(n);
        const char* at = p_;
        p_ += n;
        return at;
    }
    bool atEnd() const { return p_ == end_; }

private:
    void need(size_t n) const {
        if (size_t(end_ - p_) < n)
            bad(tr("Daten enden vorzeitig"));
    }
    const char* p_;
    const char* end_;
};

// memcpy of nothing from or to the empty vector's null pointer is undefined.
void copyBytes(void* to, const char* from, size_t n) {
    if (n)
        std::memcpy(to, from, n);
}

TableData readCompact(const QByteArray& bytes) {
    Reader in(bytes);
    in.take(sizeof kMagic);
    const uint32_t nf = in.get<uint32_t>();
    if (nf > 4096)
        bad(tr("zu viele Felder"));
    std::vector<FieldDef> defs;
    for (uint32_t i = 0; i < nf; ++i) {
        FieldDef d;
        const uint8_t t = in.get<uint8_t>();
        if (t > 2)
            bad(tr("unbekannter Feldtyp %1").arg(t));
        d.type = FieldType(t);
        d.size = in.get<int32_t>();
        if (d.size < 0)
            bad(tr("negative Feldgröße"));
        const uint32_t len = in.get<uint32_t>();
        d.name = QString::fromUtf8(in.take(len), qsizetype(len));
        defs.push_back(std::move(d));
    }
    checkNames(defs);
    const uint32_t nrows = in.get<uint32_t>();
    TableData data;
    data.setFields(defs);
    // Check the size against the bytes present before allocating anything
    // (a row takes at least one byte per field; a table without fields
    // still may not claim more rows than there are bytes).
    if (uint64_t(nrows) * std::max<uint32_t>(nf, 1) > uint64_t(bytes.size()))
        bad(tr("Zeilenzahl passt nicht zur Dateigröße"));
    for (uint32_t r = 0; r < nrows; ++r)
        data.appendRow();
    for (Column& c : data.columns) {
        copyBytes(c.null.data(), in.take(nrows), nrows);
        for (uint8_t& n : c.null)
            n = n ? 1 : 0;
        switch (c.type) {
        case FieldType::Integer:
            copyBytes(c.ints.data(), in.take(size_t(nrows) * 4), size_t(nrows) * 4);
            break;
        case FieldType::Float:
            copyBytes(c.floats.data(), in.take(size_t(nrows) * 8), size_t(nrows) * 8);
            for (uint32_t r = 0; r < nrows; ++r)
                if (!c.null[r] && !std::isfinite(c.floats[r]))
                    bad(tr("keine endliche Zahl im Feld '%1'").arg(defs[&c - data.columns.data()].name));
            break;
        case FieldType::String: {
            std::u16string buf;
            for (uint32_t r = 0; r < nrows; ++r) {
                const uint32_t len = in.get<uint32_t>();
                if (len > uint32_t(bytes.size()))
                    bad(tr("Textlänge passt nicht zur Dateigröße"));
                const char* at = in.take(size_t(len) * 2);
                buf.resize(len);
                copyBytes(buf.data(), at, size_t(len) * 2);
                c.strings.set(r, buf);
            }
            break;
        }
        }
    }
    if (!in.atEnd())
        bad(tr("überzählige Daten am Ende"));
    return data;
}

std::vector<FieldDef> storedFields(const TableData& d) {
    std::vector<FieldDef> out;
    for (size_t i = 0; i < d.fields.size(); ++i)
        if (d.columnOf[i] >= 0)
            out.push_back(d.fields[i]);
    return out;
}

} // namespace

QByteArray writeXml(const TableData& data) {
    const std::vector<FieldDef> defs = storedFields(data);
    std::string out;
    out.reserve(size_t(data.aliveCount) * 96 + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<table format=\"moriva-table\" version=\"1\">\n<fields>\n";
    for (const FieldDef& f : defs) {
        out += "<field name=\"";
        putEscaped(out, text::view(f.name));
        out += "\" type=\"";
        out += typeName(f.type);
        out += '"';
        if (f.type == FieldType::String) {
            out += " size=\"";
            out += std::to_string(f.size);
            out += '"';
        }
        out += "/>\n";
    }
    out += "</fields>\n<rows>\n";
    char num[64];
    for (RowId r = 0; r < data.rowCount(); ++r) {
        if (!data.alive[r])
            continue;
        out += "<r";
        for (size_t ci = 0; ci < data.columns.size(); ++ci) {
            const Column& c = data.columns[ci];
            if (c.null[r])
                continue;
            out += " c";
            out += std::to_string(ci);
            out += "=\"";
            switch (c.type) {
            case FieldType::Integer:
                out.append(num, std::to_chars(num, num + sizeof num, c.ints[r]).ptr);
                break;
            case FieldType::Float:
                out.append(num, std::to_chars(num, num + sizeof num, c.floats[r]).ptr);
                break;
            case FieldType::String:
                putEscaped(out, c.strings.get(r));
                break;
            }
            out += '"';
        }
        out += "/>\n";
    }
    out += "</rows>\n</table>\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

QByteArray writeCompact(const TableData& data) {
    const std::vector<FieldDef> defs = storedFields(data);
    QByteArray out;
    out.append(kMagic, sizeof kMagic);
    put<uint32_t>(out, uint32_t(defs.size()));
    for (const FieldDef& f : defs) {
        put<uint8_t>(out, uint8_t(f.type));
        put<int32_t>(out, f.size);
        const QByteArray n = f.name.toUtf8();
        put<uint32_t>(out, uint32_t(n.size()));
        out.append(n);
    }
    put<uint32_t>(out, data.aliveCount);
    for (const Column& c : data.columns) {
        for (RowId r = 0; r < data.rowCount(); ++r)
            if (data.alive[r])
                put<uint8_t>(out, c.null[r]);
        for (RowId r = 0; r < data.rowCount(); ++r) {
            if (!data.alive[r])
                continue;
            switch (c.type) {
            case FieldType::Integer:
                put<int32_t>(out, c.ints[r]);
                break;
            case FieldType::Float:
                put<double>(out, c.floats[r]);
                break;
            case FieldType::String: {
                const text::View s = c.strings.get(r);
                put<uint32_t>(out, uint32_t(s.size()));
                out.append(reinterpret_cast<const char*>(s.data()), qsizetype(s.size() * 2));
                break;
            }
            }
        }
    }
    return out;
}

TableData read(const QByteArray& bytes) {
    if (bytes.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return readCompact(bytes);
    return readXml(bytes);
}

TableData shapeTo(TableData&& loaded, const std::vector<FieldDef>& defined) {
    if (defined.empty())
        return std::move(loaded);
    std::vector<FieldDef> defs = defined;
    std::vector<int> source; // defined field -> loaded field, -1 if absent
    for (const FieldDef& d : defined) {
        int from = -1;
        for (size_t i = 0; i < loaded.fields.size(); ++i)
            if (loaded.columnOf[i] >= 0 && !d.lookup && loaded.fields[i].name.compare(d.name, Qt::CaseInsensitive) == 0)
                from = int(i);
        source.push_back(from);
    }
    for (size_t i = 0; i < loaded.fields.size(); ++i) // keep what the definition does not know
        if (loaded.columnOf[i] >= 0 && std::find(source.begin(), source.end(), int(i)) == source.end()) {
            defs.push_back(loaded.fields[i]);
            source.push_back(int(i));
        }
    TableData out;
    out.setFields(defs);
    out.alive = loaded.alive;
    out.aliveCount = loaded.aliveCount;
    for (size_t f = 0; f < defs.size(); ++f) {
        const int ci = out.columnOf[f];
        if (ci < 0)
            continue;
        Column& dst = out.columns[size_t(ci)];
        const int from = source[f];
        if (from >= 0 && loaded.fields[size_t(from)].type == dst.type) {
            dst = std::move(loaded.columns[size_t(loaded.columnOf[size_t(from)])]);
            continue;
        }
        for (RowId r = 0; r < loaded.rowCount(); ++r)
            dst.pushNull();
        if (from < 0)
            continue;
        const Column& src = loaded.columns[size_t(loaded.columnOf[size_t(from)])];
        for (RowId r = 0; r < loaded.rowCount(); ++r) {
            try {
                dst.set(r, convertForField(defs[f], src.get(r)));
            } catch (const TableError&) {
                // A value that does not fit the changed type stays empty.
            }
        }
    }
    return out;
}

} // namespace ts::io
