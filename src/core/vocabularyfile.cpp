// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabularyfile.h"
#include "tablestore/tableerror.h"

#include <QCoreApplication>
#include <QDir>
#include "tablestore/wholefile.h"

namespace core::vocabularyfile {

QByteArray mask(QByteArray bytes) {
    char* p = bytes.data();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        p[i] = char(p[i] ^ kMaskByte);
    return bytes;
}

QByteArray bytes(ts::Table& vocabulary) {
    return mask(vocabulary.saveToBuffer(ts::Table::Format::Xml));
}

void write(ts::Table& vocabulary, const QString& path) {
    const QString problem = ts::writeWholeFile(path, bytes(vocabulary));
    if (!problem.isEmpty())
        throw ts::TableError(QCoreApplication::translate("core", "Datei %1 kann nicht gespeichert werden. (%2)")
                                 .arg(QDir::toNativeSeparators(path), problem));
}

void read(ts::Table& vocabulary, const QString& path) {
    const ts::FileRead file = ts::readWholeFile(path, kMaxFileBytes);
    const QString unread = QCoreApplication::translate("core", "Datei %1 kann nicht geöffnet werden. (%2)")
                               .arg(QDir::toNativeSeparators(path), file.reason);
    if (file.problem == ts::FileRead::Problem::NotRegular || file.problem == ts::FileRead::Problem::TooLarge)
        throw ts::DamagedFile(unread);
    if (file.problem != ts::FileRead::Problem::None)
        throw ts::TableError(unread);
    load(vocabulary, file.bytes, path);
}

void load(ts::Table& vocabulary, const QByteArray& maskedBytes, const QString& path) {
    try {
        vocabulary.loadFromBuffer(mask(maskedBytes));
    } catch (const ts::TableError& e) {
        throw ts::DamagedFile(
            QCoreApplication::translate("core", "Die Vokabeldatei %1 ist beschädigt und wurde nicht geladen. %2")
                .arg(QDir::toNativeSeparators(path), e.message()));
    }
}

} // namespace core::vocabularyfile
