// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databound/tablemodel.h"


namespace vocabulary {

// The six columns every vocabulary grid shows; the second is retitled with
// the language's name.
inline QList<databound::GridColumn> vocabularyGridColumns() {
    return {{QStringLiteral("deutsch"), {}, 150},
            {QStringLiteral("auslaendisch"), QStringLiteral("Englisch"), 150},
            {QStringLiteral("Sachgruppe"), {}, 120},
            {QStringLiteral("Gattung"), {}, 90},
            {QStringLiteral("Schwierigkeitsgrad"), {}, 132},
            {QStringLiteral("Bemerkung"), {}, 200}};
}

} // namespace vocabulary
