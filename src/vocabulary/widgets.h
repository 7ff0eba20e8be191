// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "databound/tablemodel.h"
#include "core/fieldnames.h"

namespace vocabulary {

// The six columns every vocabulary grid shows; the second is retitled with
// the language's name.
inline QList<databound::GridColumn> vocabularyGridColumns() {
    namespace field = core::field;
    return {{field::kGerman, {}, 150},       {field::kForeign, QStringLiteral("Englisch"), 150},
            {field::kSubjectGroup, {}, 120}, {field::kGender, {}, 90},
            {field::kDifficulty, {}, 132},   {field::kRemark, {}, 200}};
}

} // namespace vocabulary
