// SPDX-License-Identifier: GPL-3.0-or-later
// Vocabulary, lessons and dictionary in the main window.
#include "mainform.h"

namespace shell {

void Mainform::createVocabularyWindows() {}
void Mainform::labelLanguageVocabulary(const QString&) {}
void Mainform::VokabelnClick() { showPanel(PVokabelverwaltung); }
void Mainform::LektionenClick() { showPanel(PLektionsverwaltung); }
void Mainform::WoerterbuchClick() { showPanel(PWoerterbuch); }

} // namespace shell
