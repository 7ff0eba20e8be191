// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace shell {

// Makes Qt's own texts (standard buttons, the file and folder dialogs, the
// context menus of text fields) German, whatever the desktop's language, so
// that they match the program's own. Returns false when the translations are
// not installed; Qt then stays English, which costs nothing but looks.
bool installQtTranslations(QCoreApplication& app);

} // namespace shell
