// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "tablestore/wholefile.h"
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace core {

namespace {

constexpr char kHeader[] = "Moriva Vokabeltrainer settings 1";

struct Value {
    QString name;
    bool isInt = false;
    int number = 0;
    QString text;
};

struct Key {
    QString path; // levels joined with '\', as first written
    std::vector<Value> values;
};

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

QString normalPath(const QString& path) {
    QStringList parts = path.split(u'\\', Qt::SkipEmptyParts);
    return parts.join(u'\\');
}

} // namespace

struct SettingsStore::Tree {
    std::vector<Key> keys; // keys[0] is the program's own key ("")
    // Index of the key, created with any missing levels above it.
    size_t key(const QString& path) {
        const QString p = normalPath(path);
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i].path.compare(p, Qt::CaseInsensitive) == 0)
                return i;
        const int cut = int(p.lastIndexOf(u'\\'));
        if (cut > 0)
            key(p.left(cut));
        keys.push_back(Key{p, {}});
        return keys.size() - 1;
    }
    const Key* find(const QString& path) const {
        const QString p = normalPath(path);
        for (const Key& k : keys)
            if (k.path.compare(p, Qt::CaseInsensitive) == 0)
                return &k;
        return nullptr;
    }
};

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Moriva Software/Vokabeltrainer.reg");
}

SettingsStore::Tree SettingsStore::load() const {
    Tree t;
    t.keys.push_back(Key{QString(), {}});
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) {
        if (!QFile::exists(path_)) {
            // The key is created on first use; a refusal here is no error.
            try {
                save(t, QString());
            } catch (const SettingsError&) {
            }
        }
        return t;
    }
    size_t cur = 0;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            cur = t.key(unescapePath(line.mid(1, line.size() - 2)));
            continue;
        }
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
        auto& values = t.keys[cur].values;
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

void SettingsStore::save(const Tree& tree, const QString& failedName) const {
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
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (!ts::writeWholeFile(path_, out).isEmpty())
        throw SettingsError(QCoreApplication::translate("core", "Fehler beim Setzen der Daten für '%1'").arg(failedName));
}

namespace {
Value* findValue(Key& k, const QString& name) {
    for (Value& v : k.values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}
} // namespace

void SettingsStore::writeString(const QString& name, const QString& value) {
    Tree t = load();
    Key& k = t.keys[0];
    Value* v = findValue(k, name);
    if (!v) {
        k.values.push_back(Value{name, false, 0, {}});
        v = &k.values.back();
    }
    v->isInt = false;
    v->number = 0;
    v->text = value;
    save(t, name);
}

void SettingsStore::writeInteger(const QString& name, int value) {
    Tree t = load();
    Key& k = t.keys[0];
    Value* v = findValue(k, name);
    if (!v) {
        k.values.push_back(Value{name, true, 0, {}});
        v = &k.values.back();
    }
    v->isInt = true;
    v->number = value;
    v->text.clear();
    save(t, name);
}

int SettingsStore::readInteger(const QString& name) const {
    Tree t = load();
    const Value* v = findValue(t.keys[0], name);
    return v && v->isInt ? v->number : 0;
}

QString SettingsStore::readString(const QString& name) const {
    Tree t = load();
    const Value* v = findValue(t.keys[0], name);
    return v && !v->isInt ? v->text : QString();
}

QStringList SettingsStore::subkeys(const QString& path) const {
    const Tree t = load();
    const QString parent = normalPath(path);
    QStringList out;
    for (const Key& k : t.keys) {
        if (k.path.isEmpty())
            continue;
        const int cut = int(k.path.lastIndexOf(u'\\'));
        const QString kParent = cut < 0 ? QString() : k.path.left(cut);
        if (kParent.compare(parent, Qt::CaseInsensitive) == 0)
            out << k.path.mid(cut + 1);
    }
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return out;
}

void SettingsStore::createSubkey(const QString& path) {
    Tree t = load();
    if (t.find(path))
        return;
    t.key(path);
    save(t, path);
}

} // namespace core
