// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace core {

// What a print command prints; the values are the ones the main window
// records and the flash-card draw handler checks.
enum class PrintKind { FlashCards = 1, List = 2, Test = 3 };

} // namespace core
