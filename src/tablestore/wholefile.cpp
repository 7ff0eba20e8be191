// SPDX-License-Identifier: GPL-3.0-or-later
#include "wholefile.h"

#include <QSaveFile>
#include <cerrno>

namespace ts {

// Unbuffered on purpose: with a buffer, a full disk only shows when the
// buffer is flushed inside QSaveFile::commit(), and Qt then still renames the
// short temporary file over the old one. Without it, the failing write itself
// reports the error and the old file is never touched.
struct PendingFile::Impl {
    QSaveFile file;
    explicit Impl(const QString& path) : file(path) {}
};

namespace {
QString reason(const QSaveFile& file, int err) {
    if (err != 0)
        return qt_error_string(err);
    return file.errorString();
}
} // namespace

PendingFile::PendingFile(const QString& path) : path_(path), impl_(new Impl(path)) {}

PendingFile::~PendingFile() { delete impl_; } // an uncommitted file is discarded

QString PendingFile::write(const QByteArray& bytes) {
    QSaveFile& f = impl_->file;
    errno = 0;
    if (!f.isOpen() && !f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reason(f, errno);
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString why = reason(f, errno);
            f.cancelWriting();
            return why;
        }
        done += n;
    }
    return {};
}

QString PendingFile::commit() {
    QSaveFile& f = impl_->file;
    errno = 0;
    if (!f.isOpen() || f.error() != QFileDevice::NoError || !f.commit())
        return reason(f, errno);
    return {};
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    PendingFile file(path);
    QString problem = file.write(bytes);
    if (problem.isEmpty())
        problem = file.commit();
    return problem;
}

} // namespace ts
