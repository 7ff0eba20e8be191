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

#include <sys/stat.h>

namespace core {

namespace {
[[noreturn]] void refuse(const QString& name) {
    throw SettingsError(QCoreApplication::translate("core", "Fehler beim Setzen der Daten für '%1'").arg(name));
}
} // namespace

using settingsfile::Key;
using settingsfile::normalPath;
using settingsfile::Value;

// What identifies one version of the file: a write by any copy of the
// program renames a new file into place (a new inode), an edit in place
// changes the size or the modification time.
struct SettingsStore::Stamp {
    bool exists = false;
    bool regular = false;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    bool operator==(const Stamp&) const = default;

    static Stamp of(const QString& path) {
        Stamp s;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return s;
        s.exists = true;
        s.regular = S_ISREG(st.st_mode);
        s.size = qint64(st.st_size);
        s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        s.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
        s.inode = quint64(st.st_ino);
        s.device = quint64(st.st_dev);
        return s;
    }
};

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}
SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Moriva Software/Vokabeltrainer.reg");
}

namespace {
QString writeTree(const QString& path, const settingsfile::Tree& tree) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ts::writeWholeFile(path, settingsfile::format(tree));
}
} // namespace

const settingsfile::Tree& SettingsStore::load() const {
    Stamp now = Stamp::of(path_);
    if (cache_ && stamp_ && *stamp_ == now)
        return *cache_;
    auto t = std::make_unique<settingsfile::Tree>();
    if (!now.exists) {
        // The key is created on first use; a refusal here is no error.
        if (writeTree(path_, *t).isEmpty())
            now = Stamp::of(path_);
    } else if (now.regular && now.size <= settingsfile::kMaxFileSize) {
        // Only a regular file: a pipe in its place would block the program.
        QFile f(path_);
        if (f.open(QIODevice::ReadOnly))
            *t = settingsfile::parse(f.readAll());
    }
    for (const Change& c : unsaved_)
        c(*t);
    cache_ = std::move(t);
    stamp_ = std::make_unique<Stamp>(now);
    return *cache_;
}

void SettingsStore::change(const QString& name, const Change& apply) {
    load();
    // The start writes values that mostly stand already; rewriting an
    // unchanged file would cost its whole size each time.
    if (!apply(*cache_))
        return;
    const QString reason = writeTree(path_, *cache_);
    if (reason.isEmpty()) {
        unsaved_.clear();
        *stamp_ = Stamp::of(path_);
        return;
    }
    if (!refused_) {
        cache_.reset(); // the change did not happen
        refuse(name);
    }
    // The file is as it was: the cache, holding the change, stays valid for it.
    unsaved_.push_back(apply);
    if (!toldRefusal_) {
        toldRefusal_ = true;
        refused_(reason);
    }
}

void SettingsStore::keepRefusedWrites(std::function<void(const QString& reason)> refused) {
    refused_ = std::move(refused);
}

namespace {
Value* findValue(Key& k, const QString& name) {
    for (Value& v : k.values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}
} // namespace

namespace {
// False when the value was already so: nothing to write.
bool setValue(settingsfile::Tree& t, const QString& name, bool isInt, int number, const QString& text) {
    Key& k = t.keys[0];
    Value* v = findValue(k, name);
    if (v && v->isInt == isInt && v->number == number && v->text == text)
        return false;
    if (!v) {
        k.values.push_back(Value{name, false, 0, {}});
        v = &k.values.back();
    }
    v->isInt = isInt;
    v->number = number;
    v->text = text;
    return true;
}
const Value* findValue(const settingsfile::Tree& t, const QString& name) {
    return findValue(const_cast<Key&>(t.keys[0]), name);
}
} // namespace

void SettingsStore::writeString(const QString& name, const QString& value) {
    change(name, [name, value](settingsfile::Tree& t) { return setValue(t, name, false, 0, value); });
}

void SettingsStore::writeInteger(const QString& name, int value) {
    change(name, [name, value](settingsfile::Tree& t) { return setValue(t, name, true, value, QString()); });
}

int SettingsStore::readInteger(const QString& name) const {
    const Value* v = findValue(load(), name);
    return v && v->isInt ? v->number : 0;
}

QString SettingsStore::readString(const QString& name) const {
    const Value* v = findValue(load(), name);
    return v && !v->isInt ? v->text : QString();
}

QStringList SettingsStore::subkeys(const QString& path) const {
    const settingsfile::Tree& t = load();
    const QString parent = normalPath(path);
    // (folded name, name): sorted without comparing letter case over and over.
    std::vector<std::pair<QString, QString>> found;
    for (const Key& k : t.keys) {
        if (k.path.isEmpty())
            continue;
        const qsizetype cut = k.path.lastIndexOf(u'\\');
        const QStringView kParent = cut < 0 ? QStringView() : QStringView(k.path).left(cut);
        if (kParent.compare(parent, Qt::CaseInsensitive) == 0) {
            QString name = k.path.mid(cut + 1);
            found.emplace_back(name.toCaseFolded(), std::move(name));
        }
    }
    std::sort(found.begin(), found.end());
    QStringList out;
    out.reserve(qsizetype(found.size()));
    for (auto& f : found)
        out << std::move(f.second);
    return out;
}

void SettingsStore::createSubkey(const QString& path) {
    if (load().find(path))
        return;
    if (!settingsfile::withinDepth(path))
        refuse(path);
    change(path, [path](settingsfile::Tree& t) {
        t.key(path);
        return true;
    });
}

} // namespace core
