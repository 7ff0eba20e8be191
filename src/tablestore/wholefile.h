// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace ts {

// Writes `bytes` as the new content of `path`, whole or not at all: the data
// goes into a temporary file beside it, is flushed to the disk and only then
// renamed over the old file. Returns an empty string on success, else the
// reason (the old file is then untouched and no temporary file is left).
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// A file prepared by writeWholeFile's first half: written and flushed, but
// put in place only by commit(). Lets a caller replace several files only
// when every one of them could be written.
class PendingFile {
public:
    explicit PendingFile(const QString& path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    QString write(const QByteArray& bytes); // empty on success
    QString commit();                        // empty on success
    const QString& path() const { return path_; }

private:
    struct Impl;
    QString path_;
    Impl* impl_;
};

} // namespace ts
