// SPDX-License-Identifier: GPL-3.0-or-later
#include "languages.h"

#include <QCollator>
#include <QDir>
#include <QHash>
#include <QLocale>

#include <algorithm>

namespace core::languages {

QStringList list(const QString& dataFolder) {
    QStringList out;
    const QStringList files = QDir(dataFolder).entryList({QStringLiteral("*.v02")}, QDir::Files, QDir::Unsorted);
    for (const QString& f : files)
        out << f.left(f.size() - 4);
    QCollator german{QLocale(QLocale::German)};
    std::sort(out.begin(), out.end(), [&german](const QString& a, const QString& b) { return german(a, b); });
    return out;
}

QString code(const QString& language) {
    static const QHash<QString, QString> known = {
        {QStringLiteral("englisch"), QStringLiteral("en")},
        {QStringLiteral("französisch"), QStringLiteral("fr")},
        {QStringLiteral("spanisch"), QStringLiteral("es")},
        {QStringLiteral("italienisch"), QStringLiteral("it")},
        {QStringLiteral("lateinisch"), QStringLiteral("la")},
        {QStringLiteral("latein"), QStringLiteral("la")},
        {QStringLiteral("portugiesisch"), QStringLiteral("pt")},
        {QStringLiteral("niederländisch"), QStringLiteral("nl")},
        {QStringLiteral("russisch"), QStringLiteral("ru")},
        {QStringLiteral("polnisch"), QStringLiteral("pl")},
        {QStringLiteral("türkisch"), QStringLiteral("tr")},
        {QStringLiteral("schwedisch"), QStringLiteral("sv")},
        {QStringLiteral("dänisch"), QStringLiteral("da")},
        {QStringLiteral("norwegisch"), QStringLiteral("no")},
        {QStringLiteral("griechisch"), QStringLiteral("el")},
        {QStringLiteral("tschechisch"), QStringLiteral("cs")},
        {QStringLiteral("ungarisch"), QStringLiteral("hu")},
        {QStringLiteral("finnisch"), QStringLiteral("fi")},
        {QStringLiteral("japanisch"), QStringLiteral("ja")},
        {QStringLiteral("chinesisch"), QStringLiteral("zh")},
        {QStringLiteral("arabisch"), QStringLiteral("ar")},
        {QStringLiteral("kroatisch"), QStringLiteral("hr")},
    };
    const QString key = language.trimmed().toLower();
    const auto it = known.find(key);
    return it != known.end() ? *it : key.left(2);
}

QString refusalForNewName(const QString& name, const QStringList& existing) {
    if (existing.contains(name))
        return QStringLiteral("Diese Sprache ist schon vorhanden!");
    for (const QString& e : existing)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Die Sprache \"%1\" gibt es schon. Sprachen dürfen sich nicht nur in der "
                                  "Groß- und Kleinschreibung unterscheiden.")
                .arg(e);
    const QString trimmed = name.trimmed();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    bool bad = trimmed.isEmpty() || trimmed != name || name == u"." || name == u".." || name.endsWith(u'.') ||
               name.size() > 100;
    for (QChar c : name)
        if (forbidden.contains(c) || c.unicode() < 0x20)
            bad = true;
    if (bad)
        return QStringLiteral("\"%1\" kann nicht als Name einer Sprache verwendet werden. Der Name wird als "
                              "Dateiname gebraucht: Er darf nicht leer sein, nicht mit Leerzeichen oder einem "
                              "Punkt enden, höchstens 100 Zeichen haben und keines der Zeichen / \\ : * ? \" < > | "
                              "enthalten.")
            .arg(name);
    return {};
}

} // namespace core::languages
