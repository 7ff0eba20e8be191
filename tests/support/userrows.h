// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tablestore/table.h"

#include <QString>

namespace testsupport {

// A user whose last language was `language`, numbered by the users table;
// the user's ID.
inline int appendUser(ts::Table& users, const QString& name, const QString& language) {
    users.insert();
    users.setValue("Name", name);
    users.setValue("Letzte Sprache", language);
    users.post();
    return users.integer("ID");
}

} // namespace testsupport
