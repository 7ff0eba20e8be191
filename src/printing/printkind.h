// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/printkind.h"

namespace printing {

using core::PrintKind;

} // namespace printing
