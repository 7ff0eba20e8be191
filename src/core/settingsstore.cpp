// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsstore.h"
#include "settingsfile.h"
#include "tablestore/wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace core {

namespace {
[[noreturn]] void refuse(const QString& name) {
    throw SettingsError(QCoreApplication::translate("core", "Fehler beim Setzen der Daten für '%1'").arg(name));
}
} // namespace

using settingsfile::Key;
using settingsfile::normalPath;
using settingsfile::Value;

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Moriva Software/Vokabeltrainer.reg");
}

settingsfile::Tree SettingsStore::load() const {
    settingsfile::Tree t;
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
    return settingsfile::parse(f.readAll());
}

void SettingsStore::save(const settingsfile::Tree& tree, const QString& failedName) const {
    const QByteArray out = settingsfile::format(tree);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (!ts::writeWholeFile(path_, out).isEmpty())
        refuse(failedName);
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
    settingsfile::Tree t = load();
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
    settingsfile::Tree t = load();
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
    settingsfile::Tree t = load();
    const Value* v = findValue(t.keys[0], name);
    return v && v->isInt ? v->number : 0;
}

QString SettingsStore::readString(const QString& name) const {
    settingsfile::Tree t = load();
    const Value* v = findValue(t.keys[0], name);
    return v && !v->isInt ? v->text : QString();
}

QStringList SettingsStore::subkeys(const QString& path) const {
    const settingsfile::Tree t = load();
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
    settingsfile::Tree t = load();
    if (t.find(path))
        return;
    if (!settingsfile::withinDepth(path))
        refuse(path);
    t.key(path);
    save(t, path);
}

} // namespace core
