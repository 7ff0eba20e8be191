// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace shell {

enum class NavIcon { Learn, Test, Words, Lessons, Print, Statistics, Language, Help };

// Pictures of the navigation and help buttons, drawn by the program itself
// so they look the same on every desktop.
QIcon navIcon(NavIcon kind, int size = 40);

} // namespace shell
