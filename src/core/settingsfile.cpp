// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsfile.h"

#include <QStringList>
#include <algorithm>
#include <optional>

namespace core::settingsfile {

namespace {

constexpr char kHeader[] = "Moriva Vokabeltrainer settings 1";

QString escapeText(const QString& s) {
    QString out;
    for (QChar c : s) {
        switch (c.unicode()) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at `i` (on the opening quote); returns the
// position after the closing quote, or -1.
int unescapeText(const QString& line, int i, QString& out) {
    if (i >= line.size() || line.at(i) != u'"')
        return -1;
    for (++i; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'"')
            return i + 1;
        if (c == u'\\' && i + 1 < line.size()) {
            const QChar e = line.at(++i);
            out += e == u'n' ? QChar(u'\n') : e == u'r' ? QChar(u'\r') : e;
        } else {
            out += c;
        }
    }
    return -1;
}

// Key paths hold the level separator '\' themselves; line breaks and '%' are
// percent-encoded so every key stays on one line.
QString escapePath(const QString& s) {
    QString out;
    for (QChar c : s) {
        if (c == u'%' || c == u'\n' || c == u'\r')
            out += QString("%%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString unescapePath(const QString& s) {
    if (!s.contains(u'%'))
        return s;
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        bool ok = false;
        if (s.at(i) == u'%' && i + 2 < s.size()) {
            const int code = s.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += s.at(i);
    }
    return out;
}

} // namespace

QString normalPath(const QString& path) {
    // Paths as the program writes them have no empty level: kept as they are.
    if (!path.startsWith(u'\\') && !path.endsWith(u'\\') && !path.contains(QLatin1String("\\\\")))
        return path;
    QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    return parts.join(u'\\');
}

bool withinDepth(const QString& path) {
    const QString p = normalPath(path);
    return p.isEmpty() || p.count(u'\\') < kMaxDepth;
}

Tree::Tree() {
    add(QString());
}

size_t Tree::add(const QString& normalPath) {
    keys.push_back(Key{normalPath, {}});
    byFolded_.insert(normalPath.toCaseFolded(), keys.size() - 1);
    return keys.size() - 1;
}

size_t Tree::key(const QString& path) {
    const QString p = normalPath(path);
    if (const auto it = byFolded_.constFind(p.toCaseFolded()); it != byFolded_.constEnd())
        return *it;
    // Missing levels are added from the top down, each one a key of its own,
    // as the registry does. Looked for from the bottom up: the parent is
    // mostly there already (a file lists it first).
    std::vector<QString> missing{p};
    for (qsizetype cut = p.lastIndexOf(u'\\'); cut > 0; cut = p.lastIndexOf(u'\\', cut - 1)) {
        QString level = p.left(cut);
        if (byFolded_.contains(level.toCaseFolded()))
            break;
        missing.push_back(std::move(level));
    }
    size_t found = 0;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        found = add(*it);
    return found;
}

const Key* Tree::find(const QString& path) const {
    const auto it = byFolded_.constFind(normalPath(path).toCaseFolded());
    return it == byFolded_.constEnd() ? nullptr : &keys[*it];
}

Tree parse(const QByteArray& bytes, ParseReport* report) {
    ParseReport r;
    Tree t;
    std::optional<size_t> cur = 0;
    // (key index, folded value name) -> index in that key's values: a key
    // with thousands of values still reads in linear time.
    QHash<std::pair<size_t, QString>, size_t> valueAt;
    const QString text = QString::fromUtf8(bytes);
    const QStringView all(text);
    bool firstLine = true;
    for (qsizetype from = 0; from <= all.size();) {
        qsizetype to = all.indexOf(u'\n', from);
        if (to < 0)
            to = all.size();
        QStringView line = all.sliced(from, to - from);
        from = to + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (firstLine) {
            firstLine = false;
            if (line == QLatin1String(kHeader)) {
                r.header = true;
                continue;
            }
        }
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString path = unescapePath(line.sliced(1, line.size() - 2).toString());
            if (normalPath(path).isEmpty())
                r.rootKey = true;
            cur = withinDepth(path) ? std::optional(t.key(path)) : std::nullopt;
            continue;
        }
        if (!cur) {
            ++r.skippedLines;
            continue;
        }
        const QString owned = line.toString();
        Value v;
        const int after = unescapeText(owned, 0, v.name);
        if (after < 0 || after >= owned.size() || owned.at(after) != u'=') {
            ++r.skippedLines;
            continue;
        }
        const QStringView rest = QStringView(owned).sliced(after + 1);
        if (rest.startsWith(QLatin1String("dword:"))) {
            bool ok = false;
            v.number = int(rest.sliced(6).toUInt(&ok, 16));
            if (!ok) {
                ++r.skippedLines;
                continue;
            }
            v.isInt = true;
        } else if (unescapeText(rest.toString(), 0, v.text) != int(rest.size())) {
            ++r.skippedLines;
            continue;
        }
        auto& values = t.keys[*cur].values;
        const auto slot = std::pair(*cur, v.name.toCaseFolded());
        if (const auto it = valueAt.constFind(slot); it != valueAt.constEnd()) {
            values[*it] = std::move(v);
        } else {
            valueAt.insert(slot, values.size());
            values.push_back(std::move(v));
        }
    }
    if (report)
        *report = r;
    return t;
}

QString oversized() {
    return QStringLiteral("größer als %1 MB").arg(kMaxFileSize / (1024 * 1024));
}

QString damage(const QByteArray& bytes) {
    if (bytes.size() > kMaxFileSize)
        return oversized();
    if (bytes.isEmpty())
        return QStringLiteral("leer");
    if (bytes.contains('\0'))
        return QStringLiteral("enthält Nullbytes");
    if (!bytes.isValidUtf8())
        return QStringLiteral("keine gültige UTF-8-Kodierung");
    ParseReport r;
    parse(bytes, &r);
    if (!r.header)
        return QStringLiteral("unbekannter Dateikopf");
    if (!r.rootKey)
        return QStringLiteral("unvollständig");
    if (r.skippedLines > 0)
        return QStringLiteral("%1 unlesbare Zeilen").arg(r.skippedLines);
    return QString();
}

QByteArray format(const Tree& tree) {
    QByteArray out(kHeader);
    out += '\n';
    std::vector<const Key*> keys;
    for (const Key& k : tree.keys)
        keys.push_back(&k);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const Key* a, const Key* b) { return a->path.compare(b->path, Qt::CaseInsensitive) < 0; });
    for (const Key* k : keys) {
        out += '[' + escapePath(k->path).toUtf8() + "]\n";
        for (const Value& v : k->values) {
            out += '"' + escapeText(v.name).toUtf8() + "\"=";
            if (v.isInt)
                out += "dword:" + QByteArray::number(uint(v.number), 16).rightJustified(8, '0');
            else
                out += '"' + escapeText(v.text).toUtf8() + '"';
            out += '\n';
        }
    }
    return out;
}

} // namespace core::settingsfile
