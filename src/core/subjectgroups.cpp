// SPDX-License-Identifier: GPL-3.0-or-later
#include "subjectgroups.h"

namespace core {

SubjectGroups::SubjectGroups(SettingsStore& settings, QObject* parent) : QObject(parent), settings_(settings) {}

QString SubjectGroups::keyName(const QString& group) {
    QString out;
    for (QChar c : group) {
        if (c == u'%')
            out += QStringLiteral("%25");
        else if (c == u'\\')
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

QString SubjectGroups::caseKeyName(const QString& group) {
    QString out;
    for (QChar c : keyName(group)) {
        if (c.toLower() != c.toUpper())
            out += QStringLiteral("%u") + QStringLiteral("%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString SubjectGroups::groupName(const QString& key) {
    QString out;
    for (int i = 0; i < key.size(); ++i) {
        if (key.at(i) == u'%' && i + 5 < key.size() && key.at(i + 1) == u'u') {
            bool ok = false;
            const ushort code = QStringView(key).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 5;
                continue;
            }
        }
        if (key.at(i) == u'%' && i + 2 < key.size()) {
            const QStringView code = QStringView(key).mid(i + 1, 2);
            if (code == u"25" || code.compare(u"5C", Qt::CaseInsensitive) == 0) {
                out += code == u"25" ? QChar(u'%') : QChar(u'\\');
                i += 2;
                continue;
            }
        }
        out += key.at(i);
    }
    return out;
}

void SubjectGroups::LoadSubjectGroups(const QString& language) {
    if (language.isEmpty())
        return;
    try {
        settings_.createSubkey(SubjectGroups::keyName(language));
    } catch (const SettingsError&) {
        return; // the key cannot be opened: keep the old list
    }
    list_.clear();
    for (const QString& k : settings_.subkeys(SubjectGroups::keyName(language)))
        list_ << groupName(k);
    emit changed();
}

void SubjectGroups::RegisterSubjectGroup(const QString& language, const QString& name) {
    if (name.isEmpty() || language.isEmpty())
        return;
    const QString plain = keyName(name);
    const QString languageKey = keyName(language);
    for (const QString& k : settings_.subkeys(languageKey)) {
        if (k.compare(plain, Qt::CaseInsensitive) != 0)
            continue;
        if (groupName(k) == name)
            return; // stored already
        settings_.createSubkey(languageKey + u'\\' + caseKeyName(name));
        return;
    }
    settings_.createSubkey(languageKey + u'\\' + plain);
}

void SubjectGroups::noteSaved(const QString& language, const QString& name) {
    try {
        if (!name.isEmpty() && !list_.contains(name)) {
            list_ << name;
            emit changed();
        }
        RegisterSubjectGroup(language, name);
    } catch (const SettingsError&) {}
}

} // namespace core
