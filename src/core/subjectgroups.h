// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsstore.h"

#include <QObject>
#include <QStringList>

namespace core {

// The subject groups of the current language (`SubjectGroupList`), kept in the
// settings store as one subkey per group below the language's key.
class SubjectGroups : public QObject {
    Q_OBJECT
public:
    explicit SubjectGroups(SettingsStore& settings, QObject* parent = nullptr);

    const QStringList& list() const { return list_; }

    // Replaces the list by the groups stored for `language`.
    void LoadSubjectGroups(const QString& language);
    // Stores `name` for `language`; an empty name stores nothing. A group
    // whose plain key is taken by another spelling is stored case-coded.
    void RegisterSubjectGroup(const QString& language, const QString& name);
    // After a vocabulary was saved: a new group joins the end of the list and
    // is stored. Failures are swallowed, the save stands.
    void noteSaved(const QString& language, const QString& name);

    // A group name as a single key level: a backslash would otherwise split
    // it into nested keys.
    static QString keyName(const QString& group);
    // The same with every letter that has a case spelt as its code, so that
    // groups differing only in case (Tiere, tiere) get keys of their own in
    // a store whose names ignore case.
    static QString caseKeyName(const QString& group);
    static QString groupName(const QString& key);

signals:
    void changed();

private:
    SettingsStore& settings_;
    QStringList list_;
};

} // namespace core
