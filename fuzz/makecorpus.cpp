// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora from files the program's own writers produce:
//   fuzz_makecorpus <fuzz/corpus folder>
// Run again when a file form changes; the fuzzers then start from the new form.
#include "core/database.h"
#include "core/practiceoptions.h"
#include "core/settingsstore.h"
#include "core/subjectgroups.h"
#include "core/vocabularyfile.h"
#include "tablestore/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QDir out;

void put(const QString& target, const QString& name, const QByteArray& bytes) {
    out.mkpath(target);
    QFile f(out.filePath(target + u'/' + name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
}

const QStringList kWords = {
    QStringLiteral("Haus"),
    QStringLiteral("O'Neill"),
    QStringLiteral("100% \"sicher\""),
    QStringLiteral("a_b\\c"),
    QStringLiteral("<Tag> & Co."),
    QStringLiteral("Zeile\neins"),
    QStringLiteral("😀"),
    QStringLiteral("עברית"),
    QStringLiteral("Straße"),
    QString(),
};

void fillVocabulary(ts::Table& v, int rows, int offset) {
    for (int i = 0; i < rows; ++i) {
        v.insert();
        v.setValue("ID", 10000 + i);
        v.setValue("deutsch", kWords[(i + offset) % kWords.size()]);
        v.setValue("auslaendisch", kWords[(i * 3 + offset + 1) % kWords.size()]);
        if (i % 2)
            v.setValue("Sachgruppe", QStringLiteral("Haushalt"));
        v.setValue("Gattung", QStringLiteral("Substantiv"));
        v.setValue("Schwierigkeitsgrad", 1 + i % 3);
        if (i % 3 == 0)
            v.setValue("Bemerkung", kWords[i % kWords.size()]);
        v.post();
    }
}

void fillTable(ts::Table& t, int rows) {
    for (int i = 0; i < rows; ++i) {
        t.insert();
        for (size_t f = 0; f < t.fields().size(); ++f) {
            const ts::FieldDef& d = t.fields()[f];
            if (d.lookup || (i + int(f)) % 4 == 3)
                continue;
            if (d.type == ts::FieldType::Integer)
                t.setValue(int(f), i * 7 - 3);
            else if (d.type == ts::FieldType::Float)
                t.setValue(int(f), 0.5 + i / 3.0);
            else
                t.setValue(int(f), kWords[(i + f) % kWords.size()]);
        }
        t.post();
    }
}

void tables(const QString& folder) {
    core::SettingsStore settings(folder + "/settings.reg");
    core::Database db(settings, folder);
    ts::Table* all[] = {&db.users, &db.lessons, &db.members, &db.knowledge};
    for (int rows : {0, 1, 3, 9}) {
        for (ts::Table* t : all) {
            t->createDataSet();
            fillTable(*t, rows);
            const QString name = t->name().toLower() + QString::number(rows);
            put("table_xml", name + ".xml", t->saveToBuffer(ts::Table::Format::Xml));
            put("table_compact", name + ".bin", t->saveToBuffer(ts::Table::Format::Compact).mid(5));
        }
    }
    for (int rows : {0, 1, 4, 10, 25}) {
        db.vocabulary.createDataSet();
        fillVocabulary(db.vocabulary, rows, rows);
        const QString path = folder + QStringLiteral("/englisch%1.v02").arg(rows);
        core::vocabularyfile::write(db.vocabulary, path);
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        put("vocabulary_file", QStringLiteral("englisch%1.v02").arg(rows), f.readAll());
        put("table_xml", QStringLiteral("vokabeln%1.xml").arg(rows),
            db.vocabulary.saveToBuffer(ts::Table::Format::Xml));
        put("table_compact", QStringLiteral("vokabeln%1.bin").arg(rows),
            db.vocabulary.saveToBuffer(ts::Table::Format::Compact).mid(5));
    }
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void settingsFiles(const QString& folder) {
    const QString path = folder + "/Vokabeltrainer.reg";
    core::SettingsStore s(path);
    (void)s.readInteger("LastVokID"); // the first read creates the file
    put("settings_file", "empty.reg", fileBytes(path));
    s.writeInteger("AktuelleBenutzerID", 3);
    s.writeInteger("LastVokID", 10042);
    s.writeString("WindowState", "maximiert");
    put("settings_file", "counters.reg", fileBytes(path));
    core::PracticeOptions options;
    options.load(s);
    options.save(s);
    put("settings_file", "options.reg", fileBytes(path));
    core::SubjectGroups groups(s);
    for (const QString& g :
         {QStringLiteral("Haushalt"), QStringLiteral("100% Büro\\Arbeit"), QStringLiteral("Zeile\nzwei")})
        s.createSubkey(QStringLiteral("englisch\\") + core::SubjectGroups::caseKeyName(g));
    s.createSubkey("französisch");
    put("settings_file", "groups.reg", fileBytes(path));
    s.writeString("Sort1", "Zeile\nzwei \"Zitat\" \\ ä😀");
    s.writeInteger("negativ", -5);
    put("settings_file", "texts.reg", fileBytes(path));
}

void filters() {
    const QStringList expressions = {
        QStringLiteral("Sprache = 'englisch'"),
        QStringLiteral("LektionsID = 12"),
        QStringLiteral("deutsch = 'O''Neill'"),
        QStringLiteral("deutsch LIKE '%haus%'"),
        QStringLiteral("deutsch NOT LIKE 'H_us'"),
        QStringLiteral("[Mit Blank] IS NOT NULL AND Wert >= -1.5e2"),
        QStringLiteral("NOT (ID < 3 OR ID > 5)"),
        QStringLiteral("ID = '7' OR Wert <> 3"),
        QStringLiteral("xdeutsch LIKE 'B%' AND deutsch IS NULL"),
        QStringLiteral("Wert <= .5 AND ID <> -6"),
        QStringLiteral("deutsch > Mit"),
        QStringLiteral("deutsch;ID"),
        QStringLiteral("(deutsch = 'Haus')"),
        QStringLiteral(""),
    };
    int i = 0;
    for (const QString& e : expressions)
        for (char flags : {'\0', '\1'})
            put("filter_expression", QStringLiteral("expr%1").arg(i++, 2, 10, QChar(u'0')), flags + e.toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_makecorpus <corpus folder>\n");
        return 2;
    }
    out = QDir(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir tmp;
    tables(tmp.path());
    settingsFiles(tmp.path());
    filters();
    return 0;
}
