// SPDX-License-Identifier: GPL-3.0-or-later
#include "wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ts {

namespace {
QString tr(const char* s) {
    return QCoreApplication::translate("ts", s);
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// Our temporary names: the final name, ".neu-" and six letters or digits.
constexpr int kTempSuffixLength = 11;

QString temporaryNameFor(const QString& target) {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = target + QStringLiteral(".neu-");
    for (int i = 0; i < 6; ++i)
        name += QChar(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))]);
    return name;
}

void syncFolderOf(const QString& path) {
    const int fd = ::open(encoded(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

QString systemReason(int err) {
    switch (err) {
    case ENOENT:
        return tr("Datei oder Ordner nicht vorhanden");
    case EACCES:
    case EPERM:
        return tr("Zugriff verweigert");
    case ENOSPC:
        return tr("kein Platz mehr auf dem Datenträger");
    case EDQUOT:
        return tr("Speicherkontingent erschöpft");
    case EFBIG:
        return tr("Datei zu groß");
    case EROFS:
        return tr("Dateisystem nur lesbar");
    case EISDIR:
        return tr("ist ein Ordner");
    case ENOTDIR:
        return tr("ein Teil des Pfades ist kein Ordner");
    case ELOOP:
        return tr("zu viele Verweise hintereinander");
    case ENAMETOOLONG:
        return tr("Name zu lang");
    case EIO:
        return tr("Ein-/Ausgabefehler");
    case EMFILE:
    case ENFILE:
        return tr("zu viele offene Dateien");
    case EBUSY:
    case ETXTBSY:
        return tr("Datei wird gerade benutzt");
    case EXDEV:
        return tr("Umbenennen über Dateisystemgrenzen nicht möglich");
    case ENOMEM:
        return tr("nicht genug Arbeitsspeicher");
    case 0:
        return tr("unbekannter Fehler");
    default:
        return tr("Systemfehler %1").arg(err);
    }
}

// ------------------------------------------------------------ writing

PendingFile::PendingFile(const QString& path) : path_(path), target_(path) {
    // A link to an existing file keeps pointing at it, as an editor would
    // leave it; a link to nothing (or to something that is no file) is
    // replaced by the file itself.
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QFileInfo target(info.symLinkTarget());
        if (target.exists() && target.isFile())
            target_ = target.absoluteFilePath();
    }
}

PendingFile::~PendingFile() {
    if (!temp_.isEmpty() && !committed_)
        ::unlink(encoded(temp_).constData());
}

// Unbuffered on purpose: a full disk fails the write itself, long before the
// rename, so the old file is never replaced by a short one.
QString PendingFile::write(const QByteArray& bytes) {
    if (!temp_.isEmpty())
        return tr("Datei wurde schon geschrieben");
    int fd = -1;
    QString temp;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = temporaryNameFor(target_);
        fd = ::open(encoded(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100))
            return systemReason(errno);
    }
    temp_ = temp;
    struct stat old = {};
    if (::stat(encoded(target_).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    const char* p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qint64>(left, qint64(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return systemReason(err);
        }
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return systemReason(err);
    }
    if (::close(fd) != 0)
        return systemReason(errno);
    return {};
}

QString PendingFile::commit() {
    if (temp_.isEmpty())
        return tr("Datei wurde nicht geschrieben");
    if (::rename(encoded(temp_).constData(), encoded(target_).constData()) != 0)
        return systemReason(errno);
    committed_ = true;
    syncFolderOf(target_);
    return {};
}

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    PendingFile file(path);
    QString problem = file.write(bytes);
    if (problem.isEmpty())
        problem = file.commit();
    return problem;
}

bool isTemporaryName(const QString& fileName) {
    static const QRegularExpression ours(QStringLiteral("^.+\\.neu-[A-Za-z0-9]{6}$"));
    return ours.match(fileName).hasMatch();
}

// ------------------------------------------------------------ sets

FileSet::FileSet(QString markerPath) : marker_(std::move(markerPath)) {}

void FileSet::add(const QString& path, const QByteArray& bytes) {
    files_.emplace_back(path, bytes);
}

QString FileSet::commit() {
    std::vector<std::unique_ptr<PendingFile>> pending;
    QByteArray list;
    for (const auto& [path, bytes] : files_) {
        pending.push_back(std::make_unique<PendingFile>(path));
        const QString problem = pending.back()->write(bytes);
        if (!problem.isEmpty())
            return tr("Datei %1 kann nicht gespeichert werden. (%2)").arg(QDir::toNativeSeparators(path), problem);
        list += encoded(pending.back()->temporaryPath()) + '\n';
    }
    if (const QString problem = writeWholeFile(marker_, list); !problem.isEmpty())
        return tr("Datei %1 kann nicht gespeichert werden. (%2)").arg(QDir::toNativeSeparators(marker_), problem);
    // From here on the set is complete on disk: a rename that fails leaves
    // its temporary file and the marker for the next start.
    QString failed;
    for (auto& p : pending) {
        if (const QString problem = p->commit(); !problem.isEmpty() && failed.isEmpty())
            failed =
                tr("Datei %1 kann nicht gespeichert werden. (%2)").arg(QDir::toNativeSeparators(p->path()), problem);
    }
    if (!failed.isEmpty()) {
        for (auto& p : pending)
            p->keep(); // for the next start
        return failed;
    }
    ::unlink(encoded(marker_).constData());
    syncFolderOf(marker_);
    files_.clear();
    return {};
}

QStringList recoverFileSet(const QString& markerPath) {
    QFile marker(markerPath);
    if (!marker.open(QIODevice::ReadOnly))
        return {};
    QStringList done;
    for (const QByteArray& line : marker.readAll().split('\n')) {
        const QString temp = QFile::decodeName(line);
        if (temp.size() <= kTempSuffixLength || !isTemporaryName(QFileInfo(temp).fileName()))
            continue;
        const QString target = temp.left(temp.size() - kTempSuffixLength);
        if (::rename(encoded(temp).constData(), encoded(target).constData()) == 0)
            done << target;
    }
    marker.close();
    syncFolderOf(markerPath);
    ::unlink(encoded(markerPath).constData());
    return done;
}

// ------------------------------------------------------------ reading

FileRead readWholeFile(const QString& path, qint64 maxBytes) {
    FileRead r;
    const QByteArray name = encoded(path);
    auto fail = [&r](FileRead::Problem p, const QString& reason) {
        r.problem = p;
        r.reason = reason;
        r.bytes.clear();
        return r;
    };
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0)
        return fail(errno == ENOENT ? FileRead::Problem::Missing : FileRead::Problem::Unreadable, systemReason(errno));
    if (S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0 && errno == ENOENT)
        return fail(FileRead::Problem::DanglingLink, tr("Verweis auf eine nicht vorhandene Datei"));
    // Without blocking: opening a pipe for reading would wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(errno == ENOENT ? FileRead::Problem::Missing : FileRead::Problem::Unreadable, systemReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0)
        return fail(FileRead::Problem::Unreadable, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        return fail(FileRead::Problem::NotRegular, tr("keine gewöhnliche Datei"));
    const QString tooLarge = tr("größer als %1 MB").arg(maxBytes >> 20);
    if (st.st_size > maxBytes)
        return fail(FileRead::Problem::TooLarge, tooLarge);
    // One byte more than announced: the read that finds the end needs no
    // second buffer.
    r.bytes.resize(qsizetype(std::min<qint64>(st.st_size + 1, maxBytes + 1)));
    qint64 got = 0;
    for (;;) {
        if (got == r.bytes.size()) { // the file may have grown since
            if (got >= maxBytes + 1)
                return fail(FileRead::Problem::TooLarge, tooLarge);
            r.bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, got + 65536)));
        }
        const ssize_t n = ::read(fd, r.bytes.data() + got, size_t(r.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(FileRead::Problem::Unreadable, systemReason(errno));
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxBytes)
        return fail(FileRead::Problem::TooLarge, tooLarge);
    r.bytes.truncate(qsizetype(got));
    return r;
}

} // namespace ts
