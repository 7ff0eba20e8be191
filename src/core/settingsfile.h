// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

// The text form of the settings file: one "[key path]" line per key, then one
// line per value ("name"=dword:0000002a or "name"="text"). Kept apart from the
// store so the parser can be fed any bytes directly.
namespace core::settingsfile {

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

struct Tree {
    std::vector<Key> keys; // keys[0] is the program's own key (""); add only through key()

    Tree();
    // Index of the key, created with any missing levels above it.
    size_t key(const QString& path);
    const Key* find(const QString& path) const;

private:
    size_t add(const QString& normalPath);
    // Case-folded path -> index in keys: a file with many keys or deep paths
    // still reads in linear time.
    QHash<QString, size_t> byFolded_;
};

// Levels split at '\', empty levels dropped.
QString normalPath(const QString& path);

// Every level of a key is a key of its own, so a path's cost grows with the
// square of its depth. Far deeper than the program's two levels, and far
// below what a damaged file could otherwise make every read pay.
constexpr int kMaxDepth = 64;
bool withinDepth(const QString& path);

// Far above what the program writes (a few hundred bytes per subject group);
// a larger file is damage, and reading it could exhaust the memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// What parse() found besides the values.
struct ParseReport {
    bool header = false;  // the first line is the program's header
    bool rootKey = false; // a "[]" line: every file written by the program has one
    int skippedLines = 0; // non-empty lines that could not be read
};

// Never fails: lines that cannot be read are skipped, so a damaged file reads
// as far as it is intact. The values below a key deeper than kMaxDepth are
// skipped with it. Linear in the size of the file.
Tree parse(const QByteArray& bytes, ParseReport* report = nullptr);
QByteArray format(const Tree& tree);

// Why `bytes` cannot be a settings file the program wrote whole (a German
// phrase), or "" when it can.
QString damage(const QByteArray& bytes);
QString oversized(); // damage() of a file over kMaxFileSize

} // namespace core::settingsfile
