// SPDX-License-Identifier: GPL-3.0-or-later
#include "firststart.h"
#include "database.h"
#include "tablestore/cursorguard.h"
#include "tablestore/tableerror.h"
#include "tablestore/wholefile.h"
#include "vocabularyfile.h"
#include "fieldnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace core::firststart {

int fillFromWordList(ts::Table& vocabulary, const QByteArray& tsv) {
    const QList<QByteArray> lines = tsv.split('\n');
    int fieldIndex[6];
    for (int i = 0; i < 6; ++i)
        fieldIndex[i] = vocabulary.field(field::kWordFields[i]);
    const int idField = vocabulary.field(field::kId);
    int id = 0;
    const ts::BulkInsertGuard bulk(vocabulary);
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QByteArray> cols = line.split('\t');
        if (cols.size() != 6)
            throw ts::TableError(
                QCoreApplication::translate("core", "Die Wortliste ist fehlerhaft (Zeile %1).").arg(n + 1));
        vocabulary.insert();
        vocabulary.setValue(idField, ++id);
        for (int i = 0; i < 6; ++i)
            vocabulary.setValue(fieldIndex[i], QString::fromUtf8(cols[i]));
        vocabulary.post();
    }
    return id;
}

namespace {
void writeIfMissing(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty() || QFile::exists(path))
        return;
    ts::writeWholeFile(path, bytes); // on failure the file stays missing, never half written
}
} // namespace

bool prepareDataFolder(const QString& dataFolder, const QByteArray& wordListTsv, const QByteArray& manualPdf) {
    if (QDir(dataFolder).exists())
        return false;
    if (!QDir().mkpath(dataFolder))
        return false;
    const QString words = QDir(dataFolder).filePath("englisch.v02");
    if (!wordListTsv.isEmpty() && !QFile::exists(words)) {
        ts::Table v(QStringLiteral("Vokabeln"));
        Database::defineVocabulary(v);
        v.createDataSet();
        fillFromWordList(v, wordListTsv);
        vocabularyfile::write(v, words);
    }
    writeIfMissing(QDir(dataFolder).filePath(kManualFileName), manualPdf);
    return true;
}

} // namespace core::firststart
