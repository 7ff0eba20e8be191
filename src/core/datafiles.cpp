// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafiles.h"

#include "tablestore/wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace core::datafiles {

QString setAside(const QString& path) {
    const QString aside = path + QStringLiteral(".beschaedigt-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QFile::rename(path, aside) ? aside : QString();
}

QStringList tidyAtStart(const QString& dataFolder) {
    const QDir folder(dataFolder);
    // First the set: its files are still under their temporary names.
    QStringList touched = ts::recoverFileSet(folder.filePath(QString::fromLatin1(kSaveMarker)));
    // Earlier versions' writer appended six random letters or digits to the
    // file's own name.
    static const QRegularExpression earlier(
        QStringLiteral("^((benutzer|lektion|bestehtaus|kann)\\.xml|[^.]+\\.v02)\\.[A-Za-z0-9]{6}$"));
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if ((ts::isTemporaryName(name) || earlier.match(name).hasMatch()) && QFile::remove(folder.filePath(name)))
            touched << name;
    return touched;
}

} // namespace core::datafiles
