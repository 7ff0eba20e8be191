// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

class QPainter;

namespace shell {

enum class NavIcon { Learn, Test, Words, Lessons, Print, Statistics, Language, Help };

// Pictures of the navigation and help buttons, drawn by the program itself
// so they look the same on every desktop.
QIcon navIcon(NavIcon kind, int size = 40);
// The language button's picture with the code of the language loaded.
QIcon languageIcon(const QString& code, int size = 40);
// Draws a picture on a 40 by 40 grid.
void drawNavIcon(QPainter& p, NavIcon kind);

} // namespace shell
