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
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
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
    QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    return parts.join(u'\\');
}

bool withinDepth(const QString& path) { return path.split(u'\\', Qt::SkipEmptyParts).size() <= kMaxDepth; }

Tree::Tree() { add(QString()); }

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
    // as the registry does.
    size_t found = 0;
    for (qsizetype cut = 1; cut <= p.size(); ++cut) {
        if (cut < p.size() && p.at(cut) != u'\\')
            continue;
        const QString level = p.left(cut);
        const auto it = byFolded_.constFind(level.toCaseFolded());
        found = it != byFolded_.constEnd() ? *it : add(level);
    }
    return found;
}

const Key* Tree::find(const QString& path) const {
    const auto it = byFolded_.constFind(normalPath(path).toCaseFolded());
    return it == byFolded_.constEnd() ? nullptr : &keys[*it];
}

Tree parse(const QByteArray& bytes) {
    Tree t;
    std::optional<size_t> cur = 0;
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString path = unescapePath(line.mid(1, line.size() - 2));
            cur = withinDepth(path) ? std::optional(t.key(path)) : std::nullopt;
            continue;
        }
        if (!cur)
            continue;
        Value v;
        const int after = unescapeText(line, 0, v.name);
        if (after < 0 || after >= line.size() || line.at(after) != u'=')
            continue;
        const QString rest = line.mid(after + 1);
        if (rest.startsWith(QLatin1String("dword:"))) {
            bool ok = false;
            v.number = int(rest.mid(6).toUInt(&ok, 16));
            if (!ok)
                continue;
            v.isInt = true;
        } else if (unescapeText(rest, 0, v.text) != int(rest.size())) {
            continue;
        }
        auto& values = t.keys[*cur].values;
        auto same = std::find_if(values.begin(), values.end(), [&](const Value& x) {
            return x.name.compare(v.name, Qt::CaseInsensitive) == 0;
        });
        if (same != values.end())
            *same = v;
        else
            values.push_back(v);
    }
    return t;
}

QByteArray format(const Tree& tree) {
    QByteArray out(kHeader);
    out += '\n';
    std::vector<const Key*> keys;
    for (const Key& k : tree.keys)
        keys.push_back(&k);
    std::stable_sort(keys.begin(), keys.end(), [](const Key* a, const Key* b) {
        return a->path.compare(b->path, Qt::CaseInsensitive) < 0;
    });
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
