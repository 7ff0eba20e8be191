// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace ts {

// The German wording of a system error number, for messages the user sees.
QString systemReason(int err);

// Writes `bytes` as the new content of `path`, whole or not at all: the data
// goes into a temporary file beside it, is flushed to the disk and only then
// renamed over the old file. Returns an empty string on success, else the
// reason (the old file is then untouched and no temporary file is left).
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// A file prepared by writeWholeFile's first half: written and flushed under
// its temporary name, put in place only by commit(). Lets a caller replace
// several files only when every one of them could be written.
class PendingFile {
public:
    explicit PendingFile(const QString& path);
    ~PendingFile(); // an uncommitted file is removed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    QString write(const QByteArray& bytes); // empty on success; once per file
    QString commit();                       // empty on success
    void keep() { committed_ = true; }      // leave the temporary file behind
    const QString& path() const { return path_; }
    // The name the data lies under until commit(); empty before write().
    const QString& temporaryPath() const { return temp_; }

private:
    QString path_;   // as given
    QString target_; // the file really replaced: a link's existing target
    QString temp_;
    bool committed_ = false;
};

// Whether `fileName` (without folder) is a temporary name of this writer.
bool isTemporaryName(const QString& fileName);

// Several files replaced as one: every file is written under its temporary
// name first; then a marker naming them all is put down, the files are
// renamed into place and the marker is removed. A run that ends between is
// completed by recoverFileSet() at the next start.
class FileSet {
public:
    explicit FileSet(QString markerPath);
    void add(const QString& path, const QByteArray& bytes); // kept until commit()
    // Empty on success; on failure no file of the set was replaced.
    QString commit();

private:
    QString marker_;
    std::vector<std::pair<QString, QByteArray>> files_;
};

// Puts in place what an interrupted FileSet::commit() left (the files were
// all written when its marker was put down) and removes the marker. Returns
// the files completed.
QStringList recoverFileSet(const QString& markerPath);

// A whole file read for a parser. Only regular files are read (a pipe or a
// device could block the program or never end), and never more than
// `maxBytes`.
struct FileRead {
    enum class Problem { None, Missing, DanglingLink, NotRegular, TooLarge, Unreadable };
    Problem problem = Problem::None;
    QString reason; // German, for the message; empty when read
    QByteArray bytes;
};
FileRead readWholeFile(const QString& path, qint64 maxBytes);

constexpr qint64 kMaxTableFileBytes = qint64(256) << 20;

} // namespace ts
