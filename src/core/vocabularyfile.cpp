// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabularyfile.h"
#include "tablestore/tableerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include "tablestore/wholefile.h"

namespace core::vocabularyfile {

QByteArray mask(QByteArray bytes) {
    char* p = bytes.data();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        p[i] = char(p[i] ^ kMaskByte);
    return bytes;
}

void write(ts::Table& vocabulary, const QString& path) {
    const QByteArray bytes = mask(vocabulary.saveToBuffer(ts::Table::Format::Xml));
    const QString problem = ts::writeWholeFile(path, bytes);
    if (!problem.isEmpty())
        throw ts::TableError(QCoreApplication::translate("core", "Datei %1 kann nicht gespeichert werden. %2")
                                 .arg(QDir::toNativeSeparators(path), problem));
}

void read(ts::Table& vocabulary, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ts::TableError(QCoreApplication::translate("core", "Datei %1 kann nicht geöffnet werden. %2")
                                 .arg(QDir::toNativeSeparators(path), f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ts::TableError(QCoreApplication::translate("core", "Datei %1 kann nicht geöffnet werden. %2")
                                 .arg(QDir::toNativeSeparators(path), f.errorString()));
    load(vocabulary, bytes, path);
}

void load(ts::Table& vocabulary, const QByteArray& maskedBytes, const QString& path) {
    try {
        vocabulary.loadFromBuffer(mask(maskedBytes));
    } catch (const ts::TableError& e) {
        throw ts::TableError(QCoreApplication::translate("core", "Die Vokabeldatei %1 ist beschädigt und wurde nicht geladen. %2")
                                 .arg(QDir::toNativeSeparators(path), e.message()));
    }
}

} // namespace core::vocabularyfile
