// SPDX-License-Identifier: GPL-3.0-or-later
#include "printlesson.h"

#include "core/database.h"
#include "core/fieldnames.h"
#include "core/lessons.h"
#include "tablestore/cursorguard.h"
#include "tablestore/text.h"

#include <algorithm>

namespace printing {

bool germanLess(const QString& a, const QString& b) {
    return ts::text::compareGerman(ts::text::view(a), ts::text::view(b)) < 0;
}

std::vector<PrintLesson> lessonsOfCurrentLanguage(core::Database& db) {
    const QString language = db.currentLanguage();
    ts::Table& lessons = db.lessons;
    std::vector<PrintLesson> out;
    if (!lessons.isOpen())
        return out;
    // Read over every row: the lesson windows' filter stays as it is.
    const auto guard = ts::CursorGuard::byRowNumber(lessons, ts::CursorGuard::Rows::All);
    const int id = lessons.field(core::field::kId);
    const int name = lessons.field(core::field::kName);
    const int lang = lessons.field(core::field::kLanguage);
    for (int i = 0, n = lessons.recordCount(); i < n; ++i)
        if (lessons.valueAt(i, lang).toString() == language)
            out.push_back({lessons.valueAt(i, id).toInt(), lessons.valueAt(i, name).toString()});
    std::sort(out.begin(), out.end(), [](const PrintLesson& a, const PrintLesson& b) {
        const bool allA = a.name == core::kAllVocabularyLesson, allB = b.name == core::kAllVocabularyLesson;
        if (allA != allB)
            return allA;
        return germanLess(a.name, b.name);
    });
    return out;
}

std::vector<int> wordsOfLesson(core::Database& db, int lessonId) {
    ts::Table& members = db.members;
    std::vector<int> ids;
    if (!members.isOpen())
        return ids;
    const auto guard = ts::CursorGuard::byRowNumber(members, ts::CursorGuard::Rows::All);
    const QSet<int> present = core::membersOf(db, lessonId);
    ids.assign(present.begin(), present.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

QString idFilterClause(const std::vector<int>& ids) {
    if (ids.empty())
        return QStringLiteral("1=2");
    QString f = QStringLiteral("ID IN (");
    f.reserve(int(ids.size()) * 7 + 8);
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0)
            f += QStringLiteral(", ");
        f += QString::number(ids[i]);
    }
    f += u')';
    return f;
}

} // namespace printing
